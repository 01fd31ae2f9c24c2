#include "app/recovery/RecoveryStore.h"

#include "text/SafeSave.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kora {

namespace {

const QString kCopySuffix = QStringLiteral(".rtf");
const QString kInfoSuffix = QStringLiteral(".info");
const QString kLockSuffix = QStringLiteral(".lock");

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray infoBytes(const RecoveryCopy &copy)
{
    QJsonObject info;
    info.insert(QStringLiteral("fileName"), copy.fileName);
    info.insert(QStringLiteral("format"), copy.format);
    info.insert(QStringLiteral("readOnly"), copy.readOnly);
    info.insert(QStringLiteral("written"), copy.written.toUTC().toString(Qt::ISODateWithMs));
    info.insert(QStringLiteral("pid"), qint64(QCoreApplication::applicationPid()));
    if (copy.file.exists) {
        info.insert(QStringLiteral("filePath"), copy.file.path);
        info.insert(QStringLiteral("fileSize"), copy.file.size);
        info.insert(QStringLiteral("fileModified"), copy.file.modified);
        info.insert(QStringLiteral("fileHash"), QString::fromLatin1(copy.file.hash.toHex()));
    }
    return QJsonDocument(info).toJson();
}

// What the info file says; a missing or damaged one leaves the copy an untitled document.
void readInfo(const QByteArray &bytes, RecoveryCopy *copy)
{
    const QJsonObject info = QJsonDocument::fromJson(bytes).object();
    copy->fileName = info.value(QStringLiteral("fileName")).toString();
    copy->format = info.value(QStringLiteral("format")).toString();
    copy->readOnly = info.value(QStringLiteral("readOnly")).toBool();
    const QDateTime written =
        QDateTime::fromString(info.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    if (written.isValid())
        copy->written = written.toLocalTime();
    const QJsonValue hash = info.value(QStringLiteral("fileHash"));
    if (hash.isString()) {
        copy->file.exists = true;
        copy->file.path = info.value(QStringLiteral("filePath")).toString();
        copy->file.size = info.value(QStringLiteral("fileSize")).toInteger();
        copy->file.modified = info.value(QStringLiteral("fileModified")).toInteger();
        copy->file.hash = QByteArray::fromHex(hash.toString().toLatin1());
    }
}

bool sameFile(int fd, const QString &path)
{
    struct stat opened
    {
    };
    struct stat named
    {
    };
    return fstat(fd, &opened) == 0 && stat(QFile::encodeName(path).constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Whether the process named in a lock file runs.
bool processAlive(int fd)
{
    char buffer[32] = {};
    const ssize_t n = pread(fd, buffer, sizeof buffer - 1, 0);
    const long pid = n > 0 ? std::strtol(buffer, nullptr, 10) : 0;
    return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(std::move(folder))
    , m_id(QStringLiteral("%1-%2-%3")
               .arg(QCoreApplication::applicationPid())
               .arg(QDateTime::currentMSecsSinceEpoch())
               .arg(QRandomGenerator::global()->generate() & 0xFFFF, 4, 16, QChar(u'0')))
{
}

RecoveryStore::~RecoveryStore()
{
    releaseOrphans();
    if (m_ownLock >= 0)
        unlock(m_ownLock, m_id, true);
}

QString RecoveryStore::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(state + QStringLiteral("/kora-editor/recovery"));
}

QString RecoveryStore::copyPath(const QString &id) const
{
    return m_folder + u'/' + id + kCopySuffix;
}

QString RecoveryStore::infoPath(const QString &id) const
{
    return m_folder + u'/' + id + kInfoSuffix;
}

QString RecoveryStore::lockPath(const QString &id) const
{
    return m_folder + u'/' + id + kLockSuffix;
}

int RecoveryStore::tryLock(const QString &id) const
{
    const QByteArray path = QFile::encodeName(lockPath(id));
    // A claimer may remove the lock file between our open and our lock: then try the new one.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return -1;
        // Without flock on this file system, the process id in the file tells.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0 && (errno == EWOULDBLOCK || processAlive(fd))) {
            ::close(fd);
            return -1;
        }
        if (sameFile(fd, lockPath(id)))
            return fd;
        ::close(fd);
    }
    return -1;
}

void RecoveryStore::unlock(int fd, const QString &id, bool removeFile) const
{
    // Removed while still locked, so nobody takes the lock of a file that is going away.
    if (removeFile)
        QFile::remove(lockPath(id));
    ::close(fd);
}

bool RecoveryStore::lockOwn(QString *error)
{
    if (m_ownLock >= 0)
        return true;
    if (!QDir().mkpath(m_folder)) {
        *error = QStringLiteral("Složku „%1“ pro záložní kopie nelze vytvořit.").arg(shown(m_folder));
        return false;
    }
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const int fd = tryLock(m_id);
    if (fd < 0) {
        *error = QStringLiteral("Zámek „%1“ záložní kopie nelze vytvořit.").arg(shown(lockPath(m_id)));
        return false;
    }
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.constData(), size_t(pid.size()), 0) != pid.size()) {
        unlock(fd, m_id, true);
        *error = QStringLiteral("Zámek „%1“ záložní kopie nelze zapsat.").arg(shown(lockPath(m_id)));
        return false;
    }
    m_ownLock = fd;
    return true;
}

