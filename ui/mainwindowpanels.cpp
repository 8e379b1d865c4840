// The window's panels: sheet settings on top, the report and legend column on
// the left, the layout view with its buttons on the right.

#include "ui/mainwindow.h"

#include "ui/commandbutton.h"
#include "ui/localisation.h"
#include "views/nestingcanvas.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tallero {

namespace {

QFont arialFont(int pointSize, int weight)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

QLabel *makeLabel(const QString &text, int pointSize, int weight, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(arialFont(pointSize, weight));
    return label;
}

QLineEdit *makeMeasureEdit(const QString &objectName, const QString &tooltip, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setFixedWidth(55);
    edit->setAlignment(Qt::AlignCenter);
    edit->setToolTip(tooltip);
    return edit;
}

} // namespace

QPushButton *RodalixV69::makeButton(const QString &text)
{
    return makeCommandButton(text);
}

void RodalixV69::buildPanels()
{
    // The panels are built once, in Spanish or in English; German panels
    // are the English ones translated afterwards.
    const bool spanish = language() == QLatin1String("es");

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(15, 10, 15, 8);
    layout->setSpacing(10);

    auto *topPanel = new QWidget(central);
    topPanel->setObjectName(QStringLiteral("settingsPanel"));
    buildTopPanel(topPanel, spanish);
    layout->addWidget(topPanel);

    auto *results = new QHBoxLayout;
    results->setSpacing(15);
    results->addWidget(buildReportColumn(spanish));
    results->addWidget(buildLayoutArea(spanish), 1);
    layout->addLayout(results, 1);

    setCentralWidget(central);

    if (language() == QLatin1String("de")) {
        retranslatePanelsToGerman(central, startCombo, reportText, legendTable);
        verticalRadio->setText(QStringLiteral("Vertikal"));
    }
}

void RodalixV69::buildTopPanel(QWidget *panel, bool spanish)
{
    const auto pick = [spanish](const char *es, const char *en) {
        return QString::fromUtf8(spanish ? es : en);
    };

    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(15, 7, 15, 7);
    grid->setHorizontalSpacing(9);
    grid->setVerticalSpacing(2);

    pieceLabel = makeLabel(pick("Pieza: Ninguna cargada", "Piece: None loaded"), 11, QFont::Bold, panel);
    pieceLabel->setObjectName(QStringLiteral("piece"));
    grid->addWidget(pieceLabel, 0, 0, 1, 3);
    typeLabel = makeLabel(pick("Tipo: —", "Type: -"), 8, QFont::Normal, panel);
    typeLabel->setObjectName(QStringLiteral("type"));
    grid->addWidget(typeLabel, 1, 0, 1, 3);

    const QString tooltip = pick("Todas las medidas de Tallero se introducen en metros.",
                                 "All Tallero measurements are entered in metres.");
    grid->addWidget(makeLabel(pick("Ancho plancha (m):", "Sheet width (m):"), 9, QFont::Normal, panel), 0, 4);
    sheetWidthEdit = makeMeasureEdit(QStringLiteral("sheetWidth"), tooltip, panel);
    grid->addWidget(sheetWidthEdit, 0, 5);
    grid->addWidget(makeLabel(pick("Alto plancha (m):", "Sheet height (m):"), 9, QFont::Normal, panel), 1, 4);
    sheetHeightEdit = makeMeasureEdit(QStringLiteral("sheetHeight"), tooltip, panel);
    grid->addWidget(sheetHeightEdit, 1, 5);
    grid->addWidget(makeLabel(pick("Holgura (m):", "Clearance (m):"), 9, QFont::Normal, panel), 0, 6);
    clearanceEdit = makeMeasureEdit(QStringLiteral("clearance"), tooltip, panel);
    grid->addWidget(clearanceEdit, 0, 7);
    grid->addWidget(makeLabel(pick("Inicio:", "Start:"), 9, QFont::Normal, panel), 1, 6);

    startCombo = new QComboBox(panel);
    startCombo->setObjectName(QStringLiteral("start"));
    // Index order is the StartCorner order.
    startCombo->addItems({pick("Automático", "Automatic"), pick("Superior izquierda", "Top left"),
                          pick("Superior derecha", "Top right"), pick("Inferior izquierda", "Bottom left"),
                          pick("Inferior derecha", "Bottom right")});
    startCombo->setFixedWidth(140);
    grid->addWidget(startCombo, 1, 7);

    auto *orientation = new QGroupBox(pick("Orientación Plancha", "Sheet orientation"), panel);
    orientation->setObjectName(QStringLiteral("orientation"));
    orientation->setFixedSize(142, 70);
    auto *orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->setContentsMargins(8, 14, 8, 3);
    orientationLayout->setSpacing(2);
    horizontalRadio = new QRadioButton(QStringLiteral("Horizontal"), orientation);
    horizontalRadio->setObjectName(QStringLiteral("horizontal"));
    horizontalRadio->setChecked(true);
    verticalRadio = new QRadioButton(QStringLiteral("Vertical"), orientation);
    verticalRadio->setObjectName(QStringLiteral("vertical"));
    orientationLayout->addWidget(horizontalRadio);
    orientationLayout->addWidget(verticalRadio);
    grid->addWidget(orientation, 0, 8, 2, 1);

    // Their commands are connected by wireComputationCommands.
    recalculateButton = makeButton(pick("Recalcular", "Recalculate"));
    recalculateButton->setObjectName(QStringLiteral("recalculate"));
    grid->addWidget(recalculateButton, 0, 9);
    optimiseButton = makeButton(pick("Optimizar", "Optimise"));
    optimiseButton->setObjectName(QStringLiteral("optimize"));
    grid->addWidget(optimiseButton, 1, 9);

    grid->setColumnMinimumWidth(3, 28);
    grid->setColumnStretch(10, 1);
}

