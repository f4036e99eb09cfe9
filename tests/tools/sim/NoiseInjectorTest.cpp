#include "NoiseInjector.h"

#include <gtest/gtest.h>

#include "NmeaText.h"
#include "SentenceChecks.h"

using namespace kelmsim;

namespace {

const std::string kSentence =
    frameSentence("GPGGA,100008.00,2407.3777,N,12125.9887,E,1,07,1.0,50.0,M,21.9,M,,", true);

TEST(NoiseInjector, NoNoiseLeavesSentencesAlone) {
    NoiseInjector noise(0.0, 0.0, 1);
    EXPECT_FALSE(noise.active());
    EXPECT_EQ(noise.apply(kSentence), kSentence);
}

TEST(NoiseInjector, CorruptsAboutTheGivenShareOfBytesAndKeepsFraming) {
    NoiseInjector noise(0.02, 0.0, 5);
    std::size_t bytes = 0;
    std::size_t changed = 0;
    std::size_t failing = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string out = noise.apply(kSentence);
        ASSERT_EQ(out.size(), kSentence.size());
        EXPECT_EQ(out[0], '$');
        EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
        EXPECT_EQ(out.find('$', 1), std::string::npos);
        for (std::size_t k = 0; k < out.size(); ++k) {
            changed += out[k] != kSentence[k];
        }
        bytes += out.size();
        failing += out != kSentence && !simtest::isValidSentence(out);
    }
    const double share = static_cast<double>(changed) / static_cast<double>(bytes);
    EXPECT_GT(share, 0.015);
    EXPECT_LT(share, 0.025);
    EXPECT_GT(failing, 1000u);
}

TEST(NoiseInjector, CutsSentencesShortButEndsTheLine) {
    NoiseInjector noise(0.0, 1.0, 3);
    for (int i = 0; i < 200; ++i) {
        const std::string out = noise.apply(kSentence);
        EXPECT_LT(out.size(), kSentence.size());
        EXPECT_GE(out.size(), 4u);
        EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
        EXPECT_EQ(kSentence.compare(0, out.size() - 2, out, 0, out.size() - 2), 0);
    }
}

TEST(NoiseInjector, OccasionalCutsAtTheGivenShare) {
    NoiseInjector noise(0.0, 0.1, 4);
    int cut = 0;
    for (int i = 0; i < 2000; ++i) {
        cut += noise.apply(kSentence) != kSentence;
    }
    EXPECT_GT(cut, 150);
    EXPECT_LT(cut, 250);
}

}  // namespace
