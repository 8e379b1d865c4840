#pragma once

#include <QByteArray>
#include <QString>

namespace tallero {

// Writes `bytes` to `path` through a file written aside that replaces the
// old one only when it is complete: a failed write (no such folder, a
// folder at `path`, no permission, a full disk) leaves a file that was at
// `path` exactly as it was. False with the platform's reason in `error`.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString &error);

} // namespace tallero
