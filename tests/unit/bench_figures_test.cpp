// The benchmark's summaries: quartiles by interpolation, and the one line
// every figure is printed as (bench/figures.sh reads those lines back).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "figures.h"

namespace {

struct SpreadCase {
    const char* What;
    std::vector<double> Samples;
    bench::Spread Expected;
};

TEST(BenchFigures, SpreadOfInterpolatesBetweenTheSortedSamples) {
    const SpreadCase cases[] = {
        {"none", {}, {0, 0, 0, 0, 0, 0}},
        {"one", {7}, {7, 7, 7, 7, 7, 1}},
        {"two", {3, 1}, {1, 1.5, 2, 2.5, 3, 2}},
        {"four, unsorted", {4, 1, 3, 2}, {1, 1.75, 2.5, 3.25, 4, 4}},
        {"five with an outlier", {10, 11, 12, 13, 1000}, {10, 11, 12, 13, 1000, 5}},
    };
    for (const SpreadCase& c : cases) {
        SCOPED_TRACE(c.What);
        const bench::Spread spread = bench::SpreadOf(c.Samples);
        EXPECT_DOUBLE_EQ(spread.Min, c.Expected.Min);
        EXPECT_DOUBLE_EQ(spread.P25, c.Expected.P25);
        EXPECT_DOUBLE_EQ(spread.Median, c.Expected.Median);
        EXPECT_DOUBLE_EQ(spread.P75, c.Expected.P75);
        EXPECT_DOUBLE_EQ(spread.Max, c.Expected.Max);
        EXPECT_EQ(spread.Count, c.Expected.Count);
    }
}

TEST(BenchFigures, FigureLineGivesMediansRatioAndSpread) {
    const bench::Spread notice = bench::SpreadOf({300, 400, 500});
    const bench::Spread floor = bench::SpreadOf({150, 200, 250});
    EXPECT_EQ(bench::FigureLine("start-up to visible", "ms", notice, floor, 1),
              "start-up to visible: notice 400.0 ms / floor 200.0 ms = 2.00x [min p25 median p75 max: "
              "notice 300.0 350.0 400.0 450.0 500.0; floor 150.0 175.0 200.0 225.0 250.0; 3 runs each]");
}

TEST(BenchFigures, FigureLineHasNoRatioAgainstAZeroFloorAndShowsUnequalCounts) {
    const std::string line =
        bench::FigureLine("idle", "ms", bench::SpreadOf({1, 2}), bench::SpreadOf({0, 0, 0}), 0);
    EXPECT_NE(line.find("= n/a ["), std::string::npos) << line;
    EXPECT_NE(line.find("; 2/3 runs each]"), std::string::npos) << line;
}

}  // namespace
