#include "app/MainWindowUi.h"

#include "app/DroppedContentBar.h"
#include "app/MenuTable.h"
#include "app/ToolbarTable.h"
#include "editing/controls/TColorBtn.h"
#include "editing/controls/TanlRuler.h"
#include "richedit/RichEdit.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QToolBar>
#include <QVBoxLayout>

namespace kora {

namespace {

// A small picture for toolbar buttons the icon theme has nothing for.
QIcon letterIcon(const QString &text, bool raised)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 10, 16), Qt::AlignCenter, text);
    font.setPixelSize(7);
    p.setFont(font);
    p.drawText(QRect(9, raised ? 0 : 8, 7, 8), Qt::AlignCenter, QStringLiteral("2"));
    return QIcon(pixmap);
}

QIcon themeIcon(const QString &name)
{
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    return icon;
}

// The menu item a button or pop-up item repeats; the tables name only items that exist.
QAction *menuItem(QMainWindow *window, const char *name)
{
    auto *item = window->findChild<QAction *>(QString::fromLatin1(name));
    if (!item)
        qFatal("Main window: no menu item %s to repeat", name);
    return item;
}

#define KORA_ACTION(name) {#name, &MainActions::name}

// Each member of MainActions with the component name it is found by.
const std::pair<const char *, QAction *MainActions::*> kActionMembers[] = {
    KORA_ACTION(mNovy), KORA_ACTION(mOtevrit), KORA_ACTION(mOtevritInternet), KORA_ACTION(JenProCteni),
    KORA_ACTION(mUlozit), KORA_ACTION(mUlozitJako), KORA_ACTION(jakoHTML1), KORA_ACTION(JakoPDF1),
    KORA_ACTION(mOznacenyText), KORA_ACTION(DisketaA), KORA_ACTION(mObsahTextu), KORA_ACTION(PrilohaEmal),
    KORA_ACTION(mTisk), KORA_ACTION(TiskJenozanentext1), KORA_ACTION(mTiskarna), KORA_ACTION(mikona),
    KORA_ACTION(mKonec), KORA_ACTION(mKopirovat), KORA_ACTION(mVlozit), KORA_ACTION(mVlozitSpecial),
    KORA_ACTION(mVyjmout), KORA_ACTION(mZpet), KORA_ACTION(mVpred), KORA_ACTION(mLamani),
    KORA_ACTION(mVybratVse), KORA_ACTION(mRadek), KORA_ACTION(mKalkulacka), KORA_ACTION(mVlevo),
    KORA_ACTION(mNaStred), KORA_ACTION(mVpravo), KORA_ACTION(mNajit), KORA_ACTION(mNahradit),
    KORA_ACTION(Najtspecil1), KORA_ACTION(ToolBarStandart), KORA_ACTION(mToolBarFormat), KORA_ACTION(mPravitko),
    KORA_ACTION(mStatusBar), KORA_ACTION(mCteni), KORA_ACTION(mObrazek), KORA_ACTION(mObjekt),
    KORA_ACTION(mZnaky), KORA_ACTION(N14), KORA_ACTION(N15), KORA_ACTION(N16),
    KORA_ACTION(N27), KORA_ACTION(N18), KORA_ACTION(N19), KORA_ACTION(N20),
    KORA_ACTION(N21), KORA_ACTION(N22), KORA_ACTION(N23), KORA_ACTION(N26),
    KORA_ACTION(N29), KORA_ACTION(N30), KORA_ACTION(N25), KORA_ACTION(mSymboly),
    KORA_ACTION(mCas), KORA_ACTION(mDatum), KORA_ACTION(mDatumCas), KORA_ACTION(mDatumcasDialog),
    KORA_ACTION(mHyperLink), KORA_ACTION(mSoubor2), KORA_ACTION(Cel1), KORA_ACTION(Text1),
    KORA_ACTION(mCestaKSouboru), KORA_ACTION(mMaxiamlizovane), KORA_ACTION(Mormln1), KORA_ACTION(Maximalizovan1),
    KORA_ACTION(mZacatekTextu), KORA_ACTION(mKonecTextu), KORA_ACTION(mVelkaPismena), KORA_ACTION(mMalaPismena),
    KORA_ACTION(mZmencitOdsazeni), KORA_ACTION(mZvetcitOdsazeni), KORA_ACTION(mpismo), KORA_ACTION(Barva1),
    KORA_ACTION(mTucne), KORA_ACTION(mPodtrzene), KORA_ACTION(mKurziva), KORA_ACTION(mPreskrtnute),
    KORA_ACTION(Nov1), KORA_ACTION(mMoznosti), KORA_ACTION(mPravopis), KORA_ACTION(mPocetZnaku),
    KORA_ACTION(mObsahSchranky), KORA_ACTION(WWWKORAEditoru1), KORA_ACTION(Kontaktovatpodporu1), KORA_ACTION(OAplikaci1),
    KORA_ACTION(mNovinky), KORA_ACTION(Nejnovjverze1), KORA_ACTION(tbNovy), KORA_ACTION(tbOtevrit),
    KORA_ACTION(tbOtevritInternet), KORA_ACTION(tbUlozit), KORA_ACTION(tbUlozitJako), KORA_ACTION(tbTisk),
    KORA_ACTION(tbPravopis), KORA_ACTION(tbVlozit), KORA_ACTION(tbKopirovat), KORA_ACTION(tbVyjmout),
    KORA_ACTION(tbZpet), KORA_ACTION(tbVpred), KORA_ACTION(tbDatumCas), KORA_ACTION(tbcas),
    KORA_ACTION(tbDatum), KORA_ACTION(tbNajit), KORA_ACTION(tbNahradit), KORA_ACTION(tbZmensitOdsazeni),
    KORA_ACTION(tbZvetsitOdsazeni), KORA_ACTION(tbTucne), KORA_ACTION(tbKurziva), KORA_ACTION(tbPodtrzene),
    KORA_ACTION(tbPreskrtnute), KORA_ACTION(tbVlevo), KORA_ACTION(tbCenter), KORA_ACTION(tbVpravo),
    KORA_ACTION(tbTecky), KORA_ACTION(tbDolniIndex), KORA_ACTION(tbHorniIndex), KORA_ACTION(pmNovy),
    KORA_ACTION(Otevt1), KORA_ACTION(Uloit1), KORA_ACTION(zpet), KORA_ACTION(vpred),
    KORA_ACTION(pmVlozit), KORA_ACTION(pmKopirovat), KORA_ACTION(pmVyjmout), KORA_ACTION(ZobrazitSkrt1),
    KORA_ACTION(ZobrazitSkrt2), KORA_ACTION(ZobraziSkrt1), KORA_ACTION(Skrt1), KORA_ACTION(pmpokracovat),
    KORA_ACTION(Konec1), KORA_ACTION(pmOpenNet), KORA_ACTION(pmTisk), KORA_ACTION(pmPravopis),
};

