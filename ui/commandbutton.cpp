#include "ui/commandbutton.h"

#include <QFont>
#include <QPushButton>

namespace tallero {

QPushButton *makeCommandButton(const QString &text)
{
    auto *button = new QPushButton(text);
    QFont font(QStringLiteral("Arial"), 9);
    font.setWeight(QFont::Bold);
    button->setFont(font);
    button->setCursor(Qt::PointingHandCursor);
    button->setMinimumHeight(28);
    return button;
}

} // namespace tallero
