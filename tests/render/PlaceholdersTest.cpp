#include "render/Placeholders.h"
#include "TestDocument.h"
#include "render/DatePicture.h"
#include "xml/ElementReader.h"

#include <QLocale>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

// Sunday 4 January 2026, 09:05:07.
const QDateTime kSunday(QDate(2026, 1, 4), QTime(9, 5, 7));

// The text an object listed on each of seven pages shows on page 2 (0-based).
QString resolved(const QString &text)
{
    TestDocument t;
    t.addText(t.addBand(), text, 0, 0, 1440, 300, false);
    for (int i = 0; i < 7; ++i)
        t.place(t.addPage(), 0, 0, { { 0, -1 } });
    resolveObjectText(t.doc, 0, 0, 0, 0, kSunday); // each page starts again from the template text
    resolveObjectText(t.doc, 2, 0, 0, 0, kSunday);
    return t.doc.objects[0].value;
}

TEST(ResolveObjectText, PlaceholdersOnTheThirdOfSevenPagesInItalian)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const std::pair<const char *, const char *> rows[] = { { "Pagina [&p] di [&P] [&p]", "Pagina 3 di 7 3" },
        { "[&p ]", "[&p ]" }, { "Il [&d   ]", "Il 04/01/2026" }, { "[&d  mmmm yyyy ]", "Gennaio 2026" },
        { "[&ddddd d mmmm]", "Domenica 4 Gennaio" }, { "[&dddd dd mmm yy]", "Dom 04 Gen 26" },
        { "[&dDD-MM-YYYY]", "04-01-2026" }, { "[&dhh:nn:ss h:m]", "09:05:07 9:5" }, // m after h is the minute
        { "[&dw ww q y]", "1 2 1 4" }, { "[&d\"oggi\" d]", "Oggi 4" }, { "[&p] - [&dd]", "3 - 4" },
        // Runs longer than one code are read as several codes, left to right.
        { "[&dyyyyyy]", "202626" }, { "[&ddddddddd]", "Domenica 4 Gennaio 202604" } };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(resolved(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    QLocale::setDefault(QLocale::c());
}

// The date loop as it is defined: take the first token, replace every copy of it, start again.
QString filledPassByPass(QString value)
{
    for (qsizetype start, close;
         (start = value.indexOf("[&d")) >= 0 && (close = value.indexOf(u']', start + 3)) >= 0;) {
        const QString token = value.mid(start, close - start + 1);
        const QString picture = trimSpaces(QString(token).remove("[&d").remove(u']'));
        value.replace(token,
            properCase(formatDatePicture(kSunday, picture.isEmpty() ? "dd/mm/yyyy" : picture, QLocale::c())));
    }
    return value;
}

// Texts of tokens, tails of tokens and pictures that write "[&d" or "]" come
// out as the defining loop leaves them.
TEST(ReplaceDatePlaceholders, FillsAsTheDefiningLoopDoes)
{
    const QStringList pieces = { "[&d", "]", "d", "y", " ", "x", "[", "&", "\\", "\"", "[&dd]", "[&d]",
        "[&d\\[&\\d]", "[&d\"&d\"]", "[&d[]" };
    QRandomGenerator random(20261206);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int n = random.bounded(30); n > 0; --n)
            text += pieces[random.bounded(int(pieces.size()))];
        ASSERT_EQ(replaceDatePlaceholders(text, kSunday), filledPassByPass(text)) << text.toStdString();
    }
}

} // namespace
