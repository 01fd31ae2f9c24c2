#pragma once

#include "text/FileStamp.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QTimer;

namespace kora {

class Prompter;
class RecoveryStore;
struct RecoveryCopy;

// The editor as the document's file life cycle sees it.
class DocumentEditor
{
public:
    virtual ~DocumentEditor() = default;
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
    virtual bool isReadOnly() const = 0;
    virtual void setReadOnly(bool readOnly) = 0;
    // Replaces the document by the file's content; false with a message.
    virtual bool loadFromFile(const QString &path, QString *error) = 0;
    virtual bool saveToFile(const QString &path, QString *error) = 0;
    // Writes only the selected part of the document.
    virtual bool saveSelectionToFile(const QString &path, QString *error) = 0;
    // Starts a new, empty document.
    virtual void clearAll() = 0;
    // The file last loaded or saved whole, as it was then.
    virtual FileStamp fileStamp() const = 0;
    // The whole document as RTF, and the editor's name for how its file was read.
    virtual QByteArray documentRtf() const = 0;
    virtual QString formatName() const = 0;
    // Replaces the document by RTF that documentRtf() gave, its file read as `format` says and
    // last seen as `file` describes. No undo history.
    virtual void restoreDocument(const QByteArray &rtf, const QString &format, const FileStamp &file) = 0;
};

// The document's files: new, open, open read-only, save, save as, save of the selection, the
// recent list, automatic saving, the caption that names the document and the save question.
// It owns no widget; the window shows what it reports.
//
// A file changed on disk since the document loaded or saved it is not overwritten without asking;
// autosave leaves it alone. While the document is modified, a recovery copy of it follows each
// change within the recovery interval; saving it or giving up its changes removes the copy.
class DocumentController : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRecentMax = 7;
    static inline const QString kUntitledCaption = QStringLiteral("KORA Editor - Bez Názvu");
    static inline const QString kMainFilter =
        QStringLiteral("KORA dokumenty ( *.kora )|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                       "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");
    static inline const QString kShortFilter =
        QStringLiteral("KORA dokumenty|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                       "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");

    static inline const QString kChangedOnDisk =
        QStringLiteral("Soubor byl mezitím změněn jiným programem. Přesto uložit?");
    // Seconds from a change to its recovery copy, unless KORA_RECOVERY_INTERVAL gives others.
    static constexpr int kRecoverySeconds = 60;

    DocumentController(DocumentEditor &editor, Prompter &prompter, QObject *parent = nullptr);

    QString saveFileName() const { return m_saveFileName; }
    QString openFileName() const { return m_openFileName; }
    QStringList recentFiles() const { return m_recent; }
    QString recentListPath() const { return m_recentPath; }
    QString caption() const { return m_caption; }

    // Start-up: the document named by the first argument after the program, when there is one
    // and it is not empty; a failed load is reported and leaves the document untitled.
    void openCommandLineDocument(const QStringList &arguments);
    // Start-up: reads "Recent.INI" from `path`, keeping at most kRecentMax entries.
    void loadRecentList(const QString &path);
    // Writes the recent list; a failure is reported once, so the window can still close.
    void writeRecentList();

    void newDocument();
    void open();
    // The save question that Open asks over a modified document: "Ano" runs Save As and the
    // command ends, "Storno" ends it. True when the command may go on to replace the document.
    bool mayOpenOver();
    // Replaces the document by a file that is not the user's own, such as a downloaded page: it
    // becomes a new, untitled, unmodified document that can be edited. False with a message,
    // leaving everything as it was.
    bool openUntitled(const QString &path, QString *error);
    void openReadOnly();
    bool save();
    bool saveAs();
    void saveSelection();
    void openRecent(const QString &path);
    // The autosave timer's tick: only a titled, modified document not opened read-only is saved.
    void autosave();
    // The welcome dialog's open: asks the save question over a modified document first. Returns
    // false with a message, or with an empty message when the user kept the document.
    bool openFromWelcome(const QString &path, QString *error);
    // Every attempt to close the window: writes the recent list, then asks the save question for
    // a modified document. True when the window may close.
    bool queryClose();
    // The status refresh marks a modified titled document in the caption.
    void markModifiedInCaption();

    // Where recovery copies go; none without a store.
    void setRecoveryStore(RecoveryStore *store) { m_recovery = store; }
    // The editor's content changed: a modified document gets its copy when the interval ends.
    void documentChanged();
    // The interval's end: writes the copy of a modified document, removes that of one that is not.
    void updateRecoveryCopy();
    int recoveryInterval() const;
    bool recoveryPending() const;
    // Takes a recovery copy as the document: modified, under its file's name, read-only as it
    // was. True once this instance's own copy of it is written (or there is no store).
    bool restoreRecoveryCopy(const RecoveryCopy &copy);
    // The program ends now, without questions (a signal, the end of the desktop session): a
    // modified document's copy is written and kept for the next start, and closing asks nothing.
    void endSession();

signals:
    void captionChanged(const QString &caption);
    void recentFilesChanged(const QStringList &files);
    // The document was replaced: by a file (what a save would lose can be told now) or, with an
    // empty path, by a new document.
    void documentReplaced(const QString &path);
    // Open loaded an unmodified document's successor; the welcome dialog lists these.
    void documentOpened(const QString &path);

private:
    enum class SaveErrors { Standard, AsOpenFailure };

    bool maySaveChanges(const QString &question, const std::function<bool()> &saveFirst);
    std::optional<QString> chooseSaveName(const QString &dialogName, const QString &filter, int &rememberedType,
                                          const QString &startName);
    bool load(const QString &path);
    bool saveUnder(const QString &path, SaveErrors errors = SaveErrors::Standard);
    bool save(SaveErrors errors);
    bool saveUnderChosenName();
    void showOpenFailure();
    void addRecent(const QString &path);
    void setCaption(const QString &caption);
    void setTitled(const QString &path, bool spaced);
    // The document is now the one on disk (or a new one): its copy is no longer needed.
    void settled();
    bool writeRecoveryCopy(QString *error);
    // False when the file changed on disk and the user (or autosave) keeps it.
    bool mayOverwrite(const QString &path, bool automatic);

    DocumentEditor &m_editor;
    Prompter &m_prompter;
    QString m_saveFileName;
    QString m_openFileName;
    QString m_caption = kUntitledCaption;
    QStringList m_recent;
    QString m_recentPath;
    bool m_recentWriteFailed = false;
    int m_saveDialogType = 0;
    int m_openDialogType = 0;
    int m_readOnlyDialogType = 0;
    int m_selectionDialogType = 0;
    RecoveryStore *m_recovery = nullptr;
    QTimer *m_recoveryTimer = nullptr;
    bool m_recoveryFailureShown = false;
    bool m_sessionEnded = false;
    bool m_autosaving = false;
    bool m_autosaveConflictShown = false;
};

} // namespace kora
