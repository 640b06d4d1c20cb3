// The element reader neither copies nor lower-cases its texts, yet must give
// exactly the results of the plain algorithm kept here as the reference (every
// search from the start, a cursor's text rebuilt after each take and searched
// lower-cased), on many random texts. Huge texts then go through it alone.

#include "xml/ElementCursor.h"
#include "xml/ElementReader.h"

#include <QRandomGenerator>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString lower(QString text)
{
    for (QChar &c : text)
        c = c.toLower();
    return text;
}

QString trim(QString text)
{
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString tag(const QString &name, bool close = false)
{
    return (close ? QLatin1String("</") : QLatin1String("<")) + name + QLatin1Char('>');
}

// The three passes; the first that finds an opening tag decides.
bool referenceFind(const QString &text, const QString &name, zet::ElementMatch *m)
{
    for (int pass = 0; pass < 3; ++pass) {
        const QString haystack = pass == 2 ? lower(text) : text;
        const QString open = pass == 0 ? tag(name) : lower(tag(name));
        const QString close = pass == 0 ? tag(name, true) : lower(tag(name, true));
        const int openAt = int(haystack.indexOf(open));
        const int closeAt = openAt < 0 ? -1 : int(haystack.indexOf(close, openAt));
        if (closeAt >= 0)
            *m = { openAt, openAt + int(open.size()), closeAt, closeAt + int(close.size()) };
        if (openAt >= 0)
            return closeAt >= 0;
    }
    return false;
}

struct ReferenceCursor
{
    QString text, openTag, closeTag;
    bool valid = false;
    int contentStart = -1, closePos = -1;

    ReferenceCursor(const QString &original, QString name)
        : text(original)
    {
        name.remove(QLatin1Char('<')).remove(QLatin1Char('>'));
        openTag = lower(tag(name));
        closeTag = lower(tag(name, true));
        search(0);
    }
    bool search(int from)
    {
        const int open = openTag.size() == 2 ? -1 : int(lower(text).indexOf(openTag, from));
        const int close = open < 0 ? -1 : int(lower(text).indexOf(closeTag, open + 1));
        valid = close >= 0;
        contentStart = valid ? open + int(openTag.size()) : -1;
        closePos = valid ? close : -1;
        return valid;
    }
    bool atEnd() const { return contentStart == -1; }
    QString current() const { return valid ? text.mid(contentStart, closePos - contentStart) : QString(); }
    bool next() { return contentStart != -1 && openTag.size() > 2 && search(contentStart); }
    QString take()
    {
        const QString value = current(); // the following search starts where the element began
        if (valid)
            text = text.left(contentStart - openTag.size()) + text.mid(closePos + closeTag.size());
        contentStart -= valid ? int(openTag.size()) : 0;
        valid = false;
        return value;
    }
    QString remainingText() const { return text; }
};

// One operation on either cursor, and what it returned. Operation 5 is a whole
// walk taking every element (as the record reader does) or those choices picks.
template <typename Cursor> QStringList apply(Cursor &cursor, int operation, quint32 choices)
{
    if (operation < 5) {
        return { operation == 0  ? QString::number(cursor.atEnd())
                : operation == 1 ? cursor.current()
                : operation == 2 ? QString::number(cursor.next())
                : operation == 3 ? cursor.take()
                                 : cursor.remainingText() };
    }
    QStringList seen;
    for (int i = 0; !cursor.atEnd(); cursor.next(), ++i)
        seen << ((choices >> (i % 32)) & 1U ? cursor.take() : cursor.current());
    return seen;
}

// The first 14 are plain names, some differing only in case (U+0130 and the
// Kelvin sign lower-case specially); then odd ones, the empty name included.
const QStringList kNames = { "a", "A", "ab", "aB", "AB", "Row", "row", "i", "I", "\u0130", "k", "\u212A",
    "\u00E4", "\u00C4", "", "<a>", "a<", "<a", "a>", "/a", "a</a", "<", ">", "a b" };

// Mostly plain names when asked, so that elements match.
QString randomName(QRandomGenerator &random, bool mostlyPlain = false)
{
    const bool plain = mostlyPlain && random.bounded(4) != 0;
    return kNames.at(random.bounded(plain ? 14 : int(kNames.size())));
}

// A flat run of tags and stray characters, or elements inside elements with
// closing tags sometimes missing or in another case. In the tokens, %1 stands
// for a tag name and the empty entry for any UTF-16 unit, lone surrogates too.
QString randomText(QRandomGenerator &random, int depth = 0)
{
    static const QStringList tokens = { "<%1>", "<%1>", "</%1>", "</%1>", "<%1", "%1>", "<", ">", "</", " ",
        "x", "\U0001F600", "", "<>", "  x y ", "\t" };
    QString text;
    const bool flat = depth == 0 && random.bounded(2) == 0;
    for (int i = random.bounded(flat ? 30 : depth == 0 ? 6 : 4); i > 0; --i) {
        const QString &token = tokens.at(random.bounded(int(tokens.size())));
        const QString n = randomName(random, true);
        if (!flat && depth < 5 && random.bounded(3) != 0) {
            const int close
                = std::min(int(random.bounded(6)), 3); // none, in capitals, in lower case, as written
            const QString closing[] = { QString(), n.toUpper(), n.toLower(), n };
            text += tag(n) + randomText(random, depth + 1)
                + (close == 0 ? QString() : tag(closing[close], true));
        } else {
            text += token.isEmpty() ? QString(QChar(char16_t(random.bounded(0x10000))))
                                    : QString(token).replace("%1", n);
        }
    }
    return text;
}

} // namespace

