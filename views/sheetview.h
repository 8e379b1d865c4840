#pragma once

#include "engine/cuttingplan.h"

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QWidget>

#include <optional>

namespace tallero {

// The six fills of the cutting sheets viewer (cutting sheet index mod 6):
// the first six of the layout palette.
const QList<QColor> &sheetPalette();
QColor sheetPaletteColour(int sheetIndex);

// Which label lines a placed piece gets, and at what pixel size. The size
// follows the piece's smaller side within 8..13 pixels (the size line two
// pixels less, at least 7); a piece too small for both lines gets none, and
// each line is drawn only where the text, as measured, lies on the piece
// itself: never over a neighbour, a notch or the bare sheet.
struct SheetLabelLayout
{
    QRectF box;               // the piece's bounds on screen, shrunk by 2
    int codePixelSize = 0;
    int sizePixelSize = 0;
    bool showCode = false;
    bool showSize = false;
};

// One physical cutting sheet drawn to scale with the pieces nested on it,
// each labelled with its code and its placed size. It paints its own copy of
// a plan (copies share their geometry), so it never reads a plan that its
// owner has since dropped or replaced.
class SheetView : public QWidget
{
    Q_OBJECT

public:
    explicit SheetView(QWidget *parent = nullptr);
    ~SheetView() override;

    std::optional<CuttingPlan> plan;
    int sheetIndex = 0;
    bool darkTheme = true;
    QString language = QStringLiteral("es");   // "es", "en" or "de"

    // Sheet coordinates (metres, origin at the lower left, y up) to widget
    // pixels: the sheet centred in the drawing area, filling 94 % of its
    // limiting side. Empty when there is no sheet to draw at this size.
    std::optional<QTransform> sheetTransform() const;
    // The title line as painted ("PLANCHA P7  ·  2.000 × 1.200 m").
    QString titleText() const;

    // `pieceOnScreen` is the placed piece's outline in widget pixels.
    static SheetLabelLayout labelLayout(const QPainterPath &pieceOnScreen, const QString &code,
                                        const QString &sizeText);
    static QString sizeText(const PiecePlacement &placement);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool hasSheet() const;
};

} // namespace tallero
