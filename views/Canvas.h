#pragma once

#include <string>

#include "CanvasTypes.h"

// The drawing surface the views draw on. The colours and the font size are state
// that stays set until changed; the primitives use the state current when called.
class Canvas {
public:
    explicit Canvas(const CanvasState& initial = {}) : state_(initial) {}
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void SetPenColour(Rgb colour) { state_.pen = colour; }
    void SetFillColour(Rgb colour) { state_.fill = colour; }
    void SetFontColour(Rgb colour) { state_.fontColour = colour; }
    void SetFontSize(int points) { state_.fontSize = points; }
    const CanvasState& State() const { return state_; }

    // Fills the whole surface with `colour`; the state is unchanged.
    virtual void Clear(Rgb colour) = 0;
    // A line in the pen colour, both end points included; one that ends where it starts
    // has no length and draws nothing.
    virtual void Line(PixelPoint from, PixelPoint to) = 0;
    // An ellipse inside `box`, outlined with the pen and filled with the fill colour.
    virtual void Ellipse(const PixelBox& box) = 0;
    // Text in the font colour on its cell filled with the fill colour (opaque text).
    virtual void Text(PixelPoint topLeft, const std::string& text) = 0;

private:
    CanvasState state_;
};
