#include "ui/localisation.h"

#include "ui/enginemessages.h"
#include "ui/preferences.h"
#include "views/languagetext.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWidget>

namespace tallero {

namespace {

QString &languageCode()
{
    static QString code = QStringLiteral("es");
    return code;
}

using TextTable = QHash<QString, QString>;

TextTable makeTable(std::initializer_list<std::pair<const char *, const char *>> entries)
{
    TextTable table;
    table.reserve(qsizetype(entries.size()));
    for (const auto &[english, german] : entries)
        table.insert(QString::fromUtf8(english), QString::fromUtf8(german));
    return table;
}

// Menus, dialog titles and report headings.
const TextTable &germanUiTable()
{
    static const TextTable table = makeTable({
        {"Ready. Load a DXF drawing or open a project.", "Bereit. Laden Sie eine DXF-Zeichnung oder öffnen Sie ein Projekt."},
        {"Language updated", "Sprache aktualisiert"},
        {"The language will be applied when Tallero is restarted.", "Die Sprache wird beim Neustart von Tallero übernommen."},
        {"&File", "&Datei"},
        {"&Settings", "&Einstellungen"},
        {"&Help", "&Hilfe"},
        {"New project", "Neues Projekt"},
        {"Open project…", "Projekt öffnen…"},
        {"Load DXF drawing…", "DXF-Zeichnung laden…"},
        {"Recent files", "Zuletzt verwendete Dateien"},
        {"Save project", "Projekt speichern"},
        {"Export PDF report…", "PDF-Bericht exportieren…"},
        {"Exit", "Beenden"},
        {"Recalculate cutting plan", "Zuschnitt neu berechnen"},
        {"Optimise layout", "Anordnung optimieren"},
        {"Thorough nesting (fewer sheets, slower)", "Gründliche Verschachtelung (weniger Platten, langsamer)"},
        {"Nesting: thorough", "Verschachtelung: gründlich"},
        {"Use light mode", "Hellen Modus verwenden"},
        {"Use dark mode", "Dunklen Modus verwenden"},
        {"Restore default settings", "Standardeinstellungen wiederherstellen"},
        {"Sheet orientation", "Plattenausrichtung"},
        {"Vertical (rotate 90°)", "Vertikal (um 90° drehen)"},
        {"Language", "Sprache"},
        {"User guide", "Benutzerhandbuch"},
        {"About", "Über"},
        {"Spanish", "Spanisch"},
        {"No recent files", "Keine zuletzt verwendeten Dateien"},
        {"Clear recent files", "Liste löschen"},
        {"Restore settings", "Einstellungen wiederherstellen"},
        {"DXF read error", "DXF-Lesefehler"},
        {"Invalid values", "Ungültige Werte"},
        {"Recalculate", "Neu berechnen"},
        {"Nesting error", "Nesting-Fehler"},
        {"Optimise", "Optimieren"},
        {"Optimised layout", "Anordnung optimiert"},
        {"Cutting sheets", "Zuschnittplatten"},
        {"Physical cutting sheets", "Physische Zuschnittplatten"},
        {"PHYSICAL SHEET:", "PHYSISCHE PLATTE:"},
        {"Previous", "Zurück"},
        {"Next", "Weiter"},
        {"Export PDF", "PDF exportieren"},
        {"Close", "Schließen"},
        {"GENERAL CUTTING REPORT", "ALLGEMEINER ZUSCHNITTBERICHT"},
        {"PURCHASE AND CUTTING SUMMARY", "EINKAUFS- UND ZUSCHNITTSÜBERSICHT"},
        {"GENERAL LAYOUT VIEW", "ALLGEMEINE MONTAGEANSICHT"},
        {"DIMENSION LEGEND (codes used in the layout)", "MASSLEGENDE (in der Anordnung verwendete Codes)"},
        {"CUTTING LAYOUT", "ZUSCHNITTANORDNUNG"},
        {"MANUFACTURING DATA", "FERTIGUNGSDATEN"},
        {"PIECE LIST", "STÜCKLISTE"},
        {"VALIDATION: OK · no overlaps and within bounds", "PRÜFUNG: OK · keine Überlappungen und innerhalb der Grenzen"},
    });
    return table;
}

// Messages, file filters and status texts.
const TextTable &germanMessageTable()
{
    static const TextTable table = makeTable({
        {"Check the sheet dimensions and clearance.", "Prüfen Sie Plattenmaße und Abstand."},
        {"Load a DXF drawing first.", "Laden Sie zuerst eine DXF-Zeichnung."},
        {"Calculate the cutting plan first.", "Berechnen Sie zuerst den Zuschnitt."},
        {"This cutting plan does not need any cutting sheets.", "Dieser Zuschnitt benötigt keine Zuschnittplatten."},
        {"Calculate the cutting plan before exporting.", "Berechnen Sie den Zuschnitt vor dem Export."},
        {"The PDF report could not be generated.", "Der PDF-Bericht konnte nicht erstellt werden."},
        {"PDF report saved successfully.", "PDF-Bericht erfolgreich gespeichert."},
        {"Load a DXF drawing before saving a project.", "Laden Sie vor dem Speichern eines Projekts eine DXF-Zeichnung."},
        {"Could not create the reports folder in Documents.", "Der Berichtsordner in Dokumente konnte nicht erstellt werden."},
        {"The file is not a valid .tlr project.", "Die Datei ist kein gültiges .tlr-Projekt."},
        {"Locate DXF", "DXF suchen"},
        {"Locate project DXF", "Projekt-DXF suchen"},
        {"DXF files (*.dxf)", "DXF-Dateien (*.dxf)"},
        {"Tallero project (*.tlr)", "Tallero-Projekt (*.tlr)"},
        {"Default settings restored.", "Standardeinstellungen wiederhergestellt."},
        {"Project saved: %1", "Projekt gespeichert: %1"},
        {"Project opened: %1", "Projekt geöffnet: %1"},
        {"DXF located. Save the project to remember the new path.", "DXF gefunden. Speichern Sie das Projekt, um den neuen Pfad zu übernehmen."},
    });
    return table;
}

// Only for turning the built English panels into German; built afresh on
// each use because it is used once per window.
TextTable germanWidgetTable()
{
    return makeTable({
        {"Piece: None loaded", "Teil: Nicht geladen"},
        {"Type: -", "Typ: -"},
        {"Sheet width (m):", "Plattenbreite (m):"},
        {"Sheet height (m):", "Plattenhöhe (m):"},
        {"Clearance (m):", "Abstand (m):"},
        {"Automatic", "Automatisch"},
        {"Top left", "Oben links"},
        {"Top right", "Oben rechts"},
        {"Bottom left", "Unten links"},
        {"Bottom right", "Unten rechts"},
        {"Sheet orientation", "Plattenausrichtung"},
        {"Recalculate", "Neu berechnen"},
        {"Optimise", "Optimieren"},
        {"CUTTING REPORT", "ZUSCHNITTBERICHT"},
        {"Load a DXF file to get started.", "Laden Sie eine DXF-Datei, um zu beginnen."},
        {"DIMENSION LEGEND", "MASSLEGENDE"},
        {"Dimensions (Width x Height)", "Abmessungen (Breite × Höhe)"},
        {"Qty.", "Menge"},
        {"Zoom in", "Vergrößern"},
        {"Zoom out", "Verkleinern"},
        {"Fit view", "Ansicht anpassen"},
        {"View cutting sheets", "Zuschnittplatten anzeigen"},
        {"Wheel: zoom; drag with the right mouse button to pan.", "Mausrad: Zoom; mit rechter Maustaste verschieben."},
    });
}

const TextTable &englishEngineTable()
{
    static const TextTable table = [] {
        TextTable t;
        for (const EngineMessageTranslation &entry : engineMessageTranslations())
            t.insert(entry.spanish, entry.english);
        return t;
    }();
    return table;
}

const TextTable &germanEngineTable()
{
    static const TextTable table = [] {
        TextTable t;
        for (const EngineMessageTranslation &entry : engineMessageTranslations())
            t.insert(entry.spanish, entry.german);
        return t;
    }();
    return table;
}

// The values a message filled into a template with %1, %2, ... placeholders,
// in placeholder order; empty when the template has none or does not match.
QStringList templateValues(const QString &templ, const QString &message)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d)"));
    QString pattern;
    QList<int> order;
    qsizetype from = 0;
    for (auto match = placeholder.globalMatch(templ); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        pattern += QRegularExpression::escape(templ.mid(from, found.capturedStart() - from));
        pattern += QStringLiteral("(.+?)");
        order.append(found.captured(1).toInt());
        from = found.capturedEnd();
    }
    if (order.isEmpty())
        return {};
    pattern += QRegularExpression::escape(templ.mid(from));
    const QRegularExpression whole(QRegularExpression::anchoredPattern(pattern));
    const QRegularExpressionMatch found = whole.match(message);
    if (!found.hasMatch())
        return {};
    QStringList values(order.size());
    for (qsizetype i = 0; i < order.size(); ++i) {
        const int number = order.at(i);
        if (number < 1 || number > order.size())
            return {};
        values[number - 1] = found.captured(int(i) + 1);
    }
    return values;
}

} // namespace

