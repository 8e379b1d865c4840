#pragma once

#include "engine/cuttingplan.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace tallero {

class SheetView;

// The caption under a cutting sheet: its number, piece count, real
// efficiency and waste, and the verdict of the nesting check kept with the
// plan. `warning` is set when the plan was not found clean (a fault, or no
// check at all), and the caption then says so instead of claiming it.
struct SheetCaption
{
    QString text;
    bool warning = false;
};
SheetCaption sheetCaption(const CuttingPlan &plan, int sheetIndex, const QString &language);

// The cutting sheets viewer: one physical cutting sheet at a time, with a
// chooser, Previous and Next, a counter and the caption. Not modal, deleted
// when closed. It keeps its own copy of the plan taken when it opens
// (copies share their geometry), so a new project, another drawing or a
// recalculation in the window while it is open never leaves it showing, or
// reading, a plan that is gone. Theme and language are fixed at opening.
class CuttingSheetsDialog : public QDialog
{
    Q_OBJECT

public:
    CuttingSheetsDialog(QWidget *parent, const CuttingPlan &plan, bool darkTheme, const QString &language);

    // Shows sheet `index`, clamped to the plan's cutting sheets, and brings
    // the chooser, buttons, counter and caption in line with it.
    void selectSheet(int index);

    const CuttingPlan &plan() const;
    SheetView *sheetView() const { return view; }

    // The size the dialog asks for; it shrinks to smaller screens.
    static constexpr int preferredWidth = 1050;
    static constexpr int preferredHeight = 750;

private:
    bool dark;
    QString language;
    SheetView *view = nullptr;
    QComboBox *chooser = nullptr;
    QPushButton *previousButton = nullptr;
    QPushButton *nextButton = nullptr;
    QLabel *counterLabel = nullptr;
    QLabel *captionLabel = nullptr;
};

} // namespace tallero
