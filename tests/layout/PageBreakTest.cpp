#include "layout/LayoutTestHelpers.h"

#include <gtest/gtest.h>

using namespace zet;
using namespace zet::test;

namespace {

// Rows of 1000 twips, seven to a page, under a report header and above a
// report footer of these shapes (absent with height -1).
TemplateText rows(const BandShape &header, const BandShape &footer)
{
    TemplateText text = standardPage(kRowsOnly, { { Body, { 1000 } } });
    for (const auto &[slot, shape] : { std::pair { ReportHeader, header }, { ReportFooter, footer } }) {
        if (shape.height >= 0)
            text.band(slot, shape);
    }
    return text;
}

TemplateText groupedRows(const BandShape &dataHeader, const BandShape &dataFooter)
{
    return standardPage(
        kGroupsOfRows, { { DataHeader, dataHeader }, { Body, { 1000 } }, { DataFooter, dataFooter } });
}

} // namespace

TEST(PageBreak, ABandMovesToANewPageWhenItDoesNotFitOrABreakIsDue)
{
    const QString six = "F B@1500 B@2500 B@3500 B@4500 B@5500 B@6500";
    const BandShape none { -1 };
    const QList<Record> one { Report(righe(1)) }, oneGroup { Report({ Group(1, righe(2)) }) };
    expectPages({
        { "row ending exactly on the limit stays", rows(none, none), { Report(righe(7)) },
            { six + " B@7500" } },
        { "row ending past the limit moves on", rows(none, none), { Report(righe(8)) },
            { six + " B@7500", "F B@1500" } },
        { "report footer ending exactly on the limit moves on", rows(none, { 1000 }), { Report(righe(6)) },
            { six, "F RF@1500" } },
        { "report footer ending above the limit stays", rows(none, { 999.5 }), { Report(righe(6)) },
            { six + " RF@7500" } },
        { "report footer breaking before itself", rows(none, { 100, 1 }), one, { "F B@1500", "F RF@1500" } },
        { "oversized band breaks once and overflows",
            standardPage(kRowsOnly, { { ReportHeader, { 1000 } }, { Body, { 8000 } } }), { Report(righe(2)) },
            { "F RH@1500", "F B@1500", "F B@1500" } },
        { "report header breaking before itself still opens page 1", rows({ 1000, 1 }, none), one,
            { "F RH@1500 B@2500" } },
        { "report header breaking after itself", rows({ 1000, 2 }, none), one, { "F RH@1500", "F B@1500" } },
        { "report header breaking before and after", rows({ 1000, 3 }, none), one,
            { "F RH@1500", "F B@1500" } },
        { "last band breaking after itself, no report footer", groupedRows({ 500 }, { 500, 2 }), oneGroup,
            { "F DH@1500 B@2000 B@3000 DF@4000" } },
        { "last band breaking after itself moves the report footer",
            groupedRows({ 500 }, { 500, 2 }).band(ReportFooter, { 1000 }), oneGroup,
            { "F DH@1500 B@2000 B@3000 DF@4000", "F RF@1500" } },
        { "data band breaking before itself", groupedRows({ 500, 1 }, { 0, 0, 0, 0, false }),
            { Report({ Group(1, righe(1)), Group(2, righe(1)) }) },
            { "F", "F DH@1500 B@2000 DF@3000", "F DH@1500 B@2000 DF@3000" } },
    });
}
