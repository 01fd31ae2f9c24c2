#pragma once

#include <QList>
#include <QStringList>

#include <array>

class QAction;
class QComboBox;
class QFontComboBox;
class QKeySequence;
class QLabel;
class QMainWindow;
class QMenu;
class QStatusBar;
class QSystemTrayIcon;
class QToolBar;
class QWidget;

namespace kora {

class DroppedContentBar;
class RichEdit;
class TColorBtn;
class TanlRuler;

// Every command of the main window that the program wires or whose state it sets, by its
// component name. Built from the menu and toolbar tables; a name the tables lack stops the
// program at start-up.
struct MainActions
{
    // "Soubor"
    QAction *mNovy = nullptr;
    QAction *mOtevrit = nullptr;
    QAction *mOtevritInternet = nullptr;
    QAction *JenProCteni = nullptr;
    QAction *mUlozit = nullptr;
    QAction *mUlozitJako = nullptr;
    QAction *jakoHTML1 = nullptr;
    QAction *JakoPDF1 = nullptr;
    QAction *mOznacenyText = nullptr;
    QAction *DisketaA = nullptr;
    QAction *mObsahTextu = nullptr;
    QAction *PrilohaEmal = nullptr;
    QAction *mTisk = nullptr;
    QAction *TiskJenozanentext1 = nullptr;
    QAction *mTiskarna = nullptr;
    QAction *mikona = nullptr;
    QAction *mKonec = nullptr;
    // "Úpravy"
    QAction *mKopirovat = nullptr;
    QAction *mVlozit = nullptr;
    QAction *mVlozitSpecial = nullptr;
    QAction *mVyjmout = nullptr;
    QAction *mZpet = nullptr;
    QAction *mVpred = nullptr;
    QAction *mLamani = nullptr;
    QAction *mVybratVse = nullptr;
    QAction *mRadek = nullptr;
    QAction *mKalkulacka = nullptr;
    QAction *mVlevo = nullptr;
    QAction *mNaStred = nullptr;
    QAction *mVpravo = nullptr;
    // "Hledat"
    QAction *mNajit = nullptr;
    QAction *mNahradit = nullptr;
    QAction *Najtspecil1 = nullptr;
    // "Zobrazení"
    QAction *ToolBarStandart = nullptr;
    QAction *mToolBarFormat = nullptr;
    QAction *mPravitko = nullptr;
    QAction *mStatusBar = nullptr;
    QAction *mCteni = nullptr;
    // "Vložit"
    QAction *mObrazek = nullptr;
    QAction *mObjekt = nullptr;
    QAction *mZnaky = nullptr;
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
    QAction *mSoubor2 = nullptr;
    QAction *Cel1 = nullptr;
    QAction *Text1 = nullptr;
    QAction *mCestaKSouboru = nullptr;
    // "Formát"
    QAction *mMaxiamlizovane = nullptr;
    QAction *Mormln1 = nullptr;
    QAction *Maximalizovan1 = nullptr;
    QAction *mZacatekTextu = nullptr;
    QAction *mKonecTextu = nullptr;
    QAction *mVelkaPismena = nullptr;
    QAction *mMalaPismena = nullptr;
    QAction *mZmencitOdsazeni = nullptr;
    QAction *mZvetcitOdsazeni = nullptr;
    // "Písmo"
    QAction *mpismo = nullptr;
    QAction *Barva1 = nullptr;
    QAction *mTucne = nullptr;
    QAction *mPodtrzene = nullptr;
    QAction *mKurziva = nullptr;
    QAction *mPreskrtnute = nullptr;
    // "Okno"
    QAction *Nov1 = nullptr;
    // "Nástroje"
    QAction *mMoznosti = nullptr;
    QAction *mPravopis = nullptr;
    QAction *mPocetZnaku = nullptr;
    QAction *mObsahSchranky = nullptr;
    // "Nápověda"
    QAction *WWWKORAEditoru1 = nullptr;
    QAction *Kontaktovatpodporu1 = nullptr;
    QAction *OAplikaci1 = nullptr;
    QAction *mNovinky = nullptr;
    QAction *Nejnovjverze1 = nullptr;
    // Standard toolbar
    QAction *tbNovy = nullptr;
    QAction *tbOtevrit = nullptr;
    QAction *tbOtevritInternet = nullptr;
    QAction *tbUlozit = nullptr;
    QAction *tbUlozitJako = nullptr;
    QAction *tbTisk = nullptr;
    QAction *tbPravopis = nullptr;
    QAction *tbVlozit = nullptr;
    QAction *tbKopirovat = nullptr;
    QAction *tbVyjmout = nullptr;
    QAction *tbZpet = nullptr;
    QAction *tbVpred = nullptr;
    QAction *tbDatumCas = nullptr;
    QAction *tbcas = nullptr;
    QAction *tbDatum = nullptr;
    QAction *tbNajit = nullptr;
    QAction *tbNahradit = nullptr;
    QAction *tbZmensitOdsazeni = nullptr;
    QAction *tbZvetsitOdsazeni = nullptr;
    // Formatting toolbar
    QAction *tbTucne = nullptr;
    QAction *tbKurziva = nullptr;
    QAction *tbPodtrzene = nullptr;
    QAction *tbPreskrtnute = nullptr;
    QAction *tbVlevo = nullptr;
    QAction *tbCenter = nullptr;
    QAction *tbVpravo = nullptr;
    QAction *tbTecky = nullptr;
    QAction *tbDolniIndex = nullptr;
    QAction *tbHorniIndex = nullptr;
    // Pop-up menus: the editor's, the bars' "Skrýt" and the tray's
    QAction *pmNovy = nullptr;
    QAction *Otevt1 = nullptr;
    QAction *Uloit1 = nullptr;
    QAction *zpet = nullptr;
    QAction *vpred = nullptr;
    QAction *pmVlozit = nullptr;
    QAction *pmKopirovat = nullptr;
    QAction *pmVyjmout = nullptr;
    QAction *ZobrazitSkrt1 = nullptr;
    QAction *ZobrazitSkrt2 = nullptr;
    QAction *ZobraziSkrt1 = nullptr;
    QAction *Skrt1 = nullptr;
    QAction *pmOpenNet = nullptr;
    QAction *pmTisk = nullptr;
    QAction *pmPravopis = nullptr;
    QAction *pmpokracovat = nullptr;
    QAction *Konec1 = nullptr;
};

// The main window's menus, toolbars, ruler, editor, status bar, pop-up menus and tray icon,
// built from the tables. Toolbar buttons and pop-up items that repeat a menu command trigger
// that menu item, so each command has one handler.
class MainWindowUi
{
public:
    // Builds everything into `window`.
    void setupUi(QMainWindow *window);

