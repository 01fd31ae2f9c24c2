#include "tools/stats/TZnaky.h"

#include "richedit/RichEdit.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

TZnaky::TZnaky(const RichEdit &editor, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("Znaky"));
    setWindowTitle(tr("Počet znaků"));

    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    rows->setVerticalSpacing(10);
    int row = 0;
    const auto addRow = [&](const QString &caption, const char *name) {
        auto *label = new QLabel(caption, this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        auto *value = new QLabel(QStringLiteral("0"), this);
        value->setObjectName(QString::fromLatin1(name));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rows->addWidget(label, row, 0);
        rows->addWidget(value, row, 1);
        ++row;
        return value;
    };
    m_lZnaky = addRow(tr("Počet znaků : "), "lZnaky");
    m_lRadky = addRow(tr("Počet řádků : "), "lRadky");
    m_lMezery = addRow(tr("Počet mezer : "), "lMezery");
    m_lSlova = addRow(tr("Počet slov : "), "lSlova");
    m_lOznaceno = addRow(tr("Označeno znaků"), "lOznaceno");
    rows->setColumnStretch(1, 1);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    // Default and cancel: Enter and Esc both close it.
    auto *bok = new QPushButton(tr("OK"), this);
    bok->setObjectName(QStringLiteral("bok"));
    bok->setDefault(true);
    connect(bok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addStretch();
    layout->addWidget(line);
    layout->addWidget(bok, 0, Qt::AlignHCenter);
    resize(208, 215);
    setFixedSize(sizeHint().expandedTo(QSize(208, 215)));
}

void TZnaky::FormShow()
{
    TextStatistics counts = m_editor.statistics();
    // The status bar may wait for the background layout; this dialog shows the full count.
    counts.lines = m_editor.lineCount();
    m_lZnaky->setText(QString::number(counts.characters));
    m_lRadky->setText(QString::number(counts.lines));
    m_lMezery->setText(QString::number(counts.spaces));
    m_lSlova->setText(QString::number(counts.words));
    m_lOznaceno->setText(QString::number(m_editor.selLength()));
}

void TZnaky::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

} // namespace kora
