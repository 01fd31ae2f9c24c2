// A setting's accessors: what each getter makes of each kind of value, the errors they raise,
// and setters writing through to the bound property.
#include "settings/TPSetting.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFrame>
#include <QSpinBox>
#include <QWidget>

#include <gtest/gtest.h>

#include <variant>

using namespace kora;

namespace {

// A getter's result: a value, or the text of the error it raises.
using Result = std::variant<bool, qint32, double, QString, std::string>;

template <typename Get> Result outcome(Get get)
{
    try {
        return get();
    } catch (const EPSettingException &e) {
        return std::string(e.what());
    }
}

std::string shown(const Result &result)
{
    return std::visit(
        [](const auto &v) -> std::string {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                return "\"" + v.toStdString() + "\"";
            else if constexpr (std::is_same_v<T, std::string>)
                return "error: " + v;
            else
                return std::to_string(v);
        },
        result);
}

SettingValue kindOnly(ValueKind kind)
{
    SettingValue value;
    value.kind = kind;
    return value;
}

const std::string kGetError = "Cannot use GetAs functions with collections or hidden properties";

} // namespace

TEST(SettingAccessors, GettersConvertEachKindOrSayWhyNot)
{
    struct Case
    {
        const char *what;
        SettingValue value;
        Result asBoolean;
        Result asInteger;
        Result asFloat;
        Result asString;
    };
    const Case cases[] = {
        {"empty", SettingValue(), false, 0, 0.0, QString()},
        {"text True", SettingValue::string("True"), true, 0, 0.0, QString("True")},
        {"lower-case true is not true", SettingValue::string("true"), false, 0, 0.0, QString("true")},
        {"number as text", SettingValue::string(" -12.9 "), false, -12, -12.9, QString(" -12.9 ")},
        {"decimal comma", SettingValue::string("2,5"), false, 2, 2.5, QString("2,5")},
        {"unreadable text", SettingValue::string("abc"), false, 0, 0.0, QString("abc")},
        {"text beyond 32 bits", SettingValue::string("1e20"), false, 0, 1e20, QString("1e20")},
        {"variant", SettingValue::variant("7"), false, 7, 7.0, QString("7")},
        {"integer", SettingValue::fromInteger(-3), true, -3, -3.0, QString("-3")},
        {"zero", SettingValue::fromInteger(0), false, 0, 0.0, QString("0")},
        {"float", SettingValue::fromFloat(-2.75), true, -2, -2.75, QString("-2.75")},
        {"float in general format", SettingValue::fromFloat(1.0 / 3), true, 0, 1.0 / 3, QString("0.333333333333333")},
        {"Boolean", SettingValue::fromBoolean(true), true, 1, 1.0, QString("True")},
        {"date-time", SettingValue::dateTime(2.5),
         std::string("TPSetting.AsBoolean cannot convert from TDateTime type"),
         std::string("TPSetting.AsInteger cannot convert from TDateTime type"), 2.5,
         QLocale().toString(QDateTime(QDate(1900, 1, 1), QTime(12, 0)), QLocale::ShortFormat)},
        {"list", SettingValue::stringList({"a", "b c"}),
         std::string("TPSetting.AsBoolean cannot convert from TStrings type"),
         std::string("TPSetting.AsInteger cannot convert from TStrings type"),
         std::string("TPSetting.AsFloat cannot convert from TStrings type"), QString("a,\"b c\"")},
        {"defined property", kindOnly(ValueKind::DefinedProperty), kGetError, kGetError, kGetError, kGetError},
        {"collection", kindOnly(ValueKind::Collection), kGetError, kGetError, kGetError, kGetError},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TPSetting setting;
        setting.assign(c.value);
        EXPECT_EQ(shown(outcome([&] { return setting.AsBoolean(); })), shown(c.asBoolean));
        EXPECT_EQ(shown(outcome([&] { return setting.AsInteger(); })), shown(c.asInteger));
        EXPECT_EQ(shown(outcome([&] { return setting.AsFloat(); })), shown(c.asFloat));
        EXPECT_EQ(shown(outcome([&] { return setting.AsString(); })), shown(c.asString));
    }
}

