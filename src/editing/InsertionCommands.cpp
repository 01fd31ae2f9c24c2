#include "editing/InsertionCommands.h"

#include "richedit/RichEdit.h"

#include <QAction>

namespace kora {

InsertionCommands::InsertionCommands(RichEdit &editor, const std::vector<std::pair<QAction *, QString>> &characters,
                                     QObject *parent)
    : QObject(parent)
    , m_editor(editor)
{
    for (const auto &[item, text] : characters)
        connect(item, &QAction::triggered, this, [this, text = text] { m_editor.setSelText(text); });
}

} // namespace kora
