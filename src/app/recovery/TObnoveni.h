#pragma once

#include "app/recovery/RecoveryStore.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class QListWidget;
class QPushButton;

namespace kora {

class Prompter;

// "Obnovení dokumentů": the documents a program that ended without saving them left behind.
// The user restores one (the dialog closes), discards any (after a question), or leaves the
// rest for a later start. It takes the copies in and gives the choice out.
class TObnoveni : public QDialog
{
    Q_OBJECT
public:
    TObnoveni(Prompter &prompter, QList<RecoveryCopy> copies, QWidget *parent = nullptr);

    // The copy to restore, or -1.
    int restoreIndex() const { return m_restoreIndex; }
    QStringList discardedIds() const { return m_discarded; }

    QListWidget *lbKopie() const { return m_lbKopie; }
    QPushButton *bObnovit() const { return m_bObnovit; }
    QPushButton *bZahodit() const { return m_bZahodit; }
    QPushButton *bPozdeji() const { return m_bPozdeji; }

    // What a row shows of a copy: its file's name (or "Bez Názvu"), when it was written, and the
    // start of its text.
    static QString describe(const RecoveryCopy &copy);

public slots:
    void bObnovitClick();
    void bZahoditClick();

private:
    void updateButtons();

    Prompter &m_prompter;
    QList<RecoveryCopy> m_copies;
    QList<int> m_rows; // the copy shown in each row
    int m_restoreIndex = -1;
    QStringList m_discarded;
    QListWidget *m_lbKopie;
    QPushButton *m_bObnovit;
    QPushButton *m_bZahodit;
    QPushButton *m_bPozdeji;
};

// The start-up step: offers the copies that processes now gone left in `store`. The copy the
// user restores goes to `restore`, which returns true once this instance keeps the document (and
// its own copy of it); only then is the old copy deleted. Discarded copies are deleted, the rest
// are left for a later start. Nothing is shown when there are none.
void offerRecoveryCopies(RecoveryStore &store, Prompter &prompter, QWidget *parent,
                         const std::function<bool(const RecoveryCopy &)> &restore);

} // namespace kora
