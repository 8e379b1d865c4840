#include "ui/enginemessages.h"

#include "dxf/dxfmessages.h"
#include "engine/engineerrors.h"

namespace tallero {

namespace {

QString spanishText(QStringView message)
{
    return message.toString();
}

QString spanishText(const char *message)
{
    return QString::fromUtf8(message);
}

} // namespace

const QList<EngineMessageTranslation> &engineMessageTranslations()
{
    // A message added to the core gets its line here; a test reads the two
    // message headers and fails for any constant without one.
    using namespace engineerrors;
    static const QList<EngineMessageTranslation> table{
        {spanishText(pieceDoesNotFit), QStringLiteral("A cut piece does not fit on the configured sheet."), QStringLiteral("Ein Zuschnitt passt nicht auf die konfigurierte Platte.")},
        {spanishText(pieceNotPlaced), QStringLiteral("A cut piece could not be placed on a sheet."), QStringLiteral("Ein Zuschnitt konnte nicht auf einer Platte platziert werden.")},
        {spanishText(invalidSheetMeasures), QStringLiteral("The sheet measures or the clearance are not valid."), QStringLiteral("Die Plattenmaße oder der Abstand sind ungültig.")},
        {spanishText(invalidOutline), QStringLiteral("The drawing's outline is empty or not valid."), QStringLiteral("Die Kontur der Zeichnung ist leer oder ungültig.")},
        {spanishText(gridTooLarge), QStringLiteral("The sheet grid is too large for the outline: check the sheet measures."), QStringLiteral("Das Plattenraster ist für die Kontur zu groß: Prüfen Sie die Plattenmaße.")},
        {spanishText(gridLargerThanAnyFloor), QStringLiteral("The sheet grid would hold more than a hundred thousand sheets, more than any real job: check the drawing's units (is it drawn in millimetres?) and the sheet measures."), QStringLiteral("Das Plattenraster hätte mehr als hunderttausend Platten, mehr als jedes reale Projekt: Prüfen Sie die Einheiten der Zeichnung (ist sie in Millimetern gezeichnet?) und die Plattenmaße.")},
        {spanishText(dxfNoEntitiesMessage), QStringLiteral("No valid geometric entities were found in the DXF."), QStringLiteral("Im DXF wurden keine gültigen geometrischen Elemente gefunden.")},
        {spanishText(dxfNoDimensionsMessage), QStringLiteral("The DXF does not have valid dimensions."), QStringLiteral("Das DXF hat keine gültigen Abmessungen.")},
        {spanishText(dxfInvalidOutlineMessage), QStringLiteral("The DXF closed outline could not be converted into valid geometry."), QStringLiteral("Die geschlossene DXF-Kontur konnte nicht in eine gültige Geometrie umgewandelt werden.")},
        {spanishText(dxfInvalidNumbersMessage), QStringLiteral("The DXF contains invalid or out-of-range coordinates."), QStringLiteral("Das DXF enthält ungültige Koordinaten oder Koordinaten außerhalb des zulässigen Bereichs.")},
        {spanishText(dxfTooLargeMessage), QStringLiteral("The DXF is too large to import."), QStringLiteral("Das DXF ist zu groß für den Import.")},
        {spanishText(dxfSelfIntersectingContourMessage), QStringLiteral("A closed contour of the DXF crosses itself near x = %1 m, y = %2 m."), QStringLiteral("Eine geschlossene Kontur im DXF schneidet sich selbst bei x = %1 m, y = %2 m.")},
        {spanishText(tooManyCutPieces), QStringLiteral("The sheet would cut the outline into too many pieces: check the sheet measures and the drawing's holes."), QStringLiteral("Die Platte würde die Kontur in zu viele Zuschnitte teilen: Prüfen Sie die Plattenmaße und die Aussparungen der Zeichnung.")},
        {spanishText(cutPiecesTooSmall), QStringLiteral("The cut pieces are so small next to the sheet that hundreds would share one: check the sheet measures and the drawing's units."), QStringLiteral("Die Zuschnitte sind im Vergleich zur Platte so klein, dass Hunderte auf eine passen würden: Prüfen Sie die Plattenmaße und die Einheiten der Zeichnung.")},
        {spanishText(geometryOperationFailed), QStringLiteral("The geometry engine failed in an operation of the plan; the plan cannot be calculated."), QStringLiteral("Die Geometrie-Engine ist bei einer Operation des Plans gescheitert; der Plan kann nicht berechnet werden.")},
        {spanishText(dxfBinaryFormatMessage), QStringLiteral("The file is a binary DXF and cannot be read. Save it as ASCII DXF (UTF-8 or the drawing's code page)."), QStringLiteral("Die Datei ist eine binäre DXF-Datei und kann nicht gelesen werden. Speichern Sie sie als ASCII-DXF (UTF-8 oder die Codepage der Zeichnung).")},
        {spanishText(dxfUtf16Message), QStringLiteral("The DXF file is encoded in UTF-16 and cannot be read. Save it as ASCII DXF (UTF-8 or the drawing's code page)."), QStringLiteral("Die DXF-Datei ist in UTF-16 kodiert und kann nicht gelesen werden. Speichern Sie sie als ASCII-DXF (UTF-8 oder die Codepage der Zeichnung).")},
        {spanishText(dxfOutOfMemoryMessage), QStringLiteral("There is not enough memory to import the DXF."), QStringLiteral("Es ist nicht genügend Arbeitsspeicher vorhanden, um die DXF-Datei zu importieren.")},
        {spanishText(dxfNotAFileMessage), QStringLiteral("The given path is not a DXF file: it is a folder or a device."), QStringLiteral("Der angegebene Pfad ist keine DXF-Datei, sondern ein Ordner oder ein Gerät.")},
    };
    return table;
}

} // namespace tallero
