#include "tools/options/Tnastaveni.h"

#include "platform/Prompter.h"
#include "richedit/RichEdit.h"
#include "settings/ColorRef.h"
#include "settings/PropertyBinding.h"
#include "settings/WindowSettings.h"
#include "tools/options/ProgramPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace kora {

namespace {

constexpr int kDesignInterval = 10;
constexpr int kDesignUndoLimit = 1024;

QPushButton *makeButton(const QString &caption, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QKeySequenceEdit *makeShortcutField(const QKeySequence &shortcut, const char *name, QWidget *parent)
{
    auto *field = new QKeySequenceEdit(shortcut, parent);
    field->setObjectName(QString::fromLatin1(name));
    // A menu item takes one key combination: the first one typed is kept.
    QObject::connect(field, &QKeySequenceEdit::editingFinished, field, [field] {
        const QKeySequence typed = field->keySequence();
        if (typed.count() > 1)
            field->setKeySequence(QKeySequence(typed[0]));
    });
    return field;
}

// Gives the component at `to` the value of the component at `from`, as the settings would.
void copyValue(QWidget *fromWindow, const char *from, QWidget *toWindow, const char *to)
{
    const PropertyBinding source = PropertyBinding::resolve(fromWindow, QString::fromLatin1(from));
    const PropertyBinding target = PropertyBinding::resolve(toWindow, QString::fromLatin1(to));
    if (source.isValid() && target.isValid())
        target.write(source.read());
}

void setSampleColor(QWidget *dialog, QFrame *sample, quint32 colorRef)
{
    PropertyBinding::resolve(dialog, sample->objectName() + QStringLiteral(".Color"))
        .write(SettingValue::fromInteger(qint32(colorRef)));
}

} // namespace

const QString Tnastaveni::kHistoryCleared = QStringLiteral("Historie byla úspěšně smazána");
const QString Tnastaveni::kUndoTooSmall = QStringLiteral("Zadaná hodnota je moc malá. Minimální hodnota je 1");
const QStringList Tnastaveni::kDateFormats = {
    QStringLiteral("yyyy-mm-dd"),
    QStringLiteral("yyyy-m-d"),
    QStringLiteral("yyyy \"year\" mm \"month\" dd \"day\""),
    QStringLiteral("yyyy \"year\" mm \"month\" dd \"day\" ddd"),
    QStringLiteral("yyyy \"year\" mm \"month\" dd \"day\" dddd"),
    QStringLiteral("yyyy, mmm, dd, ddd"),
    QStringLiteral("yyyy, mmm, dd, dddd"),
    QStringLiteral("yyyy-mm-dd h:n:s a/p"),
    QStringLiteral("mm-dd-yyyy"),
    QStringLiteral("m-d-yyyy"),
    QStringLiteral("mmm, dd, yyyy"),
    QStringLiteral("mmmm, d, yyyy"),
};

ColorDialogMemory::ColorDialogMemory(const char *name, QObject *parent)
    : QObject(parent)
{
    setObjectName(QString::fromLatin1(name));
}

Tnastaveni::Tnastaveni(Targets targets, Desktop desktop, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_targets(std::move(targets))
    , m_prompter(prompter)
    , m_tUkladani(new QTimer(this))
    , m_cdStatusbar(new ColorDialogMemory("cdStatusbar", this))
    , m_cdStandartni(new ColorDialogMemory("cdStandartni", this))
    , m_cdPozadi(new ColorDialogMemory("cdPozadi", this))
    , m_cdPravitko(new ColorDialogMemory("cdPravitko", this))
{
    setObjectName(QStringLiteral("nastaveni"));
    setWindowTitle(tr("Možnosti"));
    m_tUkladani->setObjectName(QStringLiteral("tUkladani"));
    m_tUkladani->setInterval(1000);
    connect(m_tUkladani, &QTimer::timeout, this, &Tnastaveni::autosaveDue);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(new ProgramPage(desktop.fileTypes, desktop.shortcuts, prompter, desktop.reg), tr("&Program"));
    m_editorPage = buildEditorPage();
    m_pages->addTab(m_editorPage, tr("Editor"));
    m_pages->addTab(buildColorsPage(), tr("Barvy"));

    QPushButton *ok = makeButton(tr("OK"), "Button1", this);
    QFont okFont = ok->font();
    okFont.setBold(true);
    okFont.setItalic(true);
    ok->setFont(okFont);
    ok->setDefault(true);
    QPushButton *cancel = makeButton(tr("Storno"), "Button2", this);
    connect(ok, &QPushButton::clicked, this, &Tnastaveni::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &Tnastaveni::Button2Click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    setFixedSize(QSize(562, 393).expandedTo(sizeHint()));

    // The stored values arrive as a user's changes would, so the handlers above already act.
    attachWindowSettings(*this, prompter);
    FormCreate();
}

QWidget *Tnastaveni::buildEditorPage()
{
    auto *page = new QWidget;

    auto *editor = new QGroupBox(tr("Nastavení Editoru"), page);
    m_seUlozit = new QSpinBox(editor);
    m_seUlozit->setObjectName(QStringLiteral("seUlozit"));
    m_seUlozit->setRange(0, 100);
    m_seUlozit->setValue(kDesignInterval);
    m_seundo = new QSpinBox(editor);
    m_seundo->setObjectName(QStringLiteral("seundo"));
    m_seundo->setRange(0, 1000000);
    m_seundo->setValue(kDesignUndoLimit);
    m_cbdatum = new QComboBox(editor);
    m_cbdatum->setObjectName(QStringLiteral("cbdatum"));
    m_cbdatum->setEditable(true);
    m_cbdatum->setInsertPolicy(QComboBox::NoInsert);
    m_cbdatum->addItems(kDateFormats);
    m_cbdatum->setEditText(QString::fromUtf16(kDesignFormat));
    m_cbclose = new QCheckBox(tr("Zavřít program na ESC"), editor);
    m_cbclose->setObjectName(QStringLiteral("cbclose"));
    m_cbTip = new QCheckBox(tr("Při startu zobrazit Tip Dne"), editor);
    m_cbTip->setObjectName(QStringLiteral("cbTip"));
    m_hotKey1 = makeShortcutField(QKeySequence(Qt::Key_Escape), "HotKey1", editor);
    m_hotKey2 = makeShortcutField(QKeySequence(Qt::ALT | Qt::Key_F4), "HotKey2", editor);
    m_hotKey1->hide();
    m_hotKey2->hide();
    connect(m_seUlozit, &QSpinBox::valueChanged, this, &Tnastaveni::RxSpinEdit1Change2);
    connect(m_seundo, &QSpinBox::valueChanged, this, &Tnastaveni::RxSpinEdit1Change2);
    connect(m_cbTip, &QCheckBox::toggled, this, &Tnastaveni::cbTipClick);

    auto *intervalLabel = new QLabel(tr("&Automatické ukládání : "), editor);
    intervalLabel->setBuddy(m_seUlozit);
    auto *undoLabel = new QLabel(tr("&Max počet UNDO : "), editor);
    undoLabel->setBuddy(m_seundo);
    auto *dateLabel = new QLabel(tr("Vkládat &datum a čas ve formátu :  "), editor);
    dateLabel->setBuddy(m_cbdatum);
    auto *editorLayout = new QGridLayout(editor);
    editorLayout->addWidget(intervalLabel, 0, 0);
    editorLayout->addWidget(m_seUlozit, 0, 1);
    editorLayout->addWidget(new QLabel(tr("(Minuty)"), editor), 0, 2);
    editorLayout->addWidget(undoLabel, 1, 0);
    editorLayout->addWidget(m_seundo, 1, 1);
    editorLayout->addWidget(dateLabel, 2, 0, 1, 3);
    editorLayout->addWidget(m_cbdatum, 3, 0, 1, 3);
    editorLayout->addWidget(m_cbclose, 4, 0, 1, 3);
    editorLayout->addWidget(m_cbTip, 5, 0, 1, 3);
    editorLayout->setColumnStretch(2, 1);
    editorLayout->setRowStretch(6, 1);

    auto *history = new QGroupBox(tr("Historie"), page);
    QPushButton *button29 = makeButton(tr("Smazat historii \"Odesíláni na disketu\""), "Button29", history);
    QPushButton *button31 = makeButton(tr("Smazat historii \"Otevírání z interntu \""), "Button31", history);
    connect(button29, &QPushButton::clicked, this, &Tnastaveni::Button29Click2);
    connect(button31, &QPushButton::clicked, this, &Tnastaveni::Button31Click2);
    auto *historyLayout = new QVBoxLayout(history);
    historyLayout->addWidget(button29);
    historyLayout->addWidget(button31);
    historyLayout->addStretch();

    auto *more = new QGroupBox(tr("Rozšířené"), page);
    QPushButton *button15 = makeButton(tr("Zobrazit dialog \"Uvítaní\""), "Button15", more);
    connect(button15, &QPushButton::clicked, this, &Tnastaveni::Button15Click);
    m_htikona = makeShortcutField(QKeySequence(Qt::Key_F10), "htikona", more);
    auto *trayLabel = new QLabel(tr("&Klávesová zkratka na minimalizaci"), more);
    trayLabel->setBuddy(m_htikona);
    auto *moreLayout = new QVBoxLayout(more);
    moreLayout->addWidget(button15);
    moreLayout->addWidget(trayLabel);
    moreLayout->addWidget(m_htikona);
    moreLayout->addStretch();

    auto *layout = new QGridLayout(page);
    layout->addWidget(editor, 0, 0, 2, 1);
    layout->addWidget(history, 0, 1);
    layout->addWidget(more, 1, 1);
    layout->setColumnStretch(0, 1);
    return page;
}

QWidget *Tnastaveni::buildColorsPage()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);

    const auto sample = [page](const char *name) {
        auto *panel = new QFrame(page);
        panel->setObjectName(QString::fromLatin1(name));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAutoFillBackground(true);
        panel->setMinimumSize(120, 24);
        return panel;
    };
    struct Row
    {
        QPushButton *button;
        QFrame *sample;
        QPushButton *reset;
    };
    const auto row = [&](int index, const QString &caption, const char *buttonName, const char *sampleName,
                         const char *resetName) {
        Row r{makeButton(caption, buttonName, page), sample(sampleName), makeButton(tr("Původní"), resetName, page)};
        layout->addWidget(r.button, index, 0);
        layout->addWidget(r.sample, index, 1);
        layout->addWidget(r.reset, index, 2);
        return r;
    };

    const Row statusBar = row(0, tr("Stavový řádek"), "Button16", "pStatusBar", "bpStatusbar");
    const Row standard = row(1, tr("ToolBar (Standardní)"), "Button17", "pStandartni", "Button21");
    const Row formatting = row(2, tr("ToolBar (Formátování)"), "Button18", "Panel3", "Button22");
    const Row background = row(3, tr("Pozadí"), "Button19", "pPozadi", "bPPozadi");
    const Row ruler = row(4, tr("Pravítko"), "Button20", "pPravitko", "bPPravitko");
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(1, 1);

    m_pStatusBar = statusBar.sample;
    m_pStandartni = standard.sample;
    m_pPozadi = background.sample;
    m_pPravitko = ruler.sample;
    QPalette white = m_pPozadi->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_pPozadi->setPalette(white);

    // The toolbars keep the desktop's colours: their rows stay as they were designed, disabled.
    for (QPushButton *disabled : {standard.button, standard.reset, formatting.button, formatting.reset})
        disabled->setEnabled(false);
    connect(statusBar.button, &QPushButton::clicked, this, &Tnastaveni::Button16Click);
    connect(standard.button, &QPushButton::clicked, this, [this] { runColorDialog(m_cdStandartni, m_pStandartni); });
    connect(background.button, &QPushButton::clicked, this, &Tnastaveni::Button19Click);
    connect(ruler.button, &QPushButton::clicked, this, &Tnastaveni::Button20Click);
    connect(statusBar.reset, &QPushButton::clicked, this, &Tnastaveni::bpStatusbarClick);
    connect(background.reset, &QPushButton::clicked, this, &Tnastaveni::bPPozadiClick);
    connect(ruler.reset, &QPushButton::clicked, this, &Tnastaveni::bPPravitkoClick);
    return page;
}

void Tnastaveni::FormCreate()
{
    // The spin edit's value in effect from the start, whether or not it was ever changed.
    applyUndoLimit();
    applyAutosaveInterval();
}

QString Tnastaveni::dateTimeFormat() const
{
    return m_cbdatum->currentText();
}

void Tnastaveni::RxSpinEdit1Change2()
{
    applyUndoLimit();
    applyAutosaveInterval();
}

void Tnastaveni::applyUndoLimit()
{
    if (!m_targets.editor)
        return;
    if (m_targets.editor->setUndoDepth(m_seundo->value()))
        return;
    m_prompter.ask(MessageKind::Error, kUndoTooSmall, ButtonOk);
    // Back to the limit in effect, so a refused value is neither shown nor kept.
    const QSignalBlocker quiet(m_seundo);
    m_seundo->setValue(m_targets.editor->undoDepth());
}

void Tnastaveni::applyAutosaveInterval()
{
    // The interval is in minutes, as its label says; 0 turns automatic saving off.
    const int minutes = m_seUlozit->value();
    if (minutes == 0) {
        m_tUkladani->stop();
        return;
    }
    const int interval = minutes * kMillisecondsPerMinute;
    if (m_tUkladani->isActive() && m_tUkladani->interval() == interval)
        return;
    m_tUkladani->start(interval);
}

void Tnastaveni::cbTipClick()
{
    if (m_targets.setTipsAtStartup)
        m_targets.setTipsAtStartup(m_cbTip->isChecked());
}

void Tnastaveni::runColorDialog(ColorDialogMemory *dialog, QFrame *sample)
{
    const std::optional<QColor> chosen = m_prompter.chooseColor(dialog->color());
    if (!chosen)
        return;
    dialog->setColor(*chosen);
    setSampleColor(this, sample, ColorRef::fromColor(*chosen));
}

void Tnastaveni::Button16Click()
{
    runColorDialog(m_cdStatusbar, m_pStatusBar);
}

void Tnastaveni::Button19Click()
{
    runColorDialog(m_cdPozadi, m_pPozadi);
}

void Tnastaveni::Button20Click()
{
    runColorDialog(m_cdPravitko, m_pPravitko);
}

void Tnastaveni::bpStatusbarClick()
{
    setSampleColor(this, m_pStatusBar, ColorRef::kButtonFace);
}

void Tnastaveni::bPPozadiClick()
{
    setSampleColor(this, m_pPozadi, ColorRef::fromColor(Qt::white));
}

void Tnastaveni::bPPravitkoClick()
{
    setSampleColor(this, m_pPravitko, ColorRef::fromColor(Qt::white));
}

void Tnastaveni::Button29Click2()
{
    if (m_targets.clearFloppyHistory)
        m_targets.clearFloppyHistory();
    m_prompter.ask(MessageKind::Information, kHistoryCleared, ButtonOk);
}

void Tnastaveni::Button31Click2()
{
    if (m_targets.clearInternetHistory)
        m_targets.clearInternetHistory();
    m_prompter.ask(MessageKind::Information, kHistoryCleared, ButtonOk);
}

void Tnastaveni::Button15Click()
{
    if (m_targets.showWelcome)
        m_targets.showWelcome();
}

void Tnastaveni::Button1Click()
{
    if (QWidget *main = m_targets.mainWindow) {
        copyValue(this, "pStatusBar.Color", main, "StatusBar1.Color");
        copyValue(this, "pPozadi.Color", main, "RichEdit1.Color");
        copyValue(this, "pPravitko.Color", main, "Ruler.Color");
        copyValue(this, "htikona.HotKey", main, "mikona.ShortCut");
        copyValue(this, m_cbclose->isChecked() ? "HotKey1.HotKey" : "HotKey2.HotKey", main, "mKonec.ShortCut");
    }
    if (m_targets.closeHistoryDialogs)
        m_targets.closeHistoryDialogs();
    accept();
}

void Tnastaveni::Button2Click()
{
    reject();
}

void Tnastaveni::showEvent(QShowEvent *event)
{
    m_pages->setCurrentWidget(m_editorPage);
    QDialog::showEvent(event);
}

void Tnastaveni::keyPressEvent(QKeyEvent *event)
{
    // Esc is "OK" here: it applies what the dialog shows.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Button1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kora
