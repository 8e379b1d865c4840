// The user guide and the about box: their texts by language, the Help menu
// that opens them, their size on a small screen, and links that open nothing.

#include "uitestsupport.h"

#include "ui/aboutbox.h"
#include "ui/modaldialog.h"
#include "ui/userguide.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

using namespace tallero;

// Stands in for the desktop: every URL the program would hand to another
// program lands here instead.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

namespace {

struct SeenDialog
{
    QString title;
    QString text;        // the guide's close button, or the about box's body
    QSize size;
    QWidget *parent = nullptr;
};

// The text of the ordered list's items, in order.
QStringList orderedSteps(const QString &html)
{
    const qsizetype from = html.indexOf(QStringLiteral("<ol>"));
    const qsizetype to = html.indexOf(QStringLiteral("</ol>"));
    QStringList steps;
    static const QRegularExpression item(QStringLiteral("<li>(.*?)</li>"));
    for (auto match = item.globalMatch(html.mid(from, to - from)); match.hasNext();)
        steps << match.next().captured(1);
    return steps;
}

} // namespace

class UiHelpTest : public QObject
{
    Q_OBJECT

private:
    QList<SeenDialog> seen;

    static std::unique_ptr<RodalixV69> makeWindow(const QString &language)
    {
        return testing::makeWindowIn<RodalixV69>(language);
    }

    // Every modal dialog is recorded and closed at once.
    void recordDialogs()
    {
        setModalDialogHook([this](QDialog &dialog) {
            SeenDialog entry{dialog.windowTitle(), QString(), dialog.size(), dialog.parentWidget()};
            if (auto *box = qobject_cast<QMessageBox *>(&dialog))
                entry.text = box->text();
            else if (auto *guide = qobject_cast<UserGuideDialog *>(&dialog))
                entry.text = guide->closeButton()->text();
            seen.append(entry);
        });
    }

private slots:
    void initTestCase()
    {
        testing::isolateUserState();
        QCoreApplication::setApplicationName(QStringLiteral("Tallero"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TALLERO_VERSION));
        setMessageBoxHook([](const MessageBoxRequest &) { return QMessageBox::Ok; });
        recordDialogs();
    }

    void init() { seen.clear(); }

