#include "app/TForm1.h"

#include "app/DroppedContentBar.h"
#include "app/DroppedContentText.h"
#include "app/MenuTable.h"
#include "app/Tfnovinky.h"
#include "app/TipsOfTheDay.h"
#include "editing/FormattingCommands.h"
#include "editing/controls/ColorPicker.h"
#include "editing/controls/RulerIndents.h"
#include "editing/controls/TanlRuler.h"
#include "app/Prompter.h"
#include "platform/AppDirs.h"
#include "richedit/RichEdit.h"
#include "text/HistoryListFile.h"
#include "text/TextStatistics.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontComboBox>
#include <QUrl>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kora {

bool DesktopShell::startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

void DesktopShell::openUrl(const QString &address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

namespace {

constexpr int kRefreshMilliseconds = 500;

QString captionFor(const QString &path, bool spaced)
{
    return QStringLiteral("KORA Editor - ( ") + path + (spaced ? QStringLiteral(" )") : QStringLiteral(")"));
}

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

template<typename F>
void onTextControl(QWidget *control, F f)
{
    if (auto *line = qobject_cast<QLineEdit *>(control))
        f(line);
    else if (auto *text = qobject_cast<QTextEdit *>(control))
        f(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(control))
        f(plain);
}

QIcon themeIcon(const QString &name)
{
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull())
        icon = QIcon::fromTheme(name + QStringLiteral("-symbolic"));
    return icon;
}

} // namespace

TForm1::TForm1(Prompter &prompter, Shell &shell, QWidget *parent)
    : QMainWindow(parent)
    , m_prompter(prompter)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kUntitledCaption);
    resize(722, 505);
    // Without a desktop theme the toolbars take their pictures from the installed icon theme.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    if (QIcon::fromTheme(QStringLiteral("document-new")).isNull())
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    buildCentralArea();
    buildMenus();
    buildToolbars();
    buildStatusBar();
    buildPopups();
    wireCommands();
    resolveSharedShortcuts();

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("ikona"));
    m_tray->setToolTip(QStringLiteral("KORA Editor"));
    auto *trayMenu = new QMenu(this);
    trayMenu->setObjectName(QStringLiteral("pmIkona"));
    QAction *resume = trayMenu->addAction(QStringLiteral("Pokračovat s Editrem"), this, &TForm1::pmpokracovatClick);
    resume->setObjectName(QStringLiteral("pmpokracovat"));
    trayMenu->addSeparator();
    QAction *quit = trayMenu->addAction(QStringLiteral("Konec"), this, &TForm1::mKonecClick);
    quit->setObjectName(QStringLiteral("Konec1"));
    m_actions.insert(resume->objectName(), resume);
    m_actions.insert(quit->objectName(), quit);
    m_tray->setContextMenu(trayMenu);

    connect(m_editor, &QTextEdit::copyAvailable, this, &TForm1::updateEditCommands);
    connect(m_editor, &QTextEdit::textChanged, this, &TForm1::updateEditCommands);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TForm1::updateEditCommands);
    connect(qApp, &QApplication::focusChanged, this, &TForm1::updateEditCommands);
    updateEditCommands();

    m_tips = new TipsOfTheDay(m_prompter, this);
    m_tips->setObjectName(QStringLiteral("tipdne"));

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setObjectName(QStringLiteral("Timer1"));
    m_refreshTimer->setInterval(kRefreshMilliseconds);
    connect(m_refreshTimer, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

TForm1::~TForm1()
{
    // The editor, focus and clipboard report changes while the window is torn down; it no longer listens.
    disconnect(m_editor, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(QApplication::clipboard(), nullptr, this, nullptr);
}

void TForm1::buildCentralArea()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_ruler = new TanlRuler(central);
    m_ruler->setObjectName(QStringLiteral("Ruler"));
    m_ruler->setFixedHeight(25);
    m_ruler->setFont(QFont(QStringLiteral("Small Fonts"), 7));
    m_ruler->setMouseTracking(true);
    m_ruler->installEventFilter(this);
    connect(m_ruler, &TanlRuler::OnIndentChange, this, &TForm1::RulerIndentChange);
    layout->addWidget(m_ruler);

    m_droppedBar = new DroppedContentBar(central);
    layout->addWidget(m_droppedBar);

    m_editor = new RichEdit(central);
    m_editor->setObjectName(QStringLiteral("RichEdit1"));
    m_editor->installEventFilter(this);
    layout->addWidget(m_editor, 1);
    setCentralWidget(central);

    connect(m_editor, &RichEdit::changed, this, &TForm1::RichEdit1Change);
    connect(m_droppedBar, &DroppedContentBar::saveAsRequested, this, &TForm1::mUlozitJakoClick);
    connect(m_droppedBar, &DroppedContentBar::readOnlyRequested, this, [this] {
        if (!action(QStringLiteral("mCteni"))->isChecked())
            mCteniClick();
    });
}

void TForm1::buildMenus()
{
    QMenuBar *bar = menuBar();
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
            m_actions.insert(name, top->menuAction());
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
        m_actions.insert(name, action);
    }
}

void TForm1::resolveSharedShortcuts()
{
    // The first item in menu order owns a shortcut; a later one shows it but does not take it.
    QHash<QKeySequence, QAction *> owners;
    for (const MenuRow &row : mainMenuRows()) {
        QAction *a = m_actions.value(QString::fromUtf8(row.name));
        if (!a || a->shortcut().isEmpty())
            continue;
        if (!owners.contains(a->shortcut())) {
            owners.insert(a->shortcut(), a);
            continue;
        }
        const QString keys = a->shortcut().toString(QKeySequence::NativeText);
        a->setShortcut(QKeySequence());
        a->setText(a->text() + QLatin1Char('\t') + keys);
    }
}

QAction *TForm1::addToolAction(QToolBar *bar, const QString &name, const QString &icon, const QString &tooltip,
                               const QString &statusText, bool checkable)
{
    QAction *a = bar->addAction(themeIcon(icon), tooltip);
    a->setObjectName(name);
    a->setToolTip(tooltip);
    a->setStatusTip(statusText);
    a->setCheckable(checkable);
    if (QWidget *w = bar->widgetForAction(a)) {
        w->setObjectName(name);
        m_widgets.insert(name, w);
    }
    m_actions.insert(name, a);
    return a;
}