#undef KORA_ACTION

} // namespace

void MainWindowUi::setupUi(QMainWindow *window)
{
    window->setObjectName(QStringLiteral("Form1"));
    window->resize(722, 505);
    buildCentralArea(window);
    buildMenus(window);
    buildToolbars(window);
    buildStatusBar(window);
    buildPopups(window);
    buildTray(window);
    resolveActions(window);
    resolveSharedShortcuts();
}

void MainWindowUi::buildCentralArea(QMainWindow *window)
{
    auto *central = new QWidget(window);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Ruler = new TanlRuler(central);
    Ruler->setObjectName(QStringLiteral("Ruler"));
    Ruler->setFixedHeight(25);
    Ruler->setFont(QFont(QStringLiteral("Small Fonts"), 7));
    Ruler->setMouseTracking(true);
    layout->addWidget(Ruler);

    droppedBar = new DroppedContentBar(central);
    layout->addWidget(droppedBar);

    RichEdit1 = new RichEdit(central);
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    layout->addWidget(RichEdit1, 1);
    window->setCentralWidget(central);
}

void MainWindowUi::buildMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *top = nullptr;
    QMenu *sub = nullptr;
    for (const MenuRow &row : mainMenuRows()) {
        const QString name = QString::fromUtf8(row.name);
        const QString caption = QString::fromUtf8(row.caption);
        if (row.depth == 0) {
            if (row.flags & MenuRow::RightEnd) {
                // A second menu bar in the corner keeps this menu at the right end.
                auto *corner = new QMenuBar(bar);
                corner->setObjectName(QStringLiteral("MainMenu1Right"));
                top = corner->addMenu(caption);
                bar->setCornerWidget(corner, Qt::TopRightCorner);
            } else {
                top = bar->addMenu(caption);
            }
            top->setObjectName(name);
            top->menuAction()->setObjectName(name);
            top->menuAction()->setStatusTip(QString::fromUtf8(row.statusText));
            if (name == QLatin1String("mSoubor"))
                m_fileMenu = top;
            sub = nullptr;
            continue;
        }
        QMenu *parentMenu = row.depth == 1 ? top : sub;
        if (name.isEmpty()) {
            QAction *separator = parentMenu->addSeparator();
            if (row.flags & MenuRow::RecentFiles)
                m_recentAnchor = separator;
            continue;
        }
        QAction *action = nullptr;
        if (row.flags & MenuRow::Submenu) {
            sub = parentMenu->addMenu(caption);
            sub->setObjectName(name);
            action = sub->menuAction();
        } else {
            action = parentMenu->addAction(caption);
        }
        action->setObjectName(name);
        action->setShortcut(QKeySequence(QString::fromUtf8(row.shortcut)));
        action->setStatusTip(QString::fromUtf8(row.statusText));
        action->setCheckable(row.flags & MenuRow::Checkable);
        action->setChecked(row.flags & MenuRow::Checked);
        action->setEnabled(!(row.flags & MenuRow::Disabled));
        action->setVisible(!(row.flags & MenuRow::Hidden));
        m_menuItems << action;
    }
}

