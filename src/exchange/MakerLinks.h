#pragma once

#include <QString>

namespace kora {

class Prompter;
class Shell;

// The maker's addresses and the links to them. The web addresses can be replaced through the
// environment: KORA_HOME_PAGE_URL and KORA_VERSION_PAGE_URL.
class MakerLinks
{
public:
    static inline const QString kSupportEmail = QStringLiteral("podpora@kora-editor.example");
    static inline const QString kBrowserFailed = QStringLiteral("Nepodarilo se spustit prohlizec");

    // The home page, host and path without a scheme (the about dialog shows it so).
    static QString homePage();
    // The page that holds the latest version number and nothing else.
    static QString versionPage();

    // Opens a web address in the browser, "http://" put in front when it names no scheme; a
    // plain box tells the user when no browser could be started.
    static void openWebPage(Shell &shell, Prompter &prompter, const QString &address);
    // "mailto:" to support with the subject "KORA.Editor" and the version, without a space.
    static QString supportMail(const QString &version);
    // "mailto:" to `address` with the subject "KORA Editor verze " and the version, every space
    // written as "%20".
    static QString aboutMail(const QString &address, const QString &version);
};

} // namespace kora
