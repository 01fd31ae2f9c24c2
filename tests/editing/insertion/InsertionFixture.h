#pragma once

// A window with the editor, the insertion commands' menu items and their start-up dialogs, driven
// by clicks and key presses as the user drives them. History files live in a temporary home.

#include "editing/insertion/DateFormatSource.h"
#include "editing/insertion/InsertionController.h"
#include "editing/insertion/TCesta.h"
#include "editing/insertion/TDatumCas.h"
#include "editing/insertion/THyperLink.h"
#include "editing/insertion/TTextSouboru.h"
#include "editing/insertion/Tsymbol.h"
#include "platform/Shell.h"
#include "richedit/RichEdit.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TemporaryHome.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kora::test {

// Records the addresses the program asks the desktop to open.
class RecordingShell : public Shell
{
public:
    bool startDetached(const QString &, const QStringList &) override { return true; }
    bool opens = true; // whether the desktop has a program for what is opened
    bool openUrl(const QString &address) override
    {
        opened << address;
        return opens;
    }
    QStringList opened;
};

// The options dialog's date format box, as far as "Datum a čas" reads it.
class FormatBox : public DateFormatSource
{
public:
    QString dateTimeFormat() const override { return format; }
    QString format = QString::fromUtf16(kDesignFormat);
};

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class InsertionFixture : public ::testing::Test
{
protected:
    // 2024-01-02 03:04:05, a Tuesday.
    static inline const QDateTime kMoment{QDate(2024, 1, 2), QTime(3, 4, 5)};

    InsertionFixture()
    {
        // Month and day names as a Czech user sees them.
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::Czechia));
        auto *layout = new QVBoxLayout(&window);
        editor = new RichEdit(&window);
        layout->addWidget(editor);
        window.resize(500, 300);
        InsertionActions a{&mObrazek,
                           &mObjekt,
                           &N14,
                           &N15,
                           &N16,
                           &N27,
                           &N18,
                           &N19,
                           &N20,
                           &N21,
                           &N22,
                           &N23,
                           &N26,
                           &N29,
                           &N30,
                           &N25,
                           &mSymboly,
                           &mCas,
                           &mDatum,
                           &mDatumCas,
                           &mDatumcasDialog,
                           &mHyperLink,
                           &Cel1,
                           &Text1,
                           &mCestaKSouboru,
                           &mVlozitSpecial};
        for (QAction *action : {&mObrazek, &mObjekt, &mSymboly, &mCas, &mDatum, &mDatumCas, &mDatumcasDialog,
                                &mHyperLink, &Cel1, &Text1, &mCestaKSouboru, &mVlozitSpecial})
            window.addAction(action);
        controller = std::make_unique<InsertionController>(*editor, prompter, shell, &window, a);
        controller->setClock([this] { return now; });
        datumCas = new TDatumCas(*editor, prompter, &window);
        datumCas->setClock([this] { return now; });
        hyperLink = new THyperLink(*editor, prompter, &window);
        textSouboru = new TTextSouboru(*editor, prompter, &window);
        cesta = new TCesta(*editor, prompter, &window);
        symbol = new Tsymbol(*editor, &window);
        controller->setDialogs({datumCas, hyperLink, textSouboru, cesta, symbol, &formatBox});
        window.show();
        QApplication::processEvents();
    }

    // Clicks near the left edge, where check boxes and radio buttons have their mark; then lets
    // the widgets finish what they post, as between two clicks of a user.
    static void click(QAbstractButton *button)
    {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(std::min(8, button->width() / 2), button->height() / 2));
        QApplication::processEvents();
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

    void select(int start, int length)
    {
        editor->setSelStart(start);
        editor->setSelLength(length);
    }

    // A file in the temporary home with these bytes.
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = home.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
        return path;
    }

    TemporaryHome home;
    ScriptedPrompter prompter;
    RecordingShell shell;
    FormatBox formatBox;
    QDateTime now = kMoment;
    QWidget window;
    RichEdit *editor = nullptr;
    QAction mObrazek, mObjekt, N14, N15, N16, N27, N18, N19, N20, N21, N22, N23, N26, N29, N30, N25, mSymboly, mCas,
        mDatum, mDatumCas, mDatumcasDialog, mHyperLink, Cel1, Text1, mCestaKSouboru, mVlozitSpecial;
    std::unique_ptr<InsertionController> controller;
    TDatumCas *datumCas = nullptr;
    THyperLink *hyperLink = nullptr;
    TTextSouboru *textSouboru = nullptr;
    TCesta *cesta = nullptr;
    Tsymbol *symbol = nullptr;
};

} // namespace kora::test