void MainWindowUi::resolveSharedShortcuts()
{
    // The first item in menu order owns a shortcut; a later one shows it but does not take it.
    QHash<QKeySequence, QAction *> owners;
    for (QAction *item : std::as_const(m_menuItems)) {
        if (item->shortcut().isEmpty())
            continue;
        if (!owners.contains(item->shortcut())) {
            owners.insert(item->shortcut(), item);
            continue;
        }
        const QString keys = item->shortcut().toString(QKeySequence::NativeText);
        item->setShortcut(QKeySequence());
        item->setText(item->text() + QLatin1Char('\t') + keys);
    }
}

QAction *MainWindowUi::shortcutOwner(const QKeySequence &keys, bool *disabled) const
{
    *disabled = false;
    for (QAction *item : m_menuItems) {
        if (item->shortcut().isEmpty() || item->shortcut() != keys)
            continue;
        if (item->isEnabled())
            return item;
        *disabled = true;
    }
    return nullptr;
}

void MainWindowUi::buildToolbars(QMainWindow *window)
{
    const auto addButtons = [window](QToolBar *bar, std::span<const ToolButtonRow> rows) {
        for (const ToolButtonRow &row : rows) {
            if (!row.name) {
                bar->addSeparator();
                continue;
            }
            const QString name = QString::fromUtf8(row.name);
            QAction *button = bar->addAction(themeIcon(QString::fromUtf8(row.icon)), QString::fromUtf8(row.tooltip));
            button->setObjectName(name);
            button->setToolTip(QString::fromUtf8(row.tooltip));
            button->setStatusTip(QString::fromUtf8(row.statusText));
            button->setCheckable(row.checkable);
            if (button->icon().isNull())
                button->setIcon(letterIcon(QStringLiteral("x"), name == QLatin1String("tbHorniIndex")));
            if (QWidget *widget = bar->widgetForAction(button))
                widget->setObjectName(name);
            if (row.runs)
                QObject::connect(button, &QAction::triggered, menuItem(window, row.runs), &QAction::trigger);
        }
    };

    tbStandardni = window->addToolBar(QStringLiteral("ToolBar (Standardní)"));
    tbStandardni->setObjectName(QStringLiteral("tbStandardni"));
    tbStandardni->setMovable(false);
    tbStandardni->setIconSize(QSize(16, 16));
    addButtons(tbStandardni, standardToolbarRows());

    window->addToolBarBreak();
    tbFormat = window->addToolBar(QStringLiteral("ToolBar (Formátování)"));
    tbFormat->setObjectName(QStringLiteral("tbFormat"));
    tbFormat->setMovable(false);
    tbFormat->setIconSize(QSize(16, 16));

    // Installed fonts in alphabetical order, each drawn in its own font, scalable ones marked.
    cbpismo = new QFontComboBox(tbFormat);
    cbpismo->setObjectName(QStringLiteral("cbpismo"));
    cbpismo->setFixedWidth(209);
    cbpismo->setEditable(false);
    tbFormat->addWidget(cbpismo);

    cbVelikost = new QComboBox(tbFormat);
    cbVelikost->setObjectName(QStringLiteral("cbVelikost"));
    cbVelikost->setFixedWidth(52);
    cbVelikost->setEditable(true);
    // Completion would turn a typed "1" into "10"; every keystroke is taken as typed.
    cbVelikost->setCompleter(nullptr);
    cbVelikost->setInsertPolicy(QComboBox::NoInsert);
    for (const char *size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "32", "48",
                             "64", "96"}) {
        cbVelikost->addItem(QString::fromLatin1(size));
    }
    tbFormat->addWidget(cbVelikost);

    for (TColorBtn **slot : {&ColorBtn1, &cbBarva}) {
        const bool text = slot == &cbBarva;
        auto *colour = new TColorBtn(tbFormat);
        colour->setObjectName(text ? QStringLiteral("cbBarva") : QStringLiteral("ColorBtn1"));
        colour->setFixedSize(35, 23);
        colour->setDDArrowWidth(12);
        colour->setFlat(true);
        colour->setDropDownFlat(true);
        colour->setIsAutomatic(true);
        colour->setAutomaticColor(Qt::black);
        colour->setAutoBtnCaption(QStringLiteral("Autormatická"));
        colour->setOtherBtnCaption(QStringLiteral("Další barvy"));
        colour->setRegKey(QStringLiteral("Tintora"));
        colour->setGlyphType(text ? gtForeground : gtBackground);
        colour->setActiveColor(text ? QColor(Qt::black) : QColor(Qt::white));
        colour->setTargetColor(Qt::black);
        colour->setToolTip(text ? QStringLiteral("Barva písma") : QStringLiteral("Barva zvýraznění"));
        tbFormat->addWidget(colour);
        *slot = colour;
    }
    addButtons(tbFormat, formattingToolbarRows());
}

