#include "editing/insertion/InsertionController.h"

#include "editing/insertion/DateFormatSource.h"
#include "editing/insertion/InsertObjectDialog.h"
#include "editing/insertion/ObjectPicture.h"
#include "editing/insertion/PasteSpecialDialog.h"
#include "editing/insertion/PictureFile.h"
#include "editing/insertion/TCesta.h"
#include "editing/insertion/TDatumCas.h"
#include "editing/insertion/THyperLink.h"
#include "editing/insertion/TTextSouboru.h"
#include "editing/insertion/Tsymbol.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "richedit/Pictures.h"
#include "richedit/PlainTextCodec.h"
#include "richedit/RichEdit.h"
#include "text/DateTimeFormat.h"
#include "text/SafeSave.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QUrl>

namespace kora {

namespace {

const QString kDocumentFilter =
    QStringLiteral("KORA dokumenty ( *.kora )|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                   "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");

// "%" inserts a percent sign; the pairs are inserted whole.
const std::pair<QAction * InsertionActions::*, const char16_t *> kCharacters[] = {
    {&InsertionActions::N14, u"()"}, {&InsertionActions::N15, u"{}"}, {&InsertionActions::N16, u"[]"},
    {&InsertionActions::N27, u"<>"}, {&InsertionActions::N18, u"!"},  {&InsertionActions::N19, u"@"},
    {&InsertionActions::N20, u"#"},  {&InsertionActions::N21, u"$"},  {&InsertionActions::N22, u"%"},
    {&InsertionActions::N23, u"^"},  {&InsertionActions::N26, u"*"},  {&InsertionActions::N29, u"/"},
    {&InsertionActions::N30, u"\\"}, {&InsertionActions::N25, u"_"},
};

// Every line of the text followed by a line break; the break after the last line adds no line.
QString linesEndedByBreaks(const QString &text)
{
    if (text.isEmpty() || text.endsWith(u'\n'))
        return text;
    return text + u'\n';
}

QByteArray newObjectBytes(const NewObjectKind &kind)
{
    if (!kind.fileName.endsWith(QLatin1String(".png")))
        return {};
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

InsertionController::InsertionController(RichEdit &editor, Prompter &prompter, Shell &shell, QWidget *dialogOwner,
                                         const InsertionActions &actions, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_shell(shell)
    , m_clock([] { return QDateTime::currentDateTime(); })
    , m_insertObject(new InsertObjectDialog(prompter, dialogOwner))
    , m_pasteSpecial(new PasteSpecialDialog(dialogOwner))
    , m_watcher(new QFileSystemWatcher(this))
{
    const std::pair<QAction *, void (InsertionController::*)()> commands[] = {
        {actions.mCas, &InsertionController::mCasClick},
        {actions.mDatum, &InsertionController::mDatumClick},
        {actions.mDatumCas, &InsertionController::mDatumCasClick},
        {actions.mDatumcasDialog, &InsertionController::mDatumcasDialogClick},
        {actions.mSymboly, &InsertionController::mSymbolyClick},
        {actions.mHyperLink, &InsertionController::mHyperLinkClick},
        {actions.Cel1, &InsertionController::Cel1Click},
        {actions.Text1, &InsertionController::Text1Click},
        {actions.mCestaKSouboru, &InsertionController::mCestaKSouboruClick},
        {actions.mObrazek, &InsertionController::mObrazekClick},
        {actions.mObjekt, &InsertionController::mObjektClick},
        {actions.mVlozitSpecial, &InsertionController::mVlozitSpecialClick},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);
    for (const auto &[item, text] : kCharacters)
        connect(actions.*item, &QAction::triggered, this,
                [this, text = QString::fromUtf16(text)] { insertCharacters(text); });
    connect(&editor, &RichEdit::objectActivated, this, &InsertionController::openObject);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &InsertionController::objectFileChanged);
}

InsertionController::~InsertionController()
{
    delete m_insertObject;
    delete m_pasteSpecial;
}

InsertObjectDialog *InsertionController::insertObjectDialog() const
{
    return m_insertObject;
}

PasteSpecialDialog *InsertionController::pasteSpecialDialog() const
{
    return m_pasteSpecial;
}

void InsertionController::setDialogs(const InsertionDialogs &dialogs)
{
    m_dialogs = dialogs;
}

bool InsertionController::writable() const
{
    return !m_editor.isReadOnly();
}

void InsertionController::insertFormatted(const QString &format)
{
    if (writable())
        m_editor.setSelText(formatDateTime(format, m_clock()));
}

void InsertionController::insertCharacters(const QString &text)
{
    if (writable())
        m_editor.setSelText(text);
}

void InsertionController::execDialog(QDialog *dialog)
{
    if (dialog && writable())
        m_prompter.execDialog(dialog);
}

void InsertionController::mCasClick()
{
    insertFormatted(QStringLiteral("hh:nn:ss"));
}

void InsertionController::mDatumClick()
{
    insertFormatted(QStringLiteral("dd.mm.yyyy"));
}

void InsertionController::mDatumCasClick()
{
    insertFormatted(m_dialogs.dateFormat ? m_dialogs.dateFormat->dateTimeFormat()
                                         : QString::fromUtf16(DateFormatSource::kDesignFormat));
}

void InsertionController::mDatumcasDialogClick()
{
    execDialog(m_dialogs.datumCas);
}

void InsertionController::mSymbolyClick()
{
    execDialog(m_dialogs.symbol);
}

void InsertionController::mHyperLinkClick()
{
    execDialog(m_dialogs.hyperLink);
}

void InsertionController::Text1Click()
{
    execDialog(m_dialogs.textSouboru);
}

void InsertionController::mCestaKSouboruClick()
{
    execDialog(m_dialogs.cesta);
}

void InsertionController::Cel1Click()
{
    if (!writable())
        return;
    const std::optional<FileChoice> choice = m_prompter.chooseFile(
        {QStringLiteral("odTextSoubor"), false, kDocumentFilter, m_textFileName, m_textFilterIndex});
    if (!choice)
        return;
    m_textFileName = choice->fileName;
    m_textFilterIndex = choice->filterIndex;
    QByteArray bytes;
    QString error;
    if (!readWholeFile(choice->fileName, &bytes, &error)) {
        m_prompter.showError(error);
        return;
    }
    m_editor.setSelText(linesEndedByBreaks(plaintext::decode(bytes).text));
}

void InsertionController::mObrazekClick()
{
    if (!writable())
        return;
    const std::optional<FileChoice> choice = m_prompter.chooseFile(
        {QStringLiteral("odObrazek"), false, kPictureFilter, m_pictureFileName, m_pictureFilterIndex});
    if (!choice)
        return;
    m_pictureFileName = choice->fileName;
    m_pictureFilterIndex = choice->filterIndex;
    const PictureFile picture = readPictureFile(choice->fileName);
    if (!picture.error.isEmpty()) {
        m_prompter.showError(picture.error);
        return;
    }
    // Through the clipboard, which keeps the picture afterwards: as an image for other programs
    // and as RTF that keeps the file's own bytes.
    auto *data = new QMimeData;
    data->setImageData(picture.image);
    data->setData(QStringLiteral("text/rtf"), pictures::rtfDocument(pictures::fromImage(picture.image, picture.bytes)));
    QGuiApplication::clipboard()->setMimeData(data);
    m_editor.paste();
    m_editor.scrollCaretIntoView();
}

void InsertionController::mObjektClick()
{
    if (!writable())
        return;
    m_insertObject->reset();
    if (m_prompter.execDialog(m_insertObject) != QDialog::Accepted)
        return;
    const ObjectChoice choice = m_insertObject->choice();
    if (!choice.createNew) {
        insertFileObject(choice.path, choice.link, choice.asIcon);
        return;
    }
    const NewObjectKind kind = InsertObjectDialog::newKinds().value(choice.kind);
    const EmbeddedFile file{kind.fileName, kind.fileName, newObjectBytes(kind), false};
    m_editor.insertObject(file, objectPicture(file, choice.asIcon));
    m_editor.scrollCaretIntoView();
    const QString path = extract(file, choice.asIcon);
    if (!path.isEmpty())
        openObjectFile(path);
}

void InsertionController::insertFileObject(const QString &path, bool link, bool asIcon)
{
    EmbeddedFile file;
    file.label = QFileInfo(path).fileName();
    file.path = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    file.linked = link;
    if (!link) {
        QString error;
        if (!readWholeFile(path, &file.data, &error)) {
            m_prompter.showError(error);
            return;
        }
    }
    m_editor.insertObject(file, objectPicture(file, asIcon));
    m_editor.scrollCaretIntoView();
}

void InsertionController::mVlozitSpecialClick()
{
    if (!writable())
        return;
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    const QList<PasteForm> forms = pasteForms(data);
    if (forms.isEmpty())
        return;
    m_pasteSpecial->setForms(forms);
    if (m_prompter.execDialog(m_pasteSpecial) != QDialog::Accepted)
        return;
    // The dialog ran an event loop: read the clipboard as it is now.
    data = QGuiApplication::clipboard()->mimeData();
    const PasteForm form = m_pasteSpecial->chosen();
    if (!data || !pasteForms(data).contains(form))
        return;
    const QByteArray rtf = data->hasFormat(QStringLiteral("text/rtf")) ? data->data(QStringLiteral("text/rtf"))
                                                                       : data->data(QStringLiteral("application/rtf"));
    switch (form) {
    case PasteForm::Rtf:
        m_editor.insertRtf(rtf);
        break;
    case PasteForm::RtfWithoutObjects:
        m_editor.insertRtfWithoutObjects(rtf);
        break;
    case PasteForm::PlainText:
        m_editor.setSelText(data->text());
        break;
    case PasteForm::Picture:
        m_editor.insertImage(qvariant_cast<QImage>(data->imageData()));
        break;
    case PasteForm::EmbeddedFiles:
    case PasteForm::LinkedFiles:
        for (const QUrl &url : data->urls())
            insertFileObject(url.toLocalFile(), form == PasteForm::LinkedFiles, false);
        break;
    }
    m_editor.scrollCaretIntoView();
}

QString InsertionController::extract(const EmbeddedFile &file, bool asIcon)
{
    if (file.linked)
        return file.path;
    if (!m_objectFiles)
        m_objectFiles = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("kora-objekty-XXXXXX")));
    // Each opened object in a folder of its own, so that it keeps its name.
    const QString folder = m_objectFiles->filePath(QString::number(++m_extracted));
    QString label = QFileInfo(file.label).fileName();
    if (label.isEmpty())
        label = QStringLiteral("objekt");
    const QString path = QDir(folder).filePath(label);
    QString error;
    if (!QDir().mkpath(folder) ||
        !saveFileSafely(path, file.data, QStringLiteral("Soubor „%1“ nelze uložit.").arg(path), &error)) {
        m_prompter.showError(error.isEmpty() ? QStringLiteral("Složku „%1“ nelze vytvořit.").arg(folder) : error);
        return {};
    }
    m_opened.insert(path, OpenedObject{file, asIcon});
    m_watcher->addPath(path);
    return path;
}

QString InsertionController::openedObjectPath(const EmbeddedFile &file) const
{
    for (auto it = m_opened.constBegin(); it != m_opened.constEnd(); ++it) {
        if (it->file == file)
            return it.key();
    }
    return {};
}

void InsertionController::openObject(int position)
{
    const std::optional<EmbeddedFile> file = m_editor.objectAt(position);
    if (!file)
        return;
    QString path = openedObjectPath(*file);
    if (path.isEmpty()) {
        // A picture shown as itself is shown as content; anything else as an icon.
        const bool asIcon = QImage::fromData(file->data).isNull();
        path = extract(*file, asIcon);
    }
    if (path.isEmpty())
        return;
    if (file->linked && !QFileInfo::exists(path)) {
        m_prompter.showError(QStringLiteral("Propojený soubor „%1“ neexistuje").arg(path));
        return;
    }
    openObjectFile(path);
}

void InsertionController::openObjectFile(const QString &path)
{
    if (!m_shell.openUrl(QUrl::fromLocalFile(path).toString()))
        m_prompter.showError(QStringLiteral("Soubor „%1“ se nepodařilo otevřít: v systému pro něj není žádný program")
                                 .arg(QFileInfo(path).fileName()));
}

void InsertionController::objectFileChanged(const QString &path)
{
    const auto it = m_opened.find(path);
    if (it == m_opened.end())
        return;
    // Programs that save by replacing the file end the watch: watch the new one.
    if (!m_watcher->files().contains(path) && QFileInfo::exists(path))
        m_watcher->addPath(path);
    QByteArray bytes;
    if (!readWholeFile(path, &bytes, nullptr) || bytes == it->file.data)
        return;
    EmbeddedFile updated = it->file;
    updated.data = bytes;
    const QImage shown = it->asIcon ? QImage() : objectPicture(updated, false);
    if (m_editor.replaceObjects(it->file, updated, shown) > 0)
        it->file = updated;
}

} // namespace kora
