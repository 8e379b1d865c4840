// The window's viewer and help commands: the cutting sheets viewer, the user
// guide and the about box.

#include "ui/mainwindow.h"

#include "ui/aboutbox.h"
#include "ui/cuttingsheetsdialog.h"
#include "ui/dialogfit.h"
#include "ui/localisation.h"
#include "ui/messagebox.h"
#include "ui/modaldialog.h"
#include "ui/userguide.h"

namespace tallero {

void RodalixV69::showCuttingSheets()
{
    MessageBoxRequest request;
    request.icon = QMessageBox::Information;
    request.title = uiText(QStringLiteral("Planchas de corte"), QStringLiteral("Cutting sheets"));
    if (!plan) {
        request.text = uiText(QStringLiteral("Calcula primero el despiece."),
                              QStringLiteral("Calculate the cutting plan first."));
        showMessageBox(this, request);
        return;
    }
    if (plan->sheets.isEmpty()) {
        request.text = uiText(QStringLiteral("Este despiece no necesita planchas de recorte."),
                              QStringLiteral("This cutting plan does not need any cutting sheets."));
        showMessageBox(this, request);
        return;
    }
    // The dialog is not modal: it takes its own copy of the plan, so
    // whatever the window does with its plan meanwhile cannot pull the
    // sheets from under it.
    auto *dialog = new CuttingSheetsDialog(this, *plan, darkTheme, language());
    shrinkDialogToScreen(*dialog, this);
    dialog->show();
}

void RodalixV69::showUserGuide()
{
    UserGuideDialog dialog(this, language());
    shrinkDialogToScreen(dialog, this);
    runModalDialog(dialog);
}

void RodalixV69::showAbout()
{
    showAboutBox(this, language());
}

} // namespace tallero
