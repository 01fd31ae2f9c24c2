#pragma once

#include <QObject>
#include <QPointer>

namespace kora {

class MailClient;
struct MailMessage;
class Prompter;
class RichEdit;
class Shell;
class Taplikace;
class Tdisketa;

// "Odeslat" (to the floppy, the text or the file by e-mail) and the links to the maker in
// "Nápověda": home page, support e-mail and the about dialog. Every e-mail starts empty.
class SendCommands : public QObject
{
    Q_OBJECT

public:
    // The document as an attachment, saved as RTF into the cache folder.
    static inline const QString kAttachmentName = QStringLiteral("bez_nazvu.rtf");

    SendCommands(RichEdit &editor, Prompter &prompter, Shell &shell, MailClient &mail, QObject *parent = nullptr);

    // The floppy dialog, and the about dialog whose `lVerze` tells the program's version.
    void setDialogs(Tdisketa *floppy, Taplikace *about);

public slots:
    void DisketaAClick();
    void mObsahTextuClick();
    void PrilohaEmalClick();
    void WWWKORAEditoru1Click();
    void Kontaktovatpodporu1Click();
    void OAplikaci1Click();

private:
    void send(const MailMessage &message);
    QString version() const;

    RichEdit &m_editor;
    Prompter &m_prompter;
    Shell &m_shell;
    MailClient &m_mail;
    QPointer<Tdisketa> m_floppy;
    QPointer<Taplikace> m_about;
};

} // namespace kora
