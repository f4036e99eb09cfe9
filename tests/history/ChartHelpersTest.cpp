// The Qt-free helpers of the history charts: the window shown, the time axis's marks and the
// scatter's cells.

#include <gtest/gtest.h>

#include <vector>

#include "HistoryWindow.h"
#include "ScatterGrid.h"
#include "TimeTicks.h"

namespace {

// Scrolling a 300 s window over 1000 s kept: it follows the newest second until scrolled
// back, stays on its seconds while more come, and follows again at the newest end.
TEST(HistoryWindowTest, FollowsUnlessScrolledBack) {
    struct Step {
        const char* what;
        TimeWindow kept;
        int scrollTo;  // -1: no scrolling
        TimeWindow shown;
        bool following;
    };
    const Step kSteps[] = {
        {"following", {0, 999}, -1, {700, 999}, true},
        {"scrolled to the oldest", {0, 999}, 0, {0, 299}, false},
        {"more data: stays put", {0, 1999}, -1, {0, 299}, false},
        {"scrolled near the end", {0, 1999}, 1699, {1699, 1998}, false},
        {"scrolled to the end", {0, 1999}, 1700, {1700, 1999}, true},
        {"follows again", {0, 2999}, -1, {2700, 2999}, true},
        {"beyond the end clamps", {0, 2999}, 99999, {2700, 2999}, true},
        {"less kept than the span", {0, 99}, 5, {0, 99}, true},
    };
    HistoryWindow window;
    window.SetSpan(300);
    for (const Step& step : kSteps) {
        if (step.scrollTo >= 0) {
            window.ScrollTo(step.scrollTo, step.kept);
        }
        const TimeWindow shown = window.Shown(step.kept);
        EXPECT_EQ(shown.first, step.shown.first) << step.what;
        EXPECT_EQ(shown.last, step.shown.last) << step.what;
        EXPECT_EQ(window.Following(), step.following) << step.what;
        if (step.scrollTo >= 0 && !step.following) {
            EXPECT_EQ(window.ScrollPosition(step.kept), step.scrollTo) << step.what;  // stays put
        }
    }
    window.SetSpan(HistoryWindow::kAll);
    EXPECT_EQ(window.Shown({0, 2999}).first, 0);
    EXPECT_EQ(window.ScrollRange({0, 2999}), 0);
}

TEST(TimeTicksTest, RoundTimesOfDayAcrossMidnight) {
    struct Case {
        TimeWindow window;
        int most;
        std::vector<std::string> labels;
    };
    const Case kCases[] = {
        {{86400 - 120, 86400 + 119}, 4, {"23:58", "23:59", "00:00", "00:01"}},  // 1 min steps
        {{36000, 36000 + 86399},
         9,
         {"12:00", "15:00", "18:00", "21:00", "00:00", "03:00", "06:00",
          "09:00"}},  // 3 h, from the first round time
        {{36005, 36009}, 10, {"10:00:05", "10:00:06", "10:00:07", "10:00:08", "10:00:09"}},
        {{36000, 35999}, 10, {}},
    };
    for (const Case& c : kCases) {
        std::vector<std::string> labels;
        for (const TimeTick& tick : TimeTicks(c.window, c.most)) {
            labels.push_back(tick.label);
        }
        EXPECT_EQ(labels, c.labels) << c.window.first;
    }
}

// A square of 2 m split into 4 x 4 cells of half a metre: each occupied cell once, its
// centre given; the far edges belong to the last cells, what lies beyond is left out.
TEST(ScatterGridTest, EachOccupiedCellOnce) {
    const ScatterGrid grid(1.0, 4);
    const std::vector<Deviation> fixes = {
        {0, {0.1, 0.1, 0}},   {1, {0.2, 0.4, 0}},  {2, {0.49, 0.01, 0}},  // one cell
        {3, {-1.0, -1.0, 0}}, {4, {1.0, 1.0, 0}},                         // the corners
        {5, {1.01, 0.0, 0}},  {6, {0.0, -1.5, 0}},                        // outside
    };
    const std::vector<EnuOffset> cells = grid.Occupied(fixes);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_DOUBLE_EQ(cells[0].east, 0.25);
    EXPECT_DOUBLE_EQ(cells[0].north, 0.25);
    EXPECT_DOUBLE_EQ(cells[1].east, -0.75);
    EXPECT_DOUBLE_EQ(cells[2].north, 0.75);
    EXPECT_EQ(ScatterGrid::HalfSideFor({.cep95 = 3.2, .maxHorizontal = 4.7}), 5.0);
    EXPECT_EQ(ScatterGrid::HalfSideFor({}), 0.1) << "a receiver that never moves";
}

}  // namespace