const QString &currentLanguage()
{
    return languageCode();
}

void setCurrentLanguage(const QString &code)
{
    languageCode() = code;
}

QString uiText(const QString &spanish, const QString &english)
{
    const QString &language = languageCode();
    if (language == QLatin1String("es"))
        return spanish;
    if (language != QLatin1String("de"))
        return english;
    const auto ui = germanUiTable().constFind(english);
    if (ui != germanUiTable().constEnd() && *ui != english)
        return *ui;
    return germanMessageTable().value(english, english);
}

QString chooseText(const QString &es, const QString &en, const QString &de)
{
    return textIn(languageCode(), es, en, de);
}

QString translateEngineMessage(const QString &message)
{
    const QString &language = languageCode();
    const bool german = language == QLatin1String("de");
    if (!german && language != QLatin1String("en"))
        return message;
    const TextTable &table = german ? germanEngineTable() : englishEngineTable();
    if (const auto exact = table.constFind(message); exact != table.constEnd())
        return exact.value();
    // Messages that carry values (a place in the drawing, say) arrive filled
    // in; they are recognised by their template and the values carried over.
    for (const EngineMessageTranslation &entry : engineMessageTranslations()) {
        const QStringList values = templateValues(entry.spanish, message);
        if (values.isEmpty())
            continue;
        QString translated = german ? entry.german : entry.english;
        for (const QString &value : values)
            translated = translated.arg(value);
        return translated;
    }
    return message;
}

