#include "exchange/MakerLinks.h"

#include "platform/Downloader.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

namespace kora {

namespace {

QString fromEnvironment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? fallback : value;
}

} // namespace

QString MakerLinks::homePage()
{
    return fromEnvironment("KORA_HOME_PAGE_URL", QStringLiteral("www.kora-editor.example/"));
}

QString MakerLinks::versionPage()
{
    return fromEnvironment("KORA_VERSION_PAGE_URL", QStringLiteral("http://www.kora-editor.example/verze.txt"));
}

void MakerLinks::openWebPage(Shell &shell, Prompter &prompter, const QString &address)
{
    if (!shell.openUrl(withWebScheme(address)))
        prompter.message(MessageKind::Plain, QStringLiteral("KORA Editor"), kBrowserFailed, ButtonOk);
}

QString MakerLinks::supportMail(const QString &version)
{
    return QStringLiteral("mailto:") + kSupportEmail + QStringLiteral("?subject=KORA.Editor") + version;
}

QString MakerLinks::aboutMail(const QString &address, const QString &version)
{
    QString url = QStringLiteral("mailto:") + address + QStringLiteral("?subject=KORA Editor verze ") + version;
    return url.replace(QLatin1Char(' '), QStringLiteral("%20"));
}

} // namespace kora
