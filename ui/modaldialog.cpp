#include "ui/modaldialog.h"

#include <QDialog>

namespace tallero {

namespace {

ModalDialogHook &installedHook()
{
    static ModalDialogHook hook;
    return hook;
}

} // namespace

void setModalDialogHook(ModalDialogHook hook)
{
    installedHook() = std::move(hook);
}

void runModalDialog(QDialog &dialog)
{
    if (const ModalDialogHook &hook = installedHook()) {
        hook(dialog);
        return;
    }
    dialog.exec();
}

} // namespace tallero
