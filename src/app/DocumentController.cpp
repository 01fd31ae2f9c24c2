#include "app/DocumentController.h"

#include "app/recovery/RecoveryStore.h"
#include "platform/Prompter.h"
#include "text/HistoryListFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace kora {

namespace {

// The question before New and Open ends in " ?"; before a recent file and closing it does not.
const QString kAskNewOrOpen = QStringLiteral("Přejte si uložit změny v daném souboru ?");
const QString kAskRecentOrClose = QStringLiteral("Přejte si uložit změny v daném souboru ");

// "KORA Editor - ( path )" after Open and Save, "KORA Editor - ( path)" after the other ways.
QString captionFor(const QString &path, bool spaced)
{
    return QStringLiteral("KORA Editor - ( ") + path + (spaced ? QStringLiteral(" )") : QStringLiteral(")"));
}

} // namespace

DocumentController::DocumentController(DocumentEditor &editor, Prompter &prompter, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_recoveryTimer(new QTimer(this))
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("KORA_RECOVERY_INTERVAL", &ok);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval((ok && seconds > 0 ? seconds : kRecoverySeconds) * 1000);
    connect(m_recoveryTimer, &QTimer::timeout, this, &DocumentController::updateRecoveryCopy);
}

void DocumentController::setCaption(const QString &caption)
{
    m_caption = caption;
    emit captionChanged(caption);
}

void DocumentController::openCommandLineDocument(const QStringList &arguments)
{
    // An empty first argument ends the list, so "" means no document.
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return;
    const QString path = arguments.at(1);
    QString error;
    if (!m_editor.loadFromFile(path, &error)) {
        m_prompter.showError(error);
        return;
    }
    setCaption(captionFor(path, false));
    m_openFileName = path;
    m_saveFileName = path;
    m_editor.setModified(false);
    settled();
    emit documentReplaced(path);
}

void DocumentController::loadRecentList(const QString &path)
{
    m_recentPath = path;
    HistoryListFile file(path);
    if (file.load())
        m_recent = file.entries().mid(0, kRecentMax);
    emit recentFilesChanged(m_recent);
}

void DocumentController::writeRecentList()
{
    HistoryListFile file(m_recentPath);
    file.setEntries(m_recent);
    QString error;
    if (!file.save(&error) && !m_recentWriteFailed) {
        m_recentWriteFailed = true;
        m_prompter.showError(error);
    }
}

void DocumentController::addRecent(const QString &path)
{
    m_recent = kora::addRecent(m_recent, path, kRecentMax);
    emit recentFilesChanged(m_recent);
}

bool DocumentController::maySaveChanges(const QString &question, const std::function<bool()> &saveFirst)
{
    const PromptButton answer = m_prompter.ask(MessageKind::Warning, question + QStringLiteral("\r\r") + m_saveFileName,
                                               ButtonYes | ButtonNo | ButtonCancel);
    if (answer == ButtonCancel)
        return false;
    // A save that fails or is cancelled keeps the document: whatever was to replace it stops.
    if (answer == ButtonYes)
        return saveFirst();
    return true;
}

std::optional<QString> DocumentController::chooseSaveName(const QString &dialogName, const QString &filter,
                                                          int &rememberedType, const QString &startName)
{
    const std::optional<FileChoice> choice =
        m_prompter.chooseFile(FileRequest{dialogName, true, filter, startName, rememberedType});
    if (!choice)
        return std::nullopt;
    rememberedType = choice->filterIndex;
    QString name = choice->fileName;
    // A name typed without an extension gets the extension of the chosen file type.
    const QStringList parts = filter.split(QLatin1Char('|'));
    const int patternIndex = choice->filterIndex * 2 + 1;
    if (QFileInfo(name).suffix().isEmpty() && patternIndex < parts.size()) {
        const QString pattern = parts.at(patternIndex);
        if (pattern.startsWith(QLatin1String("*.")) && !pattern.mid(1).contains(QLatin1Char('*')))
            name += pattern.mid(1);
    }
    return name;
}

bool DocumentController::load(const QString &path)
{
    QString error;
    if (!m_editor.loadFromFile(path, &error)) {
        m_prompter.showError(error);
        return false;
    }
    return true;
}

bool DocumentController::mayOverwrite(const QString &path, bool automatic)
{
    const FileStamp known = m_editor.fileStamp();
    if (known.path != path || !known.changedOnDisk())
        return true;
    if (!automatic)
        return m_prompter.ask(MessageKind::Warning, kChangedOnDisk, ButtonYes | ButtonNo) == ButtonYes;
    // Asked at every tick the question would come back every few minutes: said once, until the
    // document is saved or replaced.
    if (!m_autosaveConflictShown) {
        m_autosaveConflictShown = true;
        m_prompter.ask(MessageKind::Warning,
                       QStringLiteral("Soubor „%1“ byl mezitím změněn jiným programem. Automatické ukládání jej "
                                      "nepřepíše; dokument uložte příkazem Uložit nebo Uložit jako.")
                           .arg(QDir::toNativeSeparators(path)),
                       ButtonOk);
    }
    return false;
}

