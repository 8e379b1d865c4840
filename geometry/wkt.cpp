#include "geometry/internal/wkt.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

namespace tallero {

namespace {

constexpr double minimumExteriorArea = 1e-7;

} // namespace

QString ringToWkt(const QPolygonF &ring)
{
    QString text;
    text.reserve(int(ring.size()) * 32 + 2);
    text += QLatin1Char('(');
    for (qsizetype i = 0; i < ring.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(',');
        text += QString::number(ring[i].x(), 'f', 10);
        text += QLatin1Char(' ');
        text += QString::number(ring[i].y(), 'f', 10);
    }
    text += QLatin1Char(')');
    return text;
}

QList<Polygon> acceptPolygons(const QList<Polygon> &polygons)
{
    QList<Polygon> accepted;
    for (const Polygon &polygon : polygons) {
        if (polygon.isEmpty())
            continue;
        Polygon closed;
        closed.reserve(polygon.size());
        for (const QPolygonF &ring : polygon)
            closed.append(closeRing(ring));
        const QPolygonF &exterior = closed.first();
        if (exterior.size() < 4 || ringArea(exterior) < minimumExteriorArea)
            continue;
        accepted.append(closed);
    }
    return accepted;
}

QString acceptedPolygonsToWkt(const QList<Polygon> &accepted)
{
    QStringList texts;
    for (const Polygon &polygon : accepted) {
        QString text = QLatin1Char('(') + ringToWkt(polygon.first());
        for (qsizetype h = 1; h < polygon.size(); ++h) {
            if (polygon[h].size() >= 4)
                text += QLatin1Char(',') + ringToWkt(polygon[h]);
        }
        text += QLatin1Char(')');
        texts.append(text);
    }
    if (texts.size() == 1)
        return QStringLiteral("POLYGON") + texts.first();
    if (texts.size() > 1)
        return QStringLiteral("MULTIPOLYGON(") + texts.join(QLatin1Char(',')) + QLatin1Char(')');
    return QString();
}

PolygonsWkt polygonsToWkt(const QList<Polygon> &polygons)
{
    PolygonsWkt result;
    result.accepted = acceptPolygons(polygons);
    result.text = acceptedPolygonsToWkt(result.accepted);
    return result;
}

GeometryHandle readWkt(const QString &text)
{
    // The reader switches the process's numeric locale to "C" and back
    // around every read, and setlocale is not safe against itself on other
    // threads: a plan on a worker thread and a drawing read on the UI thread
    // would race. One reader at a time, whatever the thread.
    static QMutex readerLock;
    const QMutexLocker lock(&readerLock);
    GEOSContextHandle_t context = geometryContext();
    GEOSWKTReader *reader = GEOSWKTReader_create_r(context);
    if (!reader)
        return {};
    const QByteArray bytes = text.toUtf8();
    GEOSGeometry *geometry = GEOSWKTReader_read_r(context, reader, bytes.constData());
    GEOSWKTReader_destroy_r(context, reader);
    return own(geometry);
}

} // namespace tallero
