#include "settings/Registry.h"

#include "support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <variant>

using kora::Hive;
using kora::Registry;
using kora::RegistryKey;
using kora::ValueType;

namespace {

const QString kKoraKey = QStringLiteral("Software\\Lumasoft\\KORA Editor");

// Points KORA_CONFIG_DIR at a fresh temporary folder for each test.
class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        if (qEnvironmentVariableIsSet("KORA_CONFIG_DIR"))
            m_saved = qgetenv("KORA_CONFIG_DIR");
        qputenv("KORA_CONFIG_DIR", QFile::encodeName(dir.path()));
    }

    void TearDown() override
    {
        if (m_saved)
            qputenv("KORA_CONFIG_DIR", *m_saved);
        else
            qunsetenv("KORA_CONFIG_DIR");
    }

    QString hiveFile(Hive hive = Hive::CurrentUser) const
    {
        return dir.filePath(kora::hiveName(hive) + QStringLiteral(".reg"));
    }

    static QByteArray readBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QStringList damagedFiles(const QString &folder)
    {
        return QDir(folder).entryList({QStringLiteral("*.damaged-*")}, QDir::Files);
    }

    static RegistryKey openKora(Registry &registry)
    {
        return registry.openKey(Hive::CurrentUser, kKoraKey, true).value();
    }

    QTemporaryDir dir;

private:
    std::optional<QByteArray> m_saved;
};

using Data = std::variant<QString, quint32, QByteArray>;

ValueType typeOf(const Data &data)
{
    if (std::holds_alternative<QString>(data))
        return ValueType::String;
    return std::holds_alternative<quint32>(data) ? ValueType::Dword : ValueType::Binary;
}

// The value as `key` holds it, whatever its type; nothing when it is missing.
std::optional<Data> readData(const RegistryKey &key, const QString &name)
{
    switch (key.valueType(name)) {
    case ValueType::String:
        return Data(*key.readString(name));
    case ValueType::Dword:
        return Data(*key.readDword(name));
    case ValueType::Binary:
        return Data(*key.readBinary(name));
    case ValueType::None:
        break;
    }
    return std::nullopt;
}

bool writeData(const RegistryKey &key, const QString &name, const Data &data, QString *error)
{
    if (const auto *text = std::get_if<QString>(&data))
        return key.writeString(name, *text, error);
    if (const auto *dword = std::get_if<quint32>(&data))
        return key.writeDword(name, *dword, error);
    return key.writeBinary(name, std::get<QByteArray>(data), error);
}

std::string describe(const Data &data)
{
    if (const auto *text = std::get_if<QString>(&data))
        return "string \"" + text->toStdString() + "\"";
    if (const auto *dword = std::get_if<quint32>(&data))
        return "dword " + std::to_string(*dword);
    return "binary " + std::get<QByteArray>(data).toHex(',').toStdString();
}

QByteArray allBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

} // namespace

