#pragma once

// A position as east and north distances in metres.
struct TrackPoint {
    float east = 0.0f;
    float north = 0.0f;
    bool operator==(const TrackPoint&) const = default;
};
