#include "tools/options/ProgramPage.h"

#include "platform/FileTypes.h"
#include "platform/Prompter.h"
#include "platform/Shortcuts.h"
#include "tools/options/Treg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

namespace {

QPushButton *makeButton(QWidget *parent, const QString &caption, const char *name, bool bold = false)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (bold) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
    }
    return button;
}

struct TypeButton
{
    const char *name;
    const char *caption;
    const char *extension;
    bool add;
    const char *message;
    int row;
    int column;
};

const TypeButton kTypeButtons[] = {
    {"Button4", "Otevírat soubory typu *.txt", ".TXT", true, "Automaticky otevírám soubory typu *.TXT", 0, 0},
    {"Button6", "Otevírat soubory typu *.log", ".LOG", true, "Automaticky otevírám soubory typu *.LOG", 1, 0},
    {"Button7", "Otevírat soubory typu *.kora", ".kora", true, "Automaticky otevírám soubory typu *.KORA", 2, 0},
    {"Button8", "Otevírat soubory typu *.rtf", ".rtf", true, "Automaticky otevírám soubory typu *.RTF", 3, 0},
    {"Button5", "Otevírat soubory typu *.ini", ".ini", true, "Automaticky otevírám soubory typu *.INI", 4, 0},
    {"Button9", "Zrušit otevírat soubory typu *.txt", ".TXT", false, "Zrušeno automaticky otevírání souborů typu *.TXT",
     0, 1},
    {"Button10", "Zrušit otevírat soubory typu *.log", ".log", false,
     "Zrušeno automaticky otevírání souborů typu *.LOG", 1, 1},
    {"Button11", "Zrušit otevírat soubory typu *.kora", ".kora", false,
     "Zrušeno automaticky otevírání souborů typu *.kora", 2, 1},
    {"Button12", "Zrušit otevírat soubory typu *.rtf", ".rtf", false,
     "Zrušeno automaticky otevírání souborů typu *.rtf", 3, 1},
    {"Button13", "Zrušit otevírat soubory typu *.ini", ".ini", false,
     "Zrušeno automaticky otevírání souborů typu *.ini", 4, 1},
};

} // namespace

ProgramPage::ProgramPage(FileTypes &fileTypes, Shortcuts &shortcuts, Prompter &prompter, Treg &reg, QWidget *parent)
    : QWidget(parent)
    , m_fileTypes(fileTypes)
    , m_shortcuts(shortcuts)
    , m_prompter(prompter)
    , m_reg(reg)
{
    auto *launchers = new QGroupBox(tr("Registrace do Windows"), this);
    QPushButton *button23 = makeButton(launchers, tr("&Vytvořit zástupce na Ploše"), "Button23", true);
    QPushButton *button3 = makeButton(launchers, tr("&Vytvořit zástupce v nabítce Start"), "Button3", true);
    auto *launcherLayout = new QHBoxLayout(launchers);
    launcherLayout->addWidget(button23);
    launcherLayout->addWidget(button3);
    connect(button23, &QPushButton::clicked, this, &ProgramPage::Button23Click3);
    connect(button3, &QPushButton::clicked, this, &ProgramPage::Button3Click3);

    auto *types = new QGroupBox(tr("Registrace přípon"), this);
    auto *typeLayout = new QGridLayout(types);
    for (const TypeButton &entry : kTypeButtons) {
        QPushButton *button = makeButton(types, tr(entry.caption), entry.name);
        typeLayout->addWidget(button, entry.row, entry.column);
        const QString extension = QString::fromLatin1(entry.extension);
        const QString message = QString::fromUtf8(entry.message);
        const bool add = entry.add;
        connect(button, &QPushButton::clicked, this,
                [this, extension, add, message] { registerType(extension, add, message); });
    }
    QPushButton *button14 = makeButton(types, tr("Vlastní registrace přípon"), "Button14", true);
    typeLayout->addWidget(button14, 5, 0, 1, 2);
    connect(button14, &QPushButton::clicked, this, &ProgramPage::Button14Click2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(launchers);
    layout->addWidget(types);
    layout->addStretch();
}

void ProgramPage::registerType(const QString &extension, bool add, const QString &message)
{
    QString error;
    const bool done =
        add ? m_fileTypes.registerExtension(extension, &error) : m_fileTypes.unregisterExtension(extension, &error);
    if (done)
        m_prompter.ask(MessageKind::Information, message, ButtonOk);
    else
        m_prompter.showError(error);
}

void ProgramPage::Button23Click3()
{
    QString error;
    if (m_shortcuts.createOnDesktop(&error))
        m_prompter.ask(MessageKind::Plain, tr("Zástupce na Ploše byl úspěšně vytvořen"), ButtonOk);
    else
        m_prompter.showError(error);
}

void ProgramPage::Button3Click3()
{
    QString error;
    if (m_shortcuts.createInApplicationsMenu(&error))
        m_prompter.ask(MessageKind::Plain, tr("Zástupce v nabídce start byl úspěšně vytvořen"), ButtonOk);
    else
        m_prompter.showError(error);
}

void ProgramPage::Button14Click2()
{
    m_prompter.execDialog(&m_reg);
}

} // namespace kora
