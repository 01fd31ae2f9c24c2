#include "settings/WindowSettings.h"

#include "settings/TPAppSettings.h"

#include <QWidget>

namespace kora {

namespace {

using Opt = TPFormSettings;

constexpr const char *kMainWindowBindings[] = {
    "tbFormat.Visible",
    "tbStandardni.Visible",
    "ToolBarStandart.Checked",
    "mToolBarFormat.Checked",
    "mPravitko.Checked",
    "mStatusBar.Checked",
    "StatusBar1.Visible",
    "Ruler.Visible",
    "StatusBar1.Color",
    "Ruler.Color",
    "mKonec.ShortCut",
    "RichEdit1.Color",
    "tipdne.ShowHintsOnStartUp",
    "tipdne.TextShowOnStartup",
    "mikona.ShortCut",
    // Components the window no longer has: they resolve to nothing and store nothing.
    "JvTipOfDay1.ButtonNext.Caption",
    "JvTipOfDay1.ButtonNext.Flat",
    "JvTipOfDay1.ButtonClose.Caption",
    "JvTipOfDay1.ButtonClose.Flat",
    "JvTipOfDay1.CheckBoxText",
    "JvTipOfDay1.Color",
    "JvTipOfDay1.DefaultFonts",
    "JvTipOfDay1.HeaderFont.Color",
    "JvTipOfDay1.HeaderText",
    "JvTipOfDay1.Options",
    "JvTipOfDay1.Style",
    "JvTipOfDay1.TipFont.Color",
    "JvTipOfDay1.Title",
    "CHTrayIcon1.Active",
    "CHTrayIcon1.Animated",
    "CHTrayIcon1.Hint",
    "CHTrayIcon1.HideOnMinimize",
    "CHTrayIcon1.PopupMenu",
    "CHTrayIcon1.RestoreOnClick",
    "CHTrayIcon1.ShowDesign",
    "CHTrayIcon1.Visible",
};

constexpr const char *kOptionsBindings[] = {
    "pStatusBar.Color", "pPozadi.Color",      "pPravitko.Color",   "pStandartni.Color",  "cdPozadi.Color",
    "cdPravitko.Color", "cdStandartni.Color", "cdStatusbar.Color", "tUkladani.Interval", "seUlozit.Value",
    "seundo.Value",     "cbclose.Checked",    "cbTip.Checked",     "htikona.HotKey",
};

constexpr const char *kWelcomeBindings[] = {
    "cbZavrit.Checked",
};

const WindowSettingsTable kTables[] = {
    {"Form1", Opt::pfsLeft | Opt::pfsTop | Opt::pfsWidth | Opt::pfsHeight | Opt::pfsState, true, kMainWindowBindings},
    {"nastaveni", Opt::pfsLeft | Opt::pfsTop | Opt::pfsWidth | Opt::pfsHeight, false, kOptionsBindings},
    {"fUvitani", Opt::pfsLeft | Opt::pfsTop, false, kWelcomeBindings},
};

void name(TPSettings &settings)
{
    settings.setCompanyName(QStringLiteral("Lumasoft"));
    settings.setSoftwareName(QStringLiteral("KORA Editor"));
    settings.setSoftwareVersion(QString());
    settings.setRegistryRootKey(TPSettings::prkCurrentUser);
    settings.setSaveAll(true);
}

} // namespace

std::span<const WindowSettingsTable> windowSettingsTables()
{
    return kTables;
}

TPFormSettings *attachWindowSettings(QWidget &window, Prompter &prompter)
{
    const auto table = std::find_if(std::begin(kTables), std::end(kTables), [&](const WindowSettingsTable &t) {
        return window.objectName() == QLatin1String(t.windowName);
    });
    if (table == std::end(kTables))
        qFatal("Window %s has no settings table", qPrintable(window.objectName()));

    auto *appSettings = new TPAppSettings(&window);
    name(*appSettings);
    appSettings->setSaveLocation(TPAppSettings::palRegistry);
    appSettings->setPrompter(&prompter);

    auto *settings = new TPFormSettings(&window);
    settings->setAppSettingsCtrl(appSettings);
    name(*settings);
    settings->setSaveLocation(TPFormSettings::pslRegistry);
    settings->setFormSaveOpt(table->formSaveOpt);
    settings->setMRULength(0);
    settings->setAutoRestartApp(table->autoRestartApp);
    settings->setPrompter(&prompter);
    for (const char *binding : table->bindings)
        settings->addSetting(QString(), QString::fromLatin1(binding));

    appSettings->Loaded();
    settings->Loaded();
    return settings;
}

} // namespace kora