QToolButton *TForm1::toolButton(const QString &name) const
{
    return qobject_cast<QToolButton *>(m_widgets.value(name));
}

void TForm1::buildToolbars()
{
    m_standardBar = addToolBar(QStringLiteral("ToolBar (Standardní)"));
    m_standardBar->setObjectName(QStringLiteral("tbStandardni"));
    m_standardBar->setMovable(false);
    m_standardBar->setIconSize(QSize(16, 16));
    m_standardBar->setContextMenuPolicy(Qt::CustomContextMenu);
    struct Button
    {
        const char *name;
        const char *icon;
        const char *tooltip;
        const char *status;
    };
    const Button standard[] = {
        {"tbNovy", "document-new", "Nový", "Nový dokument"},
        {"tbOtevrit", "document-open", "Otevřít dokument", "Otevřít dokument"},
        {"tbOtevritInternet", "folder-remote", "Otevřít dokument z internetu", "Otevřít z internetu"},
        {"tbUlozit", "document-save", "Uložit dokument", "Uložit dokument"},
        {"tbUlozitJako", "document-save-as", "Uložit dokument pod novým jménem", "Uložit dokument pod novým jménem"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbTisk", "document-print", "Tisk", "Tisk"},
        {"tbPravopis", "tools-check-spelling", "Kontrola pravopisu", "Kontrola pravopisu"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbVlozit", "edit-paste", "Vložit", "Vložit"},
        {"tbKopirovat", "edit-copy", "Kopírovat", "Kopírovat"},
        {"tbVyjmout", "edit-cut", "Vyjmout", "Vyjmout"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbZpet", "edit-undo", "O krok zpět", "O krok zpěd"},
        {"tbVpred", "edit-redo", "O krok vpřed", "O krok vpřed"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbDatumCas", "x-office-calendar", "Vložit datum a čas", "Vložit datum a čas"},
        {"tbcas", "appointment-new", "Vložit čas", "Vložit čas"},
        {"tbDatum", "x-office-calendar", "Vložit datum", "Vložit datum"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbNajit", "edit-find", "Najít", "Najít"},
        {"tbNahradit", "edit-find-replace", "Nahradit", "Nahradit"},
        {nullptr, nullptr, nullptr, nullptr},
        {"tbZmensitOdsazeni", "format-indent-more", "Zvětšit odsazení", "Zvětšit odsazení"},
        {"tbZvetsitOdsazeni", "format-indent-less", "Zmenšit odsazení", "Zmenšit odsazení"},
    };
    for (const Button &b : standard) {
        if (!b.name) {
            m_standardBar->addSeparator();
            continue;
        }
        addToolAction(m_standardBar, QString::fromUtf8(b.name), QString::fromUtf8(b.icon),
                      QString::fromUtf8(b.tooltip), QString::fromUtf8(b.status));
    }
    action(QStringLiteral("tbZpet"))->setEnabled(false);
    action(QStringLiteral("tbVpred"))->setEnabled(false);

    addToolBarBreak();
    m_formatBar = addToolBar(QStringLiteral("ToolBar (Formátování)"));
    m_formatBar->setObjectName(QStringLiteral("tbFormat"));
    m_formatBar->setMovable(false);
    m_formatBar->setIconSize(QSize(16, 16));
    m_formatBar->setContextMenuPolicy(Qt::CustomContextMenu);

    // Installed fonts in alphabetical order, each drawn in its own font, scalable ones marked.
    auto *fontBox = new QFontComboBox(m_formatBar);
    fontBox->setObjectName(QStringLiteral("cbpismo"));
    fontBox->setFixedWidth(209);
    fontBox->setEditable(false);
    m_formatBar->addWidget(fontBox);
    m_widgets.insert(fontBox->objectName(), fontBox);

    auto *sizeBox = new QComboBox(m_formatBar);
    sizeBox->setObjectName(QStringLiteral("cbVelikost"));
    sizeBox->setFixedWidth(52);
    sizeBox->setEditable(true);
    for (const char *size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "32", "48",
                             "64", "96"}) {
        sizeBox->addItem(QString::fromLatin1(size));
    }
    m_formatBar->addWidget(sizeBox);
    m_widgets.insert(sizeBox->objectName(), sizeBox);

    for (const char *name : {"ColorBtn1", "cbBarva"}) {
        const bool text = QLatin1String(name) == QLatin1String("cbBarva");
        auto *colour = new TColorBtn(m_formatBar);
        colour->setObjectName(QString::fromLatin1(name));
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
        colour->setColorDialog([this](const QColor &initial) { return m_prompter.chooseColor(initial); });
        m_formatBar->addWidget(colour);
        m_widgets.insert(colour->objectName(), colour);
    }

    const Button format[] = {
        {"tbTucne", "format-text-bold", "Tučně", "Písmo tučně"},
        {"tbKurziva", "format-text-italic", "Kurzíva", "Písmo kurzíva"},
        {"tbPodtrzene", "format-text-underline", "Podtržené", "Písmo podtržené"},
        {"tbPreskrtnute", "format-text-strikethrough", "", ""},
        {"tbVlevo", "format-justify-left", "Vlevo", "Zarovnat text vlevo"},
        {"tbCenter", "format-justify-center", "Na střed", "Zarovnat text na střed"},
        {"tbVpravo", "format-justify-right", "Vpravo", "Zarovnat text vpravo"},
        {"tbTecky", "view-list-bullet", "Odrážky", "Odrážky"},
        {"tbDolniIndex", "", "Dolní index", "Dolní index"},
        {"tbHorniIndex", "", "Horní index", "Horní index"},
    };
    for (const Button &b : format) {
        QAction *a = addToolAction(m_formatBar, QString::fromUtf8(b.name), QString::fromUtf8(b.icon),
                                   QString::fromUtf8(b.tooltip), QString::fromUtf8(b.status), true);
        if (a->icon().isNull())
            a->setIcon(letterIcon(QStringLiteral("x"), QString::fromUtf8(b.name) == QLatin1String("tbHorniIndex")));
    }
}

void TForm1::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setFixedHeight(19 + 4);
    bar->setSizeGripEnabled(true);
    bar->installEventFilter(this);
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int i = 0; i < 5; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->installEventFilter(this);
        if (i < 4) {
            panel->setFixedWidth(120);
            bar->addPermanentWidget(panel);
        } else {
            // The last panel takes the rest of the bar, at least its design width.
            panel->setMinimumWidth(50);
            panel->setAlignment(Qt::AlignCenter);
            bar->addPermanentWidget(panel, 1);
        }
        m_panels << panel;
    }
}

void TForm1::buildPopups()
{
    struct Popup
    {
        QWidget *owner;
        const char *menuName;
        const char *itemName;
        void (TForm1::*handler)();
    };
    const Popup popups[] = {
        {statusBar(), "pmStatusBar", "ZobrazitSkrt1", &TForm1::ZobrazitSkrt1Click},
        {m_ruler, "pmPravitko", "ZobrazitSkrt2", &TForm1::ZobrazitSkrt2Click},
        {m_standardBar, "pmStandart", "ZobraziSkrt1", &TForm1::ZobraziSkrt1Click},
        {m_formatBar, "pmFormat", "Skrt1", &TForm1::Skrt1Click},
    };
    for (const Popup &p : popups) {
        auto *menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(p.menuName));
        QAction *hide = menu->addAction(QStringLiteral("Skrýt"), this, p.handler);
        hide->setObjectName(QString::fromLatin1(p.itemName));
        m_actions.insert(hide->objectName(), hide);
        p.owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(p.owner, &QWidget::customContextMenuRequested, menu,
                [menu, owner = p.owner](const QPoint &at) { menu->popup(owner->mapToGlobal(at)); });
    }

    m_editorPopup = new QMenu(this);
    m_editorPopup->setObjectName(QStringLiteral("PopupMenu1"));
    struct Item
    {
        const char *name;
        const char *caption;
        const char *runs;
    };
    const Item items[] = {
        {"pmNovy", "Nový", "mNovy"},          {"Otevt1", "Otevřít", "mOtevrit"}, {"Uloit1", "Uložit", "mUlozit"},
        {nullptr, nullptr, nullptr},         {"zpet", "Zpět", "mZpet"},         {"vpred", "Vpřed", "mVpred"},
        {nullptr, nullptr, nullptr},         {"pmVlozit", "Vložit", "mVlozit"}, {"pmKopirovat", "Kopírovat", "mKopirovat"},
        {"pmVyjmout", "Vyjmout", "mVyjmout"},
    };
    for (const Item &item : items) {
        if (!item.name) {
            m_editorPopup->addSeparator();
            continue;
        }
        QAction *menuItem = action(QString::fromLatin1(item.runs));
        QAction *a = m_editorPopup->addAction(QString::fromUtf8(item.caption), menuItem, &QAction::trigger);
        a->setObjectName(QString::fromLatin1(item.name));
        m_actions.insert(a->objectName(), a);
    }
    action(QStringLiteral("zpet"))->setEnabled(false);
    action(QStringLiteral("vpred"))->setEnabled(false);
    connect(m_editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &) { m_editorPopup->popup(QCursor::pos()); });
}

