#include "InsertionFixture.h"

#include "editing/insertion/InsertObjectDialog.h"
#include "editing/insertion/PasteSpecialDialog.h"
#include "editing/insertion/PictureFile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QUrl>

using namespace kora;

namespace {

// A picture of `size` with a red and a blue half, so that a wrong decoding shows.
QImage testImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter(&image).fillRect(QRect(0, 0, size.width() / 2, size.height()), Qt::blue);
    return image;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes;
}

// An icon file with PNG images of these sides.
QByteArray iconFile(const QList<int> &sides)
{
    QByteArray header;
    QByteArray images;
    auto u16 = [](QByteArray &out, int v) { out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](QByteArray &out, int v) {
        u16(out, v & 0xFFFF);
        u16(out, (v >> 16) & 0xFFFF);
    };
    u16(header, 0);
    u16(header, 1);
    u16(header, int(sides.size()));
    const int dataStart = 6 + 16 * int(sides.size());
    for (const int side : sides) {
        const QByteArray png = encoded(testImage(QSize(side, side)), "PNG");
        header.append(char(side % 256)).append(char(side % 256)).append('\0').append('\0');
        u16(header, 1);
        u16(header, 32);
        u32(header, int(png.size()));
        u32(header, dataStart + int(images.size()));
        images += png;
    }
    return header + images;
}

const QByteArray kGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF\x21\xF9\x04\x01\x00\x00\x00\x00"
                      "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B",
                      43);

TEST(PictureFiles, EachReadableTypeGivesItsImage)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QByteArray bytes;
        QSize size;
        bool keepsBytes;
    } cases[] = {
        {"a.png", encoded(testImage({40, 30}), "PNG"), {40, 30}, true},
        {"a.jpg", encoded(testImage({40, 30}), "JPEG"), {40, 30}, true},
        {"a.bmp", encoded(testImage({40, 30}), "BMP"), {40, 30}, true},
        {"a.gif", kGif, {1, 1}, true},
        {"largest of an icon", iconFile({16, 48, 32}), {48, 48}, false},
        {"an icon of one image", iconFile({24}), {24, 24}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("picture"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const PictureFile picture = readPictureFile(path);
        EXPECT_EQ(picture.error, "");
        EXPECT_EQ(picture.image.size(), c.size);
        EXPECT_EQ(picture.bytes.isEmpty(), !c.keepsBytes);
    }
}

TEST(PictureFiles, MetafilesDamagedAndMissingFilesGiveACzechError)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *errorPart;
    } cases[] = {
        {"a.wmf", QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(40, '\0'), "(WMF)"},
        {"b.wmf", QByteArray("\x01\x00\x09\x00\x00\x03", 6) + QByteArray(40, '\0'), "(WMF)"},
        {"a.emf", QByteArray("\x01\x00\x00\x00", 4) + QByteArray(36, '\0') + " EMF" + QByteArray(40, '\0'), "(EMF)"},
        {"damaged.png", QByteArray("\x89PNG\r\n\x1A\n", 8) + QByteArray(100, 'x'), "poškozený"},
        {"empty.jpg", QByteArray(), "poškozený"},
        {"text.bmp", "jen text", "poškozený"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const PictureFile picture = readPictureFile(path);
        EXPECT_TRUE(picture.error.contains(QString::fromUtf8(c.errorPart))) << picture.error.toStdString();
        EXPECT_TRUE(picture.error.contains(QString::fromLatin1(c.name)));
        EXPECT_TRUE(picture.image.isNull());
    }
    EXPECT_FALSE(readPictureFile(dir.filePath(QStringLiteral("není.png"))).error.isEmpty());
}

class Pictures : public test::InsertionFixture
{
protected:
    // "Obrázek" with `path` chosen, at the caret between "a" and "b".
    void insertPicture(const QString &path)
    {
        editor->setText(QStringLiteral("ab"));
        select(1, 0);
        prompter.answerFile(FileChoice{path, 0});
        mObrazek.trigger();
    }
    // The document saved as RTF.
    QByteArray saved(RichEdit &from)
    {
        const QString path = home.filePath(QStringLiteral("uloženo.kora"));
        QString error;
        EXPECT_TRUE(from.saveToFile(path, &error)) << error.toStdString();
        return test::readFile(path);
    }
};

