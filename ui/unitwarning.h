#pragma once

#include <QRectF>
#include <QString>

#include <optional>

class QWidget;

namespace tallero {

// Tallero works in metres. A work area wider or higher than this was almost
// certainly drawn in millimetres (or another small unit), and planning it as
// metres would lay hundreds of thousands of sheets.
inline constexpr double largestLikelyMetreDrawing = 500.0;

bool looksDrawnInSmallerUnits(const QRectF &bounds);

// The unit the warning proposes to convert from, and the number the drawing
// is divided by to get metres. Millimetres unless the file's header says
// centimetres or inches: the header picks among small units, it never
// decides on its own that anything is scaled.
struct DrawingUnitGuess
{
    enum Unit { Millimetres, Centimetres, Inches } unit = Millimetres;
    double divisor = 1000.0;
};

// From the $INSUNITS code of the file (dxfInsertionUnits): 5 centimetres,
// 1 inches, anything else (or nothing) millimetres.
DrawingUnitGuess guessDrawingUnit(std::optional<int> insertionUnits);

enum class DrawingUnitAnswer { ScaleToMetres, KeepAsDrawn, Cancel };

// The warning's text for a drawing of the given bounds, in the current
// language.
QString drawingUnitWarningText(const QRectF &bounds, const DrawingUnitGuess &guess);

// Asks the user through the window's message boxes: Scale to metres, Keep as
// drawn or Cancel. Closing the box counts as Cancel.
DrawingUnitAnswer askAboutDrawingUnits(QWidget *parent, const QRectF &bounds,
                                       const DrawingUnitGuess &guess);

} // namespace tallero
