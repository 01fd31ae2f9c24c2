#include "tools/spell/HunspellSuggester.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <algorithm>

#include <hunspell/hunspell.hxx>

namespace kora::spell {

namespace {

// The affix file as the suggester wants it. N-gram suggestions compare the word with the whole
// list (half a second for Czech) and the capital letters of TRY double the candidates tried for
// a lower-case word; without both, a suggestion takes tens of milliseconds.
QByteArray tunedAffixes(const QByteArray &affixes)
{
    QByteArray encoding = "ISO-8859-1";
    for (const QByteArray &line : affixes.split('\n')) {
        if (line.startsWith("SET ")) {
            encoding = line.mid(4).trimmed();
            break;
        }
    }
    QStringDecoder decode(encoding.constData());
    QStringEncoder encode(encoding.constData());

    QByteArray tuned;
    for (const QByteArray &line : affixes.split('\n')) {
        if (line.startsWith("MAXNGRAMSUGS"))
            continue;
        if (line.startsWith("TRY ") && decode.isValid() && encode.isValid()) {
            QString letters = decode(line.mid(4).trimmed());
            letters.removeIf([](QChar ch) { return ch.isUpper(); });
            tuned += "TRY " + QByteArray(encode(letters)) + '\n';
            continue;
        }
        tuned += line + '\n';
    }
    tuned += "MAXNGRAMSUGS 0\n";
    return tuned;
}

bool isCapitalised(const QString &word)
{
    if (word.size() < 2 || !word.front().isUpper())
        return false;
    return std::none_of(word.begin() + 1, word.end(), [](QChar ch) { return ch.isUpper(); });
}

} // namespace

struct HunspellSuggester::Dictionary
{
    std::unique_ptr<Hunspell> speller;
    QStringEncoder encode;
    QStringDecoder decode;
};

HunspellSuggester::HunspellSuggester(QStringList dictionaries)
    : m_paths(std::move(dictionaries))
{
}

HunspellSuggester::~HunspellSuggester() = default;

QStringList HunspellSuggester::installedDictionaries()
{
    QStringList found;
    for (const char *name : {"cs_CZ", "en_US"}) {
        for (const char *folder : {"/usr/share/hunspell/", "/usr/share/myspell/"}) {
            const QString base = QLatin1String(folder) + QLatin1String(name);
            if (QFileInfo::exists(base + QStringLiteral(".aff")) && QFileInfo::exists(base + QStringLiteral(".dic"))) {
                found << base;
                break;
            }
        }
    }
    return found;
}

void HunspellSuggester::load()
{
    m_loaded = true;
    for (const QString &base : std::as_const(m_paths)) {
        QFile affixFile(base + QStringLiteral(".aff"));
        const QString words = base + QStringLiteral(".dic");
        if (!QFileInfo(words).isFile() || !affixFile.open(QIODevice::ReadOnly))
            continue;
        QTemporaryFile tuned;
        if (!tuned.open() || tuned.write(tunedAffixes(affixFile.readAll())) < 0 || !tuned.flush())
            continue;
        auto speller = std::make_unique<Hunspell>(QFile::encodeName(tuned.fileName()).constData(),
                                                  QFile::encodeName(words).constData());
        const QByteArray encoding = QByteArray::fromStdString(speller->get_dict_encoding());
        auto dictionary = std::make_unique<Dictionary>(
            Dictionary{std::move(speller), QStringEncoder(encoding.constData()), QStringDecoder(encoding.constData())});
        if (dictionary->encode.isValid() && dictionary->decode.isValid())
            m_dictionaries.push_back(std::move(dictionary));
    }
}

QStringList HunspellSuggester::suggestions(const QString &word)
{
    if (word.isEmpty())
        return {};
    if (!m_loaded)
        load();
    // A capitalised word is asked in lower case and its suggestions capitalised: the library
    // would otherwise try both forms.
    const bool capitalised = isCapitalised(word);
    const QString asked = capitalised ? word.toLower() : word;
    QStringList found;
    for (const std::unique_ptr<Dictionary> &dictionary : m_dictionaries) {
        const QByteArray encoded = dictionary->encode(asked);
        if (dictionary->encode.hasError()) {
            dictionary->encode.resetState();
            continue;
        }
        for (const std::string &suggestion : dictionary->speller->suggest(encoded.toStdString())) {
            QString text = dictionary->decode(QByteArrayView(suggestion.data(), qsizetype(suggestion.size())));
            dictionary->decode.resetState();
            if (capitalised && !text.isEmpty())
                text[0] = text[0].toUpper();
            if (text != word && !found.contains(text))
                found << text;
            if (found.size() == kMaxSuggestions)
                return found;
        }
    }
    return found;
}

} // namespace kora::spell
