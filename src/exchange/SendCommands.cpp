#include "exchange/SendCommands.h"

#include "exchange/MakerLinks.h"
#include "exchange/Taplikace.h"
#include "exchange/Tdisketa.h"
#include "platform/AppDirs.h"
#include "platform/MailClient.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"

#include <QDir>
#include <QLabel>

namespace kora {

SendCommands::SendCommands(RichEdit &editor, Prompter &prompter, Shell &shell, MailClient &mail, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_shell(shell)
    , m_mail(mail)
{
}

void SendCommands::setDialogs(Tdisketa *floppy, Taplikace *about)
{
    m_floppy = floppy;
    m_about = about;
}

QString SendCommands::version() const
{
    return m_about ? m_about->lVerze()->text() : Taplikace::kVersion;
}

void SendCommands::DisketaAClick()
{
    if (m_floppy)
        m_prompter.execDialog(m_floppy);
}

void SendCommands::send(const MailMessage &message)
{
    const MailResult result = m_mail.compose(message);
    if (!result.error.isEmpty())
        m_prompter.showError(result.error);
}

void SendCommands::mObsahTextuClick()
{
    send({QString(), m_editor.text(), {}});
}

void SendCommands::PrilohaEmalClick()
{
    const QString path = QDir(AppDirs::cacheDir()).filePath(kAttachmentName);
    QString error;
    if (!m_editor.saveToFile(path, &error)) {
        m_prompter.showError(error);
        return;
    }
    send({QString(), QString(), {path}});
}

void SendCommands::WWWKORAEditoru1Click()
{
    MakerLinks::openWebPage(m_shell, m_prompter, MakerLinks::homePage());
}

void SendCommands::Kontaktovatpodporu1Click()
{
    m_shell.openUrl(MakerLinks::supportMail(version()));
}

void SendCommands::OAplikaci1Click()
{
    if (m_about)
        m_prompter.execDialog(m_about);
}

} // namespace kora
