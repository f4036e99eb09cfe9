#include "SignalLevelRows.h"

#include <cstdio>

namespace {

constexpr int kRowsPerMessage = 4;
constexpr int kRows = 12;

}  // namespace

std::string FormatSignalRow(const SatInView& sat) {
    char row[128];
    std::snprintf(row, sizeof row,
                  "       %02d                 %02d             %03d          %02d",
                  static_cast<int>(sat.prn), static_cast<int>(sat.elevation),
                  static_cast<int>(sat.azimuth), static_cast<int>(sat.snr));
    return row;
}

Rgb SignalRowColour(const SatInView& sat, int fixAvailable) {
    if (fixAvailable == 1) {
        return kGreen;
    }
    return sat.snr > 0 ? kBlue : kRed;
}

SignalRowPlan PlanSignalRows(int messageNumber, int messageCount) {
    SignalRowPlan plan;
    if (messageNumber < 1 || messageNumber > 3) {
        return plan;  // a fourth message and beyond has no rows
    }
    plan.firstWritten = (messageNumber - 1) * kRowsPerMessage + 1;
    plan.lastWritten = plan.firstWritten + kRowsPerMessage - 1;
    // Rows past the group's last message belong to no satellite of this report.
    if (messageNumber == 1 && messageCount == 1) {
        plan.firstBlanked = 5;
        plan.lastBlanked = kRows;
    } else if (messageNumber <= 2 && messageCount == 2) {
        plan.firstBlanked = 9;
        plan.lastBlanked = kRows;
    }
    return plan;
}
