#include "FieldScanner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(FieldScanner, IntegerWidthsCountTheSign) {
    struct Case {
        const char* text;
        int width;
        bool ok;
        std::int32_t value;
        const char* rest;
    };
    const Case cases[] = {
        {"123519", 2, true, 12, "3519"}, {"-5,", 2, true, -5, ","}, {"7,", 1, true, 7, ","},
        {"  42x", 0, true, 42, "x"},     {"+08", 0, true, 8, ""},   {",", 0, false, 0, ","},
        {"-", 0, false, 0, "-"},         {"", 0, false, 0, ""},     {"4294967297", 0, true, 1, ""},
    };
    for (const Case& c : cases) {
        FieldScanner scan(c.text);
        std::int32_t value = 0;
        EXPECT_EQ(scan.Int(&value, c.width), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        // What follows must still match exactly where the number ended.
        EXPECT_TRUE(scan.Literal(c.rest)) << c.text;
    }
}

TEST(FieldScanner, IntegersOfAnyLengthAreTakenWhole) {
    // Far beyond 64 bits: the digits must be consumed without overflowing the accumulator
    // (the sanitized test run turns an overflow into a failure).
    const std::string digits[] = {std::string(19, '9'), std::string(20, '9'),
                                  "1115111111111111111111", std::string(150, '7')};
    for (const std::string& number : digits) {
        for (const std::string& text : {number + ",", "-" + number + ","}) {
            FieldScanner scan(text.c_str());
            std::int32_t value = 0;
            EXPECT_TRUE(scan.Int(&value)) << text;
            EXPECT_TRUE(scan.Literal(",")) << text;
            EXPECT_EQ(scan.Stored(), 1) << text;
        }
    }
}

TEST(FieldScanner, RealsTakeFractionAndExponentButNotInfOrNan) {
    struct Case {
        const char* text;
        bool ok;
        float value;
    };
    const Case cases[] = {
        {"4807.038", true, 4807.038f},
        {"19.99,", true, 19.99f},
        {".5", true, 0.5f},
        {"5.", true, 5.0f},
        {"-1.5e2", true, -150.0f},
        {"+2", true, 2.0f},
        {"1e", true, 1.0f},
        {",", false, 0.0f},
        {".", false, 0.0f},
        {"inf", false, 0.0f},
        {"nan", false, 0.0f},
        {"1e99", false, 0.0f},
    };
    for (const Case& c : cases) {
        FieldScanner scan(c.text);
        float value = 0.0f;
        EXPECT_EQ(scan.Float(&value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(FieldScanner, CharTakesAnyCharacterButNotTheEnd) {
    FieldScanner scan(",N");
    char c = 'x';
    EXPECT_TRUE(scan.Char(&c));
    EXPECT_EQ(c, ',');
    EXPECT_TRUE(scan.Char(&c));
    EXPECT_EQ(c, 'N');
    EXPECT_FALSE(scan.Char(&c));
    EXPECT_EQ(c, 'N');
    EXPECT_EQ(scan.Stored(), 2);
}

TEST(FieldScanner, AFailedLiteralLeavesTheCursor) {
    FieldScanner scan("GNGGA,1");
    EXPECT_FALSE(scan.Literal("GPGGA,"));
    EXPECT_TRUE(scan.Literal("GNGGA,"));
}

}  // namespace
