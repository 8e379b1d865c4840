#include "ui/cuttingsheetsdialog.h"

#include "engine/plancheck.h"
#include "ui/commandbutton.h"
#include "views/languagetext.h"
#include "views/sheetview.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace tallero {

namespace {

QString pick(const QString &language, const char *es, const char *en, const char *de)
{
    return textIn(language, QString::fromUtf8(es), QString::fromUtf8(en), QString::fromUtf8(de));
}

QString dialogStyle(bool dark)
{
    return dark ? QStringLiteral(
               "QDialog{background:#0f172a;color:#f8fafc;}"
               "QPushButton{background:#475569;color:#f8fafc;border:1px solid #64748b;padding:4px 9px;font-weight:bold;}"
               "QPushButton:hover{background:#64748b;}"
               "QPushButton:disabled{color:#94a3b8;border-color:#334155;background:#1e293b;}"
               "QComboBox{background:#0f172a;color:#ffffff;border:1px solid #64748b;padding:2px 6px;min-width:76px;}"
               "QComboBox QAbstractItemView{background:#0f172a;color:#ffffff;selection-background-color:#475569;"
               "selection-color:#ffffff;}")
                : QStringLiteral(
               "QDialog{background:#f3f4f6;color:#0f172a;}"
               "QPushButton{background:#e2e8f0;color:#0f172a;border:1px solid #94a3b8;padding:4px 9px;font-weight:bold;}"
               "QPushButton:hover{background:#cbd5e1;}"
               "QPushButton:disabled{color:#94a3b8;border-color:#cbd5e1;background:#f8fafc;}"
               "QComboBox{background:#ffffff;color:#0f172a;border:1px solid #94a3b8;padding:2px 6px;min-width:76px;}"
               "QComboBox QAbstractItemView{background:#ffffff;color:#0f172a;selection-background-color:#dbeafe;"
               "selection-color:#0f172a;}");
}

QString captionStyle(bool dark, bool warning)
{
    if (warning)
        return dark ? QStringLiteral("background:#1e293b;color:#f87171;")
                    : QStringLiteral("background:#e2e8f0;color:#b91c1c;");
    return dark ? QStringLiteral("background:#1e293b;color:#34d399;")
                : QStringLiteral("background:#e2e8f0;color:#047857;");
}

QFont arialFont(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    return font;
}

QString verdictText(const std::optional<NestingFault> &verdict, const QString &language)
{
    if (!verdict)
        return pick(language, "ATENCIÓN: este despiece no se ha comprobado",
                    "WARNING: this cutting plan has not been checked",
                    "WARNUNG: Dieser Zuschnitt wurde nicht geprüft");
    switch (*verdict) {
    case NestingFault::None:
        return pick(language, "Sin solapes y dentro de límites", "No overlaps and within bounds",
                    "Keine Überlappungen und innerhalb der Grenzen");
    case NestingFault::PiecesOverlap:
        return pick(language, "ATENCIÓN: la comprobación encontró piezas solapadas",
                    "WARNING: the check found overlapping pieces",
                    "WARNUNG: Die Prüfung hat überlappende Teile gefunden");
    case NestingFault::PieceOutsideSheet:
        break;
    }
    return pick(language, "ATENCIÓN: la comprobación encontró una pieza fuera de su plancha",
                "WARNING: the check found a piece outside its sheet",
                "WARNUNG: Die Prüfung hat ein Teil außerhalb seiner Platte gefunden");
}

} // namespace

SheetCaption sheetCaption(const CuttingPlan &plan, int sheetIndex, const QString &language)
{
    if (sheetIndex < 0 || sheetIndex >= plan.sheets.size())
        return {};
    // Rounding in the piece areas can put a full sheet's used area a hair
    // above the sheet's own; the share is kept within 0–100 so that a full
    // sheet never reads as "-0.0%" waste.
    const double efficiency = std::clamp(sheetEfficiency(plan, sheetIndex), 0.0, 100.0);
    const QString text = pick(language,
                              "P%1: %2 pieza(s)  ·  Aprovechamiento real: %3%  ·  Desperdicio: %4%  ·  "
                              "nesting por forma real  ·  %5",
                              "P%1: %2 piece(s)  ·  Real efficiency: %3%  ·  Waste: %4%  ·  "
                              "real-shape nesting  ·  %5",
                              "P%1: %2 Teil(e)  ·  Materialausnutzung: %3%  ·  Verschnitt: %4%  ·  "
                              "Nesting nach tatsächlicher Form  ·  %5")
                             .arg(cuttingSheetNumber(plan, sheetIndex))
                             .arg(plan.sheets.at(sheetIndex).placements.size())
                             .arg(QString::number(efficiency, 'f', 1), QString::number(100.0 - efficiency, 'f', 1),
                                  verdictText(plan.nestingVerdict, language));
    const bool clean = plan.nestingVerdict && *plan.nestingVerdict == NestingFault::None;
    return {text, !clean};
}

