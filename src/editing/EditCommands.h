#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace kora {

class RichEdit;

// The menu items of the standard edit commands, undo and redo.
struct EditActions
{
    QAction *mKopirovat = nullptr;
    QAction *mVlozit = nullptr;
    QAction *mVyjmout = nullptr;
    QAction *mVybratVse = nullptr;
    QAction *mZpet = nullptr;
    QAction *mVpred = nullptr;
};

// What the text control with the keyboard focus can do now.
struct EditAvailability
{
    bool copy = false;  // and cut: it has a non-empty selection
    bool paste = false; // the clipboard holds text or a picture
    bool selectAll = false;
};

// Copy, paste, cut and select all act on whichever text control has the keyboard focus (the
// editor when none has); undo and redo act on the editor.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    EditCommands(RichEdit &editor, const EditActions &actions, QObject *parent = nullptr);
    ~EditCommands() override;

    EditAvailability availability() const;

signals:
    // The focus, the clipboard, the focused control's selection or text changed.
    void availabilityChanged();

public slots:
    void mKopirovatClick();
    void mVlozitClick();
    void mVyjmoutClick();
    void mVybratVseClick();
    void mZpetClick();
    void VpredExecute();

private:
    QWidget *focusedTextControl() const;

    RichEdit &m_editor;
};

} // namespace kora
