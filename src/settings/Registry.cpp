#include "settings/Registry.h"

#include "platform/AppDirs.h"
#include "text/SafeSave.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QLockFile>
#include <QMap>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QThread>

#include <algorithm>
#include <map>
#include <span>
#include <vector>
#include <utility>
#include <variant>

namespace kora {

QString hiveName(Hive hive)
{
    switch (hive) {
    case Hive::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case Hive::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    case Hive::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    }
    return {};
}

namespace registry_detail {

namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
constexpr int kLockWaitMs = 10000;
constexpr qsizetype kLineWidth = 80;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

char16_t asciiLower(char16_t ch)
{
    return ch >= u'A' && ch <= u'Z' ? char16_t(ch + (u'a' - u'A')) : ch;
}

QString folded(const QString &name)
{
    QString out = name;
    for (QChar &ch : out)
        ch = QChar(asciiLower(ch.unicode()));
    return out;
}

QStringList folded(const QStringList &path)
{
    QStringList out;
    out.reserve(path.size());
    for (const QString &name : path)
        out.append(folded(name));
    return out;
}

bool sameName(QStringView a, QStringView b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](QChar x, QChar y) {
        return asciiLower(x.unicode()) == asciiLower(y.unicode());
    });
}

bool hasBreakOrNul(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(u'\0'));
}

// A name must fit on a line of the file and survive the conversion to UTF-8.
bool validValueName(const QString &name)
{
    return !hasBreakOrNul(name) && name.isValidUtf16();
}

bool validKeyName(const QString &name)
{
    return !name.isEmpty() && !name.contains(u'\\') && validValueName(name);
}

// The names of a path relative to a key; nothing when a name is empty or holds a forbidden character.
std::optional<QStringList> splitPath(const QString &path)
{
    if (path.isEmpty())
        return QStringList();
    const QStringList names = path.split(u'\\');
    if (!std::all_of(names.begin(), names.end(), validKeyName))
        return std::nullopt;
    return names;
}

QString fullPath(Hive hive, const QStringList &path)
{
    return path.isEmpty() ? hiveName(hive) : hiveName(hive) + u'\\' + path.join(u'\\');
}

} // namespace

using Data = std::variant<QString, quint32, QByteArray>;

struct Value
{
    QString name;
    Data data;
};

struct Key
{
    QStringList path; // as spelled
    QList<Value> values;
};

// Keys by their folded path, so parents come before their children and a key's subtree follows it
// without gaps; the root (empty path) is always present.
struct HiveData
{
    QMap<QStringList, Key> keys = {{QStringList(), Key()}};
};

