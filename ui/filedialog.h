#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tallero {

// What the window asks a file dialog for.
struct FileDialogRequest
{
    QString title;
    // The start folder; for a save dialog, the start folder and suggested name.
    QString folder;
    QString filter;
    // Save dialogs: the extension the dialog adds to a name typed without
    // one (before it asks about overwriting), without its dot.
    QString defaultSuffix;
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

// Answers a save-file request instead of a modal dialog, as OpenFileHook does.
using SaveFileHook = std::function<QString(const FileDialogRequest &)>;

// Installs the hook (an empty function restores the real dialog).
void setSaveFileHook(SaveFileHook hook);

// The one way the window asks where to save a file: through the hook when one
// is installed, else with the platform's save-file dialog over `parent`,
// which asks before replacing an existing file.
QString chooseFileToSave(QWidget *parent, const FileDialogRequest &request);

} // namespace tallero
