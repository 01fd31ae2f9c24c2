#include "tools/options/Treg.h"

#include "platform/FileTypes.h"
#include "platform/Prompter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace kora {

Treg::Treg(FileTypes &fileTypes, Prompter &prompter, const QString &typesFile, QWidget *parent)
    : QDialog(parent)
    , m_fileTypes(fileTypes)
    , m_prompter(prompter)
    , m_file(typesFile)
{
    setObjectName(QStringLiteral("reg"));
    setWindowTitle(tr("Vlastní registrace"));

    m_lbTyp = new QListWidget(this);
    m_lbTyp->setObjectName(QStringLiteral("lbTyp"));
    m_eTyp = new QLineEdit(this);
    m_eTyp->setObjectName(QStringLiteral("eTyp"));
    auto *label = new QLabel(tr("&Přípona :"), this);
    label->setBuddy(m_eTyp);

    const auto button = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton *bPridej = button(tr("Přidat"), "bPridej");
    QPushButton *bSmazat = button(tr("Smazat"), "bSmazat");
    QPushButton *bOk = button(tr("Ok"), "bOk");
    QPushButton *bZrusit = button(tr("Zrušit"), "bZrusit");
    // Enter in the edit field adds what it holds.
    bPridej->setDefault(true);
    for (QPushButton *b : {bSmazat, bOk, bZrusit})
        b->setAutoDefault(false);
    connect(bPridej, &QPushButton::clicked, this, &Treg::bPridejClick);
    connect(bSmazat, &QPushButton::clicked, this, &Treg::bSmazatClick);
    connect(bOk, &QPushButton::clicked, this, &Treg::bOkClick);
    connect(bZrusit, &QPushButton::clicked, this, &Treg::bZrusitClick);
    connect(m_lbTyp, &QListWidget::itemClicked, this, &Treg::lbTypClick);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_lbTyp, 0, 0, 1, 2);
    layout->addWidget(label, 1, 0, 1, 2);
    layout->addWidget(m_eTyp, 2, 0, 1, 2);
    layout->addWidget(bPridej, 3, 0);
    layout->addWidget(bSmazat, 3, 1);
    layout->addWidget(bOk, 4, 0);
    layout->addWidget(bZrusit, 4, 1);
    setFixedSize(QSize(181, 389).expandedTo(sizeHint()));

    QString error;
    if (m_file.load(&error))
        m_lbTyp->addItems(m_file.entries());
    else
        m_prompter.showError(error);
}

QStringList Treg::entries() const
{
    QStringList list;
    for (int i = 0; i < m_lbTyp->count(); ++i)
        list.append(m_lbTyp->item(i)->text());
    return list;
}

void Treg::bPridejClick()
{
    QString type = m_eTyp->text().trimmed().toUpper();
    if (type.isEmpty())
        return;
    if (const qsizetype dot = type.indexOf(u'.'); dot >= 0)
        type = type.mid(dot + 1);
    // "X." names no extension; an entry already listed is registered already.
    if (!type.isEmpty() && !entries().contains(type)) {
        QString error;
        if (m_fileTypes.registerExtension(u'.' + type, &error))
            m_lbTyp->addItem(type);
        else
            m_prompter.showError(error);
    }
    m_eTyp->clear();
    m_eTyp->setFocus();
}

void Treg::bSmazatClick()
{
    QListWidgetItem *item = m_lbTyp->currentItem();
    if (!item || !item->isSelected())
        return;
    QString error;
    if (!m_fileTypes.unregisterExtension(u'.' + item->text(), &error)) {
        m_prompter.showError(error);
        return;
    }
    delete item;
}

void Treg::lbTypClick()
{
    if (QListWidgetItem *item = m_lbTyp->currentItem(); item && item->isSelected())
        m_eTyp->setText(item->text());
}

void Treg::bOkClick()
{
    m_file.setEntries(entries());
    QString error;
    if (!m_file.save(&error))
        m_prompter.showError(error);
    accept();
}

void Treg::bZrusitClick()
{
    reject();
}

} // namespace kora