void MainWindowUi::buildStatusBar(QMainWindow *window)
{
    StatusBar1 = window->statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19 + 4);
    StatusBar1->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i < 4) {
            // Wider when a count needs it: a large document has eight-digit counts.
            panel->setMinimumWidth(120);
            StatusBar1->addPermanentWidget(panel);
        } else {
            // The last panel takes the rest of the bar, at least its design width.
            panel->setMinimumWidth(50);
            panel->setAlignment(Qt::AlignCenter);
            StatusBar1->addPermanentWidget(panel, 1);
        }
        panels[i] = panel;
    }
}

void MainWindowUi::buildPopups(QMainWindow *window)
{
    // Each bar has a pop-up menu with one item, "Skrýt".
    const std::pair<QWidget *, std::pair<const char *, const char *>> hiders[] = {
        {StatusBar1, {"pmStatusBar", "ZobrazitSkrt1"}},
        {Ruler, {"pmPravitko", "ZobrazitSkrt2"}},
        {tbStandardni, {"pmStandart", "ZobraziSkrt1"}},
        {tbFormat, {"pmFormat", "Skrt1"}},
    };
    for (const auto &[owner, names] : hiders) {
        auto *menu = new QMenu(window);
        menu->setObjectName(QString::fromLatin1(names.first));
        QAction *hide = menu->addAction(QStringLiteral("Skrýt"));
        hide->setObjectName(QString::fromLatin1(names.second));
        if (owner == tbStandardni) {
            // Items that show or hide single buttons of the standard toolbar.
            menu->addSeparator();
            for (const auto &[name, caption] : {std::pair{"pmOpenNet", "Otevřít z internetu"}, {"pmTisk", "Tisk"},
                                                {"pmPravopis", "Kontrola pravopisu"}}) {
                QAction *item = menu->addAction(QString::fromUtf8(caption));
                item->setObjectName(QString::fromLatin1(name));
                item->setCheckable(true);
                item->setChecked(true);
            }
        }
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(owner, &QWidget::customContextMenuRequested, menu,
                         [menu, owner = owner](const QPoint &at) { menu->popup(owner->mapToGlobal(at)); });
    }

    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    for (const PopupRow &row : editorPopupRows()) {
        if (!row.name) {
            PopupMenu1->addSeparator();
            continue;
        }
        QAction *item = PopupMenu1->addAction(QString::fromUtf8(row.caption), menuItem(window, row.runs),
                                              &QAction::trigger);
        item->setObjectName(QString::fromLatin1(row.name));
    }
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(RichEdit1, &QWidget::customContextMenuRequested, PopupMenu1,
                     [menu = PopupMenu1](const QPoint &) { menu->popup(QCursor::pos()); });
}

