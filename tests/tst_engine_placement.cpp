#include "engine/internal/nesting.h"
#include "engine/internal/placementcandidates.h"
#include "engine/placementsearch.h"
#include "engine/internal/shapetransform.h"
#include "engine/internal/translatedpiece.h"
#include "geometry/shapeops.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <cstring>

using namespace tallero;

namespace {

Shape rectangle(double x, double y, double w, double h)
{
    return rectangleShape(x, y, w, h);
}

CuttingSheet sheetHolding(const Shape &content)
{
    CuttingSheet sheet;
    sheet.placements.append(PiecePlacement{0, 0, content, 0.0, 0.0, 0.0});
    sheet.occupied = content;
    sheet.usedArea = content.area;
    return sheet;
}

using Search = std::optional<ScoredPlacement> (*)(int, const QList<PieceOrientation> &, double,
                                                  double, const CuttingSheet &, int,
                                                  PlacementSearchStatistics *);

std::optional<ScoredPlacement> fastSearch(int piece, const QList<PieceOrientation> &orientations,
                                          double w, double h, const CuttingSheet &sheet, int index,
                                          PlacementSearchStatistics *statistics)
{
    return findBestPlacement(piece, orientations, w, h, sheet, index, statistics);
}

void addSearchRows(const char *name, std::function<void(QTestData &)> rest)
{
    rest(QTest::newRow(QByteArray(name).append(", plain").constData())
         << Search(&findBestPlacementReference));
    rest(QTest::newRow(QByteArray(name).append(", fast").constData()) << Search(&fastSearch));
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Both searches find a place for the piece on the sheet, the same one to the
// bit, with the same score, from the same offsets.
void searchesAgree(const Shape &piece, double w, double h, const CuttingSheet &sheet)
{
    const QList<PieceOrientation> orientations = pieceOrientations(piece, w, h);
    PlacementSearchStatistics plainCounts;
    const auto plain = findBestPlacementReference(0, orientations, w, h, sheet, 0, &plainCounts);
    PlacementSearchStatistics fastCounts;
    const auto fast = findBestPlacement(0, orientations, w, h, sheet, 0, &fastCounts);
    QVERIFY(plain && fast);
    QVERIFY(sameBits(fast->placement.x, plain->placement.x));
    QVERIFY(sameBits(fast->placement.y, plain->placement.y));
    QCOMPARE(fast->placement.angle, plain->placement.angle);
    QVERIFY(fast->score.values == plain->score.values);
    QCOMPARE(fastCounts.candidates, plainCounts.candidates);
    QCOMPARE(fastCounts.distinct, plainCounts.distinct);
}

} // namespace

Q_DECLARE_METATYPE(Search)

class PlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testing::isolateUserState(); }

    // Both searches, on the situations whose answer follows from the rules.
    void bestPlacement_data()
    {
        QTest::addColumn<Search>("search");
        QTest::addColumn<Shape>("piece");
        QTest::addColumn<Shape>("content");     // already on the sheet, may be empty
        QTest::addColumn<bool>("found");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("angle");
        const Shape none;
        // The lower upper extent wins, and 0° comes before 180°.
        addSearchRows("empty sheet", [&](QTestData &row) {
            row << rectangle(5, 5, 1.0, 0.5) << none << true << 0.0 << 0.0 << 0.0;
        });
        // Flush with the first piece and the right edge; turned, it fits nowhere.
        addSearchRows("beside a piece", [&](QTestData &row) {
            row << rectangle(0, 0, 0.8, 1.0) << rectangle(0, 0, 1.2, 1.0) << true << 1.2 << 0.0
                << 0.0;
        });
        // W - pw = -5e-8 is admitted as an offset and clamped to 0; -2e-7 is not.
        addSearchRows("5e-8 wider than the sheet", [&](QTestData &row) {
            row << rectangle(0, 0, 2.0 + 5e-8, 0.5) << none << true << 0.0 << 0.0 << 0.0;
        });
        addSearchRows("2e-7 wider than the sheet", [&](QTestData &row) {
            row << rectangle(0, 0, 2.0 + 2e-7, 1.2) << none << false << 0.0 << 0.0 << 0.0;
        });
        // A tooth of the first piece reaches into the only free place: an
        // overlap of 5e-8 m² is tolerated, one of 2e-7 m² is not.
        for (const double toothArea : {5e-8, 2e-7}) {
            const double side = std::sqrt(toothArea);
            const QPolygonF toothed{QPointF(0, 0), QPointF(1.2 + side, 0), QPointF(1.2 + side, side),
                                    QPointF(1.2, side), QPointF(1.2, 1.0), QPointF(0, 1.0)};
            const QByteArray name = "overlap of " + QByteArray::number(toothArea);
            addSearchRows(name.constData(), [&](QTestData &row) {
                row << rectangle(0, 0, 0.8, 1.2) << shapeFromPolygon({toothed})
                    << (toothArea < 1e-7) << 1.2 << 0.0 << 0.0;
            });
        }
    }

    void bestPlacement()
    {
        QFETCH(Search, search);
        QFETCH(Shape, piece);
        QFETCH(Shape, content);
        QFETCH(bool, found);
        const double w = 2.0;
        const double h = 1.2;
        QList<PieceOrientation> orientations = pieceOrientations(piece, w, h);
        if (orientations.isEmpty()) {
            // Wider than the nesting admits; offered as it is.
            const Shape moved = transformShape(piece, QTransform::fromTranslate(
                                                          -piece.bounds.left(), -piece.bounds.top()));
            orientations.append({moved, 0.0, tallero::sampleVertices(moved, 45)});
        }
        const CuttingSheet sheet = isNonEmpty(content) ? sheetHolding(content) : CuttingSheet{};
        const std::optional<ScoredPlacement> best = search(7, orientations, w, h, sheet, 3, nullptr);
        QCOMPARE(best.has_value(), found);
        if (!found)
            return;
        QFETCH(double, x);
        QCOMPARE(best->placement.x, x);
        QFETCH(double, y);
        QFETCH(double, angle);
        QCOMPARE(best->placement.y, y);
        QCOMPARE(best->placement.angle, angle);
        QCOMPARE(best->placement.pieceIndex, 7);
        QCOMPARE(best->placement.sheetIndex, 3);
        QVERIFY(best->placement.shape.bounds.left() >= -1e-7);
        QVERIFY(best->placement.shape.bounds.right() <= w + 1e-7);
    }

    // The flush position beside the piece: the union is the rectangle
    // (0, 0)-(2.0, 1.0), so no waste, growth 0.8, extents 1.0 and 2.0.
    void scoreBesideAPiece()
    {
        const QList<PieceOrientation> orientations =
            pieceOrientations(rectangle(0, 0, 0.8, 1.0), 2.0, 1.2);
        const CuttingSheet sheet = sheetHolding(rectangle(0, 0, 1.2, 1.0));
        const auto best = findBestPlacementReference(0, orientations, 2.0, 1.2, sheet, 0);
        QVERIFY(best);
        const auto &v = best->score.values;
        QCOMPARE(v[scorerank::boundingWaste], 0.0);
        QCOMPARE(v[scorerank::hullWaste], 0.0);
        QCOMPARE(v[scorerank::boundingGrowth], 0.8);
        QCOMPARE(v[scorerank::upperExtent], 1.0);
        QCOMPARE(v[scorerank::rightExtent], 2.0);
        // 1.0 shared with the piece, 0.8 + 1.0 along the sheet's edges.
        QCOMPARE(v[scorerank::contact], -(1.0 + 0.25 * 1.8));
    }

    // On a crowded sheet most candidates lie deep inside the content and
    // the free ones are scored without the engine's union: the fast search
    // must still find the plain search's placement with the very same score.
    void crowdedSheetSameScore()
    {
        // Twenty-four tiles cover 1.5 x 1.0 m of the 2.0 x 1.2 m sheet; their
        // edges give hundreds of candidate pairings inside the covered part.
        CuttingSheet sheet;
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 4; ++j) {
                const Shape tile = rectangle(0.25 * i, 0.25 * j, 0.25, 0.25);
                sheet.placements.append(PiecePlacement{0, 0, tile, 0.0, 0.0, 0.0});
                sheet.occupied = sheet.placements.size() == 1
                    ? tile : *uniteShapes(sheet.occupied, tile);
                sheet.usedArea += tile.area;
            }
        }
        QList<Shape> pieces;
        for (int i = 0; i < 6; ++i)
            pieces << rectangle(0, 0, 0.05 + 0.01 * i, 0.04);
        for (const Shape &piece : pieces) {
            searchesAgree(piece, 2.0, 1.2, sheet);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Traced edges: pieces whose tops wander by millimetre steps, so a
    // candidate beside them overlaps in strips a few millimetres wide or
    // touches along hundreds of short segments, and the union of the two
    // cannot be confirmed to cover either exactly. The fast search must
    // judge each of those candidates as the plain one does.
    void tracedEdgesSamePlacement_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("tracedBottom");
        QTest::newRow("wide flat piece") << 1.0 << 0.2 << false;
        QTest::newRow("narrow tall piece") << 0.3 << 0.55 << false;
        QTest::newRow("square piece") << 0.6 << 0.6 << false;
        QTest::newRow("piece traced below") << 0.9 << 0.3 << true;
    }

    void tracedEdgesSamePlacement()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, tracedBottom);
        unsigned int seed = 777;
        const auto wander = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return 0.002 * (((seed >> 8) % 2001) / 1000.0 - 1.0);
        };
        // A block from x0 to x1 whose top, at `top`, is traced in 5 mm steps.
        const auto tracedBlock = [&wander](double x0, double x1, double top) {
            QPolygonF ring{QPointF(x0, 0.0), QPointF(x1, 0.0)};
            const int steps = int(std::lround((x1 - x0) / 0.005));
            for (int i = 0; i <= steps; ++i)
                ring << QPointF(x1 - (x1 - x0) * i / steps, top + (i % steps ? wander() : 0.0));
            ring << ring.first();
            return shapeFromPolygon({ring});
        };
        CuttingSheet sheet;
        for (const Shape &block : {tracedBlock(0.0, 1.2, 0.6), tracedBlock(1.2, 2.0, 0.5)}) {
            sheet.placements.append(PiecePlacement{0, 0, block, 0.0, 0.0, 0.0});
            sheet.occupied = sheet.placements.size() == 1 ? block : *uniteShapes(sheet.occupied, block);
            sheet.usedArea += block.area;
        }
        Shape piece = rectangle(0.0, 0.0, width, height);
        if (tracedBottom) {
            QPolygonF ring;
            const int steps = int(std::lround(width / 0.005));
            for (int i = 0; i <= steps; ++i)
                ring << QPointF(width * i / steps, i % steps ? 0.002 + wander() : 0.002);
            ring << QPointF(width, height) << QPointF(0.0, height) << ring.first();
            piece = shapeFromPolygon({ring});
        }
        searchesAgree(piece, 2.44, 1.22, sheet);
    }

    // Every distinct offset is evaluated once: duplicates such as (0, 0), a
    // corner and an edge alignment at once, are skipped.
    void duplicatesEvaluatedOnce()
    {
        const QList<PieceOrientation> orientations =
            pieceOrientations(rectangle(0, 0, 1.0, 0.5), 2.0, 1.2);
        const CuttingSheet sheet = sheetHolding(rectangle(0, 0, 0.6, 0.4));
        int generated = 0;
        int distinct = 0;
        for (const PieceOrientation &orientation : orientations) {
            const QList<QPointF> offsets = candidateOffsets(orientation, 2.0, 1.2, sheet);
            generated += int(offsets.size());
            QSet<QString> texts;
            for (const QPointF &offset : offsets)
                texts.insert(QString::number(offset.x(), 'f', 9) + ' '
                             + QString::number(offset.y(), 'f', 9));
            distinct += int(texts.size());
        }
        PlacementSearchStatistics statistics;
        findBestPlacementReference(0, orientations, 2.0, 1.2, sheet, 0, &statistics);
        QCOMPARE(statistics.candidates, generated);
        QCOMPARE(statistics.distinct, distinct);
        QVERIFY(distinct < generated);
        PlacementSearchStatistics fast;
        findBestPlacement(0, orientations, 2.0, 1.2, sheet, 0, &fast);
        QCOMPARE(fast.distinct, distinct);
        QVERIFY(fast.scored < statistics.scored);
    }

    void sampleVertices_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("expected");
        QTest::newRow("below the limit") << 10 << 45 << 10;
        QTest::newRow("thinned") << 100 << 45 << 45;
    }

    // Closing repeats and points equal after nanometre rounding count once.
    void sampleVertices()
    {
        QFETCH(int, points);
        QFETCH(int, limit);
        QPolygonF ring;
        for (int i = 0; i < points; ++i) {
            const double a = 2.0 * M_PI * i / points;
            ring << QPointF(1 + std::cos(a), 1 + std::sin(a));
        }
        ring << QPointF(2 + 2e-10, 1);   // rounds onto the first point
        const QList<QPointF> sample = tallero::sampleVertices(shapeFromPolygon({ring}), limit);
        QTEST(int(sample.size()), "expected");
        QCOMPARE(sample.first(), QPointF(2, 1));
    }

    // The fast search builds moved pieces without WKT; they must be bit for
    // bit the shapes transformShape makes, or plans would drift.
    void translatedPieceMatchesTransform()
    {
        QRandomGenerator random(12);
        QPolygonF ring;
        for (int i = 0; i < 200; ++i) {
            const double a = 2.0 * M_PI * i / 200;
            const double r = 0.5 + 0.1 * std::sin(7 * a);
            ring << QPointF(0.6 + r * std::cos(a), 0.6 + r * std::sin(a));
        }
        const QPolygonF hole{QPointF(0.5, 0.5), QPointF(0.7, 0.5), QPointF(0.6, 0.7)};
        const Shape piece = shapeFromPolygon({ring, hole});
        const TranslatedPiece translated(piece);
        QVERIFY(translated.isExact());
        for (int trial = 0; trial < 200; ++trial) {
            const double x = std::round(random.generateDouble() * 2.44e9) / 1e9;
            const double y = std::round(random.generateDouble() * 1.22e9) / 1e9;
            const Shape reference = transformShape(piece, QTransform::fromTranslate(x, y));
            QCOMPARE(translated.boundsAt(x, y), reference.bounds);
            const GeometryHandle direct = translated.geometryAt(x, y);
            QVERIFY(GEOSEqualsExact_r(geometryContext(), direct.get(), reference.geometry.get(), 0.0));
            QVERIFY(sameBits(geometryArea(direct.get()).value_or(-1.0), reference.area));
        }
    }

    // Ten-decimal rounding as the WKT text does it, ties included.
};

QTEST_GUILESS_MAIN(PlacementTest)
#include "tst_engine_placement.moc"