CuttingSheetsDialog::CuttingSheetsDialog(QWidget *parent, const CuttingPlan &plan, bool darkTheme,
                                         const QString &languageCode)
    : QDialog(parent)
    , dark(darkTheme)
    , language(languageCode)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("cuttingSheetsDialog"));
    setWindowTitle(pick(language, "Planchas físicas de corte", "Physical cutting sheets",
                        "Physische Zuschnittplatten"));
    resize(preferredWidth, preferredHeight);
    setStyleSheet(dialogStyle(dark));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 10);
    layout->setSpacing(12);

    auto *topBar = new QWidget(this);
    topBar->setObjectName(QStringLiteral("sheetTopBar"));
    topBar->setFixedHeight(46);
    topBar->setStyleSheet(dark ? QStringLiteral("background:#1e293b;") : QStringLiteral("background:#e2e8f0;"));
    auto *bar = new QHBoxLayout(topBar);
    bar->setContentsMargins(14, 6, 14, 6);
    bar->setSpacing(10);
    auto *heading = new QLabel(pick(language, "PLANCHA FÍSICA:", "PHYSICAL SHEET:", "PHYSISCHE PLATTE:"), topBar);
    heading->setFont(arialFont(10, true));
    bar->addWidget(heading);
    previousButton = makeCommandButton(pick(language, "Anterior", "Previous", "Zurück"));
    previousButton->setObjectName(QStringLiteral("previousSheet"));
    bar->addWidget(previousButton);
    chooser = new QComboBox(topBar);
    chooser->setObjectName(QStringLiteral("sheetChooser"));
    bar->addWidget(chooser);
    nextButton = makeCommandButton(pick(language, "Siguiente", "Next", "Weiter"));
    nextButton->setObjectName(QStringLiteral("nextSheet"));
    bar->addWidget(nextButton);
    bar->addStretch();
    counterLabel = new QLabel(topBar);
    counterLabel->setObjectName(QStringLiteral("sheetCounter"));
    counterLabel->setFont(arialFont(9, true));
    bar->addWidget(counterLabel);
    layout->addWidget(topBar);

    view = new SheetView(this);
    view->setObjectName(QStringLiteral("sheetView"));
    view->plan = plan;
    view->darkTheme = dark;
    view->language = language;
    layout->addWidget(view, 1);

    captionLabel = new QLabel(this);
    captionLabel->setObjectName(QStringLiteral("sheetCaption"));
    captionLabel->setFont(arialFont(9, false));
    captionLabel->setMinimumHeight(34);
    captionLabel->setContentsMargins(12, 0, 12, 0);
    captionLabel->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    captionLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(captionLabel);

    for (int i = 0; i < plan.sheets.size(); ++i)
        chooser->addItem(QStringLiteral("P%1").arg(cuttingSheetNumber(plan, i)), i);

    connect(chooser, &QComboBox::currentIndexChanged, this, &CuttingSheetsDialog::selectSheet);
    connect(previousButton, &QPushButton::clicked, this,
            [this] { chooser->setCurrentIndex(chooser->currentIndex() - 1); });
    connect(nextButton, &QPushButton::clicked, this,
            [this] { chooser->setCurrentIndex(chooser->currentIndex() + 1); });
    selectSheet(0);
}

const CuttingPlan &CuttingSheetsDialog::plan() const
{
    return *view->plan;
}

void CuttingSheetsDialog::selectSheet(int index)
{
    const int count = int(plan().sheets.size());
    if (count == 0) {
        // Nothing to show: the view paints its background, nothing is
        // offered to step to.
        view->sheetIndex = 0;
        view->update();
        previousButton->setEnabled(false);
        nextButton->setEnabled(false);
        counterLabel->setText(QStringLiteral("0/0"));
        captionLabel->clear();
        return;
    }
    const int i = std::clamp(index, 0, count - 1);
    if (chooser->currentIndex() != i) {
        const QSignalBlocker blocker(chooser);
        chooser->setCurrentIndex(i);
    }
    view->sheetIndex = i;
    view->update();
    previousButton->setEnabled(i >= 1);
    nextButton->setEnabled(i + 1 < count);
    counterLabel->setText(QStringLiteral("%1/%2").arg(i + 1).arg(count));
    const SheetCaption caption = sheetCaption(plan(), i, language);
    captionLabel->setText(caption.text);
    captionLabel->setStyleSheet(captionStyle(dark, caption.warning));
}

} // namespace tallero
