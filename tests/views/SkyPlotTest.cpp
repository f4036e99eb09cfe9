#include "SkyPlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "RecordingCanvas.h"

namespace {

using Kind = RecordingCanvas::Kind;

constexpr int kWidth = 500;
constexpr int kHeight = 400;

NavState WithSatellites(std::initializer_list<SatInView> sats, int fix = 0) {
    NavState nav;
    int slot = 0;
    for (const SatInView& sat : sats) {
        nav.sats[slot++] = sat;
    }
    nav.satsInView = slot;
    nav.fixAvailable = fix;
    return nav;
}

// The primitives drawn after the black columns of the clear.
std::vector<RecordingCanvas::Op> AfterClear(const RecordingCanvas& canvas) {
    const auto& ops = canvas.Ops();
    return {ops.begin() + (kWidth + 1), ops.end()};
}

std::vector<RecordingCanvas::Op> Discs(const RecordingCanvas& canvas) {
    auto ellipses = canvas.OpsOfKind(Kind::Ellipse);
    ellipses.erase(ellipses.begin(), ellipses.begin() + 2);  // the two circles
    return ellipses;
}

double MidX(const PixelBox& box) {
    return (box.topLeft.x + box.bottomRight.x) / 2.0;
}
double MidY(const PixelBox& box) {
    return (box.topLeft.y + box.bottomRight.y) / 2.0;
}

TEST(PlotGeometry, FollowsTheSmallerSideOfTheOuterSize) {
    const PlotGeometry plot = ComputePlotGeometry(kWidth, kHeight);
    EXPECT_FLOAT_EQ(plot.d, 320.0f);
    EXPECT_EQ(plot.cx, 200);
    EXPECT_EQ(plot.cy, 176);
    EXPECT_EQ(LabelFontSize(plot), 14);

    const PlotGeometry map = ComputePlotGeometry(890, 607);
    EXPECT_FLOAT_EQ(map.d, 485.6f);
    EXPECT_EQ(map.cx, 356);
    EXPECT_EQ(map.cy, 267);
}

TEST(PlotGeometry, TruncationNeverLeavesThePainterRange) {
    EXPECT_EQ(TruncToPixel(-2.7), -2);
    EXPECT_EQ(TruncToPixel(2.7), 2);
    EXPECT_GT(TruncToPixel(1e300), 1000000);
    EXPECT_LT(TruncToPixel(-1e300), -1000000);
    EXPECT_EQ(TruncToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(SkyPlot, ClearsEveryColumnInBlackBeforeDrawing) {
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, NavState{}, 4.0f);
    const auto& ops = canvas.Ops();
    ASSERT_GT(ops.size(), static_cast<size_t>(kWidth + 1));
    for (int x = 0; x <= kWidth; ++x) {
        EXPECT_EQ(ops[x].kind, Kind::Line);
        EXPECT_EQ(ops[x].points, (PixelBox{{x, 0}, {x, kHeight}}));
        EXPECT_EQ(ops[x].state.pen, kBlack);
    }
}

TEST(SkyPlot, WithoutSatellitesDrawsCirclesCrossNorthAndVelocityLine) {
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, NavState{}, 4.0f);
    const auto ops = AfterClear(canvas);
    ASSERT_EQ(ops.size(), 6u);
    EXPECT_EQ(ops[0].points, (PixelBox{{40, 16}, {360, 336}}));
    EXPECT_EQ(ops[1].points, (PixelBox{{120, 96}, {280, 256}}));
    EXPECT_EQ(ops[2].points, (PixelBox{{40, 176}, {360, 176}}));
    EXPECT_EQ(ops[3].points, (PixelBox{{200, 16}, {200, 336}}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ops[i].state.pen, kYellow);
    }
    EXPECT_EQ(ops[4].kind, Kind::Text);
    EXPECT_EQ(ops[4].text, "N");
    EXPECT_EQ(ops[4].points.topLeft, (PixelPoint{194, 0}));
    EXPECT_EQ(ops[4].state.fontColour, kGreen);
    EXPECT_EQ(ops[4].state.fontSize, 14);
    // Speed 0: the line has no length.
    EXPECT_EQ(ops[5].points, (PixelBox{{200, 176}, {200, 176}}));
}

struct SkyCase {
    int elevation;
    int azimuth;
    double x;  // where the disc's centre belongs
    double y;
};

class SatellitePlacement : public testing::TestWithParam<SkyCase> {};

TEST_P(SatellitePlacement, DiscSitsOnItsCircle) {
    const SkyCase c = GetParam();
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, WithSatellites({{3, c.elevation, c.azimuth, 40}}), 4.0f);
    const auto discs = Discs(canvas);
    ASSERT_EQ(discs.size(), 1u);
    const PixelBox box = discs[0].points;
    EXPECT_NEAR(MidX(box), c.x, 1.0);
    EXPECT_NEAR(MidY(box), c.y, 1.0);
    // Half-size 21.33, truncated per coordinate.
    EXPECT_GE(box.bottomRight.x - box.topLeft.x, 42);
    EXPECT_LE(box.bottomRight.x - box.topLeft.x, 43);
}

