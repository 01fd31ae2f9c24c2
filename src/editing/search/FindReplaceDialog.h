#pragma once

#include "editing/search/TextMatcher.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kora::search {

// The modeless "Najít" and "Nahradit" dialogs. They only collect the user's request: the text,
// the options and which button was pressed; their owner searches. Texts and options stay
// between showings; closing only hides the dialog.
class FindReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    enum Mode { Find, Replace };

    // Find: searching down. Replace: "Celá slova" ticked. Neither matches case at first.
    FindReplaceDialog(Mode mode, QWidget *parent = nullptr);

    Mode mode() const { return m_mode; }
    QString findText() const;
    QString replaceText() const;
    SearchOptions options() const;
    // Only the find dialog offers the direction; the replace dialog searches down.
    bool searchUp() const;

    // Shows the dialog in front with the find text selected, ready for typing.
    void showForInput();

    QLineEdit *findEdit() const { return m_findEdit; }
    QLineEdit *replaceEdit() const { return m_replaceEdit; }
    QCheckBox *wholeWordBox() const { return m_wholeWord; }
    QCheckBox *matchCaseBox() const { return m_matchCase; }
    QRadioButton *upButton() const { return m_up; }
    QRadioButton *downButton() const { return m_down; }
    QPushButton *findNextButton() const { return m_findNext; }
    QPushButton *replaceButton() const { return m_replace; }
    QPushButton *replaceAllButton() const { return m_replaceAll; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void findNextRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void updateButtons();

    Mode m_mode;
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_wholeWord = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QRadioButton *m_up = nullptr;
    QRadioButton *m_down = nullptr;
    QPushButton *m_findNext = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_replaceAll = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace kora::search
