#pragma once

#include "editing/insertion/DateFormatSource.h"

#include <QColor>
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QKeySequenceEdit;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace kora {

class FileTypes;
class Prompter;
class RichEdit;
class Shortcuts;
class Treg;

// The last colour a colour dialog of the options was left at, kept between runs.
class ColorDialogMemory : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QColor Color READ color WRITE setColor)
public:
    ColorDialogMemory(const char *name, QObject *parent);
    QColor color() const { return m_color; }
    void setColor(const QColor &color) { m_color = color; }

private:
    QColor m_color = Qt::black;
};

// "Možnosti": the program's preferences. Its controls keep their values between runs; the
// automatic-save timer tUkladani it owns runs from start-up to exit; "Datum a čas" reads the
// date format box at each use.
class Tnastaveni : public QDialog, public DateFormatSource
{
    Q_OBJECT

public:
    // What the options act on. `mainWindow` holds the components that "OK" gives colours and
    // shortcuts: StatusBar1, RichEdit1, Ruler, mikona and mKonec.
    struct Targets
    {
        QWidget *mainWindow = nullptr;
        RichEdit *editor = nullptr;
        std::function<void(bool)> setTipsAtStartup;
        std::function<void()> showWelcome;
        std::function<void()> clearFloppyHistory;
        std::function<void()> clearInternetHistory;
        // Closes the dialogs whose lists the history buttons clear, so the lists are written.
        std::function<void()> closeHistoryDialogs;
    };
    // The "&Program" page's services.
    struct Desktop
    {
        FileTypes &fileTypes;
        Shortcuts &shortcuts;
        Treg &reg;
    };

    static constexpr int kMillisecondsPerMinute = 60 * 1000;
    static const QString kHistoryCleared;
    static const QString kUndoTooSmall;
    static const QStringList kDateFormats;

    Tnastaveni(Targets targets, Desktop desktop, Prompter &prompter, QWidget *parent = nullptr);

    QTimer *tUkladani() const { return m_tUkladani; }
    QString dateTimeFormat() const override;

signals:
    // Emitted on every tick of tUkladani.
    void autosaveDue();

public slots:
    void FormCreate();
    void RxSpinEdit1Change2();
    void cbTipClick();
    void Button16Click();
    void Button19Click();
    void Button20Click();
    void bpStatusbarClick();
    void bPPozadiClick();
    void bPPravitkoClick();
    void Button29Click2();
    void Button31Click2();
    void Button15Click();
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *buildEditorPage();
    QWidget *buildColorsPage();
    void runColorDialog(ColorDialogMemory *dialog, QFrame *sample);
    void applyUndoLimit();
    void applyAutosaveInterval();

    Targets m_targets;
    Prompter &m_prompter;
    QTabWidget *m_pages = nullptr;
    QWidget *m_editorPage = nullptr;
    QTimer *m_tUkladani;
    QSpinBox *m_seUlozit = nullptr;
    QSpinBox *m_seundo = nullptr;
    QComboBox *m_cbdatum = nullptr;
    QCheckBox *m_cbclose = nullptr;
    QCheckBox *m_cbTip = nullptr;
    QKeySequenceEdit *m_htikona = nullptr;
    QKeySequenceEdit *m_hotKey1 = nullptr;
    QKeySequenceEdit *m_hotKey2 = nullptr;
    QFrame *m_pStatusBar = nullptr;
    QFrame *m_pStandartni = nullptr;
    QFrame *m_pPozadi = nullptr;
    QFrame *m_pPravitko = nullptr;
    ColorDialogMemory *m_cdStatusbar;
    ColorDialogMemory *m_cdStandartni;
    ColorDialogMemory *m_cdPozadi;
    ColorDialogMemory *m_cdPravitko;
};

} // namespace kora
