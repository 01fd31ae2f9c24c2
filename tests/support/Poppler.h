#pragma once

// Reads PDF files with poppler's command-line tools (pdftotext, pdfinfo, pdffonts).

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace kora::test {

inline QString runPoppler(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the PDF in reading order, pages separated by form feeds.
inline QString pdfText(const QString &path)
{
    return runPoppler(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                                                    QStringLiteral("-")});
}

// One field of pdfinfo ("Pages", "Title", "Page size"), empty when missing.
inline QString pdfInfo(const QString &path, const QString &field)
{
    const QString info = runPoppler(QStringLiteral("pdfinfo"), {path});
    const QRegularExpression line(QStringLiteral("^%1:[ \\t]*(.*)$").arg(QRegularExpression::escape(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

inline int pdfPages(const QString &path)
{
    bool ok = false;
    const int pages = pdfInfo(path, QStringLiteral("Pages")).toInt(&ok);
    return ok ? pages : -1;
}

// The words of a text, split at white space.
inline QStringList wordsOf(const QString &text)
{
    return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

} // namespace kora::test
