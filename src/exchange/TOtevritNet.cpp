#include "exchange/TOtevritNet.h"

#include "exchange/MakerLinks.h"
#include "platform/Prompter.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

namespace {

QComboBox *addressBox(QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cbOtevrit"));
    box->setEditable(true);
    return box;
}

} // namespace

TOtevritNet::TOtevritNet(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_cbOtevrit(addressBox(this))
    , m_bOtevrit(new QPushButton(QStringLiteral("Otevřít"), this))
    , m_bStorno(new QPushButton(QStringLiteral("Storno"), this))
    , m_button1(new QPushButton(QStringLiteral("Odkaz na Editor"), this))
    , m_history(*m_cbOtevrit, kHistoryFile, prompter)
{
    setObjectName(QStringLiteral("OtevritNet"));
    setWindowTitle(QStringLiteral("Otevřít z interentu"));

    auto *label = new QLabel(QStringLiteral("&www stránka"), this);
    label->setBuddy(m_cbOtevrit);
    m_cbOtevrit->setEditText(MakerLinks::homePage());
    m_bOtevrit->setObjectName(QStringLiteral("bOtevrit"));
    m_bOtevrit->setDefault(true);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));
    m_button1->setObjectName(QStringLiteral("Button1"));

    auto *addressRow = new QHBoxLayout;
    addressRow->addWidget(label);
    addressRow->addWidget(m_cbOtevrit, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_button1);
    buttons->addStretch(1);
    buttons->addWidget(m_bOtevrit);
    buttons->addWidget(m_bStorno);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(addressRow);
    layout->addLayout(buttons);

    connect(m_bOtevrit, &QPushButton::clicked, this, &TOtevritNet::bOtevritClick);
    connect(m_bStorno, &QPushButton::clicked, this, &TOtevritNet::bStornoClick);
    connect(m_button1, &QPushButton::clicked, this, &TOtevritNet::Button1Click);

    const QSize hint = sizeHint();
    setFixedSize(std::max(445, hint.width()), std::max(69, hint.height()));
    FormCreate();
}

void TOtevritNet::FormCreate()
{
    m_history.load();
}

void TOtevritNet::FormClose()
{
    m_history.save();
}

void TOtevritNet::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TOtevritNet::bOtevritClick()
{
    const PageResult result = m_opener ? m_opener->openPage(m_cbOtevrit->currentText()) : PageResult{false, kBadPage};
    if (!result.opened) {
        // The dialog stays with the address as it was typed.
        if (!result.message.isEmpty())
            m_prompter.message(MessageKind::Plain, QStringLiteral("KORA Editor"), result.message, ButtonOk);
        return;
    }
    m_history.append(m_cbOtevrit->currentText());
    accept();
}

void TOtevritNet::bStornoClick()
{
    reject();
}

void TOtevritNet::Button1Click()
{
    m_cbOtevrit->setEditText(MakerLinks::homePage());
}

} // namespace kora