namespace {

const Key *findKey(const HiveData &hive, const QStringList &path)
{
    const auto it = hive.keys.constFind(folded(path));
    return it == hive.keys.constEnd() ? nullptr : &*it;
}

qsizetype valueIndex(const Key &key, const QString &name)
{
    for (qsizetype i = 0; i < key.values.size(); ++i) {
        if (sameName(key.values[i].name, name))
            return i;
    }
    return -1;
}

const Value *findValue(const Key *key, const QString &name)
{
    if (!key)
        return nullptr;
    const qsizetype i = valueIndex(*key, name);
    return i < 0 ? nullptr : &key->values[i];
}

// The key at `path`, created with its missing parents; names of keys already there keep their spelling.
Key &ensureKey(HiveData &hive, const QStringList &path, bool *created)
{
    QStringList foldedPath;
    QStringList spelled;
    auto it = hive.keys.find(foldedPath);
    for (const QString &name : path) {
        foldedPath.append(folded(name));
        it = hive.keys.find(foldedPath);
        if (it == hive.keys.end()) {
            spelled.append(name);
            it = hive.keys.insert(foldedPath, Key{spelled, {}});
            *created = true;
        } else {
            spelled = it->path;
        }
    }
    return *it;
}

// Puts the value into the key, keeping the spelling of a value already there; false when nothing changed.
bool setValue(Key &key, const Value &value)
{
    const qsizetype i = valueIndex(key, value.name);
    if (i < 0) {
        key.values.append(value);
        return true;
    }
    if (key.values[i].data == value.data)
        return false;
    key.values[i].data = value.data;
    return true;
}

// ---- Reading the file ----

struct ParseError
{
    int line = 0; // 1-based; 0 when the error is not on one line
    QString reason;
};

bool isHexDigit(QChar ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

bool decodeText(const QByteArray &bytes, QString *text, QString *reason)
{
    if (bytes.startsWith("\xFF\xFE")) {
        if (bytes.size() % 2 != 0) {
            *reason = QStringLiteral("neúplný text v kódování UTF-16");
            return false;
        }
        *text = QStringDecoder(QStringConverter::Utf16LE).decode(bytes.sliced(2));
        return true;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    *text = utf8.decode(bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes);
    if (utf8.hasError()) {
        *reason = QStringLiteral("neplatné kódování UTF-8");
        return false;
    }
    return true;
}

// CR LF, LF and CR each end a line.
QList<QStringView> splitLines(QStringView text, bool *endsWithBreak)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    *endsWithBreak = start == text.size();
    if (!*endsWithBreak)
        lines.append(text.sliced(start));
    return lines;
}

// Reads a quoted string starting at `*pos` (on the opening quote), where only \\ and \" are escapes,
// and moves `*pos` past the closing quote.
bool readQuoted(QStringView line, qsizetype *pos, QString *out)
{
    out->clear();
    for (qsizetype i = *pos + 1; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (ch == u'"') {
            *pos = i + 1;
            return true;
        }
        if (ch == u'\\') {
            if (i + 1 >= line.size() || (line[i + 1] != u'\\' && line[i + 1] != u'"'))
                return false;
            ++i;
        }
        out->append(line[i]);
    }
    return false;
}

void skipBlanks(QStringView line, qsizetype *pos)
{
    while (*pos < line.size() && (line[*pos] == u' ' || line[*pos] == u'\t'))
        ++*pos;
}

bool parseHexBytes(QStringView list, QByteArray *bytes)
{
    bytes->clear();
    list = list.trimmed();
    if (list.isEmpty())
        return true;
    for (QStringView token : list.split(u',')) {
        token = token.trimmed();
        if (token.size() != 2 || !isHexDigit(token[0]) || !isHexDigit(token[1]))
            return false;
        bytes->append(char(token.toUInt(nullptr, 16)));
    }
    return true;
}

class HiveParser
{
public:
    HiveParser(Hive hive, HiveData *out)
        : m_hive(hive)
        , m_out(out)
    {
    }

    bool parse(const QByteArray &bytes, ParseError *error)
    {
        QString text;
        if (!decodeText(bytes, &text, &error->reason))
            return false;
        bool endsWithBreak = false;
        m_lines = splitLines(text, &endsWithBreak);
        if (m_lines.isEmpty() || m_lines.first().trimmed() != kHeader) {
            *error = {1, QStringLiteral("chybí úvodní řádek „%1“").arg(kHeader)};
            return false;
        }
        if (!endsWithBreak) {
            *error = {int(m_lines.size()), QStringLiteral("soubor je useknutý uprostřed řádku")};
            return false;
        }
        for (m_index = 1; m_index < m_lines.size(); ++m_index) {
            const QStringView line = m_lines[m_index].trimmed();
            if (line.isEmpty() || line.startsWith(u';'))
                continue;
            const bool ok = line.startsWith(u'[') ? parseKeyLine(line) : parseValueLine(line);
            if (!ok) {
                *error = {int(m_lineOfError + 1), m_reason};
                return false;
            }
        }
        return true;
    }

private:
    bool fail(const QString &reason)
    {
        m_reason = reason;
        m_lineOfError = m_index;
        return false;
    }

    bool parseKeyLine(QStringView line)
    {
        if (!line.endsWith(u']'))
            return fail(QStringLiteral("neukončený název klíče"));
        const QStringList names = line.sliced(1, line.size() - 2).toString().split(u'\\');
        if (!sameName(names.first(), hiveName(m_hive)))
            return fail(QStringLiteral("klíč nepatří do větve %1").arg(hiveName(m_hive)));
        const QStringList path = names.mid(1);
        if (std::any_of(path.begin(), path.end(), [](const QString &name) { return name.isEmpty(); }))
            return fail(QStringLiteral("prázdný název klíče"));
        bool created = false;
        m_key = &ensureKey(*m_out, path, &created);
        return true;
    }

    bool parseValueLine(QStringView line)
    {
        if (!m_key)
            return fail(QStringLiteral("hodnota před prvním klíčem"));
        Value value;
        qsizetype pos = 0;
        if (line.startsWith(u'@'))
            pos = 1;
        else if (!line.startsWith(u'"') || !readQuoted(line, &pos, &value.name))
            return fail(QStringLiteral("chybný název hodnoty"));
        skipBlanks(line, &pos);
        if (pos >= line.size() || line[pos] != u'=')
            return fail(QStringLiteral("za názvem hodnoty chybí „=“"));
        ++pos;
        skipBlanks(line, &pos);
        if (!parseData(line.sliced(pos), &value.data))
            return false;
        setValue(*m_key, value);
        return true;
    }

    bool parseData(QStringView data, Data *out)
    {
        if (data.startsWith(u'"')) {
            qsizetype pos = 0;
            QString text;
            if (!readQuoted(data, &pos, &text) || pos != data.size())
                return fail(QStringLiteral("chybný řetězec"));
            *out = text;
            return true;
        }
        if (data.startsWith(u"dword:", Qt::CaseInsensitive)) {
            const QStringView digits = data.sliced(6);
            if (digits.size() != 8 || !std::all_of(digits.begin(), digits.end(), isHexDigit))
                return fail(QStringLiteral("hodnota dword nemá 8 šestnáctkových číslic"));
            *out = quint32(digits.toUInt(nullptr, 16));
            return true;
        }
        if (data.startsWith(u"hex", Qt::CaseInsensitive))
            return parseHexData(data.sliced(3), out);
        return fail(QStringLiteral("nerozpoznaný typ hodnoty"));
    }

    // `data` follows "hex": ":bytes" is binary, "(1):bytes" a UTF-16LE string, "(4):bytes" a dword.
    bool parseHexData(QStringView data, Data *out)
    {
        uint type = 3;
        if (data.startsWith(u'(')) {
            const qsizetype close = data.indexOf(u')');
            bool ok = false;
            type = close > 1 ? data.sliced(1, close - 1).toUInt(&ok, 16) : 0;
            if (!ok)
                return fail(QStringLiteral("chybný typ hodnoty hex"));
            data = data.sliced(close + 1);
        }
        if (!data.startsWith(u':'))
            return fail(QStringLiteral("za typem hex chybí „:“"));
        QString list = data.sliced(1).toString();
        while (list.endsWith(u'\\')) {
            list.chop(1);
            if (++m_index >= m_lines.size())
                return fail(QStringLiteral("soubor končí uprostřed hodnoty"));
            list += m_lines[m_index].trimmed();
        }
        QByteArray bytes;
        if (!parseHexBytes(list, &bytes))
            return fail(QStringLiteral("chybné bajty hodnoty hex"));
        switch (type) {
        case 3:
            *out = bytes;
            return true;
        case 1: {
            if (bytes.size() % 2 != 0)
                return fail(QStringLiteral("řetězec hex(1) má lichý počet bajtů"));
            QString text(bytes.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(char16_t(uchar(bytes[2 * i]) | (uchar(bytes[2 * i + 1]) << 8)));
            if (text.endsWith(QChar(u'\0')))
                text.chop(1);
            *out = text;
            return true;
        }
        case 4:
            if (bytes.size() != 4)
                return fail(QStringLiteral("hodnota hex(4) nemá 4 bajty"));
            *out = quint32(uchar(bytes[0])) | quint32(uchar(bytes[1])) << 8 | quint32(uchar(bytes[2])) << 16
                   | quint32(uchar(bytes[3])) << 24;
            return true;
        default:
            return fail(QStringLiteral("nepodporovaný typ hodnoty hex(%1)").arg(type, 0, 16));
        }
    }

    Hive m_hive;
    HiveData *m_out;
    QList<QStringView> m_lines;
    qsizetype m_index = 0;
    qsizetype m_lineOfError = 0;
    QString m_reason;
    Key *m_key = nullptr;
};

bool parseHive(const QByteArray &bytes, Hive hive, HiveData *out, ParseError *error)
{
    HiveData data;
    if (!HiveParser(hive, &data).parse(bytes, error))
        return false;
    *out = std::move(data);
    return true;
}

// ---- Writing the file ----

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        if (ch == u'\\' || ch == u'"')
            out += u'\\';
        out += ch;
    }
    return out + u'"';
}

QString hexByte(uchar byte)
{
    return QStringLiteral("%1").arg(uint(byte), 2, 16, QChar(u'0'));
}

// `head` and the bytes as a hex list, continued on lines indented by two spaces so that no line
// is longer than kLineWidth with its trailing backslash.
QString hexLines(QString head, const QByteArray &bytes)
{
    QString out;
    QString line = std::move(head);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const QString token = hexByte(uchar(bytes[i])) + (i + 1 < bytes.size() ? QStringLiteral(",") : QString());
        if (i > 0 && line.size() + token.size() > kLineWidth - 1) {
            out += line + QStringLiteral("\\\r\n");
            line = QStringLiteral("  ");
        }
        line += token;
    }
    return out + line + QStringLiteral("\r\n");
}

