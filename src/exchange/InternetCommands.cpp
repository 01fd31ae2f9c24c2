#include "exchange/InternetCommands.h"

#include "exchange/MakerLinks.h"
#include "exchange/TStahovani.h"
#include "exchange/Taplikace.h"
#include "platform/AppDirs.h"
#include "platform/Downloader.h"
#include "platform/Prompter.h"
#include "richedit/PlainTextCodec.h"
#include "text/SafeSave.h"

#include <QDir>
#include <QLabel>

namespace kora {

namespace {

// Pictures, programs and archives hold NUL bytes; text, web pages and RTF do not (an RTF file
// keeps its binary parts in hexadecimal or behind "\bin").
bool isTextOrRtf(const QByteArray &bytes)
{
    if (bytes.startsWith("{\\rtf") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    return !bytes.contains('\0');
}

} // namespace

InternetCommands::InternetCommands(Prompter &prompter, Downloader &downloader, PageDocument document, QWidget *window,
                                   QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_downloader(downloader)
    , m_document(std::move(document))
    , m_window(window)
{
}

void InternetCommands::setDialogs(TOtevritNet *openNet, Taplikace *about)
{
    m_openNet = openNet;
    m_about = about;
    if (openNet)
        openNet->setOpener(this);
}

void InternetCommands::mOtevritInternetClick()
{
    // The page is to replace the document: the question comes first, as before Open.
    if (!m_openNet || !m_document.mayReplace())
        return;
    m_prompter.execDialog(m_openNet);
}

PageResult InternetCommands::openPage(const QString &address)
{
    if (!webAddress(address))
        return {false, TOtevritNet::kBadPage};
    const QString target = QDir(AppDirs::cacheDir()).filePath(kPageFile);
    const DownloadResult download = TStahovani::fetch(m_downloader, m_prompter, {address, target, kPageLimit},
                                                      m_openNet ? static_cast<QWidget *>(m_openNet) : m_window);
    switch (download.status) {
    case DownloadStatus::Finished:
        break;
    case DownloadStatus::Cancelled:
        return {};
    case DownloadStatus::TooLarge:
        return {false, download.error};
    default:
        return {false, TOtevritNet::kBadPage};
    }
    QByteArray bytes;
    if (!readWholeFile(target, &bytes, nullptr))
        return {false, TOtevritNet::kBadPage};
    if (!isTextOrRtf(bytes)) {
        return {false, QStringLiteral("Na adrese „%1“ není stránka ani text, ale jiná data (obrázek, program, "
                                      "archiv); KORA Editor je neotevře.")
                           .arg(address.trimmed())};
    }
    QString error;
    if (!m_document.openUntitled(target, &error))
        return {false, TOtevritNet::kBadPage};
    return {true, QString()};
}

void InternetCommands::Nejnovjverze1Click()
{
    const QString target = QDir(AppDirs::cacheDir()).filePath(kVersionFile);
    const DownloadResult download =
        TStahovani::fetch(m_downloader, m_prompter, {MakerLinks::versionPage(), target, kVersionLimit}, m_window);
    if (download.status == DownloadStatus::Cancelled)
        return;
    if (download.status != DownloadStatus::Finished) {
        m_prompter.showError(download.error);
        return;
    }
    QByteArray bytes;
    QString error;
    if (!readWholeFile(target, &bytes, &error)) {
        m_prompter.showError(error);
        return;
    }
    // Shown as it came, its line breaks as CR LF; a final line break stays.
    QString latest = plaintext::decode(bytes).text;
    latest.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QString own = m_about ? m_about->lVerze()->text() : QString();
    m_prompter.ask(MessageKind::Information,
                   QStringLiteral("Na internetu je nejnovější verze : ") + latest +
                       QStringLiteral("\rVyužíváte verzi : ") + own,
                   ButtonOk);
}

} // namespace kora
