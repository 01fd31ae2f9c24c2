#include "platform/MailClient.h"

namespace kora {

QString mailErrorText(int code)
{
    static const char *const kDescriptions[] = {
        "General MAPI failure",
        "MAPI login failure",
        "Disk full",
        "Insufficient memory",
        "Access denied",
        "",
        "Too many sessions",
        "Too many files were specified",
        "Too many recipients were specified",
        "A specified attachment was not found",
        "Attachment open failure",
        "Attachment write failure",
        "Unknown recipient",
        "Bad recipient type",
        "No messages",
        "Invalid message",
        "Text too large",
        "Invalid session",
        "Type not supported",
        "A recipient was specified ambiguously",
        "Message in use",
        "Network failure",
        "Invalid edit fields",
        "Invalid recipients",
        "Not supported",
    };
    constexpr int kFirst = 2;
    const int index = code - kFirst;
    const char *description = index >= 0 && index < int(std::size(kDescriptions)) ? kDescriptions[index] : "";
    return QStringLiteral("MAPI Error: (%1) \"%2\"").arg(code).arg(QLatin1String(description));
}

QString missingAttachmentText(const QString &path)
{
    return QStringLiteral("Attached file \"%1\" not found").arg(path);
}

} // namespace kora
