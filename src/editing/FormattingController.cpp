#include "editing/FormattingController.h"

#include "editing/FormattingCommands.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/RulerIndents.h"
#include "editing/controls/TanlRuler.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFontComboBox>

namespace kora {

namespace {

// The user is typing into the box or choosing from its open list.
bool isBeingEdited(const QComboBox *box)
{
    const QWidget *focus = QApplication::focusWidget();
    return (focus && (focus == box || box->isAncestorOf(focus))) || box->view()->isVisible();
}

} // namespace

FormattingController::FormattingController(RichEdit &editor, Prompter &prompter, const FormattingControls &controls,
                                           const FormattingActions &actions, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_controls(controls)
    , m_actions(actions)
    , m_fontDialogChoice{QFont(QStringLiteral("MS Sans Serif"), 8), QColor(Qt::black)}
{
    const std::pair<QAction *, void (FormattingController::*)()> commands[] = {
        {actions.mpismo, &FormattingController::mpismoClick},
        {actions.Barva1, &FormattingController::Barva1Click},
        {actions.mTucne, &FormattingController::mTucneClick},
        {actions.mKurziva, &FormattingController::mKurzivaClick},
        {actions.mPodtrzene, &FormattingController::mPodtrzeneClick},
        {actions.mPreskrtnute, &FormattingController::mPreskrtnuteClick},
        {actions.tbTucne, &FormattingController::tbTucneClick},
        {actions.tbKurziva, &FormattingController::tbKurzivaClick},
        {actions.tbPodtrzene, &FormattingController::tbPodtrzeneClick},
        {actions.tbPreskrtnute, &FormattingController::tbPreskrtnuteClick},
        {actions.mVlevo, &FormattingController::mVlevoClick},
        {actions.tbVlevo, &FormattingController::mVlevoClick},
        {actions.mNaStred, &FormattingController::mNaStredClick},
        {actions.tbCenter, &FormattingController::mNaStredClick},
        {actions.mVpravo, &FormattingController::mVpravoClick},
        {actions.tbVpravo, &FormattingController::mVpravoClick},
        {actions.tbTecky, &FormattingController::tbTeckyClick},
        {actions.tbHorniIndex, &FormattingController::tbHorniIndexClick},
        {actions.tbDolniIndex, &FormattingController::tbDolniIndexClick},
        {actions.mZvetcitOdsazeni, &FormattingController::mZvetcitOdsazeniClick},
        {actions.mZmencitOdsazeni, &FormattingController::mZmencitOdsazeniClick},
        {actions.mVelkaPismena, &FormattingController::mVelkaPismenaClick},
        {actions.mMalaPismena, &FormattingController::mMalaPismenaClick},
        {actions.mLamani, &FormattingController::mLamaniClick},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);
    connect(controls.cbpismo, &QFontComboBox::currentFontChanged, this, &FormattingController::cbpismoChange);
    connect(controls.cbVelikost, &QComboBox::editTextChanged, this, &FormattingController::cbVelikostChange);
    connect(controls.cbBarva, &TColorBtn::clicked, this, &FormattingController::cbBarvaClick);
    connect(controls.ColorBtn1, &TColorBtn::clicked, this, &FormattingController::ColorBtn1Click);
    connect(controls.Ruler, &TanlRuler::OnIndentChange, this, &FormattingController::RulerIndentChange);
    for (TColorBtn *button : {controls.cbBarva, controls.ColorBtn1})
        button->setColorDialog([this](const QColor &initial) { return m_prompter.chooseColor(initial); });
}

void FormattingController::showSelectionFormat()
{
    QComboBox *sizeBox = m_controls.cbVelikost;
    const QString size = QString::number(m_editor.selSize());
    if (!isBeingEdited(sizeBox) && sizeBox->currentText() != size) {
        const QSignalBlocker blocker(sizeBox);
        sizeBox->setEditText(size);
    }
    QFontComboBox *fontBox = m_controls.cbpismo;
    const QString face = m_editor.selFaceName();
    if (!isBeingEdited(fontBox) && fontBox->currentText() != face) {
        const QSignalBlocker blocker(fontBox);
        int index = fontBox->findText(face);
        if (index < 0) {
            fontBox->addItem(face);
            index = fontBox->count() - 1;
        }
        fontBox->setCurrentIndex(index);
    }
    const QColor textColor = m_editor.selColor();
    m_controls.cbBarva->setActiveColor(textColor);
    m_controls.cbBarva->setTargetColor(textColor);
    const QColor highlight = m_editor.selHighlight();
    m_controls.ColorBtn1->setActiveColor(highlight);
    m_controls.ColorBtn1->setTargetColor(highlight);
}

void FormattingController::mpismoClick()
{
    const std::optional<FontChoice> choice = m_prompter.chooseFont(m_fontDialogChoice, m_fontDialogShown);
    // After its first showing the font dialog always has its Apply button.
    m_fontDialogShown = true;
    if (!choice)
        return;
    m_fontDialogChoice = *choice;
    m_editor.setSelFont(choice->font, choice->color);
}

void FormattingController::Barva1Click()
{
    const std::optional<QColor> color = m_prompter.chooseColor(m_colorDialogColor);
    if (!color)
        return;
    m_colorDialogColor = *color;
    m_editor.setSelColor(*color);
}

void FormattingController::cbpismoChange()
{
    m_editor.setSelFaceName(m_controls.cbpismo->currentText());
}

void FormattingController::cbVelikostChange()
{
    const QString text = m_controls.cbVelikost->currentText();
    // An empty box is a number being retyped, not a mistake worth an error box.
    if (text.isEmpty())
        return;
    const std::optional<int> size = formatting::parseSize(text);
    if (!size) {
        m_prompter.showError(formatting::sizeConversionError(text));
        return;
    }
    m_editor.setSelSize(*size);
}

void FormattingController::mTucneClick()
{
    formatting::toggleStyle(m_editor, StyleBold);
}

void FormattingController::mKurzivaClick()
{
    formatting::toggleStyle(m_editor, StyleItalic);
}

void FormattingController::mPodtrzeneClick()
{
    formatting::toggleStyle(m_editor, StyleUnderline);
}

void FormattingController::mPreskrtnuteClick()
{
    formatting::toggleStyle(m_editor, StyleStrikeOut);
}

// The toolbar toggles have already flipped their pressed state when their handler runs.
void FormattingController::tbTucneClick()
{
    formatting::toggleStyle(m_editor, StyleBold);
}

void FormattingController::tbKurzivaClick()
{
    formatting::toggleStyle(m_editor, StyleItalic);
}

void FormattingController::tbPodtrzeneClick()
{
    formatting::toggleStyle(m_editor, StyleUnderline);
}

void FormattingController::tbPreskrtnuteClick()
{
    // This button's pressed state is left to the refresh: the click's flip is taken back.
    m_actions.tbPreskrtnute->setChecked(!m_actions.tbPreskrtnute->isChecked());
    formatting::toggleStyle(m_editor, StyleStrikeOut);
}

void FormattingController::mVlevoClick()
{
    m_editor.setParaAlignment(AlignLeft);
}

void FormattingController::mNaStredClick()
{
    m_editor.setParaAlignment(AlignCenter);
}

void FormattingController::mVpravoClick()
{
    m_editor.setParaAlignment(AlignRight);
}

void FormattingController::tbTeckyClick()
{
    m_editor.setParaNumbering(m_actions.tbTecky->isChecked() ? NumberingBullet : NumberingNone);
}

void FormattingController::tbHorniIndexClick()
{
    m_editor.setSelSubscript(m_actions.tbHorniIndex->isChecked() ? Superscript : SubscriptNone);
}

void FormattingController::tbDolniIndexClick()
{
    m_editor.setSelSubscript(m_actions.tbDolniIndex->isChecked() ? Subscript : SubscriptNone);
}

void FormattingController::mZvetcitOdsazeniClick()
{
    formatting::shiftFirstIndent(m_editor, 20);
}

void FormattingController::mZmencitOdsazeniClick()
{
    formatting::shiftFirstIndent(m_editor, -20);
}

void FormattingController::mVelkaPismenaClick()
{
    formatting::changeCase(m_editor, true);
}

void FormattingController::mMalaPismenaClick()
{
    formatting::changeCase(m_editor, false);
}

void FormattingController::mLamaniClick()
{
    // Decided by the check mark before the change; the click has already inverted it.
    const bool checkedBefore = !m_actions.mLamani->isChecked();
    m_editor.setWordWrap(!checkedBefore);
}

// An invalid colour is the palette's "no colour": automatic text colour, no highlight.
void FormattingController::cbBarvaClick()
{
    m_editor.setSelColor(m_controls.cbBarva->activeColor());
}

void FormattingController::ColorBtn1Click()
{
    m_editor.setSelHighlight(m_controls.ColorBtn1->activeColor());
}

void FormattingController::RulerIndentChange(TanlRuler *sender, int indentId)
{
    const RulerIndentPoints points = rulerIndentPoints(indentId, *sender, m_editor.selParaFormat().firstIndent);
    if (points.first)
        m_editor.setParaFirstIndent(*points.first);
    if (points.left)
        m_editor.setParaLeftIndent(*points.left);
    if (points.right)
        m_editor.setParaRightIndent(*points.right);
}

} // namespace kora