TEST(SettingAccessors, SettersRefuseCollectionsAndVariantArrays)
{
    for (const ValueKind kind : {ValueKind::DefinedProperty, ValueKind::Collection}) {
        TPSetting setting;
        setting.assign(kindOnly(kind));
        try {
            setting.setAsInteger(1);
            ADD_FAILURE() << "no exception";
        } catch (const EPSettingException &e) {
            EXPECT_STREQ(e.what(), "Cannot use SetAs functions with collections or hidden properties");
        }
    }
    TPSetting setting;
    try {
        setting.setAsVariant(QVariantList{1, 2});
        ADD_FAILURE() << "no exception";
    } catch (const EPSettingException &e) {
        EXPECT_STREQ(e.what(), "TPSetting.AsVariant cannot accept variant arrays");
    }
    setting.setAsVariant(42);
    EXPECT_EQ(setting.value().kind, ValueKind::Variant);
    EXPECT_EQ(setting.AsString(), "42");
    setting.setAsDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(setting.value().kind, ValueKind::DateTime);
    EXPECT_EQ(setting.AsFloat(), -1.25);
    setting.setAsStrings({"x", "y"});
    EXPECT_EQ(setting.AsString(), "x,y");
}

TEST(SettingAccessors, BoundSettingsReadAndWriteTheirPropertyAtOnce)
{
    QWidget window;
    window.setObjectName("Okno");
    auto *box = new QCheckBox(&window);
    box->setObjectName("cbVolba");
    auto *spin = new QSpinBox(&window);
    spin->setObjectName("seHodnota");
    spin->setValue(5);

    TPSetting checked(&window);
    checked.setBoundProperty("cbVolba.Checked");
    EXPECT_EQ(checked.UniqueName(), "cbVolba_Checked");
    EXPECT_FALSE(checked.AsBoolean());
    box->setChecked(true);
    EXPECT_TRUE(checked.AsBoolean());
    checked.setAsString("False");
    EXPECT_FALSE(box->isChecked());
    checked.setAsBoolean(true);
    EXPECT_TRUE(box->isChecked());

    // Names match without regard to case; a spin edit's value is a float.
    TPSetting value(&window);
    value.setBoundProperty("SEHODNOTA.value");
    EXPECT_EQ(value.AsFloat(), 5.0);
    EXPECT_EQ(value.value().kind, ValueKind::Float);
    value.setAsInteger(9);
    EXPECT_EQ(spin->value(), 9);

    TPSetting missing(&window);
    missing.setBoundProperty("nikdo.Checked");
    EXPECT_EQ(missing.AsString(), QString());
    EXPECT_EQ(missing.value().kind, ValueKind::Empty);
}

TEST(SettingAccessors, ColoursOfPanelsAndColourDialogsAreColourReferences)
{
    QWidget window;
    window.setObjectName("nastaveni");
    auto *panel = new QFrame(&window);
    panel->setObjectName("pStatusBar");
    auto *white = new QFrame(&window);
    white->setObjectName("pPozadi");
    QPalette palette = white->palette();
    palette.setColor(QPalette::Window, Qt::white);
    white->setPalette(palette);
    auto *dialog = new QColorDialog(&window);
    dialog->setObjectName("cdPozadi");
    dialog->setCurrentColor(Qt::black);

    const auto bound = [&](const char *path) {
        auto *setting = new TPSetting(&window, &window);
        setting->setBoundProperty(path);
        return setting;
    };
    TPSetting *panelColor = bound("pStatusBar.Color");
    TPSetting *whiteColor = bound("pPozadi.Color");
    TPSetting *dialogColor = bound("cdPozadi.Color");
    EXPECT_EQ(quint32(panelColor->AsInteger()), 0x8000000fu) << "button face";
    EXPECT_EQ(whiteColor->AsInteger(), 0xffffff);
    EXPECT_EQ(dialogColor->AsInteger(), 0);

    dialogColor->setAsInteger(0x0000ff);
    EXPECT_EQ(dialog->currentColor(), QColor(Qt::red));
    panelColor->setAsInteger(0x00ff00);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::green));
    EXPECT_TRUE(panel->autoFillBackground());
    // A system colour keeps its reference, also when it looks like another.
    whiteColor->setAsInteger(qint32(0x80000005u));
    EXPECT_EQ(white->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(quint32(whiteColor->AsInteger()), 0x80000005u);
}