void TForm1::wireCommands()
{
    const std::pair<const char *, void (TForm1::*)()> commands[] = {
        {"mNovy", &TForm1::NovyExecute},
        {"mOtevrit", &TForm1::mOtevritClick},
        {"JenProCteni", &TForm1::JenProCteniClick},
        {"mCteni", &TForm1::mCteniClick},
        {"mUlozit", &TForm1::mUlozitClick},
        {"mUlozitJako", &TForm1::mUlozitJakoClick},
        {"mOznacenyText", &TForm1::mOznacenyTextClick},
        {"mikona", &TForm1::mikonaClick},
        {"mKonec", &TForm1::mKonecClick},
        {"mMaxiamlizovane", &TForm1::mMaxiamlizovaneClick},
        {"Mormln1", &TForm1::Mormln1Click},
        {"Maximalizovan1", &TForm1::Maximalizovan1Click},
        {"Nov1", &TForm1::Nov1Click},
        {"mNovinky", &TForm1::mNovinkyClick},
        {"ToolBarStandart", &TForm1::ToolBarStandartClick},
        {"mToolBarFormat", &TForm1::mToolBarFormatClick},
        {"mPravitko", &TForm1::mPravitkoClick},
        {"mStatusBar", &TForm1::mStatusBarClick},
        {"mKopirovat", &TForm1::mKopirovatClick},
        {"mVlozit", &TForm1::mVlozitClick},
        {"mVyjmout", &TForm1::mVyjmoutClick},
        {"mVybratVse", &TForm1::mVybratVseClick},
        {"mZpet", &TForm1::mZpetClick},
        {"mVpred", &TForm1::VpredExecute},
    };
    for (const auto &[name, handler] : commands)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);

    const std::pair<const char *, void (TForm1::*)()> formatting[] = {
        {"mpismo", &TForm1::mpismoClick},
        {"Barva1", &TForm1::Barva1Click},
        {"mTucne", &TForm1::mTucneClick},
        {"mKurziva", &TForm1::mKurzivaClick},
        {"mPodtrzene", &TForm1::mPodtrzeneClick},
        {"mPreskrtnute", &TForm1::mPreskrtnuteClick},
        {"tbTucne", &TForm1::tbTucneClick},
        {"tbKurziva", &TForm1::tbKurzivaClick},
        {"tbPodtrzene", &TForm1::tbPodtrzeneClick},
        {"tbPreskrtnute", &TForm1::tbPreskrtnuteClick},
        {"mVlevo", &TForm1::mVlevoClick},
        {"tbVlevo", &TForm1::mVlevoClick},
        {"mNaStred", &TForm1::mNaStredClick},
        {"tbCenter", &TForm1::mNaStredClick},
        {"mVpravo", &TForm1::mVpravoClick},
        {"tbVpravo", &TForm1::mVpravoClick},
        {"tbTecky", &TForm1::tbTeckyClick},
        {"tbHorniIndex", &TForm1::tbHorniIndexClick},
        {"tbDolniIndex", &TForm1::tbDolniIndexClick},
        {"mZvetcitOdsazeni", &TForm1::mZvetcitOdsazeniClick},
        {"mZmencitOdsazeni", &TForm1::mZmencitOdsazeniClick},
        {"mVelkaPismena", &TForm1::mVelkaPismenaClick},
        {"mMalaPismena", &TForm1::mMalaPismenaClick},
        {"mLamani", &TForm1::mLamaniClick},
    };
    for (const auto &[name, handler] : formatting)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    connect(qobject_cast<QFontComboBox *>(m_widgets.value(QStringLiteral("cbpismo"))),
            &QFontComboBox::currentFontChanged, this, &TForm1::cbpismoChange);
    connect(qobject_cast<QComboBox *>(m_widgets.value(QStringLiteral("cbVelikost"))), &QComboBox::editTextChanged,
            this, &TForm1::cbVelikostChange);
    connect(m_editor, &RichEdit::urlClicked, this, &TForm1::RichEdit1URLClick);
    connect(colorButton(QStringLiteral("cbBarva")), &TColorBtn::clicked, this, &TForm1::cbBarvaClick);
    connect(colorButton(QStringLiteral("ColorBtn1")), &TColorBtn::clicked, this, &TForm1::ColorBtn1Click);

    // "Základní znaky" insert a fixed text each.
    const std::pair<const char *, const char *> characters[] = {
        {"N14", "()"}, {"N15", "{}"}, {"N16", "[]"}, {"N27", "<>"}, {"N18", "!"}, {"N19", "@"}, {"N20", "#"},
        {"N21", "$"},  {"N22", "%"},  {"N23", "^"},  {"N26", "*"},  {"N29", "/"}, {"N30", "\\"}, {"N25", "_"},
    };
    for (const auto &[name, text] : characters) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, text = QString::fromLatin1(text)] { m_editor->setSelText(text); });
    }

    // Toolbar buttons run the menu command they repeat.
    const std::pair<const char *, const char *> repeats[] = {
        {"tbNovy", "mNovy"},         {"tbOtevrit", "mOtevrit"},   {"tbOtevritInternet", "mOtevritNet"},
        {"tbUlozit", "mUlozit"},     {"tbUlozitJako", "mUlozitJako"}, {"tbTisk", "mTisk"},
        {"tbPravopis", "mPravopis"}, {"tbVlozit", "mVlozit"},     {"tbKopirovat", "mKopirovat"},
        {"tbVyjmout", "mVyjmout"},   {"tbZpet", "mZpet"},         {"tbVpred", "mVpred"},
        {"tbNajit", "mNajit"},       {"tbNahradit", "mNahradit"}, {"tbZmensitOdsazeni", "mZvetcitOdsazeni"},
        {"tbZvetsitOdsazeni", "mZmencitOdsazeni"},
    };
    for (const auto &[button, item] : repeats)
        connect(action(QString::fromLatin1(button)), &QAction::triggered, action(QString::fromLatin1(item)),
                &QAction::trigger);
}

