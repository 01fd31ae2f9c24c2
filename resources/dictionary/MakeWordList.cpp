// Builds the spell checker's main word list from spelling dictionaries (pairs "name.aff" +
// "name.dic"): each is expanded to its full word forms with unmunch, and the forms become one
// sorted Windows-1250 list.
//   kora-make-wordlist UNMUNCH OUTPUT DICTIONARY...   (DICTIONARY: the path without extension)
#include "text/SafeSave.h"
#include "tools/spell/WordListBuilder.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cstdio>

using namespace kora;
using namespace kora::spell;

namespace {

// Forms that carry further affix flags are expanded again; the rules go at most this deep.
constexpr int kMaxPasses = 4;

bool fail(const QString &message)
{
    std::fprintf(stderr, "kora-make-wordlist: %s\n", qPrintable(message));
    return false;
}

bool readFile(const QString &path, QByteArray *data)
{
    QString error;
    return readWholeFile(path, data, &error) || fail(error);
}

bool expand(const QString &unmunch, const QString &base, const QTemporaryDir &temp, WordListBuilder &builder)
{
    const QString affixPath = base + QStringLiteral(".aff");
    QByteArray affixes;
    QByteArray entries;
    if (!readFile(affixPath, &affixes) || !readFile(base + QStringLiteral(".dic"), &entries))
        return false;
    const AffixInfo info = readAffixInfo(affixes);
    QStringDecoder decode(info.encoding.constData());
    if (!decode.isValid())
        return fail(QStringLiteral("%1: unknown encoding %2").arg(affixPath, QString::fromLatin1(info.encoding)));

    entries = standaloneEntries(entries, info);
    for (int pass = 0; pass < kMaxPasses && !entries.isEmpty(); ++pass) {
        const QString passPath = temp.filePath(QStringLiteral("pass.dic"));
        QFile passFile(passPath);
        if (!passFile.open(QIODevice::WriteOnly) || passFile.write(entries) != entries.size() || !passFile.flush())
            return fail(QStringLiteral("%1: %2").arg(passPath, passFile.errorString()));
        passFile.close();

        QProcess process;
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(unmunch, {passPath, affixPath});
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return fail(QStringLiteral("%1 failed on %2").arg(unmunch, base));

        QByteArrayList again;
        for (QByteArray line : process.readAllStandardOutput().split('\n')) {
            builder.addForm(QString(decode.decode(line)));
            if (line.contains('/')) {
                while (line.endsWith('|') || line.endsWith('\r'))
                    line.chop(1);
                again << line;
            }
        }
        entries = again.isEmpty() ? QByteArray() : QByteArray::number(again.size()) + '\n' + again.join('\n') + '\n';
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4) {
        fail(QStringLiteral("usage: kora-make-wordlist UNMUNCH OUTPUT DICTIONARY..."));
        return 2;
    }
    QTemporaryDir temp;
    if (!temp.isValid()) {
        fail(temp.errorString());
        return 1;
    }
    WordListBuilder builder;
    for (const QString &base : arguments.mid(3)) {
        if (!expand(arguments[1], base, temp, builder))
            return 1;
    }
    QString error;
    if (!saveFileSafely(arguments[2], builder.bytes(), QStringLiteral("%1: write failed").arg(arguments[2]), &error)) {
        fail(error);
        return 1;
    }
    return 0;
}
