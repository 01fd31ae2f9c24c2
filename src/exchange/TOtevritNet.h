#pragma once

#include "exchange/ComboHistory.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kora {

class Prompter;

// What became of a page the user asked for.
struct PageResult
{
    bool opened = false;
    QString message; // what to tell the user when it was not opened; empty: nothing (cancelled)
};

// Fetches a page and puts it in place of the document.
class PageOpener
{
public:
    virtual ~PageOpener() = default;
    virtual PageResult openPage(const QString &address) = 0;
};

// "Otevřít z interentu": the address of a web page to open as the document. Its list of
// addresses lives in "Otevřít_Internetem.INI" and is written whenever the dialog closes.
class TOtevritNet : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kHistoryFile = QStringLiteral("Otevřít_Internetem.INI");
    static inline const QString kBadPage = QStringLiteral("Stránka je napsaná špatně a nebo neexistuje");

    explicit TOtevritNet(Prompter &prompter, QWidget *parent = nullptr);

    // Who opens the pages; without one every page fails.
    void setOpener(PageOpener *opener) { m_opener = opener; }

    QComboBox *cbOtevrit() const { return m_cbOtevrit; }
    QPushButton *bOtevrit() const { return m_bOtevrit; }
    QPushButton *bStorno() const { return m_bStorno; }
    QPushButton *Button1() const { return m_button1; }
    QString historyPath() const { return m_history.path(); }
    QStringList history() const { return m_history.entries(); }
    // Empties the list; the file follows at the next close.
    void clearHistory() { m_history.clear(); }

    // Every way of closing the dialog ends here, so the list is always written.
    void done(int result) override;

public slots:
    void FormCreate();
    void FormClose();
    void bOtevritClick();
    void bStornoClick();
    void Button1Click();

private:
    Prompter &m_prompter;
    PageOpener *m_opener = nullptr;
    QComboBox *m_cbOtevrit;
    QPushButton *m_bOtevrit;
    QPushButton *m_bStorno;
    QPushButton *m_button1;
    ComboHistory m_history;
};

} // namespace kora
