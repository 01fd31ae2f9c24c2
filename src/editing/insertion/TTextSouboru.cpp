#include "editing/insertion/TTextSouboru.h"

#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kora {

const QString TTextSouboru::kFilter =
    QStringLiteral("Textové soubory (txt)|*.txt|Rich text Formát (rtf)|*.rtf|KORA Soubor (kora)|*.kora|"
                   "Informační (ini)|*.ini|Všechny|*.*");

TTextSouboru::TTextSouboru(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TextSouboru"));
    setWindowTitle(tr("Text souboru"));
    setSizeGripEnabled(true);

    m_bOtevrit = new QPushButton(QIcon::fromTheme(QStringLiteral("document-open")), tr("&Otevřít"), this);
    m_bOtevrit->setObjectName(QStringLiteral("bOtevrit"));
    m_bVlozit = new QPushButton(QIcon::fromTheme(QStringLiteral("edit-paste")), tr("&Vložit"), this);
    m_bVlozit->setObjectName(QStringLiteral("bVlozit"));
    m_bVlozit->setEnabled(false);
    m_button3 = new QPushButton(QIcon::fromTheme(QStringLiteral("window-close")), tr("&Zavřit"), this);
    m_button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton *button : {m_bOtevrit, m_bVlozit, m_button3}) {
        button->setAutoDefault(false);
        button->setFlat(true);
    }
    m_preview = new RichEdit(this);
    m_preview->setObjectName(QStringLiteral("RichEdit1"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(m_bOtevrit);
    bar->addWidget(m_bVlozit);
    bar->addWidget(m_button3);
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_preview, 1);
    resize(620, 440);

    connect(m_bOtevrit, &QPushButton::clicked, this, &TTextSouboru::bOtevritClick);
    connect(m_bVlozit, &QPushButton::clicked, this, &TTextSouboru::bVlozitClick);
    connect(m_button3, &QPushButton::clicked, this, &TTextSouboru::Button3Click);
}

void TTextSouboru::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Centred on the screen, not on the main window.
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TTextSouboru::bOtevritClick()
{
    const std::optional<FileChoice> choice =
        m_prompter.chooseFile({QStringLiteral("OpenDialog1"), false, kFilter, m_fileName, m_filterIndex});
    if (!choice)
        return;
    m_fileName = choice->fileName;
    m_filterIndex = choice->filterIndex;
    QString error;
    if (!m_preview->loadFromFile(choice->fileName, &error)) {
        m_prompter.showError(error);
        return;
    }
    // The file dialog offers no read-only choice: the preview stays editable.
    m_preview->setReadOnly(false);
    setWindowTitle(choice->fileName);
    m_bVlozit->setEnabled(true);
}

void TTextSouboru::bVlozitClick()
{
    m_editor.setSelText(m_preview->text());
    accept();
}

void TTextSouboru::Button3Click()
{
    reject();
}

} // namespace kora