// A string that a quoted line cannot carry: line breaks, NUL, or UTF-16 that does not convert to UTF-8.
bool needsHex(const QString &text)
{
    return hasBreakOrNul(text) || !text.isValidUtf16();
}

QByteArray utf16WithTerminator(const QString &text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const QChar ch : text) {
        bytes.append(char(ch.unicode() & 0xFF));
        bytes.append(char(ch.unicode() >> 8));
    }
    return bytes + QByteArray(2, '\0');
}

QString valueLines(const Value &value)
{
    const QString head = (value.name.isEmpty() ? QStringLiteral("@") : quoted(value.name)) + u'=';
    if (const auto *text = std::get_if<QString>(&value.data)) {
        if (needsHex(*text))
            return hexLines(head + QStringLiteral("hex(1):"), utf16WithTerminator(*text));
        return head + quoted(*text) + QStringLiteral("\r\n");
    }
    if (const auto *dword = std::get_if<quint32>(&value.data))
        return head + QStringLiteral("dword:%1\r\n").arg(*dword, 8, 16, QChar(u'0'));
    return hexLines(head + QStringLiteral("hex:"), std::get<QByteArray>(value.data));
}

QByteArray serialize(const HiveData &data, Hive hive)
{
    QString out = kHeader + QStringLiteral("\r\n\r\n");
    for (const Key &key : data.keys) {
        out += u'[' + fullPath(hive, key.path) + QStringLiteral("]\r\n");
        for (const Value &value : key.values)
            out += valueLines(value);
        out += QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace

std::optional<QByteArray> rewrittenHive(const QByteArray &bytes, Hive hive, QString *damage)
{
    HiveData data;
    ParseError error;
    if (!parseHive(bytes, hive, &data, &error)) {
        if (damage)
            *damage = error.reason;
        return std::nullopt;
    }
    return serialize(data, hive);
}

namespace {

// ---- The file on disk ----

// What tells a replaced file from the one read before.
struct Stamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    qint64 born = 0;

    bool operator==(const Stamp &) const = default;
};

Stamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {true, info.size(), info.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch(),
            info.fileTime(QFileDevice::FileMetadataChangeTime).toMSecsSinceEpoch(),
            info.fileTime(QFileDevice::FileBirthTime).toMSecsSinceEpoch()};
}

// Waits for the lock in short random steps, so that writers take turns.
bool acquire(QLockFile &lock, const QString &filePath, QString *error)
{
    QDeadlineTimer deadline(kLockWaitMs);
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError) {
            setError(error, QStringLiteral("Nastavení nelze uložit: zámek „%1.lock“ nelze vytvořit.").arg(shown(filePath)));
            return false;
        }
        if (deadline.hasExpired()) {
            setError(error, QStringLiteral("Nastavení nelze uložit: soubor „%1“ je zamčený jiným programem.").arg(shown(filePath)));
            return false;
        }
        QThread::msleep(QRandomGenerator::global()->bounded(1, 10));
    }
    return true;
}

} // namespace

