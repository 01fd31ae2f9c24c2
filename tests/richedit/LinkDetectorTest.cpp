#include "richedit/LinkDetector.h"

#include <gtest/gtest.h>

using namespace kora;

TEST(LinkDetector, FindsAddressesWithoutTrailingPunctuation)
{
    struct Case
    {
        const char16_t *text;
        std::vector<QString> links;
    };
    const Case cases[] = {
        {u"see http://a.cz/x?y=1.", {"http://a.cz/x?y=1"}},
        {u"HTTPS://Example.com, then", {"HTTPS://Example.com"}},
        {u"(www.kora.cz)", {"www.kora.cz"}},
        {u"ftp://files.cz mailto:jan@kora.cz file:///tmp/a.txt", {"ftp://files.cz", "mailto:jan@kora.cz", "file:///tmp/a.txt"}},
        {u"http:// alone", {}},
        {u"notwww.link.cz nohttp://x", {}},
        {u"<http://a.cz>\"http://b.cz\"", {"http://a.cz", "http://b.cz"}},
        {u"žluťoučký www.kůň.cz!", {"www.kůň.cz"}},
        {u"", {}},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        std::vector<QString> found;
        for (const LinkSpan &span : findLinks(text))
            found.push_back(text.mid(span.start, span.length));
        EXPECT_EQ(found, c.links) << text.toStdString();
    }
}
