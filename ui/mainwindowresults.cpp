// The results panel: adopting a plan, the summary text and the dimension
// legend.

#include "ui/mainwindow.h"

#include "engine/plancheck.h"
#include "ui/localisation.h"
#include "views/dimensionlegend.h"
#include "views/nestingcanvas.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

#include <algorithm>

namespace tallero {

namespace {

const char *const legendScrollBarStyle =
    "QScrollBar:vertical{background:transparent;width:7px;margin:3px 1px 3px 1px;}"
    "QScrollBar::handle:vertical{background:#64748b;min-height:28px;border-radius:3px;}"
    "QScrollBar::handle:vertical:hover{background:#94a3b8;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}";

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

void RodalixV69::applyPlan(CuttingPlan newPlan)
{
    assignPieceCodes(newPlan);
    newPlan.startLabel = startCornerName();
    // What the plan was computed with, and whether its nesting holds, travel
    // with it: the viewer and the report read them from the plan, never from
    // the window's choices of a later moment.
    newPlan.nestingVerdict = findNestingFault(newPlan);
    newPlan.vertical = verticalRadio->isChecked();
    newPlan.startIndex = startCombo->currentIndex();

    plan = std::move(newPlan);
    canvas->setPlan(plan);
    refreshLegend();
    updateSummary();
    canvas->update();
}

QString RodalixV69::startCornerName() const
{
    static const char *const names[][3] = {
        {"Automático", "Automatic", "Automatisch"},
        {"Superior izquierda", "Top left", "Oben links"},
        {"Superior derecha", "Top right", "Oben rechts"},
        {"Inferior izquierda", "Bottom left", "Unten links"},
        {"Inferior derecha", "Bottom right", "Unten rechts"},
    };
    const int index = std::clamp(startCombo->currentIndex(), 0, 4);
    return chooseText(QString::fromUtf8(names[index][0]), QString::fromUtf8(names[index][1]),
                      QString::fromUtf8(names[index][2]));
}

void RodalixV69::updateSummary()
{
    if (!plan)
        return;
    const CuttingPlan &current = *plan;
    const Drawing &drawing = canvas->drawing;

    const int purchased = totalPurchase(current);
    const double waste = wasteArea(current);
    // Rounding in the cell areas can put the covered area a hair above the
    // purchased one; the efficiency is a share and is kept within 0–100, so
    // an exact fit never reads as a negative waste.
    const double efficiency = std::clamp(overallEfficiency(current), 0.0, 100.0);

    // Orientation and start as the plan was computed, whatever the fields
    // say now.
    const QString orientation = current.vertical ? QStringLiteral("VERTICAL (90°)")
                                                 : QStringLiteral("HORIZONTAL (0°)");
    const QString startKind = current.startIndex == 0
        ? chooseText(QStringLiteral("automático"), QStringLiteral("automatic"), QStringLiteral("automatisch"))
        : chooseText(QStringLiteral("seleccionado"), QStringLiteral("selected"), QStringLiteral("ausgewählt"));

    const QString text = summaryTemplate()
                             .arg(fixed(drawing.bounds.width(), 3), fixed(drawing.bounds.height(), 3),
                                  fixed(drawing.area, 3), orientation, fixed(current.sheetWidth, 3),
                                  fixed(current.sheetHeight, 3), current.startLabel, startKind)
                             .arg(current.wholeSheetCount)
                             .arg(cuttingSheetCount(current))
                             .arg(purchased)
                             .arg(fixed(efficiency, 1), fixed(100.0 - efficiency, 1), fixed(waste, 3));
    // The standard nesting is the default and goes unsaid; a thorough plan
    // says so below the waste.
    if (current.nesting == NestingMode::Thorough) {
        QStringList lines = text.split(QLatin1Char('\n'));
        const qsizetype afterWaste = std::min<qsizetype>(15, lines.size());
        lines.insert(afterWaste, QStringLiteral("• ")
                                     + uiText(QStringLiteral("Anidado: exhaustivo"),
                                              QStringLiteral("Nesting: thorough")));
        reportText->setPlainText(lines.join(QLatin1Char('\n')));
        return;
    }
    reportText->setPlainText(text);
}

void RodalixV69::refreshLegend()
{
    legendTable->setRowCount(0);
    legendTable->verticalScrollBar()->setStyleSheet(QString::fromLatin1(legendScrollBarStyle));
    if (!plan)
        return;
    for (const LegendRow &row : dimensionLegend(*plan)) {
        const int at = legendTable->rowCount();
        legendTable->insertRow(at);
        legendTable->setItem(at, 0, new QTableWidgetItem(row.code));
        legendTable->setItem(at, 1, new QTableWidgetItem(legendSizeText(row)));
        legendTable->setItem(at, 2, new QTableWidgetItem(QString::number(row.count)));
    }
}

} // namespace tallero
