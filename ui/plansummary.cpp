#include "ui/plansummary.h"

#include "ui/localisation.h"
#include "views/startcorner.h"

#include <algorithm>

namespace tallero {

namespace {

QString summaryTemplate()
{
    return chooseText(
        QStringLiteral("GEOMETRÍA DE LA OBRA:\n"
                       "• Caja delimitadora: %1 x %2 m\n"
                       "• Superficie real del contorno: %3 m²\n"
                       "\n"
                       "CONFIGURACIÓN DE PLANCHA:\n"
                       "• Orientación: %4\n"
                       "• Medida: %5 x %6 m\n"
                       "• Inicio de colocación: %7 (%8)\n"
                       "\n"
                       "PLAN DE CORTE POR PLANCHAS:\n"
                       "• Planchas limpias (Enteras): %9 uds.\n"
                       "• Planchas para recortar: %10 uds.\n"
                       "• TOTAL COMPRA REAL: %11 planchas\n"
                       "• Aprovechamiento total: %12%\n"
                       "• Desperdicio total: %13% (%14 m²)\n"
                       "\n"
                       "GUÍA DE COLORES:\n"
                       "• Azul: Planchas enteras listas para usar.\n"
                       "• Los demás colores agrupan piezas de cada plancha de corte."),
        QStringLiteral("WORK GEOMETRY:\n"
                       "• Bounding box: %1 x %2 m\n"
                       "• Actual outline area: %3 m²\n"
                       "\n"
                       "SHEET SETTINGS:\n"
                       "• Orientation: %4\n"
                       "• Size: %5 x %6 m\n"
                       "• Placement start: %7 (%8)\n"
                       "\n"
                       "SHEET CUTTING PLAN:\n"
                       "• Full sheets: %9 units\n"
                       "• Cutting sheets: %10 units\n"
                       "• TOTAL PURCHASE: %11 sheets\n"
                       "• Overall efficiency: %12%\n"
                       "• Overall waste: %13% (%14 m²)\n"
                       "\n"
                       "COLOUR GUIDE:\n"
                       "• Blue: full sheets ready for use.\n"
                       "• Other colours group the pieces of each cutting sheet."),
        QStringLiteral("WERKSTÜCKGEOMETRIE:\n"
                       "• Begrenzungsrahmen: %1 x %2 m\n"
                       "• Tatsächliche Konturfläche: %3 m²\n"
                       "\n"
                       "PLATTENEINSTELLUNGEN:\n"
                       "• Ausrichtung: %4\n"
                       "• Maß: %5 x %6 m\n"
                       "• Platzierungsstart: %7 (%8)\n"
                       "\n"
                       "ZUSCHNITTPLAN:\n"
                       "• Ganze Platten: %9 Stück\n"
                       "• Zuschnittplatten: %10 Stück\n"
                       "• GESAMTEINKAUF: %11 Platten\n"
                       "• Gesamteffizienz: %12%\n"
                       "• Gesamter Verschnitt: %13% (%14 m²)\n"
                       "\n"
                       "FARBENLEGENDE:\n"
                       "• Blau: ganze, einsatzbereite Platten.\n"
                       "• Andere Farben gruppieren die Teile jeder Zuschnittplatte."));
}

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

} // namespace

QString startCornerNameOf(int startIndex)
{
    return startCornerName(std::clamp(startIndex, 0, 4), currentLanguage());
}

QString planSummaryText(const CuttingPlan &plan, const Drawing &drawing)
{
    const int purchased = totalPurchase(plan);
    const double waste = wasteArea(plan);
    // Rounding in the cell areas can put the covered area a hair above the
    // purchased one; the efficiency is a share and is kept within 0–100, so
    // an exact fit never reads as a negative waste.
    const double efficiency = std::clamp(overallEfficiency(plan), 0.0, 100.0);

    // Orientation and start as the plan was computed, whatever the fields
    // say now.
    const QString orientation = plan.vertical ? QStringLiteral("VERTICAL (90°)")
                                              : QStringLiteral("HORIZONTAL (0°)");
    const QString startKind = plan.startIndex == 0
        ? chooseText(QStringLiteral("automático"), QStringLiteral("automatic"), QStringLiteral("automatisch"))
        : chooseText(QStringLiteral("seleccionado"), QStringLiteral("selected"), QStringLiteral("ausgewählt"));

    const QString text =
        summaryTemplate()
            .arg(fixed(drawing.bounds.width(), 3), fixed(drawing.bounds.height(), 3), fixed(drawing.area, 3),
                 orientation, fixed(plan.sheetWidth, 3), fixed(plan.sheetHeight, 3), plan.startLabel, startKind)
            .arg(plan.wholeSheetCount)
            .arg(cuttingSheetCount(plan))
            .arg(purchased)
            .arg(fixed(efficiency, 1), fixed(100.0 - efficiency, 1), fixed(waste, 3));
    if (plan.nesting != NestingMode::Thorough)
        return text;
    // The standard nesting is the default and goes unsaid; a thorough plan
    // says so below the waste.
    QStringList lines = text.split(QLatin1Char('\n'));
    const qsizetype afterWaste = std::min<qsizetype>(15, lines.size());
    lines.insert(afterWaste, QStringLiteral("• ")
                                 + uiText(QStringLiteral("Anidado: exhaustivo"), QStringLiteral("Nesting: thorough")));
    return lines.join(QLatin1Char('\n'));
}

} // namespace tallero
