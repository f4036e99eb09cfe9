#include "MapZoom.h"

#include <algorithm>
#include <cmath>

#include "MapPlotter.h"

namespace MapZoom {

namespace {

constexpr int kNarrowCount = static_cast<int>(std::tuple_size_v<decltype(AppState::mapScale)>);

// The farthest stored position from the centre, in metres; negative when there is none.
double FarthestDistance(const AppState& state, const TrackHistory& track, const MapCentre& centre) {
    double farthest = -1.0;
    const std::int32_t count = TrackHistory::InUse(state.mapPointCount);
    for (std::int32_t index = 0; index < count; ++index) {
        const TrackPoint point = track.At(count, index);
        if (point.east == 0.0f && point.north == 0.0f) {
            continue;
        }
        const double distance = std::hypot(static_cast<double>(point.east) - centre.east,
                                           static_cast<double>(point.north) - centre.north);
        if (std::isfinite(distance)) {
            farthest = std::max(farthest, distance);
        }
    }
    return farthest;
}

}  // namespace

int Clamp(int index) {
    return std::clamp(index, 0, kStepCount - 1);
}

float ScaleMetres(const AppState& state, int index) {
    const int step = Clamp(index);
    return step < kNarrowCount ? state.mapScale[step] : kWideScales[step - kNarrowCount];
}

const char* Label(int index) {
    const int step = Clamp(index);
    return step < kNarrowCount ? MapPlotter::kScaleLabels[step] : kWideLabels[step - kNarrowCount];
}

int In(int index) {
    return Clamp(index - 1);
}

int Out(int index) {
    return Clamp(index + 1);
}

int HoldingTrack(const AppState& state, const TrackHistory& track, const MapCentre& centre,
                 int current) {
    if (state.mapCentreSet != 1) {
        return current;
    }
    const double farthest = FarthestDistance(state, track, centre);
    if (farthest < 0.0) {
        return current;
    }
    for (int step = 0; step < kStepCount; ++step) {
        if (ScaleMetres(state, step) >= farthest) {
            return step;
        }
    }
    return kStepCount - 1;
}

}  // namespace MapZoom
