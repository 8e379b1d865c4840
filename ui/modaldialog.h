#pragma once

#include <functional>

class QDialog;

namespace tallero {

// Answers a modal dialog instead of running it. Tests install one so that
// no dialog ever waits for a click; it may look at the dialog and close it.
using ModalDialogHook = std::function<void(QDialog &)>;

// Installs the hook (an empty function restores the real dialogs).
void setModalDialogHook(ModalDialogHook hook);

// The one way the window runs a dialog of its own modally: through the hook
// when one is installed, else with QDialog::exec.
void runModalDialog(QDialog &dialog);

} // namespace tallero
