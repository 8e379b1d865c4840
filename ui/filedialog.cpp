#include "ui/filedialog.h"

#include <QFileDialog>

namespace tallero {

namespace {

OpenFileHook &installedHook()
{
    static OpenFileHook hook;
    return hook;
}

SaveFileHook &installedSaveHook()
{
    static SaveFileHook hook;
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

void setSaveFileHook(SaveFileHook hook)
{
    installedSaveHook() = std::move(hook);
}

QString chooseFileToSave(QWidget *parent, const FileDialogRequest &request)
{
    if (const SaveFileHook &hook = installedSaveHook())
        return hook(request);
    // The dialog itself adds the default suffix, so its own question about
    // replacing a file sees the name that will really be written.
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace tallero