bool DocumentController::saveUnder(const QString &path, SaveErrors errors)
{
    if (!mayOverwrite(path, m_autosaving))
        return false;
    QString error;
    if (m_editor.saveToFile(path, &error))
        return true;
    if (errors == SaveErrors::AsOpenFailure)
        showOpenFailure();
    else
        m_prompter.showError(error);
    return false;
}

void DocumentController::showOpenFailure()
{
    m_prompter.message(MessageKind::Error, Prompter::titleFor(MessageKind::Error),
                       QStringLiteral("Chyba při otevírání souboru. Soubor nejspíš neexistuje"), ButtonOk);
}

void DocumentController::setTitled(const QString &path, bool spaced)
{
    setCaption(captionFor(path, spaced));
    m_editor.setModified(false);
    settled();
    addRecent(path);
}

void DocumentController::settled()
{
    m_autosaveConflictShown = false;
    if (m_sessionEnded)
        return;
    m_recoveryTimer->stop();
    if (m_recovery)
        m_recovery->removeCopy();
}

void DocumentController::newDocument()
{
    if (m_editor.isModified() && !maySaveChanges(kAskNewOrOpen, [this] { return saveUnderChosenName(); }))
        return;
    m_editor.clearAll();
    setCaption(kUntitledCaption);
    m_editor.setModified(false);
    m_saveFileName.clear();
    settled();
    emit documentReplaced(QString());
}

bool DocumentController::saveUnderChosenName()
{
    const std::optional<QString> name =
        chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter, m_saveDialogType, m_saveFileName);
    if (!name)
        return false;
    m_saveFileName = *name;
    return saveUnder(*name);
}

bool DocumentController::mayOpenOver()
{
    // "Ano" runs Save As and ends the command: nothing is opened over the document.
    return !m_editor.isModified() || maySaveChanges(kAskNewOrOpen, [this] {
        saveAs();
        return false;
    });
}

void DocumentController::open()
{
    const bool modified = m_editor.isModified();
    if (!mayOpenOver())
        return;
    const std::optional<FileChoice> choice = m_prompter.chooseFile(
        FileRequest{QStringLiteral("OpenDialog1"), false, kMainFilter, m_openFileName, m_openDialogType});
    if (!choice)
        return;
    m_openDialogType = choice->filterIndex;
    const QString path = choice->fileName;
    m_openFileName = path;
    if (!load(path))
        return;
    m_editor.setReadOnly(false);
    setCaption(captionFor(path, !modified));
    addRecent(path);
    if (!modified)
        emit documentOpened(path);
    m_saveFileName = path;
    m_editor.setModified(false);
    settled();
    emit documentReplaced(path);
}

bool DocumentController::openUntitled(const QString &path, QString *error)
{
    if (!m_editor.loadFromFile(path, error))
        return false;
    m_editor.setReadOnly(false);
    m_saveFileName.clear();
    setCaption(kUntitledCaption);
    m_editor.setModified(false);
    emit documentReplaced(QString());
    return true;
}

void DocumentController::openReadOnly()
{
    const std::optional<FileChoice> choice = m_prompter.chooseFile(
        FileRequest{QStringLiteral("odJenProCteni"), false, kShortFilter, QString(), m_readOnlyDialogType});
    if (!choice)
        return;
    m_readOnlyDialogType = choice->filterIndex;
    const QString path = choice->fileName;
    if (!load(path))
        return;
    setCaption(captionFor(path, false) + QStringLiteral(" [Jen pro čtení]"));
    m_editor.setModified(false);
    m_saveFileName = path;
    m_editor.setReadOnly(true);
    settled();
    emit documentReplaced(path);
}

bool DocumentController::save()
{
    return save(SaveErrors::Standard);
}

bool DocumentController::save(SaveErrors errors)
{
    if (m_saveFileName.isEmpty()) {
        const std::optional<QString> name =
            chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter, m_saveDialogType, m_saveFileName);
        if (!name)
            return false;
        m_saveFileName = *name;
    }
    if (!saveUnder(m_saveFileName, errors))
        return false;
    setTitled(m_saveFileName, true);
    return true;
}

bool DocumentController::saveAs()
{
    const std::optional<QString> name =
        chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter, m_saveDialogType, m_saveFileName);
    if (!name)
        return false;
    // The confirmed name is taken at once: a failed save leaves the document under it.
    m_saveFileName = *name;
    if (!saveUnder(*name))
        return false;
    setTitled(*name, false);
    return true;
}

