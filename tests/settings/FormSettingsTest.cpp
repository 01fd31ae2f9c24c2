// The settings components on a window built here: bindings of every kind saved when the window
// closes or hides and restored when it is built again, the registry values they leave, bad
// values, placement, failures and the restart entry.
#include "platform/Prompter.h"
#include "settings/AutoRestart.h"
#include "settings/Registry.h"
#include "settings/ScrambledValue.h"
#include "settings/TPAppSettings.h"
#include "settings/TPFormSettings.h"
#include "settings/TPRegistry.h"
#include "settings/WindowPlacement.h"
#include "settings/WindowSettings.h"
#include "support/QtPrinters.h"
#include "support/TemporaryHome.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QKeySequenceEdit>
#include <QMainWindow>
#include <QProcess>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <variant>

using namespace kora;

// A component with a property of each type the bindings convert.
class Gadget : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Flag MEMBER flag)
    Q_PROPERTY(int Count MEMBER count)
    Q_PROPERTY(double Ratio MEMBER ratio)
    Q_PROPERTY(QString Title MEMBER title)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(Temper Mood MEMBER mood)
    Q_PROPERTY(Edges Sides READ getSides WRITE setSides)
    Q_PROPERTY(QColor Tint MEMBER tint)
    Q_PROPERTY(QKeySequence Keys MEMBER keys)
    Q_PROPERTY(QDateTime When MEMBER when)
    Q_PROPERTY(QVariant Anything MEMBER anything)
    Q_PROPERTY(QObject *Partner MEMBER partner)

public:
    enum Temper { Calm, Busy };
    Q_ENUM(Temper)
    enum Side { Left = 1, Right = 2, Top = 4 };
    Q_DECLARE_FLAGS(Edges, Side)
    Q_FLAG(Edges)

    using QObject::QObject;

    Edges getSides() const { return sides; }
    void setSides(Edges edges) { sides = edges; }

    bool flag = false;
    int count = 3;
    double ratio = 0.5;
    QString title = QStringLiteral("návrh");
    QStringList lines{QStringLiteral("a")};
    Temper mood = Calm;
    Edges sides = Left;
    QColor tint = QColor(0x10, 0x20, 0x30);
    QKeySequence keys = QKeySequence(Qt::Key_F10);
    QDateTime when = QDateTime(QDate(2000, 1, 1), QTime(12, 0));
    QVariant anything = QStringLiteral("nic");
    QObject *partner = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(Gadget::Edges)

namespace {

const QString kWindowKey = QStringLiteral("Software\\Lumasoft\\KORA Editor\\Zkouska");

// A window whose close box the test can refuse, as a window with a save question would.
class TestWindow : public QWidget
{
public:
    bool refuseClose = false;

protected:
    void closeEvent(QCloseEvent *event) override { event->setAccepted(!refuseClose); }
};

// The window and its controls, each bound under the name given here.
struct Built
{
    std::unique_ptr<TestWindow> window;
    TPFormSettings *settings = nullptr;
    QToolBar *bar = nullptr;
    QAction *item = nullptr;
    QStatusBar *status = nullptr;
    QTextEdit *edit = nullptr;
    QTimer *timer = nullptr;
    QSpinBox *spin = nullptr;
    QKeySequenceEdit *hotKey = nullptr;
    QCheckBox *box = nullptr;
    Gadget *gadget = nullptr;
    QCheckBox *foreign = nullptr;
};

const QStringList kBindings = {
    "tbNastroje.Visible", "mPolozka.Checked", "mPolozka.ShortCut", "StatusBar1.Color", "RichEdit1.Color",
    "tCasovac.Interval",  "seHodnota.Value",  "htKlavesa.HotKey",  "cbVolba.Checked",  "gadget.Flag",
    "gadget.Count",       "gadget.Ratio",     "gadget.Title",      "gadget.Lines",     "gadget.Mood",
    "gadget.Sides",       "gadget.Tint",      "gadget.Keys",       "gadget.When",      "gadget.Anything",
    "gadget.Partner",     "cbCizi.Checked",   "nikdo.Visible",
};

class Prompts : public Prompter
{
public:
    PromptButton message(MessageKind, const QString &, const QString &text, PromptButtons) override
    {
        texts << text;
        return ButtonOk;
    }
    std::optional<FileChoice> chooseFile(const FileRequest &) override { return std::nullopt; }
    int execDialog(QDialog *) override { return 0; }
    std::optional<FontChoice> chooseFont(const FontChoice &, bool) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &, PrinterDialog) override { return false; }
    QStringList texts;
};

class FormSettingsTest : public ::testing::Test
{
protected:
    using Configure = std::function<void(Built &)>;

    // Builds the window and restores it; `beforeLoad` runs when the controls exist.
    Built build(const QStringList &bindings = kBindings, const Configure &beforeLoad = {})
    {
        Built b;
        b.window = std::make_unique<TestWindow>();
        b.window->setObjectName("Zkouska");
        b.window->resize(400, 300);
        b.bar = new QToolBar(b.window.get());
        b.bar->setObjectName("tbNastroje");
        b.item = new QAction("Položka", b.window.get());
        b.item->setObjectName("mPolozka");
        b.item->setCheckable(true);
        b.item->setChecked(true);
        b.item->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
        b.status = new QStatusBar(b.window.get());
        b.status->setObjectName("StatusBar1");
        b.edit = new QTextEdit(b.window.get());
        b.edit->setObjectName("RichEdit1");
        b.timer = new QTimer(b.window.get());
        b.timer->setObjectName("tCasovac");
        b.timer->setInterval(1000);
        b.spin = new QSpinBox(b.window.get());
        b.spin->setObjectName("seHodnota");
        b.spin->setRange(0, 100);
        b.spin->setValue(10);
        b.hotKey = new QKeySequenceEdit(QKeySequence(Qt::Key_F10), b.window.get());
        b.hotKey->setObjectName("htKlavesa");
        b.box = new QCheckBox("Volba", b.window.get());
        b.box->setObjectName("cbVolba");
        b.box->setChecked(true);
        b.gadget = new Gadget(b.window.get());
        b.gadget->setObjectName("gadget");
        // A control of another window is none of this window's components.
        auto *dialog = new QDialog(b.window.get());
        b.foreign = new QCheckBox(dialog);
        b.foreign->setObjectName("cbCizi");

        b.settings = new TPFormSettings(b.window.get());
        b.settings->setCompanyName("Lumasoft");
        b.settings->setSoftwareName("KORA Editor");
        b.settings->setPrompter(&prompts);
        for (const QString &binding : bindings)
            b.settings->addSetting(QString(), binding);
        if (beforeLoad)
            beforeLoad(b);
        b.settings->Loaded();
        return b;
    }