// Centre (200, 176), outer radius 160, inner radius 80.
INSTANTIATE_TEST_SUITE_P(ElevationAndAzimuth, SatellitePlacement,
                         testing::Values(SkyCase{90, 0, 200, 176}, SkyCase{0, 0, 200, 16},
                                         SkyCase{45, 0, 200, 96}, SkyCase{0, 90, 360, 176},
                                         SkyCase{0, 180, 200, 336}, SkyCase{45, 270, 120, 176},
                                         SkyCase{45, 180, 200, 256}));

TEST(SkyPlot, ZenithDiscHasTheTruncatedHalfSize) {
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, WithSatellites({{3, 90, 0, 40}}), 4.0f);
    // 200 - 21.33 and 200 + 21.33, 176 - 21.33 and 176 + 21.33, each truncated.
    EXPECT_EQ(Discs(canvas).at(0).points, (PixelBox{{178, 154}, {221, 197}}));
}

TEST(SkyPlot, LabelShiftDependsOnTheNumberOfDigits) {
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, WithSatellites({{7, 90, 0, 40}, {12, 90, 0, 40}}), 4.0f);
    auto texts = canvas.OpsOfKind(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "7");
    EXPECT_EQ(texts[1].points.topLeft, (PixelPoint{200 - 5, 176 - 16}));  // trunc(D/60)
    EXPECT_EQ(texts[2].text, "12");
    EXPECT_EQ(texts[2].points.topLeft, (PixelPoint{200 - 13, 176 - 16}));  // trunc(D/23)
    EXPECT_EQ(texts[2].state.fontColour, kBlack);
    EXPECT_EQ(texts[2].state.fontSize, 14);
}

TEST(SkyPlot, DiscColourFollowsTheFix) {
    for (const auto& [fix, colour] : {std::pair{0, kRed}, std::pair{1, kTeal}}) {
        RecordingCanvas canvas;
        RenderSkyPlot(canvas, kWidth, kHeight,
                      WithSatellites({{1, 10, 10, 0}, {2, 20, 20, 30}}, fix), 4.0f);
        for (const auto& disc : Discs(canvas)) {
            EXPECT_EQ(disc.state.pen, colour) << "fix " << fix;
            EXPECT_EQ(disc.state.fill, colour) << "fix " << fix;
        }
        // The label sits on its disc's colour.
        EXPECT_EQ(canvas.OpsOfKind(Kind::Text).back().state.fill, colour);
    }
}

TEST(SkyPlot, FillStaysWhiteUntilTheFirstDiscThenBlack) {
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, NavState{}, 4.0f);
    EXPECT_EQ(canvas.OpsOfKind(Kind::Ellipse)[0].state.fill, kWhite);
    canvas.Forget();
    RenderSkyPlot(canvas, kWidth, kHeight, WithSatellites({{1, 30, 30, 20}}), 4.0f);
    EXPECT_EQ(canvas.OpsOfKind(Kind::Ellipse)[0].state.fill, kWhite);
    EXPECT_EQ(canvas.OpsOfKind(Kind::Text)[0].state.fill, kWhite);
    canvas.Forget();
    RenderSkyPlot(canvas, kWidth, kHeight, NavState{}, 4.0f);
    const auto ellipses = canvas.OpsOfKind(Kind::Ellipse);
    EXPECT_EQ(ellipses[0].state.fill, kBlack);
    EXPECT_EQ(ellipses[1].state.fill, kBlack);
    EXPECT_EQ(canvas.OpsOfKind(Kind::Text)[0].state.fill, kBlack);
}