void MainWindowUi::buildTray(QMainWindow *window)
{
    ikona = new QSystemTrayIcon(window->windowIcon(), window);
    ikona->setObjectName(QStringLiteral("ikona"));
    ikona->setToolTip(QStringLiteral("KORA Editor"));
    auto *menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("pmIkona"));
    menu->addAction(QStringLiteral("Pokračovat s Editrem"))->setObjectName(QStringLiteral("pmpokracovat"));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Konec"))->setObjectName(QStringLiteral("Konec1"));
    ikona->setContextMenu(menu);
}

void MainWindowUi::resolveActions(QMainWindow *window)
{
    QStringList missing;
    for (const auto &[name, member] : kActionMembers) {
        actions.*member = window->findChild<QAction *>(QString::fromLatin1(name));
        if (!(actions.*member))
            missing << QString::fromLatin1(name);
    }
    if (!missing.isEmpty())
        qFatal("Main window: no command named %s", qPrintable(missing.join(QStringLiteral(", "))));
    // Undo and redo start disabled, as their menu items do.
    for (QAction *action : {actions.tbZpet, actions.tbVpred, actions.zpet, actions.vpred})
        action->setEnabled(false);
}

QList<QAction *> MainWindowUi::setRecentFiles(const QStringList &paths)
{
    for (QAction *old : std::as_const(m_recentItems)) {
        // The item may be the one being triggered: it goes later, and nobody finds it by name.
        m_fileMenu->removeAction(old);
        old->setObjectName(QString());
        old->deleteLater();
    }
    m_recentItems.clear();
    // The recent items stand between the separator after the printer set-up and the one before
    // "Minimalizace do ikony".
    const QList<QAction *> items = m_fileMenu->actions();
    const int anchor = int(items.indexOf(m_recentAnchor));
    QAction *before = anchor >= 0 && anchor + 1 < items.size() ? items.at(anchor + 1) : nullptr;
    for (int i = 0; i < paths.size(); ++i) {
        auto *item = new QAction(QStringLiteral("&%1. %2").arg(i).arg(paths.at(i)), m_fileMenu);
        item->setObjectName(QStringLiteral("mRecent%1").arg(i));
        item->setStatusTip(paths.at(i));
        item->setData(paths.at(i));
        m_fileMenu->insertAction(before, item);
        m_recentItems << item;
    }
    return m_recentItems;
}

} // namespace kora
