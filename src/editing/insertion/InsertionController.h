#pragma once

#include "richedit/EmbeddedFile.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAction;
class QDialog;
class QFileSystemWatcher;
class QWidget;

namespace kora {

class DateFormatSource;
class InsertObjectDialog;
class PasteSpecialDialog;
class Prompter;
class RichEdit;
class Shell;
class TCesta;
class TDatumCas;
class THyperLink;
class TTextSouboru;
class Tsymbol;

// The "Vložit" menu's items and "Úpravy" › "Vložit speciál".
struct InsertionActions
{
    QAction *mObrazek = nullptr;
    QAction *mObjekt = nullptr;
    QAction *N14 = nullptr;
    QAction *N15 = nullptr;
    QAction *N16 = nullptr;
    QAction *N27 = nullptr;
    QAction *N18 = nullptr;
    QAction *N19 = nullptr;
    QAction *N20 = nullptr;
    QAction *N21 = nullptr;
    QAction *N22 = nullptr;
    QAction *N23 = nullptr;
    QAction *N26 = nullptr;
    QAction *N29 = nullptr;
    QAction *N30 = nullptr;
    QAction *N25 = nullptr;
    QAction *mSymboly = nullptr;
    QAction *mCas = nullptr;
    QAction *mDatum = nullptr;
    QAction *mDatumCas = nullptr;
    QAction *mDatumcasDialog = nullptr;
    QAction *mHyperLink = nullptr;
    QAction *Cel1 = nullptr;
    QAction *Text1 = nullptr;
    QAction *mCestaKSouboru = nullptr;
    QAction *mVlozitSpecial = nullptr;
};

// The start-up dialogs the insertion commands show, and where the date-and-time format comes from.
struct InsertionDialogs
{
    TDatumCas *datumCas = nullptr;
    THyperLink *hyperLink = nullptr;
    TTextSouboru *textSouboru = nullptr;
    TCesta *cesta = nullptr;
    Tsymbol *symbol = nullptr;
    const DateFormatSource *dateFormat = nullptr;
};

// Dates and times, characters, symbols, links, file text and paths, pictures, objects and paste
// special: each puts its text or object in place of the selection, the caret after it. A document
// that is read-only is never changed.
class InsertionController : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    // `dialogOwner` parents the object and paste-special dialogs.
    InsertionController(RichEdit &editor, Prompter &prompter, Shell &shell, QWidget *dialogOwner,
                        const InsertionActions &actions, QObject *parent = nullptr);
    ~InsertionController() override;

    // The start-up dialogs, once they exist; until then their commands do nothing and "Datum a čas"
    // uses the design format.
    void setDialogs(const InsertionDialogs &dialogs);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    InsertObjectDialog *insertObjectDialog() const;
    PasteSpecialDialog *pasteSpecialDialog() const;
    // The file a packaged object was last opened from, for as long as the program runs.
    QString openedObjectPath(const EmbeddedFile &file) const;

public slots:
    void mCasClick();
    void mDatumClick();
    void mDatumCasClick();
    void mDatumcasDialogClick();
    void mSymbolyClick();
    void mHyperLinkClick();
    void Cel1Click();
    void Text1Click();
    void mCestaKSouboruClick();
    void mObrazekClick();
    void mObjektClick();
    void mVlozitSpecialClick();
    // Opens the packaged file at `position` with the desktop's application; saved changes to it
    // come back into the document.
    void openObject(int position);

private:
    struct OpenedObject
    {
        EmbeddedFile file;
        bool asIcon = false;
    };

    bool writable() const;
    void insertFormatted(const QString &format);
    void insertCharacters(const QString &text);
    void execDialog(QDialog *dialog);
    void insertFileObject(const QString &path, bool link, bool asIcon);
    QString extract(const EmbeddedFile &file, bool asIcon);
    void openObjectFile(const QString &path);
    void objectFileChanged(const QString &path);

    RichEdit &m_editor;
    Prompter &m_prompter;
    Shell &m_shell;
    InsertionDialogs m_dialogs;
    Clock m_clock;
    QString m_textFileName;
    int m_textFilterIndex = 0;
    QString m_pictureFileName;
    int m_pictureFilterIndex = 0;
    QPointer<InsertObjectDialog> m_insertObject;
    QPointer<PasteSpecialDialog> m_pasteSpecial;
    std::unique_ptr<QTemporaryDir> m_objectFiles;
    QFileSystemWatcher *m_watcher;
    QHash<QString, OpenedObject> m_opened; // by the path of the opened copy
    int m_extracted = 0;
};

} // namespace kora
