#pragma once

#include <QString>
#include <QStringList>

namespace tallero {

// The recent-files list after using `absolutePath`: every equal entry (exact,
// case-sensitive) removed, the path put first, and the list cut to
// `maximum` entries by dropping the oldest.
QStringList recentFilesWith(const QStringList &files, const QString &absolutePath, int maximum);

// The entries whose files still exist, in their order.
QStringList existingRecentFiles(const QStringList &files);

// The text of a Recent files entry: "name  —  dd/MM/yyyy HH:mm" with the
// file's local modification time. An "&" in the name is doubled so the menu
// shows it instead of taking it for a shortcut marker.
QString recentEntryText(const QString &path);

} // namespace tallero