void TForm1::FormCreate(const QStringList &arguments)
{
    m_mainDictionaryPath = AppDirs::filePath(QStringLiteral("slovník.dic"));
    m_userDictionaryPath = AppDirs::filePath(QStringLiteral("englishuser.dic"));
    // The command line: an empty first argument ends the list, so "" means no document.
    if (arguments.size() > 1 && !arguments.at(1).isEmpty()) {
        const QString path = arguments.at(1);
        QString error;
        if (m_editor->loadFromFile(path, &error)) {
            setCaption(captionFor(path, false));
            m_openFileName = path;
            m_saveFileName = path;
            m_editor->setModified(false);
            m_droppedBar->showFor(path, describeDropped(m_editor->lastLoad().report));
        } else {
            m_prompter.showError(error);
        }
    }
    Timer1Timer();
    m_recentPath = AppDirs::filePath(QStringLiteral("Recent.INI"));
    HistoryListFile recentFile(m_recentPath);
    if (recentFile.load())
        m_recent = recentFile.entries().mid(0, kRecentMax);
    rebuildRecentMenu();
    m_refreshTimer->start();
}

void TForm1::createDialogs()
{
    m_dialogs.create(this, m_prompter, *this);
    connect(m_dialogs.options(), &Tnastaveni::autosaveDue, this, &TForm1::tUkladaniTimer);
    connect(this, &TForm1::documentOpened, m_dialogs.welcome(), &TfUvitani::appendDocument);
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Every showing (start-up, back from the tray) offers the welcome dialog while it is wanted;
    // otherwise it is closed unseen, which still writes its list.
    if (!m_rulerPlaced && !event->spontaneous()) {
        // The ruler accepts its start values only once it has its width.
        m_rulerPlaced = true;
        QTimer::singleShot(0, this, [this] {
            m_ruler->setIndentFirst(0);
            m_ruler->setIndentLeft(0);
            m_ruler->setIndentRight(500);
        });
    }
    TfUvitani *welcome = m_dialogs.welcome();
    if (!welcome || event->spontaneous())
        return;
    QTimer::singleShot(0, this, [this, welcome = QPointer<TfUvitani>(welcome)] {
        if (!welcome)
            return;
        if (welcome->cbZavrit()->isChecked())
            m_prompter.execDialog(welcome);
        else
            welcome->closeWithoutShowing();
    });
}

void TForm1::mNovinkyClick()
{
    if (m_dialogs.whatsNew())
        m_prompter.execDialog(m_dialogs.whatsNew());
}

bool TForm1::openDocument(const QString &path, QString *error)
{
    if (!m_editor->loadFromFile(path, error))
        return false;
    setCaption(captionFor(path, false));
    m_openFileName = path;
    m_saveFileName = path;
    m_editor->setModified(false);
    m_droppedBar->showFor(path, describeDropped(m_editor->lastLoad().report));
    return true;
}

// ---------------------------------------------------------------------------------------------
// Document files

void TForm1::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void TForm1::clearDocument()
{
    m_editor->clearAll();
    m_droppedBar->hide();
    setCaption(kUntitledCaption);
    m_editor->setModified(false);
    m_saveFileName.clear();
}

bool TForm1::askSaveQuestion(const QString &question, int *answer)
{
    *answer = m_prompter.ask(MessageKind::Warning, question + QStringLiteral("\r\r") + m_saveFileName,
                             ButtonYes | ButtonNo | ButtonCancel);
    return *answer != ButtonCancel;
}

