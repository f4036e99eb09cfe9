#include "RecordingCanvas.h"

#include <algorithm>
#include <iterator>

void RecordingCanvas::Clear(Rgb colour) {
    ops_.push_back({Kind::Clear, {}, {}, colour, State()});
}

void RecordingCanvas::Line(PixelPoint from, PixelPoint to) {
    ops_.push_back({Kind::Line, {from, to}, {}, {}, State()});
}

void RecordingCanvas::Ellipse(const PixelBox& box) {
    ops_.push_back({Kind::Ellipse, box, {}, {}, State()});
}

void RecordingCanvas::Text(PixelPoint topLeft, const std::string& text) {
    ops_.push_back({Kind::Text, {topLeft, topLeft}, text, {}, State()});
}

std::vector<RecordingCanvas::Op> RecordingCanvas::OpsOfKind(Kind kind) const {
    std::vector<Op> found;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(found),
                 [kind](const Op& op) { return op.kind == kind; });
    return found;
}