struct Change
{
    enum class Kind { CreateKey, SetValue, DeleteValue, DeleteKey };
    Kind kind;
    QStringList path;
    Value value; // SetValue: name and data; DeleteValue: name
};

enum class Outcome { Changed, Unchanged, Missing, Failed };

namespace {

Outcome apply(HiveData &data, const Change &change)
{
    bool created = false;
    switch (change.kind) {
    case Change::Kind::CreateKey:
        ensureKey(data, change.path, &created);
        return created ? Outcome::Changed : Outcome::Unchanged;
    case Change::Kind::SetValue: {
        Key &key = ensureKey(data, change.path, &created);
        return setValue(key, change.value) || created ? Outcome::Changed : Outcome::Unchanged;
    }
    case Change::Kind::DeleteValue: {
        const auto it = data.keys.find(folded(change.path));
        const qsizetype i = it == data.keys.end() ? -1 : valueIndex(*it, change.value.name);
        if (i < 0)
            return Outcome::Missing;
        it->values.removeAt(i);
        return Outcome::Changed;
    }
    case Change::Kind::DeleteKey: {
        const QStringList path = folded(change.path);
        auto it = data.keys.find(path);
        if (it == data.keys.end() || path.isEmpty())
            return Outcome::Missing;
        while (it != data.keys.end() && it.key().size() >= path.size()
               && std::equal(path.begin(), path.end(), it.key().begin()))
            it = data.keys.erase(it);
        return Outcome::Changed;
    }
    }
    return Outcome::Failed;
}

} // namespace

