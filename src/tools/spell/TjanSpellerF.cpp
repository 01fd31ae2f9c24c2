#include "tools/spell/TjanSpellerF.h"

#include "tools/spell/SpellCheck.h"
#include "tools/spell/Suggester.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora::spell {

namespace {

QPushButton *button(const char *name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TjanSpellerF::TjanSpellerF(SpellCheck &check, Suggester *suggester, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_check(check)
    , m_suggester(suggester)
{
    setObjectName(QStringLiteral("janSpellerF"));
    setWindowTitle(QStringLiteral("Kontrola pravopisu"));

    m_txtspell = new QLineEdit(this);
    m_txtspell->setObjectName(QStringLiteral("txtspell"));

    m_lblcontext = new QLabel(this);
    m_lblcontext->setObjectName(QStringLiteral("lblcontext"));
    m_lblcontext->setToolTip(QStringLiteral("look ahead box"));
    m_lblcontext->setTextFormat(Qt::PlainText);
    m_lblcontext->setWordWrap(true);
    m_lblcontext->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = m_lblcontext->font();
    bold.setBold(true);
    m_lblcontext->setFont(bold);
    QPalette red = m_lblcontext->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_lblcontext->setPalette(red);

    m_lbNavrhy = new QListWidget(this);
    m_lbNavrhy->setObjectName(QStringLiteral("lbNavrhy"));
    auto *suggestionsLabel = new QLabel(QStringLiteral("&Návrhy:"), this);
    suggestionsLabel->setBuddy(m_lbNavrhy);

    m_btnchange = button("btnchange", QStringLiteral("&Zaměnit"), QStringLiteral("Change to corrected word"), this);
    m_btnchange->setDefault(true);
    m_btnSkip = button("btnSkip", QStringLiteral("&Přeskočit"), QStringLiteral("Skip this word"), this);
    m_btnskipall =
        button("btnskipall", QStringLiteral("Přeskočit &vše"), QStringLiteral("Skip all, update and finish"), this);
    m_btnAdd = button("btnAdd", QStringLiteral("Přid&at"), QStringLiteral("Add to user Dictionary"), this);
    m_btnAdd->setVisible(check.canAddWords());
    m_btncancel = button("btncancel", QStringLiteral("&Cancel"), QStringLiteral("Abort all changes"), this);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {m_btnchange, m_btnSkip, m_btnskipall, m_btnAdd, m_btncancel})
        buttons->addWidget(b);
    buttons->addStretch(1);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_txtspell, 0, 0);
    layout->addWidget(m_lblcontext, 1, 0);
    layout->addWidget(suggestionsLabel, 2, 0);
    layout->addWidget(m_lbNavrhy, 3, 0);
    layout->addLayout(buttons, 0, 1, 4, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);

    connect(m_btnchange, &QPushButton::clicked, this, &TjanSpellerF::btnchangeClick);
    connect(m_btnSkip, &QPushButton::clicked, this, &TjanSpellerF::btnSkipClick);
    connect(m_btnskipall, &QPushButton::clicked, this, &TjanSpellerF::btnskipallClick);
    connect(m_btnAdd, &QPushButton::clicked, this, &TjanSpellerF::btnAddClick);
    connect(m_btncancel, &QPushButton::clicked, this, &TjanSpellerF::btncancelClick);
    // A picked suggestion goes into the edit field; "Zaměnit" still makes the change.
    connect(m_lbNavrhy, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { m_txtspell->setText(item->text()); });
    connect(m_lbNavrhy, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && m_lbNavrhy->hasFocus())
            m_txtspell->setText(item->text());
    });

    setFixedSize(415, 260);
    showWord();
}

void TjanSpellerF::showWord()
{
    const QString word = m_check.word();
    m_txtspell->setText(word);
    m_txtspell->selectAll();
    m_txtspell->setFocus();
    QString context = m_check.context();
    context.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_lblcontext->setText(context);
    m_lbNavrhy->clear();
    if (m_suggester)
        m_lbNavrhy->addItems(m_suggester->suggestions(word));
}

void TjanSpellerF::goOn()
{
    m_txtspell->clear();
    if (m_check.findNextUnknown())
        showWord();
    else
        accept();
}

void TjanSpellerF::btnchangeClick()
{
    if (m_check.change(m_txtspell->text()))
        goOn();
}

void TjanSpellerF::btnSkipClick()
{
    goOn();
}

void TjanSpellerF::btnskipallClick()
{
    accept();
}

void TjanSpellerF::btnAddClick()
{
    if (m_check.add(m_txtspell->text()))
        goOn();
}

void TjanSpellerF::btncancelClick()
{
    reject();
}

} // namespace kora::spell
