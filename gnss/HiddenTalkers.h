#pragma once

#include <string>
#include <string_view>
#include <vector>

// The talkers other than GP whose sentences arrived while the program shows the GPS talker
// alone, for the status bar's one note ("GN and GL sentences are not shown: Setup >
// Satellite Systems").
class HiddenTalkers {
public:
    // True when `sentence` (its text after "$") is a satellite sentence of a talker other
    // than GP not seen before.
    bool Note(std::string_view sentence);

    // The note naming every talker seen, in the order they came; empty when none came.
    std::string Text() const;

    void Reset() { talkers_.clear(); }

private:
    std::vector<std::string> talkers_;
};
