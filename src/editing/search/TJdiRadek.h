#pragma once

#include <QDialog>

class QPushButton;

namespace kora {

class IntegerSpinEdit;
class Prompter;
class RichEdit;

// "Jít na řádek": puts the caret at the start of a laid-out line. Shown modally; it keeps the
// last number.
class TJdiRadek : public QDialog
{
    Q_OBJECT
public:
    TJdiRadek(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    IntegerSpinEdit *seRadek() const { return m_seRadek; }
    QPushButton *bOK() const { return m_bOK; }
    QPushButton *Button1() const { return m_button1; }

public slots:
    // Line 1 is the first line, 0 the line that holds the caret; a number past the last line
    // goes to the end of the text, one below 0 to its start. Text that is not a whole number
    // gives the conversion error and the dialog stays open, the caret where it was.
    void bOKClick();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    IntegerSpinEdit *m_seRadek;
    QPushButton *m_bOK;
    QPushButton *m_button1;
};

} // namespace kora
