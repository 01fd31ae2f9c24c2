#include "editing/insertion/TCesta.h"

#include "editing/insertion/THyperLink.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

const QString TCesta::kFilter =
    QStringLiteral("KORA dokumenty ( *.kora )|*.kora|Rich text Formát (*. rtf )|*.rtf|Poznámkový blok|*.txt|"
                   "Informační (*.ini )|*.ini|Všechny ( *.* )|*.*");

TCesta::TCesta(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_history(QStringLiteral("Cesta k souboru.INI"))
{
    setObjectName(QStringLiteral("Cesta"));
    setWindowTitle(tr("Cesta k souboru"));

    m_cbCesta = new QComboBox(this);
    m_cbCesta->setObjectName(QStringLiteral("cbCesta"));
    m_cbCesta->setEditable(true);
    m_cbCesta->setInsertPolicy(QComboBox::NoInsert);
    m_cbCesta->setMinimumContentsLength(40);
    m_cbCesta->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto *label = new QLabel(tr("&Cesta k souboru : "), this);
    label->setBuddy(m_cbCesta);

    m_bVybrat = new QPushButton(tr("V&ybrat"), this);
    m_bVybrat->setObjectName(QStringLiteral("bVybrat"));
    m_bVybrat->setAutoDefault(false);
    m_bVlozit = new QPushButton(tr("Vložit"), this);
    m_bVlozit->setObjectName(QStringLiteral("bVlozit"));
    m_bVlozit->setDefault(true);
    m_bStorno = new QPushButton(tr("Storno"), this);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));
    m_bStorno->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(m_cbCesta, 1, 0);
    grid->addWidget(m_bVybrat, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bVlozit);
    buttons->addWidget(m_bStorno);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_bVybrat, &QPushButton::clicked, this, &TCesta::bVybratClick);
    connect(m_bVlozit, &QPushButton::clicked, this, &TCesta::bVlozitClick);
    connect(m_bStorno, &QPushButton::clicked, this, &TCesta::bStornoClick);
    FormCreate();
}

void TCesta::FormCreate()
{
    m_cbCesta->clear();
    m_cbCesta->addItems(m_history.load());
    m_cbCesta->setEditText(QString());
}

void TCesta::FormClose()
{
    QString error;
    if (!m_history.save(comboItems(*m_cbCesta), &error))
        m_prompter.showError(error);
}

void TCesta::done(int result)
{
    QDialog::done(result);
    FormClose();
}

void TCesta::bVybratClick()
{
    const std::optional<FileChoice> choice =
        m_prompter.chooseFile({QStringLiteral("OpenDialog1"), false, kFilter, m_cbCesta->currentText(), m_filterIndex});
    if (!choice)
        return;
    m_filterIndex = choice->filterIndex;
    m_cbCesta->setEditText(QDir::toNativeSeparators(choice->fileName));
}

void TCesta::bVlozitClick()
{
    const QString path = m_cbCesta->currentText();
    m_editor.setSelText(path);
    m_cbCesta->addItem(path);
    FormClose();
    accept();
}

void TCesta::bStornoClick()
{
    reject();
}

} // namespace kora
