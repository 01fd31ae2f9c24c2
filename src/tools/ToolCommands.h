#pragma once

#include <QObject>

class QAction;
class QDialog;
class QWidget;

namespace kora {

class Prompter;
class TRxCalculator;
class TZnaky;
class Tobsah;

// "Nástroje" › "Možnosti", "Pocet znaků" and "Obsah schránky", and "Úpravy" › "Kalkulačka": each
// shows its window modally.
class ToolCommands : public QObject
{
    Q_OBJECT
public:
    struct Dialogs
    {
        TZnaky *characterCount = nullptr;
        Tobsah *clipboard = nullptr;
        QDialog *options = nullptr;
    };
    struct Actions
    {
        QAction *mPocetznaku = nullptr;
        QAction *mSchranka = nullptr;
        QAction *mkalkulacka = nullptr;
        QAction *mMoznosti = nullptr;
    };

    // The calculator is made here, as a child of `dialogParent`.
    ToolCommands(Prompter &prompter, Dialogs dialogs, Actions actions, QWidget *dialogParent,
                 QObject *parent = nullptr);

    TRxCalculator *kal() const { return m_kal; }

public slots:
    void mPocetznakuClick();
    void mSchrankaClick();
    void mkalkulackaClick();
    void mMoznostiClick();

private:
    Prompter &m_prompter;
    Dialogs m_dialogs;
    TRxCalculator *m_kal;
};

} // namespace kora
