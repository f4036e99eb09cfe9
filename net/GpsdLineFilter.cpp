#include "GpsdLineFilter.h"

std::size_t GpsdLineFilter::Filter(char* data, std::size_t count) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = data[i];
        if (state_ == State::LineStart) {
            // A report may follow a bare line end; only its first byte tells.
            if (c == '\r' || c == '\n') {
                data[kept++] = c;
                continue;
            }
            state_ = c == '{' ? State::Drop : State::Keep;
        }
        if (state_ == State::Keep) {
            data[kept++] = c;
        }
        if (c == '\n') {
            state_ = State::LineStart;
        }
    }
    return kept;
}
