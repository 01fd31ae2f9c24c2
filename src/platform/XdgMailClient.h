#pragma once

#include "platform/MailClient.h"

namespace kora {

// The desktop's mail client through xdg-email: its compose window opens filled from the message,
// the user finishes and sends it there. xdg-email's exit status is turned into the codes of the
// simple mail interface.
class XdgMailClient : public MailClient
{
public:
    // A longer body does not fit into a command line safely; it travels as an attached text file.
    static constexpr qsizetype kMaxBodyBytes = 32 * 1024;
    static inline const QString kBodyFileName = QStringLiteral("text_dokumentu.txt");
    // How long to wait for xdg-email to hand the message over; a client that keeps it longer is
    // left running and the send counts as done.
    static constexpr int kHandOverMilliseconds = 10000;

    // `spillFolder` receives the text file of a long body.
    explicit XdgMailClient(QString spillFolder, QString program = QStringLiteral("xdg-email"));

    MailResult compose(const MailMessage &message) override;

private:
    QString m_spillFolder;
    QString m_program;
};

} // namespace kora
