#include "platform/Prompter.h"


namespace kora {

QString Prompter::titleFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Varování");
    case MessageKind::Error: return QStringLiteral("Chyba");
    case MessageKind::Information: return QStringLiteral("Upozornění");
    case MessageKind::Confirmation: return QStringLiteral("Potvrzení");
    case MessageKind::Plain: break;
    }
    return QStringLiteral("KORA Editor");
}

QString Prompter::errorText(const QString &message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

PromptButton Prompter::ask(MessageKind kind, const QString &text, PromptButtons buttons)
{
    return message(kind, titleFor(kind), text, buttons);
}

void Prompter::showError(const QString &text)
{
    message(MessageKind::Error, QStringLiteral("KORA Editor"), errorText(text), ButtonOk);
}

} // namespace kora
