#include "ui/cutsheetsnapshot.h"

#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "ui/windowsnapshot.h"
#include "views/sheetview.h"

#include <exception>

namespace tallero {

bool runCutSheetSnapshot(const QString &dxfPath, const QString &imagePath, QString &error, double sheetWidth,
                         double sheetHeight, bool right, bool top)
{
    Drawing drawing;
    if (!readDxfDrawing(dxfPath, drawing, error))
        return false;
    try {
        // The plan as the engine returns it: no piece codes are assigned,
        // so the pieces carry their sizes only.
        CuttingPlan plan = computeCuttingPlan(drawing, sheetWidth, sheetHeight, 0.0, right, top);
        if (plan.sheets.isEmpty()) {
            error = QStringLiteral("El plano no produce planchas de recorte.");
            return false;
        }
        SheetView view;
        view.resize(1020, 620);
        view.darkTheme = true;
        view.language = QStringLiteral("es");
        view.sheetIndex = int(plan.sheets.size()) - 1;
        view.plan = std::move(plan);
        if (!saveWidgetSnapshot(view, imagePath)) {
            error = QStringLiteral("No se pudo guardar la captura.");
            return false;
        }
        return true;
    } catch (const std::exception &exception) {
        error = QString::fromUtf8(exception.what());
        return false;
    }
}

} // namespace tallero
