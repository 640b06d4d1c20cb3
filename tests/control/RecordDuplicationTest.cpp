#include "control/ReportBuilder.h"

#include <gtest/gtest.h>

using namespace zet;

TEST(RecordDuplication, WritesEachElementTwiceAndDropsTheTextBetween)
{
    const QString data = QStringLiteral("<R><N>x</N>head<Row>1</Row> gap <Row>2</Row>tail</R>");
    EXPECT_EQ(duplicateRecordElements(data, QStringLiteral("Row")),
        QStringLiteral("<R><N>x</N>head<Row>1</Row><Row>1</Row><Row>2</Row><Row>2</Row>tail</R>"));
}

TEST(RecordDuplication, NestedOpeningTagsEachTakeTheFirstClosingTagAfterThem)
{
    // The inner opening tag is an occurrence of its own: both end at the
    // first closing tag, and the text after the last closing tag is the tail.
    const QString data = QStringLiteral("<Row>a<Row>b</Row>c</Row>");
    EXPECT_EQ(duplicateRecordElements(data, QStringLiteral("Row")),
        QStringLiteral("<Row>a<Row>b</Row><Row>a<Row>b</Row><Row>b</Row><Row>b</Row>"));
}

TEST(RecordDuplication, AnOpeningTagWithoutClosingTagAfterItContributesNothing)
{
    const QString data = QStringLiteral("<Row>1</Row><Row>2");
    EXPECT_EQ(duplicateRecordElements(data, QStringLiteral("Row")),
        QStringLiteral("<Row>1</Row><Row>1</Row><Row>2"));
}

TEST(RecordDuplication, TagsMatchCaseSensitivelyAndAMissingTagSkipsTheStep)
{
    EXPECT_FALSE(duplicateRecordElements(QStringLiteral("<row>1</row>"), QStringLiteral("Row")).has_value());
    EXPECT_FALSE(duplicateRecordElements(QStringLiteral("<Row>1"), QStringLiteral("Row")).has_value());
}

TEST(RecordDuplication, CountComesFromCopieXmlRoundedHalfToEven)
{
    struct Row
    {
        const char *settings;
        int count;
    };
    const Row rows[] = {
        { "<CopieXML>2</CopieXML>", 2 },
        { "<CopieXML>1.5</CopieXML>", 2 },
        { "<CopieXML>2.5</CopieXML>", 2 },
        { "<NoDialog>1</NoDialog>", 0 },
        { "<CopieXML>due</CopieXML>", 0 },
        { "", 0 },
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.settings);
        EXPECT_EQ(duplicationCount(QString::fromUtf8(row.settings)), row.count);
    }
}

TEST(TemplateProper, TakesTheZetElementOnlyWhenItsExactTagIsPresent)
{
    EXPECT_EQ(
        templateProper(QStringLiteral("x<ZET><Nome>A</Nome></ZET>y")), QStringLiteral("<Nome>A</Nome>"));
    EXPECT_EQ(templateProper(QStringLiteral("<zet><Nome>A</Nome></zet>")),
        QStringLiteral("<zet><Nome>A</Nome></zet>"));
    EXPECT_EQ(templateProper(QStringLiteral("<Nome>A</Nome>")), QStringLiteral("<Nome>A</Nome>"));
}
