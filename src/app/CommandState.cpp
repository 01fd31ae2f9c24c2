#include "app/CommandState.h"

#include "app/MainWindowUi.h"
#include "editing/EditCommands.h"
#include "richedit/RichEdit.h"

#include <QAction>

namespace kora {

CommandState::CommandState(const MainActions &actions, RichEdit &editor, EditCommands &edits, QObject *parent)
    : QObject(parent)
    , m_actions(actions)
    , m_editor(editor)
    , m_edits(edits)
{
    connect(&edits, &EditCommands::availabilityChanged, this, &CommandState::updateEditCommands);
    updateEditCommands();
}

void CommandState::setReadOnlyMode(bool on)
{
    const MainActions &a = m_actions;
    QAction *const disabledInTheMode[] = {
        a.mVlozitSpecial, a.mObrazek, a.mObjekt, a.mZnaky, a.mCas, a.mDatum, a.mDatumCas, a.mHyperLink, a.mSoubor2,
        a.mCestaKSouboru, a.mDatumcasDialog, a.mMalaPismena, a.mVelkaPismena, a.mZmencitOdsazeni, a.mZvetcitOdsazeni,
        a.mpismo, a.mPravopis, a.tbPravopis, a.tbVpred, a.tbZpet, a.tbDatumCas, a.tbcas, a.tbDatum, a.tbNahradit,
        a.tbZmensitOdsazeni, a.tbZvetsitOdsazeni,
    };
    for (QAction *action : disabledInTheMode)
        action->setEnabled(!on);
    m_readOnlyMode = on;
    // Undo and redo would change the document behind the mode's back: their menu items go too.
    // Leaving the mode, the toolbar's pair stays enabled until the next change sets it right.
    for (QAction *action : {a.mZpet, a.zpet})
        action->setEnabled(!on && m_editor.canUndo());
    for (QAction *action : {a.mVpred, a.vpred})
        action->setEnabled(!on && m_editor.canRedo());
    updateEditCommands();
}

void CommandState::updateUndoRedo()
{
    const bool undo = !m_readOnlyMode && m_editor.canUndo();
    const bool redo = !m_readOnlyMode && m_editor.canRedo();
    for (QAction *action : {m_actions.tbZpet, m_actions.mZpet, m_actions.zpet})
        action->setEnabled(undo);
    for (QAction *action : {m_actions.tbVpred, m_actions.mVpred, m_actions.vpred})
        action->setEnabled(redo);
}

void CommandState::updateEditCommands()
{
    const EditAvailability can = m_edits.availability();
    const bool writable = !m_readOnlyMode;
    const MainActions &a = m_actions;
    for (QAction *action : {a.mKopirovat, a.tbKopirovat, a.pmKopirovat, a.mVyjmout, a.tbVyjmout, a.pmVyjmout})
        action->setEnabled(writable && can.copy);
    for (QAction *action : {a.mVlozit, a.tbVlozit, a.pmVlozit})
        action->setEnabled(writable && can.paste);
    a.mVybratVse->setEnabled(can.selectAll);
}

void CommandState::showSelectionFormat()
{
    const MainActions &a = m_actions;
    const StyleFlags style = m_editor.selStyle();
    const std::pair<std::pair<QAction *, QAction *>, StyleFlag> flags[] = {
        {{a.tbTucne, a.mTucne}, StyleBold},
        {{a.tbPreskrtnute, a.mPreskrtnute}, StyleStrikeOut},
        {{a.tbKurziva, a.mKurziva}, StyleItalic},
        {{a.tbPodtrzene, a.mPodtrzene}, StyleUnderline},
    };
    for (const auto &[items, flag] : flags) {
        items.first->setChecked(style.testFlag(flag));
        items.second->setChecked(style.testFlag(flag));
    }
    const ParaFormat para = m_editor.selParaFormat();
    a.tbTecky->setChecked(para.numbering != NumberingNone);
    const SubscriptStyle subscript = m_editor.selSubscript();
    a.tbHorniIndex->setChecked(subscript == Superscript);
    a.tbDolniIndex->setChecked(subscript == Subscript);
    // Justified presses none of the three.
    const std::pair<std::pair<QAction *, QAction *>, Alignment> alignments[] = {
        {{a.tbVlevo, a.mVlevo}, AlignLeft},
        {{a.tbVpravo, a.mVpravo}, AlignRight},
        {{a.tbCenter, a.mNaStred}, AlignCenter},
    };
    for (const auto &[items, alignment] : alignments) {
        items.first->setChecked(para.alignment == alignment);
        items.second->setChecked(para.alignment == alignment);
    }
}

} // namespace kora