    // Every value changed away from its design value.
    static void change(Built &b)
    {
        b.bar->hide();
        b.item->setChecked(false);
        b.item->setShortcut(QKeySequence(Qt::Key_Escape));
        QPalette palette = b.status->palette();
        palette.setColor(QPalette::Window, QColor(0x11, 0x22, 0x33));
        b.status->setPalette(palette);
        palette = b.edit->palette();
        palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xe0));
        b.edit->setPalette(palette);
        b.timer->setInterval(250);
        b.spin->setValue(42);
        b.hotKey->setKeySequence(QKeySequence(Qt::CTRL | Qt::Key_F12));
        b.box->setChecked(false);
        b.gadget->flag = true;
        b.gadget->count = -7;
        b.gadget->ratio = 0.1;
        b.gadget->title = "Příliš žluťoučký kůň";
        b.gadget->lines = {"první řádek", "", "tři, čtyři"};
        b.gadget->mood = Gadget::Busy;
        b.gadget->sides = Gadget::Right | Gadget::Top;
        b.gadget->tint = QColor(0xab, 0xcd, 0xef);
        b.gadget->keys = QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F3);
        b.gadget->when = QDateTime(QDate(2024, 2, 29), QTime(18, 30));
        b.gadget->anything = "cokoli";
        b.gadget->partner = b.box;
    }

    // As the window system's close box: a spontaneous close event, then hidden when accepted.
    static bool closeBox(QWidget *window)
    {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        // notify() keeps the flag that sendEvent() would clear.
        QCoreApplication::instance()->notify(window, &event);
        if (event.isAccepted())
            window->hide();
        return event.isAccepted();
    }

    RegistryKey key(const QString &path = kWindowKey)
    {
        std::optional<RegistryKey> opened = registry.openKey(Hive::CurrentUser, path, true);
        EXPECT_TRUE(opened);
        return *opened;
    }

    bool keyExists(const QString &path) { return registry.root(Hive::CurrentUser).keyExists(path); }

    test::TemporaryHome home;
    Registry registry;
    Prompts prompts;
};

} // namespace

