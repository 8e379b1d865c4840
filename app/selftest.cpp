#include "selftest.h"

#include "dxf/dxfmessages.h"
#include "dxf/dxfreader.h"
#include "engine/cuttingplanner.h"
#include "engine/plancheck.h"

#include <QDebug>

#include <exception>
#include <new>

namespace tallero {

int runSelfTest(const QString &dxfPath)
{
    Drawing drawing;
    // Reading is guarded as well: a drawing that exhausts memory, or any
    // other failure that escapes the import, ends with a message and the
    // exit code of a failed read, never an abort.
    try {
        QString error;
        if (!readDxfDrawing(dxfPath, drawing, error)) {
            qCritical().noquote() << error;
            return 2;
        }
    } catch (const std::bad_alloc &) {
        qCritical().noquote() << dxfOutOfMemoryMessage;
        return 2;
    } catch (const std::exception &exception) {
        qCritical("%s", exception.what());
        return 2;
    }
    try {
        const CuttingPlan plan = computeCuttingPlan(drawing, 2.0, 1.2, 0.0, false, false);
        switch (findNestingFault(plan)) {
        case NestingFault::PieceOutsideSheet:
            qCritical("Pieza fuera de la plancha");
            return 3;
        case NestingFault::PiecesOverlap:
            qCritical("Solape detectado");
            return 3;
        case NestingFault::None:
            break;
        }
        const int cuttingSheets = int(plan.sheets.size());
        qInfo().noquote() << QStringLiteral("OK: área %1 m², %2 enteras, %3 planchas de corte, %4 total.")
                                 .arg(QString::number(drawing.area, 'f', 3))
                                 .arg(plan.wholeSheetCount)
                                 .arg(cuttingSheets)
                                 .arg(plan.wholeSheetCount + cuttingSheets);
        return 0;
    } catch (const std::bad_alloc &) {
        qCritical().noquote() << dxfOutOfMemoryMessage;
        return 4;
    } catch (const std::exception &exception) {
        qCritical("%s", exception.what());
        return 4;
    }
}

} // namespace tallero
