// Random editing with a fixed seed, the way a user edits for hours: typing Czech text, deleting
// across paragraphs, formatting, undo and redo, pasting RTF and text, saving and reopening. Nothing
// may crash, and every document saved and opened again must be the same document. The number of
// operations comes from KORA_SOAK_OPERATIONS (scripts/soak.sh runs 20,000 under the sanitizers).
#include "DocumentDump.h"
#include "richedit/RichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <random>

using namespace kora;

namespace {

const QStringList kWords = {
    QStringLiteral("Příliš"),    QStringLiteral("žluťoučký"), QStringLiteral("kůň"), QStringLiteral("úpěl"),
    QStringLiteral("ďábelské"),  QStringLiteral("ódy"),       QStringLiteral("a"),   QStringLiteral("Ěščřž"),
    QStringLiteral("tab\tstop"), QStringLiteral("123"),
};

const QByteArray kRtfClips[] = {
    "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9}\\par {\\i kurz\\'edva} {\\ul text}}",
    "{\\rtf1 {\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0\\fs32\\cf1 velk\\u253?\\par\\qc "
    "st\\u345?ed}",
    "{\\rtf1 \\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}odr\\'e1\\'9eka\\par}",
};

class Soak
{
public:
    explicit Soak(unsigned seed)
        : m_random(seed)
    {
        m_edit.resize(500, 400);
        m_edit.show();
        m_edit.setFocus();
    }

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

    void selectSomewhere()
    {
        const int length = m_edit.text().size();
        const int start = pick(length + 1);
        m_edit.select(start, pick(std::min(length - start, 40) + 1));
    }

    void step()
    {
        switch (pick(10)) {
        case 0:
        case 1: {
            // Typed through the input method, as a Czech keyboard delivers letters.
            m_edit.select(pick(m_edit.text().size() + 1), 0);
            QInputMethodEvent typed;
            typed.setCommitString(kWords[pick(kWords.size())] + (pick(4) == 0 ? QString() : QStringLiteral(" ")));
            QApplication::sendEvent(&m_edit, &typed);
            break;
        }
        case 2:
            m_edit.select(pick(m_edit.text().size() + 1), 0);
            QTest::keyClick(&m_edit, Qt::Key_Return);
            break;
        case 3:
            selectSomewhere();
            QTest::keyClick(&m_edit, pick(2) ? Qt::Key_Delete : Qt::Key_Backspace);
            break;
        case 4: {
            selectSomewhere();
            static const StyleFlags kStyles[] = {
                StyleBold, StyleItalic, StyleUnderline | StyleBold, StyleStrikeOut, {}};
            m_edit.setSelStyle(kStyles[pick(5)]);
            if (pick(3) == 0)
                m_edit.setSelSize(8 + pick(30));
            if (pick(4) == 0)
                m_edit.setSelSubscript(SubscriptStyle(pick(3)));
            break;
        }
        case 5:
            selectSomewhere();
            m_edit.setParaAlignment(Alignment(pick(3)));
            if (pick(3) == 0)
                m_edit.setParaNumbering(Numbering(pick(2)));
            if (pick(3) == 0)
                m_edit.setParaLeftIndent(pick(60));
            break;
        case 6:
            if (pick(2))
                m_edit.undoStep();
            else
                m_edit.redoStep();
            break;
        case 7: {
            selectSomewhere();
            auto *clip = new QMimeData;
            if (pick(2))
                clip->setData("text/rtf", kRtfClips[pick(3)]);
            else
                clip->setText(kWords[pick(kWords.size())] + QStringLiteral("\nřádek"));
            QApplication::clipboard()->setMimeData(clip);
            m_edit.paste();
            break;
        }
        default:
            selectSomewhere();
            QTest::keyClick(&m_edit, Qt::Key_Right, Qt::ShiftModifier);
            break;
        }
    }

    // Saves the document, opens the file in another editor and compares both; then goes on
    // editing the reopened document, as after "Otevřít".
    void saveAndReopen(const QString &path)
    {
        QString error;
        ASSERT_TRUE(m_edit.saveToFile(path, &error)) << error.toStdString();
        RichEdit reopened;
        ASSERT_TRUE(reopened.loadFromFile(path, &error)) << error.toStdString();
        ASSERT_EQ(reopened.text(), m_edit.text());
        // Compared as the user sees them: text typed in the default font reads back with that
        // font named, which looks the same.
        ASSERT_EQ(test::seenDump(*reopened.document()).toStdString(),
                  test::seenDump(*m_edit.document()).toStdString());
        ASSERT_TRUE(m_edit.loadFromFile(path, &error)) << error.toStdString();
    }

private:
    std::mt19937 m_random;
    RichEdit m_edit;
};

TEST(Soak, RandomEditingNeverCrashesAndEverySaveReopensTheSameDocument)
{
    bool given = false;
    const int operations = qEnvironmentVariableIntValue("KORA_SOAK_OPERATIONS", &given);
    const int count = given && operations > 0 ? operations : 1500;
    QTemporaryDir dir;
    Soak soak(20240611);
    for (int i = 1; i <= count; ++i) {
        SCOPED_TRACE("operation " + std::to_string(i));
        soak.step();
        if (i % 100 == 0) {
            soak.saveAndReopen(dir.filePath(QStringLiteral("soak.rtf")));
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

} // namespace