// One hive's file and the copy of it kept in memory.
class HiveStore
{
public:
    HiveStore(Hive hive, QString path)
        : m_hive(hive)
        , m_path(std::move(path))
    {
    }

    // The keys as the file holds them now.
    const HiveData &data()
    {
        const Stamp stamp = stampOf(m_path);
        if (m_loaded && stamp == m_stamp)
            return m_data;
        if (!stamp.exists) {
            adopt(HiveData(), stamp);
            return m_data;
        }
        QByteArray bytes;
        HiveData fresh;
        ParseError damage;
        if (readWholeFile(m_path, &bytes, nullptr) && parseHive(bytes, m_hive, &fresh, &damage)) {
            adopt(std::move(fresh), stamp);
            return m_data;
        }
        // Damaged or gone: look again under the lock, where a damaged file may be set aside.
        QLockFile lock(lockPath());
        if (!acquire(lock, m_path, nullptr) || !loadLocked(nullptr)) {
            m_data = HiveData();
            m_loaded = false;
        }
        return m_data;
    }

    // Applies the change to the file as it is now and writes the result.
    Outcome change(const Change &one, QString *error) { return change(std::span(&one, 1), error); }

    // Applies the changes in order and writes the result once.
    Outcome change(std::span<const Change> changes, QString *error)
    {
        QLockFile lock(lockPath());
        if (!acquire(lock, m_path, error) || !loadLocked(error))
            return failed();
        HiveData next = m_data;
        Outcome outcome = Outcome::Unchanged;
        for (const Change &one : changes) {
            const Outcome applied = apply(next, one);
            if (applied == Outcome::Changed || changes.size() == 1)
                outcome = applied;
        }
        if (outcome != Outcome::Changed)
            return outcome;
        if (!saveFileSafely(m_path, serialize(next, m_hive),
                            QStringLiteral("Nastavení nelze uložit do souboru „%1“.").arg(shown(m_path)), error))
            return failed();
        adopt(std::move(next), stampOf(m_path));
        m_failure = Failure::None;
        return Outcome::Changed;
    }

