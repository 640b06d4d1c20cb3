#include "render/ObjectFrame.h"
#include "TestDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace zet;
using namespace zet::testing;

namespace {

TEST(ComputeObjectFrame, RoundsEachEdgeHalfToEven)
{
    struct
    {
        const char *name;
        double left, topInBand, width, height;
        int bandTop;
        ObjectFrame expected;
    } rows[] = {
        { "whole twips", 100, 20, 300, 40, 1000, { 100, 1020, 400, 1060 } },
        { "halves go to even", 100.5, 0.5, 10.5, 0.5, 0, { 100, 0, 110, 0 } },
        { "odd halves go up", 101.5, 1.5, 1.5, 1.5, 0, { 102, 2, 104, 4 } },
        { "right rounds left plus width", 1, 0, 0.5, 0, 0, { 1, 0, 2, 0 } },
        { "negative positions", -10.5, -0.5, 5, 5, -100, { -10, -100, -5, -95 } },
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        TestDocument t;
        const int band = t.addBand();
        t.addObject(band, ControlType::Shape, row.left, row.topInBand, row.width, row.height);
        EXPECT_EQ(computeObjectFrame(t.doc, t.lastObject, row.bandTop), row.expected);
    }
}

TEST(ComputeObjectFrame, ErrorsForABadIndexAndForOverflow)
{
    TestDocument t;
    t.addObject(t.addBand(), ControlType::Shape, 0, 0, 3e9, 10);
    EXPECT_THAT(raisedError([&] { computeObjectFrame(t.doc, 1, 0); }), ::testing::StartsWith("9: "));
    EXPECT_THAT(raisedError([&] { computeObjectFrame(t.doc, 0, 0); }), ::testing::StartsWith("6: "));
}

} // namespace
