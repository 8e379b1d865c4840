#pragma once

#include <QString>

namespace tallero {

// The text of `language`: German for "de", English for "en", Spanish for any
// other code. Views, the report and the window choose their texts by it.
QString textIn(const QString &language, const QString &es, const QString &en, const QString &de);

} // namespace tallero