TEST_F(Pictures, APictureIsInsertedSavedOnceAndReadBackAtItsSize)
{
    const struct
    {
        const char *file;
        const char *format;
        const char *blip;
    } cases[] = {{"foto.jpg", "JPEG", "\\jpegblip"}, {"obr.png", "PNG", "\\pngblip"}, {"obr.bmp", "BMP", "\\pngblip"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray bytes = encoded(testImage({120, 80}), c.format);
        insertPicture(writeFile(QString::fromLatin1(c.file), bytes));
        EXPECT_TRUE(prompter.callsOf(test::PromptCall::Kind::Message).empty());
        EXPECT_EQ(editor->text(), QStringLiteral("a\uFFFCb"));
        EXPECT_EQ(editor->selStart(), 2);

        const QByteArray rtf = saved(*editor);
        EXPECT_EQ(rtf.count("{\\pict"), 1) << "each picture's bytes are stored once";
        EXPECT_TRUE(rtf.contains(c.blip));
        EXPECT_TRUE(rtf.contains("\\picwgoal1800\\pichgoal1200")) << rtf.left(400).toStdString();
        if (QByteArray(c.format) != "BMP") {
            EXPECT_TRUE(rtf.contains(bytes.left(32).toHex())) << "the file's own bytes are kept";
        }

        RichEdit reread;
        ASSERT_TRUE(reread.loadFromFile(home.filePath(QStringLiteral("uloženo.kora"))));
        const QByteArray again = saved(reread);
        EXPECT_TRUE(again.contains("\\picwgoal1800\\pichgoal1200"));
        EXPECT_TRUE(again.contains(c.blip));
    }
}

TEST_F(Pictures, ThePictureStaysOnTheClipboard)
{
    insertPicture(writeFile(QStringLiteral("obr.png"), encoded(testImage({20, 10}), "PNG")));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data && data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(20, 10));
    // Pasting it again gives a second picture.
    editor->paste();
    EXPECT_EQ(editor->text(), QStringLiteral("a\uFFFC\uFFFCb"));
}

TEST_F(Pictures, AnIconInsertsItsLargestImage)
{
    insertPicture(writeFile(QStringLiteral("ikona.ico"), iconFile({16, 64, 32})));
    EXPECT_TRUE(prompter.callsOf(test::PromptCall::Kind::Message).empty());
    EXPECT_TRUE(saved(*editor).contains("\\picwgoal960\\pichgoal960"));
}

TEST_F(Pictures, AnUnreadablePictureShowsTheErrorBoxAndChangesNothing)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("dřív"));
    for (const char *name : {"metasoubor.wmf", "rozbitý.png"}) {
        SCOPED_TRACE(name);
        prompter.clearCalls();
        insertPicture(writeFile(QString::fromUtf8(name), QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(60, 'x')));
        EXPECT_EQ(editor->text(), "ab");
        const auto messages = prompter.callsOf(test::PromptCall::Kind::Message);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].messageKind, MessageKind::Error);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "dřív");
    }
    const auto files = prompter.callsOf(test::PromptCall::Kind::File);
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files[0].file.dialogName, "odObrazek");
}

class Objects : public test::InsertionFixture
{
protected:
    // "Objekt" › "Vytvořit ze souboru" with `path`.
    void insertFromFile(const QString &path, bool link, bool asIcon)
    {
        prompter.answerDialog([=, this](QDialog *dialog) {
            auto *d = static_cast<InsertObjectDialog *>(dialog);
            d->rbZeSouboru()->setChecked(true);
            d->eSoubor()->setText(path);
            d->cbPropojit()->setChecked(link);
            d->cbIkona()->setChecked(asIcon);
            click(d->bOK());
        });
        mObjekt.trigger();
    }
    static QByteArray everyByte()
    {
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(char((i * 7) % 256));
        return bytes;
    }
};

TEST_F(Objects, AnEmbeddedFileTravelsInTheDocumentByteForByte)
{
    const QByteArray bytes = everyByte();
    const QString source = writeFile(QStringLiteral("přípona.bin"), bytes);
    editor->setText(QStringLiteral("ab"));
    select(1, 0);
    insertFromFile(source, false, true);
    EXPECT_EQ(editor->text(), QStringLiteral("a\uFFFCb"));
    QFile::remove(source);

    const QString document = home.filePath(QStringLiteral("s objektem.kora"));
    ASSERT_TRUE(editor->saveToFile(document));
    RichEdit reread;
    ASSERT_TRUE(reread.loadFromFile(document));
    const std::optional<EmbeddedFile> file = reread.objectAt(1);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->label, "přípona.bin");
    EXPECT_FALSE(file->linked);
    EXPECT_EQ(file->data, bytes);

    // Double-clicking opens a copy of exactly those bytes with the desktop's application.
    ASSERT_TRUE(editor->loadFromFile(document));
    controller->openObject(1);
    ASSERT_EQ(shell.opened.size(), 1);
    const QString opened = QUrl(shell.opened[0]).toLocalFile();
    EXPECT_TRUE(opened.endsWith(QStringLiteral("/přípona.bin")));
    EXPECT_EQ(test::readFile(opened), bytes);
}

