#include "project/atomicfile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace tallero {

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString &error)
{
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Is a directory");
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk, a file size limit) is seen
    // here: a buffered one is flushed by commit(), which lets a partial
    // write pass and would put a truncated file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || file.size() != bytes.size()) {
        error = file.errorString();
        if (file.error() == QFileDevice::NoError)
            error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(EIO)));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace tallero
