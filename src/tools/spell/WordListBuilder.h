#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringView>

#include <string>
#include <vector>

namespace kora::spell {

// Makes the main word list from word forms: each form lower-cased into Windows-1250, forms with
// anything but letters left out, then sorted in byte order without repeats, one per line, every
// line ended by CR LF.
class WordListBuilder
{
public:
    // A form as an affix expansion prints it; flags after '/' are ignored.
    void addForm(QStringView form);
    QByteArray bytes();

private:
    std::vector<std::string> m_words;
};

// What the build step needs to know of a spelling dictionary's affix file.
struct AffixInfo
{
    QByteArray encoding = "ISO-8859-1";
    QString flagType;           // "", "long", "num" or "UTF-8"
    QStringList excludingFlags; // entries with one of these are not words on their own
};

AffixInfo readAffixInfo(const QByteArray &affixes);

// The entries of a dictionary file (its first line is the count) that stand as words: forbidden
// and compound-only entries are left out. The result is a dictionary file again.
QByteArray standaloneEntries(const QByteArray &dictionary, const AffixInfo &info);

} // namespace kora::spell
