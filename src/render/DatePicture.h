#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace zet {

// Writes when with a date picture: d dd (day), ddd dddd (short / long weekday
// name), m mm (month; minutes when it follows an hour code), mmm mmmm (short /
// long month name), yy yyyy (year), y (day of the year), h hh (hour 0-23),
// n nn (minute), s ss (second), w (weekday, 1 = Sunday), ww (week of the
// year: weeks start on Sunday, week 1 holds 1 January), q (quarter). Codes
// ignore letter case. "/" and ":" become the locale's date and time
// separators; a character after "\" and text in double quotes are copied as
// they stand; every other character is copied. Names come from locale.
QString formatDatePicture(const QDateTime &when, const QString &picture, const QLocale &locale);

// The first letter of every word upper case, every other letter lower case.
// Words are separated by white space (space, tab, line breaks, NUL).
QString properCase(const QString &text);

} // namespace zet
