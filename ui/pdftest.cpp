#include "ui/pdftest.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "report/reportwriter.h"
#include "ui/mainwindow.h"
#include "ui/reportexport.h"

#include <exception>

namespace tallero {

bool runPdfTest(RodalixV69 &window, const QString &dxfPath, const QString &pdfPath, QString &error)
{
    Drawing drawing;
    if (!readDxfDrawing(dxfPath, drawing, error))
        return false;
    window.showDrawing(drawing, dxfPath);
    try {
        window.applyPlan(computeCuttingPlan(drawing, 2.0, 1.2, 0.0, false, false));
        if (!writeReport(pdfPath, reportInputOf(window))) {
            error = QStringLiteral("No se pudo escribir el PDF.");
            return false;
        }
        return true;
    } catch (const std::exception &exception) {
        error = QString::fromUtf8(exception.what());
        return false;
    }
}

} // namespace tallero
