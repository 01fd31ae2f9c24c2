#include "app/DroppedContentText.h"

#include <array>
#include <utility>

namespace kora {

QStringList describeDropped(const rtf::ReadReport &report)
{
    static const std::array<std::pair<unsigned, const char *>, 12> kTexts{{
        {rtf::DroppedTables, "tabulky (zůstane jen jejich text, buňky oddělené tabulátory)"},
        {rtf::DroppedHeaders, "záhlaví stránek"},
        {rtf::DroppedFooters, "zápatí stránek"},
        {rtf::DroppedFootnotes, "poznámky pod čarou (uložením se z nich stane obyčejný text)"},
        {rtf::DroppedTextBoxes, "textová pole (uložením se z nich stane obyčejný text)"},
        {rtf::DroppedComments, "komentáře"},
        {rtf::DroppedFields, "pole (zůstane jen jejich zobrazený text)"},
        {rtf::DroppedDrawings, "kresby a tvary"},
        {rtf::DroppedObjects, "vložené objekty (zůstane jen jejich obrázek nebo text)"},
        {rtf::DroppedHidden, "skrytý text"},
        {rtf::DroppedDeepGroups, "příliš hluboko vnořený obsah (zůstane jen jeho text)"},
        {rtf::DroppedUnknown, "další obsah, který editor neumí zobrazit"},
    }};
    QStringList lines;
    for (const auto &[flag, text] : kTexts) {
        if (report.dropped & flag)
            lines << QString::fromUtf8(text);
    }
    return lines;
}

} // namespace kora