    QStringList takeReports() { return std::exchange(m_reports, {}); }

    bool claimFailureReport()
    {
        if (m_failure != Failure::Unreported)
            return false;
        m_failure = Failure::Reported;
        return true;
    }

private:
    enum class Failure { None, Unreported, Reported };

    QString lockPath() const { return m_path + QStringLiteral(".lock"); }

    Outcome failed()
    {
        if (m_failure == Failure::None)
            m_failure = Failure::Unreported;
        return Outcome::Failed;
    }

    void adopt(HiveData data, const Stamp &stamp)
    {
        m_data = std::move(data);
        m_stamp = stamp;
        m_loaded = true;
    }

    // Reads the file again; the caller holds the lock. Fails when the file cannot be read or is
    // damaged and cannot be set aside.
    bool loadLocked(QString *error)
    {
        const Stamp stamp = stampOf(m_path);
        if (!stamp.exists) {
            adopt(HiveData(), stamp);
            return true;
        }
        QByteArray bytes;
        if (!readWholeFile(m_path, &bytes, error)) {
            m_loaded = false;
            return false;
        }
        HiveData data;
        ParseError damage;
        if (parseHive(bytes, m_hive, &data, &damage)) {
            adopt(std::move(data), stamp);
            return true;
        }
        return setAside(damage, stamp, error);
    }

    // Renames a damaged file out of the way (never over another file) and reports it once.
    bool setAside(const ParseError &damage, const Stamp &stamp, QString *error)
    {
        const QString base = m_path + QStringLiteral(".damaged-")
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString target = base;
        for (int n = 2; QFileInfo::exists(target); ++n)
            target = base + u'-' + QString::number(n);
        const QString what = damage.line > 0 ? QStringLiteral("%1, řádek %2").arg(damage.reason).arg(damage.line)
                                             : damage.reason;
        if (QFile::rename(m_path, target)) {
            m_reports.append(QStringLiteral("Soubor nastavení „%1“ je poškozený (%2). Byl přejmenován na „%3“; "
                                            "program pokračuje bez nastavení, která v něm byla.")
                                 .arg(shown(m_path), what, shown(target)));
            adopt(HiveData(), stampOf(m_path));
            return true;
        }
        const QString message = QStringLiteral("Soubor nastavení „%1“ je poškozený (%2) a nelze jej přejmenovat; "
                                               "nastavení se do něj neukládají.")
                                    .arg(shown(m_path), what);
        if (stamp != m_reportedStamp) {
            m_reports.append(message);
            m_reportedStamp = stamp;
        }
        setError(error, message);
        m_data = HiveData();
        m_loaded = false;
        return false;
    }

    Hive m_hive;
    QString m_path;
    HiveData m_data;
    Stamp m_stamp;
    bool m_loaded = false;
    Stamp m_reportedStamp;
    QStringList m_reports;
    Failure m_failure = Failure::None;
};

namespace {

// The store of one file, shared by every Registry of the process that names it.
std::shared_ptr<HiveStore> sharedStore(Hive hive, const QString &path)
{
    static std::map<QString, std::weak_ptr<HiveStore>> stores;
    std::erase_if(stores, [](const auto &entry) { return entry.second.expired(); });
    std::weak_ptr<HiveStore> &slot = stores[QFileInfo(path).absoluteFilePath()];
    std::shared_ptr<HiveStore> store = slot.lock();
    if (!store) {
        store = std::make_shared<HiveStore>(hive, path);
        slot = store;
    }
    return store;
}

} // namespace

} // namespace registry_detail

