#pragma once

#include "editing/insertion/DialogHistory.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kora {

class Prompter;
class RichEdit;

// "Cesta k souboru": a path typed, chosen or taken from "Cesta k souboru.INI" replaces the
// selection (an empty box deletes it) and joins the history.
class TCesta : public QDialog
{
    Q_OBJECT
public:
    TCesta(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    static const QString kFilter;

    QComboBox *cbCesta() const { return m_cbCesta; }
    QPushButton *bVybrat() const { return m_bVybrat; }
    QPushButton *bVlozit() const { return m_bVlozit; }
    QPushButton *bStorno() const { return m_bStorno; }
    QString historyPath() const { return m_history.path(); }

public slots:
    void FormCreate();
    void FormClose();
    void bVybratClick();
    void bVlozitClick();
    void bStornoClick();

protected:
    void done(int result) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    DialogHistory m_history;
    QComboBox *m_cbCesta;
    QPushButton *m_bVybrat;
    QPushButton *m_bVlozit;
    QPushButton *m_bStorno;
    int m_filterIndex = 0;
};

} // namespace kora
