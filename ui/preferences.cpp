#include "ui/preferences.h"

#include <QSettings>

namespace tallero {

namespace {

const QString languageKey = QStringLiteral("ui/language");
const QString darkThemeKey = QStringLiteral("theme/dark");

} // namespace

QVariant Preferences::value(const QString &key, const QVariant &fallback) const
{
    const QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    return settings.value(key, fallback);
}

void Preferences::setValue(const QString &key, const QVariant &value)
{
    QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    settings.setValue(key, value);
}

void Preferences::remove(const QString &key)
{
    QSettings settings(QString::fromLatin1(organisationName), QString::fromLatin1(applicationName));
    settings.remove(key);
}

QString Preferences::language() const
{
    return value(languageKey, QStringLiteral("es")).toString();
}

void Preferences::setLanguage(const QString &code)
{
    setValue(languageKey, code);
}

bool Preferences::darkTheme() const
{
    return value(darkThemeKey, true).toBool();
}

void Preferences::setDarkTheme(bool dark)
{
    setValue(darkThemeKey, dark);
}

} // namespace tallero
