#include "CommandParser.h"

#include <gtest/gtest.h>

#include "SentenceChecks.h"
#include "SimRandom.h"

using namespace kelmsim;
using simtest::commandFrame;
using Kind = CommandEvent::Kind;

namespace {

std::string fiveTimes(const std::string& frame) {
    std::string out;
    for (int i = 0; i < 5; ++i) {
        out += frame;
    }
    return out;
}

struct RateCase {
    const char* body;
    OutputSentence sentence;
    int interval;
    bool checksum;
};

TEST(CommandParser, ParsesRateCommandsAsTheControlProgramWritesThem) {
    const RateCase cases[] = {
        {"PQKL103,00,00,01,01", OutputSentence::GGA, 1, true},
        {"PQKL103,01,00,00, 1", OutputSentence::GLL, 0, true},
        {"PQKL103,02,00,10,00", OutputSentence::GSA, 10, false},
        {"PQKL103,03,00,100,01", OutputSentence::GSV, 100, true},
        {"PQKL103,04,00,05,00", OutputSentence::RMC, 5, false},
        {"PQKL103,05,00,00, 0", OutputSentence::VTG, 0, false},
        {"PQKL103,5,0,0,1", OutputSentence::VTG, 0, true},
    };
    for (const auto& c : cases) {
        const std::string frame = commandFrame(c.body);
        const auto parsed = CommandParser::parseSentence(frame.substr(0, frame.size() - 2));
        ASSERT_TRUE(std::holds_alternative<Command>(parsed))
            << c.body << ": " << std::get<std::string>(parsed);
        const auto& rate = std::get<RateCommand>(std::get<Command>(parsed));
        EXPECT_EQ(rate.sentence, c.sentence) << c.body;
        EXPECT_EQ(rate.interval, c.interval) << c.body;
        EXPECT_EQ(rate.withChecksum, c.checksum) << c.body;
    }
}

TEST(CommandParser, ParsesResetCommands) {
    const auto parsed =
        CommandParser::parseSentence("$PQKL104,24.1233321,121.43323,0,75000,216000,521,12,4*07");
    ASSERT_TRUE(std::holds_alternative<Command>(parsed)) << std::get<std::string>(parsed);
    const auto& r = std::get<ResetCommand>(std::get<Command>(parsed));
    EXPECT_DOUBLE_EQ(r.latitude, 24.1233321);
    EXPECT_DOUBLE_EQ(r.longitude, 121.43323);
    EXPECT_DOUBLE_EQ(r.altitude, 0.0);
    EXPECT_EQ(r.clockOffset, 75000);
    EXPECT_DOUBLE_EQ(r.timeOfWeek, 216000.0);
    EXPECT_EQ(r.week, 521);
    EXPECT_EQ(r.channels, 12);
    EXPECT_EQ(r.mode, ResetMode::Cold);

    const struct {
        const char* body;
        ResetMode mode;
    } modes[] = {{"PQKL104,-33.8688,-70.6693,520,75000,345600,2410,12,2", ResetMode::Warm},
                 {"PQKL104,51.5,-0.12,20,0,100000,2300,8,1", ResetMode::Hot},
                 {"PQKL104,10,20,0,0,0,2400,12,3", ResetMode::Cold}};
    for (const auto& m : modes) {
        const std::string frame = commandFrame(m.body);
        const auto p = CommandParser::parseSentence(frame.substr(0, frame.size() - 2));
        ASSERT_TRUE(std::holds_alternative<Command>(p)) << m.body;
        EXPECT_EQ(std::get<ResetCommand>(std::get<Command>(p)).mode, m.mode) << m.body;
    }
}

TEST(CommandParser, RejectsMalformedCommands) {
    const char* sentences[] = {
        "$PQKL103,00,00,01,01*35",  // checksum off by one bit
        "$PQKL103,00,00,01,01",     // no checksum
        "$PQKL103,00,00,01,01*3",   "$PQKL103,00,00,01,01*3g",
        "$PQKL103,00,00,01,01*344", "PQKL103,00,00,01,01*34",
    };
    for (const char* s : sentences) {
        EXPECT_TRUE(std::holds_alternative<std::string>(CommandParser::parseSentence(s))) << s;
    }
    const char* bodies[] = {
        "PQKL103,06,00,01,01",
        "PQKL103,-1,00,01,01",
        "PQKL103,00,00,-1,01",
        "PQKL103,00,00,01,02",
        "PQKL103,00,00,01",
        "PQKL103,00,00,01,01,01",
        "PQKL103,00,xx,01,01",
        "PQKL103,00,00,1.5,01",
        "PQKL103,00,00,,01",
        "PQKL104,91,0,0,0,0,0,12,1",
        "PQKL104,0,181,0,0,0,0,12,1",
        "PQKL104,0,0,0,0,604800,0,12,1",
        "PQKL104,0,0,0,0,-1,0,12,1",
        "PQKL104,0,0,0,0,0,-1,12,1",
        "PQKL104,0,0,0,0,0,0,0,1",
        "PQKL104,0,0,0,0,0,0,13,1",
        "PQKL104,0,0,0,0,0,0,12,5",
        "PQKL104,0,0,0,0,0,0,12,0",
        "PQKL104,nan,0,0,0,0,0,12,1",
        "PQKL104,1e3,0,0,0,0,0,12,1",
        "PQKL104,0,0,0,0,0,0,12",
        "PQKL104,0,0,0,x,0,0,12,1",
        "PQKL105,0,0,0,0,0,0,12,1",
        "GPGGA,,,,,,0,00,,,M,,M,,",
        "",
    };
    for (const char* body : bodies) {
        const std::string frame = commandFrame(body);
        const auto parsed = CommandParser::parseSentence(frame.substr(0, frame.size() - 2));
        EXPECT_TRUE(std::holds_alternative<std::string>(parsed)) << body;
    }
}

TEST(CommandParser, FiveRepeatsInOneWriteAreOneCommand) {
    CommandParser parser;
    const auto events = parser.feed(fiveTimes(commandFrame("PQKL103,00,00,01,01")), 10.0);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, Kind::Accepted);
    for (std::size_t i = 1; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, Kind::Repeat);
        EXPECT_FALSE(events[i].command);
    }
}

