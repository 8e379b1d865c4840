#include "batchplatform.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>

namespace tallero {

void chooseBatchPlatform(int argc, char *argv[])
{
    bool batch = false;
    for (int i = 1; i < argc && !batch; ++i) {
        for (const char *flag : {selfTestFlag, pdfTestFlag, uiSnapshotFlag, cutSheetSnapshotFlag}) {
            if (std::strcmp(argv[i], flag) == 0)
                batch = true;
        }
    }
    if (!batch || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
#endif
}

} // namespace tallero
