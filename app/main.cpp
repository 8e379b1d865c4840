#include "batchplatform.h"
#include "selftest.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>

namespace {

const QString applicationName = QStringLiteral("Tallero");
const QString applicationVersion = QStringLiteral("1.2.0");

// The argument at `position` after `flag`'s own position; past the end of the
// list it reads as empty.
QString argumentAfter(const QStringList &arguments, qsizetype flagIndex, int position)
{
    return arguments.value(flagIndex + position);
}

int notBuiltYet(const char *what)
{
    qCritical("%s is not available in this build yet.", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    tallero::chooseBatchPlatform(argc, argv);
    QApplication application(argc, argv);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallero-icon.png")));
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setApplicationVersion(applicationVersion);

    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QLatin1String(tallero::selfTestFlag)); at >= 0)
        return tallero::runSelfTest(argumentAfter(arguments, at, 1));
    if (arguments.contains(QLatin1String(tallero::pdfTestFlag)))
        return notBuiltYet("The PDF test mode");
    if (arguments.contains(QLatin1String(tallero::uiSnapshotFlag)))
        return notBuiltYet("The main-window snapshot mode");
    if (arguments.contains(QLatin1String(tallero::cutSheetSnapshotFlag)))
        return notBuiltYet("The cutting-sheet snapshot mode");
    return notBuiltYet("The main window");
}
