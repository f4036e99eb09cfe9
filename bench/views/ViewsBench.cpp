// Drawing cost of the views: the map's full redraw of a day's track, one map tick,
// and the sky plot's once-a-second redraw, each into the picture the window shows.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cmath>

#include "AppState.h"
#include "MapCentre.h"
#include "MapPlotter.h"
#include "NavState.h"
#include "QPainterCanvas.h"
#include "SkyPlot.h"
#include "TrackHistory.h"

namespace {

constexpr int kMapWidth = 890;  // the Map View's design size
constexpr int kMapHeight = 607;

QImage Picture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A full day's track wandering within about 150 m of the centre, the case where
// every disc lands inside the picture.
void FillDayTrack(AppState& state, TrackHistory& track) {
    state.mapPointCount = 0;
    for (int second = 0; second < TrackHistory::kCapacity; ++second) {
        const double t = second / 600.0;
        track.Append(state.mapPointCount, {static_cast<float>(150.0 * std::sin(t)),
                                           static_cast<float>(120.0 * std::sin(1.7 * t))});
    }
}

NavState TwelveSatellites() {
    NavState nav;
    nav.satsInView = NavState::kChannels;
    nav.fixAvailable = 1;
    for (int slot = 0; slot < NavState::kChannels; ++slot) {
        nav.sats[slot] = {slot * 2 + 3, slot * 7, slot * 30, 40};
    }
    nav.speedKnots = 5.0f;
    nav.courseDeg = 135.0f;
    return nav;
}

void BM_MapFullRedraw(benchmark::State& bench) {
    AppState state;
    TrackHistory track;
    MapCentre centre;
    FillDayTrack(state, track);
    MapPlotter plotter(state, track, centre);
    QImage image = Picture(1025, 721);
    for (auto _ : bench) {
        QPainterCanvas canvas(image, "MS Sans Serif");
        plotter.Redraw(canvas, kMapWidth, kMapHeight);
    }
    bench.SetItemsProcessed(bench.iterations() * TrackHistory::kCapacity);
}
BENCHMARK(BM_MapFullRedraw)->Unit(benchmark::kMillisecond);

void BM_MapTick(benchmark::State& bench) {
    AppState state;
    TrackHistory track;
    MapCentre centre;
    MapPlotter plotter(state, track, centre);
    NavState nav;
    nav.fixAvailable = 1;
    nav.latitude = 48.1f;
    nav.longitude = 11.5f;
    QImage image = Picture(1025, 721);
    for (auto _ : bench) {
        QPainterCanvas canvas(image, "MS Sans Serif");
        plotter.PlotFix(canvas, kMapWidth, kMapHeight, nav);
    }
}
BENCHMARK(BM_MapTick)->Unit(benchmark::kMicrosecond);

void BM_SkyPlotRedraw(benchmark::State& bench) {
    const NavState nav = TwelveSatellites();
    QImage image = Picture(500, 400);
    CanvasState carried;
    for (auto _ : bench) {
        QPainterCanvas canvas(image, "MS Sans Serif", carried);
        RenderSkyPlot(canvas, image.width(), image.height(), nav, 4.0f);
        carried = canvas.State();
    }
}
BENCHMARK(BM_SkyPlotRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Text needs a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