using namespace registry_detail;

namespace {

QString invalidPathText(const QString &path)
{
    return QStringLiteral("Neplatná cesta ke klíči „%1“.").arg(path);
}

QString invalidValueNameText(const QString &name)
{
    return QStringLiteral("Neplatný název hodnoty „%1“.").arg(name);
}

} // namespace

RegistryKey::RegistryKey(std::shared_ptr<HiveStore> store, Hive hive, QStringList path)
    : m_store(std::move(store))
    , m_hive(hive)
    , m_path(std::move(path))
{
}

std::optional<RegistryKey> RegistryKey::openKey(const QString &path, bool create, QString *error) const
{
    const auto names = splitPath(path);
    if (!names) {
        setError(error, invalidPathText(path));
        return std::nullopt;
    }
    const QStringList full = m_path + *names;
    if (const Key *key = findKey(m_store->data(), full))
        return RegistryKey(m_store, m_hive, key->path);
    if (!create) {
        setError(error, QStringLiteral("Klíč „%1“ neexistuje.").arg(fullPath(m_hive, full)));
        return std::nullopt;
    }
    if (m_store->change({Change::Kind::CreateKey, full, {}}, error) == Outcome::Failed)
        return std::nullopt;
    const Key *key = findKey(m_store->data(), full);
    return RegistryKey(m_store, m_hive, key ? key->path : full);
}

bool RegistryKey::keyExists(const QString &path) const
{
    const auto names = splitPath(path);
    return names && findKey(m_store->data(), m_path + *names);
}

bool RegistryKey::deleteKey(const QString &path, QString *error) const
{
    const auto names = splitPath(path);
    if (!names || names->isEmpty()) {
        setError(error, invalidPathText(path));
        return false;
    }
    const QStringList full = m_path + *names;
    switch (m_store->change({Change::Kind::DeleteKey, full, {}}, error)) {
    case Outcome::Changed:
    case Outcome::Unchanged:
        return true;
    case Outcome::Missing:
        setError(error, QStringLiteral("Klíč „%1“ neexistuje.").arg(fullPath(m_hive, full)));
        return false;
    case Outcome::Failed:
        break;
    }
    return false;
}

QStringList RegistryKey::subKeyNames() const
{
    const HiveData &data = m_store->data();
    const QStringList path = folded(m_path);
    QStringList names;
    for (auto it = data.keys.upperBound(path); it != data.keys.end(); ++it) {
        if (it.key().size() <= path.size() || !std::equal(path.begin(), path.end(), it.key().begin()))
            break;
        if (it.key().size() == path.size() + 1)
            names.append(it->path.last());
    }
    return names;
}

QStringList RegistryKey::valueNames() const
{
    QStringList names;
    if (const Key *key = findKey(m_store->data(), m_path)) {
        for (const Value &value : key->values)
            names.append(value.name);
    }
    return names;
}

bool RegistryKey::valueExists(const QString &name) const
{
    return findValue(findKey(m_store->data(), m_path), name);
}

ValueType RegistryKey::valueType(const QString &name) const
{
    const Value *value = findValue(findKey(m_store->data(), m_path), name);
    if (!value)
        return ValueType::None;
    if (std::holds_alternative<QString>(value->data))
        return ValueType::String;
    return std::holds_alternative<quint32>(value->data) ? ValueType::Dword : ValueType::Binary;
}

qsizetype RegistryKey::valueSize(const QString &name) const
{
    const Value *value = findValue(findKey(m_store->data(), m_path), name);
    if (!value)
        return -1;
    if (const auto *text = std::get_if<QString>(&value->data))
        return (text->size() + 1) * 2;
    if (std::holds_alternative<quint32>(value->data))
        return 4;
    return std::get<QByteArray>(value->data).size();
}

