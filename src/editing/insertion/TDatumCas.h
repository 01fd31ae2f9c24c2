#pragma once

#include <QDateTime>
#include <QDialog>
#include <QStringList>

#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kora {

class Prompter;
class RichEdit;

// "Datum čas/Dialog": the moment in thirteen formats; the chosen line replaces the selection.
// The list shows the moment the dialog is shown, so "now" is never the program's start.
class TDatumCas : public QDialog
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    TDatumCas(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    // The formats of the list's lines, in order.
    static const QStringList &formats();
    // Where the moment comes from; the system clock unless a test sets another.
    void setClock(Clock clock);

    QListWidget *lbCas() const { return m_lbCas; }
    QLineEdit *eNahled() const { return m_eNahled; }
    QPushButton *bVlozit() const { return m_bVlozit; }
    QPushButton *bStorno() const { return m_bStorno; }

public slots:
    // Fills the list with the moment of the call; the chosen line stays chosen.
    void FormCreate();
    void lbCasClick();
    void bVlozitClick();
    void bStornoClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    Clock m_clock;
    QListWidget *m_lbCas;
    QLineEdit *m_eNahled;
    QPushButton *m_bVlozit;
    QPushButton *m_bStorno;
};

} // namespace kora
