#pragma once

#include "engine/cuttingplan.h"
#include "project/atomicfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tallero {

// Writes one DXF per cutting sheet of the plan (P13.dxf, P14.dxf, ...) into
// `folder`, creating it when missing. Other files in the folder are left
// alone. Stops at the first file that cannot be written: false with the
// path in `failedPath` and the reason in `error`; the files written before
// it stay. `written` receives the paths written, in sheet order.
bool writeCuttingSheetFiles(const QString &folder, const CuttingPlan &plan, QStringList &written,
                            QString &failedPath, QString &error);

// The names of sheet files (P<number>.dxf, in any case) in `folder` that are
// not among `written`, in number order. An export into a folder that held an
// earlier plan leaves that plan's extra sheets beside the new ones, and a
// saw fed the whole folder would cut them too; they are not removed, as they
// may be the user's own, but the user is told.
QStringList foreignCuttingSheetFiles(const QString &folder, const QStringList &written);

} // namespace tallero
