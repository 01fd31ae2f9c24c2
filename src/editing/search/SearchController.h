#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;

namespace kora {

class Prompter;
class RichEdit;
class TJdiRadek;
class Tfhledat;

namespace search {
class FindReplaceDialog;
}

// The menu items of searching and moving the caret.
struct SearchActions
{
    QAction *mNajit = nullptr;
    QAction *mNahradit = nullptr;
    QAction *Najtspecil1 = nullptr;
    QAction *mRadek = nullptr;
    QAction *mZacatekTextu = nullptr;
    QAction *mKonecTextu = nullptr;
};

// Find, replace, find special, go to line, and the caret to the start or the end of the text.
// The find and replace dialogs are modeless and belong to `dialogOwner`; find special and go to
// line are start-up dialogs, shown modally once they are handed over.
class SearchController : public QObject
{
    Q_OBJECT
public:
    SearchController(RichEdit &editor, Prompter &prompter, QWidget *dialogOwner, const SearchActions &actions,
                     QObject *parent = nullptr);

    void setDialogs(Tfhledat *findSpecial, TJdiRadek *goToLine);

    search::FindReplaceDialog *fdNajit() const { return m_fdNajit; }
    search::FindReplaceDialog *rdNahradit() const { return m_rdNahradit; }

public slots:
    void mNajitClick();
    void mNahraditClick();
    void Najtspecil1Click();
    void mRadekClick();
    void mZacatekTextuClick();
    void mKonecTextuClick();
    // "Najít další" of the find dialog: after a non-empty selection, or from the top; upwards:
    // before a non-empty selection, or from the bottom.
    void fdNajitFind();
    // "Najít další" of the replace dialog: the same, downwards, with its text and options.
    void rdNahraditFind();
    // "Nahradit" replaces the first occurrence from the top, wherever the caret is; "Nahradit vše"
    // every occurrence in one undo step. A read-only document is never changed.
    void rdNahraditReplace();
    void rdNahraditReplaceAll();

private:
    void findNext(const search::FindReplaceDialog &dialog);

    RichEdit &m_editor;
    Prompter &m_prompter;
    search::FindReplaceDialog *m_fdNajit;
    search::FindReplaceDialog *m_rdNahradit;
    QPointer<Tfhledat> m_findSpecial;
    QPointer<TJdiRadek> m_goToLine;
};

} // namespace kora
