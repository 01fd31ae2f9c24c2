#include "app/DroppedContentText.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kora;

TEST(DroppedContentText, OneCzechLinePerKindInAFixedOrder)
{
    rtf::ReadReport report;
    EXPECT_TRUE(describeDropped(report).isEmpty());
    report.dropped = rtf::DroppedTextBoxes | rtf::DroppedHeaders | rtf::DroppedFootnotes | rtf::DroppedDeepGroups;
    EXPECT_EQ(describeDropped(report),
              QStringList({"záhlaví stránek", "poznámky pod čarou (uložením se z nich stane obyčejný text)",
                           "textová pole (uložením se z nich stane obyčejný text)",
                           "příliš hluboko vnořený obsah (zůstane jen jeho text)"}));
    report.dropped = ~0u;
    EXPECT_EQ(describeDropped(report).size(), 12) << "every kind the reader reports has its line";
}
