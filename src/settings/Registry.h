#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <variant>

// A tree of keys holding named values, kept in text files: the program's settings store.
//
// Each hive is one file in AppDirs::configDir(), named after the hive ("HKEY_CURRENT_USER.reg"),
// written as UTF-8 without a byte-order mark with CR LF line ends:
//
//   Windows Registry Editor Version 5.00
//   (blank line)
//   [HKEY_CURRENT_USER]                          every key, parents before children,
//   (blank line)                                 each followed by its values and a blank line
//   [HKEY_CURRENT_USER\Software\Lumasoft]
//   @="default value"                            the value with the empty name
//   "Name"="text with \\ and \" escaped"         string
//   "Count"=dword:0000007b                       dword, 8 lower-case hex digits
//   "Colours"=hex:03,00,ff,\                     binary; lines longer than 80 characters
//     10,20                                      continue after a backslash, indented by 2
//   "Lines"=hex(1):61,00,0d,00,0a,00,00,00       a string with CR, LF or NUL in it, or one that
//                                                is not valid UTF-16: UTF-16LE with terminator
//
// Reading also accepts UTF-8 with a byte-order mark and UTF-16LE with one, LF or CR line ends,
// comment lines starting with ';', spaces around '=' and between hex bytes, upper-case hex and
// hex(4) dwords. Anything else makes the file damaged, and so does a missing line break at the
// end (the usual sign of a cut-off file): such a file is renamed to
// "<file>.damaged-YYYYMMDD-HHMMSS", reported once through Registry::takeDamageReport(), and the
// hive starts again empty.
//
// Every change is written at once: under a lock file ("<file>.lock") the file is read again,
// the one change is applied to what it holds, and the result replaces the file through a
// temporary file. Several programs may therefore share the files without losing each other's
// changes. A change that changes nothing (the same data again) leaves the file alone. Reads use
// a copy kept in memory that is read again when the file's size or times change; all Registry
// objects of the process on the same folder share that copy and its reports. Not for use from
// several threads.
namespace kora {

enum class Hive { CurrentUser, LocalMachine, ClassesRoot };
enum class ValueType { None, String, Dword, Binary };

// "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_CLASSES_ROOT".
QString hiveName(Hive hive);

namespace registry_detail {
class HiveStore;

// A hive file's bytes as the store writes them back after reading them; nothing, with the
// reason in `damage`, when the store would find the file damaged.
std::optional<QByteArray> rewrittenHive(const QByteArray &bytes, Hive hive, QString *damage = nullptr);
} // namespace registry_detail

// A key of one hive, named by its path below the hive root ("" for the root itself). Key and
// value names compare without regard to ASCII case and keep the spelling they were created with.
// Paths separate keys with a backslash; a key name is not empty and holds no backslash; neither
// holds CR, LF, NUL or a lone UTF-16 surrogate. The value named "" is the key's default value.
//
// The handle stays usable when its key is deleted: reads then find nothing and a write creates
// the key again. Failing calls put a Czech message into `error` when it is given.
class RegistryKey
{
public:
    Hive hive() const { return m_hive; }
    // As stored: "Software\\Lumasoft\\KORA Editor".
    QString path() const { return m_path.join(u'\\'); }

    // The key at `path` below this one; with `create`, missing keys on the way are created.
    std::optional<RegistryKey> openKey(const QString &path, bool create, QString *error = nullptr) const;
    bool keyExists(const QString &path) const;
    // Deletes the key at `path` below this one with all its subkeys; false when it does not exist.
    bool deleteKey(const QString &path, QString *error = nullptr) const;
    QStringList subKeyNames() const;

    QStringList valueNames() const;
    bool valueExists(const QString &name) const;
    ValueType valueType(const QString &name) const;
    // Bytes of data as the registry counts them: a string's UTF-16 units with the terminator
    // times 2, 4 for a dword, the length of binary data; -1 when the value does not exist.
    qsizetype valueSize(const QString &name) const;

    // The value's data; nothing when it does not exist or has another type.
    std::optional<QString> readString(const QString &name) const;
    std::optional<quint32> readDword(const QString &name) const;
    std::optional<QByteArray> readBinary(const QString &name) const;

    // Creates or replaces the value (an existing value may change its type).
    bool writeString(const QString &name, const QString &value, QString *error = nullptr) const;
    bool writeDword(const QString &name, quint32 value, QString *error = nullptr) const;
    bool writeBinary(const QString &name, const QByteArray &value, QString *error = nullptr) const;
    // False when the value does not exist.
    bool deleteValue(const QString &name, QString *error = nullptr) const;

private:
    friend class Registry;
    RegistryKey(std::shared_ptr<registry_detail::HiveStore> store, Hive hive, QStringList path);

    std::shared_ptr<registry_detail::HiveStore> m_store;
    Hive m_hive;
    QStringList m_path;
};

// One value for Registry::writeValues.
struct RegistryValue
{
    QString keyPath; // below the hive's root; missing keys are created
    QString name;
    std::variant<QString, quint32, QByteArray> data; // string, dword or binary
};

// The three hives kept in one folder. The program keeps one Registry and asks it for damage
// reports after loading its settings.
class Registry
{
public:
    // Uses AppDirs::configDir().
    Registry();
    explicit Registry(const QString &folder);
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    QString folder() const { return m_folder; }
    QString filePath(Hive hive) const;

    RegistryKey root(Hive hive) const;
    std::optional<RegistryKey> openKey(Hive hive, const QString &path, bool create, QString *error = nullptr) const;

    // Creates or replaces all the values in one change of the file: under one lock, written
    // once, so they land together or not at all. An invalid path or name refuses them all.
    bool writeValues(Hive hive, const QList<RegistryValue> &values, QString *error = nullptr);

    // Czech messages about damaged files set aside since the last call, one paragraph per file;
    // empty when there were none.
    QString takeDamageReport();

    // True once after a write to the hive failed, until a write succeeds again: callers report a
    // failure once, not at every value.
    bool claimFailureReport(Hive hive);

private:
    QString m_folder;
    std::array<std::shared_ptr<registry_detail::HiveStore>, 3> m_stores;
};

} // namespace kora
