#include "editing/insertion/TDatumCas.h"

#include "platform/Prompter.h"
#include "richedit/RichEdit.h"
#include "text/DateTimeFormat.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

TDatumCas::TDatumCas(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_clock([] { return QDateTime::currentDateTime(); })
{
    setObjectName(QStringLiteral("DatumCas"));
    setWindowTitle(tr("Datum čas/Dialog"));

    m_lbCas = new QListWidget(this);
    m_lbCas->setObjectName(QStringLiteral("lbCas"));
    auto *listLabel = new QLabel(tr("&Formát:"), this);
    listLabel->setBuddy(m_lbCas);
    m_eNahled = new QLineEdit(this);
    m_eNahled->setObjectName(QStringLiteral("eNahled"));
    m_eNahled->setReadOnly(true);
    auto *previewLabel = new QLabel(tr("&Náhled:"), this);
    previewLabel->setBuddy(m_eNahled);

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
    auto *fields = new QVBoxLayout;
    fields->addWidget(listLabel);
    fields->addWidget(m_lbCas, 1);
    fields->addWidget(previewLabel);
    fields->addWidget(m_eNahled);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    resize(430, 330);

    connect(m_lbCas, &QListWidget::currentRowChanged, this, &TDatumCas::lbCasClick);
    connect(m_bVlozit, &QPushButton::clicked, this, &TDatumCas::bVlozitClick);
    connect(m_bStorno, &QPushButton::clicked, this, &TDatumCas::bStornoClick);
    FormCreate();
}

const QStringList &TDatumCas::formats()
{
    static const QStringList list = {
        QStringLiteral("yyyy-mm-dd"),
        QStringLiteral("yyyy-m-d"),
        QStringLiteral("yyyy \"rok\" mm \"měsíc\" dd \"den\""),
        QStringLiteral("yyyy \"rok\" mm \"měsíc\" dd \"den\" ddd"),
        QStringLiteral("yyyy \"rok\" mm \"měsíc\" dd \"den\" dddd"),
        QStringLiteral("yyyy, mmm, dd, ddd"),
        QStringLiteral("hh-mm-ss"),
        QStringLiteral("yyyy, mmm, dd, dddd"),
        QStringLiteral("yyyy-mm-dd h:n:s a/p"),
        QStringLiteral("mm-dd-yyyy"),
        QStringLiteral("m-d-yyyy"),
        QStringLiteral("mmm, dd, yyyy"),
        QStringLiteral("mmmm, d, yyyy"),
    };
    return list;
}

void TDatumCas::setClock(Clock clock)
{
    m_clock = std::move(clock);
    FormCreate();
}

void TDatumCas::FormCreate()
{
    const QDateTime now = m_clock();
    const int row = m_lbCas->currentRow();
    const QSignalBlocker blocker(m_lbCas);
    m_lbCas->clear();
    for (const QString &format : formats())
        m_lbCas->addItem(formatDateTime(format, now));
    m_lbCas->setCurrentRow(row);
    if (row >= 0)
        lbCasClick();
}

void TDatumCas::showEvent(QShowEvent *event)
{
    FormCreate();
    QDialog::showEvent(event);
}

void TDatumCas::lbCasClick()
{
    const QListWidgetItem *item = m_lbCas->currentItem();
    m_eNahled->setText(item ? item->text() : QString());
}

void TDatumCas::bVlozitClick()
{
    const QListWidgetItem *item = m_lbCas->currentItem();
    if (!item || !item->isSelected()) {
        m_prompter.ask(MessageKind::Warning, tr("Vyberte prosím formát. Tato funkce jinak nemá smysl "), ButtonOk);
        return;
    }
    m_editor.setSelText(item->text());
    accept();
}

void TDatumCas::bStornoClick()
{
    reject();
}

} // namespace kora
