#pragma once

#include "text/FileStamp.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <map>

namespace kora {

// A copy of a modified document, kept so that it survives a crash of the program.
struct RecoveryCopy
{
    QString id;       // names the copy's files in the store's folder
    QString fileName; // the document's file; empty for an untitled document
    QString format;   // how that file was read, for saving it the same way (an editor's name for it)
    bool readOnly = false;
    FileStamp file;    // the file as the document last loaded or saved it
    QDateTime written; // when the copy was written
    QByteArray rtf;    // the document
};

// The recovery copies of every running instance of the program, in one folder. Each instance
// keeps at most one copy, "<id>.rtf" with "<id>.info" (what the copy is of) beside it, and
// while it has one it holds the lock file "<id>.lock" (its process id inside, locked with
// flock). A copy whose lock nobody holds was left by a process that is gone: an orphan, to be
// offered at the next start. A store that offers orphans holds their locks meanwhile, so two
// instances starting together never offer the same copy.
class RecoveryStore
{
public:
    // Takes no lock and writes nothing yet.
    explicit RecoveryStore(QString folder = defaultFolder());
    // Lets go of every lock and removes this instance's lock file; its copy stays when there is
    // one (the program ends with unsaved changes), which makes it an orphan.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    // $XDG_STATE_HOME/kora-editor/recovery (XDG_STATE_HOME defaults to ~/.local/state).
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    QString id() const { return m_id; }
    QString copyPath(const QString &id) const;
    QString infoPath(const QString &id) const;
    QString lockPath(const QString &id) const;

    // Writes this instance's copy (its `id` and `written` are set here) with the safe save, the
    // document first; false with a Czech message.
    bool write(const RecoveryCopy &copy, QString *error);
    // Removes this instance's copy: the document was saved or its changes given up.
    void removeCopy();
    bool hasCopy() const { return m_hasCopy; }

    // The copies of processes that are gone, oldest first, each claimed by this store until it
    // is discarded or released. Damaged leftovers without a document are cleared away.
    QList<RecoveryCopy> claimOrphans();
    // Deletes a claimed copy.
    void discard(const QString &id);
    // Lets go of the claimed copies that are left; they are offered again at a later start.
    void releaseOrphans();

private:
    bool lockOwn(QString *error);
    // Opens and locks the lock file of `id` without waiting; -1 when another process holds it.
    int tryLock(const QString &id) const;
    void unlock(int fd, const QString &id, bool removeFile) const;

    QString m_folder;
    QString m_id;
    int m_ownLock = -1;
    bool m_hasCopy = false;
    std::map<QString, int> m_claimed;
};

} // namespace kora
