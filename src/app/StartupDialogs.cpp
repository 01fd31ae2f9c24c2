#include "app/StartupDialogs.h"

#include "app/TfUvitani.h"
#include "app/Tfnovinky.h"
#include "platform/AppDirs.h"
#include "platform/FileTypes.h"
#include "platform/Prompter.h"
#include "platform/Shortcuts.h"

#include <QCoreApplication>

namespace kora {

StartupDialogs::StartupDialogs() = default;

StartupDialogs::~StartupDialogs()
{
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        delete it->data();
}

void StartupDialogs::create(QWidget *mainWindow, Prompter &prompter, WelcomeActions &actions, RichEdit &editor,
                            std::function<void(bool)> setTipsAtStartup)
{
    if (!m_dialogs.empty())
        return;

    // Dialogs not built yet are plain shells with their final object name and caption.
    const auto shell = [&](const char *name, const char *caption) {
        auto *dialog = new QDialog(mainWindow);
        dialog->setObjectName(QString::fromLatin1(name));
        dialog->setWindowTitle(QString::fromUtf8(caption));
        m_dialogs.emplace_back(dialog);
    };

    m_htmlScratch = new TForm3(mainWindow);
    m_dialogs.emplace_back(m_htmlScratch.data());
    m_openNet = new TOtevritNet(prompter, mainWindow);
    m_dialogs.emplace_back(m_openNet.data());
    m_dateTime = new TDatumCas(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_dateTime.data());
    m_hyperLink = new THyperLink(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_hyperLink.data());
    m_fileText = new TTextSouboru(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_fileText.data());
    m_characterCount = new TZnaky(editor, mainWindow);
    m_dialogs.emplace_back(m_characterCount.data());
    const QString executable = QCoreApplication::applicationFilePath();
    const DesktopPaths desktopPaths = DesktopPaths::fromEnvironment();
    m_fileTypes = std::make_unique<FileTypes>(m_registry, executable, desktopPaths);
    m_shortcuts = std::make_unique<Shortcuts>(executable, desktopPaths);
    // The options' page "&Program" opens "Vlastní registrace", so that one is made first.
    m_reg = new Treg(*m_fileTypes, prompter, AppDirs::filePath(QStringLiteral("Typy.INI")), mainWindow);
    Tnastaveni::Targets targets{
        mainWindow,
        &editor,
        std::move(setTipsAtStartup),
        [this, &prompter] {
            if (m_welcome)
                prompter.execDialog(m_welcome);
        },
        [this] {
            if (m_floppy)
                m_floppy->clearHistory();
        },
        [this] {
            if (m_openNet)
                m_openNet->clearHistory();
        },
        [this] {
            for (QDialog *dialog : {static_cast<QDialog *>(m_mailRecipients), static_cast<QDialog *>(m_openNet),
                                    static_cast<QDialog *>(m_floppy)}) {
                if (dialog)
                    dialog->done(QDialog::Rejected);
            }
        },
    };
    m_options = new Tnastaveni(std::move(targets), {*m_fileTypes, *m_shortcuts, *m_reg}, prompter, mainWindow);
    m_dialogs.emplace_back(m_options.data());
    m_dialogs.emplace_back(m_reg.data());
    m_about = new Taplikace(prompter, mainWindow);
    m_dialogs.emplace_back(m_about.data());
    m_floppy = new Tdisketa(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_floppy.data());
    m_mailRecipients = new Todeslat_soubor(prompter, mainWindow);
    m_dialogs.emplace_back(m_mailRecipients.data());
    m_clipboard = new Tobsah(mainWindow);
    m_dialogs.emplace_back(m_clipboard.data());
    m_goToLine = new TJdiRadek(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_goToLine.data());
    m_filePath = new TCesta(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_filePath.data());
    m_whatsNew = new Tfnovinky(mainWindow);
    m_dialogs.emplace_back(m_whatsNew.data());
    m_welcome = new TfUvitani(prompter, actions, mainWindow);
    m_dialogs.emplace_back(m_welcome.data());
    m_symbol = new Tsymbol(editor, mainWindow);
    m_dialogs.emplace_back(m_symbol.data());
    shell("Form4", "Form4");
    m_findSpecial = new Tfhledat(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_findSpecial.data());
}

std::vector<QDialog *> StartupDialogs::dialogs() const
{
    std::vector<QDialog *> result;
    result.reserve(m_dialogs.size());
    for (const QPointer<QDialog> &dialog : m_dialogs)
        result.push_back(dialog.data());
    return result;
}

} // namespace kora
