#include "ui/filedialog.h"

#include <QFileDialog>

namespace tallero {

namespace {

OpenFileHook &installedHook()
{
    static OpenFileHook hook;
    return hook;
}

} // namespace

void setOpenFileHook(OpenFileHook hook)
{
    installedHook() = std::move(hook);
}

QString chooseFileToOpen(QWidget *parent, const FileDialogRequest &request)
{
    if (const OpenFileHook &hook = installedHook())
        return hook(request);
    return QFileDialog::getOpenFileName(parent, request.title, request.folder, request.filter);
}

} // namespace tallero
