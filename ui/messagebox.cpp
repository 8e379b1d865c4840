#include "ui/messagebox.h"

#include <QAbstractButton>

namespace tallero {

namespace {

MessageBoxHook &installedHook()
{
    static MessageBoxHook hook;
    return hook;
}

} // namespace

void setMessageBoxHook(MessageBoxHook hook)
{
    installedHook() = std::move(hook);
}

QMessageBox::StandardButton showMessageBox(QWidget *parent, const MessageBoxRequest &request)
{
    if (const MessageBoxHook &hook = installedHook())
        return hook(request);

    QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    for (const auto &[button, text] : request.buttonTexts) {
        if (QAbstractButton *shown = box.button(button))
            shown->setText(text);
    }
    return QMessageBox::StandardButton(box.exec());
}

void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    MessageBoxRequest request;
    request.icon = icon;
    request.title = title;
    request.text = text;
    showMessageBox(parent, request);
}

} // namespace tallero
