#include "ui/enginemessages.h"
#include "ui/localisation.h"
#include "ui/preferences.h"
#include "testsupport.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>

using namespace tallero;

namespace {

// Every string constant declared in one of the core's message headers, in
// the order declared; adjacent literals are joined as the compiler would.
QStringList messageConstants(const QString &header)
{
    QFile file(QStringLiteral(TALLERO_SOURCE_DIR) + QLatin1Char('/') + header);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString source = QString::fromUtf8(file.readAll());
    static const QRegularExpression declaration(
        QStringLiteral(R"re(inline\s+constexpr[^=;]*=\s*((?:u?"(?:[^"\\]|\\.)*"\s*)+);)re"));
    static const QRegularExpression literal(QStringLiteral(R"re(u?"((?:[^"\\]|\\.)*)")re"));
    QStringList messages;
    for (auto match = declaration.globalMatch(source); match.hasNext();) {
        QString text;
        for (auto part = literal.globalMatch(match.next().captured(1)); part.hasNext();)
            text += part.next().captured(1);
        messages << text;
    }
    return messages;
}

QStringList coreMessages()
{
    return messageConstants(QStringLiteral("dxf/dxfmessages.h")) + messageConstants(QStringLiteral("engine/engineerrors.h"));
}

const QString spanishSaveAs = QStringLiteral("Guardar proyecto como…");
const QString englishSaveAs = QStringLiteral("Save project as…");

} // namespace

class LocalisationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }
    void cleanup() { setCurrentLanguage(QStringLiteral("es")); }

    // uiText picks between Spanish and English (German from its tables);
    // chooseText, given a German text, between all three.
    void chooser_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("spanish");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");   // empty: uiText
        QTest::addColumn<QString>("expected");
        QTest::newRow("es") << "es" << "Salir" << "Exit" << "" << "Salir";
        QTest::newRow("en") << "en" << "Salir" << "Exit" << "" << "Exit";
        QTest::newRow("de from the menu table") << "de" << "Salir" << "Exit" << "" << "Beenden";
        QTest::newRow("de from the message table") << "de" << "Proyecto guardado: %1" << "Project saved: %1" << ""
                                                   << "Projekt gespeichert: %1";
        QTest::newRow("de keeps English without an entry") << "de" << spanishSaveAs << englishSaveAs << "" << englishSaveAs;
        QTest::newRow("de lookup is case-sensitive") << "de" << "salir" << "exit" << "" << "exit";
        QTest::newRow("unknown code is English") << "fr" << "Salir" << "Exit" << "" << "Exit";
        QTest::newRow("codes are case-sensitive") << "DE" << "Salir" << "Exit" << "" << "Exit";
        QTest::newRow("three-way es") << "es" << "uno" << "one" << "eins" << "uno";
        QTest::newRow("three-way en") << "en" << "uno" << "one" << "eins" << "one";
        QTest::newRow("three-way de") << "de" << "uno" << "one" << "eins" << "eins";
        QTest::newRow("three-way unknown is Spanish") << "fr" << "uno" << "one" << "eins" << "uno";
    }

    void chooser()
    {
        QFETCH(QString, language);
        QFETCH(QString, spanish);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QFETCH(QString, expected);
        setCurrentLanguage(language);
        QCOMPARE(german.isEmpty() ? uiText(spanish, english) : chooseText(spanish, english, german), expected);
    }

    void engineMessages_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");
        const QString noFit = QStringLiteral("Un recorte no cabe en la plancha configurada.");
        QTest::newRow("es unchanged") << "es" << noFit << noFit;
        QTest::newRow("en") << "en" << noFit << "A cut piece does not fit on the configured sheet.";
        const QString crossing = QStringLiteral("Un contorno cerrado del DXF se cruza consigo mismo cerca de x = -4.000 m, y = 2.400 m.");
        QTest::newRow("en filled template") << "en" << crossing << "A closed contour of the DXF crosses itself near x = -4.000 m, y = 2.400 m.";
        QTest::newRow("de filled template") << "de" << crossing << "Eine geschlossene Kontur im DXF schneidet sich selbst bei x = -4.000 m, y = 2.400 m.";
        QTest::newRow("en template with a changed word stays") << "en" << QString(crossing).replace(QStringLiteral("cerca"), QStringLiteral("lejos")) << QString(crossing).replace(QStringLiteral("cerca"), QStringLiteral("lejos"));
        QTest::newRow("en unknown stays") << "en" << "IllegalArgumentException: bad ring" << "IllegalArgumentException: bad ring";
        QTest::newRow("en near miss stays") << "en" << "Un recorte no cabe en la plancha configurada" << "Un recorte no cabe en la plancha configurada";
    }

    void engineMessages()
    {
        QFETCH(QString, language);
        QFETCH(QString, message);
        QFETCH(QString, expected);
        setCurrentLanguage(language);
        QCOMPARE(translateEngineMessage(message), expected);
    }

    // Fails for any message the DXF import or the engine can raise without
    // an English and a German text: add its line to enginemessages.cpp.
    void everyCoreMessageTranslated_data()
    {
        QTest::addColumn<QString>("message");
        const QStringList all = coreMessages();
        QVERIFY2(all.size() >= 11, "the message headers could not be read");
        for (const QString &message : all)
            QTest::newRow(qPrintable(message.left(40))) << message;
    }

    void everyCoreMessageTranslated()
    {
        QFETCH(QString, message);
        setCurrentLanguage(QStringLiteral("en"));
        const QString english = translateEngineMessage(message);
        setCurrentLanguage(QStringLiteral("de"));
        const QString german = translateEngineMessage(message);
        QVERIFY2(english != message, "no English text");
        QVERIFY2(german != message && german != english, "no German text");
        QVERIFY(!english.isEmpty() && !german.isEmpty());
    }

    void noStaleTranslations()
    {
        // Every table entry is a message the core can still raise.
        const QStringList all = coreMessages();
        for (const EngineMessageTranslation &entry : engineMessageTranslations())
            QVERIFY2(all.contains(entry.spanish), qPrintable(entry.spanish));
    }

    void germanPanels()
    {
        QWidget central;
        auto *layout = new QVBoxLayout(&central);
        const auto add = [layout](auto *widget) {
            layout->addWidget(widget);
            return widget;
        };
        auto *piece = add(new QLabel(QStringLiteral("Piece: None loaded")));
        auto *start = add(new QLabel(QStringLiteral("Start:")));
        auto *edit = add(new QLineEdit(QStringLiteral("0.0")));
        edit->setToolTip(QStringLiteral("All Tallero measurements are entered in metres."));
        auto *group = add(new QGroupBox(QStringLiteral("Sheet orientation")));
        auto *groupLayout = new QVBoxLayout(group);
        auto *horizontal = new QRadioButton(QStringLiteral("Horizontal"));
        auto *vertical = new QRadioButton(QStringLiteral("Vertical"));
        groupLayout->addWidget(horizontal);
        groupLayout->addWidget(vertical);
        // A button two levels down, with a tooltip that has an entry.
        auto *fit = new QPushButton(QStringLiteral("Fit view"));
        fit->setToolTip(QStringLiteral("Zoom in"));
        (new QVBoxLayout(add(new QWidget)))->addWidget(fit);
        auto *combo = add(new QComboBox);
        combo->addItems({"Automatic", "Top left", "Top right", "Bottom left", "Bottom right"});
        auto *report = add(new QPlainTextEdit(QStringLiteral("Load a DXF file to get started.")));
        auto *legend = add(new QTableWidget(0, 3));
        legend->setHorizontalHeaderLabels({"Code", "Dimensions (Width x Height)", "Qty."});

        retranslatePanelsToGerman(&central, combo, report, legend);

        QCOMPARE(piece->text(), QStringLiteral("Teil: Nicht geladen"));
        QCOMPARE(group->title(), QStringLiteral("Plattenausrichtung"));
        QCOMPARE(fit->text(), QStringLiteral("Ansicht anpassen"));
        QCOMPARE(fit->toolTip(), QStringLiteral("Vergrößern"));
        QCOMPARE(combo->itemText(0), QStringLiteral("Automatisch"));
        QCOMPARE(combo->itemText(4), QStringLiteral("Unten rechts"));
        QCOMPARE(report->toPlainText(), QStringLiteral("Laden Sie eine DXF-Datei, um zu beginnen."));
        QCOMPARE(legend->horizontalHeaderItem(1)->text(), QStringLiteral("Abmessungen (Breite × Höhe)"));
        QCOMPARE(legend->horizontalHeaderItem(2)->text(), QStringLiteral("Menge"));
        // Without an entry the English stays.
        QCOMPARE(start->text(), QStringLiteral("Start:"));
        QCOMPARE(legend->horizontalHeaderItem(0)->text(), QStringLiteral("Code"));
        QCOMPARE(horizontal->text(), QStringLiteral("Horizontal"));
        QCOMPARE(vertical->text(), QStringLiteral("Vertical"));
        QCOMPARE(edit->toolTip(), QStringLiteral("All Tallero measurements are entered in metres."));
        QCOMPARE(edit->text(), QStringLiteral("0.0"));
    }

    void languageSetting_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << QVariant() << "es";
        QTest::newRow("en") << QVariant("en") << "en";
        QTest::newRow("de") << QVariant("de") << "de";
        QTest::newRow("fr is Spanish") << QVariant("fr") << "es";
        QTest::newRow("empty is Spanish") << QVariant("") << "es";
        QTest::newRow("upper case is Spanish") << QVariant("EN") << "es";
    }

    void languageSetting()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, expected);
        QSettings settings = testing::settingsStore();
        if (stored.isValid())
            settings.setValue(QStringLiteral("ui/language"), stored);
        else
            settings.remove(QStringLiteral("ui/language"));
        settings.sync();
        setCurrentLanguage(QStringLiteral("de"));

        loadLanguageSetting();

        QCOMPARE(currentLanguage(), expected);
        // The stored value is not rewritten.
        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("ui/language")), stored);
    }
};

QTEST_MAIN(LocalisationTest)
#include "tst_ui_localisation.moc"
