// The current work as a value, so a command that is cancelled half-way can
// give the window back exactly as it found it.

#include "ui/mainwindow.h"

#include "views/nestingcanvas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace tallero {

WorkSnapshot RodalixV69::captureWork() const
{
    WorkSnapshot snapshot;
    snapshot.drawing = canvas->drawing;
    snapshot.drawingFileName = canvas->fileName;
    snapshot.zoom = canvas->zoom;
    snapshot.panX = canvas->panX;
    snapshot.panY = canvas->panY;
    snapshot.drawingScale = drawingScaleFactor;
    snapshot.drawingUnitsSettled = drawingUnitsSettled;
    snapshot.plan = plan;
    snapshot.dxfPath = dxfPath;
    snapshot.projectPath = projectPath;
    snapshot.sheetWidth = sheetWidthEdit->text();
    snapshot.sheetHeight = sheetHeightEdit->text();
    snapshot.clearance = clearanceEdit->text();
    snapshot.startIndex = startCombo->currentIndex();
    snapshot.vertical = verticalRadio->isChecked();
    snapshot.pieceText = pieceLabel->text();
    snapshot.typeText = typeLabel->text();
    snapshot.reportText = reportText->toPlainText();
    snapshot.modified = modified;
    return snapshot;
}

void RodalixV69::restoreWork(const WorkSnapshot &snapshot)
{
    // Zooming and panning stay possible while a command computes; when the
    // command leaves the drawing as it was, the view the user chose since
    // stays too. A drawing given back brings its own view back.
    if (canvas->drawing.geometry.get() != snapshot.drawing.geometry.get()) {
        canvas->zoom = snapshot.zoom;
        canvas->panX = snapshot.panX;
        canvas->panY = snapshot.panY;
    }
    canvas->drawing = snapshot.drawing;
    canvas->fileName = snapshot.drawingFileName;
    drawingScaleFactor = snapshot.drawingScale;
    drawingUnitsSettled = snapshot.drawingUnitsSettled;
    plan = snapshot.plan;
    canvas->setPlan(plan);
    dxfPath = snapshot.dxfPath;
    projectPath = snapshot.projectPath;
    sheetWidthEdit->setText(snapshot.sheetWidth);
    sheetHeightEdit->setText(snapshot.sheetHeight);
    clearanceEdit->setText(snapshot.clearance);
    startCombo->setCurrentIndex(snapshot.startIndex);
    (snapshot.vertical ? verticalRadio : horizontalRadio)->setChecked(true);
    pieceLabel->setText(snapshot.pieceText);
    typeLabel->setText(snapshot.typeText);
    if (reportText->toPlainText() != snapshot.reportText)
        reportText->setPlainText(snapshot.reportText);
    refreshLegend();
    setModified(snapshot.modified);
    refreshWindowTitle();
    canvas->update();
}

} // namespace tallero
