#include "editing/insertion/InsertObjectDialog.h"

#include "platform/Prompter.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kora {

InsertObjectDialog::InsertObjectDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("VlozitObjekt"));
    setWindowTitle(tr("Vložit objekt"));

    m_rbNovy = new QRadioButton(tr("Vytvořit &nový"), this);
    m_rbNovy->setObjectName(QStringLiteral("rbNovy"));
    m_rbZeSouboru = new QRadioButton(tr("Vytvořit ze &souboru"), this);
    m_rbZeSouboru->setObjectName(QStringLiteral("rbZeSouboru"));

    m_lbTyp = new QListWidget(this);
    m_lbTyp->setObjectName(QStringLiteral("lbTyp"));
    for (const NewObjectKind &kind : newKinds())
        m_lbTyp->addItem(kind.caption);
    m_lbTyp->setCurrentRow(0);
    m_lbTyp->setMaximumHeight(80);

    m_eSoubor = new QLineEdit(this);
    m_eSoubor->setObjectName(QStringLiteral("eSoubor"));
    m_eSoubor->setMinimumWidth(260);
    m_souborLabel = new QLabel(tr("Sou&bor:"), this);
    m_souborLabel->setBuddy(m_eSoubor);
    m_bProchazet = new QPushButton(tr("&Procházet..."), this);
    m_bProchazet->setObjectName(QStringLiteral("bProchazet"));
    m_bProchazet->setAutoDefault(false);
    m_cbPropojit = new QCheckBox(tr("Pro&pojit se souborem"), this);
    m_cbPropojit->setObjectName(QStringLiteral("cbPropojit"));
    m_cbIkona = new QCheckBox(tr("Zobrazit jako &ikonu"), this);
    m_cbIkona->setObjectName(QStringLiteral("cbIkona"));
    m_lVysledek = new QLabel(this);
    m_lVysledek->setObjectName(QStringLiteral("lVysledek"));
    m_lVysledek->setWordWrap(true);
    m_lVysledek->setMinimumHeight(m_lVysledek->fontMetrics().lineSpacing() * 3);

    m_bOK = new QPushButton(tr("OK"), this);
    m_bOK->setObjectName(QStringLiteral("bOK"));
    m_bOK->setDefault(true);
    m_bStorno = new QPushButton(tr("Storno"), this);
    m_bStorno->setObjectName(QStringLiteral("bStorno"));
    m_bStorno->setAutoDefault(false);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_souborLabel);
    fileRow->addWidget(m_eSoubor, 1);
    fileRow->addWidget(m_bProchazet);
    auto *choices = new QVBoxLayout;
    choices->addWidget(m_rbNovy);
    choices->addWidget(m_lbTyp);
    choices->addWidget(m_rbZeSouboru);
    choices->addLayout(fileRow);
    choices->addWidget(m_cbPropojit);
    choices->addSpacing(6);
    choices->addWidget(m_cbIkona);
    auto *result = new QGroupBox(tr("Výsledek"), this);
    auto *resultLayout = new QVBoxLayout(result);
    resultLayout->addWidget(m_lVysledek);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_bOK);
    buttons->addWidget(m_bStorno);
    buttons->addStretch();
    auto *grid = new QGridLayout(this);
    grid->addLayout(choices, 0, 0);
    grid->addLayout(buttons, 0, 1, 2, 1);
    grid->addWidget(result, 1, 0);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    for (QAbstractButton *button :
         std::initializer_list<QAbstractButton *>{m_rbNovy, m_rbZeSouboru, m_cbPropojit, m_cbIkona})
        connect(button, &QAbstractButton::toggled, this, &InsertObjectDialog::updateControls);
    connect(m_lbTyp, &QListWidget::currentRowChanged, this, &InsertObjectDialog::updateControls);
    connect(m_eSoubor, &QLineEdit::textChanged, this, &InsertObjectDialog::updateControls);
    connect(m_bProchazet, &QPushButton::clicked, this, &InsertObjectDialog::bProchazetClick);
    connect(m_bOK, &QPushButton::clicked, this, &InsertObjectDialog::bOKClick);
    connect(m_bStorno, &QPushButton::clicked, this, &QDialog::reject);
    reset();
}

const QList<NewObjectKind> &InsertObjectDialog::newKinds()
{
    static const QList<NewObjectKind> kinds = {
        {QStringLiteral("Obrázek PNG"), QStringLiteral("Obrázek.png")},
        {QStringLiteral("Textový dokument"), QStringLiteral("Dokument.txt")},
    };
    return kinds;
}

void InsertObjectDialog::reset()
{
    m_rbNovy->setChecked(true);
    updateControls();
}

ObjectChoice InsertObjectDialog::choice() const
{
    ObjectChoice c;
    c.createNew = m_rbNovy->isChecked();
    c.kind = std::max(m_lbTyp->currentRow(), 0);
    c.path = m_eSoubor->text().trimmed();
    c.link = !c.createNew && m_cbPropojit->isChecked();
    c.asIcon = m_cbIkona->isChecked();
    return c;
}

void InsertObjectDialog::updateControls()
{
    const bool fromFile = m_rbZeSouboru->isChecked();
    m_lbTyp->setEnabled(!fromFile);
    for (QWidget *w : std::initializer_list<QWidget *>{m_souborLabel, m_eSoubor, m_bProchazet, m_cbPropojit})
        w->setEnabled(fromFile);
    const ObjectChoice c = choice();
    QString text;
    if (c.createNew) {
        text = tr("Vloží do dokumentu nový prázdný objekt „%1“ a otevře jej v aplikaci, která je pro něj "
                  "v systému nastavená. Uložené změny se promítnou do dokumentu.")
                   .arg(newKinds().value(c.kind).caption);
    } else if (c.link) {
        text = tr("Vloží do dokumentu propojení se souborem. Dvojitým kliknutím se soubor otevře.");
    } else {
        text = tr("Vloží obsah souboru do dokumentu jako objekt. Dvojitým kliknutím se otevře.");
    }
    if (c.asIcon)
        text += u' ' + tr("Objekt se zobrazí jako ikona.");
    m_lVysledek->setText(text);
}

void InsertObjectDialog::bProchazetClick()
{
    const std::optional<FileChoice> file = m_prompter.chooseFile(
        {QStringLiteral("odObjekt"), false, QStringLiteral("Všechny soubory|*.*"), m_eSoubor->text(), 0});
    if (file)
        m_eSoubor->setText(file->fileName);
}

void InsertObjectDialog::bOKClick()
{
    const ObjectChoice c = choice();
    if (!c.createNew && !QFileInfo(c.path).isFile()) {
        m_prompter.ask(MessageKind::Warning,
                       c.path.isEmpty() ? tr("Vyberte prosím soubor.") : tr("Soubor „%1“ neexistuje.").arg(c.path),
                       ButtonOk);
        return;
    }
    accept();
}

} // namespace kora
