// The results panel: adopting a plan, the summary text and the dimension
// legend.

#include "ui/mainwindow.h"

#include "engine/plancheck.h"
#include "ui/plansummary.h"
#include "views/dimensionlegend.h"
#include "views/nestingcanvas.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>

#include <utility>


namespace tallero {

namespace {

const char *const legendScrollBarStyle =
    "QScrollBar:vertical{background:transparent;width:7px;margin:3px 1px 3px 1px;}"
    "QScrollBar::handle:vertical{background:#64748b;min-height:28px;border-radius:3px;}"
    "QScrollBar::handle:vertical:hover{background:#94a3b8;}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0;}"
    "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}";

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
    return startCornerNameOf(startCombo->currentIndex());
}

void RodalixV69::updateSummary()
{
    if (!plan)
        return;
    reportText->setPlainText(planSummaryText(*plan, canvas->drawing));
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
