#include "ui/userguide.h"

#include "ui/commandbutton.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tallero {

namespace {

// The workflow starts with the sheet sizes: a drawing loaded before them is
// refused, because the plan is computed as soon as it is loaded.
const char *const spanishGuide =
    "<h2>Guía de uso</h2>"
    "<h3>1. Unidades de trabajo: metros</h3>"
    "<p>Tallero trabaja exclusivamente en metros. Introduce el ancho, el alto y la holgura de la plancha en "
    "metros. El plano DXF debe estar dibujado a escala real en metros: un plano en milímetros, centímetros o "
    "pulgadas da resultados erróneos.</p>"
    "<h3>2. Flujo de trabajo</h3>"
    "<ol>"
    "<li>Introduce el ancho, el alto y la holgura de la plancha.</li>"
    "<li><b>Archivo → Cargar plano DXF</b>.</li>"
    "<li>Elige la orientación y la esquina de inicio, o pulsa <b>Optimizar</b>.</li>"
    "<li>Revisa la vista de montaje y las planchas de corte; después exporta el informe PDF.</li>"
    "<li>Guarda el trabajo como proyecto <b>.tlr</b>.</li>"
    "</ol>"
    "<h3>3. Archivos DXF compatibles</h3>"
    "<ul>"
    "<li>Una sola pieza 2D a escala real, en metros.</li>"
    "<li>Entidades LWPOLYLINE y POLYLINE, líneas, arcos, círculos, elipses y splines.</li>"
    "<li>Usa un contorno cerrado, sin líneas duplicadas ni cruzadas.</li>"
    "<li>Los vacíos interiores del contorno se convierten en huecos.</li>"
    "<li>Sin un contorno cerrado se usa la caja delimitadora del dibujo.</li>"
    "</ul>"
    "<h3>4. Parámetros de la plancha</h3>"
    "<ul>"
    "<li><b>Ancho y alto:</b> las medidas de cada plancha.</li>"
    "<li><b>Holgura:</b> la separación entre las planchas de la cuadrícula. Las piezas recortadas se anidan "
    "en las planchas de corte tocándose, sin separación entre ellas.</li>"
    "<li><b>Horizontal</b> usa las medidas introducidas; <b>vertical</b> las intercambia.</li>"
    "<li><b>Inicio:</b> la esquina desde la que se coloca el despiece.</li>"
    "<li><b>Configuración → Anidado exhaustivo:</b> busca más tiempo (unos segundos) un anidado con menos "
    "planchas de corte. Nunca da más planchas que el anidado normal y solo cambia el resultado cuando ahorra "
    "al menos una; en muchos planos no encuentra uno mejor y el resultado no cambia.</li>"
    "</ul>"
    "<h3>5. Cómo leer el informe</h3>"
    "<ul>"
    "<li><b>Planchas enteras:</b> planchas que se colocan sin cortar.</li>"
    "<li><b>Planchas de corte:</b> planchas de las que se cortan las piezas recortadas; un color por plancha "
    "física.</li>"
    "<li><b>Total de compra:</b> planchas enteras más planchas de corte.</li>"
    "<li><b>Aprovechamiento y desperdicio:</b> la parte del material comprado que se usa y la que queda "
    "libre.</li>"
    "<li><b>Leyenda:</b> código, medida y cantidad de cada tipo de pieza.</li>"
    "</ul>"
    "<h3>6. Vista, planchas y proyectos</h3>"
    "<ul>"
    "<li>La rueda del ratón acerca y aleja la vista; arrastrar con el botón derecho o el central la mueve.</li>"
    "<li>En <b>Ver planchas de corte</b> el rectángulo blanco es la plancha entera y las zonas de color son "
    "el material que hay que cortar.</li>"
    "<li>Los proyectos se proponen por defecto en la carpeta <b>Documentos/Tallero/Proyectos</b>.</li>"
    "</ul>";

const char *const englishGuide =
    "<h2>User guide</h2>"
    "<h3>1. Working units: metres</h3>"
    "<p>Tallero works exclusively in metres. Enter the sheet width, height and clearance in metres. The DXF "
    "drawing must be drawn at real scale in metres: a drawing in millimetres, centimetres or inches gives "
    "wrong results.</p>"
    "<h3>2. Workflow</h3>"
    "<ol>"
    "<li>Enter the sheet width, height and clearance.</li>"
    "<li><b>File → Load DXF drawing</b>.</li>"
    "<li>Choose the orientation and the start corner, or click <b>Optimise</b>.</li>"
    "<li>Review the layout view and the cutting sheets, then export the PDF report.</li>"
    "<li>Save the work as a <b>.tlr</b> project.</li>"
    "</ol>"
    "<h3>3. Supported DXF files</h3>"
    "<ul>"
    "<li>One 2D piece at real scale, in metres.</li>"
    "<li>LWPOLYLINE and POLYLINE entities, lines, arcs, circles, ellipses and splines.</li>"
    "<li>Use a closed outline without duplicate or crossing lines.</li>"
    "<li>Voids inside the outline become holes.</li>"
    "<li>Without a closed outline the drawing's bounding box is used.</li>"
    "</ul>"
    "<h3>4. Sheet parameters</h3>"
    "<ul>"
    "<li><b>Width and height:</b> the size of every sheet.</li>"
    "<li><b>Clearance:</b> the gap between the sheets of the grid. Cut pieces are nested onto the cutting "
    "sheets touching one another, with no gap between them.</li>"
    "<li><b>Horizontal</b> uses the sizes as entered; <b>vertical</b> swaps them.</li>"
    "<li><b>Start:</b> the corner from which the plan is placed.</li>"
    "<li><b>Settings → Thorough nesting:</b> searches longer (a few seconds) for a nesting with fewer "
    "cutting sheets. It never gives more sheets than the standard nesting and changes the result only when it "
    "saves at least one; on many drawings it finds no better nesting and nothing changes.</li>"
    "</ul>"
    "<h3>5. Reading the report</h3>"
    "<ul>"
    "<li><b>Full sheets:</b> sheets laid without cutting.</li>"
    "<li><b>Cutting sheets:</b> sheets the cut pieces are cut from; one colour per physical sheet.</li>"
    "<li><b>Total purchase:</b> full sheets plus cutting sheets.</li>"
    "<li><b>Efficiency and waste:</b> the share of the purchased material that is used, and the share left "
    "free.</li>"
    "<li><b>Legend:</b> code, size and quantity of every piece type.</li>"
    "</ul>"
    "<h3>6. View, sheets and projects</h3>"
    "<ul>"
    "<li>The mouse wheel zooms; dragging with the right or middle button pans.</li>"
    "<li>In <b>View cutting sheets</b> the white rectangle is the whole sheet and the coloured areas are the "
    "material to cut.</li>"
    "<li>Projects are proposed by default in the folder <b>Tallero/Proyectos</b> inside your documents "
    "folder.</li>"
    "</ul>";

const char *const germanGuide =
    "<h2>Benutzerhandbuch</h2>"
    "<h3>Arbeitseinheiten</h3>"
    "<p>Tallero arbeitet ausschließlich in Metern. Geben Sie Plattenbreite, Plattenhöhe und Abstand in Metern "
    "ein. Die DXF-Zeichnung muss im realen Maßstab in Metern gezeichnet sein.</p>"
    "<h3>Arbeitsablauf</h3>"
    "<ol>"
    "<li>Plattenbreite, Plattenhöhe und Abstand eingeben.</li>"
    "<li><b>Datei → DXF-Zeichnung laden</b>.</li>"
    "<li>Ausrichtung und Startecke wählen oder <b>Optimieren</b> klicken.</li>"
    "<li>Montageansicht und Zuschnittplatten prüfen, dann den PDF-Bericht exportieren.</li>"
    "<li>Die Arbeit als <b>.tlr</b>-Projekt speichern.</li>"
    "</ol>"
    "<h3>DXF-Dateien</h3>"
    "<ul>"
    "<li>Unterstützt werden LWPOLYLINE und POLYLINE, Linien, Bögen, Kreise, Ellipsen und Splines.</li>"
    "<li>Verwenden Sie eine geschlossene Kontur ohne doppelte oder sich kreuzende Linien.</li>"
    "</ul>"
    "<h3>Ansichten und Berichte</h3>"
    "<ul>"
    "<li><b>Einstellungen → Gründliche Verschachtelung:</b> sucht länger (einige Sekunden) nach einer "
    "Verschachtelung mit weniger Zuschnittplatten. Sie ergibt nie mehr Platten als die normale und ändert "
    "das Ergebnis nur, wenn sie mindestens eine spart; bei vielen Zeichnungen findet sie keine bessere "
    "und nichts ändert sich.</li>"
    "<li>Mausrad: Zoom; mit der rechten oder mittleren Maustaste verschieben.</li>"
    "<li>In <b>Zuschnittplatten anzeigen</b> ist das weiße Rechteck die ganze Platte; die farbigen Flächen "
    "sind die zu schneidenden Teile.</li>"
    "</ul>";

} // namespace

