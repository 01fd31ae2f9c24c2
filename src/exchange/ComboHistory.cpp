#include "exchange/ComboHistory.h"

#include "platform/AppDirs.h"
#include "platform/Prompter.h"
#include "text/HistoryListFile.h"

#include <QComboBox>

namespace kora {

ComboHistory::ComboHistory(QComboBox &combo, const QString &fileName, Prompter &prompter)
    : m_combo(combo)
    , m_prompter(prompter)
    , m_path(AppDirs::filePath(fileName))
{
    m_combo.setInsertPolicy(QComboBox::NoInsert);
}

QStringList ComboHistory::entries() const
{
    QStringList list;
    for (int i = 0; i < m_combo.count(); ++i)
        list << m_combo.itemText(i);
    return list;
}

void ComboHistory::load()
{
    HistoryListFile file(m_path);
    QString error;
    if (!file.load(&error)) {
        // The file stays as it is: what could not be read is not overwritten.
        m_prompter.showError(error);
        return;
    }
    const QString text = m_combo.currentText();
    m_combo.clear();
    m_combo.addItems(file.entries());
    m_combo.setEditText(text);
}

void ComboHistory::save()
{
    HistoryListFile file(m_path);
    file.setEntries(entries());
    QString error;
    if (!file.save(&error))
        m_prompter.showError(error);
}

void ComboHistory::append(const QString &entry)
{
    const QString text = m_combo.currentText();
    m_combo.addItem(entry);
    m_combo.setEditText(text);
}

void ComboHistory::clear()
{
    const QString text = m_combo.currentText();
    m_combo.clear();
    m_combo.setEditText(text);
}

} // namespace kora