    // Rebuilds the recent-file items of "Soubor" ("&0. path", …) between their separators; each
    // item carries its path as data.
    QList<QAction *> setRecentFiles(const QStringList &paths);

    // The enabled menu action whose shortcut is `keys`, if any; `disabled` tells whether a
    // disabled one has it.
    QAction *shortcutOwner(const QKeySequence &keys, bool *disabled) const;

    MainActions actions;
    RichEdit *RichEdit1 = nullptr;
    TanlRuler *Ruler = nullptr;
    DroppedContentBar *droppedBar = nullptr;
    QToolBar *tbStandardni = nullptr;
    QToolBar *tbFormat = nullptr;
    QFontComboBox *cbpismo = nullptr;
    QComboBox *cbVelikost = nullptr;
    TColorBtn *ColorBtn1 = nullptr;
    TColorBtn *cbBarva = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    std::array<QLabel *, 5> panels{};
    QMenu *PopupMenu1 = nullptr;
    QSystemTrayIcon *ikona = nullptr;

private:
    void buildCentralArea(QMainWindow *window);
    void buildMenus(QMainWindow *window);
    void buildToolbars(QMainWindow *window);
    void buildStatusBar(QMainWindow *window);
    void buildPopups(QMainWindow *window);
    void buildTray(QMainWindow *window);
    void resolveSharedShortcuts();
    void resolveActions(QMainWindow *window);

    QMenu *m_fileMenu = nullptr;
    QAction *m_recentAnchor = nullptr;
    QList<QAction *> m_recentItems;
    QList<QAction *> m_menuItems; // in menu order
};

} // namespace kora
