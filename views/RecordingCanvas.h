#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

// A canvas that keeps every primitive with the state it was drawn with, so that
// tests and tools can check coordinates and colours exactly.
class RecordingCanvas : public Canvas {
public:
    enum class Kind { Clear, Line, Ellipse, Text };

    struct Op {
        Kind kind = Kind::Clear;
        PixelBox points;    // Line: from, to; Ellipse: the box; Text: top-left in topLeft
        std::string text;   // Text only
        Rgb colour;         // Clear only
        CanvasState state;  // the state when drawn
    };

    using Canvas::Canvas;

    void Clear(Rgb colour) override;
    void Line(PixelPoint from, PixelPoint to) override;
    void Ellipse(const PixelBox& box) override;
    void Text(PixelPoint topLeft, const std::string& text) override;

    const std::vector<Op>& Ops() const { return ops_; }
    std::vector<Op> OpsOfKind(Kind kind) const;
    void Forget() { ops_.clear(); }

private:
    std::vector<Op> ops_;
};
