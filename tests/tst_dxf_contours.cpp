// Chaining segments into loops, choosing the outline and its holes, and the
// bounding-rectangle fallback.

#include "tst_dxf_support.h"

#include "dxf/contourassembly.h"
#include "dxf/dxfreader.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace tallero;
using namespace tallero::testing;

class TestDxfContours : public QObject
{
    Q_OBJECT

private:
    DxfScratch m_files;

    static QString lines(const QPolygonF &path)
    {
        QString text;
        for (qsizetype k = 1; k < path.size(); ++k)
            text += QStringLiteral("0 LINE;10 %1;20 %2;11 %3;21 %4;")
                        .arg(path[k - 1].x(), 0, 'g', 17).arg(path[k - 1].y(), 0, 'g', 17)
                        .arg(path[k].x(), 0, 'g', 17).arg(path[k].y(), 0, 'g', 17);
        return text;
    }
    static QString lwpolyline(const QPolygonF &ring)
    {
        QString text = QStringLiteral("0 LWPOLYLINE;70 1;");
        for (QPointF p : ring)
            text += QStringLiteral("10 %1;20 %2;").arg(p.x()).arg(p.y());
        return text;
    }
    static QPolygonF square(double x, double y, double side)
    {
        return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
    }

private slots:
    void initTestCase() { isolateUserState(); }

    // Every order of the four sides, each side in either direction.
    void rectangleFromLinesInAnyOrder()
    {
        const QList<Segment> sides{{{0, 0}, {2, 0}}, {{2, 0}, {2, 1.2}}, {{2, 1.2}, {0, 1.2}}, {{0, 1.2}, {0, 0}}};
        QList<int> order{0, 1, 2, 3};
        do {
            for (int flips = 0; flips < 16; ++flips) {
                QList<Segment> segments;
                for (int k : order) {
                    const Segment s = sides[k];
                    segments.append(flips & (1 << k) ? Segment{s.end, s.start} : s);
                }
                Drawing drawing;
                QString error;
                QVERIFY(assembleContours({{0, 0}, {2, 1.2}}, segments, {}, drawing, error));
                QVERIFY(!drawing.boundingBoxFallback);
                QCOMPARE(drawing.rings.size(), 1);
                QCOMPARE(drawing.rings.first().size(), 5);
                QCOMPARE(drawing.bounds, QRectF(0, 0, 2, 1.2));
                QVERIFY(std::abs(drawing.area - 2.4) < 1e-9);
            }
        } while (std::next_permutation(order.begin(), order.end()));
    }

    void assembly_data()
    {
        QTest::addColumn<QString>("entities");
        QTest::addColumn<double>("area");
        QTest::addColumn<int>("rings");
        QTest::addColumn<bool>("fallback");

        const double circle96 = 48 * std::sin(2 * std::numbers::pi / 96);   // unit circle as a 96-gon
        auto gapped = [](double dx, double dy) {
            return lines({{dx, dy}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
        };
        QTest::newRow("triangle of lines") << lines({{0, 0}, {1, 0}, {1, 1}, {0, 0}}) << 0.5 << 1 << false;
        QTest::newRow("out and back is dropped") << lines({{0, 0}, {1, 1}, {0, 0}}) << 1.0 << 1 << true;
        QTest::newRow("open lines give their bounds") << lines({{0, 0}, {3, 0}, {3, 2}}) << 6.0 << 1 << true;
        QTest::newRow("gap just inside") << gapped(0.99e-5, 0) << 1.0 << 1 << false;
        QTest::newRow("diagonal gap just inside") << gapped(0.7e-5, 0.7e-5) << 1.0 << 1 << false;
        QTest::newRow("gap of the tolerance") << gapped(1e-5, 0) << 1.0 << 1 << true;
        QTest::newRow("gap just outside") << gapped(0, -1.01e-5) << 1.0 + 1.01e-5 << 1 << true;
        QTest::newRow("arc and line") << "0 ARC;40 1;50 0;51 180;" + lines({{-1, 0}, {1, 0}})
                                      << 22.5 * std::sin(4 * std::numbers::pi / 180) << 1 << false;
        QTest::newRow("circular hole") << lwpolyline(square(0, 0, 4)) + "0 CIRCLE;10 2;20 2;40 1"
                                       << 16 - circle96 << 2 << false;
        QTest::newRow("loop inside a hole") << lwpolyline(square(0, 0, 10)) + lwpolyline(square(2, 2, 6)) + lwpolyline(square(4, 4, 2))
                                            << 64.0 << 2 << false;
        QTest::newRow("larger of two rectangles") << lwpolyline(square(0, 0, 1)) + lwpolyline(square(5, 0, 3)) << 9.0 << 1 << false;
    }

    void assembly()
    {
        QFETCH(QString, entities);
        QFETCH(double, area);
        QFETCH(int, rings);
        QFETCH(bool, fallback);
        Drawing drawing;
        QString error;
        QVERIFY2(readDxfDrawing(m_files.writeEntities(entities), drawing, error), qPrintable(error));
        QVERIFY(std::abs(drawing.area - area) < 1e-9);
        QCOMPARE(drawing.rings.size(), rings);
        QCOMPARE(drawing.boundingBoxFallback, fallback);
    }
};

QTEST_GUILESS_MAIN(TestDxfContours)
#include "tst_dxf_contours.moc"
