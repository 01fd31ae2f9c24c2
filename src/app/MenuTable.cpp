#include "app/MenuTable.h"

namespace kora {

namespace {

using F = MenuRow::Flag;

// Captions, shortcuts and status texts are the program's own texts, spaces included.
const MenuRow kRows[] = {
    {0, "mSoubor", "&Soubor", "", "Menu soubor"},
    {1, "mNovy", "Nový", "Ctrl+N", "Nový dokument"},
    {1, "mOtevrit", "Otevřít", "Ctrl+O", "Otevřít dokument"},
    {1, "mOtevritSpecial", "Otevřít speciál", "", "", F::Submenu},
    {2, "mOtevritInternet", "Otevřít z interentu", "Ctrl+Alt+O", "Otevřít z internetu"},
    {2, "JenProCteni", "Jen pro čteni", "", "Otevřít jen pro čtení"},
    {1, "mUlozit", "Uložit ", "Ctrl+S", "Uložit dokument"},
    {1, "mUlozitJako", "Uložit jako", "", "Uložit dokument Jako"},
    {1, "mUlozitSpecial", "Uložit speciál", "", "", F::Submenu},
    {2, "jakoHTML1", "Jako HTML ", "", ""},
    {2, "JakoPDF1", "Jako PDF", "", ""},
    {1, "mOznacenyText", "Uložit označený text", "", "Uložit označený text", F::Disabled},
    {1, "", "", "", ""},
    {1, "mOdeslat", "Odeslat", "", "Odeslat dokument", F::Submenu},
    {2, "DisketaA", "Disketa A:", "", "Odeslat soubor na disketu"},
    {2, "mObsahTextu", "Obsah textu na E-Mail", "", "Odeslat jako text E-mailu"},
    {2, "PrilohaEmal", "Příloha E-mail", "", "Odeslat jako přílohu E-mailu"},
    {1, "", "", "", ""},
    {1, "mTisk", "Tisk", "Ctrl+P", "Tisk"},
    {1, "TiskJenozanentext1", "Tisk (Jen označený text)", "", "Vytiskne jen označený text"},
    {1, "mNahled", "Náhled před tiskem", "", "", F::Hidden},
    {1, "mTiskarna", "Nastavení tiskárny", "", "Nastavit tiskárnu"},
    {1, "", "", "", "", F::RecentFiles},
    {1, "", "", "", ""},
    {1, "mikona", "Minimalizace do ikony", "F10", ""},
    {1, "mKonec", "Konec", "Alt+F4", "Zavřít program"},

    {0, "mUpravy", "Úp&ravy", "", "Menu Úpravy"},
    {1, "mKopirovat", "Kopírovat", "Ctrl+C", "Kopírovat"},
    {1, "mVlozit", "Vložit", "Ctrl+V", "Vložit"},
    {1, "mVlozitSpecial", "Vložit speciál", "", "Vložit speciál"},
    {1, "mVyjmout", "Vyjmout", "Ctrl+X", "Vyjmout"},
    {1, "", "", "", ""},
    {1, "mZpet", "Zpět", "Ctrl+Z", "Zpět", F::Disabled},
    {1, "mVpred", "Vpřed", "Alt+Z", "Vpřed", F::Disabled},
    {1, "", "", "", ""},
    {1, "mLamani", "Lámání řádků", "", "Lámání řádků", F::Checkable | F::Checked},
    {1, "mVybratVse", "Vybrat vše", "Ctrl+A", "Vybrat vše"},
    {1, "mRadek", "Jdi na řádek", "", ""},
    {1, "mKalkulacka", "Kalkulačka", "", ""},
    {1, "", "", "", ""},
    {1, "mZarovnani", "Zarovnání textu", "", "Zarovnání", F::Submenu},
    {2, "mVlevo", "Vlevo", "", "Zarovnat text v vlevo", F::Checkable | F::Checked},
    {2, "mNaStred", "Na střed", "", "Zarovnat text na střed", F::Checkable},
    {2, "mVpravo", "Vpravo", "", "Zarovnat text vpravo", F::Checkable},

    {0, "mHledat", "&Hledat", "", "Menu Hledat"},
    {1, "mNajit", "Najít", "Ctrl+F", "Najít text"},
    {1, "mNahradit", "Nahradit", "Ctrl+R", "Nahradit text"},
    {1, "", "", "", ""},
    {1, "Najtspecil1", "Najít speciál", "", ""},

    {0, "mZobrazeni", "Zo&brazení", "", "Menu zobrazení"},
    {1, "ToolBarStandart", "ToolBar (Standardní)", "", "Zobrazí/Skryje ToolBar (Standardní)", F::Checkable | F::Checked},
    {1, "mToolBarFormat", "ToolBar (Formátování)", "", " Zobrazí/Skryje ToolBar (Formátování)",
     F::Checkable | F::Checked},
    {1, "mPravitko", "Pravítko", "", " Zobrazí/Skryje Pravítko", F::Checkable | F::Checked},
    {1, "mStatusBar", "Stavový řádek", "", "Zobrazí/Skryje Stavový řádek", F::Checkable | F::Checked},
    {1, "mCteni", "Jen pro čtení", "", "Zapte/Vypne funkci jen pro čtení", F::Checkable},

    {0, "mVlozitMenu", "&Vložit", "", "Menu vložit"},
    {1, "mObrazek", "Obrázek", "Ctrl+Alt+P", ""},
    {1, "mObjekt", "Objekt", "", ""},
    {1, "", "", "", ""},
    {1, "mZnaky", "Základní znaky", "", "", F::Submenu},
    {2, "N14", "( )", "", ""},
    {2, "N15", "{ }", "", ""},
    {2, "N16", "[ ]", "", ""},
    {2, "N27", "< >", "", ""},
    {2, "", "", "", ""},
    {2, "N18", "!", "", ""},
    {2, "N19", "@", "Ctrl+Alt+V", ""},
    {2, "N20", " #", "", ""},
    {2, "N21", "$", "", ""},
    {2, "N22", "%", "", ""},
    {2, "N23", "^", "", ""},
    {2, "N26", "*", "", ""},
    {2, "N29", "/", "", ""},
    {2, "N30", "\\", "Alt+Q", ""},
    {2, "N25", "_", "", ""},
    {1, "mSymboly", "Symbol", "", ""},
    {1, "", "", "", ""},
    {1, "mCas", "Čas", "Alt+T", ""},
    {1, "mDatum", "Datum", "Alt+D", ""},
    {1, "mDatumCas", "Datum a čas", "Ctrl+Alt+D", ""},
    {1, "mDatumcasDialog", "Datum/čas Dialog", "", ""},
    {1, "", "", "", ""},
    {1, "mHyperLink", "Hypertextový odkaz", "Ctrl+D", ""},
    {1, "mSoubor2", "Soubor", "", "", F::Submenu},
    {2, "Cel1", "Celý", "", ""},
    {2, "Text1", "Text", "", ""},
    {1, "mCestaKSouboru", "Cesta k souboru", "", ""},

    {0, "mFormat", "&Formát", "", "Menu formát"},
    {1, "mZobrazeniOkna", "Zobrazeni okna", "", "", F::Submenu},
    {2, "mMaxiamlizovane", "Maximalizované ", "", "Maximalizuje okno"},
    {2, "Mormln1", "Normální", "", "Normální okno"},
    {2, "Maximalizovan1", "Minimalizované", "", "Minimalizuje okno"},
    {1, "mZacatekTextu", "Na začátek textu", "", "Na začátek textu"},
    {1, "mKonecTextu", "Na konec textu", "", "Na konec textu"},
    {1, "mVelkaPismena", "Na velká písmena ", "Ctrl+Alt+M", "Označený text na velká písmena"},
    {1, "mMalaPismena", "Na malá písmena", "Ctrl+Alt+V", "Označený text na malá písmena"},
    {1, "mZmencitOdsazeni", "Zmenšit odsazení", "Shift+Tab", "Zmenšit odsazení"},
    {1, "mZvetcitOdsazeni", "Zvětšit odsazeni", "Tab", "Zvětšit odsazeni"},

    {0, "mPismoMenu", "&Písmo", "", "Menu písmo"},
    {1, "mpismo", "Vybrat font", "F5", ""},
    {1, "Barva1", "Barva", "F6", ""},
    {1, "", "", "", ""},
    {1, "mTucne", "Tučne", "Ctrl+B", "", F::Checkable},
    {1, "mPodtrzene", "Podtržené", "Ctrl+U", "", F::Checkable},
    {1, "mKurziva", "Kurzíva", "Ctrl+I", "", F::Checkable},
    {1, "mPreskrtnute", "Přeškrtnuté", "", "", F::Checkable},

    {0, "mOkno", "&Okno", "", "Menu okno"},
    {1, "Nov1", "Nové", "", "Otevře nové okno"},

    {0, "mNastroje", "&Nástroje", "", "Menu nástroje"},
    {1, "mMoznosti", "Možnosti", "Shift+Ctrl+F3", "Možnosti KORA Editoru"},
    {1, "mPravopis", "Kontrola pravopisu", "F7", "Kontrola pravopisu"},
    {1, "mPocetZnaku", "Pocet znaků", "Ctrl+Alt+Q", "Počet znaků"},
    {1, "mObsahSchranky", "Obsah schránky", "Ctrl+Alt+I", "Zobrazí obsah schránky "},

    {0, "mNapoveda", "Nápověd&a", "", "Menu nápověda", F::RightEnd},
    {1, "WWWKORAEditoru1", "Domovská stránka", "", "Spustí Explorer a zobrazí Html stránky  KORA Editoru"},
    {1, "Kontaktovatpodporu1", "Kontaktovat podporu", "", "Kontaktovat podporu"},
    {1, "OAplikaci1", "O Aplikaci", "", "O Programu"},
    {1, "mNovinky", "Co je nového", "", "Co je nového v této verzi"},
    {1, "Nejnovjverze1", "Nejnovější verze", "", "Nejnovější verze na internetu"},
};

const PopupRow kEditorPopup[] = {
    {"pmNovy", "Nový", "mNovy"},
    {"Otevt1", "Otevřít", "mOtevrit"},
    {"Uloit1", "Uložit", "mUlozit"},
    {nullptr, nullptr, nullptr},
    {"zpet", "Zpět", "mZpet"},
    {"vpred", "Vpřed", "mVpred"},
    {nullptr, nullptr, nullptr},
    {"pmVlozit", "Vložit", "mVlozit"},
    {"pmKopirovat", "Kopírovat", "mKopirovat"},
    {"pmVyjmout", "Vyjmout", "mVyjmout"},
};

} // namespace

std::span<const MenuRow> mainMenuRows()
{
    return kRows;
}

std::span<const PopupRow> editorPopupRows()
{
    return kEditorPopup;
}

} // namespace kora
