#include "ui/theme.h"

#include <QStringList>

namespace tallero {

const ThemeColours &themeColours(bool dark)
{
    static const ThemeColours darkColours{
        QStringLiteral("#0f172a"), QStringLiteral("#f8fafc"), QStringLiteral("#0f172a"),
        QStringLiteral("#334155"), QStringLiteral("#475569"), QStringLiteral("#059669"),
        QStringLiteral("#ffffff")};
    static const ThemeColours lightColours{
        QStringLiteral("#f3f4f6"), QStringLiteral("#111827"), QStringLiteral("#f9fafb"),
        QStringLiteral("#e5e7eb"), QStringLiteral("#e5e7eb"), QStringLiteral("#10b981"),
        QStringLiteral("#000000")};
    return dark ? darkColours : lightColours;
}

QString themeStyleSheet(bool dark)
{
    // One rule per line for reading; they are joined with nothing between
    // them. The hover and selection grey is the same in both themes.
    static const QStringList rules{
        QStringLiteral("QMainWindow,QWidget{background:%1;color:%2;}"),
        QStringLiteral("QMenuBar{background:%5;color:%2;}"),
        QStringLiteral("QMenuBar::item{padding:5px 10px;background:transparent;}"),
        QStringLiteral("QMenuBar::item:selected,QMenu::item:selected{background:#64748b;}"),
        QStringLiteral("QMenu{background:%3;color:%2;border:1px solid %4;}"),
        QStringLiteral("QMenu::item{padding:6px 24px 6px 18px;}"),
        QStringLiteral("QLineEdit,QComboBox,QPlainTextEdit,QTableWidget"
                       "{background:%3;color:%2;border:1px solid %4;padding:3px;}"),
        QStringLiteral("QPushButton{background:%5;color:%2;border:0;padding:4px 10px;}"),
        QStringLiteral("QPushButton:hover{background:#64748b;}"),
        QStringLiteral("QPushButton#optimize{background:%6;color:white;}"),
        QStringLiteral("QGroupBox{border:1px solid %4;margin-top:8px;padding-top:6px;font-weight:bold;}"),
        QStringLiteral("QRadioButton{font-weight:normal;}"),
        QStringLiteral("QRadioButton::indicator"
                       "{width:9px;height:9px;border:1px solid %4;border-radius:5px;background:%3;}"),
        QStringLiteral("QRadioButton::indicator:checked{border:1px solid %7;"
                       "background:qradialgradient(cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
                       "stop:0 %7,stop:0.28 %7,stop:0.30 %3,stop:1 %3);}"),
        QStringLiteral("QHeaderView::section{background:%4;color:%2;padding:3px;border:1px solid %4;}"),
    };
    static const QString pattern = rules.join(QString());
    const ThemeColours &c = themeColours(dark);
    return pattern.arg(c.windowBackground, c.text, c.inputBackground, c.border, c.buttonBackground,
                       c.optimiseBackground, c.radioMark);
}

} // namespace tallero
