#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kora {

class Prompter;
class RichEdit;
class TColorBtn;

// "Hledat speciál": gives the first occurrence of a text in every laid-out line a colour and a
// size. Shown modally; "Hledej" works and leaves it open, "Storno" closes it. It keeps the last
// text, colour and size.
class Tfhledat : public QDialog
{
    Q_OBJECT
public:
    Tfhledat(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    QLineEdit *Edit1() const { return m_edit1; }
    QLabel *noteLabel() const { return m_note; }
    TColorBtn *barva() const { return m_barva; }
    QComboBox *cbvelikost() const { return m_cbvelikost; }
    QPushButton *Button1() const { return m_button1; }
    QPushButton *Button2() const { return m_button2; }

public slots:
    // "Hledej": one undo step for the whole run; the caret ends at the top. A size that is not a
    // whole number stops at the first occurrence, coloured already, with the conversion error.
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    QLineEdit *m_edit1;
    QLabel *m_note;
    TColorBtn *m_barva;
    QComboBox *m_cbvelikost;
    QPushButton *m_button1;
    QPushButton *m_button2;
};

} // namespace kora
