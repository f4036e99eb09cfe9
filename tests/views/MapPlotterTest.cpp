#include "MapPlotter.h"

#include <gtest/gtest.h>

#include <limits>

#include "MapProjection.h"
#include "RecordingCanvas.h"

namespace {

using Kind = RecordingCanvas::Kind;

constexpr int kWidth = 890;
constexpr int kHeight = 607;

double MidX(const PixelBox& box) {
    return (box.topLeft.x + box.bottomRight.x) / 2.0;
}
double MidY(const PixelBox& box) {
    return (box.topLeft.y + box.bottomRight.y) / 2.0;
}

NavState Fix(float latitude, float longitude, char latHemisphere = 'N', char lonHemisphere = 'E') {
    NavState nav;
    nav.latitude = latitude;
    nav.longitude = longitude;
    nav.latHemisphere = latHemisphere;
    nav.lonHemisphere = lonHemisphere;
    nav.fixAvailable = 1;
    return nav;
}

struct MapFixture : testing::Test {
    AppState state;
    TrackHistory track;
    MapCentre centre;
    MapPlotter plotter{state, track, centre};
    RecordingCanvas canvas;

    std::vector<RecordingCanvas::Op> Discs() const {
        auto ellipses = canvas.OpsOfKind(Kind::Ellipse);
        // A redraw starts with the two rings.
        if (!canvas.OpsOfKind(Kind::Clear).empty() && ellipses.size() >= 2) {
            ellipses.erase(ellipses.begin(), ellipses.begin() + 2);
        }
        return ellipses;
    }
};

TEST(MapProjection, OneDegreeIsTheSameDistanceNorthAndAtTheEquatorEast) {
    EXPECT_EQ(PositionToMetres(1.0, 0.0).north, 111195.046875f);
    EXPECT_EQ(PositionToMetres(0.0, 1.0).east, 111195.046875f);
    // East distances shrink with the cosine of the latitude.
    EXPECT_NEAR(PositionToMetres(60.0, 1.0).east, 111195.05 / 2.0, 0.1);
}

TEST(MapProjection, SouthAndWestCountNegative) {
    const TrackPoint ne = NavPositionToMetres(Fix(48.5f, 11.25f, 'N', 'E'));
    const TrackPoint sw = NavPositionToMetres(Fix(48.5f, 11.25f, 'S', 'W'));
    EXPECT_GT(ne.north, 0.0f);
    EXPECT_GT(ne.east, 0.0f);
    EXPECT_EQ(sw.north, -ne.north);
    EXPECT_EQ(sw.east, -ne.east);
}

struct OffsetCase {
    float east;
    float north;
    double x;  // where the disc's centre belongs
    double y;
};

class MapPlacement : public testing::TestWithParam<OffsetCase> {};

TEST_P(MapPlacement, OffsetsLandOnTheRings) {
    const OffsetCase c = GetParam();
    const PlotGeometry geometry = ComputePlotGeometry(kWidth, kHeight);
    const auto box = MapDiscBox(geometry, MapCentre{1000.0f, -2000.0f},
                                {1000.0f + c.east, -2000.0f + c.north}, 100.0f);
    ASSERT_TRUE(box.has_value());
    EXPECT_NEAR(MidX(*box), c.x, 1.0);
    EXPECT_NEAR(MidY(*box), c.y, 1.0);
}

// D = 485.6 around (356, 267): 100 m is 242.8 pixels, 50 m is 121.4.
INSTANTIATE_TEST_SUITE_P(EastNorth, MapPlacement,
                         testing::Values(OffsetCase{100.0f, 0.0f, 598.8, 267.0},
                                         OffsetCase{0.0f, 50.0f, 356.0, 145.6},
                                         OffsetCase{-50.0f, 0.0f, 234.6, 267.0},
                                         OffsetCase{0.0f, -100.0f, 356.0, 509.8}));

TEST(MapProjection, HundredMetresEastIsOnTheOuterRing) {
    const PlotGeometry geometry = ComputePlotGeometry(kWidth, kHeight);
    const auto box = MapDiscBox(geometry, MapCentre{}, {100.0f, 0.0f}, 100.0f);
    ASSERT_TRUE(box.has_value());
    // 598.8 -+ 4.856, each truncated.
    EXPECT_EQ(*box, (PixelBox{{593, 262}, {603, 271}}));
    EXPECT_EQ(OuterCircleBox(geometry).bottomRight.x, 598);
}

TEST(MapProjection, ZeroScaleGivesNoDisc) {
    EXPECT_FALSE(MapDiscBox(ComputePlotGeometry(kWidth, kHeight), MapCentre{}, {5.0f, 5.0f}, 0.0f));
}

TEST_F(MapFixture, RedrawShowsRingsCrossAndLabels) {
    plotter.Redraw(canvas, kWidth, kHeight);
    const auto& ops = canvas.Ops();
    ASSERT_EQ(ops.size(), 7u);
    EXPECT_EQ(ops[0].kind, Kind::Clear);
    EXPECT_EQ(ops[0].colour, kWhite);
    EXPECT_EQ(ops[1].points, (PixelBox{{113, 24}, {598, 509}}));
    EXPECT_EQ(ops[2].points, (PixelBox{{234, 145}, {477, 388}}));
    EXPECT_EQ(ops[3].points, (PixelBox{{113, 267}, {598, 267}}));
    EXPECT_EQ(ops[4].points, (PixelBox{{356, 24}, {356, 509}}));
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(ops[i].state.pen, kTeal);
        EXPECT_EQ(ops[i].state.fill, kWhite);
    }
    EXPECT_EQ(ops[5].text, "N");
    EXPECT_EQ(ops[5].points.topLeft, (PixelPoint{347, 0}));
    EXPECT_EQ(ops[6].text, "100m  ");
    EXPECT_EQ(ops[6].points.topLeft, (PixelPoint{598, 267}));
    for (int i = 5; i <= 6; ++i) {
        EXPECT_EQ(ops[i].state.fontColour, kRed);
        EXPECT_EQ(ops[i].state.fontSize, 22);  // trunc(6 * 485.6 / 130)
        EXPECT_EQ(ops[i].state.fill, kWhite);
    }
}

