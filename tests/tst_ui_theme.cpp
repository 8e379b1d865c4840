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

    // The sheet is one Qt accepts: the window, a plain button and the
    // Optimise button (addressed by its object name) come out in the
    // theme's colours.
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
