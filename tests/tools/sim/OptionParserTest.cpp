#include "OptionParser.h"

#include <gtest/gtest.h>

using namespace kelmsim;

namespace {

TEST(OptionParser, DefaultsWithoutArguments) {
    const SimOptions o = OptionParser::parse({});
    EXPECT_EQ(o.link, "ttyGPS");
    EXPECT_FALSE(o.output);
    EXPECT_FALSE(o.timestamps);
    EXPECT_EQ(o.baud, 4800);
    EXPECT_EQ(o.receiver.rateHz, 1);
    EXPECT_DOUBLE_EQ(o.duration, 0.0);
    EXPECT_FALSE(o.startGiven);
    EXPECT_FALSE(o.help);
}

TEST(OptionParser, ReadsEveryOptionInBothSpellings) {
    const SimOptions o = OptionParser::parse({"--link=./ttyTEST",
                                              "--lat",
                                              "-33.5",
                                              "--lon=-70.25",
                                              "--alt=12",
                                              "--speed",
                                              "3.5",
                                              "--rate=5",
                                              "--baud=9600",
                                              "--noise=0.01",
                                              "--cut",
                                              "0.05",
                                              "--duration=30",
                                              "--start=2025-06-01T12:00:00",
                                              "--seed=42",
                                              "--start-mode=cold",
                                              "--gll",
                                              "--vtg",
                                              "--systems=beidou,gps",
                                              "--nmea=4.00",
                                              "--scatter=2.5",
                                              "--output",
                                              "out.log"});
    EXPECT_EQ(o.link, "./ttyTEST");
    EXPECT_DOUBLE_EQ(o.receiver.start.latitude, -33.5);
    EXPECT_DOUBLE_EQ(o.receiver.start.longitude, -70.25);
    EXPECT_DOUBLE_EQ(o.receiver.start.altitude, 12.0);
    EXPECT_DOUBLE_EQ(o.receiver.speed, 3.5);
    EXPECT_EQ(o.receiver.rateHz, 5);
    EXPECT_EQ(o.baud, 9600);
    EXPECT_DOUBLE_EQ(o.byteNoise, 0.01);
    EXPECT_DOUBLE_EQ(o.cutNoise, 0.05);
    EXPECT_DOUBLE_EQ(o.duration, 30.0);
    EXPECT_TRUE(o.startGiven);
    EXPECT_EQ(o.receiver.startTime.utc().year, 2025);
    EXPECT_EQ(o.receiver.seed, 42u);
    EXPECT_EQ(o.receiver.startMode, ResetMode::Cold);
    EXPECT_TRUE(o.receiver.gll);
    EXPECT_TRUE(o.receiver.vtg);
    EXPECT_EQ(o.receiver.format.systems,
              (std::vector<GnssSystem>{GnssSystem::Gps, GnssSystem::Beidou}));
    EXPECT_EQ(o.receiver.format.version, NmeaVersion::V400);
    EXPECT_DOUBLE_EQ(o.receiver.scatter, 2.5);
    ASSERT_TRUE(o.output);
    EXPECT_EQ(*o.output, "out.log");
}

TEST(OptionParser, FileOutputRunsAMinuteUnlessTold) {
    EXPECT_DOUBLE_EQ(OptionParser::parse({"--output=x.log"}).duration, 60.0);
    EXPECT_TRUE(OptionParser::parse({"-h"}).help);
    EXPECT_TRUE(OptionParser::parse({"--help"}).help);
}

TEST(OptionParser, AMultiGnssReceiverHasAFasterLineUnlessTold) {
    EXPECT_EQ(OptionParser::parse({"--systems=gps,glonass"}).baud, 38400);
    EXPECT_EQ(OptionParser::parse({"--systems=gps,glonass", "--baud=9600"}).baud, 9600);
    EXPECT_EQ(OptionParser::parse({"--systems=gps"}).baud, 4800);
}

TEST(OptionParser, RejectsBadArgumentsNamingTheOption) {
    const std::vector<std::vector<std::string>> cases = {{"--lat=91"},
                                                         {"--lat=abc"},
                                                         {"--lon=-180.5"},
                                                         {"--rate=0"},
                                                         {"--rate=11"},
                                                         {"--rate=2.5"},
                                                         {"--baud=-1"},
                                                         {"--noise=1.5"},
                                                         {"--cut=-0.1"},
                                                         {"--duration=-1"},
                                                         {"--start=2025-02-30T00:00:00"},
                                                         {"--start-mode=lukewarm"},
                                                         {"--seed=x"},
                                                         {"--bogus"},
                                                         {"--lat"},
                                                         {"plain"},
                                                         {"--speed=inf"},
                                                         {"--alt="},
                                                         {"--systems=gps,mars"},
                                                         {"--systems=gps,"},
                                                         {"--nmea=4.2"},
                                                         {"--scatter=-1"}};
    for (const auto& args : cases) {
        try {
            OptionParser::parse(args);
            ADD_FAILURE() << args[0] << " was accepted";
        } catch (const OptionError& e) {
            const std::string expected = args[0].substr(0, args[0].find('='));
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

TEST(OptionParser, HelpExplainsEveryOption) {
    const std::string help = OptionParser::helpText();
    for (const char* option :
         {"--link",   "--output", "--timestamps", "--lat",   "--lon",    "--alt",
          "--speed",  "--rate",   "--baud",       "--noise", "--cut",    "--duration",
          "--start=", "--seed",   "--start-mode", "--gll",   "--vtg",    "--help",
          "$PQKL103", "$PQKL104", "--systems",    "--nmea",  "--scatter"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    // Every option the parser knows is in the help; an unknown one is refused.
    for (const char* option :
         {"--link=x", "--output=x", "--timestamps=x", "--seed=1", "--start-mode=hot"}) {
        EXPECT_NO_THROW(OptionParser::parse({option}));
    }
}

}  // namespace
