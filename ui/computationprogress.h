#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

class QWidget;

namespace tallero {

// What the user sees while a computation runs: a busy cursor at once and,
// when the work takes longer than a moment, a progress dialog that names
// what is being computed and offers Cancel. Everything is undone when the
// object goes.
class ComputationProgress : public QObject
{
    Q_OBJECT

public:
    ComputationProgress(QWidget *window, const QString &title, const QString &text);
    ~ComputationProgress() override;

    // Fraction done (0 to 1) and, when not empty, a new text.
    void report(double fraction, const QString &text = QString());

    // The work is being cancelled: the dialog goes at once (the busy cursor
    // stays until the work has stopped).
    void dismiss();

    // The dialog, once shown (object name "computationProgress").
    QProgressDialog *dialog() const { return progressDialog; }

    // How long the work runs before the dialog appears. Half a second keeps
    // quick computations free of a flashing dialog; tests set 0 to have it
    // at once.
    static int showDelayMs();
    static void setShowDelayMs(int delay);

signals:
    void cancelRequested();

private:
    void showDialog();

    QWidget *window;
    QString title;
    QString text;
    double fraction = 0.0;
    QTimer showTimer;
    QPointer<QProgressDialog> progressDialog;
    bool dismissed = false;
};

} // namespace tallero
