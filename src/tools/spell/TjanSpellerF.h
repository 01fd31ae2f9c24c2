#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kora::spell {

class SpellCheck;
class Suggester;

// "Kontrola pravopisu": shows one unknown word of a check at a time with the text that follows
// it and suggestions; the user types or picks a correction, skips the word or adds it to the
// user list. Closes with OK when the check is to be applied ("Přeskočit vše", or no unknown word
// left) and with Cancel when it is to be dropped.
class TjanSpellerF : public QDialog
{
    Q_OBJECT

public:
    // `check` stands at its first unknown word; `suggester` may be null.
    TjanSpellerF(SpellCheck &check, Suggester *suggester, QWidget *parent = nullptr);

    QLineEdit *txtspell() const { return m_txtspell; }
    QLabel *lblcontext() const { return m_lblcontext; }
    QListWidget *lbNavrhy() const { return m_lbNavrhy; }
    QPushButton *btnchange() const { return m_btnchange; }
    QPushButton *btnSkip() const { return m_btnSkip; }
    QPushButton *btnskipall() const { return m_btnskipall; }
    QPushButton *btnAdd() const { return m_btnAdd; }
    QPushButton *btncancel() const { return m_btncancel; }

public slots:
    void btnchangeClick();
    void btnSkipClick();
    void btnskipallClick();
    void btnAddClick();
    void btncancelClick();

private:
    void showWord();
    void goOn();

    SpellCheck &m_check;
    Suggester *m_suggester;
    QLineEdit *m_txtspell;
    QLabel *m_lblcontext;
    QListWidget *m_lbNavrhy;
    QPushButton *m_btnchange;
    QPushButton *m_btnSkip;
    QPushButton *m_btnskipall;
    QPushButton *m_btnAdd;
    QPushButton *m_btncancel;
};

} // namespace kora::spell
