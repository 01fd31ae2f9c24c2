#pragma once

#include "exchange/ComboHistory.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kora {

class FloppyDrive;
class Prompter;
class RichEdit;

// "Odeslání na disketu ": saves the document under the typed name straight onto the medium that
// stands for drive "A:". Its list of names lives in "Uložit na disketu.INI" and is written
// whenever the dialog closes.
class Tdisketa : public QDialog
{
    Q_OBJECT

public:
    static inline const QString kHistoryFile = QStringLiteral("Uložit na disketu.INI");
    static inline const QString kFailed = QStringLiteral("Při ukládání souboru na jednotku došlo k chybě!!!!!");

    Tdisketa(RichEdit &editor, Prompter &prompter, QWidget *parent = nullptr);

    // The drive to save to; without one every save fails.
    void setDrive(FloppyDrive *drive) { m_drive = drive; }

    QComboBox *cbcesta() const { return m_cbcesta; }
    QPushButton *Button2() const { return m_button2; }
    QPushButton *Button1() const { return m_button1; }
    QString historyPath() const { return m_history.path(); }
    QStringList history() const { return m_history.entries(); }
    // Empties the list; the file follows at the next close.
    void clearHistory() { m_history.clear(); }

    // A plain file name: not empty, no folder, no control characters.
    static bool isPlainFileName(const QString &name);

    // Every way of closing the dialog ends here, so the list is always written.
    void done(int result) override;

public slots:
    void FormCreate();
    void FormClose();
    void Button2Click();
    void Button1Click();

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    FloppyDrive *m_drive = nullptr;
    QComboBox *m_cbcesta;
    QPushButton *m_button2;
    QPushButton *m_button1;
    ComboHistory m_history;
};

} // namespace kora
