#pragma once

#include "editing/insertion/DialogHistory.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QListWidget;
class QPushButton;

namespace kora {

class BrowserHistory;
class Prompter;
class RichEdit;

// "Hypertextový odkaz": an address typed or chosen from "Odkazy.INI" or from the browsers'
// history replaces the selection as plain text; the editor's link detection shows it as a link.
class THyperLink : public QDialog
{
    Q_OBJECT
public:
    THyperLink(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);
    ~THyperLink() override;

    // Where "Načíst historii" reads; the user's browsers unless a test sets another.
    void setBrowserHistory(std::unique_ptr<BrowserHistory> history);

    QComboBox *eAdresa() const { return m_eAdresa; }
    QListWidget *lbHistorie() const { return m_lbHistorie; }
    QPushButton *Button1() const { return m_button1; }
    QPushButton *bVlozit() const { return m_bVlozit; }
    QPushButton *bStorno() const { return m_bStorno; }
    QString historyPath() const { return m_history.path(); }

public slots:
    void FormCreate();
    // Writes the address box's items to the history file; runs at every closing.
    void FormClose();
    void Button1Click();
    void lbHistorieClick();
    void bVlozitClick();
    void bStornoClick();

protected:
    void done(int result) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    std::unique_ptr<BrowserHistory> m_browsers;
    DialogHistory m_history;
    QComboBox *m_eAdresa;
    QListWidget *m_lbHistorie;
    QPushButton *m_button1;
    QPushButton *m_bVlozit;
    QPushButton *m_bStorno;
};

// The items of a combo box, in order.
QStringList comboItems(const QComboBox &box);

} // namespace kora
