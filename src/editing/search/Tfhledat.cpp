#include "editing/search/Tfhledat.h"

#include "editing/FormattingCommands.h"
#include "editing/controls/TColorBtn.h"
#include "editing/search/DocumentSearch.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kora {

Tfhledat::Tfhledat(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("fhledat"));
    setWindowTitle(tr("Hledat speciál"));

    m_edit1 = new QLineEdit(tr("Hledejte "), this);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMinimumWidth(m_edit1->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 30);
    auto *whatLabel = new QLabel(tr("Co &hledat"), this);
    whatLabel->setBuddy(m_edit1);

    m_note = new QLabel(tr("Text, který bude nalezen se změní "), this);
    QFont bold = m_note->font();
    bold.setBold(true);
    m_note->setFont(bold);
    QPalette red = m_note->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_note->setPalette(red);

    m_barva = new TColorBtn(this);
    m_barva->setObjectName(QStringLiteral("barva"));
    m_barva->setColorDialog([&prompter](const QColor &initial) { return prompter.chooseColor(initial); });
    auto *colorLabel = new QLabel(tr("&Barva :"), this);
    colorLabel->setBuddy(m_barva);

    m_cbvelikost = new QComboBox(this);
    m_cbvelikost->setObjectName(QStringLiteral("cbvelikost"));
    m_cbvelikost->setEditable(true);
    m_cbvelikost->setInsertPolicy(QComboBox::NoInsert);
    m_cbvelikost->addItems({QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                            QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20"),
                            QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"), QStringLiteral("50")});
    m_cbvelikost->setEditText(QStringLiteral("12"));
    auto *sizeLabel = new QLabel(tr("&Velikost"), this);
    sizeLabel->setBuddy(m_cbvelikost);

    m_button1 = new QPushButton(tr("Hledej"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setDefault(true);
    m_button2 = new QPushButton(tr("Storno"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setAutoDefault(false);

    auto *grid = new QGridLayout;
    grid->addWidget(whatLabel, 0, 0);
    grid->addWidget(m_edit1, 0, 1, 1, 3);
    grid->addWidget(m_note, 1, 0, 1, 4);
    grid->addWidget(colorLabel, 2, 0);
    grid->addWidget(m_barva, 2, 1, Qt::AlignLeft);
    grid->addWidget(sizeLabel, 2, 2, Qt::AlignRight);
    grid->addWidget(m_cbvelikost, 2, 3);
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_button1);
    buttons->addWidget(m_button2);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_button1, &QPushButton::clicked, this, &Tfhledat::Button1Click);
    connect(m_button2, &QPushButton::clicked, this, &Tfhledat::Button2Click);
}

void Tfhledat::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_edit1->setFocus();
}

void Tfhledat::Button1Click()
{
    const QString sizeText = m_cbvelikost->currentText();
    const std::optional<int> size = formatting::parseSize(sizeText);
    QList<RichEdit::TextRange> ranges = search::firstInEachLine(m_editor, m_edit1->text());
    // A bad size is found when the first occurrence has taken its colour, so only that one has.
    const bool badSize = !size && !ranges.isEmpty();
    if (badSize)
        ranges.resize(1);
    m_editor.setRangesFormat(ranges, m_barva->activeColor(), size);
    m_editor.setSelStart(0);
    m_editor.setSelLength(0);
    m_editor.scrollCaretIntoView();
    if (badSize) {
        m_prompter.showError(formatting::sizeConversionError(sizeText));
        return;
    }
    m_prompter.ask(MessageKind::Warning, tr("VHledání bylo ukonče. Byl prohledán celý text"), ButtonOk);
}

void Tfhledat::Button2Click()
{
    reject();
}

} // namespace kora