void DocumentController::saveSelection()
{
    const std::optional<QString> name =
        chooseSaveName(QStringLiteral("odOznaceny"), kShortFilter, m_selectionDialogType, QString());
    if (!name)
        return;
    QString error;
    if (!m_editor.saveSelectionToFile(*name, &error))
        m_prompter.showError(error);
}

void DocumentController::openRecent(const QString &path)
{
    // Asked whether or not the document is modified; every failure shows the same fixed message.
    if (!maySaveChanges(kAskRecentOrClose, [this] { return save(SaveErrors::AsOpenFailure); }))
        return;
    QString error;
    if (!m_editor.loadFromFile(path, &error)) {
        showOpenFailure();
        return;
    }
    m_saveFileName = path;
    setCaption(captionFor(path, false));
    addRecent(path);
    m_editor.setModified(false);
    settled();
    emit documentReplaced(path);
}

void DocumentController::autosave()
{
    if (m_saveFileName.isEmpty() || !m_editor.isModified() || m_editor.isReadOnly())
        return;
    m_autosaving = true;
    save();
    m_autosaving = false;
}

bool DocumentController::openFromWelcome(const QString &path, QString *error)
{
    // The welcome dialog can come back over a modified document (returning from the tray).
    if (m_editor.isModified() && !maySaveChanges(kAskRecentOrClose, [this] { return save(); })) {
        error->clear();
        return false;
    }
    if (!m_editor.loadFromFile(path, error))
        return false;
    setCaption(captionFor(path, false));
    m_openFileName = path;
    m_saveFileName = path;
    m_editor.setModified(false);
    settled();
    emit documentReplaced(path);
    return true;
}

bool DocumentController::queryClose()
{
    writeRecentList();
    if (m_sessionEnded)
        return true;
    if (m_editor.isModified() && !maySaveChanges(kAskRecentOrClose, [this] { return save(); }))
        return false;
    // Saved, unchanged or given up ("Ne"): the program ends cleanly.
    settled();
    return true;
}

void DocumentController::markModifiedInCaption()
{
    if (!m_saveFileName.isEmpty() && m_editor.isModified())
        setCaption(QStringLiteral("KORA Editor - ( ") + m_saveFileName + QStringLiteral("*)"));
}

void DocumentController::documentChanged()
{
    if (m_recovery && !m_sessionEnded && m_editor.isModified() && !m_recoveryTimer->isActive())
        m_recoveryTimer->start();
}

int DocumentController::recoveryInterval() const
{
    return m_recoveryTimer->interval();
}

bool DocumentController::recoveryPending() const
{
    return m_recoveryTimer->isActive();
}

void DocumentController::updateRecoveryCopy()
{
    QString error;
    if (writeRecoveryCopy(&error)) {
        m_recoveryFailureShown = false;
        return;
    }
    // Said once until a copy is written again; the next change tries again.
    if (!m_recoveryFailureShown) {
        m_recoveryFailureShown = true;
        m_prompter.ask(MessageKind::Warning,
                       QStringLiteral("Záložní kopii neuloženého dokumentu nelze zapsat, po pádu programu by "
                                      "změny nešlo obnovit.\r\r") +
                           error,
                       ButtonOk);
    }
}

bool DocumentController::writeRecoveryCopy(QString *error)
{
    m_recoveryTimer->stop();
    if (!m_recovery || m_sessionEnded)
        return true;
    if (!m_editor.isModified()) {
        m_recovery->removeCopy();
        return true;
    }
    RecoveryCopy copy;
    copy.fileName = m_saveFileName;
    copy.format = m_editor.formatName();
    copy.readOnly = m_editor.isReadOnly();
    copy.file = m_editor.fileStamp();
    copy.rtf = m_editor.documentRtf();
    return m_recovery->write(copy, error);
}

bool DocumentController::restoreRecoveryCopy(const RecoveryCopy &copy)
{
    m_editor.restoreDocument(copy.rtf, copy.format, copy.file);
    m_editor.setReadOnly(copy.readOnly);
    m_editor.setModified(true);
    m_saveFileName = copy.fileName;
    m_autosaveConflictShown = false;
    if (copy.fileName.isEmpty())
        setCaption(kUntitledCaption);
    else
        markModifiedInCaption();
    emit documentReplaced(copy.fileName);
    if (!m_recovery)
        return true;
    updateRecoveryCopy();
    return m_recovery->hasCopy();
}

void DocumentController::endSession()
{
    if (m_sessionEnded)
        return;
    // No box now: the program is going away. A copy that cannot be written is lost with it.
    writeRecoveryCopy(nullptr);
    m_sessionEnded = true;
    m_recentWriteFailed = true;
    writeRecentList();
}

} // namespace kora