std::optional<QString> TForm1::chooseSaveName(const QString &dialogName, const QString &filter)
{
    const bool selection = dialogName == QLatin1String("odOznaceny");
    int &remembered = selection ? m_selectionDialogFilter : m_saveDialogFilter;
    FileRequest request{dialogName, true, filter, selection ? QString() : m_saveFileName, remembered};
    const std::optional<FileChoice> choice = m_prompter.chooseFile(request);
    if (!choice)
        return std::nullopt;
    remembered = choice->filterIndex;
    QString name = choice->fileName;
    // A name typed without an extension gets the extension of the chosen file type.
    const QStringList parts = filter.split(QLatin1Char('|'));
    const int patternIndex = choice->filterIndex * 2 + 1;
    if (QFileInfo(name).suffix().isEmpty() && patternIndex < parts.size()) {
        const QString pattern = parts.at(patternIndex);
        if (pattern.startsWith(QLatin1String("*.")) && !pattern.mid(1).contains(QLatin1Char('*')))
            name += pattern.mid(1);
    }
    return name;
}

bool TForm1::load(const QString &path)
{
    QString error;
    if (!m_editor->loadFromFile(path, &error)) {
        m_prompter.showError(error);
        return false;
    }
    return true;
}

bool TForm1::saveTo(const QString &path)
{
    QString error;
    if (!m_editor->saveToFile(path, &error)) {
        m_prompter.showError(error);
        return false;
    }
    return true;
}

void TForm1::afterLoad(const QString &path)
{
    m_droppedBar->showFor(path, describeDropped(m_editor->lastLoad().report));
}

void TForm1::NovyExecute()
{
    if (!m_editor->isModified()) {
        clearDocument();
        return;
    }
    int answer = 0;
    askSaveQuestion(QStringLiteral("Přejte si uložit změny v daném souboru ?"), &answer);
    if (answer == ButtonCancel)
        return;
    if (answer == ButtonYes) {
        if (const auto name = chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter)) {
            m_saveFileName = *name;
            saveTo(*name);
        }
    }
    clearDocument();
}

void TForm1::mOtevritClick()
{
    int answer = ButtonNo;
    const bool modified = m_editor->isModified();
    if (modified) {
        askSaveQuestion(QStringLiteral("Přejte si uložit změny v daném souboru ?"), &answer);
        if (answer == ButtonCancel)
            return;
        if (answer == ButtonYes) {
            mUlozitJakoClick();
            return;
        }
    }
    FileRequest request{QStringLiteral("OpenDialog1"), false, kMainFilter, m_openFileName, m_openDialogFilter};
    const std::optional<FileChoice> choice = m_prompter.chooseFile(request);
    if (!choice)
        return;
    m_openDialogFilter = choice->filterIndex;
    const QString n = choice->fileName;
    m_openFileName = n;
    if (!load(n))
        return;
    m_editor->setReadOnly(false);
    setCaption(captionFor(n, !modified));
    addRecent(n);
    if (!modified)
        emit documentOpened(n);
    m_saveFileName = n;
    m_editor->setModified(false);
    afterLoad(n);
}

void TForm1::JenProCteniClick()
{
    FileRequest request{QStringLiteral("odJenProCteni"), false, kShortFilter, QString(), m_readOnlyDialogFilter};
    const std::optional<FileChoice> choice = m_prompter.chooseFile(request);
    if (!choice)
        return;
    m_readOnlyDialogFilter = choice->filterIndex;
    const QString n = choice->fileName;
    if (!load(n))
        return;
    setCaption(captionFor(n, false) + QStringLiteral(" [Jen pro čtení]"));
    m_editor->setModified(false);
    m_saveFileName = n;
    m_editor->setReadOnly(true);
    afterLoad(n);
}

void TForm1::setReadOnlyCommandsEnabled(bool enabled)
{
    static const char *const kCommands[] = {
        "mVlozitSpecial", "mObrazek", "mObjekt", "mZnaky", "mCas", "mDatum", "mDatumCas", "mHyperLink", "mSoubor2",
        "mCestaKSouboru", "mDatumcasDialog", "mMalaPismena", "mVelkaPismena", "mZmencitOdsazeni", "mZvetcitOdsazeni",
        "mpismo", "mPravopis", "tbPravopis", "tbVpred", "tbZpet", "tbDatumCas", "tbcas", "tbDatum", "tbNahradit",
        "tbZmensitOdsazeni", "tbZvetsitOdsazeni",
    };
    for (const char *name : kCommands)
        action(QString::fromLatin1(name))->setEnabled(enabled);
    m_readOnlyMode = !enabled;
    updateEditCommands();
}

void TForm1::updateEditCommands()
{
    // Copy, cut, paste and select all follow what the focused text control can do.
    bool hasSelection = false;
    bool hasText = false;
    onTextControl(focusedTextControl(), [&](auto *c) {
        if constexpr (std::is_same_v<std::remove_pointer_t<decltype(c)>, QLineEdit>) {
            hasSelection = c->hasSelectedText();
            hasText = !c->text().isEmpty();
        } else {
            hasSelection = c->textCursor().hasSelection();
            hasText = !c->document()->isEmpty();
        }
    });
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    const bool canPaste = clipboard && (clipboard->hasText() || clipboard->hasImage());
    const bool writable = !m_readOnlyMode;
    for (const char *name : {"mKopirovat", "tbKopirovat", "pmKopirovat"})
        action(QString::fromLatin1(name))->setEnabled(writable && hasSelection);
    for (const char *name : {"mVyjmout", "tbVyjmout", "pmVyjmout"})
        action(QString::fromLatin1(name))->setEnabled(writable && hasSelection);
    for (const char *name : {"mVlozit", "tbVlozit", "pmVlozit"})
        action(QString::fromLatin1(name))->setEnabled(writable && canPaste);
    action(QStringLiteral("mVybratVse"))->setEnabled(hasText);
}

void TForm1::mCteniClick()
{
    QAction *item = action(QStringLiteral("mCteni"));
    invertCheckUnlessClicked(item);
    const bool on = item->isChecked();
    setReadOnlyCommandsEnabled(!on);
    m_editor->setReadOnly(on);
}

void TForm1::mUlozitClick()
{
    if (m_saveFileName.isEmpty()) {
        const std::optional<QString> name = chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter);
        if (!name)
            return;
        m_saveFileName = *name;
    }
    if (!saveTo(m_saveFileName))
        return;
    setCaption(captionFor(m_saveFileName, true));
    m_editor->setModified(false);
    addRecent(m_saveFileName);
}

