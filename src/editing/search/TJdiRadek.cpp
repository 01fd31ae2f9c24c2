#include "editing/search/TJdiRadek.h"

#include "editing/FormattingCommands.h"
#include "editing/controls/IntegerSpinEdit.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace kora {

TJdiRadek::TJdiRadek(RichEdit &editor, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_editor(editor)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("JdiRadek"));
    setWindowTitle(tr("Jít na řádek"));

    m_seRadek = new IntegerSpinEdit(this);
    m_seRadek->setObjectName(QStringLiteral("seRadek"));
    auto *label = new QLabel(tr("Čís&lo řádku"), this);
    label->setBuddy(m_seRadek);

    m_bOK = new QPushButton(tr("OK"), this);
    m_bOK->setObjectName(QStringLiteral("bOK"));
    m_bOK->setDefault(true);
    m_button1 = new QPushButton(tr("Storno"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setAutoDefault(false);

    auto *field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_seRadek, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bOK);
    buttons->addWidget(m_button1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_bOK, &QPushButton::clicked, this, &TJdiRadek::bOKClick);
    connect(m_button1, &QPushButton::clicked, this, &TJdiRadek::Button1Click);
}

void TJdiRadek::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_seRadek->setFocus();
    m_seRadek->selectAll();
}

void TJdiRadek::bOKClick()
{
    const QString text = m_seRadek->text();
    const std::optional<int> number = formatting::parseSize(text);
    if (!number) {
        m_prompter.showError(formatting::sizeConversionError(text));
        return;
    }
    m_editor.setSelLength(0);
    m_editor.ensureLayout();
    // Line n is n - 1 counted from 0; 0 asks for the caret's line (-1). A line that does not
    // exist (-1 from the editor) is the end of the text.
    int start = 0;
    if (*number >= 0) {
        start = m_editor.lineStart(*number - 1);
        if (start < 0)
            start = std::numeric_limits<int>::max();
    }
    m_editor.setSelStart(start);
    m_editor.scrollCaretIntoView();
    accept();
}

void TJdiRadek::Button1Click()
{
    reject();
}

} // namespace kora
