#include "report/reportwriter.h"

#include "report/generalpage.h"
#include "report/reportstyle.h"
#include "report/sheetpage.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace tallero {

namespace {

// Less than this cannot be a PDF with a page in it.
constexpr qint64 smallestReport = 100;

} // namespace

int reportPageCount(const CuttingPlan &plan)
{
    return cuttingSheetCount(plan) + 1;
}

QString reportDocumentTitle(const ReportInput &input)
{
    const QString title = reportText(input.language, "Informe general de despiece", "General cutting report",
                                     "Allgemeiner Zuschnittbericht");
    return input.fileName.isEmpty() ? title : QStringLiteral("%1 · %2").arg(title, input.fileName);
}

bool writeReport(const QString &path, const ReportInput &input)
{
    if (!input.plan || path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(reportDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Point, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(reportDocumentTitle(input));
        writer.setCreator(QStringLiteral("Tallero " TALLERO_VERSION));

        QPainter painter;
        if (painter.begin(&writer)) {
            const QRectF page(0, 0, writer.width(), writer.height());
            const int pageCount = reportPageCount(*input.plan);
            drawGeneralPage(painter, page, input, 1, pageCount);
            bool paged = true;
            for (int i = 0; i < cuttingSheetCount(*input.plan) && paged; ++i) {
                paged = writer.newPage();
                if (paged)
                    drawSheetPage(painter, page, input, i, i + 2, pageCount);
            }
            drawn = painter.end() && paged;
        }
    }
    // The writer is gone and has flushed everything into the file; only a
    // report drawn in full, written without error and of a plausible size
    // replaces what was at the path.
    if (!drawn || file.error() != QFileDevice::NoError || file.size() <= smallestReport) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    return QFileInfo(path).size() > smallestReport;
}

} // namespace tallero
