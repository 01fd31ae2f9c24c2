#include "tools/ToolCommands.h"

#include "platform/Prompter.h"
#include "tools/calc/TRxCalculator.h"
#include "tools/clipboard/Tobsah.h"
#include "tools/stats/TZnaky.h"

#include <QAction>

namespace kora {

ToolCommands::ToolCommands(Prompter &prompter, Dialogs dialogs, Actions actions, QWidget *dialogParent, QObject *parent)
    : QObject(parent)
    , m_prompter(prompter)
    , m_dialogs(dialogs)
    , m_kal(new TRxCalculator(dialogParent))
{
    connect(actions.mPocetznaku, &QAction::triggered, this, &ToolCommands::mPocetznakuClick);
    connect(actions.mSchranka, &QAction::triggered, this, &ToolCommands::mSchrankaClick);
    connect(actions.mkalkulacka, &QAction::triggered, this, &ToolCommands::mkalkulackaClick);
    connect(actions.mMoznosti, &QAction::triggered, this, &ToolCommands::mMoznostiClick);
}

void ToolCommands::mPocetznakuClick()
{
    m_prompter.execDialog(m_dialogs.characterCount);
}

void ToolCommands::mSchrankaClick()
{
    m_prompter.execDialog(m_dialogs.clipboard);
}

void ToolCommands::mkalkulackaClick()
{
    m_prompter.execDialog(m_kal);
}

void ToolCommands::mMoznostiClick()
{
    m_prompter.execDialog(m_dialogs.options);
}

} // namespace kora
