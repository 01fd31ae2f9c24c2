#include "text/HistoryListFile.h"

#include "text/CodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace kora {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

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

} // namespace

HistoryListFile::HistoryListFile(QString path)
    : m_path(std::move(path))
{
}

bool HistoryListFile::load(QString *error)
{
    const QFileInfo info(m_path);
    if (!info.exists()) {
        m_entries.clear();
        return true;
    }
    if (info.isDir()) {
        setError(error, QStringLiteral("„%1“ je složka, ne soubor.").arg(shown(m_path)));
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("Soubor „%1“ nelze přečíst (%2).").arg(shown(m_path), file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("Soubor „%1“ nelze přečíst (%2).").arg(shown(m_path), file.errorString()));
        return false;
    }
    m_entries = splitLines(decode(bytes));
    return true;
}

bool HistoryListFile::save(QString *error) const
{
    const QFileInfo info(m_path);
    if (info.isDir()) {
        setError(error, QStringLiteral("„%1“ je složka, ne soubor.").arg(shown(m_path)));
        return false;
    }
    if (!QFileInfo(info.absolutePath()).isDir()) {
        setError(error, QStringLiteral("Soubor „%1“ nelze vytvořit: složka „%2“ neexistuje.")
                            .arg(shown(m_path), shown(info.absolutePath())));
        return false;
    }
    QByteArray bytes;
    for (const QString &entry : m_entries) {
        bytes += entry.toUtf8();
        bytes += "\r\n";
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("Soubor „%1“ nelze vytvořit (%2).").arg(shown(m_path), file.errorString()));
        return false;
    }
    // Without a commit the temporary file is discarded and the old file stays.
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, QStringLiteral("Soubor „%1“ nelze uložit (%2).").arg(shown(m_path), file.errorString()));
        return false;
    }
    return true;
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
