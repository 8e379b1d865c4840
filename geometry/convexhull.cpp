#include "geometry/convexhull.h"

#include <algorithm>

namespace tallero {

namespace {

double cross(const QPointF &o, const QPointF &a, const QPointF &b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

} // namespace

std::vector<QPointF> convexHullPoints(std::vector<QPointF> points)
{
    // Andrew's monotone chain.
    std::sort(points.begin(), points.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    points.erase(std::unique(points.begin(), points.end(),
                             [](const QPointF &a, const QPointF &b) {
                                 return a.x() == b.x() && a.y() == b.y();
                             }),
                 points.end());
    if (points.size() < 3)
        return points;
    std::vector<QPointF> hull(2 * points.size());
    std::size_t k = 0;
    for (const QPointF &p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0.0)
            --k;
        hull[k++] = p;
    }
    const std::size_t lower = k + 1;
    for (auto it = points.rbegin() + 1; it != points.rend(); ++it) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], *it) <= 0.0)
            --k;
        hull[k++] = *it;
    }
    hull.resize(k - 1);
    return hull;
}

double convexHullArea(const std::vector<QPointF> &hull)
{
    if (hull.size() < 3)
        return 0.0;
    double twice = 0.0;
    for (std::size_t i = 0, j = hull.size() - 1; i < hull.size(); j = i++)
        twice += hull[j].x() * hull[i].y() - hull[i].x() * hull[j].y();
    return 0.5 * twice;
}

} // namespace tallero
