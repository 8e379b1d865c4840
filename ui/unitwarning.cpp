#include "ui/unitwarning.h"

#include "ui/localisation.h"
#include "ui/messagebox.h"

namespace tallero {

namespace {

QString fixed3(double value)
{
    return QString::number(value, 'f', 3);
}

} // namespace

bool looksDrawnInSmallerUnits(const QRectF &bounds)
{
    return bounds.width() > largestLikelyMetreDrawing || bounds.height() > largestLikelyMetreDrawing;
}

DrawingUnitGuess guessDrawingUnit(std::optional<int> insertionUnits)
{
    // DXF unit codes: 1 inches, 4 millimetres, 5 centimetres.
    if (insertionUnits == 5)
        return {DrawingUnitGuess::Centimetres, 100.0};
    if (insertionUnits == 1)
        return {DrawingUnitGuess::Inches, 1.0 / 0.0254};
    return {DrawingUnitGuess::Millimetres, 1000.0};
}

QString drawingUnitWarningText(const QRectF &bounds, const DrawingUnitGuess &guess)
{
    QString unit;
    QString conversion;
    switch (guess.unit) {
    case DrawingUnitGuess::Millimetres:
        unit = chooseText(QStringLiteral("milímetros"), QStringLiteral("millimetres"),
                          QStringLiteral("Millimetern"));
        conversion = chooseText(QStringLiteral("divide todas las medidas entre 1000"),
                                QStringLiteral("divides every measure by 1000"),
                                QStringLiteral("teilt alle Maße durch 1000"));
        break;
    case DrawingUnitGuess::Centimetres:
        unit = chooseText(QStringLiteral("centímetros"), QStringLiteral("centimetres"),
                          QStringLiteral("Zentimetern"));
        conversion = chooseText(QStringLiteral("divide todas las medidas entre 100"),
                                QStringLiteral("divides every measure by 100"),
                                QStringLiteral("teilt alle Maße durch 100"));
        break;
    case DrawingUnitGuess::Inches:
        unit = chooseText(QStringLiteral("pulgadas"), QStringLiteral("inches"), QStringLiteral("Zoll"));
        conversion = chooseText(QStringLiteral("multiplica todas las medidas por 0.0254"),
                                QStringLiteral("multiplies every measure by 0.0254"),
                                QStringLiteral("multipliziert alle Maße mit 0.0254"));
        break;
    }
    return chooseText(
               QStringLiteral("El plano mide %1 m x %2 m. Tallero trabaja en metros, y un plano de más "
                              "de 500 m seguramente se dibujó en %3.\n\n"
                              "«Escalar a metros» %4. «Mantener como está» calcula con las medidas "
                              "del plano tal cual."),
               QStringLiteral("The drawing measures %1 m x %2 m. Tallero works in metres, and a drawing "
                              "larger than 500 m was most likely drawn in %3.\n\n"
                              "“Scale to metres” %4. “Keep as drawn” plans with the drawing's "
                              "measures as they are."),
               QStringLiteral("Die Zeichnung misst %1 m x %2 m. Tallero arbeitet in Metern, und eine "
                              "Zeichnung über 500 m wurde höchstwahrscheinlich in %3 gezeichnet.\n\n"
                              "„In Meter umrechnen“ %4. „Wie gezeichnet lassen“ rechnet mit den Maßen "
                              "der Zeichnung, wie sie sind."))
        .arg(fixed3(bounds.width()), fixed3(bounds.height()), unit, conversion);
}

DrawingUnitAnswer askAboutDrawingUnits(QWidget *parent, const QRectF &bounds,
                                       const DrawingUnitGuess &guess)
{
    MessageBoxRequest request;
    request.icon = QMessageBox::Warning;
    request.title = chooseText(QStringLiteral("Plano demasiado grande"), QStringLiteral("Drawing too large"),
                               QStringLiteral("Zeichnung zu groß"));
    request.text = drawingUnitWarningText(bounds, guess);
    request.buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    request.defaultButton = QMessageBox::Yes;
    request.buttonTexts = {
        {QMessageBox::Yes, chooseText(QStringLiteral("Escalar a metros"), QStringLiteral("Scale to metres"),
                                      QStringLiteral("In Meter umrechnen"))},
        {QMessageBox::No, chooseText(QStringLiteral("Mantener como está"), QStringLiteral("Keep as drawn"),
                                     QStringLiteral("Wie gezeichnet lassen"))},
        {QMessageBox::Cancel, chooseText(QStringLiteral("Cancelar"), QStringLiteral("Cancel"),
                                         QStringLiteral("Abbrechen"))},
    };
    switch (showMessageBox(parent, request)) {
    case QMessageBox::Yes:
        return DrawingUnitAnswer::ScaleToMetres;
    case QMessageBox::No:
        return DrawingUnitAnswer::KeepAsDrawn;
    default:
        return DrawingUnitAnswer::Cancel;
    }
}

} // namespace tallero