TEST(CommandParser, SentenceSetupGivesSixAcceptedCommands) {
    const char* bodies[] = {"PQKL103,00,00,01,01", "PQKL103,01,00,00, 1", "PQKL103,02,00,01,01",
                            "PQKL103,03,00,01,01", "PQKL103,04,00,01,01", "PQKL103,05,00,00, 1"};
    std::string stream;
    for (const char* b : bodies) {
        stream += fiveTimes(commandFrame(b));
    }
    CommandParser parser;
    int accepted = 0;
    for (const auto& e : parser.feed(stream, 1.0)) {
        accepted += e.kind == Kind::Accepted;
        EXPECT_NE(e.kind, Kind::Rejected) << e.text << ": " << e.reason;
    }
    EXPECT_EQ(accepted, 6);
}

TEST(CommandParser, SameCommandLaterIsNewAgain) {
    CommandParser parser(1.0);
    const std::string frame = commandFrame("PQKL103,00,00,01,01");
    EXPECT_EQ(parser.feed(frame, 5.0).at(0).kind, Kind::Accepted);
    EXPECT_EQ(parser.feed(frame, 5.9).at(0).kind, Kind::Repeat);
    EXPECT_EQ(parser.feed(frame, 6.8).at(0).kind, Kind::Repeat);  // within 1 s of the last copy
    EXPECT_EQ(parser.feed(frame, 8.0).at(0).kind, Kind::Accepted);
    // Another command in between ends the run of copies.
    EXPECT_EQ(parser.feed(commandFrame("PQKL103,00,00,02,01"), 8.1).at(0).kind, Kind::Accepted);
    EXPECT_EQ(parser.feed(frame, 8.2).at(0).kind, Kind::Accepted);
}

TEST(CommandParser, BadChecksumIsRejectedOnceForFiveCopies) {
    CommandParser parser;
    const auto events = parser.feed(fiveTimes("$PQKL103,00,00,01,01*35\r\n"), 0.0);
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, Kind::Rejected);
    EXPECT_NE(events[0].reason.find("checksum"), std::string::npos);
    EXPECT_EQ(events[4].kind, Kind::Repeat);
}

TEST(CommandParser, FramesAcrossPiecesAndSkipsNoise) {
    const std::string stream = "\x01garbage\r\n$PQKL10$broken\r\n" +
                               commandFrame("PQKL104,10,20,0,0,0,2400,12,4") + "tail";
    for (std::size_t piece : {1u, 3u, 7u, 1000u}) {
        CommandParser parser;
        std::vector<CommandEvent> events;
        for (std::size_t i = 0; i < stream.size(); i += piece) {
            for (auto& e : parser.feed(std::string_view(stream).substr(i, piece), 0.0)) {
                events.push_back(std::move(e));
            }
        }
        ASSERT_EQ(events.size(), 2u) << "piece " << piece;
        EXPECT_EQ(events[0].kind, Kind::Rejected);
        EXPECT_EQ(events[0].text, "$broken");
        EXPECT_EQ(events[1].kind, Kind::Accepted);
        EXPECT_TRUE(std::holds_alternative<ResetCommand>(*events[1].command));
    }
}

TEST(CommandParser, OverlongSentenceIsRejectedAndTheNextOneParses) {
    CommandParser parser;
    const std::string longLine = "$PQKL103," + std::string(5000, '0') + "\r\n";
    auto events = parser.feed(longLine + commandFrame("PQKL103,00,00,01,01"), 0.0);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, Kind::Rejected);
    EXPECT_LE(events[0].text.size(), CommandParser::kMaxSentence + 3);
    EXPECT_EQ(events[1].kind, Kind::Accepted);
}

TEST(CommandParser, ArbitraryBytesNeverYieldAnUncheckedCommand) {
    SimRandom random(99);
    CommandParser parser;
    std::string bytes;
    for (int i = 0; i < 200000; ++i) {
        // Mostly bytes that matter to the framing, to reach deep into the parser.
        const char pool[] = "$*,\r\nPQKL10340.-9 ";
        bytes += random.unit() < 0.7 ? pool[random.below(sizeof pool - 1)]
                                     : static_cast<char>(random.below(256));
    }
    const auto events = parser.feed(bytes, 0.0);
    EXPECT_GT(events.size(), 1000u);
    for (const auto& e : events) {
        if (e.kind == Kind::Rejected) {
            EXPECT_FALSE(e.reason.empty()) << e.text;
        }
        if (e.kind != Kind::Accepted) {
            continue;
        }
        // Whatever was accepted carried a correct checksum.
        ASSERT_TRUE(e.command);
        const std::size_t star = e.text.find('*');
        ASSERT_NE(star, std::string::npos);
        unsigned sum = 0;
        for (std::size_t i = 1; i < star; ++i) {
            sum ^= static_cast<unsigned char>(e.text[i]);
        }
        EXPECT_EQ(std::stoul(e.text.substr(star + 1), nullptr, 16), sum) << e.text;
    }
}

}  // namespace