TEST_F(MapFixture, SetCentreThenTwoTicksDrawsCentreBlueAndPointRed) {
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0f));
    plotter.SetCentre(canvas);
    EXPECT_EQ(state.mapPointCount, 0);
    EXPECT_EQ(state.mapCentreSet, 0);
    ASSERT_EQ(canvas.Ops().back().kind, Kind::Clear);
    canvas.Forget();

    plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0f));
    EXPECT_TRUE(canvas.Ops().empty());
    EXPECT_EQ(state.mapCentreSet, 1);
    EXPECT_EQ(state.mapPointCount, 1);

    plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0005f));
    const auto discs = canvas.OpsOfKind(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_EQ(discs[0].state.fill, kBlue);
    EXPECT_EQ(discs[0].state.pen, kBlue);
    EXPECT_NEAR(MidX(discs[0].points), 356.0, 1.0);
    EXPECT_NEAR(MidY(discs[0].points), 267.0, 1.0);
    EXPECT_EQ(discs[1].state.fill, kRed);
    EXPECT_GT(MidX(discs[1].points), 356.0 + 50.0);  // about 37 m east
    EXPECT_EQ(canvas.State().fill, kWhite);
}

TEST_F(MapFixture, TicksWithoutAValidFixOnlyAppend) {
    NavState noFix = Fix(48.0f, 11.0f);
    noFix.fixAvailable = 0;
    const NavState zeroLongitude = Fix(48.0f, 0.0f);
    for (const NavState& nav : {noFix, zeroLongitude, noFix}) {
        plotter.PlotFix(canvas, kWidth, kHeight, nav);
    }
    EXPECT_TRUE(canvas.Ops().empty());
    EXPECT_EQ(state.mapPointCount, 3);
    EXPECT_EQ(state.mapCentreSet, 0);
}

