#pragma once

#include "exchange/ComboHistory.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kora {

class Prompter;

// "Příloha E-mail": the list of e-mail recipients. No command shows it; its list is loaded at
// start, can be emptied by the options and is written to "Příjemce e-Mailu.INI" whenever the
// dialog closes.
class Todeslat_soubor : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kHistoryFile = QStringLiteral("Příjemce e-Mailu.INI");

    explicit Todeslat_soubor(Prompter &prompter, QWidget *parent = nullptr);

    QComboBox *cbPrijemce() const { return m_cbPrijemce; }
    QString historyPath() const { return m_history.path(); }
    QStringList history() const { return m_history.entries(); }
    // Empties the list; the file follows at the next close.
    void clearHistory() { m_history.clear(); }

    // Every way of closing the dialog ends here, so the list is always written.
    void done(int result) override;

public slots:
    void FormCreate();
    void FormClose();

private:
    QComboBox *m_cbPrijemce;
    QPushButton *m_bZavrit;
    ComboHistory m_history;
};

} // namespace kora
