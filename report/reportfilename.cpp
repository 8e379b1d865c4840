#include "report/reportfilename.h"

#include "report/reportstyle.h"

#include <QFileInfo>

namespace tallero {

QString defaultReportFileName(const QString &language, const QString &drawingFileName)
{
    const QString stem = reportText(language, "informe_despiece", "cutting_report", "zuschnittbericht");
    if (drawingFileName.isEmpty())
        return stem + QStringLiteral(".pdf");
    return QStringLiteral("%1_%2.pdf").arg(stem, QFileInfo(drawingFileName).completeBaseName());
}

QString withPdfSuffix(const QString &path)
{
    if (path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return path;
    return path + QStringLiteral(".pdf");
}

} // namespace tallero
