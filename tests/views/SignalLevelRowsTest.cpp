#include "SignalLevelRows.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

TEST(SignalRow, NumbersArePaddedUnderTheirHeadings) {
    const std::string row = FormatSignalRow({5, 7, 45, 0});
    EXPECT_EQ(Words(row), (std::vector<std::string>{"05", "07", "045", "00"}));
    // Each number starts under its heading whatever its width.
    EXPECT_EQ(row.find("05"), 7u);
    const std::string wide = FormatSignalRow({32, 90, 359, 255});
    EXPECT_EQ(Words(wide), (std::vector<std::string>{"32", "90", "359", "255"}));
    EXPECT_EQ(wide.find("90"), row.find("07"));
    EXPECT_EQ(wide.find("359"), row.find("045"));
}

TEST(SignalRow, ColourShowsSignalAndFix) {
    struct Case {
        int snr;
        int fix;
        Rgb colour;
    };
    for (const Case c : {Case{0, 0, kRed}, Case{35, 0, kBlue}, Case{0, 1, kGreen},
                         Case{35, 1, kGreen}, Case{1, 0, kBlue}}) {
        SatInView sat;
        sat.snr = static_cast<std::uint8_t>(c.snr);
        EXPECT_EQ(SignalRowColour(sat, c.fix), c.colour) << "snr " << c.snr << " fix " << c.fix;
    }
}

struct PlanCase {
    int number;
    int count;
    int firstWritten;
    int lastWritten;
    int firstBlanked;
    int lastBlanked;
};

class SignalRowPlanning : public testing::TestWithParam<PlanCase> {};

TEST_P(SignalRowPlanning, WritesItsFourRowsAndBlanksThoseTheGroupDoesNotReach) {
    const PlanCase c = GetParam();
    const SignalRowPlan plan = PlanSignalRows(c.number, c.count);
    const int written = plan.lastWritten - plan.firstWritten + 1;
    const int blanked = plan.lastBlanked - plan.firstBlanked + 1;
    if (c.lastWritten < c.firstWritten) {
        EXPECT_LE(written, 0);
    } else {
        EXPECT_EQ(plan.firstWritten, c.firstWritten);
        EXPECT_EQ(plan.lastWritten, c.lastWritten);
    }
    if (c.lastBlanked < c.firstBlanked) {
        EXPECT_LE(blanked, 0);
    } else {
        EXPECT_EQ(plan.firstBlanked, c.firstBlanked);
        EXPECT_EQ(plan.lastBlanked, c.lastBlanked);
    }
}

INSTANTIATE_TEST_SUITE_P(MessageOfGroup, SignalRowPlanning,
                         testing::Values(PlanCase{1, 1, 1, 4, 5, 12}, PlanCase{1, 2, 1, 4, 9, 12},
                                         PlanCase{2, 2, 5, 8, 9, 12}, PlanCase{1, 3, 1, 4, 1, 0},
                                         PlanCase{2, 3, 5, 8, 1, 0}, PlanCase{3, 3, 9, 12, 1, 0},
                                         PlanCase{2, 1, 5, 8, 1, 0}, PlanCase{4, 4, 1, 0, 1, 0},
                                         PlanCase{0, 1, 1, 0, 1, 0}, PlanCase{-1, 2, 1, 0, 1, 0}));

}  // namespace