    void guideTexts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("close");
        QTest::addColumn<int>("sections");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        // The clearance is the gap between grid sheets, and projects live
        // in the folder the program really uses.
        QTest::newRow("es") << "es" << "Guía de uso · Tallero" << "Cerrar" << 6
                            << QStringList{"la separación entre las planchas de la cuadrícula",
                                           "Documentos/Tallero/Proyectos"}
                            << QStringList{"mínima", "Windows"};
        QTest::newRow("en") << "en" << "User guide · Tallero" << "Close" << 6
                            << QStringList{"the gap between the sheets of the grid", "Tallero/Proyectos"}
                            << QStringList{"Documents/Tallero/Projects", "minimum separation", "Windows"};
        QTest::newRow("de") << "de" << "Benutzerhandbuch · Tallero" << "Schließen" << 4 << QStringList{}
                            << QStringList{"Windows"};
        QTest::newRow("other language is Spanish")
            << "pt" << "Guía de uso · Tallero" << "Cerrar" << 6 << QStringList{"<h2>Guía de uso</h2>"}
            << QStringList{};
    }

    void guideTexts()
    {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QString, close);
        QFETCH(int, sections);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const UserGuideTexts texts = userGuideTexts(language);
        QCOMPARE(texts.title, title);
        QCOMPARE(texts.closeText, close);
        QCOMPARE(texts.html.count(QStringLiteral("<h3>")), sections);
        for (const QString &text : present)
            QVERIFY2(texts.html.contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!texts.html.contains(text), qPrintable(text));

        static const QRegularExpression tag(QStringLiteral("</?([a-zA-Z0-9]+)"));
        const QStringList allowed{"h2", "h3", "p", "b", "ol", "ul", "li"};
        for (auto match = tag.globalMatch(texts.html); match.hasNext();) {
            const QString element = match.next().captured(1);
            QVERIFY2(allowed.contains(element), qPrintable(element));
        }

        // Sheet sizes come first: a drawing loaded before them is refused.
        const QStringList steps = orderedSteps(texts.html);
        QCOMPARE(steps.size(), 5);
        static const QRegularExpression sizes(QStringLiteral("ancho|width|Plattenbreite"));
        static const QRegularExpression load(QStringLiteral("Cargar plano DXF|Load DXF drawing|DXF-Zeichnung laden"));
        QVERIFY2(steps.at(0).contains(sizes), qPrintable(steps.at(0)));
        QVERIFY2(steps.at(1).contains(load), qPrintable(steps.at(1)));
    }

    // Each entry opens its dialog over the window. The guide follows the
    // language of the moment; the About entry of a German window stays
    // German. The about box names the version and the platform, and never
    // shows a placeholder or another system's name.
    void helpMenu_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("switchTo");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("texts");
        const QString version = QStringLiteral("<b>Version " TALLERO_VERSION "</b>");
        const QString spanishVersion = QStringLiteral("<b>Versión " TALLERO_VERSION "</b>");
        QTest::newRow("en guide") << "en" << QString() << "userGuide" << "User guide · Tallero" << QStringList{"Close"};
        QTest::newRow("es about") << "es" << QString() << "about" << "Acerca de"
                                  << QStringList{spanishVersion, "<br>Aplicación de escritorio<br>"};
        QTest::newRow("en about") << "en" << QString() << "about" << "About"
                                  << QStringList{version, "<br>Desktop application<br>"};
        QTest::newRow("de about") << "de" << QString() << "about" << "Über Tallero"
                                  << QStringList{version, "<br>Desktop-Anwendung<br>"};
        QTest::newRow("de window now English, guide")
            << "de" << "en" << "userGuide" << "User guide · Tallero" << QStringList{"Close"};
        QTest::newRow("de window now English, about") << "de" << "en" << "about" << "Über Tallero"
                                                      << QStringList{version, "Desktop-Anwendung"};
    }

    void helpMenu()
    {
        QFETCH(QString, language);
        QFETCH(QString, switchTo);
        QFETCH(QString, entry);
        QFETCH(QString, title);
        QFETCH(QStringList, texts);
        const auto window = makeWindow(language);
        if (!switchTo.isEmpty())
            window->setLanguage(switchTo);
        testing::triggerAction(window.get(), qPrintable(entry));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, title);
        QCOMPARE(seen[0].parent, window.get());
        for (const QString &text : texts)
            QVERIFY2(seen[0].text.contains(text), qPrintable(seen[0].text));
        if (entry == QLatin1String("about")) {
            QVERIFY(seen[0].text.startsWith(QStringLiteral("<h3>Tallero</h3><p>")));
            QVERIFY(!seen[0].text.contains(QStringLiteral("Windows")));
            QVERIFY(!seen[0].text.contains(QLatin1Char('%')));
        }
    }

    void guideShrinksToTheScreen()
    {
        // The 1024 × 600 screen is lower than the guide.
        const auto window = makeWindow(QStringLiteral("en"));
        window->showUserGuide();
        QCOMPARE(seen.size(), 1);
        const QSize available = window->screen()->availableGeometry().size();
        QVERIFY(available.height() < UserGuideDialog::preferredHeight);
        QVERIFY2(seen[0].size.width() <= available.width() && seen[0].size.height() <= available.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(seen[0].size.width()).arg(seen[0].size.height())));
        QCOMPARE(seen[0].size.width(), UserGuideDialog::preferredWidth);
    }

    void closeButtonCloses()
    {
        UserGuideDialog dialog(nullptr, QStringLiteral("es"));
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        dialog.show();
        dialog.closeButton()->click();
        QCOMPARE(accepted.count(), 1);
        QVERIFY(!dialog.isVisible());
    }

    void linksOpenNothing_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("control");
        QTest::newRow("en") << "en" << false;
        // The same click on a browser that does open links reaches the
        // recorder: the click is a real one.
        QTest::newRow("control: a browser that opens links") << "en" << true;
    }

    void linksOpenNothing()
    {
        QFETCH(QString, language);
        QFETCH(bool, control);
        UrlRecorder recorder;
        const QStringList schemes{"http", "https", "file", "mailto"};
        for (const QString &scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, &recorder, "open");

        UserGuideDialog dialog(nullptr, language);
        QTextBrowser *browser = dialog.browser();
        QVERIFY(!browser->openExternalLinks());
        QVERIFY(!browser->openLinks());
        if (control) {
            browser->setOpenLinks(true);
            browser->setOpenExternalLinks(true);
        }
        // Something that looks like a link, at the top of the guide.
        QTextCursor cursor(browser->document());
        cursor.insertHtml(QStringLiteral("<a href=\"https://example.org/guide\">example</a> "));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy clicked(browser, &QTextBrowser::anchorClicked);
        QTextCursor onLink(browser->document());
        onLink.setPosition(3);
        const QPoint at = browser->cursorRect(onLink).center();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, at);

        for (const QString &scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
        // A browser that opens links hands the link over instead of
        // reporting the click.
        QCOMPARE(recorder.urls.size(), control ? 1 : 0);
        QCOMPARE(clicked.count(), control ? 0 : 1);
        QVERIFY(browser->source().isEmpty());
        QVERIFY(browser->toPlainText().contains(QStringLiteral("example")));
    }

    void aboutBoxOpensNoLinks()
    {
        QMessageBox *captured = nullptr;
        QList<bool> opens;
        setModalDialogHook([&](QDialog &dialog) {
            captured = qobject_cast<QMessageBox *>(&dialog);
            if (captured) {
                for (const QLabel *label : captured->findChildren<QLabel *>())
                    opens << label->openExternalLinks();
            }
        });
        showAboutBox(nullptr, QStringLiteral("en"));
        setModalDialogHook({});
        QVERIFY(captured);
        QVERIFY(!opens.isEmpty());
        QVERIFY(!opens.contains(true));
        recordDialogs();
    }
};

// A netbook screen, lower than both the viewer and the guide.
TALLERO_TEST_MAIN_ON_SCREEN(UiHelpTest, 1024, 600)
#include "tst_ui_help.moc"
