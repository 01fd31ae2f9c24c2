#pragma once

// A window with the editor, the search commands' menu items and the dialogs, driven by key
// presses and clicks as the user drives them.

#include "editing/search/FindReplaceDialog.h"
#include "editing/search/SearchController.h"
#include "editing/search/TJdiRadek.h"
#include "editing/search/Tfhledat.h"
#include "richedit/RichEdit.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kora::test {

class SearchFixture : public ::testing::Test
{
protected:
    SearchFixture()
    {
        auto *layout = new QVBoxLayout(&window);
        editor = new RichEdit(&window);
        layout->addWidget(editor);
        window.resize(400, 300);
        for (QAction *action : {&mNajit, &mNahradit, &Najtspecil1, &mRadek, &mZacatekTextu, &mKonecTextu})
            window.addAction(action);
        controller = std::make_unique<SearchController>(
            *editor, prompter, &window,
            SearchActions{&mNajit, &mNahradit, &Najtspecil1, &mRadek, &mZacatekTextu, &mKonecTextu});
        findSpecial = new Tfhledat(*editor, prompter, &window);
        goToLine = new TJdiRadek(*editor, prompter, &window);
        controller->setDialogs(findSpecial, goToLine);
        window.show();
        QApplication::processEvents();
    }

    // What "Najít" and "Nahradit" open, in front and ready for typing.
    search::FindReplaceDialog *openFind()
    {
        mNajit.trigger();
        return waitForInput(controller->fdNajit());
    }
    search::FindReplaceDialog *openReplace()
    {
        mNahradit.trigger();
        return waitForInput(controller->rdNahradit());
    }

    // Replaces what the field holds by `text`, typed key by key, Czech letters included.
    static void typeInto(QWidget *field, const QString &text)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key(ch.toUpper().unicode()), QString(ch), Qt::NoModifier);
    }

    // Clicks near the left edge, where check boxes and radio buttons have their mark; then lets
    // the widgets finish what they post, as between two clicks of a user.
    static void click(QAbstractButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(std::min(8, button->width() / 2), button->height() / 2));
        QApplication::processEvents();
    }

    void select(int start, int length)
    {
        editor->setSelStart(start);
        editor->setSelLength(length);
    }

    ScriptedPrompter prompter;
    QWidget window;
    RichEdit *editor = nullptr;
    QAction mNajit, mNahradit, Najtspecil1, mRadek, mZacatekTextu, mKonecTextu;
    std::unique_ptr<SearchController> controller;
    Tfhledat *findSpecial = nullptr;
    TJdiRadek *goToLine = nullptr;

private:
    static search::FindReplaceDialog *waitForInput(search::FindReplaceDialog *dialog)
    {
        EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::focusWidget() == dialog->findEdit(); }));
        return dialog;
    }
};

} // namespace kora::test
