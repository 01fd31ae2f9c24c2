#include "app/ToolbarTable.h"

namespace kora {

namespace {

const ToolButtonRow kStandard[] = {
    {"tbNovy", "document-new", "Nový", "Nový dokument", "mNovy"},
    {"tbOtevrit", "document-open", "Otevřít dokument", "Otevřít dokument", "mOtevrit"},
    {"tbOtevritInternet", "folder-remote", "Otevřít dokument z internetu", "Otevřít z internetu", "mOtevritInternet"},
    {"tbUlozit", "document-save", "Uložit dokument", "Uložit dokument", "mUlozit"},
    {"tbUlozitJako", "document-save-as", "Uložit dokument pod novým jménem", "Uložit dokument pod novým jménem",
     "mUlozitJako"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tbTisk", "document-print", "Tisk", "Tisk", nullptr},
    {"tbPravopis", "tools-check-spelling", "Kontrola pravopisu", "Kontrola pravopisu", "mPravopis"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tbVlozit", "edit-paste", "Vložit", "Vložit", "mVlozit"},
    {"tbKopirovat", "edit-copy", "Kopírovat", "Kopírovat", "mKopirovat"},
    {"tbVyjmout", "edit-cut", "Vyjmout", "Vyjmout", "mVyjmout"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tbZpet", "edit-undo", "O krok zpět", "O krok zpěd", "mZpet"},
    {"tbVpred", "edit-redo", "O krok vpřed", "O krok vpřed", "mVpred"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tbDatumCas", "x-office-calendar", "Vložit datum a čas", "Vložit datum a čas", "mDatumCas"},
    {"tbcas", "appointment-new", "Vložit čas", "Vložit čas", "mCas"},
    {"tbDatum", "x-office-calendar", "Vložit datum", "Vložit datum", "mDatum"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    {"tbNajit", "edit-find", "Najít", "Najít", "mNajit"},
    {"tbNahradit", "edit-find-replace", "Nahradit", "Nahradit", "mNahradit"},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    // The first indentation button increases the indent and the second decreases it, whatever
    // their names say.
    {"tbZmensitOdsazeni", "format-indent-more", "Zvětšit odsazení", "Zvětšit odsazení", "mZvetcitOdsazeni"},
    {"tbZvetsitOdsazeni", "format-indent-less", "Zmenšit odsazení", "Zmenšit odsazení", "mZmencitOdsazeni"},
};

const ToolButtonRow kFormatting[] = {
    {"tbTucne", "format-text-bold", "Tučně", "Písmo tučně", nullptr, true},
    {"tbKurziva", "format-text-italic", "Kurzíva", "Písmo kurzíva", nullptr, true},
    {"tbPodtrzene", "format-text-underline", "Podtržené", "Písmo podtržené", nullptr, true},
    {"tbPreskrtnute", "format-text-strikethrough", "", "", nullptr, true},
    {"tbVlevo", "format-justify-left", "Vlevo", "Zarovnat text vlevo", nullptr, true},
    {"tbCenter", "format-justify-center", "Na střed", "Zarovnat text na střed", nullptr, true},
    {"tbVpravo", "format-justify-right", "Vpravo", "Zarovnat text vpravo", nullptr, true},
    {"tbTecky", "view-list-bullet", "Odrážky", "Odrážky", nullptr, true},
    {"tbDolniIndex", "", "Dolní index", "Dolní index", nullptr, true},
    {"tbHorniIndex", "", "Horní index", "Horní index", nullptr, true},
};

} // namespace

std::span<const ToolButtonRow> standardToolbarRows()
{
    return kStandard;
}

std::span<const ToolButtonRow> formattingToolbarRows()
{
    return kFormatting;
}

} // namespace kora
