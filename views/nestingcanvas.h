#pragma once

#include "dxf/drawing.h"
#include "engine/cuttingplan.h"

#include <QPoint>
#include <QString>
#include <QTransform>
#include <QWidget>

#include <optional>

namespace tallero {

// The layout view: the loaded drawing's outline and, once a plan exists, its
// grid cells coloured by cutting sheet and labelled with their piece codes.
// It draws copies of what the window gives it and never changes the plan.
// Zoom with the wheel or the view buttons; pan by dragging with the right or
// middle mouse button.
class NestingCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit NestingCanvas(QWidget *parent = nullptr);

    bool darkTheme = true;
    QString language = QStringLiteral("es");   // "es", "en" or "de"
    double zoom = 1.0;
    double panX = 0.0;
    double panY = 0.0;
    QString fileName;
    Drawing drawing;
    std::optional<CuttingPlan> plan;
    QPoint lastMousePos;

    // A newly loaded drawing: the plan is cleared and the view reset.
    void setDrawing(const Drawing &newDrawing, const QString &newFileName);
    // The window's current plan (nullopt when it holds none); the view stays.
    void setPlan(std::optional<CuttingPlan> newPlan);
    // New project: no drawing, no plan, no file name, view reset.
    void clearAll();

    // Drawing coordinates (metres, y up) to widget pixels for the current
    // size, zoom and pan. Identity when there is no usable drawing.
    QTransform worldToScreen() const;
    // The title line as painted ("VISTA DE MONTAJE …").
    QString titleText() const;

    // Pixel size of the code label of a cell whose bounds lie at
    // `cellOnScreen` (device pixels), or 0 when no label is drawn: the size
    // follows the cell's smaller side within 7..12 pixels, and a label is
    // drawn only where it fits the cell.
    static int codeLabelPixelSize(const QRectF &cellOnScreen, const QString &code);

    // Limits of the zoom factor; the buttons clamp to them, the wheel refuses
    // a step that would leave them.
    static constexpr double minimumZoom = 0.1;
    static constexpr double maximumZoom = 20.0;

public slots:
    void zoomIn();
    void zoomOut();
    void resetView();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Vertical wheel delta not yet worth a whole step (touchpads send many
    // small deltas; a step is 120, one notch of a standard wheel).
    int pendingWheelDelta = 0;
};

} // namespace tallero