void TForm1::mUlozitJakoClick()
{
    const std::optional<QString> name = chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter);
    if (!name)
        return;
    m_saveFileName = *name;
    if (!saveTo(*name))
        return;
    setCaption(captionFor(*name, false));
    m_editor->setModified(false);
    addRecent(*name);
}

void TForm1::mOznacenyTextClick()
{
    const std::optional<QString> name = chooseSaveName(QStringLiteral("odOznaceny"), kShortFilter);
    if (!name)
        return;
    m_editor->setSelectionOnly(true);
    QString error;
    const bool ok = m_editor->saveToFile(*name, &error);
    m_editor->setSelectionOnly(false);
    if (!ok)
        m_prompter.showError(error);
}

void TForm1::mRecentFileClick()
{
    auto *item = qobject_cast<QAction *>(sender());
    if (!item)
        return;
    const QString path = item->data().toString();
    int answer = 0;
    askSaveQuestion(QStringLiteral("Přejte si uložit změny v daném souboru "), &answer);
    if (answer == ButtonCancel)
        return;
    auto failed = [this] {
        m_prompter.message(MessageKind::Error, Prompter::titleFor(MessageKind::Error),
                           QStringLiteral("Chyba při otevírání souboru. Soubor nejspíš neexistuje"), ButtonOk);
    };
    if (answer == ButtonYes) {
        QString name = m_saveFileName;
        if (name.isEmpty()) {
            const std::optional<QString> chosen = chooseSaveName(QStringLiteral("sdUlozit"), kMainFilter);
            if (!chosen)
                return;
            name = *chosen;
            m_saveFileName = name;
        }
        QString error;
        if (!m_editor->saveToFile(name, &error)) {
            failed();
            return;
        }
        setCaption(captionFor(name, true));
        m_editor->setModified(false);
        addRecent(name);
    }
    QString error;
    if (!m_editor->loadFromFile(path, &error)) {
        failed();
        return;
    }
    m_saveFileName = path;
    setCaption(captionFor(path, false));
    addRecent(path);
    m_editor->setModified(false);
    afterLoad(path);
}

void TForm1::tUkladaniTimer()
{
    // Only a titled, modified document that was not opened read-only is saved automatically.
    if (m_saveFileName.isEmpty() || !m_editor->isModified() || m_editor->isReadOnly())
        return;
    mUlozitClick();
}

void TForm1::addRecent(const QString &path)
{
    m_recent = kora::addRecent(m_recent, path, kRecentMax);
    rebuildRecentMenu();
}

void TForm1::rebuildRecentMenu()
{
    for (QAction *old : std::as_const(m_recentActions)) {
        m_fileMenu->removeAction(old);
        m_actions.remove(old->objectName());
        old->deleteLater();
    }
    m_recentActions.clear();
    // The recent items stand between the separator after the printer set-up and the one
    // before "Minimalizace do ikony".
    const QList<QAction *> items = m_fileMenu->actions();
    const int anchor = int(items.indexOf(m_recentAnchor));
    QAction *before = anchor >= 0 && anchor + 1 < items.size() ? items.at(anchor + 1) : nullptr;
    for (int i = 0; i < m_recent.size(); ++i) {
        auto *item = new QAction(QStringLiteral("&%1. %2").arg(i).arg(m_recent.at(i)), m_fileMenu);
        item->setObjectName(QStringLiteral("mRecent%1").arg(i));
        item->setStatusTip(m_recent.at(i));
        item->setData(m_recent.at(i));
        connect(item, &QAction::triggered, this, &TForm1::mRecentFileClick);
        m_fileMenu->insertAction(before, item);
        m_recentActions << item;
        m_actions.insert(item->objectName(), item);
    }
}

void TForm1::writeRecentList()
{
    HistoryListFile file(m_recentPath);
    file.setEntries(m_recent);
    QString error;
    if (!file.save(&error) && !m_recentWriteFailed) {
        // Reported once: the window must still close.
        m_recentWriteFailed = true;
        m_prompter.showError(error);
    }
}

// ---------------------------------------------------------------------------------------------
// Window

void TForm1::closeEvent(QCloseEvent *event)
{
    writeRecentList();
    if (m_editor->isModified()) {
        int answer = 0;
        askSaveQuestion(QStringLiteral("Přejte si uložit změny v daném souboru "), &answer);
        if (answer == ButtonCancel) {
            event->ignore();
            return;
        }
        if (answer == ButtonYes)
            mUlozitClick();
    }
    m_tray->hide();
    if (TfUvitani *welcome = m_dialogs.welcome(); welcome && !welcome->isVisible())
        welcome->closeWithoutShowing();
    event->accept();
}

void TForm1::mKonecClick()
{
    close();
}

void TForm1::mikonaClick()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        // Without a notification area a hidden window could not be brought back.
        showMinimized();
        return;
    }
    m_tray->show();
    hide();
}

void TForm1::pmpokracovatClick()
{
    m_tray->hide();
    show();
}

void TForm1::mMaxiamlizovaneClick()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void TForm1::Mormln1Click()
{
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
}

void TForm1::Maximalizovan1Click()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

void TForm1::Nov1Click()
{
    m_shell.startDetached(QCoreApplication::applicationFilePath(), {m_openFileName});
}

// ---------------------------------------------------------------------------------------------
// Status bar, toolbar state and hints

