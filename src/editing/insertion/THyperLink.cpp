#include "editing/insertion/THyperLink.h"

#include "editing/insertion/VisitedAddresses.h"
#include "platform/BrowserHistory.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

QStringList comboItems(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

THyperLink::THyperLink(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_browsers(std::make_unique<SqliteBrowserHistory>())
    , m_history(QStringLiteral("Odkazy.INI"))
{
    setObjectName(QStringLiteral("HyperLink"));
    setWindowTitle(tr("Hypertextový odkaz"));

    m_eAdresa = new QComboBox(this);
    m_eAdresa->setObjectName(QStringLiteral("eAdresa"));
    m_eAdresa->setEditable(true);
    m_eAdresa->setInsertPolicy(QComboBox::NoInsert);
    m_eAdresa->setMinimumContentsLength(40);
    m_eAdresa->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto *label = new QLabel(tr("&Zadejte www stránku : "), this);
    label->setBuddy(m_eAdresa);
    m_lbHistorie = new QListWidget(this);
    m_lbHistorie->setObjectName(QStringLiteral("lbHistorie"));
    auto *historyLabel = new QLabel(tr("&Historie prohlížečů:"), this);
    historyLabel->setBuddy(m_lbHistorie);

    m_button1 = new QPushButton(tr("Načíst &historii"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setAutoDefault(false);
    m_bVlozit = new QPushButton(tr("Vložit"), this);
    m_bVlozit->setObjectName(QStringLiteral("bVlozit"));
    m_bVlozit->setDefault(true);
    m_bStorno = new QPushButton(tr("Storno"), this);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));
    m_bStorno->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_bVlozit);
    buttons->addWidget(m_bStorno);
    buttons->addStretch();
    buttons->addWidget(m_button1);
    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_eAdresa, 1, 0);
    grid->addWidget(historyLabel, 2, 0);
    grid->addWidget(m_lbHistorie, 3, 0);
    grid->addLayout(buttons, 1, 1, 3, 1);
    grid->setRowStretch(3, 1);
    resize(560, 340);

    connect(m_button1, &QPushButton::clicked, this, &THyperLink::Button1Click);
    connect(m_lbHistorie, &QListWidget::itemClicked, this, &THyperLink::lbHistorieClick);
    connect(m_lbHistorie, &QListWidget::currentRowChanged, this, &THyperLink::lbHistorieClick);
    connect(m_bVlozit, &QPushButton::clicked, this, &THyperLink::bVlozitClick);
    connect(m_bStorno, &QPushButton::clicked, this, &THyperLink::bStornoClick);
    FormCreate();
}

THyperLink::~THyperLink() = default;

void THyperLink::setBrowserHistory(std::unique_ptr<BrowserHistory> history)
{
    m_browsers = std::move(history);
}

void THyperLink::FormCreate()
{
    m_eAdresa->clear();
    m_eAdresa->addItems(m_history.load());
    m_eAdresa->setEditText(QString());
}

void THyperLink::FormClose()
{
    QString error;
    if (!m_history.save(comboItems(*m_eAdresa), &error))
        m_prompter.showError(error);
}

void THyperLink::done(int result)
{
    QDialog::done(result);
    FormClose();
}

void THyperLink::Button1Click()
{
    const QStringList pages = pageAddresses(m_browsers->visitedAddresses());
    m_lbHistorie->clear();
    m_lbHistorie->addItems(pages);
    m_prompter.ask(MessageKind::Plain, tr("Historie byla načtena."), ButtonOk);
}

void THyperLink::lbHistorieClick()
{
    if (const QListWidgetItem *item = m_lbHistorie->currentItem())
        m_eAdresa->setEditText(item->text());
}

void THyperLink::bVlozitClick()
{
    const QString address = m_eAdresa->currentText();
    if (address.isEmpty()) {
        m_prompter.ask(MessageKind::Plain, tr("Zadejte nějakou stránku"), ButtonOk);
        return;
    }
    m_editor.setSelText(address);
    m_eAdresa->addItem(address);
    accept();
}

void THyperLink::bStornoClick()
{
    reject();
}

} // namespace kora
