#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kora {

class Prompter;

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
};

// The document's files: new, open, open read-only, save, save as, save of the selection, the
// recent list, automatic saving, the caption that names the document and the save question.
// It owns no widget; the window shows what it reports.
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
};

} // namespace kora