TEST_F(RegistryTest, EveryValueTypeRoundTripsThroughTheFile)
{
    struct Case
    {
        QString name;
        Data data;
        qsizetype size;
    };
    const Case cases[] = {
        {QStringLiteral("Text"), QStringLiteral("obyčejný text"), 28},
        {QStringLiteral("Prázdný"), QString(), 2},
        {QStringLiteral(""), QStringLiteral("výchozí hodnota"), 32},
        {QStringLiteral("Uvozovky"), QStringLiteral("řekl \"ahoj\" a odešel"), 42},
        {QStringLiteral("Cesta"), QStringLiteral("C:\\Program Files\\KORA\\"), 46},
        {QStringLiteral("Čeština"), QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"), 78},
        {QStringLiteral("Jen lomítko"), QStringLiteral("\\"), 4},
        {QStringLiteral("Jen uvozovka"), QStringLiteral("\""), 4},
        {QStringLiteral("Tabulátor"), QStringLiteral("a\tb"), 8},
        {QStringLiteral("Řádky"), QStringLiteral("první\r\ndruhý\ntřetí\r"), 40},
        {QStringLiteral("S nulou"), QStringView(u"a\0b", 3).toString(), 8},
        {QStringLiteral("Osamělá náhrada"), QString(QChar(0xD800)), 4},
        {QStringLiteral("Emoji"), QStringLiteral("🙂"), 6},
        {QStringLiteral("Nula"), quint32(0), 4},
        {QStringLiteral("Maximum"), quint32(0xFFFFFFFF), 4},
        {QStringLiteral("Znaménko"), quint32(0x80000000), 4},
        {QStringLiteral("Počet"), quint32(123), 4},
        {QStringLiteral("Nic"), QByteArray(), 0},
        {QStringLiteral("Nuly"), QByteArray(3, '\0'), 3},
        {QStringLiteral("Všechny bajty"), allBytes(), 256},
        {QStringLiteral("FF"), QByteArray("\xff", 1), 1},
        {QStringLiteral("jméno s \"uvozovkami\" a \\ lomítkem"), QStringLiteral("x"), 4},
    };
    {
        Registry registry;
        const RegistryKey key = openKora(registry);
        for (const Case &c : cases) {
            QString error;
            EXPECT_TRUE(writeData(key, c.name, c.data, &error)) << c.name.toStdString() << ": " << error.toStdString();
        }
    }
    Registry registry;
    const auto key = registry.openKey(Hive::CurrentUser, kKoraKey, false);
    ASSERT_TRUE(key);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString() + ": " + describe(c.data));
        EXPECT_EQ(key->valueType(c.name), typeOf(c.data));
        EXPECT_EQ(key->valueSize(c.name), c.size);
        const auto read = readData(*key, c.name);
        ASSERT_TRUE(read);
        EXPECT_TRUE(*read == c.data) << "read back as " << describe(*read);
    }
    EXPECT_EQ(key->valueNames().size(), qsizetype(std::size(cases)));
    EXPECT_EQ(registry.takeDamageReport(), QString());
}

TEST_F(RegistryTest, ValueOfAnotherTypeReadsAsNothingAndWritingReplacesTheType)
{
    Registry registry;
    const RegistryKey key = openKora(registry);
    ASSERT_TRUE(key.writeDword(QStringLiteral("Hodnota"), 7));
    EXPECT_EQ(key.readString(QStringLiteral("Hodnota")), std::nullopt);
    EXPECT_EQ(key.readBinary(QStringLiteral("Hodnota")), std::nullopt);

    ASSERT_TRUE(key.writeString(QStringLiteral("Hodnota"), QStringLiteral("sedm")));
    EXPECT_EQ(key.valueType(QStringLiteral("Hodnota")), ValueType::String);
    EXPECT_EQ(key.readDword(QStringLiteral("Hodnota")), std::nullopt);
    EXPECT_EQ(key.valueNames(), QStringList{QStringLiteral("Hodnota")});

    EXPECT_EQ(key.valueType(QStringLiteral("Chybí")), ValueType::None);
    EXPECT_EQ(key.valueSize(QStringLiteral("Chybí")), -1);
    EXPECT_FALSE(key.valueExists(QStringLiteral("Chybí")));
}

TEST_F(RegistryTest, FileTextIsExact)
{
    Registry registry;
    const RegistryKey key = openKora(registry);
    ASSERT_TRUE(key.writeString(QStringLiteral("Cesta"), QStringLiteral("C:\\Dokumenty\\\"nový\"")));
    ASSERT_TRUE(key.writeDword(QStringLiteral("Počet"), 123));
    ASSERT_TRUE(key.writeBinary(QStringLiteral("Barvy"), QByteArray("\x03\x00\xff", 3)));
    ASSERT_TRUE(key.writeString(QString(), QStringLiteral("výchozí")));
    ASSERT_TRUE(key.writeString(QStringLiteral("Řádky"), QStringLiteral("a\r\nb")));
    QByteArray thirty;
    for (int i = 0; i < 30; ++i)
        thirty.append(char(i));
    ASSERT_TRUE(key.writeBinary(QStringLiteral("Dlouhá"), thirty));
    ASSERT_TRUE(registry.openKey(Hive::CurrentUser, QStringLiteral("Software\\Prázdný"), true));

    const QByteArray expected = QStringLiteral(
                                    "Windows Registry Editor Version 5.00\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER]\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER\\Software]\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\Lumasoft]\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\Lumasoft\\KORA Editor]\r\n"
                                    "\"Cesta\"=\"C:\\\\Dokumenty\\\\\\\"nový\\\"\"\r\n"
                                    "\"Počet\"=dword:0000007b\r\n"
                                    "\"Barvy\"=hex:03,00,ff\r\n"
                                    "@=\"výchozí\"\r\n"
                                    "\"Řádky\"=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"
                                    "\"Dlouhá\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
                                    "  16,17,18,19,1a,1b,1c,1d\r\n"
                                    "\r\n"
                                    "[HKEY_CURRENT_USER\\Software\\Prázdný]\r\n"
                                    "\r\n")
                                    .toUtf8();
    EXPECT_EQ(readBytes(hiveFile()), expected);
    EXPECT_FALSE(QFile::exists(hiveFile(Hive::LocalMachine)));

    ASSERT_TRUE(registry.root(Hive::ClassesRoot).openKey(QStringLiteral(".kora"), true).value().writeString({}, QStringLiteral("KORA.Dokument")));
    EXPECT_EQ(readBytes(hiveFile(Hive::ClassesRoot)), QByteArray("Windows Registry Editor Version 5.00\r\n"
                                                                 "\r\n"
                                                                 "[HKEY_CLASSES_ROOT]\r\n"
                                                                 "\r\n"
                                                                 "[HKEY_CLASSES_ROOT\\.kora]\r\n"
                                                                 "@=\"KORA.Dokument\"\r\n"
                                                                 "\r\n"));
}

