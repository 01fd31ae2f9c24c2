#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QCheckBox;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kora {

class Prompter;

// What the welcome dialog asks of the main window.
class WelcomeActions
{
public:
    virtual ~WelcomeActions() = default;
    // Runs the main window's Save command.
    virtual void saveDocument() = 0;
    // Opens `path` in the main window; on failure returns false with a message in `error`, or
    // with an empty `error` when the user chose to keep the current document.
    virtual bool openDocument(const QString &path, QString *error) = 0;
};

// "Vítejte": start a new document or reopen one from the list of opened documents.
// The list lives in "Otevřené soubory.ini" and is written back whenever the dialog closes.
class TfUvitani : public QDialog
{
    Q_OBJECT

public:
    TfUvitani(Prompter &prompter, WelcomeActions &actions, QWidget *parent = nullptr);

    // Adds a document to the list, duplicates included.
    void appendDocument(const QString &path);
    QStringList documents() const;
    QString listFilePath() const { return m_listPath; }
    // Runs the close handler for a dialog that was never shown: the list is written.
    void closeWithoutShowing();

    QRadioButton *rbNovyUlozit() const { return m_rbNovyUlozit; }
    QRadioButton *rbNovy() const { return m_rbNovy; }
    QCheckBox *cbOtevrit() const { return m_cbOtevrit; }
    QListWidget *lbDokumenty() const { return m_lbDokumenty; }
    QCheckBox *cbZavrit() const { return m_cbZavrit; }
    QPushButton *button1() const { return m_button1; }
    QPushButton *bStorno() const { return m_bStorno; }

    // Every way of closing the dialog ends here, so the list is always written.
    void done(int result) override;

public slots:
    void FormCreate();
    void FormClose();
    void cbOtevritClick();
    void Button1Click();
    void bStornoClick();

private:
    void clearRadioButtons();

    Prompter &m_prompter;
    WelcomeActions &m_actions;
    QString m_listPath;
    QRadioButton *m_rbNovyUlozit;
    QRadioButton *m_rbNovy;
    QCheckBox *m_cbOtevrit;
    QListWidget *m_lbDokumenty;
    QCheckBox *m_cbZavrit;
    QPushButton *m_button1;
    QPushButton *m_bStorno;
};

} // namespace kora
