#pragma once

// The map's reference point in metres. Whether it has been taken from a fix is
// AppState::mapCentreSet; clearing that flag leaves these values as they are.
struct MapCentre {
    float east = 0.0f;
    float north = 0.0f;
};
