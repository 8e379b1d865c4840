#include "ui/theme.h"
#include "testsupport.h"

#include <QImage>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace tallero;

class ThemeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    void styleSheet_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QStringList>("rules");
        QTest::newRow("dark") << true << QStringList{
            "QMainWindow,QWidget{background:#0f172a;color:#f8fafc;}",
            "QMenuBar{background:#475569;color:#f8fafc;}",
            "QMenuBar::item{padding:5px 10px;background:transparent;}",
            "QMenuBar::item:selected,QMenu::item:selected{background:#64748b;}",
            "QMenu{background:#0f172a;color:#f8fafc;border:1px solid #334155;}",
            "QMenu::item{padding:6px 24px 6px 18px;}",
            "QLineEdit,QComboBox,QPlainTextEdit,QTableWidget{background:#0f172a;color:#f8fafc;border:1px solid #334155;padding:3px;}",
            "QPushButton{background:#475569;color:#f8fafc;border:0;padding:4px 10px;}",
            "QPushButton:hover{background:#64748b;}",
            "QPushButton#optimize{background:#059669;color:white;}",
            "QGroupBox{border:1px solid #334155;margin-top:8px;padding-top:6px;font-weight:bold;}",
            "QRadioButton{font-weight:normal;}",
            "QRadioButton::indicator{width:9px;height:9px;border:1px solid #334155;border-radius:5px;background:#0f172a;}",
            "QRadioButton::indicator:checked{border:1px solid #ffffff;background:qradialgradient(cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,stop:0 #ffffff,stop:0.28 #ffffff,stop:0.30 #0f172a,stop:1 #0f172a);}",
            "QHeaderView::section{background:#334155;color:#f8fafc;padding:3px;border:1px solid #334155;}"};
        QTest::newRow("light") << false << QStringList{
            "QMainWindow,QWidget{background:#f3f4f6;color:#111827;}",
            "QMenuBar{background:#e5e7eb;color:#111827;}",
            "QMenuBar::item{padding:5px 10px;background:transparent;}",
            "QMenuBar::item:selected,QMenu::item:selected{background:#64748b;}",
            "QMenu{background:#f9fafb;color:#111827;border:1px solid #e5e7eb;}",
            "QMenu::item{padding:6px 24px 6px 18px;}",
            "QLineEdit,QComboBox,QPlainTextEdit,QTableWidget{background:#f9fafb;color:#111827;border:1px solid #e5e7eb;padding:3px;}",
            "QPushButton{background:#e5e7eb;color:#111827;border:0;padding:4px 10px;}",
            "QPushButton:hover{background:#64748b;}",
            "QPushButton#optimize{background:#10b981;color:white;}",
            "QGroupBox{border:1px solid #e5e7eb;margin-top:8px;padding-top:6px;font-weight:bold;}",
            "QRadioButton{font-weight:normal;}",
            "QRadioButton::indicator{width:9px;height:9px;border:1px solid #e5e7eb;border-radius:5px;background:#f9fafb;}",
            "QRadioButton::indicator:checked{border:1px solid #000000;background:qradialgradient(cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,stop:0 #000000,stop:0.28 #000000,stop:0.30 #f9fafb,stop:1 #f9fafb);}",
            "QHeaderView::section{background:#e5e7eb;color:#111827;padding:3px;border:1px solid #e5e7eb;}"};
    }

    void styleSheet()
    {
        QFETCH(bool, dark);
        QFETCH(QStringList, rules);
        QCOMPARE(themeStyleSheet(dark), rules.join(QString()));
    }

    // The sheet must also be one Qt accepts: the window, a plain button and
    // the Optimise button come out in the theme's colours.
    void appliedToWidgets_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("button");
        QTest::addColumn<QColor>("optimise");
        QTest::newRow("dark") << true << QColor(0x0f172a) << QColor(0x475569) << QColor(0x059669);
        QTest::newRow("light") << false << QColor(0xf3f4f6) << QColor(0xe5e7eb) << QColor(0x10b981);
    }

    void appliedToWidgets()
    {
        QFETCH(bool, dark);
        QFETCH(QColor, window);
        QFETCH(QColor, button);
        QFETCH(QColor, optimise);
        QMainWindow mainWindow;
        auto *central = new QWidget;
        auto *layout = new QVBoxLayout(central);
        auto *plain = new QPushButton(QStringLiteral(" "));
        auto *optimiseButton = new QPushButton(QStringLiteral(" "));
        optimiseButton->setObjectName(QStringLiteral("optimize"));
        layout->addWidget(plain);
        layout->addWidget(optimiseButton);
        layout->addStretch(1);
        mainWindow.setCentralWidget(central);
        mainWindow.resize(200, 200);
        mainWindow.setStyleSheet(themeStyleSheet(dark));
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

        const QImage image = mainWindow.grab().toImage();
        QCOMPARE(image.pixelColor(100, 190), window);
        const QPoint plainAt = plain->mapTo(&mainWindow, QPoint(3, plain->height() / 2));
        QCOMPARE(image.pixelColor(plainAt), button);
        const QPoint optimiseAt = optimiseButton->mapTo(&mainWindow, QPoint(3, optimiseButton->height() / 2));
        QCOMPARE(image.pixelColor(optimiseAt), optimise);
    }
};

QTEST_MAIN(ThemeTest)
#include "tst_ui_theme.moc"
