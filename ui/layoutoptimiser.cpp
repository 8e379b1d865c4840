#include "ui/layoutoptimiser.h"

#include "ui/localisation.h"

namespace tallero {

QString layoutChoiceLabel(const LayoutChoice &choice)
{
    // The orientation is the same word in every language.
    return QStringLiteral("%1 · %2 · %3")
        .arg(choice.vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
             choice.top ? uiText(QStringLiteral("superior"), QStringLiteral("top"))
                        : uiText(QStringLiteral("inferior"), QStringLiteral("bottom")),
             choice.right ? uiText(QStringLiteral("derecha"), QStringLiteral("right"))
                          : uiText(QStringLiteral("izquierda"), QStringLiteral("left")));
}

QString layoutFailureLine(const LayoutFailure &failure)
{
    return QStringLiteral("%1: %2").arg(layoutChoiceLabel(failure.choice),
                                        translateEngineMessage(failure.message));
}

QString noValidLayoutText(const QList<LayoutFailure> &failures)
{
    QStringList lines;
    for (const LayoutFailure &failure : failures)
        lines.append(layoutFailureLine(failure));
    return uiText(QStringLiteral("No se pudo calcular una distribución válida.\n\nDetalles:\n%1"),
                  QStringLiteral("A valid layout could not be calculated.\n\nDetails:\n%1"))
        .arg(lines.join(QLatin1Char('\n')));
}

QString optimisedLayoutText(bool vertical, const QString &startLabel, int purchase)
{
    const QString orientation = vertical ? QStringLiteral("VERTICAL (90°)") : QStringLiteral("HORIZONTAL (0°)");
    return chooseText(QStringLiteral("Orientación: %1\nInicio: %2\nTotal de compra: %3 planchas."),
                      QStringLiteral("Orientation: %1\nStart: %2\nTotal purchase: %3 sheets."),
                      QStringLiteral("Ausrichtung: %1\nStart: %2\nGesamteinkauf: %3 Platten."))
        .arg(orientation, startLabel, QString::number(purchase));
}

int startCornerIndex(const LayoutChoice &choice)
{
    if (choice.top)
        return int(choice.right ? StartCorner::TopRight : StartCorner::TopLeft);
    return int(choice.right ? StartCorner::BottomRight : StartCorner::BottomLeft);
}

} // namespace tallero
