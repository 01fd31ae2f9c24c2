#pragma once

#include <QString>
#include <QStringList>

namespace kora {

// A new message for the user to finish and send in the mail client's compose window.
struct MailMessage
{
    QString subject;
    QString body;            // lines separated by CR LF
    QStringList attachments; // full paths
};

// How a send ended, in the codes of the simple mail interface: 0 the message reached the compose
// window, 1 the user cancelled it, any other code a failure.
struct MailResult
{
    static constexpr int kNotStarted = -1; // the mail program could not be started at all

    int code = 0;
    QString error; // the text to show; empty when nothing is to be said
};

// The user's mail client: it shows its compose window filled from the message.
class MailClient
{
public:
    virtual ~MailClient() = default;
    virtual MailResult compose(const MailMessage &message) = 0;
};

// "MAPI Error: (code) "description"" for a failure code of the simple mail interface.
QString mailErrorText(int code);
// "Attached file "name" not found".
QString missingAttachmentText(const QString &path);

} // namespace kora
