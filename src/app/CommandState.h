#pragma once

#include <QObject>

namespace kora {

class EditCommands;
class RichEdit;
struct MainActions;

// Every enabled and checked state of the main window's commands, decided in one place: the
// read-only mode's disabled commands, undo and redo after each change, the standard edit
// commands after each change of focus, selection or clipboard, and the formatting check marks
// that the refresh takes from the selection.
class CommandState : public QObject
{
    Q_OBJECT
public:
    CommandState(const MainActions &actions, RichEdit &editor, EditCommands &edits, QObject *parent = nullptr);

    bool readOnlyMode() const { return m_readOnlyMode; }
    // Switches the read-only mode's commands off or back on.
    void setReadOnlyMode(bool on);

    // The refresh: bold, italic, underline, strike-out, bullets, sub- and superscript and the
    // alignment follow the selection.
    void showSelectionFormat();

public slots:
    // After every change of the document: undo and redo follow what the editor can do.
    void updateUndoRedo();
    // Copy, cut, paste and select all follow what the focused text control can do.
    void updateEditCommands();

private:
    const MainActions &m_actions;
    RichEdit &m_editor;
    EditCommands &m_edits;
    bool m_readOnlyMode = false;
};

} // namespace kora