TEST_F(RegistryTest, LongBinaryLinesStayWithinEightyCharacters)
{
    Registry registry;
    ASSERT_TRUE(openKora(registry).writeBinary(QStringLiteral("Barvy"), allBytes() + allBytes()));
    const QList<QByteArray> lines = readBytes(hiveFile()).split('\n');
    for (const QByteArray &line : lines)
        EXPECT_LE(line.size(), 81) << line.toStdString(); // with the CR
    EXPECT_EQ(Registry().openKey(Hive::CurrentUser, kKoraKey, false).value().readBinary(QStringLiteral("Barvy")),
              allBytes() + allBytes());
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToAsciiCaseAndKeepTheirSpelling)
{
    Registry registry;
    const RegistryKey key = openKora(registry);
    ASSERT_TRUE(key.writeDword(QStringLiteral("Barva"), 1));

    const auto other = registry.openKey(Hive::CurrentUser, QStringLiteral("SOFTWARE\\lumasoft\\kora EDITOR"), false);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->path(), kKoraKey);
    ASSERT_TRUE(other->writeDword(QStringLiteral("BARVA"), 5));
    EXPECT_EQ(key.readDword(QStringLiteral("barva")), 5u);
    EXPECT_EQ(key.valueNames(), QStringList{QStringLiteral("Barva")});

    const auto created = registry.openKey(Hive::CurrentUser, QStringLiteral("software\\LUMASOFT\\Nový"), true);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->path(), QStringLiteral("Software\\Lumasoft\\Nový"));
    EXPECT_EQ(registry.openKey(Hive::CurrentUser, QStringLiteral("Software"), false).value().subKeyNames(),
              QStringList{QStringLiteral("Lumasoft")});
    EXPECT_TRUE(registry.root(Hive::CurrentUser).keyExists(QStringLiteral("SOFTWARE\\LUMASOFT\\NOVý")));

    const QByteArray file = readBytes(hiveFile());
    EXPECT_TRUE(file.contains("\"Barva\"=dword:00000005"));
    EXPECT_FALSE(file.contains("BARVA"));
    EXPECT_FALSE(file.contains("software"));

    // Only ASCII letters fold: Czech letters in other case are other names.
    ASSERT_TRUE(key.writeDword(QStringLiteral("čas"), 1));
    ASSERT_TRUE(key.writeDword(QStringLiteral("Čas"), 2));
    EXPECT_EQ(key.readDword(QStringLiteral("čas")), 1u);
    EXPECT_EQ(key.readDword(QStringLiteral("Čas")), 2u);
}

