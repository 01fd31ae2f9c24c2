#include "editing/search/SearchController.h"

#include "editing/search/DocumentSearch.h"
#include "editing/search/FindReplaceDialog.h"
#include "editing/search/TJdiRadek.h"
#include "editing/search/TextMatcher.h"
#include "editing/search/Tfhledat.h"
#include "platform/Prompter.h"
#include "richedit/RichEdit.h"

#include <QAction>

#include <limits>

namespace kora {

using search::FindReplaceDialog;

namespace {

QString notFound(const QString &text, const char *ending)
{
    return QStringLiteral("Další výskyt slova \"%1\" %2").arg(text, QString::fromUtf8(ending));
}

} // namespace

SearchController::SearchController(RichEdit &editor, Prompter &prompter, QWidget *dialogOwner,
                                   const SearchActions &actions, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_prompter(prompter)
    , m_fdNajit(new FindReplaceDialog(FindReplaceDialog::Find, dialogOwner))
    , m_rdNahradit(new FindReplaceDialog(FindReplaceDialog::Replace, dialogOwner))
{
    const std::pair<QAction *, void (SearchController::*)()> commands[] = {
        {actions.mNajit, &SearchController::mNajitClick},
        {actions.mNahradit, &SearchController::mNahraditClick},
        {actions.Najtspecil1, &SearchController::Najtspecil1Click},
        {actions.mRadek, &SearchController::mRadekClick},
        {actions.mZacatekTextu, &SearchController::mZacatekTextuClick},
        {actions.mKonecTextu, &SearchController::mKonecTextuClick},
    };
    for (const auto &[action, handler] : commands)
        connect(action, &QAction::triggered, this, handler);
    connect(m_fdNajit, &FindReplaceDialog::findNextRequested, this, &SearchController::fdNajitFind);
    connect(m_rdNahradit, &FindReplaceDialog::findNextRequested, this, &SearchController::rdNahraditFind);
    connect(m_rdNahradit, &FindReplaceDialog::replaceRequested, this, &SearchController::rdNahraditReplace);
    connect(m_rdNahradit, &FindReplaceDialog::replaceAllRequested, this, &SearchController::rdNahraditReplaceAll);
}

void SearchController::setDialogs(Tfhledat *findSpecial, TJdiRadek *goToLine)
{
    m_findSpecial = findSpecial;
    m_goToLine = goToLine;
}

void SearchController::mNajitClick()
{
    m_fdNajit->showForInput();
}

void SearchController::mNahraditClick()
{
    m_rdNahradit->showForInput();
}

void SearchController::Najtspecil1Click()
{
    if (m_findSpecial)
        m_prompter.execDialog(m_findSpecial);
}

void SearchController::mRadekClick()
{
    if (m_goToLine)
        m_prompter.execDialog(m_goToLine);
}

void SearchController::mZacatekTextuClick()
{
    m_editor.setSelStart(0);
    m_editor.setSelLength(0);
    m_editor.scrollCaretIntoView();
}

void SearchController::mKonecTextuClick()
{
    m_editor.setSelStart(std::numeric_limits<int>::max());
    m_editor.setSelLength(0);
    m_editor.scrollCaretIntoView();
}

void SearchController::fdNajitFind()
{
    findNext(*m_fdNajit);
}

void SearchController::rdNahraditFind()
{
    findNext(*m_rdNahradit);
}

void SearchController::findNext(const FindReplaceDialog &dialog)
{
    const QString text = dialog.findText();
    const search::TextMatcher matcher(text, dialog.options());
    const bool up = dialog.searchUp();
    // Without a selection the search starts at the top (or the bottom), not at the caret.
    const int selStart = m_editor.selStart();
    const int selLength = m_editor.selLength();
    const int from =
        selLength > 0 ? (up ? selStart : selStart + selLength) : (up ? std::numeric_limits<int>::max() : 0);
    const int found = search::findInDocument(m_editor, matcher, from, up);
    if (found < 0) {
        m_prompter.ask(MessageKind::Confirmation, notFound(text, "nenalezen!"), ButtonOk);
        return;
    }
    // The editor takes the focus when its window is active again; the dialog stays in front.
    m_editor.setFocus();
    m_editor.select(found, int(matcher.length()));
}

void SearchController::rdNahraditReplace()
{
    if (m_editor.isReadOnly())
        return;
    const QString text = m_rdNahradit->findText();
    const search::TextMatcher matcher(text, m_rdNahradit->options());
    const int found = search::findInDocument(m_editor, matcher, 0, false);
    if (found < 0) {
        m_prompter.ask(MessageKind::Confirmation, notFound(text, "nenalezen !"), ButtonOk);
        return;
    }
    const QString replacement = m_rdNahradit->replaceText();
    m_editor.replaceRanges({{found, int(matcher.length()), replacement}});
    m_editor.setSelStart(found + int(replacement.size()));
    m_editor.scrollCaretIntoView();
}

void SearchController::rdNahraditReplaceAll()
{
    if (m_editor.isReadOnly())
        return;
    const QString text = m_rdNahradit->findText();
    const QList<RichEdit::TextRange> found =
        search::findAllInDocument(m_editor, search::TextMatcher(text, m_rdNahradit->options()));
    if (found.isEmpty()) {
        m_prompter.ask(MessageKind::Confirmation, notFound(text, "nenalezen !"), ButtonOk);
        return;
    }
    const QString replacement = m_rdNahradit->replaceText();
    QList<RichEdit::TextReplacement> replacements;
    replacements.reserve(found.size());
    for (const RichEdit::TextRange &range : found)
        replacements.append({range.start, range.length, replacement});
    m_editor.replaceRanges(replacements);
}

} // namespace kora
