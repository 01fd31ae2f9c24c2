#include "exchange/Todeslat_soubor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

namespace {

QComboBox *recipientBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cbPrijemce"));
    box->setEditable(true);
    return box;
}

} // namespace

Todeslat_soubor::Todeslat_soubor(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_cbPrijemce(recipientBox(this))
    , m_bZavrit(new QPushButton(QStringLiteral("Zavřít"), this))
    , m_history(*m_cbPrijemce, kHistoryFile, prompter)
{
    setObjectName(QStringLiteral("odeslat_soubor"));
    setWindowTitle(QStringLiteral("Příloha E-mail"));

    auto *label = new QLabel(QStringLiteral("&Příjemce : "), this);
    label->setBuddy(m_cbPrijemce);
    m_bZavrit->setObjectName(QStringLiteral("bZavrit"));

    auto *row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_cbPrijemce, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_bZavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(m_bZavrit, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(std::max(400, sizeHint().width()), sizeHint().height());
    FormCreate();
}

void Todeslat_soubor::FormCreate()
{
    m_history.load();
}

void Todeslat_soubor::FormClose()
{
    m_history.save();
}

void Todeslat_soubor::done(int result)
{
    FormClose();
    QDialog::done(result);
}

} // namespace kora