TEST_F(RegistryTest, OpeningWithoutCreateFailsForAMissingKey)
{
    Registry registry;
    QString error;
    EXPECT_FALSE(registry.openKey(Hive::CurrentUser, kKoraKey, false, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("HKEY_CURRENT_USER\\Software\\Lumasoft\\KORA Editor"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(hiveFile())) << "looking writes nothing";

    const auto key = registry.openKey(Hive::CurrentUser, kKoraKey, true);
    ASSERT_TRUE(key);
    const RegistryKey root = registry.root(Hive::CurrentUser);
    EXPECT_TRUE(root.keyExists(QStringLiteral("Software")));
    EXPECT_TRUE(root.keyExists(QStringLiteral("Software\\Lumasoft")));
    EXPECT_TRUE(registry.openKey(Hive::CurrentUser, kKoraKey, false));
    EXPECT_FALSE(registry.openKey(Hive::LocalMachine, kKoraKey, false)) << "hives are separate";

    const auto lumasoft = registry.openKey(Hive::CurrentUser, QStringLiteral("Software\\Lumasoft"), false);
    ASSERT_TRUE(lumasoft);
    EXPECT_TRUE(lumasoft->openKey(QStringLiteral("KORA Editor"), false));
    EXPECT_FALSE(lumasoft->openKey(QStringLiteral("Jiný"), false));
    EXPECT_EQ(lumasoft->openKey(QString(), false).value().path(), QStringLiteral("Software\\Lumasoft"));
}

TEST_F(RegistryTest, InvalidNamesAreRefused)
{
    Registry registry;
    const RegistryKey root = registry.root(Hive::CurrentUser);
    for (const QString &path : {QStringLiteral("\\Software"), QStringLiteral("Software\\"),
                                QStringLiteral("Software\\\\Lumasoft"), QStringLiteral("Řádek\nzlom"),
                                QStringView(u"Nula\0", 5).toString(), QString(QChar(0xDC00))}) {
        QString error;
        EXPECT_FALSE(root.openKey(path, true, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(root.deleteKey(path));
    }
    EXPECT_FALSE(root.deleteKey(QString())) << "a key does not delete itself";
    const RegistryKey key = openKora(registry);
    for (const QString &name : {QStringLiteral("a\nb"), QStringLiteral("a\rb"), QStringView(u"a\0b", 3).toString(),
                                QString(QChar(0xD800))}) {
        QString error;
        EXPECT_FALSE(key.writeString(name, QStringLiteral("x"), &error)) << name.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(key.valueNames(), QStringList());
    EXPECT_EQ(Registry().takeDamageReport(), QString());
}

TEST_F(RegistryTest, DeleteKeyRemovesItsSubkeysOnly)
{
    Registry registry;
    const RegistryKey root = registry.root(Hive::CurrentUser);
    for (const QString &path : {QStringLiteral("Software\\Kora\\Okna\\Hlavní"), QStringLiteral("Software\\Kora\\Barvy"),
                                QStringLiteral("Software\\KoraX"), QStringLiteral("Software\\Kora X"),
                                QStringLiteral("Software\\Kor")}) {
        const auto key = root.openKey(path, true);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->writeDword(QStringLiteral("Hodnota"), 1));
    }
    const auto kora = root.openKey(QStringLiteral("Software\\Kora"), false);
    ASSERT_TRUE(kora);

    ASSERT_TRUE(root.deleteKey(QStringLiteral("software\\KORA")));
    Registry fresh;
    for (Registry *reader : {&registry, &fresh}) {
        const RegistryKey r = reader->root(Hive::CurrentUser);
        EXPECT_FALSE(r.keyExists(QStringLiteral("Software\\Kora")));
        EXPECT_FALSE(r.keyExists(QStringLiteral("Software\\Kora\\Okna\\Hlavní")));
        EXPECT_EQ(r.openKey(QStringLiteral("Software"), false).value().subKeyNames(),
                  (QStringList{QStringLiteral("Kor"), QStringLiteral("Kora X"), QStringLiteral("KoraX")}));
    }
    QString error;
    EXPECT_FALSE(root.deleteKey(QStringLiteral("Software\\Kora"), &error));
    EXPECT_FALSE(error.isEmpty());

    // A handle to the deleted key finds nothing, and writing through it creates the key again.
    EXPECT_EQ(kora->valueNames(), QStringList());
    EXPECT_EQ(kora->subKeyNames(), QStringList());
    ASSERT_TRUE(kora->writeDword(QStringLiteral("Znovu"), 2));
    EXPECT_EQ(Registry().openKey(Hive::CurrentUser, QStringLiteral("Software\\Kora"), false).value().readDword(QStringLiteral("Znovu")),
              2u);
}

TEST_F(RegistryTest, DeleteValueAndValueOrder)
{
    Registry registry;
    const RegistryKey key = openKora(registry);
    for (const QString &name : {QStringLiteral("Zeta"), QStringLiteral("Alfa"), QStringLiteral("Mí")})
        ASSERT_TRUE(key.writeString(name, name));
    EXPECT_EQ(key.valueNames(), (QStringList{QStringLiteral("Zeta"), QStringLiteral("Alfa"), QStringLiteral("Mí")}));

    ASSERT_TRUE(key.deleteValue(QStringLiteral("ALFA")));
    QString error;
    EXPECT_FALSE(key.deleteValue(QStringLiteral("Alfa"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Registry().openKey(Hive::CurrentUser, kKoraKey, false).value().valueNames(),
              (QStringList{QStringLiteral("Zeta"), QStringLiteral("Mí")}));
}

TEST_F(RegistryTest, ManyValuesAreWrittenTogetherOrNotAtAll)
{
    Registry registry;
    const QList<kora::RegistryValue> values = {
        {kKoraKey + QStringLiteral("\\Form1\\tbFormat"), QStringLiteral("Visible"), QStringLiteral("False")},
        {kKoraKey + QStringLiteral("\\Form1"), QStringLiteral("Left"), quint32(10)},
        {kKoraKey + QStringLiteral("\\Form1"), QStringLiteral("MainForm"), QByteArray("\x04\0\0\0\x01", 5)},
    };
    ASSERT_TRUE(registry.writeValues(Hive::CurrentUser, values));
    const RegistryKey form = registry.openKey(Hive::CurrentUser, kKoraKey + QStringLiteral("\\Form1"), false).value();
    EXPECT_EQ(form.valueNames(), (QStringList{QStringLiteral("Left"), QStringLiteral("MainForm")}));
    EXPECT_EQ(form.openKey(QStringLiteral("tbFormat"), false)->readString(QStringLiteral("Visible")), QStringLiteral("False"));

    // One bad name or path refuses the whole set.
    for (const kora::RegistryValue &bad : {kora::RegistryValue{kKoraKey + QStringLiteral("\\\\x"), QStringLiteral("a"), quint32(1)},
                                           kora::RegistryValue{kKoraKey, QStringLiteral("a\nb"), quint32(1)}}) {
        QString error;
        EXPECT_FALSE(registry.writeValues(Hive::CurrentUser, {{kKoraKey, QStringLiteral("Top"), quint32(5)}, bad}, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(openKora(registry).valueExists(QStringLiteral("Top")));
    EXPECT_TRUE(registry.writeValues(Hive::CurrentUser, {}));
}

TEST_F(RegistryTest, ChangesFromAnotherRegistryAreSeenAndKept)
{
    Registry first;
    Registry second;
    const RegistryKey a = openKora(first);
    const RegistryKey b = second.openKey(Hive::CurrentUser, kKoraKey, false).value();
    EXPECT_EQ(b.valueNames(), QStringList()); // the second registry now holds a copy of the file

    ASSERT_TRUE(a.writeDword(QStringLiteral("Od prvního"), 1));
    ASSERT_TRUE(b.writeDword(QStringLiteral("Od druhého"), 2));
    ASSERT_TRUE(a.writeDword(QStringLiteral("Od prvního znovu"), 3));
    EXPECT_EQ(b.readDword(QStringLiteral("Od prvního znovu")), 3u);
    EXPECT_EQ(a.readDword(QStringLiteral("Od druhého")), 2u);

    ASSERT_TRUE(second.root(Hive::CurrentUser).openKey(QStringLiteral("Software\\Druhý"), true));
    ASSERT_TRUE(a.deleteValue(QStringLiteral("Od druhého")));
    const RegistryKey check = Registry().openKey(Hive::CurrentUser, kKoraKey, false).value();
    EXPECT_EQ(check.valueNames(), (QStringList{QStringLiteral("Od prvního"), QStringLiteral("Od prvního znovu")}));
    EXPECT_TRUE(Registry().root(Hive::CurrentUser).keyExists(QStringLiteral("Software\\Druhý")));
}

TEST_F(RegistryTest, TwoProcessesWritingAtOnceKeepEachOthersValues)
{
    constexpr int kCount = 60;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KORA_CONFIG_DIR"), dir.path());
    QProcess writers[2];
    const QString ids[2] = {QStringLiteral("A"), QStringLiteral("B")};
    for (int i = 0; i < 2; ++i) {
        writers[i].setProcessEnvironment(environment);
        writers[i].start(QStringLiteral(KORA_REGISTRY_WRITER), {ids[i], QString::number(kCount)});
    }
    for (QProcess &writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(100000)) << writer.errorString().toStdString();
        EXPECT_EQ(writer.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }

    Registry registry;
    const auto shared = registry.openKey(Hive::CurrentUser, QStringLiteral("Software\\Writers\\Shared"), false);
    ASSERT_TRUE(shared);
    QStringList wrong;
    for (const QString &id : ids) {
        const auto own = registry.openKey(Hive::CurrentUser, QStringLiteral("Software\\Writers\\") + id, false);
        ASSERT_TRUE(own) << id.toStdString();
        for (int i = 0; i < kCount; ++i) {
            if (own->readDword(QStringLiteral("v%1").arg(i)) != quint32(i))
                wrong.append(id + QStringLiteral("\\v%1").arg(i));
            if (shared->readString(QStringLiteral("%1-%2").arg(id).arg(i)) != id)
                wrong.append(QStringLiteral("Shared\\%1-%2").arg(id).arg(i));
        }
        EXPECT_EQ(own->valueNames().size(), kCount);
    }
    EXPECT_EQ(wrong, QStringList()) << "missing or wrong values";
    EXPECT_EQ(shared->valueNames().size(), 2 * kCount);
    EXPECT_EQ(registry.takeDamageReport(), QString());
    EXPECT_EQ(damagedFiles(dir.path()), QStringList());
    EXPECT_FALSE(QFile::exists(hiveFile() + QStringLiteral(".lock")));
}

TEST_F(RegistryTest, LockLeftByAFinishedProcessDoesNotBlockWriting)
{
    // A lock file as this process writes it, but naming a process that no longer runs.
    QProcess finished;
    finished.start(QStringLiteral(KORA_REGISTRY_WRITER), {});
    ASSERT_TRUE(finished.waitForStarted(100000));
    const qint64 deadPid = finished.processId();
    ASSERT_TRUE(finished.waitForFinished(100000));
    const QString lockPath = hiveFile() + QStringLiteral(".lock");
    QByteArray lockText;
    {
        QLockFile ours(lockPath);
        ASSERT_TRUE(ours.tryLock(0));
        lockText = readBytes(lockPath);
    }
    ASSERT_TRUE(lockText.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
    lockText.replace(0, lockText.indexOf('\n'), QByteArray::number(deadPid));
    writeBytes(lockPath, lockText);

    Registry registry;
    QString error;
    const auto key = registry.openKey(Hive::CurrentUser, kKoraKey, true, &error);
    ASSERT_TRUE(key) << error.toStdString();
    EXPECT_TRUE(key->writeDword(QStringLiteral("Hodnota"), 1, &error)) << error.toStdString();
}

TEST_F(RegistryTest, DamagedFileIsSetAsideReportedOnceAndReadsAsEmpty)
{
    const QByteArray good = "Windows Registry Editor Version 5.00\r\n\r\n"
                            "[HKEY_CURRENT_USER\\Software]\r\n\"Stará\"=\"hodnota\"\r\n";
    struct Case
    {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty file", QByteArray()},
        {"garbage", QByteArray("\x00\x01\x02 nesmysl \xff\xfe", 14)},
        {"older header", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\"Stará\"=\"hodnota\"\r\n"},
        {"header only in part", "Windows Registry Editor Vers"},
        {"cut inside a string", good + "\"Nová\"=\"nedoko"},
        {"cut after a complete value without its line break", good + "\"Nová\"=dword:00000001"},
        {"cut inside a wrapped hex value", good + "\"Nová\"=hex:00,01,\\\r\n"},
        {"cut inside a key name", good + "\r\n[HKEY_CURRENT_USER\\Softw"},
        {"key name without bracket", good + "[HKEY_CURRENT_USER\\Software\r\n"},
        {"short dword", good + "\"Nová\"=dword:7b\r\n"},
        {"dword with a letter", good + "\"Nová\"=dword:0000007g\r\n"},
        {"single hex digit", good + "\"Nová\"=hex:00,1\r\n"},
        {"unsupported type", good + "\"Nová\"=hex(2):25,00,00,00\r\n"},
        {"hex(4) with three bytes", good + "\"Nová\"=hex(4):01,02,03\r\n"},
        {"unknown escape", good + "\"Nová\"=\"a\\nb\"\r\n"},
        {"text after a string", good + "\"Nová\"=\"a\" b\r\n"},
        {"value without equals", good + "\"Nová\" \"a\"\r\n"},
        {"unquoted name", good + "Nová=\"a\"\r\n"},
        {"deleting line", good + "\"Stará\"=-\r\n"},
        {"junk line", good + "nesmysl\r\n"},
        {"value before any key", "Windows Registry Editor Version 5.00\r\n\r\n\"Stará\"=\"hodnota\"\r\n"},
        {"key of another hive", good + "[HKEY_LOCAL_MACHINE\\Software]\r\n"},
        {"empty key name", good + "[HKEY_CURRENT_USER\\Software\\\\Kora]\r\n"},
        {"invalid UTF-8", good + "\"Nová\"=\"\xc3\x28\"\r\n"},
        {"odd UTF-16", QByteArray("\xff\xfeW\x00i\x00n", 7)},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString folder = dir.filePath(QString::number(n++));
        ASSERT_TRUE(QDir().mkpath(folder));
        Registry registry(folder);
        const QString file = registry.filePath(Hive::CurrentUser);
        writeBytes(file, c.bytes);

        const RegistryKey root = registry.root(Hive::CurrentUser);
        EXPECT_EQ(root.subKeyNames(), QStringList());
        EXPECT_FALSE(root.keyExists(QStringLiteral("Software")));
        const QString report = registry.takeDamageReport();
        EXPECT_TRUE(report.contains(QDir::toNativeSeparators(file))) << report.toStdString();
        EXPECT_TRUE(report.contains(QStringLiteral(".damaged-"))) << report.toStdString();
        EXPECT_EQ(registry.takeDamageReport(), QString()) << "reported once";

        const QStringList aside = damagedFiles(folder);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(aside.first().startsWith(QStringLiteral("HKEY_CURRENT_USER.reg.damaged-"))) << aside.first().toStdString();
        EXPECT_EQ(readBytes(QDir(folder).filePath(aside.first())), c.bytes);
        EXPECT_FALSE(QFile::exists(file));

        ASSERT_TRUE(root.openKey(QStringLiteral("Software"), true).value().writeDword(QStringLiteral("Nová"), 1));
        EXPECT_EQ(Registry(folder).openKey(Hive::CurrentUser, QStringLiteral("Software"), false).value().valueNames(),
                  QStringList{QStringLiteral("Nová")});
        EXPECT_EQ(damagedFiles(folder), aside);
        EXPECT_EQ(readBytes(QDir(folder).filePath(aside.first())), c.bytes);
        EXPECT_EQ(registry.takeDamageReport(), QString());
    }
}

TEST_F(RegistryTest, DamageFoundWhileWritingIsSetAsideAndTheWriteGoesOn)
{
    Registry registry;
    const RegistryKey key = openKora(registry);
    ASSERT_TRUE(key.writeDword(QStringLiteral("Před"), 1));
    writeBytes(hiveFile(), "nesmysl");
    ASSERT_TRUE(key.writeDword(QStringLiteral("Po"), 2));
    EXPECT_EQ(key.valueNames(), QStringList{QStringLiteral("Po")});
    EXPECT_FALSE(registry.takeDamageReport().isEmpty());
    EXPECT_EQ(damagedFiles(dir.path()).size(), 1);
}

TEST_F(RegistryTest, EveryCutInsideALineIsReported)
{
    {
        Registry registry;
        const RegistryKey key = openKora(registry);
        ASSERT_TRUE(key.writeString(QStringLiteral("Jméno"), QStringLiteral("Žluťoučký \"kůň\"")));
        ASSERT_TRUE(key.writeDword(QStringLiteral("Počet"), 7));
        ASSERT_TRUE(key.writeBinary(QStringLiteral("Barvy"), allBytes().left(40)));
        ASSERT_TRUE(key.writeString(QStringLiteral("Řádky"), QStringLiteral("a\nb")));
    }
    const QByteArray whole = readBytes(hiveFile());
    ASSERT_FALSE(whole.isEmpty());
    for (qsizetype length = 0; length < whole.size(); ++length) {
        const bool atLineBreak = length > 0 && (whole[length - 1] == '\n' || whole[length - 1] == '\r');
        if (atLineBreak)
            continue;
        writeBytes(hiveFile(), whole.left(length));
        Registry registry;
        EXPECT_FALSE(registry.root(Hive::CurrentUser).keyExists(QStringLiteral("Software"))) << "cut at " << length;
        EXPECT_FALSE(registry.takeDamageReport().isEmpty()) << "cut at " << length;
        for (const QString &name : damagedFiles(dir.path()))
            ASSERT_TRUE(QFile::remove(dir.filePath(name)));
    }
}

TEST_F(RegistryTest, HandEditedFileReadsCorrectly)
{
    const QString text = QStringLiteral(
        "Windows Registry Editor Version 5.00\n"
        "\n"
        "; ručně upravený soubor\n"
        "[hkey_current_user\\SOFTWARE\\lumasoft\\KORA Editor]\n"
        "\"Barvy\"=hex:00,11,22,\\\n"
        "    33,44,\\\n"
        "\t55,FF\n"
        "\"Prázdná\"=hex:\n"
        "\"POČET\" = DWORD:0000007B\n"
        "\"Malý\"=hex(4):01,02,00,00\n"
        "\"Víceřádkový\"=hex(1):61,00,0d,00,0a,00,\\\n"
        "  62,00,00,00\n"
        "@=\"výchozí\"\n"
        "   \n"
        "[HKEY_CURRENT_USER\\Software\\Lumasoft\\kora editor\\Okna]\n"
        "\"Levý\"=dword:00000010\n"
        "[HKEY_CURRENT_USER\\software\\LUMASOFT\\KORA EDITOR]\n"
        "\"barvy\"=hex:01\n"
        "\"Cesta\"=\"C:\\\\Dokumenty\\\\\"\n");
    struct Encoding
    {
        const char *what;
        QByteArray bytes;
    };
    QByteArray utf16 = "\xff\xfe";
    for (const QChar ch : text) {
        utf16.append(char(ch.unicode() & 0xFF));
        utf16.append(char(ch.unicode() >> 8));
    }
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    const Encoding encodings[] = {
        {"UTF-8, LF", text.toUtf8()},
        {"UTF-8 with BOM, CR LF", "\xef\xbb\xbf" + crlf.toUtf8()},
        {"UTF-16LE with BOM, CR LF", utf16},
    };
    for (const Encoding &encoding : encodings) {
        SCOPED_TRACE(encoding.what);
        writeBytes(hiveFile(), encoding.bytes);
        Registry registry;
        const auto key = registry.openKey(Hive::CurrentUser, kKoraKey, false);
        ASSERT_TRUE(key);
        EXPECT_EQ(registry.takeDamageReport(), QString());
        EXPECT_EQ(key->path(), QStringLiteral("SOFTWARE\\lumasoft\\KORA Editor"));
        EXPECT_EQ(key->valueNames(), (QStringList{QStringLiteral("Barvy"), QStringLiteral("Prázdná"), QStringLiteral("POČET"),
                                                  QStringLiteral("Malý"), QStringLiteral("Víceřádkový"), QString(),
                                                  QStringLiteral("Cesta")}));
        EXPECT_EQ(key->readBinary(QStringLiteral("barvy")), QByteArray("\x01", 1)) << "the later line wins";
        EXPECT_EQ(key->readBinary(QStringLiteral("Prázdná")), QByteArray());
        EXPECT_EQ(key->readDword(QStringLiteral("Počet")), std::nullopt) << "Č is not an ASCII letter";
        EXPECT_EQ(key->readDword(QStringLiteral("poČET")), 123u);
        EXPECT_EQ(key->readDword(QStringLiteral("Malý")), 0x201u);
        EXPECT_EQ(key->readString(QStringLiteral("Víceřádkový")), QStringLiteral("a\r\nb"));
        EXPECT_EQ(key->readString(QString()), QStringLiteral("výchozí"));
        EXPECT_EQ(key->readString(QStringLiteral("cesta")), QStringLiteral("C:\\Dokumenty\\"));
        EXPECT_EQ(key->subKeyNames(), QStringList{QStringLiteral("Okna")});
        EXPECT_EQ(key->openKey(QStringLiteral("OKNA"), false).value().readDword(QStringLiteral("levý")), 16u);

        ASSERT_TRUE(key->writeDword(QStringLiteral("Nová"), 1));
        const QByteArray rewritten = readBytes(hiveFile());
        EXPECT_TRUE(rewritten.contains(QStringLiteral("\"Barvy\"=hex:01\r\n").toUtf8()));
        EXPECT_FALSE(rewritten.contains("; ručně"));
        EXPECT_EQ(Registry().openKey(Hive::CurrentUser, kKoraKey, false).value().valueNames().size(), 8);
        ASSERT_TRUE(QFile::remove(hiveFile()));
    }
}