TEST_F(Objects, ALinkedFileOpensTheFileItselfAndAPictureShowsAsItsContent)
{
    const QString picture = writeFile(QStringLiteral("obr.png"), encoded(testImage({64, 32}), "PNG"));
    editor->setText({});
    insertFromFile(picture, true, false);
    const std::optional<EmbeddedFile> file = editor->objectAt(0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->linked);
    EXPECT_TRUE(file->data.isEmpty());
    ASSERT_TRUE(editor->saveToFile(home.filePath(QStringLiteral("odkaz.kora"))));
    const QByteArray rtf = test::readFile(home.filePath(QStringLiteral("odkaz.kora")));
    EXPECT_TRUE(rtf.contains("{\\object\\objlink"));
    EXPECT_TRUE(rtf.contains("\\picwgoal960\\pichgoal480")) << "shown as the picture itself";
    controller->openObject(0);
    EXPECT_EQ(shell.opened, QStringList{QUrl::fromLocalFile(picture).toString()});

    shell.opens = false;
    prompter.clearCalls();
    controller->openObject(0);
    EXPECT_EQ(prompter.messageTexts(),
              QStringList{"Soubor „obr.png“ se nepodařilo otevřít: v systému pro něj není žádný program."});
}

TEST_F(Objects, ACreatedObjectIsInsertedAndOpenedAtOnce)
{
    for (int kind = 0; kind < int(InsertObjectDialog::newKinds().size()); ++kind) {
        SCOPED_TRACE(InsertObjectDialog::newKinds()[kind].caption.toStdString());
        shell.opened.clear();
        editor->setText({});
        prompter.answerDialog([&](QDialog *dialog) {
            auto *d = static_cast<InsertObjectDialog *>(dialog);
            EXPECT_TRUE(d->rbNovy()->isChecked());
            d->lbTyp()->setCurrentRow(kind);
            click(d->bOK());
        });
        mObjekt.trigger();
        ASSERT_TRUE(editor->objectAt(0));
        ASSERT_EQ(shell.opened.size(), 1);
        EXPECT_TRUE(QFile::exists(QUrl(shell.opened[0]).toLocalFile()));
    }
}

TEST_F(Objects, AMissingFileIsRefusedAndTheDialogStaysOpen)
{
    editor->setText(QStringLiteral("ab"));
    prompter.answerDialog([&](QDialog *dialog) {
        auto *d = static_cast<InsertObjectDialog *>(dialog);
        click(d->rbZeSouboru());
        d->eSoubor()->setText(home.filePath(QStringLiteral("není.txt")));
        click(d->bOK());
        EXPECT_TRUE(d->isVisible());
        click(d->bStorno());
    });
    mObjekt.trigger();
    EXPECT_EQ(editor->text(), "ab");
    ASSERT_EQ(prompter.callsOf(test::PromptCall::Kind::Message).size(), 1u);
}

class PasteSpecial : public test::InsertionFixture
{
protected:
    // Puts `data` on the clipboard, opens "Vložit speciál" and records what it lists; picks the
    // item captioned `choice`, or cancels when it is empty.
    QStringList pasteSpecial(QMimeData *data, const QString &choice)
    {
        QGuiApplication::clipboard()->setMimeData(data);
        QStringList listed;
        prompter.answerDialog([&](QDialog *dialog) {
            auto *d = static_cast<PasteSpecialDialog *>(dialog);
            for (int i = 0; i < d->lbJako()->count(); ++i)
                listed << d->lbJako()->item(i)->text();
            if (choice.isEmpty())
                return;
            d->lbJako()->setCurrentRow(int(listed.indexOf(choice)));
            EXPECT_FALSE(d->lVysledek()->text().isEmpty());
            click(d->bOK());
        });
        mVlozitSpecial.trigger();
        return listed;
    }
};

TEST_F(PasteSpecial, AnEmptyClipboardDoesNothing)
{
    QGuiApplication::clipboard()->clear();
    editor->setText(QStringLiteral("ab"));
    mVlozitSpecial.trigger();
    EXPECT_TRUE(prompter.calls().empty());
    EXPECT_EQ(editor->text(), "ab");
}