TEST(ElementReaderEquivalence, RandomTextsGiveTheSameResults)
{
    // Folding without a lowered copy agrees with QChar::toLower on every
    // UTF-16 unit, and only '<' folds to '<' (a search jumps from one to the next).
    QString all(0x10000, Qt::Uninitialized);
    for (int u = 0; u < 0x10000; ++u)
        all[u] = QChar(char16_t(u));
    ASSERT_EQ(zet::lowerPerChar(all), lower(all));
    ASSERT_EQ(lower(all).count(QLatin1Char('<')), 1);

    QRandomGenerator random(303);
    for (int i = 0; i < 20000; ++i) {
        const QString text = randomText(random);
        const QString name = randomName(random, random.bounded(2) == 0);
        const QString value = randomText(random).left(8);
        SCOPED_TRACE(QStringLiteral("text \"%1\" name \"%2\"").arg(text, name).toStdString());
        zet::ElementMatch fast, slow;
        const bool found = referenceFind(text, name, &slow);
        ASSERT_EQ(zet::findElement(text, name, &fast), found);
        ASSERT_EQ(QList<int>({ fast.openPos, fast.contentStart, fast.closePos, fast.afterClose }),
            QList<int>({ slow.openPos, slow.contentStart, slow.closePos, slow.afterClose }));
        const QString before = found ? text.left(slow.openPos) : text;
        const QString after = found ? text.mid(slow.afterClose) : QString();
        ASSERT_EQ(zet::getElementValue(text, name),
            found ? text.mid(slow.contentStart, slow.closePos - slow.contentStart) : QString());
        ASSERT_EQ(zet::removeElement(text, name), before + after);
        ASSERT_EQ(zet::setElementValue(text, name, value),
            before + tag(name) + trim(value) + tag(name, true) + after);
        ASSERT_EQ(zet::trimSpaces(value + text), trim(value + text));

        // Random operations on a cursor, whole walks among them.
        zet::ElementCursor fastCursor(text, name);
        ReferenceCursor slowCursor(text, name);
        for (int step = random.bounded(40); step >= 0; --step) {
            const int operation = step == 0 ? 4 : random.bounded(6);
            const quint32 choices = random.bounded(2) == 0 ? ~0U : random.generate();
            ASSERT_EQ(apply(fastCursor, operation, choices), apply(slowCursor, operation, choices))
                << "operation " << operation;
        }
    }
}

// Each text ends with a result in time linear in its length (these shapes
// would take hours with a rescan per element or a copy per take); a walk
// visiting every element leaves it as it was, one taking them leaves it
// without them. After each text, how many elements a walk for "a" meets: two
// per record, give or take 50 stray tags; 400,000 all closing at the one
// closing tag at the end; none; 10,000 levels.
TEST(ElementReaderFuzz, HugeUnbalancedAndDeepTexts)
{
    QRandomGenerator random(8);
    QString records = (QStringLiteral("<A><b>1</b><A><b>2</b></a></A>") + QString(60, '-')).repeated(200000);
    for (int i = 0; i < 50; ++i)
        records.insert(random.bounded(int(records.size())), QStringLiteral("<a>"));
    const QList<std::pair<QString, qsizetype>> texts = { { records, 400000 },
        { QStringLiteral("<a>").repeated(400000) + QStringLiteral("</a>"), 400000 },
        { QStringLiteral("<a>").repeated(400000), 0 },
        { QStringLiteral("<A>").repeated(10000) + 'x' + QStringLiteral("</a>").repeated(10000), 10000 } };
    for (const auto &[text, expected] : texts) {
        for (const QString name : { "a", "B", "", "a>b", "/a", "\u00C9l\u00E8ve" }) {
            SCOPED_TRACE(QStringLiteral("%1 units, name \"%2\"").arg(text.size()).arg(name).toStdString());
            zet::ElementCursor visit(text, name), take(text, name);
            qsizetype visited = 0, taken = 0;
            for (; !visit.atEnd(); visit.next())
                ++visited;
            for (; !take.atEnd(); take.next())
                taken += take.take().size() + 2 * QString(name).remove('>').size() + 5; // and its tags
            EXPECT_EQ(visit.remainingText(), text);
            EXPECT_EQ(take.remainingText().size(), text.size() - taken);
            EXPECT_NEAR(double(visited), double(name == "a" ? expected : visited), text == records ? 100 : 0);
            EXPECT_LE(zet::setElementValue(text, name, "v").size(), text.size() + 2 * name.size() + 6);
        }
    }
}
