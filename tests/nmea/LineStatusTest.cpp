#include "LineStatus.h"

#include <gtest/gtest.h>

#include "LineReport.h"

namespace {

TEST(LineStatus, TextsFollowTheInputs) {
    using Kind = LineSource::Kind;
    using Phase = LinePhase;
    struct State {
        LineActivity activity;
        const char* text;
    };
    const State states[] = {
        {{Phase::Stopped, Kind::Serial, true, 0}, "Stopped"},
        {{Phase::Running, Kind::Serial, false, 1}, "Waiting for data"},
        {{Phase::Running, Kind::Serial, true, 2}, "Receiving"},
        {{Phase::Running, Kind::Serial, true, 12}, "No data for 12 s"},
        {{Phase::Running, Kind::Serial, true, 12, 12}, "No data for 12 s"},
        {{Phase::Running, Kind::Serial, true, 0, 2}, "Receiving"},
        {{Phase::Running, Kind::Serial, true, 0, 3}, LineStatus::kNoiseText},
        {{Phase::Running, Kind::Network, true, 0, 5}, "Receiving noise, no sentences"},
        {{Phase::Unplugged, Kind::Serial, true, 40},
         "Receiver unplugged: waiting for it to return"},
        {{Phase::Unplugged, Kind::Network, true, 40}, "Connection lost: reconnecting"},
        {{Phase::Connecting, Kind::Network, false, 4}, "Connecting..."},
        {{Phase::PlaybackFinished, Kind::Playback, true, 9}, "Playback finished"},
        {{Phase::Paused, Kind::Playback, true, 25, 25, 38533.5}, "Paused at 10:42:13"},
        {{Phase::Paused, Kind::Playback, true, 25}, "Paused"},
        {{Phase::PausedViewClosed, Kind::Playback, true, 25},
         "Paused while the Measured Message view is closed"},
        {{Phase::NoPlaybackFile, Kind::Playback, false, 30},
         "Choose the log file again (Setup > Data Source > ...)"},
    };
    for (const State& s : states) {
        EXPECT_EQ(LineStatus::StateText(s.activity), s.text) << s.text;
    }
    EXPECT_EQ(LineStatus::RateText(LinePhase::Connecting, 0), "");

    struct Fix {
        int mode, available, satellites;
        const char* text;
    };
    const Fix fixes[] = {
        {1, 0, 7, "No fix"},
        {3, 0, 7, "No fix"},
        {2, 1, 5, "2D fix, 5 satellites"},
        {3, 1, 9, "3D fix, 9 satellites"},
        {3, 1, 1, "3D fix, 1 satellite"},
        {2, 1, -1, "2D fix"},
    };
    for (const Fix& f : fixes) {
        EXPECT_EQ(LineStatus::FixText(f.mode, f.available, f.satellites), f.text) << f.text;
    }

    struct Source {
        LineSource source;
        const char* text;
    };
    const Source sources[] = {
        {{Kind::Serial, "/dev/ttyUSB0", 4800, 8, 'N', 0}, "/dev/ttyUSB0 4800 8N1"},
        {{Kind::Serial, "COM2", 115200, 7, 'E', 2}, "COM2 115200 7E2"},
        {{Kind::Playback, "drive.log", 4800, 8, 'N', 0}, "drive.log"},
        {{Kind::Network, "gpsd://localhost:2947", 4800, 8, 'N', 0}, "gpsd://localhost:2947"},
    };
    for (const Source& s : sources) {
        EXPECT_EQ(LineStatus::SourceText(s.source), s.text);
    }
}

TEST(LineStatus, SatellitesUsedComeFromGgaOnly) {
    const std::pair<const char*, int> cases[] = {
        {"GPGGA,091519.00,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,*47\r\n", 8},
        {"GNGGA,1,2,N,3,E,1,12,0.9,5,M,4,M,,*00\n", 12},
        {"GPGGA,1,2,N,3,E,1,,0.9,5,M,4,M,,*00\n", -1},
        {"GPRMC,1,A,2,N,3,E,4,5,6,,*00\n", -1},
    };
    for (const auto& [text, used] : cases) {
        EXPECT_EQ(LineStatus::GgaSatellitesUsed(text), used) << text;
    }
}

TEST(LineStatus, ReportGivesTheShareOfTheLineAtTenBitsAByte) {
    LineStatistics statistics;
    auto valueOf = [&](const LineRates& rates, const std::string& name) {
        for (const LineReportRow& row : MakeLineReport(statistics, rates)) {
            if (row.name == name) {
                return row.value;
            }
        }
        return std::string("<none>");
    };
    EXPECT_EQ(valueOf({240.0, 4800, 0.3}, "Share of the line's capacity"), "50.0 %");
    EXPECT_EQ(valueOf({240.0, 0, 0.3}, "Share of the line's capacity"), "-");
    EXPECT_EQ(valueOf({0.0, 4800, -1}, "Time since the last byte"), "no byte yet");
}

}  // namespace
