#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace kora {

class Prompter;

// The drop-down list of a dialog's combo box, kept in a history list file beside the program:
// loaded when the dialog is created, written whenever it closes. The combo box takes nothing
// into its list by itself; entries come only through append().
class ComboHistory
{
public:
    ComboHistory(QComboBox &combo, const QString &fileName, Prompter &prompter);

    QString path() const { return m_path; }
    QStringList entries() const;

    // Replaces the list with the file's when it exists; the edit text stays. A file that cannot
    // be read is reported; one that is not a list at all is reported once and written afresh.
    void load();
    // Writes the whole list; a failure goes to the standard error box.
    void save();
    // Adds an entry at the end, also when it is there already.
    void append(const QString &entry);
    void clear();

private:
    QComboBox &m_combo;
    Prompter &m_prompter;
    QString m_path;
};

} // namespace kora