void TForm1::Timer1Timer()
{
    const TextStatistics stats = countStatistics(m_editor->text(), m_editor->lineCount());
    m_panels[1]->setText(QStringLiteral("Počet řádku: %1").arg(stats.lines));
    m_panels[0]->setText(QStringLiteral("Počet znaků: %1").arg(stats.characters));
    m_panels[2]->setText(QStringLiteral("Počet mezer: %1").arg(stats.spaces));
    m_panels[3]->setText(QStringLiteral("Počet slov : %1").arg(stats.words));

    const int style = m_editor->selStyle();
    const std::pair<const char *, const char *> flags[] = {
        {"tbTucne", "mTucne"}, {"tbPreskrtnute", "mPreskrtnute"}, {"tbKurziva", "mKurziva"}, {"tbPodtrzene", "mPodtrzene"}};
    const int bits[] = {StyleBold, StyleStrikeOut, StyleItalic, StyleUnderline};
    for (int i = 0; i < 4; ++i) {
        action(QString::fromLatin1(flags[i].first))->setChecked(style & bits[i]);
        action(QString::fromLatin1(flags[i].second))->setChecked(style & bits[i]);
    }
    const ParaFormat para = m_editor->selParaFormat();
    action(QStringLiteral("tbTecky"))->setChecked(para.numbering != NumberingNone);
    const int subscript = m_editor->selSubscript();
    action(QStringLiteral("tbHorniIndex"))->setChecked(subscript == Superscript);
    action(QStringLiteral("tbDolniIndex"))->setChecked(subscript == Subscript);

    // The boxes show the selection's font; showing never writes it back into the document.
    auto *sizeBox = qobject_cast<QComboBox *>(m_widgets.value(QStringLiteral("cbVelikost")));
    const QSignalBlocker sizeBlocker(sizeBox);
    sizeBox->setEditText(QString::number(m_editor->selSize()));
    auto *fontBox = qobject_cast<QComboBox *>(m_widgets.value(QStringLiteral("cbpismo")));
    const QString face = m_editor->selFaceName();
    if (fontBox->currentText() != face) {
        const QSignalBlocker fontBlocker(fontBox);
        int index = fontBox->findText(face);
        if (index < 0) {
            fontBox->addItem(face);
            index = fontBox->count() - 1;
        }
        fontBox->setCurrentIndex(index);
    }

    const std::pair<const char *, const char *> alignments[] = {
        {"tbVlevo", "mVlevo"}, {"tbVpravo", "mVpravo"}, {"tbCenter", "mNaStred"}};
    const int codes[] = {AlignLeft, AlignRight, AlignCenter};
    for (int i = 0; i < 3; ++i) {
        const bool on = para.alignment == codes[i];
        action(QString::fromLatin1(alignments[i].first))->setChecked(on);
        action(QString::fromLatin1(alignments[i].second))->setChecked(on);
    }

    const QColor textColor = m_editor->selColor();
    const QColor highlight = m_editor->selHighlight();
    TColorBtn *textButton = colorButton(QStringLiteral("cbBarva"));
    textButton->setActiveColor(textColor);
    textButton->setTargetColor(textColor);
    TColorBtn *highlightButton = colorButton(QStringLiteral("ColorBtn1"));
    highlightButton->setActiveColor(highlight);
    highlightButton->setTargetColor(highlight);

    if (!m_saveFileName.isEmpty() && m_editor->isModified())
        setCaption(QStringLiteral("KORA Editor - ( ") + m_saveFileName + QStringLiteral("*)"));
}

void TForm1::RichEdit1Change()
{
    const bool undo = m_editor->canUndo();
    const bool redo = m_editor->canRedo();
    for (const char *name : {"tbZpet", "mZpet", "zpet"})
        action(QString::fromLatin1(name))->setEnabled(undo);
    for (const char *name : {"tbVpred", "mVpred", "vpred"})
        action(QString::fromLatin1(name))->setEnabled(redo);
}

void TForm1::showHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    m_panels[4]->setText(bar >= 0 ? hint.mid(bar + 1) : hint);
}

bool TForm1::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::ShortcutOverride) {
        // Menu shortcuts come before the editor: Tab indents, Ctrl+Alt+V types "@".
        auto *key = static_cast<QKeyEvent *>(event);
        const QKeySequence pressed(key->keyCombination());
        for (QAction *a : std::as_const(m_actions)) {
            if (a->isEnabled() && !a->shortcut().isEmpty() && a->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    if ((watched == m_ruler || watched == statusBar() || m_panels.contains(watched))
        && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        m_panels[4]->clear();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::setBarVisible(QWidget *bar, QAction *item, bool visible)
{
    bar->setVisible(visible);
    item->setChecked(visible);
}

void TForm1::invertCheckUnlessClicked(QAction *item)
{
    // A checkable item inverts its mark when clicked; a direct call of the handler does it here.
    if (sender() != item)
        item->setChecked(!item->isChecked());
}

void TForm1::ToolBarStandartClick()
{
    m_standardBar->setVisible(m_standardBar->isHidden());
    invertCheckUnlessClicked(action(QStringLiteral("ToolBarStandart")));
}

void TForm1::mToolBarFormatClick()
{
    invertCheckUnlessClicked(action(QStringLiteral("mToolBarFormat")));
    m_formatBar->setVisible(m_formatBar->isHidden());
}

void TForm1::mPravitkoClick()
{
    invertCheckUnlessClicked(action(QStringLiteral("mPravitko")));
    m_ruler->setVisible(m_ruler->isHidden());
}

void TForm1::mStatusBarClick()
{
    statusBar()->setVisible(statusBar()->isHidden());
    invertCheckUnlessClicked(action(QStringLiteral("mStatusBar")));
}

void TForm1::ZobrazitSkrt1Click()
{
    setBarVisible(statusBar(), action(QStringLiteral("mStatusBar")), statusBar()->isHidden());
}

void TForm1::ZobrazitSkrt2Click()
{
    setBarVisible(m_ruler, action(QStringLiteral("mPravitko")), m_ruler->isHidden());
}

void TForm1::ZobraziSkrt1Click()
{
    setBarVisible(m_standardBar, action(QStringLiteral("ToolBarStandart")), m_standardBar->isHidden());
}

void TForm1::Skrt1Click()
{
    setBarVisible(m_formatBar, action(QStringLiteral("mToolBarFormat")), m_formatBar->isHidden());
}

// ---------------------------------------------------------------------------------------------
// Standard edit commands act on the text control that has the keyboard focus.

QWidget *TForm1::focusedTextControl() const
{
    QWidget *focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) || qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return m_editor;
}

void TForm1::mKopirovatClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->copy(); });
}

void TForm1::mVlozitClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->paste(); });
}

void TForm1::mVyjmoutClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->cut(); });
}

void TForm1::mVybratVseClick()
{
    onTextControl(focusedTextControl(), [](auto *c) { c->selectAll(); });
}

void TForm1::mZpetClick()
{
    m_editor->undoStep();
}

