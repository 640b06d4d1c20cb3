#include "render/Placeholders.h"
#include "TestDocument.h"

#include <QLocale>
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
    const std::pair<const char *, const char *> rows[]
        = { { "Pagina [&p] di [&P]", "Pagina 3 di 7" }, { "[&p][&P][&p]", "373" }, { "[&p ]", "[&p ]" },
              { "[&d]", "04/01/2026" }, { "Il [&d   ]", "Il 04/01/2026" },
              { "[&d  mmmm yyyy ]", "Gennaio 2026" }, { "[&ddddd d mmmm]", "Domenica 4 Gennaio" },
              { "[&dddd dd mmm yy]", "Dom 04 Gen 26" }, { "[&dDD-MM-YYYY]", "04-01-2026" },
              { "[&dhh:nn:ss]", "09:05:07" }, { "[&dh:m]", "9:5" }, // m after h is the minute
              { "[&dw ww q y]", "1 2 1 4" }, { "[&d\"oggi\" d]", "Oggi 4" },
              { "[&dyyyy] e [&dyyyy]", "2026 e 2026" }, { "[&p] - [&dd]", "3 - 4" },
              // Without a closing bracket a date token stays as it is.
              { "Data: [&ddd/mm", "Data: [&ddd/mm" }, { "[&dyyyy] [&dmm", "2026 [&dmm" },
              { "] [&dyyyy] d", "] 2026 d" } };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(resolved(QString::fromUtf8(text)), QString::fromUtf8(expected)) << text;
    QLocale::setDefault(QLocale::c());
}

} // namespace
