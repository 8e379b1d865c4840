#include "ui/aboutbox.h"

#include "ui/modaldialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>

namespace tallero {

AboutBoxTexts aboutBoxTexts(const QString &language)
{
    // The program runs on more than one platform: the box says what it is,
    // not where.
    AboutBoxTexts texts;
    if (language == QLatin1String("de")) {
        texts.title = QStringLiteral("Über Tallero");
        texts.body = QStringLiteral(
            "<h3>%1</h3><p>Werkzeug zur Optimierung und Planung von Zuschnitten aus DXF-Konturen.</p>"
            "<p><b>Version %2</b><br>Desktop-Anwendung<br>Geometrische Nesting-Engine · Zuschnittplatten · "
            "PDF-Berichte</p>");
    } else if (language == QLatin1String("en")) {
        texts.title = QStringLiteral("About");
        texts.body = QStringLiteral(
            "<h3>%1</h3><p>Cutting optimisation and planning tool for making the best use of sheets from DXF "
            "outlines.</p><p><b>Version %2</b><br>Desktop application<br>Real geometric nesting engine · "
            "Cutting sheets · PDF reports</p>");
    } else {
        texts.title = QStringLiteral("Acerca de");
        texts.body = QStringLiteral(
            "<h3>%1</h3><p>Herramienta de optimización y planificación de corte para el aprovechamiento de "
            "planchas a partir de contornos DXF.</p><p><b>Versión %2</b><br>Aplicación de escritorio<br>Motor "
            "de nesting geométrico real · Planos de corte · Informes PDF</p>");
    }
    texts.body = texts.body.arg(QCoreApplication::applicationName().toHtmlEscaped(),
                                QCoreApplication::applicationVersion().toHtmlEscaped());
    return texts;
}

void showAboutBox(QWidget *parent, const QString &language)
{
    const AboutBoxTexts texts = aboutBoxTexts(language);
    QMessageBox box(QMessageBox::Information, texts.title, texts.body, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setTextFormat(Qt::RichText);
    const QIcon icon = box.windowIcon();
    box.setIconPixmap(icon.pixmap(icon.actualSize(QSize(64, 64))));
    // The body holds no links; should one ever appear, it opens nothing.
    for (QLabel *label : box.findChildren<QLabel *>())
        label->setOpenExternalLinks(false);
    runModalDialog(box);
}

} // namespace tallero
