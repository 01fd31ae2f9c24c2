#include "text/DateTimeFormat.h"

#include <algorithm>

namespace kora {

namespace {

char16_t lower(QChar ch)
{
    const char16_t c = ch.unicode();
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool isAsciiLetter(QChar ch)
{
    const char16_t c = lower(ch);
    return c >= u'a' && c <= u'z';
}

bool startsWithNoCase(QStringView text, qsizetype at, QStringView prefix)
{
    return text.sliced(at).startsWith(prefix, Qt::CaseInsensitive);
}

// The length of the 12-hour marker at `at` ("am/pm", "a/p", "ampm"), or 0.
qsizetype marker(QStringView format, qsizetype at)
{
    if (startsWithNoCase(format, at, u"am/pm"))
        return 5;
    if (startsWithNoCase(format, at, u"a/p"))
        return 3;
    if (startsWithNoCase(format, at, u"ampm"))
        return 4;
    return 0;
}

bool usesTwelveHours(QStringView format)
{
    QChar quote;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar ch = format[i];
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
        } else if (ch == u'"' || ch == u'\'') {
            quote = ch;
        } else if (lower(ch) == u'a' && marker(format, i) > 0) {
            return true;
        }
    }
    return false;
}

// The first character of a locale format that is neither a letter, a space nor a quote.
QString separatorIn(const QString &localeFormat, QChar fallback)
{
    for (const QChar ch : localeFormat) {
        if (!ch.isLetter() && !ch.isSpace() && ch != u'\'')
            return QString(ch);
    }
    return QString(fallback);
}

// Qt's time formats may name the time zone ("t"); the inserted time never does.
QString timeFormatWithoutZone(const QLocale &locale, QLocale::FormatType type)
{
    QString format = locale.timeFormat(type);
    format.remove(u't');
    return format.trimmed();
}

QString padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

QString formatDateTime(QStringView format, const QDateTime &moment, const QLocale &locale)
{
    const QDate date = moment.date();
    const QTime time = moment.time();
    const bool twelveHours = usesTwelveHours(format);
    QString out;
    out.reserve(format.size() * 2);
    char16_t lastLetter = 0;

    qsizetype i = 0;
    while (i < format.size()) {
        const QChar ch = format[i];
        if (ch == u'"' || ch == u'\'') {
            const qsizetype end = format.indexOf(ch, i + 1);
            const qsizetype stop = end < 0 ? format.size() : end;
            out += format.sliced(i + 1, stop - i - 1);
            i = end < 0 ? stop : stop + 1;
            continue;
        }
        if (ch == u'/') {
            out += separatorIn(locale.dateFormat(QLocale::ShortFormat), u'/');
            ++i;
            continue;
        }
        if (ch == u':') {
            out += separatorIn(locale.timeFormat(QLocale::ShortFormat), u':');
            ++i;
            continue;
        }
        if (!isAsciiLetter(ch)) {
            out += ch;
            ++i;
            continue;
        }

        char16_t letter = lower(ch);
        if (letter == u'a') {
            const qsizetype length = marker(format, i);
            if (length == 0) {
                out += ch;
            } else {
                const bool afternoon = time.hour() >= 12;
                if (length == 4)
                    out += afternoon ? locale.pmText() : locale.amText();
                else if (length == 5)
                    out += format.sliced(i + (afternoon ? 3 : 0), 2);
                else
                    out += format[i + (afternoon ? 2 : 0)];
            }
            lastLetter = letter;
            i += std::max<qsizetype>(length, 1);
            continue;
        }

        qsizetype count = 1;
        while (i + count < format.size() && lower(format[i + count]) == letter)
            ++count;
        i += count;
        if (letter == u'm' && count <= 2 && lastLetter == u'h')
            letter = u'n';
        lastLetter = letter;

        switch (letter) {
        case u'y':
            out += count <= 2 ? padded(date.year() % 100, 2) : padded(date.year(), 4);
            break;
        case u'm':
            if (count <= 2)
                out += count == 1 ? QString::number(date.month()) : padded(date.month(), 2);
            else
                out +=
                    locale.standaloneMonthName(date.month(), count == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case u'd':
            switch (count) {
            case 1:
                out += QString::number(date.day());
                break;
            case 2:
                out += padded(date.day(), 2);
                break;
            case 3:
                out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                break;
            case 4:
                out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
                break;
            case 5:
                out += locale.toString(date, QLocale::ShortFormat);
                break;
            default:
                out += locale.toString(date, QLocale::LongFormat);
                break;
            }
            break;
        case u'h': {
            int hour = time.hour();
            if (twelveHours) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += count == 1 ? QString::number(hour) : padded(hour, 2);
            break;
        }
        case u'n':
            out += count == 1 ? QString::number(time.minute()) : padded(time.minute(), 2);
            break;
        case u's':
            out += count == 1 ? QString::number(time.second()) : padded(time.second(), 2);
            break;
        case u'z':
            out += count < 3 ? QString::number(time.msec()) : padded(time.msec(), 3);
            break;
        case u't':
            out += locale.toString(
                time, timeFormatWithoutZone(locale, count == 1 ? QLocale::ShortFormat : QLocale::LongFormat));
            break;
        case u'c':
            out += locale.toString(date, QLocale::ShortFormat);
            if (time != QTime(0, 0))
                out += u' ' + locale.toString(time, timeFormatWithoutZone(locale, QLocale::LongFormat));
            break;
        default:
            out += format.sliced(i - count, count);
            break;
        }
    }
    return out;
}

} // namespace kora
