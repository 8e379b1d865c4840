#pragma once

// Shared by the window suites (tst_ui_*): the widgets and commands they look
// at, the examples they load, the settings reset before each test, and the
// window states most of them start from.

#include "testsupport.h"

#include "ui/filedialog.h"
#include "ui/localisation.h"
#include "ui/mainwindow.h"
#include "ui/messagebox.h"
#include "ui/pdftest.h"
#include "views/nestingcanvas.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace tallero::testing {

inline QString example(const char *name)
{
    return examplePath(QString::fromLatin1(name));
}

// Forgets every stored setting, then stores `language` when one is given.
inline void resetSettings(const QString &language = QString())
{
    QSettings settings = settingsStore();
    settings.clear();
    if (!language.isEmpty())
        settings.setValue(QStringLiteral("ui/language"), language);
    settings.sync();
}

inline QVariant stored(const char *key)
{
    return settingsStore().value(QString::fromLatin1(key));
}

// What the named label, field, text box or button of `parent` shows.
inline QString shownText(const QObject *parent, const char *name)
{
    const QObject *widget = child<QObject>(parent, name);
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *field = qobject_cast<const QLineEdit *>(widget))
        return field->text();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(widget))
        return text->toPlainText();
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QStringLiteral("<no text widget %1>").arg(QString::fromLatin1(name));
}

inline QString statusText(const RodalixV69 &window)
{
    return window.statusBar()->currentMessage();
}

// The window title up to its modified mark: the project once there is one,
// the drawing before.
inline QString titleName(const RodalixV69 &window)
{
    return window.windowTitle().section(QStringLiteral("[*]"), 0, 0);
}

inline void triggerAction(const QObject *window, const char *name)
{
    QAction *action = child<QAction>(window, name);
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    action->trigger();
}

// The entries of the recent-files menu that open a file.
inline QList<QAction *> recentEntries(const QObject *window)
{
    QList<QAction *> entries;
    for (QAction *action : child<QMenu>(window, "recentMenu")->actions()) {
        if (!action->data().toString().isEmpty())
            entries.append(action);
    }
    return entries;
}

// A closed w x h rectangle from (x, y), as DXF groups for dxfDocument().
inline QString rectangleEntities(double x, double y, double w, double h)
{
    return QStringLiteral("0 LWPOLYLINE;70 1;10 %1;20 %2;10 %3;20 %2;10 %3;20 %4;10 %1;20 %4;")
        .arg(x)
        .arg(y)
        .arg(x + w)
        .arg(y + h);
}

// Everything of a plan that the user sees, as text, so two plans compare
// with one QCOMPARE and a failure shows where they differ.
inline QString planSignature(const CuttingPlan &plan)
{
    QStringList parts{QStringLiteral("sheet %1x%2 g%3 origin %4,%5 whole %6 sheets %7")
                          .arg(plan.sheetWidth)
                          .arg(plan.sheetHeight)
                          .arg(plan.gap)
                          .arg(plan.originX)
                          .arg(plan.originY)
                          .arg(plan.wholeSheetCount)
                          .arg(plan.sheets.size())};
    for (const GridCell &cell : plan.cells)
        parts << QStringLiteral("c%1,%2 p%3 a%4").arg(cell.column).arg(cell.row).arg(cell.pieceIndex).arg(cell.shape.area, 0, 'g', 12);
    for (const CuttingSheet &sheet : plan.sheets) {
        for (const PiecePlacement &placement : sheet.placements)
            parts << QStringLiteral("s%1 p%2 @%3,%4 r%5")
                         .arg(placement.sheetIndex)
                         .arg(placement.pieceIndex)
                         .arg(placement.x, 0, 'g', 12)
                         .arg(placement.y, 0, 'g', 12)
                         .arg(placement.angle);
    }
    return parts.join(QLatin1Char('\n'));
}

// Everything of the work the window shows and keeps (drawing, view, plan,
// paths, fields, labels, summary, legend, title and the unsaved mark), as
// text; without the view when `withView` is false.
inline QString workSignature(const RodalixV69 &window, bool withView = true)
{
    WorkSnapshot work = window.captureWork();
    if (!withView)
        work.zoom = work.panX = work.panY = 0.0;
    QStringList parts{window.windowTitle(), work.drawingFileName,
                      QStringLiteral("bounds %1,%2 %3x%4 area %5")
                          .arg(work.drawing.bounds.x())
                          .arg(work.drawing.bounds.y())
                          .arg(work.drawing.bounds.width())
                          .arg(work.drawing.bounds.height())
                          .arg(work.drawing.area),
                      QStringLiteral("view %1 %2 %3 scale %4").arg(work.zoom).arg(work.panX).arg(work.panY).arg(work.drawingScale),
                      work.plan ? planSignature(*work.plan) : QStringLiteral("no plan"),
                      work.dxfPath, work.projectPath, work.sheetWidth, work.sheetHeight, work.clearance,
                      QString::number(work.startIndex), work.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
                      work.pieceText, work.typeText, work.reportText,
                      work.modified ? QStringLiteral("modified") : QStringLiteral("saved")};
    const auto *legend = window.findChild<QTableWidget *>(QStringLiteral("legend"));
    for (int row = 0; legend && row < legend->rowCount(); ++row)
        parts << legend->item(row, 0)->text() + QLatin1Char(' ') + legend->item(row, 1)->text();
    return parts.join(QLatin1Char('\n'));
}

// Loads `path` through Load DXF drawing… with a 2.0 x 1.2 m sheet typed.
inline void loadThroughDialog(WindowHooks &hooks, RodalixV69 &window, const QString &path)
{
    typeSheet(&window, QStringLiteral("2.0"), QStringLiteral("1.2"));
    hooks.openAnswers.append(path);
    window.chooseAndLoadDxf();
}

// A window with an example loaded through Load DXF drawing… and not saved;
// what loading asked is forgotten.
inline std::unique_ptr<RodalixV69> windowWithExample(WindowHooks &hooks, const char *name = "deck-bay.dxf")
{
    auto window = std::make_unique<RodalixV69>();
    loadThroughDialog(hooks, *window, example(name));
    if (!window->hasDrawing())
        qFatal("the example %s did not load", name);
    hooks.boxes.clear();
    hooks.openRequests.clear();
    return window;
}

// A window whose plan is the one the PDF test mode makes of an example.
inline std::unique_ptr<RodalixV69> windowFromPdfTest(const char *name, const QString &pdfPath)
{
    auto window = std::make_unique<RodalixV69>();
    QString error;
    if (!runPdfTest(*window, example(name), pdfPath, error) || !window->currentPlan())
        qFatal("the PDF test of %s failed: %s", name, qPrintable(error));
    return window;
}

} // namespace tallero::testing