bool RecoveryStore::write(const RecoveryCopy &copy, QString *error)
{
    QString message;
    if (!lockOwn(&message)) {
        if (error)
            *error = message;
        return false;
    }
    RecoveryCopy stamped = copy;
    stamped.id = m_id;
    stamped.written = QDateTime::currentDateTime();
    const QString failure = QStringLiteral("Záložní kopii dokumentu „%1“ nelze zapsat.");
    // The document before what it is of: a copy whose info is lost is still offered, untitled.
    if (!saveFileSafely(copyPath(m_id), stamped.rtf, failure.arg(shown(copyPath(m_id))), error) ||
        !saveFileSafely(infoPath(m_id), infoBytes(stamped), failure.arg(shown(infoPath(m_id))), error)) {
        return false;
    }
    m_hasCopy = true;
    return true;
}

void RecoveryStore::removeCopy()
{
    if (!m_hasCopy)
        return;
    QFile::remove(copyPath(m_id));
    QFile::remove(infoPath(m_id));
    m_hasCopy = false;
}

QList<RecoveryCopy> RecoveryStore::claimOrphans()
{
    const QDir dir(m_folder);
    QStringList ids;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        for (const QString &suffix : {kCopySuffix, kInfoSuffix, kLockSuffix}) {
            if (name.endsWith(suffix) && name.size() > suffix.size())
                ids.append(name.chopped(suffix.size()));
        }
    }
    ids.removeDuplicates();
    QList<RecoveryCopy> orphans;
    for (const QString &id : std::as_const(ids)) {
        if (id == m_id || m_claimed.count(id))
            continue;
        const int fd = tryLock(id);
        if (fd < 0)
            continue;
        RecoveryCopy copy;
        copy.id = id;
        QByteArray info;
        if (!readWholeFile(copyPath(id), &copy.rtf, nullptr)) {
            // Nothing to offer: what an interrupted instance left around its copy goes.
            QFile::remove(infoPath(id));
            unlock(fd, id, true);
            continue;
        }
        if (readWholeFile(infoPath(id), &info, nullptr))
            readInfo(info, &copy);
        if (!copy.written.isValid())
            copy.written = QFileInfo(copyPath(id)).lastModified();
        m_claimed[id] = fd;
        orphans.append(std::move(copy));
    }
    std::stable_sort(orphans.begin(), orphans.end(),
                     [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.written < b.written; });
    return orphans;
}

void RecoveryStore::discard(const QString &id)
{
    const auto it = m_claimed.find(id);
    if (it == m_claimed.end())
        return;
    QFile::remove(copyPath(id));
    QFile::remove(infoPath(id));
    unlock(it->second, id, true);
    m_claimed.erase(it);
}

void RecoveryStore::releaseOrphans()
{
    for (const auto &[id, fd] : m_claimed)
        unlock(fd, id, false);
    m_claimed.clear();
}

} // namespace kora