UserGuideTexts userGuideTexts(const QString &language)
{
    if (language == QLatin1String("de"))
        return {QStringLiteral("Benutzerhandbuch · Tallero"), QStringLiteral("Schließen"),
                QString::fromUtf8(germanGuide)};
    if (language == QLatin1String("en"))
        return {QStringLiteral("User guide · Tallero"), QStringLiteral("Close"), QString::fromUtf8(englishGuide)};
    return {QStringLiteral("Guía de uso · Tallero"), QStringLiteral("Cerrar"), QString::fromUtf8(spanishGuide)};
}

UserGuideDialog::UserGuideDialog(QWidget *parent, const QString &language)
    : QDialog(parent)
{
    const UserGuideTexts texts = userGuideTexts(language);
    setObjectName(QStringLiteral("userGuideDialog"));
    setWindowTitle(texts.title);
    resize(preferredWidth, preferredHeight);

    auto *layout = new QVBoxLayout(this);
    textBrowser = new QTextBrowser(this);
    textBrowser->setObjectName(QStringLiteral("guideText"));
    // A click on anything that looks like a link neither opens another
    // program nor replaces the guide.
    textBrowser->setOpenExternalLinks(false);
    textBrowser->setOpenLinks(false);
    textBrowser->setHtml(texts.html);
    layout->addWidget(textBrowser, 1);

    closer = makeCommandButton(texts.closeText);
    closer->setObjectName(QStringLiteral("closeGuide"));
    layout->addWidget(closer, 0, Qt::AlignRight);
    connect(closer, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tallero
