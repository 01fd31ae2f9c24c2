#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

namespace kora::spell {

// The user's own word list: small, held as its lines, sorted after each addition (Czech order,
// letter case ignored) and written back whole, each line ended by CR LF.
class UserWordList
{
public:
    // The path becomes the list's file even when the file does not exist; the modified flag is
    // cleared. A missing or unreadable file leaves the list empty.
    void load(const QString &path);
    QString path() const { return m_path; }

    bool contains(QByteArrayView word) const { return m_words.contains(QByteArray(word.data(), word.size())); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    bool isModified() const { return m_modified; }
    QList<QByteArray> lines() const { return m_lines; }

    // Adds `typed`, trimmed and lower-cased, unless it is listed already. False, changing
    // nothing, when it is empty or has a character that Windows-1250 cannot write.
    bool add(QStringView typed);

    QByteArray bytes() const;
    // Writes the list with the safe save; the modified flag stays, as only loading clears it.
    bool save(QString *error) const;

private:
    QString m_path;
    QList<QByteArray> m_lines;
    QSet<QByteArray> m_words;
    bool m_modified = false;
};

} // namespace kora::spell
