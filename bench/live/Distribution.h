#pragma once

#include <cstddef>
#include <vector>

// A set of samples and its order statistics (nearest rank).
class Distribution {
public:
    void Add(double sample) { samples_.push_back(sample); }
    std::size_t Size() const { return samples_.size(); }

    // The value at or below which `share` (0..1) of the samples lie; 0 when empty.
    double Percentile(double share) const;
    double Median() const { return Percentile(0.5); }
    double Max() const { return Percentile(1.0); }

private:
    std::vector<double> samples_;
};
