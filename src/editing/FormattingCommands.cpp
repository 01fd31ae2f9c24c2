#include "editing/FormattingCommands.h"

#include "richedit/RichEdit.h"

#include <QLocale>

namespace kora::formatting {

void toggleStyle(RichEdit &edit, StyleFlag flag)
{
    edit.setSelStyle(edit.selStyle() ^ flag);
}

void changeCase(RichEdit &edit, bool upper)
{
    if (edit.selLength() == 0)
        return;
    const QString text = edit.selText();
    const QLocale locale;
    edit.setSelText(upper ? locale.toUpper(text) : locale.toLower(text));
}

void shiftFirstIndent(RichEdit &edit, int points)
{
    edit.setParaFirstIndent(edit.selParaFormat().firstIndent + points);
}

std::optional<int> parseSize(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString sizeConversionError(const QString &text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

} // namespace kora::formatting