void TForm1::VpredExecute()
{
    m_editor->redoStep();
}

} // namespace kora

// ---------------------------------------------------------------------------------------------
// Formatting

namespace kora {

void TForm1::mpismoClick()
{
    const std::optional<FontChoice> choice = m_prompter.chooseFont(m_fontDialogChoice, m_fontDialogShown);
    // After its first showing the font dialog always has its Apply button.
    m_fontDialogShown = true;
    if (!choice)
        return;
    m_fontDialogChoice = *choice;
    m_editor->setSelFont(choice->font, choice->color);
}

void TForm1::Barva1Click()
{
    const std::optional<QColor> color = m_prompter.chooseColor(m_colorDialogColor);
    if (!color)
        return;
    m_colorDialogColor = *color;
    m_editor->setSelColor(*color);
}

void TForm1::cbpismoChange()
{
    auto *box = qobject_cast<QFontComboBox *>(m_widgets.value(QStringLiteral("cbpismo")));
    m_editor->setSelFaceName(box->currentText());
}

void TForm1::cbVelikostChange()
{
    auto *box = qobject_cast<QComboBox *>(m_widgets.value(QStringLiteral("cbVelikost")));
    const QString text = box->currentText();
    // An empty box is a number being retyped, not a mistake worth an error box.
    if (text.isEmpty())
        return;
    const std::optional<int> size = formatting::parseSize(text);
    if (!size) {
        m_prompter.showError(formatting::sizeConversionError(text));
        return;
    }
    m_editor->setSelSize(*size);
}

void TForm1::mTucneClick()
{
    formatting::toggleStyle(*m_editor, StyleBold);
}

void TForm1::mKurzivaClick()
{
    formatting::toggleStyle(*m_editor, StyleItalic);
}

void TForm1::mPodtrzeneClick()
{
    formatting::toggleStyle(*m_editor, StyleUnderline);
}

void TForm1::mPreskrtnuteClick()
{
    formatting::toggleStyle(*m_editor, StyleStrikeOut);
}

void TForm1::tbTucneClick()
{
    invertCheckUnlessClicked(action(QStringLiteral("tbTucne")));
    formatting::toggleStyle(*m_editor, StyleBold);
}

void TForm1::tbKurzivaClick()
{
    invertCheckUnlessClicked(action(QStringLiteral("tbKurziva")));
    formatting::toggleStyle(*m_editor, StyleItalic);
}

void TForm1::tbPodtrzeneClick()
{
    invertCheckUnlessClicked(action(QStringLiteral("tbPodtrzene")));
    formatting::toggleStyle(*m_editor, StyleUnderline);
}

void TForm1::tbPreskrtnuteClick()
{
    // This button's pressed state is left to the refresh: a click does not flip it.
    QAction *button = action(QStringLiteral("tbPreskrtnute"));
    if (sender() == button)
        button->setChecked(!button->isChecked());
    formatting::toggleStyle(*m_editor, StyleStrikeOut);
}

void TForm1::mVlevoClick()
{
    m_editor->setParaAlignment(AlignLeft);
}

void TForm1::mNaStredClick()
{
    m_editor->setParaAlignment(AlignCenter);
}

void TForm1::mVpravoClick()
{
    m_editor->setParaAlignment(AlignRight);
}

void TForm1::tbTeckyClick()
{
    QAction *button = action(QStringLiteral("tbTecky"));
    invertCheckUnlessClicked(button);
    m_editor->setParaNumbering(button->isChecked() ? NumberingBullet : NumberingNone);
}

void TForm1::tbHorniIndexClick()
{
    QAction *button = action(QStringLiteral("tbHorniIndex"));
    invertCheckUnlessClicked(button);
    m_editor->setSelSubscript(button->isChecked() ? Superscript : SubscriptNone);
}

void TForm1::tbDolniIndexClick()
{
    QAction *button = action(QStringLiteral("tbDolniIndex"));
    invertCheckUnlessClicked(button);
    m_editor->setSelSubscript(button->isChecked() ? Subscript : SubscriptNone);
}

void TForm1::mZvetcitOdsazeniClick()
{
    formatting::shiftFirstIndent(*m_editor, 20);
}

void TForm1::mZmencitOdsazeniClick()
{
    formatting::shiftFirstIndent(*m_editor, -20);
}

void TForm1::mVelkaPismenaClick()
{
    formatting::changeCase(*m_editor, true);
}

void TForm1::mMalaPismenaClick()
{
    formatting::changeCase(*m_editor, false);
}

void TForm1::mLamaniClick()
{
    QAction *item = action(QStringLiteral("mLamani"));
    // Decided by the check mark before the change; a click has already inverted it.
    const bool checkedBefore = sender() == item ? !item->isChecked() : item->isChecked();
    m_editor->setWordWrap(!checkedBefore);
    item->setChecked(!checkedBefore);
}

void TForm1::RichEdit1URLClick(const QString &url)
{
    m_shell.openUrl(url);
}

} // namespace kora

namespace kora {

TColorBtn *TForm1::colorButton(const QString &name) const
{
    return qobject_cast<TColorBtn *>(m_widgets.value(name));
}

void TForm1::setUserColorStore(UserColorStore *store)
{
    colorButton(QStringLiteral("cbBarva"))->setUserColorStore(store);
    colorButton(QStringLiteral("ColorBtn1"))->setUserColorStore(store);
}

// An invalid colour is the palette's "no colour": automatic text colour, no highlight.
void TForm1::cbBarvaClick()
{
    m_editor->setSelColor(colorButton(QStringLiteral("cbBarva"))->activeColor());
}

void TForm1::ColorBtn1Click()
{
    m_editor->setSelHighlight(colorButton(QStringLiteral("ColorBtn1"))->activeColor());
}

void TForm1::RulerIndentChange(TanlRuler *sender, int indentId)
{
    const RulerIndentPoints points = rulerIndentPoints(indentId, *sender, m_editor->selParaFormat().firstIndent);
    if (points.first)
        m_editor->setParaFirstIndent(*points.first);
    if (points.left)
        m_editor->setParaLeftIndent(*points.left);
    if (points.right)
        m_editor->setParaRightIndent(*points.right);
}

void TForm1::FormActivate()
{
    m_ruler->setIndentRight(750);
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

} // namespace kora
