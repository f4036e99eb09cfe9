#include "SentenceGenerator.h"

#include <gtest/gtest.h>

#include "NmeaText.h"
#include "SentenceChecks.h"

using namespace kelmsim;
using simtest::fieldsOf;

namespace {

EpochData epochWith(std::size_t satellites, bool fix) {
    EpochData e;
    e.time = {2026, 3, 1, 9, 5, 7, 250};
    for (std::size_t i = 0; i < satellites; ++i) {
        SatelliteReport s{static_cast<int>(i * 2 + 1), static_cast<int>(5 + i * 7),
                          static_cast<int>(i * 30), 30 + static_cast<int>(i)};
        if (i % 3 == 2) {
            s.cno.reset();
        }
        e.inView.push_back(s);
        if (fix && s.cno) {
            e.usedPrns.push_back(s.prn);
        }
    }
    if (fix) {
        e.fixMode = 3;
        e.position = {-33.8688, -70.6693, 520.4};
        e.geoidSeparation = 31.2;
        e.speedKnots = 11.66;
        e.course = 273.46;
        e.dops = {1.84, 0.96, 1.57};
    }
    return e;
}

struct GsvCase {
    std::size_t satellites;
    std::size_t messages;
    std::vector<std::size_t> blocksPerMessage;
};

TEST(SentenceGenerator, GsvGroupsUpToFourSatellitesPerMessage) {
    const GsvCase cases[] = {
        {0, 1, {0}},    {1, 1, {1}},       {4, 1, {4}},        {5, 2, {4, 1}},
        {8, 2, {4, 4}}, {9, 3, {4, 4, 1}}, {12, 3, {4, 4, 4}},
    };
    for (const auto& c : cases) {
        const auto messages = SentenceGenerator::gsv(epochWith(c.satellites, true));
        ASSERT_EQ(messages.size(), c.messages) << c.satellites << " satellites";
        for (std::size_t m = 0; m < messages.size(); ++m) {
            const auto f = fieldsOf(frameSentence(messages[m], true));
            EXPECT_EQ(f[0], "GPGSV");
            EXPECT_EQ(f[1], std::to_string(c.messages));
            EXPECT_EQ(f[2], std::to_string(m + 1));
            EXPECT_EQ(std::stoul(f[3]), c.satellites);
            EXPECT_EQ(f[3].size(), 2u);
            EXPECT_EQ(f.size(), 4 + 4 * c.blocksPerMessage[m]) << messages[m];
        }
    }
}

TEST(SentenceGenerator, GsvFieldsHaveReceiverWidths) {
    EpochData e;
    e.inView = {{3, 5, 7, 42}, {17, 60, 123, std::nullopt}};
    const auto messages = SentenceGenerator::gsv(e);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "GPGSV,1,1,02,03,05,007,42,17,60,123,");
}

TEST(SentenceGenerator, NoFixLeavesPositionFieldsEmpty) {
    const EpochData e = epochWith(6, false);
    const auto gga = fieldsOf(frameSentence(SentenceGenerator::gga(e), true));
    EXPECT_EQ(gga[1], "090507.25");
    for (int i : {2, 3, 4, 5, 8, 9}) {
        EXPECT_EQ(gga[i], "") << "GGA field " << i;
    }
    EXPECT_EQ(gga[6], "0");

    const auto gsa = fieldsOf(frameSentence(SentenceGenerator::gsa(e), true));
    EXPECT_EQ(gsa[2], "1");
    ASSERT_EQ(gsa.size(), 18u);
    for (std::size_t i = 3; i < gsa.size(); ++i) {
        EXPECT_EQ(gsa[i], "") << "GSA field " << i;
    }

    const auto rmc = fieldsOf(frameSentence(SentenceGenerator::rmc(e), true));
    EXPECT_EQ(rmc[2], "V");
    for (int i : {3, 4, 5, 6, 7, 8}) {
        EXPECT_EQ(rmc[i], "") << "RMC field " << i;
    }
    EXPECT_EQ(rmc[9], "010326");

    EXPECT_EQ(fieldsOf(frameSentence(SentenceGenerator::gll(e), true))[6], "V");
    EXPECT_EQ(fieldsOf(frameSentence(SentenceGenerator::vtg(e), true))[1], "");
}

TEST(SentenceGenerator, FixSentencesCarryTheEpoch) {
    const EpochData e = epochWith(10, true);
    const auto gga = fieldsOf(frameSentence(SentenceGenerator::gga(e), true));
    EXPECT_EQ(gga[2], "3352.1280");
    EXPECT_EQ(gga[3], "S");
    EXPECT_EQ(gga[4], "07040.1580");
    EXPECT_EQ(gga[5], "W");
    EXPECT_EQ(gga[6], "1");
    EXPECT_EQ(gga[7], "07");
    EXPECT_EQ(gga[8], "1.0");
    EXPECT_EQ(gga[9], "520.4");
    EXPECT_EQ(gga[11], "31.2");

    const auto gsa = fieldsOf(frameSentence(SentenceGenerator::gsa(e), true));
    EXPECT_EQ(gsa[2], "3");
    EXPECT_EQ(gsa[3], "01");
    EXPECT_EQ(gsa[9], "19");
    EXPECT_EQ(gsa[10], "");
    EXPECT_EQ(gsa[15], "1.8");
    EXPECT_EQ(gsa[16], "1.0");
    EXPECT_EQ(gsa[17], "1.6");

    const auto rmc = fieldsOf(frameSentence(SentenceGenerator::rmc(e), true));
    EXPECT_EQ(rmc[2], "A");
    EXPECT_EQ(rmc[4], "S");
    EXPECT_EQ(rmc[6], "W");
    EXPECT_EQ(rmc[7], "11.7");
    EXPECT_EQ(rmc[8], "273.5");

    const auto vtg = fieldsOf(frameSentence(SentenceGenerator::vtg(e), true));
    EXPECT_EQ(vtg[1], "273.5");
    EXPECT_EQ(vtg[5], "11.7");
    EXPECT_EQ(vtg[7], "21.6");

    const auto gll = fieldsOf(frameSentence(SentenceGenerator::gll(e), true));
    EXPECT_EQ(gll[1], "3352.1280");
    EXPECT_EQ(gll[5], "090507.25");
}

TEST(SentenceGenerator, EverySentenceIsValidNmea) {
    for (bool fix : {false, true}) {
        for (std::size_t n : {0u, 3u, 12u}) {
            EpochData e = epochWith(n, fix);
            // The widest values a receiver reports, to check the 82-character limit.
            e.position = {-89.999, -179.999, 8848.9};
            e.speedKnots = 194.4;
            e.course = 359.9;
            for (int t = 0; t < kOutputSentenceCount; ++t) {
                for (const auto& p :
                     SentenceGenerator::payloads(static_cast<OutputSentence>(t), e)) {
                    EXPECT_TRUE(simtest::isValidSentence(frameSentence(p, true)));
                }
            }
        }
    }
}

}  // namespace