std::optional<QString> RegistryKey::readString(const QString &name) const
{
    const Value *value = findValue(findKey(m_store->data(), m_path), name);
    const auto *text = value ? std::get_if<QString>(&value->data) : nullptr;
    return text ? std::optional(*text) : std::nullopt;
}

std::optional<quint32> RegistryKey::readDword(const QString &name) const
{
    const Value *value = findValue(findKey(m_store->data(), m_path), name);
    const auto *dword = value ? std::get_if<quint32>(&value->data) : nullptr;
    return dword ? std::optional(*dword) : std::nullopt;
}

std::optional<QByteArray> RegistryKey::readBinary(const QString &name) const
{
    const Value *value = findValue(findKey(m_store->data(), m_path), name);
    const auto *bytes = value ? std::get_if<QByteArray>(&value->data) : nullptr;
    return bytes ? std::optional(*bytes) : std::nullopt;
}

namespace {

bool writeValue(HiveStore &store, const QStringList &path, const QString &name, Data data, QString *error)
{
    if (!validValueName(name)) {
        setError(error, invalidValueNameText(name));
        return false;
    }
    return store.change({Change::Kind::SetValue, path, {name, std::move(data)}}, error) != Outcome::Failed;
}

} // namespace

bool Registry::writeValues(Hive hive, const QList<RegistryValue> &values, QString *error)
{
    std::vector<Change> changes;
    changes.reserve(size_t(values.size()));
    for (const RegistryValue &value : values) {
        const auto names = splitPath(value.keyPath);
        if (!names) {
            setError(error, invalidPathText(value.keyPath));
            return false;
        }
        if (!validValueName(value.name)) {
            setError(error, invalidValueNameText(value.name));
            return false;
        }
        changes.push_back({Change::Kind::SetValue, *names, {value.name, value.data}});
    }
    return changes.empty() || m_stores[size_t(hive)]->change(changes, error) != Outcome::Failed;
}

bool RegistryKey::writeString(const QString &name, const QString &value, QString *error) const
{
    return writeValue(*m_store, m_path, name, value, error);
}

bool RegistryKey::writeDword(const QString &name, quint32 value, QString *error) const
{
    return writeValue(*m_store, m_path, name, value, error);
}

bool RegistryKey::writeBinary(const QString &name, const QByteArray &value, QString *error) const
{
    return writeValue(*m_store, m_path, name, value, error);
}

bool RegistryKey::deleteValue(const QString &name, QString *error) const
{
    switch (m_store->change({Change::Kind::DeleteValue, m_path, {name, {}}}, error)) {
    case Outcome::Changed:
    case Outcome::Unchanged:
        return true;
    case Outcome::Missing:
        setError(error, QStringLiteral("Hodnota „%1“ v klíči „%2“ neexistuje.").arg(name, fullPath(m_hive, m_path)));
        return false;
    case Outcome::Failed:
        break;
    }
    return false;
}

Registry::Registry()
    : Registry(AppDirs::configDir())
{
}

Registry::Registry(const QString &folder)
    : m_folder(folder)
{
    for (const Hive hive : {Hive::CurrentUser, Hive::LocalMachine, Hive::ClassesRoot})
        m_stores[size_t(hive)] = sharedStore(hive, filePath(hive));
}

Registry::~Registry() = default;

QString Registry::filePath(Hive hive) const
{
    return QDir(m_folder).filePath(hiveName(hive) + QStringLiteral(".reg"));
}

RegistryKey Registry::root(Hive hive) const
{
    return RegistryKey(m_stores[size_t(hive)], hive, {});
}

std::optional<RegistryKey> Registry::openKey(Hive hive, const QString &path, bool create, QString *error) const
{
    return root(hive).openKey(path, create, error);
}

QString Registry::takeDamageReport()
{
    QStringList reports;
    for (const auto &store : m_stores)
        reports += store->takeReports();
    return reports.join(QStringLiteral("\n\n"));
}

bool Registry::claimFailureReport(Hive hive)
{
    return m_stores[size_t(hive)]->claimFailureReport();
}

} // namespace kora