void loadLanguageSetting()
{
    const QString stored = Preferences().language();
    setCurrentLanguage(stored == QLatin1String("en") || stored == QLatin1String("de") ? stored
                                                                                     : QStringLiteral("es"));
}

void retranslatePanelsToGerman(QWidget *centralWidget, QComboBox *startCombo, QPlainTextEdit *reportText,
                               QTableWidget *legendTable)
{
    const TextTable table = germanWidgetTable();
    const auto german = [&table](const QString &english) { return table.value(english, english); };

    if (centralWidget) {
        const QList<QWidget *> widgets = centralWidget->findChildren<QWidget *>();
        for (QWidget *widget : widgets) {
            if (auto *label = qobject_cast<QLabel *>(widget))
                label->setText(german(label->text()));
            else if (auto *button = qobject_cast<QAbstractButton *>(widget))
                button->setText(german(button->text()));
            else if (auto *group = qobject_cast<QGroupBox *>(widget))
                group->setTitle(german(group->title()));
        }
        for (QWidget *widget : widgets) {
            if (!widget->toolTip().isEmpty())
                widget->setToolTip(german(widget->toolTip()));
        }
    }
    if (startCombo) {
        for (int i = 0; i < startCombo->count(); ++i)
            startCombo->setItemText(i, german(startCombo->itemText(i)));
    }
    if (reportText)
        reportText->setPlainText(german(reportText->toPlainText()));
    if (legendTable) {
        for (int column = 0; column < legendTable->columnCount(); ++column) {
            if (QTableWidgetItem *header = legendTable->horizontalHeaderItem(column))
                header->setText(german(header->text()));
        }
    }
}

} // namespace tallero
