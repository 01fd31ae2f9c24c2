#include "text/HistoryListFile.h"

#include "text/CodePage.h"
#include "text/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace kora {

namespace {

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text.clear();
    codepage::Decoder(codepage::kWindows1250).decodeAppend(bytes.constData(), bytes.size(), text);
    return text;
}

// CR LF, LF and CR each end a line; the break after the last line adds no empty entry.
QStringList splitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\r' && ch != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start).toString());
    return lines;
}

// A line of text has no control characters but tabs; a line with others is binary data.
bool isTextLine(const QString &line)
{
    return std::none_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\t'; });
}

} // namespace

HistoryListFile::HistoryListFile(QString path)
    : m_path(std::move(path))
{
}

bool HistoryListFile::load(QString *error)
{
    m_damaged = false;
    const QFileInfo info(m_path);
    if (!info.exists()) {
        m_entries.clear();
        return true;
    }
    if (info.isFile() && info.size() > kMaxBytes) {
        m_damaged = true;
        if (error) {
            *error = QStringLiteral("Soubor „%1“ není seznam textových řádků, a proto nebyl načten.")
                         .arg(QDir::toNativeSeparators(m_path));
        }
        return false;
    }
    QByteArray bytes;
    if (!readWholeFile(m_path, &bytes, error))
        return false;
    m_entries = entriesOf(bytes, &m_damaged);
    return true;
}

QStringList HistoryListFile::entriesOf(const QByteArray &bytes, bool *leftOut)
{
    QStringList lines = splitLines(decode(bytes));
    const auto removed = lines.removeIf([](const QString &line) { return !isTextLine(line); });
    if (leftOut)
        *leftOut = removed > 0;
    return lines;
}

QByteArray HistoryListFile::bytesOf(const QStringList &entries)
{
    QByteArray bytes;
    for (const QString &entry : entries) {
        bytes += entry.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

bool HistoryListFile::save(QString *error) const
{
    return saveFileSafely(m_path, bytesOf(m_entries),
                          QStringLiteral("Soubor „%1“ nelze uložit.").arg(QDir::toNativeSeparators(m_path)), error);
}

QStringList addRecent(QStringList list, const QString &path, int max)
{
    list.removeIf([&path](const QString &entry) { return QString::compare(entry, path, Qt::CaseInsensitive) == 0; });
    list.prepend(path);
    if (list.size() > max)
        list.resize(std::max(max, 0));
    return list;
}

} // namespace kora
