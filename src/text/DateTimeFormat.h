#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>

namespace kora {

// Turns a moment into text by a date/time format string. Elements (letters in any case):
//   yy yyyy            year, two or four digits
//   m mm mmm mmmm      month number without / with a leading zero, short / long name; m and mm
//                      directly after h or hh (only non-letters between) are minutes
//   d dd ddd dddd      day without / with a leading zero, short / long weekday name
//   ddddd dddddd       the locale's short / long date
//   h hh n nn s ss     hour, minutes, seconds without / with a leading zero
//   z zzz              milliseconds without / with leading zeros
//   t tt               the locale's short / long time
//   c                  short date, then the long time unless the moment is midnight
//   am/pm a/p          12-hour clock for the whole format; the letters as typed
//   ampm               12-hour clock; the locale's texts for before and after noon
//   : /                the locale's time and date separators
//   "text" 'text'      copied without the quotes
// Any other character is copied unchanged. Month and day names come from `locale`.
QString formatDateTime(QStringView format, const QDateTime &moment, const QLocale &locale = QLocale());

} // namespace kora
