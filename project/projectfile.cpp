#include "project/projectfile.h"

#include "project/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tallero {

namespace {

const QString formatName = QStringLiteral("TalleroProject");
// Files written before the program had its present name.
const QString earlierFormatName = QStringLiteral("RodalixDespieceProject");
constexpr int formatVersion = 2;
constexpr int lastStartIndex = 4;

// A scale outside this range is not a unit conversion anyone chose; such a
// file is read as if it held none.
constexpr double smallestScale = 1e-6;
constexpr double largestScale = 1e6;

QString stringOr(const QJsonObject &object, const QString &key, const QString &fallback)
{
    const QJsonValue value = object.value(key);
    return value.isString() ? value.toString() : fallback;
}

// The start index as stored, clamped to the choices there are. Huge values
// are clamped before they are turned into an int, a fraction is truncated.
std::optional<int> storedStartIndex(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (std::isnan(number))
        return std::nullopt;
    return int(std::clamp(number, 0.0, double(lastStartIndex)));
}

double storedScale(const QJsonValue &value)
{
    if (!value.isDouble())
        return 1.0;
    const double scale = value.toDouble();
    return std::isfinite(scale) && scale >= smallestScale && scale <= largestScale ? scale : 1.0;
}

} // namespace

int startIndexFromText(const QString &text)
{
    // The first text contained decides, in this order.
    static const std::pair<const char *, int> names[] = {
        {"Superior izquierda", 1}, {"Top left", 1},    {"Superior derecha", 2}, {"Top right", 2},
        {"Inferior izquierda", 3}, {"Bottom left", 3}, {"Inferior derecha", 4}, {"Bottom right", 4},
    };
    for (const auto &[name, index] : names) {
        if (text.contains(QString::fromUtf8(name), Qt::CaseSensitive))
            return index;
    }
    return 0;
}

ProjectReadStatus readProjectFile(const QString &path, ProjectFile &project, QString &error)
{
    QFile file(path);
    const QFileInfo info(path);
    // A folder, a pipe or a device is not a project; opening a pipe would
    // wait for a writer that may never come.
    if (info.exists() && !info.isFile())
        return ProjectReadStatus::NotAProject;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return ProjectReadStatus::CannotOpen;
    }
    const QByteArray text = file.read(maxProjectFileBytes + 1);
    if (text.size() > maxProjectFileBytes)
        return ProjectReadStatus::NotAProject;

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return ProjectReadStatus::NotAProject;
    const QJsonObject object = document.object();
    const QJsonValue format = object.value(QStringLiteral("format"));
    if (!format.isString() || (format.toString() != formatName && format.toString() != earlierFormatName))
        return ProjectReadStatus::NotAProject;

    ProjectFile read;
    read.dxfPath = stringOr(object, QStringLiteral("dxf"), QString());
    read.sheetWidth = stringOr(object, QStringLiteral("sheetWidth"), read.sheetWidth);
    read.sheetHeight = stringOr(object, QStringLiteral("sheetHeight"), read.sheetHeight);
    read.clearance = stringOr(object, QStringLiteral("gap"), read.clearance);
    read.startText = stringOr(object, QStringLiteral("start"), QString());
    read.startIndex = storedStartIndex(object.value(QStringLiteral("startIndex")))
                          .value_or(startIndexFromText(read.startText));
    read.vertical = object.value(QStringLiteral("vertical")).toBool(false);
    read.scale = storedScale(object.value(QStringLiteral("scale")));
    read.thoroughNesting = object.value(QStringLiteral("thoroughNesting")).toBool(false);
    project = read;
    return ProjectReadStatus::Read;
}

QByteArray projectFileText(const ProjectFile &project)
{
    QJsonObject object;
    object.insert(QStringLiteral("format"), formatName);
    object.insert(QStringLiteral("version"), formatVersion);
    object.insert(QStringLiteral("dxf"), project.dxfPath.isEmpty()
                                             ? QString()
                                             : QDir::fromNativeSeparators(QFileInfo(project.dxfPath).absoluteFilePath()));
    object.insert(QStringLiteral("sheetWidth"), project.sheetWidth);
    object.insert(QStringLiteral("sheetHeight"), project.sheetHeight);
    object.insert(QStringLiteral("gap"), project.clearance);
    object.insert(QStringLiteral("start"), project.startText);
    object.insert(QStringLiteral("startIndex"), project.startIndex);
    object.insert(QStringLiteral("vertical"), project.vertical);
    // Older readers know no scale; a drawing used as drawn needs none.
    if (project.scale != 1.0)
        object.insert(QStringLiteral("scale"), project.scale);
    if (project.thoroughNesting)
        object.insert(QStringLiteral("thoroughNesting"), true);
    // QJsonObject keeps its keys sorted, and the indented form uses four
    // spaces and ends with a line feed.
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

bool writeProjectFile(const QString &path, const ProjectFile &project, QString &error)
{
    return writeFileAtomically(path, projectFileText(project), error);
}

} // namespace tallero