TEST_F(FormSettingsTest, FirstStartKeepsDesignValuesAndWritesNothing)
{
    Built b = build();
    EXPECT_FALSE(b.bar->isHidden());
    EXPECT_TRUE(b.item->isChecked());
    EXPECT_EQ(b.item->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(b.timer->interval(), 1000);
    EXPECT_EQ(b.spin->value(), 10);
    EXPECT_EQ(b.gadget->mood, Gadget::Calm);
    EXPECT_FALSE(b.status->autoFillBackground());
    EXPECT_FALSE(keyExists(kWindowKey));
    EXPECT_TRUE(b.settings->isLoaded());
    EXPECT_EQ(b.settings->formKeyPath(), kWindowKey);
}

TEST_F(FormSettingsTest, EveryBindingKindIsStoredInItsFormAndRestored)
{
    {
        Built b = build();
        change(b);
        b.window->show();
        b.window->hide();
    }
    // The stored form of each kind.
    struct Stored
    {
        const char *key;
        const char *value;
        ValueType type;
        QString text;
    };
    const Stored stored[] = {
        {"tbNastroje", "Visible", ValueType::String, "False"},
        {"mPolozka", "Checked", ValueType::String, "False"},
        {"mPolozka", "ShortCut", ValueType::Dword, "27"},
        {"StatusBar1", "Color", ValueType::Dword, QString::number(0x332211)},
        {"RichEdit1", "Color", ValueType::Dword, QString::number(0xe0ffff)},
        {"tCasovac", "Interval", ValueType::Dword, "250"},
        {"seHodnota", "Value", ValueType::Binary, "0300000000000000000000a80440"},
        {"htKlavesa", "HotKey", ValueType::Dword, QString::number(0x4000 | 0x7b)},
        {"cbVolba", "Checked", ValueType::String, "False"},
        {"gadget", "Flag", ValueType::String, "True"},
        {"gadget", "Count", ValueType::Dword, QString::number(quint32(-7))},
        {"gadget", "Ratio", ValueType::Binary, "0300000000d0ccccccccccccfb3f"},
        {"gadget", "Title", ValueType::String, "Příliš žluťoučký kůň"},
        {"gadget", "Mood", ValueType::String, "Busy"},
        {"gadget", "Sides", ValueType::String, "Right,Top"},
        {"gadget", "Tint", ValueType::Dword, QString::number(0xefcdab)},
        {"gadget", "Keys", ValueType::Dword, QString::number(0x6000 | 0x72)},
        {"gadget", "Partner", ValueType::String, "cbVolba"},
    };
    for (const Stored &s : stored) {
        SCOPED_TRACE(std::string(s.key) + "." + s.value);
        const RegistryKey k = key(kWindowKey + "\\" + s.key);
        ASSERT_EQ(k.valueType(s.value), s.type);
        if (s.type == ValueType::String)
            EXPECT_EQ(k.readString(s.value), s.text);
        else if (s.type == ValueType::Dword)
            EXPECT_EQ(k.readDword(s.value), s.text.toUInt());
        else
            EXPECT_EQ(k.readBinary(s.value)->toHex(), s.text.toLatin1());
    }
    const RegistryKey gadget = key(kWindowKey + "\\gadget");
    EXPECT_EQ(gadget.readBinary("Lines")->left(4), QByteArray("\x07\0\0\0", 4));
    EXPECT_EQ(gadget.readBinary("When")->left(4), QByteArray("\x03\0\0\0", 4));
    EXPECT_EQ(gadget.readBinary("Anything")->left(4), QByteArray("\x06\0\0\0", 4));
    // Bindings that do not resolve leave no trace.
    EXPECT_FALSE(keyExists(kWindowKey + "\\nikdo"));
    EXPECT_FALSE(keyExists(kWindowKey + "\\cbCizi"));

    Built again = build();
    EXPECT_TRUE(again.bar->isHidden());
    EXPECT_FALSE(again.item->isChecked());
    EXPECT_EQ(again.item->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_EQ(again.status->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
    EXPECT_TRUE(again.status->autoFillBackground());
    EXPECT_EQ(again.edit->palette().color(QPalette::Base), QColor(0xff, 0xff, 0xe0));
    EXPECT_EQ(again.timer->interval(), 250);
    EXPECT_EQ(again.spin->value(), 42);
    EXPECT_EQ(again.hotKey->keySequence(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_FALSE(again.box->isChecked());
    EXPECT_TRUE(again.gadget->flag);
    EXPECT_EQ(again.gadget->count, -7);
    EXPECT_EQ(again.gadget->ratio, 0.1);
    EXPECT_EQ(again.gadget->title, "Příliš žluťoučký kůň");
    EXPECT_EQ(again.gadget->lines, (QStringList{"první řádek", "", "tři, čtyři"}));
    EXPECT_EQ(again.gadget->mood, Gadget::Busy);
    EXPECT_EQ(again.gadget->sides, Gadget::Right | Gadget::Top);
    EXPECT_EQ(again.gadget->tint, QColor(0xab, 0xcd, 0xef));
    EXPECT_EQ(again.gadget->keys, QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F3));
    EXPECT_EQ(again.gadget->when, QDateTime(QDate(2024, 2, 29), QTime(18, 30)));
    EXPECT_EQ(again.gadget->anything, QVariant("cokoli"));
    EXPECT_EQ(again.gadget->partner, again.box);
}

TEST_F(FormSettingsTest, SystemColoursAreStoredAsReferencesAndFollowThePalette)
{
    {
        Built b = build();
        b.settings->save();
    }
    EXPECT_EQ(key(kWindowKey + "\\StatusBar1").readDword("Color"), 0x8000000fu);
    EXPECT_EQ(key(kWindowKey + "\\RichEdit1").readDword("Color"), 0x80000005u);

    // A stored reference shows the palette's colour of the moment and reads back as itself.
    key(kWindowKey + "\\StatusBar1").writeDword("Color", 0x80000008u);
    Built b = build();
    EXPECT_EQ(b.status->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Text));
    b.settings->save();
    EXPECT_EQ(key(kWindowKey + "\\StatusBar1").readDword("Color"), 0x80000008u);
}

TEST_F(FormSettingsTest, RestoringFiresTheControlsChangeSignalsOnlyForChangedValues)
{
    int toggles = 0;
    int spins = 0;
    const auto listen = [&](Built &b) {
        QObject::connect(b.box, &QCheckBox::toggled, [&] { ++toggles; });
        QObject::connect(b.spin, &QSpinBox::valueChanged, [&] { ++spins; });
    };
    build(kBindings, listen).settings->save();
    EXPECT_EQ(toggles, 0);
    EXPECT_EQ(spins, 0);

    key(kWindowKey + "\\cbVolba").writeString("Checked", "False");
    key(kWindowKey + "\\seHodnota").writeBinary("Value", encodeBinary(SettingValue::fromFloat(99)));
    Built b = build(kBindings, listen);
    EXPECT_EQ(toggles, 1);
    EXPECT_EQ(spins, 1);
    EXPECT_EQ(b.spin->value(), 99);
}

TEST_F(FormSettingsTest, BooleanTextsRestoreInAnyCase)
{
    struct Case
    {
        const char *stored;
        bool checked;
    };
    const Case cases[] = {{"true", true}, {"FALSE", false}, {"tRuE", true}, {"False", false}};
    for (const Case &c : cases) {
        key(kWindowKey + "\\cbVolba").writeString("Checked", c.stored);
        key(kWindowKey + "\\tbNastroje").writeString("Visible", c.stored);
        Built b = build();
        EXPECT_EQ(b.box->isChecked(), c.checked) << c.stored;
        EXPECT_EQ(!b.bar->isHidden(), c.checked) << c.stored;
        // The accessor is stricter: only the exact text is true.
        TPSetting setting;
        setting.assign(SettingValue::string(c.stored));
        EXPECT_EQ(setting.AsBoolean(), QByteArray(c.stored) == "True") << c.stored;
    }
}

TEST_F(FormSettingsTest, DamagedValuesLeaveTheirPropertyAtItsDesignValue)
{
    const auto binary = [](std::initializer_list<int> values) {
        QByteArray out;
        for (int v : values)
            out.append(char(v));
        return out;
    };
    using Data = std::variant<QString, quint32, QByteArray>;
    struct Damage
    {
        const char *what;
        const char *key;
        const char *value;
        Data data;
        std::function<bool(const Built &)> atDesign;
    };
    const QByteArray nan = encodeBinary(SettingValue::fromFloat(std::numeric_limits<double>::quiet_NaN()));
    const Damage damage[] = {
        {"a number for a Boolean", "cbVolba", "Checked", quint32(0), [](const Built &b) { return b.box->isChecked(); }},
        {"no Boolean text", "tbNastroje", "Visible", QString("ano"), [](const Built &b) { return !b.bar->isHidden(); }},
        {"unknown kind code", "gadget", "Title", binary({42, 0, 0, 0, 1}),
         [](const Built &b) { return b.gadget->title == "návrh"; }},
        {"float cut short", "seHodnota", "Value", binary({3, 0, 0, 0, 0, 0, 0}),
         [](const Built &b) { return b.spin->value() == 10; }},
        {"not a number", "gadget", "Ratio", nan, [](const Built &b) { return b.gadget->ratio == 0.5; }},
        {"no member of the enumeration", "gadget", "Mood", QString("Angry"),
         [](const Built &b) { return b.gadget->mood == Gadget::Calm; }},
        {"a set only from its names", "gadget", "Sides", quint32(6),
         [](const Built &b) { return b.gadget->sides == Gadget::Left; }},
        {"Alt without a key", "mPolozka", "ShortCut", quint32(0x8000),
         [](const Built &b) { return b.item->shortcut() == QKeySequence(Qt::ALT | Qt::Key_F4); }},
        {"a key number naming no key", "htKlavesa", "HotKey", quint32(0x1ff),
         [](const Built &b) { return b.hotKey->keySequence() == QKeySequence(Qt::Key_F10); }},
        {"a shortcut beyond any code", "gadget", "Keys", QString("1e40"),
         [](const Built &b) { return b.gadget->keys == QKeySequence(Qt::Key_F10); }},
        {"no colour", "StatusBar1", "Color", quint32(0x12345678),
         [](const Built &b) { return !b.status->autoFillBackground(); }},
        {"no such system colour", "RichEdit1", "Color", quint32(0x800000ff),
         [](const Built &b) {
             return b.edit->palette().color(QPalette::Base) == QApplication::palette(b.edit).color(QPalette::Base);
         }},
        {"a text that is no number", "tCasovac", "Interval", QString("často"),
         [](const Built &b) { return b.timer->interval() == 1000; }},
        {"a Boolean for an integer", "gadget", "Count", binary({4, 0, 0, 0, 1}),
         [](const Built &b) { return b.gadget->count == 3; }},
        {"a list for a date-time", "gadget", "When", binary({7, 0, 0, 0, 1, 0, 0, 0, 'x'}),
         [](const Built &b) { return b.gadget->when == QDateTime(QDate(2000, 1, 1), QTime(12, 0)); }},
        {"no such component", "gadget", "Partner", QString("nikdo"),
         [](const Built &b) { return b.gadget->partner == nullptr; }},
        {"Boolean byte out of range", "gadget", "Flag", binary({4, 0, 0, 0, 7}),
         [](const Built &b) { return !b.gadget->flag; }},
    };
    for (const Damage &d : damage) {
        SCOPED_TRACE(d.what);
        registry.root(Hive::CurrentUser).deleteKey("Software");
        const RegistryKey k = key(kWindowKey + "\\" + d.key);
        if (const auto *text = std::get_if<QString>(&d.data))
            k.writeString(d.value, *text);
        else if (const auto *dword = std::get_if<quint32>(&d.data))
            k.writeDword(d.value, *dword);
        else
            k.writeBinary(d.value, std::get<QByteArray>(d.data));
        EXPECT_TRUE(d.atDesign(build()));
    }
    // A number kept as text still reads as a number.
    key(kWindowKey + "\\seHodnota").writeString("Value", "  7,5 ");
    EXPECT_EQ(build().spin->value(), 8);
}

TEST_F(FormSettingsTest, ClosingSavesOnceUntilTheWindowIsShownAgain)
{
    Built b = build();
    b.window->refuseClose = true;
    b.window->show();

    // The close box saves before the window decides, also when it then refuses.
    EXPECT_FALSE(closeBox(b.window.get()));
    EXPECT_EQ(key(kWindowKey + "\\tbNastroje").readString("Visible"), "True");

    // Closed again without being shown in between: nothing is written a second time.
    b.bar->hide();
    b.window->refuseClose = false;
    EXPECT_TRUE(closeBox(b.window.get()));
    EXPECT_EQ(key(kWindowKey + "\\tbNastroje").readString("Visible"), "True");
    EXPECT_TRUE(b.settings->isSaved());

    // Shown again, the next hiding writes.
    b.window->show();
    EXPECT_FALSE(b.settings->isSaved());
    b.window->hide();
    EXPECT_EQ(key(kWindowKey + "\\tbNastroje").readString("Visible"), "False");
}

TEST_F(FormSettingsTest, TheProgramsOwnCloseSavesWhenTheWindowGoes)
{
    Built b = build();
    b.window->show();
    b.window->refuseClose = true;
    b.window->close();
    EXPECT_FALSE(keyExists(kWindowKey));
    b.window->refuseClose = false;
    b.window->close();
    EXPECT_TRUE(keyExists(kWindowKey));
    EXPECT_EQ(key(kWindowKey + "\\cbVolba").readString("Checked"), "True");
}

TEST_F(FormSettingsTest, AModalDialogWritesWhetherAcceptedOrRejected)
{
    for (const bool accept : {true, false}) {
        registry.root(Hive::CurrentUser).deleteKey("Software");
        auto dialog = std::make_unique<QDialog>();
        dialog->setObjectName("Zkouska");
        auto *box = new QCheckBox(dialog.get());
        box->setObjectName("cbVolba");
        auto *settings = new TPFormSettings(dialog.get());
        settings->setCompanyName("Lumasoft");
        settings->setSoftwareName("KORA Editor");
        settings->addSetting(QString(), "cbVolba.Checked");
        settings->Loaded();
        dialog->show();
        box->setChecked(true);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
        EXPECT_EQ(key(kWindowKey + "\\cbVolba").readString("Checked"), "True") << accept;
    }
}

TEST_F(FormSettingsTest, SaveAllWritesEveryValueEveryTimeOtherwiseOnlyChangedOnes)
{
    {
        Built b = build({"cbVolba.Checked", "tCasovac.Interval"});
        b.settings->save();
        EXPECT_EQ(key(kWindowKey + "\\tCasovac").readDword("Interval"), 1000u);
        key(kWindowKey + "\\tCasovac").deleteValue("Interval");
        b.settings->save();
        EXPECT_EQ(key(kWindowKey + "\\tCasovac").readDword("Interval"), 1000u);
    }
    Built b = build({"cbVolba.Checked", "tCasovac.Interval"}, [](Built &b) { b.settings->setSaveAll(false); });
    b.timer->setInterval(300);
    b.settings->save();
    EXPECT_EQ(key(kWindowKey + "\\tCasovac").readDword("Interval"), 300u);
    // The unchanged value goes, and its key with it.
    EXPECT_FALSE(keyExists(kWindowKey + "\\cbVolba"));
    EXPECT_EQ(b.settings->settings().at(0)->designValue().text, "True");
}

TEST_F(FormSettingsTest, KeyNamesFollowTheNamesAndTheBindingPath)
{
    Built b = build({"gadget.Count", "Zkouska.gadget.Title"}, [](Built &b) {
        b.settings->setSoftwareVersion("2.0");
        b.settings->setCompanyName(QString());
        b.settings->OnSetFormKeyName = [](QString &name) { name += "X"; };
        b.settings->addSetting("Pojmenovana", "cbVolba.Checked");
        // A list read from a design that holds a setting twice keeps it once.
        EXPECT_EQ(b.settings->addSetting("Pojmenovana", "cbVolba.Checked"), nullptr);
    });
    b.settings->save();
    const QString base = "Software\\KORA Editor\\2.0\\ZkouskaX";
    EXPECT_EQ(b.settings->formKeyPath(), base);
    EXPECT_EQ(key(base + "\\gadget").readDword("Count"), 3u);
    // The leading window name finds the component but stays in the key path.
    EXPECT_EQ(key(base + "\\Zkouska\\gadget").readString("Title"), "návrh");
    EXPECT_EQ(key(base).readString("Pojmenovana"), "True");
    EXPECT_EQ(b.settings->settings().size(), 3);
    EXPECT_EQ(b.settings->settings().at(2)->UniqueName(), "cbVolba_CheckedPojmenovana");
}

TEST_F(FormSettingsTest, EncryptedValuesAreStoredScrambledAndRestored)
{
    const auto encrypted = [](Built &b) { b.settings->settings().first()->setEncrypted(true); };
    {
        Built b = build({"gadget.Title"}, encrypted);
        b.gadget->title = "heslo";
        b.settings->save();
    }
    const std::optional<QByteArray> stored = key(kWindowKey + "\\gadget").readBinary("Title");
    ASSERT_TRUE(stored);
    EXPECT_FALSE(stored->contains("heslo"));
    EXPECT_TRUE(unscrambleValue(*stored, "gadget_Title") == SettingValue::string("heslo"));
    EXPECT_EQ(build({"gadget.Title"}, encrypted).gadget->title, "heslo");

    // A plain value where a scrambled one belongs is ignored.
    key(kWindowKey + "\\gadget").writeString("Title", "otevřeně");
    EXPECT_EQ(build({"gadget.Title"}, encrypted).gadget->title, "návrh");
}

TEST_F(FormSettingsTest, EventsSurroundSavingAndRestoringAndMayVetoTheRegistry)
{
    QStringList calls;
    const auto record = [&](Built &b) {
        TPFormSettings &s = *b.settings;
        s.OnPreRestore = [&] { calls << "PreRestore"; };
        s.OnAutoRestore = [&](bool &go) {
            calls << "AutoRestore";
            go = false;
        };
        s.OnPostRestore = [&] { calls << "PostRestore"; };
        s.OnPreSave = [&] { calls << "PreSave"; };
        s.OnAutoSave = [&](bool &go) {
            calls << "AutoSave";
            go = false;
        };
        s.OnPostSave = [&] { calls << "PostSave"; };
    };
    key(kWindowKey + "\\cbVolba").writeString("Checked", "False");
    Built b = build({"cbVolba.Checked"}, record);
    EXPECT_TRUE(b.box->isChecked());
    b.settings->save();
    EXPECT_EQ(key(kWindowKey + "\\cbVolba").readString("Checked"), "False");
    EXPECT_EQ(calls, (QStringList{"PreRestore", "AutoRestore", "PostRestore", "PreSave", "AutoSave", "PostSave"}));

    // The user's own location gets every value, placement included; the registry is left alone.
    QStringList saved;
    Built user = build({"cbVolba.Checked"}, [&](Built &b) {
        b.settings->setSaveLocation(TPFormSettings::pslUser);
        b.settings->OnUserSave = [&](TPSetting &s) { saved << s.BoundProperty() + s.Name(); };
    });
    user.window->show();
    user.settings->save();
    EXPECT_EQ(saved,
              (QStringList{"cbVolba.Checked", "Left", "Top", "Width", "Height", "MainForm", "State", "ScreenRes"}));
}

TEST_F(FormSettingsTest, ApplicationSettingsAreSharedWithTheFormsAttachedToThem)
{
    TPAppSettings *app = nullptr;
    Built b = build({"gadget.Count"}, [&](Built &b) {
        app = new TPAppSettings(b.window.get());
        app->setCompanyName("Firma");
        app->setSoftwareName("Program");
        b.settings->setAppSettingsCtrl(app);
        b.settings->addSetting(QString(), "gadget.Title", "Nadpis");
    });
    EXPECT_EQ(b.settings->CompanyName(), "Firma");
    app->setSoftwareVersion("3");
    EXPECT_EQ(b.settings->SoftwareVersion(), "3");
    EXPECT_EQ(app->appKeyPath(), "Software\\Firma\\Program\\3\\AppSettings");

    TPSetting *title = app->addSetting("Nadpis");
    title->setAsString("ze společného");
    app->save();
    EXPECT_EQ(key(app->appKeyPath()).readString("Nadpis"), "ze společného");
    title->setAsString("jiný");
    app->Loaded();
    EXPECT_EQ(b.gadget->title, "ze společného");
    // A setting bound to an application setting is not saved with the window.
    b.settings->save();
    EXPECT_FALSE(key("Software\\Firma\\Program\\3\\Zkouska\\gadget").valueExists("Title"));
}

TEST_F(FormSettingsTest, CompanyNameDefaultsToTheRegisteredOrganization)
{
    QWidget window;
    EXPECT_EQ(TPFormSettings(&window).CompanyName(), QString());
    registry.openKey(Hive::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", true)
        ->writeString("RegisteredOrganization", "Organizace");
    EXPECT_EQ(TPFormSettings(&window).CompanyName(), "Organizace");
    EXPECT_EQ(TPAppSettings(&window).CompanyName(), "Organizace");
}

TEST_F(FormSettingsTest, OnlyAWindowCanOwnTheComponent)
{
    QWidget window;
    auto *child = new QWidget(&window);
    QObject plain;
    for (QObject *owner : std::initializer_list<QObject *>{child, &plain, nullptr}) {
        try {
            TPFormSettings settings(owner);
            ADD_FAILURE() << "no exception";
        } catch (const EPFormSettingsException &e) {
            EXPECT_STREQ(e.what(), "Parent must be a TCustomForm descendent");
        }
    }
}

TEST_F(FormSettingsTest, PlacementOptionsFollowTheKindOfWindow)
{
    using Opt = TPFormSettings;
    QMainWindow main;
    EXPECT_EQ(TPFormSettings(&main).FormSaveOpt(),
              Opt::pfsLeft | Opt::pfsTop | Opt::pfsWidth | Opt::pfsHeight | Opt::pfsState);
    QDialog sizeable;
    EXPECT_EQ(TPFormSettings(&sizeable).FormSaveOpt(), Opt::pfsLeft | Opt::pfsTop | Opt::pfsWidth | Opt::pfsHeight);
    QDialog fixed;
    fixed.setFixedSize(439, 272);
    TPFormSettings fixedSettings(&fixed);
    EXPECT_EQ(fixedSettings.FormSaveOpt(), Opt::pfsLeft | Opt::pfsTop);
    EXPECT_EQ(fixedSettings.MRULength(), 0);
    QWidget frameless(nullptr, Qt::Window | Qt::FramelessWindowHint);
    EXPECT_EQ(TPFormSettings(&frameless).FormSaveOpt(), Opt::TPFormSaveOpts());
    // The rest of the defaults.
    const TPFormSettings &s = fixedSettings;
    EXPECT_EQ(s.SaveLocation(), Opt::pslRegistry);
    EXPECT_EQ(s.MRUDisplay(), Opt::pmdFullPath);
    EXPECT_EQ(s.MRUMaxItemWidth(), 200);
    EXPECT_EQ(s.MRUPlacement(), Opt::pmpDescending);
    EXPECT_TRUE(s.AddToRecentDocs());
    EXPECT_FALSE(s.AutoRestartApp());
    EXPECT_TRUE(s.MRUValidate());
    EXPECT_TRUE(s.SaveAll());
    EXPECT_EQ(s.RegistryRootKey(), TPSettings::prkCurrentUser);
    EXPECT_EQ(s.SoftwareName(), QString());
}

TEST_F(FormSettingsTest, AMainWindowComesBackWhereItWasAndMinimisedWhenItWasLeftSo)
{
    const auto makeMain = [] {
        auto window = std::make_unique<QMainWindow>();
        window->setObjectName("Zkouska");
        auto *settings = new TPFormSettings(window.get());
        settings->setCompanyName("Lumasoft");
        settings->setSoftwareName("KORA Editor");
        settings->Loaded();
        return window;
    };
    {
        auto window = makeMain();
        window->move(40, 50);
        window->resize(500, 300);
        window->show();
        window->showMinimized();
        window->hide();
    }
    const RegistryKey k = key();
    const QString screen = resolutionText(QGuiApplication::primaryScreen()->geometry().size());
    EXPECT_EQ(k.valueNames(), (QStringList{"Left", "Top", "Width", "Height", "MainForm", "State", "ScreenRes"}));
    EXPECT_EQ(k.readDword("Left"), 40u);
    EXPECT_EQ(k.readDword("Top"), 50u);
    EXPECT_EQ(k.readDword("Width"), 500u);
    EXPECT_EQ(k.readDword("Height"), 300u);
    EXPECT_EQ(k.readBinary("MainForm"), QByteArray("\x04\0\0\0\x01", 5));
    EXPECT_EQ(k.readDword("State"), 1u);
    EXPECT_EQ(k.readString("ScreenRes"), screen);

    auto window = makeMain();
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    EXPECT_EQ(window->size(), QSize(500, 300));
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);

    // Stored far off a screen of the same size: 20 pixels short of its right edge; a window
    // size of 0 keeps the design size.
    k.writeDword("Left", 5000);
    k.writeDword("Width", 0);
    k.writeDword("State", 0);
    const QSize designed(640, 480);
    auto far = std::make_unique<QMainWindow>();
    far->setObjectName("Zkouska");
    far->resize(designed);
    auto *settings = new TPFormSettings(far.get());
    settings->setCompanyName("Lumasoft");
    settings->setSoftwareName("KORA Editor");
    settings->Loaded();
    EXPECT_EQ(far->x(), QGuiApplication::primaryScreen()->geometry().width() - 20);
    EXPECT_EQ(far->width(), designed.width());
    EXPECT_FALSE(far->windowState() & Qt::WindowMinimized);
}

TEST_F(FormSettingsTest, AWindowNeverShownKeepsNoPlaceUntilItHasOne)
{
    build({"cbVolba.Checked"}).settings->save();
    EXPECT_EQ(key().valueNames(), QStringList());
    {
        Built b = build({"cbVolba.Checked"});
        b.window->move(30, 40);
        b.window->show();
        b.window->hide();
    }
    EXPECT_EQ(key().readDword("Left"), 30u);
    // Placed from the stored values, a window never shown keeps them.
    build({"cbVolba.Checked"}).settings->save();
    EXPECT_EQ(key().readDword("Left"), 30u);
    EXPECT_EQ(key().readDword("Top"), 40u);
}

TEST_F(FormSettingsTest, AFailedSaveIsReportedOnceAndTheWindowStillCloses)
{
    // A folder where the settings file should be: no write can replace it.
    const QString hive = registry.filePath(Hive::CurrentUser);
    ASSERT_TRUE(QDir().mkpath(hive));
    {
        Built first = build();
        Built second = build();
        first.window->show();
        EXPECT_TRUE(closeBox(first.window.get()));
        second.window->show();
        second.window->close();
        EXPECT_FALSE(second.window->isVisible());
    }
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_TRUE(prompts.texts.first().contains(QDir::toNativeSeparators(hive))) << prompts.texts.first().toStdString();

    // Once writing works again, a later failure is news again.
    ASSERT_TRUE(QDir(hive).removeRecursively());
    build().settings->save();
    EXPECT_TRUE(keyExists(kWindowKey));
    QFile::remove(hive);
    ASSERT_TRUE(QDir().mkpath(hive));
    build().settings->save();
    EXPECT_EQ(prompts.texts.size(), 2);
}

TEST_F(FormSettingsTest, TwoProcessesClosingAtOnceKeepBothWindowsValues)
{
    constexpr int kCount = 30;
    constexpr int kRounds = 20;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KORA_CONFIG_DIR", home.configPath());
    QProcess writers[2];
    const QString windows[2] = {"OknoA", "OknoB"};
    for (int i = 0; i < 2; ++i) {
        writers[i].setProcessEnvironment(environment);
        writers[i].start(KORA_SETTINGS_WINDOW_WRITER, {windows[i], QString::number(kCount), QString::number(kRounds)});
    }
    for (QProcess &writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(100000)) << writer.errorString().toStdString();
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    QStringList wrong;
    for (const QString &window : windows) {
        for (int i = 0; i < kCount; ++i) {
            const QString path = "Software\\Lumasoft\\KORA Editor\\" + window + QStringLiteral("\\cb%1").arg(i);
            const QString expected = (i + kRounds - 1) % 2 == 0 ? "True" : "False";
            if (!keyExists(path) || key(path).readString("Checked") != expected)
                wrong << path;
        }
        EXPECT_TRUE(key("Software\\Lumasoft\\KORA Editor\\" + window).valueExists("ScreenRes"));
    }
    EXPECT_EQ(wrong, QStringList());
    EXPECT_EQ(registry.takeDamageReport(), QString());
}

TEST_F(FormSettingsTest, TheOptionsDialogsTableIsReadyForItsControls)
{
    std::vector<std::pair<QString, qsizetype>> tables;
    for (const WindowSettingsTable &table : windowSettingsTables())
        tables.emplace_back(QString::fromLatin1(table.windowName), table.bindings.size());
    EXPECT_EQ(tables,
              (std::vector<std::pair<QString, qsizetype>>{{"Form1", 15 + 21}, {"nastaveni", 14}, {"fUvitani", 1}}));

    // A stand-in with the options dialog's controls at their design values.
    QDialog options;
    options.setObjectName("nastaveni");
    for (const char *name : {"pStatusBar", "pPozadi", "pPravitko", "pStandartni"}) {
        auto *panel = new QFrame(&options);
        panel->setObjectName(name);
    }
    QPalette white = options.palette();
    white.setColor(QPalette::Window, Qt::white);
    options.findChild<QFrame *>("pPozadi")->setPalette(white);
    for (const char *name : {"cdPozadi", "cdPravitko", "cdStandartni", "cdStatusbar"}) {
        auto *dialog = new QColorDialog(Qt::black, &options);
        dialog->setObjectName(name);
    }
    auto *timer = new QTimer(&options);
    timer->setObjectName("tUkladani");
    timer->setInterval(1000);
    for (const auto &[name, value] : {std::pair{"seUlozit", 10}, std::pair{"seundo", 1024}}) {
        auto *spin = new QSpinBox(&options);
        spin->setObjectName(name);
        spin->setRange(0, 1000000);
        spin->setValue(value);
    }
    for (const char *name : {"cbclose", "cbTip"})
        (new QCheckBox(&options))->setObjectName(name);
    (new QKeySequenceEdit(QKeySequence(Qt::Key_F10), &options))->setObjectName("htikona");

    TPFormSettings *settings = attachWindowSettings(options, prompts);
    EXPECT_EQ(settings->FormSaveOpt(),
              TPFormSettings::pfsLeft | TPFormSettings::pfsTop | TPFormSettings::pfsWidth | TPFormSettings::pfsHeight);
    options.show();
    options.reject();

    const QString base = "Software\\Lumasoft\\KORA Editor\\nastaveni";
    EXPECT_EQ(key(base + "\\pStatusBar").readDword("Color"), 0x8000000fu);
    EXPECT_EQ(key(base + "\\pPozadi").readDword("Color"), 0xffffffu);
    EXPECT_EQ(key(base + "\\cdPozadi").readDword("Color"), 0u);
    EXPECT_EQ(key(base + "\\tUkladani").readDword("Interval"), 1000u);
    EXPECT_EQ(key(base + "\\seUlozit").readBinary("Value"), encodeBinary(SettingValue::fromFloat(10)));
    EXPECT_EQ(key(base + "\\seundo").readBinary("Value"), encodeBinary(SettingValue::fromFloat(1024)));
    EXPECT_EQ(key(base + "\\cbTip").readString("Checked"), "False");
    EXPECT_EQ(key(base + "\\htikona").readDword("HotKey"), 121u);
    EXPECT_EQ(key(base).valueNames(), (QStringList{"Left", "Top", "Width", "Height", "ScreenRes"}));
}

TEST(TPRegistryAccessor, OpensKeysFromTheOpenKeyOrTheRootAndKeepsItOnFailure)
{
    test::TemporaryHome home;
    TPRegistry accessor;
    EXPECT_FALSE(accessor.writeString("a", "b"));
    EXPECT_FALSE(accessor.lastError().isEmpty());
    ASSERT_TRUE(accessor.openKey("Software\\Lumasoft", true));
    ASSERT_TRUE(accessor.openKey("KORA Editor", true));
    EXPECT_EQ(accessor.currentPath(), "Software\\Lumasoft\\KORA Editor");
    EXPECT_FALSE(accessor.openKey("Chybí", false));
    EXPECT_EQ(accessor.currentPath(), "Software\\Lumasoft\\KORA Editor");

    EXPECT_TRUE(accessor.writeInteger("Left", -30));
    EXPECT_TRUE(accessor.writeString("ScreenRes", "1024x768"));
    EXPECT_TRUE(accessor.writeBinary("MainForm", QByteArray("\x04\0\0\0\x01", 5)));
    EXPECT_EQ(accessor.readInteger("Left"), -30);
    EXPECT_EQ(accessor.dataType("Left"), ValueType::Dword);
    EXPECT_EQ(accessor.dataSize("MainForm"), 5);
    EXPECT_EQ(accessor.readString("ScreenRes"), "1024x768");
    EXPECT_FALSE(accessor.readString("Left"));
    EXPECT_EQ(accessor.valueNames(), (QStringList{"Left", "ScreenRes", "MainForm"}));
    EXPECT_TRUE(accessor.deleteValue("Left"));
    EXPECT_FALSE(accessor.valueExists("Left"));

    ASSERT_TRUE(accessor.openKey("\\Software", false));
    EXPECT_EQ(accessor.currentPath(), "Software");
    EXPECT_TRUE(accessor.hasSubKeys());
    EXPECT_TRUE(accessor.deleteKey("Lumasoft"));
    EXPECT_FALSE(accessor.hasSubKeys());
    accessor.setRootKey(Hive::LocalMachine);
    EXPECT_FALSE(accessor.hasOpenKey());
}

TEST(AutoRestartEntry, NameTextAndRemovalAtTheNextStart)
{
    EXPECT_EQ(AutoRestart::valueName("KORA Editor", "Lumasoft"), "PSKORAEDITORLUMASOFT");
    EXPECT_EQ(AutoRestart::valueName("KORA Editor", "Lumasoft").size(), 20);
    EXPECT_EQ(AutoRestart::valueName("Můj Editor 2", "Firma s.r.o."), "PSMJEDITORFIRMASRO");
    EXPECT_EQ(AutoRestart::valueName("A much longer program name", "Co"), "PSAMUCHLONGERPROGRAM");
    EXPECT_EQ(AutoRestart::runOnceKey(), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");

    EXPECT_EQ(AutoRestart::entryText("PSKORAEDITORLUMASOFT", "/opt/kora editor/bin/kora-editor"),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=KORA Editor\n"
              "Comment=Spustí KORA Editor znovu po přihlášení\n"
              "Exec=env KORA_RUN_ONCE=PSKORAEDITORLUMASOFT \"/opt/kora editor/bin/kora-editor\"\n"
              "NoDisplay=true\n"
              "X-GNOME-Autostart-enabled=true\n");
    // Characters the Exec line gives a meaning to are escaped.
    EXPECT_TRUE(AutoRestart::entryText("N", "/a$b\\c\"d%e`f")
                    .contains("Exec=env KORA_RUN_ONCE=N \"/a\\\\$b\\\\\\\\c\\\\\"d%%e\\\\`f\"\n"));

    test::TemporaryHome home;
    QTemporaryDir xdg;
    const QByteArray oldXdg = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.path()));
    Registry registry;
    EXPECT_EQ(AutoRestart::entryPath("PSKORAEDITORLUMASOFT"), xdg.filePath("autostart/PSKORAEDITORLUMASOFT.desktop"));

    // The main window's component writes the entry when the session ends.
    QMainWindow window;
    TPFormSettings settings(&window);
    settings.setCompanyName("Lumasoft");
    settings.setSoftwareName("KORA Editor");
    settings.setAutoRestartApp(true);
    settings.writeRestartEntry();
    const QString entry = xdg.filePath("autostart/PSKORAEDITORLUMASOFT.desktop");
    ASSERT_TRUE(QFile::exists(entry));
    const RegistryKey runOnce = *registry.openKey(Hive::CurrentUser, AutoRestart::runOnceKey(), false);
    EXPECT_EQ(runOnce.readString("PSKORAEDITORLUMASOFT"), "\"" + QCoreApplication::applicationFilePath() + "\"");

    // A start that was not made by the entry leaves it; the start it made removes it.
    AutoRestart::finishRestart(registry);
    EXPECT_TRUE(QFile::exists(entry));
    qputenv("KORA_RUN_ONCE", "../../PSKORAEDITORLUMASOFT");
    AutoRestart::finishRestart(registry);
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_FALSE(qEnvironmentVariableIsSet("KORA_RUN_ONCE"));
    qputenv("KORA_RUN_ONCE", "PSKORAEDITORLUMASOFT");
    AutoRestart::finishRestart(registry);
    EXPECT_FALSE(QFile::exists(entry));
    EXPECT_FALSE(runOnce.valueExists("PSKORAEDITORLUMASOFT"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("KORA_RUN_ONCE"));

    if (oldXdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldXdg);
}

#include "FormSettingsTest.moc"