QWidget *RodalixV69::buildReportColumn(bool spanish)
{
    const auto pick = [spanish](const char *es, const char *en) {
        return QString::fromUtf8(spanish ? es : en);
    };

    auto *column = new QWidget;
    column->setObjectName(QStringLiteral("reportColumn"));
    column->setFixedWidth(380);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);

    layout->addWidget(makeLabel(pick("INFORME DE DESPIECE", "CUTTING REPORT"), 11, QFont::Bold, column));
    reportText = new QPlainTextEdit(column);
    reportText->setObjectName(QStringLiteral("report"));
    reportText->setReadOnly(true);
    // Lines wrap at the box's width, so a horizontal bar would only ever
    // show up, empty, before the first layout pass.
    reportText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont reportFont(QStringLiteral("Arial"));
    reportFont.setPointSize(9);
    reportText->setFont(reportFont);
    reportText->setPlainText(pick("Carga un archivo DXF para comenzar.", "Load a DXF file to get started."));
    layout->addWidget(reportText, 53);

    layout->addWidget(makeLabel(pick("LEYENDA DE MEDIDAS", "DIMENSION LEGEND"), 11, QFont::Bold, column));
    legendTable = new QTableWidget(0, 3, column);
    legendTable->setObjectName(QStringLiteral("legend"));
    legendTable->setHorizontalHeaderLabels({pick("Código", "Code"),
                                            pick("Medidas (Ancho x Alto)", "Dimensions (Width x Height)"),
                                            pick("Cant.", "Qty.")});
    QHeaderView *header = legendTable->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    legendTable->verticalHeader()->setVisible(false);
    legendTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    legendTable->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(legendTable, 45);
    return column;
}

QWidget *RodalixV69::buildLayoutArea(bool spanish)
{
    const auto pick = [spanish](const char *es, const char *en) {
        return QString::fromUtf8(spanish ? es : en);
    };

    auto *area = new QWidget;
    area->setObjectName(QStringLiteral("layoutArea"));
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);

    canvas = new NestingCanvas(area);
    canvas->setObjectName(QStringLiteral("canvas"));
    layout->addWidget(canvas, 1);

    auto *buttons = new QHBoxLayout;
    QPushButton *zoomIn = makeButton(pick("Acercar", "Zoom in"));
    zoomIn->setObjectName(QStringLiteral("zoomIn"));
    QPushButton *zoomOut = makeButton(pick("Alejar", "Zoom out"));
    zoomOut->setObjectName(QStringLiteral("zoomOut"));
    QPushButton *fitView = makeButton(pick("Ajustar vista", "Fit view"));
    fitView->setObjectName(QStringLiteral("fitView"));
    viewSheetsButton = makeButton(pick("Ver planchas de corte", "View cutting sheets"));
    viewSheetsButton->setObjectName(QStringLiteral("viewSheets"));
    for (QPushButton *button : {zoomIn, zoomOut, fitView, viewSheetsButton})
        buttons->addWidget(button);
    buttons->addStretch();
    QLabel *hint = makeLabel(pick("Rueda: zoom · arrastra con botón derecho: mover vista.",
                                  "Wheel: zoom; drag with the right mouse button to pan."),
                             8, QFont::Normal, area);
    hint->setObjectName(QStringLiteral("hint"));
    buttons->addWidget(hint);
    layout->addLayout(buttons);

    connect(zoomIn, &QPushButton::clicked, canvas, &NestingCanvas::zoomIn);
    connect(zoomOut, &QPushButton::clicked, canvas, &NestingCanvas::zoomOut);
    connect(fitView, &QPushButton::clicked, canvas, &NestingCanvas::resetView);
    connect(viewSheetsButton, &QPushButton::clicked, this, &RodalixV69::showCuttingSheets);
    return area;
}

} // namespace tallero