TEST_F(PasteSpecial, OnlyTheFormsTheClipboardHoldsAreOffered)
{
    auto *text = new QMimeData;
    text->setText(QStringLiteral("jen text"));
    EXPECT_EQ(pasteSpecial(text, {}), QStringList{"Neformátovaný text"});

    auto *image = new QMimeData;
    image->setImageData(testImage({4, 4}));
    EXPECT_EQ(pasteSpecial(image, {}), QStringList{"Obrázek"});

    auto *files = new QMimeData;
    files->setUrls({QUrl::fromLocalFile(writeFile(QStringLiteral("f.txt"), "obsah"))});
    EXPECT_EQ(pasteSpecial(files, {}).mid(1), (QStringList{"Soubor jako objekt", "Propojení se souborem"}));

    auto *rtf = new QMimeData;
    rtf->setData(QStringLiteral("text/rtf"), "{\\rtf1 {\\b x}}");
    rtf->setText(QStringLiteral("x"));
    EXPECT_EQ(pasteSpecial(rtf, {}),
              (QStringList{"Rich Text Format", "Rich Text Format bez objektů", "Neformátovaný text"}));
    EXPECT_EQ(editor->text(), "") << "cancelled: nothing pasted";
}

TEST_F(PasteSpecial, EachFormPastesWhatItSays)
{
    const QByteArray png = encoded(testImage({8, 8}), "PNG");
    const QByteArray rtf =
        "{\\rtf1\\ansi\\ansicpg1250 {\\b tu\\'e8n\\'e9}{\\pict\\pngblip\\picw8\\pich8 " + png.toHex() + "} konec}";
    auto makeData = [&] {
        auto *data = new QMimeData;
        data->setData(QStringLiteral("text/rtf"), rtf);
        data->setText(QStringLiteral("prostý"));
        return data;
    };

    editor->setText({});
    pasteSpecial(makeData(), QStringLiteral("Rich Text Format"));
    EXPECT_EQ(editor->text(), QStringLiteral("tučné\uFFFC konec"));
    select(0, 1);
    EXPECT_TRUE(editor->selStyle().testFlag(StyleBold));

    editor->setText({});
    pasteSpecial(makeData(), QStringLiteral("Rich Text Format bez objektů"));
    EXPECT_EQ(editor->text(), QStringLiteral("tučné konec"));
    select(0, 1);
    EXPECT_TRUE(editor->selStyle().testFlag(StyleBold));

    editor->setText({});
    pasteSpecial(makeData(), QStringLiteral("Neformátovaný text"));
    EXPECT_EQ(editor->text(), QStringLiteral("prostý"));
    EXPECT_EQ(editor->selStart(), 6);
}

TEST_F(PasteSpecial, FilesAreEmbeddedOrLinked)
{
    const QString path = writeFile(QStringLiteral("příloha.txt"), "obsah");
    auto makeData = [&] {
        auto *data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        return data;
    };
    editor->setText({});
    pasteSpecial(makeData(), QStringLiteral("Soubor jako objekt"));
    ASSERT_TRUE(editor->objectAt(0));
    EXPECT_EQ(editor->objectAt(0)->data, "obsah");
    editor->setText({});
    pasteSpecial(makeData(), QStringLiteral("Propojení se souborem"));
    ASSERT_TRUE(editor->objectAt(0));
    EXPECT_TRUE(editor->objectAt(0)->linked);
}

// Text copied in the office suite comes to the clipboard as its RTF.
TEST_F(PasteSpecial, RtfFromAnotherWordProcessorKeepsItsFormatting)
{
    QFile fixture(QStringLiteral(KORA_TEST_DATA_DIR "/writer-formatted.rtf"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    auto *data = new QMimeData;
    data->setData(QStringLiteral("text/rtf"), fixture.readAll());
    data->setText(QStringLiteral("Obyčejný tučný červený velký konec"));
    QGuiApplication::clipboard()->setMimeData(data);
    editor->setText({});
    editor->paste();
    EXPECT_EQ(editor->text().trimmed(), "Obyčejný tučný červený velký konec");
    const QString text = editor->text();
    select(int(text.indexOf(QStringLiteral("tučný"))) + 1, 1);
    EXPECT_TRUE(editor->selStyle().testFlag(StyleBold));
    select(int(text.indexOf(QStringLiteral("červený"))) + 1, 1);
    EXPECT_EQ(editor->selColor(), QColor(255, 0, 0));
    EXPECT_FALSE(editor->selStyle().testFlag(StyleBold));
    select(int(text.indexOf(QStringLiteral("velký"))) + 1, 1);
    EXPECT_EQ(editor->selSize(), 20);
    select(1, 1);
    EXPECT_EQ(editor->selSize(), 12);
}

} // namespace
