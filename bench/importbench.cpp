#include "importbench.h"

#include "dxf/dxfreader.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>

namespace tallero::bench {

namespace {

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

void printLine(const QStringList &fields)
{
    std::fputs(qPrintable(fields.join(u'\t') + u'\n'), stdout);
    std::fflush(stdout);
}

} // namespace

int runImportBench(const QStringList &files, int runs)
{
    int exitCode = 0;
    for (const QString &file : files) {
        const QString name = QFileInfo(file).fileName();
        QList<double> times;
        Drawing drawing;
        QString error;
        for (int run = 0; run < runs && error.isEmpty(); ++run) {
            drawing = Drawing();
            QElapsedTimer timer;
            timer.start();
            readDxfDrawing(file, drawing, error);
            times.append(double(timer.nsecsElapsed()) / 1e6);
        }
        if (!error.isEmpty()) {
            printLine({name, QStringLiteral("error"), error});
            exitCode = 1;
            continue;
        }
        printLine({name, QStringLiteral("ok"), QString::number(drawing.area, 'f', 6),
                   QString::number(drawing.bounds.width(), 'f', 6),
                   QString::number(drawing.bounds.height(), 'f', 6), QString::number(drawing.rings.size()),
                   QString::number(drawing.boundingBoxFallback ? 1 : 0), QString::number(median(times), 'f', 3)});
    }
    return exitCode;
}

bool writeLineCurve(const QString &path, int segments, QString &error)
{
    // Every point is formatted once, so the two lines that share it match
    // exactly.
    QList<QByteArray> xs, ys;
    for (int k = 0; k < segments; ++k) {
        const double t = 2.0 * std::numbers::pi * k / segments;
        const double r = 5.0 + 0.5 * std::cos(7.0 * t);
        xs.append(QByteArray::number(r * std::cos(t), 'f', 10));
        ys.append(QByteArray::number(r * std::sin(t), 'f', 10));
    }
    // A stride coprime with the count visits every segment once, far from
    // its neighbours in the file.
    qint64 stride = 7919;
    while (std::gcd(stride, qint64(segments)) != 1)
        ++stride;
    QByteArray text = "  0\nSECTION\n  2\nENTITIES\n";
    for (int k = 0; k < segments; ++k) {
        int a = int(k * stride % segments);
        int b = (a + 1) % segments;
        if (a % 3 == 0)
            std::swap(a, b);
        text += "  0\nLINE\n  8\n0\n 10\n" + xs[a] + "\n 20\n" + ys[a] + "\n 11\n" + xs[b] + "\n 21\n" + ys[b]
                + "\n";
    }
    text += "  0\nENDSEC\n  0\nEOF\n";
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace tallero::bench
