#include "ui/computationprogress.h"

#include "ui/localisation.h"

#include <QApplication>
#include <QProgressDialog>

#include <algorithm>
#include <cmath>

namespace tallero {

namespace {

int &configuredDelay()
{
    static int delay = 500;
    return delay;
}

constexpr int steps = 1000;

} // namespace

int ComputationProgress::showDelayMs()
{
    return configuredDelay();
}

void ComputationProgress::setShowDelayMs(int delay)
{
    configuredDelay() = std::max(0, delay);
}

ComputationProgress::ComputationProgress(QWidget *window, const QString &title, const QString &text)
    : window(window)
    , title(title)
    , text(text)
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    if (showDelayMs() == 0) {
        showDialog();
        return;
    }
    showTimer.setSingleShot(true);
    connect(&showTimer, &QTimer::timeout, this, &ComputationProgress::showDialog);
    showTimer.start(showDelayMs());
}

ComputationProgress::~ComputationProgress()
{
    showTimer.stop();
    delete progressDialog.data();
    QApplication::restoreOverrideCursor();
}

void ComputationProgress::report(double done, const QString &newText)
{
    if (std::isfinite(done))
        fraction = std::clamp(done, 0.0, 1.0);
    if (!newText.isEmpty())
        text = newText;
    if (progressDialog) {
        progressDialog->setValue(int(std::lround(fraction * steps)));
        progressDialog->setLabelText(text);
    }
}

void ComputationProgress::dismiss()
{
    dismissed = true;
    showTimer.stop();
    if (progressDialog)
        progressDialog->hide();
}

void ComputationProgress::showDialog()
{
    if (progressDialog || dismissed)
        return;
    auto *dialog = new QProgressDialog(text, chooseText(QStringLiteral("Cancelar"), QStringLiteral("Cancel"),
                                                        QStringLiteral("Abbrechen")),
                                       0, steps, window);
    dialog->setObjectName(QStringLiteral("computationProgress"));
    dialog->setWindowTitle(title);
    // The window stays usable for looking (zoom, pan) while the work runs;
    // the commands that would disturb it are disabled by the window.
    dialog->setWindowModality(Qt::NonModal);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setMinimumDuration(0);
    dialog->setMinimumWidth(420);
    dialog->setValue(int(std::lround(fraction * steps)));
    // The Cancel button, and Escape or closing the dialog.
    connect(dialog, &QProgressDialog::canceled, this, &ComputationProgress::cancelRequested);
    connect(dialog, &QDialog::rejected, this, &ComputationProgress::cancelRequested);
    progressDialog = dialog;
    dialog->show();
}

} // namespace tallero
