#pragma once

#include "exchange/TOtevritNet.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace kora {

class Downloader;
class Prompter;
class Taplikace;

// The document as the commands that replace it by a page see it.
struct PageDocument
{
    // The save question as Open asks it over a modified document; true when the document may
    // be replaced.
    std::function<bool()> mayReplace;
    // Loads a file as a new, untitled document; false with a message.
    std::function<bool(const QString &path, QString *error)> openUntitled;
};

// "Otevřít z interentu" and "Nejnovější verze": web pages fetched into the cache folder, one
// shown as the document, the other as the latest version beside the program's own.
class InternetCommands : public QObject, public PageOpener
{
    Q_OBJECT

public:
    static constexpr qint64 kPageLimit = 20 * 1024 * 1024;
    static constexpr qint64 kVersionLimit = 16 * 1024;
    static inline const QString kPageFile = QStringLiteral("temp.htm");
    static inline const QString kVersionFile = QStringLiteral("nejnovejsi_verze.htm");

    InternetCommands(Prompter &prompter, Downloader &downloader, PageDocument document, QWidget *window,
                     QObject *parent = nullptr);

    // The address dialog, and the about dialog whose `lVerze` tells the program's version.
    void setDialogs(TOtevritNet *openNet, Taplikace *about);

    PageResult openPage(const QString &address) override;

public slots:
    void mOtevritInternetClick();
    void Nejnovjverze1Click();

private:
    Prompter &m_prompter;
    Downloader &m_downloader;
    PageDocument m_document;
    QWidget *m_window;
    QPointer<TOtevritNet> m_openNet;
    QPointer<Taplikace> m_about;
};

} // namespace kora
