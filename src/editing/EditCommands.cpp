#include "editing/EditCommands.h"

#include "richedit/RichEdit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>

namespace kora {

namespace {

template<typename F>
void onTextControl(QWidget *control, F f)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        f(line);
    else if (auto *text = qobject_cast<QTextEdit *>(control))
        f(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        f(plain);
}

} // namespace

EditCommands::EditCommands(RichEdit &editor, const EditActions &actions, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
{
    const std::pair<QAction *, void (EditCommands::*)()> commands[] = {
        {actions.mKopirovat, &EditCommands::mKopirovatClick}, {actions.mVlozit, &EditCommands::mVlozitClick},
        {actions.mVyjmout, &EditCommands::mVyjmoutClick},     {actions.mVybratVse, &EditCommands::mVybratVseClick},
        {actions.mZpet, &EditCommands::mZpetClick},           {actions.mVpred, &EditCommands::VpredExecute},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);
    connect(&editor, &QTextEdit::copyAvailable, this, &EditCommands::availabilityChanged);
    connect(&editor, &QTextEdit::textChanged, this, &EditCommands::availabilityChanged);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditCommands::availabilityChanged);
    connect(qApp, &QApplication::focusChanged, this, &EditCommands::availabilityChanged);
}

EditCommands::~EditCommands()
{
    // The editor, focus and clipboard report changes while the window is torn down.
    disconnect(&m_editor, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

QWidget *EditCommands::focusedTextControl() const
{
    QWidget *focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return &m_editor;
}

EditAvailability EditCommands::availability() const
{
    EditAvailability can;
    onTextControl(focusedTextControl(), [&](auto *c) {
        if constexpr (std::is_same_v<std::remove_pointer_t<decltype(c)>, QLineEdit>) {
            can.copy = c->hasSelectedText();
            can.selectAll = !c->text().isEmpty();
        } else {
            can.copy = c->textCursor().hasSelection();
            can.selectAll = !c->document()->isEmpty();
        }
    });
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    can.paste = clipboard && (clipboard->hasText() || clipboard->hasImage());
    return can;
}

void EditCommands::mKopirovatClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->copy(); });
}

void EditCommands::mVlozitClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->paste(); });
}

void EditCommands::mVyjmoutClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->cut(); });
}

void EditCommands::mVybratVseClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->selectAll(); });
}

void EditCommands::mZpetClick()
{
    m_editor.undoStep();
}

void EditCommands::VpredExecute()
{
    m_editor.redoStep();
}

} // namespace kora
