#include "app/StartupDialogs.h"

#include "app/TfUvitani.h"
#include "app/Tfnovinky.h"

namespace kora {

StartupDialogs::~StartupDialogs()
{
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        delete it->data();
}

void StartupDialogs::create(QWidget *mainWindow, Prompter &prompter, WelcomeActions &actions, RichEdit &editor)
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
    shell("OtevritNet", "Otevřít z interentu");
    m_dateTime = new TDatumCas(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_dateTime.data());
    m_hyperLink = new THyperLink(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_hyperLink.data());
    m_fileText = new TTextSouboru(editor, prompter, mainWindow);
    m_dialogs.emplace_back(m_fileText.data());
    shell("Znaky", "Počet znaků");
    m_options = new Tnastaveni(mainWindow);
    m_dialogs.emplace_back(m_options.data());
    shell("reg", "Vlastní registrace");
    shell("aplikace", "O Aplikaci KORA Editor");
    shell("disketa", "Odeslání na disketu ");
    shell("odeslat_soubor", "Příloha E-mail");
    shell("obsah", "Obsah schránky");
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