TEST_F(MapFixture, APositionThatIsNoNumberNeverBecomesTheCentre) {
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(std::numeric_limits<float>::quiet_NaN(), 11.0f));
    EXPECT_EQ(state.mapCentreSet, 0);
    EXPECT_EQ(state.mapPointCount, 1);
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0f));
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0001f));
    EXPECT_EQ(canvas.OpsOfKind(Kind::Ellipse).size(), 2u);
}

TEST_F(MapFixture, RedrawNeedsThreePoints) {
    for (int points = 1; points <= 3; ++points) {
        plotter.PlotFix(canvas, kWidth, kHeight, Fix(48.0f, 11.0f + points * 0.0001f));
        canvas.Forget();
        plotter.Redraw(canvas, kWidth, kHeight);
        EXPECT_EQ(Discs().size(), points < 3 ? 0u : 3u) << points << " points";
    }
    const auto discs = Discs();
    EXPECT_EQ(discs[0].state.fill, kBlue);
    EXPECT_EQ(discs[1].state.fill, kBlue);
    EXPECT_EQ(discs[2].state.fill, kRed);
    EXPECT_EQ(canvas.State().fill, kWhite);
}

TEST_F(MapFixture, TrackMovingWestIsDrawnToTheLeft) {
    for (const char hemisphere : {'E', 'W'}) {
        MapPlotter::ResetTrack(state);
        plotter.PlotFix(canvas, kWidth, kHeight, Fix(33.9f, 18.4f, 'S', hemisphere));
        canvas.Forget();
        // Longitude grows: westward in the western hemisphere, eastward in the eastern.
        plotter.PlotFix(canvas, kWidth, kHeight, Fix(33.9f, 18.4005f, 'S', hemisphere));
        const auto discs = canvas.OpsOfKind(Kind::Ellipse);
        ASSERT_EQ(discs.size(), 2u);
        if (hemisphere == 'W') {
            EXPECT_LT(MidX(discs[1].points), MidX(discs[0].points));
        } else {
            EXPECT_GT(MidX(discs[1].points), MidX(discs[0].points));
        }
    }
}

TEST_F(MapFixture, TrackMovingSouthIsDrawnDownward) {
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(33.9f, 18.4f, 'S', 'E'));
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(33.9004f, 18.4f, 'S', 'E'));
    const auto discs = canvas.OpsOfKind(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 2u);
    EXPECT_GT(MidY(discs[1].points), MidY(discs[0].points) + 40.0);
}

TEST_F(MapFixture, AFullTrackKeepsPlottingTheNewestPoints) {
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(0.0f, 1.0f));  // the centre
    // Fill the history with points at the centre, then step east past its end.
    NavState atCentre = Fix(0.0f, 1.0f);
    while (state.mapPointCount < TrackHistory::kCapacity) {
        track.Append(state.mapPointCount, NavPositionToMetres(atCentre));
    }
    canvas.Forget();
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(0.0f, 1.0004f));  // about 44 m east
    plotter.PlotFix(canvas, kWidth, kHeight, Fix(0.0f, 1.0f));
    EXPECT_EQ(state.mapPointCount, TrackHistory::kCapacity);
    const auto discs = canvas.OpsOfKind(Kind::Ellipse);
    ASSERT_EQ(discs.size(), 4u);
    // Second tick: the eastern point turns blue and the newest, at the centre, is red.
    EXPECT_EQ(discs[2].state.fill, kBlue);
    EXPECT_GT(MidX(discs[2].points), 356.0 + 90.0);
    EXPECT_EQ(discs[3].state.fill, kRed);
    EXPECT_NEAR(MidX(discs[3].points), 356.0, 1.0);

    canvas.Forget();
    plotter.Redraw(canvas, kWidth, kHeight);
    const auto all = Discs();
    ASSERT_EQ(all.size(), static_cast<size_t>(TrackHistory::kCapacity));
    EXPECT_GT(MidX(all[all.size() - 2].points), 356.0 + 90.0);
    EXPECT_EQ(all.back().state.fill, kRed);
    EXPECT_EQ(all[all.size() - 2].state.fill, kBlue);
}

}  // namespace
