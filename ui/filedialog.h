#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tallero {

// What the window asks a file dialog for.
struct FileDialogRequest
{
    QString title;
    QString folder;
    QString filter;
};

// Answers an open-file request instead of a modal dialog: the chosen path, or
// an empty string for a cancelled dialog. Tests install one so that no
// dialog ever waits for the user.
using OpenFileHook = std::function<QString(const FileDialogRequest &)>;

// Installs the hook (an empty function restores the real dialog).
void setOpenFileHook(OpenFileHook hook);

// The one way the window asks for a file to open: through the hook when one
// is installed, else with the platform's open-file dialog over `parent`.
QString chooseFileToOpen(QWidget *parent, const FileDialogRequest &request);

} // namespace tallero
