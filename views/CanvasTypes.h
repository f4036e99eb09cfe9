#pragma once

#include <cstdint>

// Plain values shared by the drawing code and the canvases.

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kTeal{0, 128, 128};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// A bounding box; the right and bottom coordinates lie just outside the shape.
struct PixelBox {
    PixelPoint topLeft;
    PixelPoint bottomRight;
    bool operator==(const PixelBox&) const = default;
};

// What a canvas draws with. A fresh canvas has a black pen and font and a white fill.
struct CanvasState {
    Rgb pen = kBlack;
    Rgb fill = kWhite;
    Rgb fontColour = kBlack;
    int fontSize = 8;  // points
    bool operator==(const CanvasState&) const = default;
};
