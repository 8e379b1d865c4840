#pragma once

// Widget suites that care about the screen's size run on one offscreen
// screen of a chosen size instead of the platform's default.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace tallero::testing {

// Chooses the offscreen platform with one screen of `width` × `height`
// pixels. Call before the application object is created; the returned
// description file may be removed once it exists.
inline QString useOffscreenScreen(int width, int height)
{
    const QString path = QDir::temp().filePath(QStringLiteral("tallero-offscreen-%1x%2-%3.json")
                                                   .arg(width)
                                                   .arg(height)
                                                   .arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(QByteArrayLiteral("{\"screens\":[{\"name\":\"small\",\"x\":0,\"y\":0,\"width\":")
                   + QByteArray::number(width) + ",\"height\":" + QByteArray::number(height)
                   + ",\"logicalDpiX\":96,\"logicalDpiY\":96,\"dpr\":1}]}");
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    return path;
}

} // namespace tallero::testing

// A QTEST_MAIN whose application starts on a screen of the given size.
#define TALLERO_TEST_MAIN_ON_SCREEN(TestObject, width, height)                                                   \
    int main(int argc, char *argv[])                                                                             \
    {                                                                                                            \
        const QString screenFile = tallero::testing::useOffscreenScreen(width, height);                          \
        QApplication app(argc, argv);                                                                            \
        QFile::remove(screenFile);                                                                               \
        TestObject test;                                                                                         \
        QTEST_SET_MAIN_SOURCE_PATH                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                  \
    }
