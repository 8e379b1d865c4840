#include <QApplication>
#include <QIcon>

namespace {

const QString applicationName = QStringLiteral("Tallero");
const QString applicationVersion = QStringLiteral("1.2.0");

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tallero-icon.png")));
    QCoreApplication::setApplicationName(applicationName);
    QCoreApplication::setApplicationVersion(applicationVersion);
    return 0;
}
