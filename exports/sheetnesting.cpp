#include "exports/sheetnesting.h"

namespace tallero {

NestingFault sheetNestingFault(const CuttingPlan &plan, int sheetIndex)
{
    if (sheetIndex < 0 || sheetIndex >= plan.sheets.size())
        return NestingFault::None;
    // The plan check walks every sheet of a plan; a plan holding only this
    // sheet, at the same size, gives this sheet's verdict.
    CuttingPlan single;
    single.sheetWidth = plan.sheetWidth;
    single.sheetHeight = plan.sheetHeight;
    single.sheets.append(plan.sheets[sheetIndex]);
    return findNestingFault(single);
}

} // namespace tallero