TEST(SkyPlot, DrawsAtMostTheTwelveSlotsAndNoSatelliteZero) {
    struct Case {
        int inView;
        int zeroSlot;  // a slot whose number is 0, or -1
        std::size_t drawn;
    };
    for (const Case c : {Case{0, -1, 0}, Case{5, -1, 5}, Case{12, -1, 12}, Case{15, -1, 12},
                         Case{-2, -1, 0}, Case{5, 0, 4}, Case{12, 11, 11}, Case{5, 7, 5}}) {
        NavState nav;
        for (int slot = 0; slot < NavState::kChannels; ++slot) {
            nav.sats[slot].prn = slot == c.zeroSlot ? 0 : slot + 1;
        }
        nav.satsInView = c.inView;
        RecordingCanvas canvas;
        RenderSkyPlot(canvas, kWidth, kHeight, nav, 4.0f);
        EXPECT_EQ(Discs(canvas).size(), c.drawn) << c.inView << " in view, zero " << c.zeroSlot;
    }
}

struct VelocityCase {
    float knots;
    float course;
    float scale;
    PixelPoint end;
};

class VelocityLine : public testing::TestWithParam<VelocityCase> {};

TEST_P(VelocityLine, EndsWhereSpeedAndCourseSay) {
    const VelocityCase c = GetParam();
    const auto end =
        VelocityLineEnd(ComputePlotGeometry(kWidth, kHeight), c.knots, c.course, c.scale);
    ASSERT_TRUE(end.has_value());
    EXPECT_NEAR(end->x, c.end.x, 1);
    EXPECT_NEAR(end->y, c.end.y, 1);
}

// 7.7752 knots is 4 m/s: the outer circle at the default scale, the inner one at 8 m/s.
INSTANTIATE_TEST_SUITE_P(SpeedCourseScale, VelocityLine,
                         testing::Values(VelocityCase{7.7752f, 0.0f, 4.0f, {200, 16}},
                                         VelocityCase{7.7752f, 90.0f, 4.0f, {360, 176}},
                                         VelocityCase{7.7752f, 180.0f, 8.0f, {200, 256}},
                                         VelocityCase{7.7752f, 0.0f, -4.0f, {200, 336}},
                                         VelocityCase{0.0f, 45.0f, 4.0f, {200, 176}}));

TEST(SkyPlot, ExactOuterCircleEndForTheDefaultScale) {
    const auto end = VelocityLineEnd(ComputePlotGeometry(kWidth, kHeight), 7.7752f, 0.0f, 4.0f);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(end->y, OuterCircleBox(ComputePlotGeometry(kWidth, kHeight)).topLeft.y);
    EXPECT_EQ(end->x, 200);
}

TEST(SkyPlot, SpeedOrCourseThatIsNoNumberGivesNoLine) {
    const PlotGeometry geometry = ComputePlotGeometry(kWidth, kHeight);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(VelocityLineEnd(geometry, nan, 0.0f, 4.0f));
    EXPECT_FALSE(VelocityLineEnd(geometry, inf, 0.0f, 4.0f));
    EXPECT_FALSE(VelocityLineEnd(geometry, 5.0f, nan, 4.0f));
}

TEST(SkyPlot, LengthLimitKeepsTheCourse) {
    const PlotGeometry geometry = ComputePlotGeometry(kWidth, kHeight);
    for (const float course : {30.0f, 100.0f, 200.0f, 333.0f}) {
        for (const float scale : {1e-7f, -1e-30f}) {
            const auto end = VelocityLineEnd(geometry, 10.0f, course, scale);
            ASSERT_TRUE(end.has_value());
            const double dx = end->x - geometry.cx;
            const double dy = geometry.cy - end->y;
            const double drawn = std::atan2(dx, dy) * 180.0 / 3.1415926;
            const double expected = scale > 0 ? course : course - 180.0;
            EXPECT_NEAR(std::remainder(drawn - expected, 360.0), 0.0, 0.01)
                << course << " at scale " << scale;
        }
    }
}

TEST(SkyPlot, ZeroScaleDrawsNoVelocityLine) {
    NavState nav;
    nav.speedKnots = 10.0f;
    RecordingCanvas canvas;
    RenderSkyPlot(canvas, kWidth, kHeight, nav, 0.0f);
    const auto ops = AfterClear(canvas);
    EXPECT_TRUE(std::none_of(ops.begin(), ops.end(), [](const RecordingCanvas::Op& op) {
        return op.kind == Kind::Line && op.points.topLeft == PixelPoint{200, 176};
    }));
}

}  // namespace
