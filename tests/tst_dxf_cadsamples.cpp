// Files written by a CAD library (tests/data/dxf/make_cad_samples.py), and
// the sample drawings shipped in examples/.

#include "testsupport.h"

#include "dxf/dxfreader.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tallero;
using namespace tallero::testing;

class TestDxfCadSamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { isolateUserState(); }

    void cadSamples_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<double>>("expected");   // area, min x, min y, width, height
        QTest::addColumn<int>("rings");

        QFile table(testDataPath("dxf/cad_samples_expected.tsv"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        table.readLine();
        while (!table.atEnd()) {
            const QStringList fields = QString::fromUtf8(table.readLine()).trimmed().split(u'\t');
            QCOMPARE(fields.size(), 7);
            QList<double> values;
            for (int k = 1; k <= 5; ++k)
                values.append(fields[k].toDouble());
            QTest::newRow(qPrintable(fields[0])) << fields[0] << values << fields[6].toInt();
        }
    }

    // The expected figures come from the same chords, computed by the script
    // on its own: only floating-point rounding and the 1e-10 m rounding of
    // the geometry engine's text exchange separate them, far below 1e-8.
    void cadSamples()
    {
        QFETCH(QString, file);
        QFETCH(QList<double>, expected);
        QFETCH(int, rings);
        Drawing drawing;
        QString error;
        QVERIFY2(readDxfDrawing(testDataPath("dxf/" + file), drawing, error), qPrintable(error));
        QVERIFY(!drawing.boundingBoxFallback);
        QCOMPARE(drawing.rings.size(), rings);
        const QList<double> actual{drawing.area, drawing.bounds.x(), drawing.bounds.y(),
                                   drawing.bounds.width(), drawing.bounds.height()};
        for (int k = 0; k < 5; ++k)
            QVERIFY2(std::abs(actual[k] - expected[k]) < 1e-8,
                     qPrintable(QStringLiteral("field %1: %2 instead of %3").arg(k).arg(actual[k], 0, 'g', 15).arg(expected[k], 0, 'g', 15)));
    }

    void examples_data()
    {
        QTest::addColumn<QString>("path");
        const QDir folder(examplePath(QString()));
        const QStringList names = folder.entryList({QStringLiteral("*.dxf")}, QDir::Files);
        QVERIFY(names.contains(QStringLiteral("room-curved-wall.dxf")));
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << folder.filePath(name);
    }

    // Every sample is a real closed outline, not a bounding-box stand-in.
    void examples()
    {
        QFETCH(QString, path);
        Drawing drawing;
        QString error;
        QVERIFY2(readDxfDrawing(path, drawing, error), qPrintable(error));
        QVERIFY(isNonEmpty(drawing));
        QVERIFY(!drawing.boundingBoxFallback);
    }
};

QTEST_GUILESS_MAIN(TestDxfCadSamples)
#include "tst_dxf_cadsamples.moc"
