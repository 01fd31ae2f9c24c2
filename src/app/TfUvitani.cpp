#include "app/TfUvitani.h"

#include "platform/Prompter.h"
#include "platform/AppDirs.h"
#include "settings/WindowSettings.h"
#include "text/HistoryListFile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kora {

TfUvitani::TfUvitani(Prompter &prompter, WelcomeActions &actions, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_actions(actions)
{
    setObjectName(QStringLiteral("fUvitani"));
    setWindowTitle(QStringLiteral("Vítejte"));

    auto *newGroup = new QGroupBox(QStringLiteral("Nový"), this);
    m_rbNovyUlozit = new QRadioButton(QStringLiteral("Vytvořit nový dokument a ten uložit"), newGroup);
    m_rbNovyUlozit->setObjectName(QStringLiteral("rbNovyUlozit"));
    m_rbNovy = new QRadioButton(QStringLiteral("Vytvořit nový dokument"), newGroup);
    m_rbNovy->setObjectName(QStringLiteral("rbNovy"));
    auto *newLayout = new QVBoxLayout(newGroup);
    newLayout->addWidget(m_rbNovyUlozit);
    newLayout->addWidget(m_rbNovy);

    auto *openGroup = new QGroupBox(QStringLiteral("Otevřít"), this);
    m_cbOtevrit = new QCheckBox(QStringLiteral("Otevřít již existujíci dokument"), openGroup);
    m_cbOtevrit->setObjectName(QStringLiteral("cbOtevrit"));
    m_lbDokumenty = new QListWidget(openGroup);
    m_lbDokumenty->setObjectName(QStringLiteral("lbDokumenty"));
    m_lbDokumenty->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbDokumenty->setAutoFillBackground(true);
    auto *openLayout = new QVBoxLayout(openGroup);
    openLayout->addWidget(m_cbOtevrit);
    openLayout->addWidget(m_lbDokumenty, 1);

    m_cbZavrit = new QCheckBox(QStringLiteral("Zobrazít při dalším spuštení"), this);
    m_cbZavrit->setObjectName(QStringLiteral("cbZavrit"));
    m_cbZavrit->setChecked(true);

    m_button1 = new QPushButton(QStringLiteral("OK"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setDefault(true);
    m_bStorno = new QPushButton(QStringLiteral("Storno"), this);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_cbZavrit);
    bottom->addStretch(1);
    bottom->addWidget(m_button1);
    bottom->addWidget(m_bStorno);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(newGroup);
    layout->addWidget(openGroup, 1);
    layout->addLayout(bottom);

    connect(m_cbOtevrit, &QCheckBox::toggled, this, &TfUvitani::cbOtevritClick);
    connect(m_button1, &QPushButton::clicked, this, &TfUvitani::Button1Click);
    connect(m_bStorno, &QPushButton::clicked, this, &TfUvitani::bStornoClick);

    setFixedSize(439, 272);
    cbOtevritClick();
    attachWindowSettings(*this, prompter);
    FormCreate();
}

void TfUvitani::FormCreate()
{
    m_listPath = AppDirs::filePath(QStringLiteral("Otevřené soubory.ini"));
    HistoryListFile file(m_listPath);
    QString error;
    if (!file.load(&error)) {
        m_prompter.showError(error);
        return;
    }
    m_lbDokumenty->clear();
    m_lbDokumenty->addItems(file.entries());
}

void TfUvitani::FormClose()
{
    HistoryListFile file(m_listPath);
    file.setEntries(documents());
    QString error;
    if (!file.save(&error))
        m_prompter.showError(error);
}

void TfUvitani::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TfUvitani::closeWithoutShowing()
{
    FormClose();
}

void TfUvitani::appendDocument(const QString &path)
{
    m_lbDokumenty->addItem(path);
}

QStringList TfUvitani::documents() const
{
    QStringList entries;
    for (int i = 0; i < m_lbDokumenty->count(); ++i)
        entries << m_lbDokumenty->item(i)->text();
    return entries;
}

void TfUvitani::clearRadioButtons()
{
    // Radio buttons of one group cannot be unchecked while they exclude each other.
    for (QRadioButton *button : {m_rbNovyUlozit, m_rbNovy}) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

void TfUvitani::cbOtevritClick()
{
    clearRadioButtons();
    const bool open = m_cbOtevrit->isChecked();
    m_lbDokumenty->setEnabled(open);
    // Disabled, the list blends into the dialog; enabled, it is a white box to pick from.
    QPalette palette = m_lbDokumenty->palette();
    palette.setColor(QPalette::Base, open ? QColor(Qt::white) : this->palette().color(QPalette::Window));
    m_lbDokumenty->setPalette(palette);
}

void TfUvitani::Button1Click()
{
    if (m_rbNovyUlozit->isChecked()) {
        accept();
        m_actions.saveDocument();
    } else if (m_cbOtevrit->isChecked()) {
        const QListWidgetItem *item = m_lbDokumenty->currentItem();
        if (!item || !item->isSelected()) {
            m_prompter.showError(QStringLiteral("Vyberte dokument ze seznamu."));
            return;
        }
        QString error;
        if (!m_actions.openDocument(item->text(), &error)) {
            // No message means the user kept the current document; the dialog stays either way.
            if (!error.isEmpty())
                m_prompter.showError(error);
            return;
        }
        accept();
    } else if (m_rbNovy->isChecked()) {
        accept();
    }
}

void TfUvitani::bStornoClick()
{
    reject();
}

} // namespace kora
