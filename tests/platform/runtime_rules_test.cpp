#include "platform/rules/runtime_rules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace kv {
namespace {

TEST(RuntimeBoolean, TrueHasAllBitsSet)
{
    EXPECT_EQ(toRuntimeBoolean(true), -1);
    EXPECT_EQ(static_cast<std::uint16_t>(toRuntimeBoolean(true)), 0xFFFF);
    EXPECT_EQ(toRuntimeBoolean(false), 0);
    EXPECT_TRUE(fromRuntimeBoolean(-1));
    EXPECT_TRUE(fromRuntimeBoolean(1));
    EXPECT_FALSE(fromRuntimeBoolean(0));
}

struct RoundCase
{
    double value;
    double expected;
};

TEST(RoundHalfEven, WholeNumbersHalvesToEven)
{
    const RoundCase cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {1.5, 2},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0, 0},
        {7, 7},
        {-0.4, 0},
        {1.0 * 3 * 1.5, 4},      // raw 3, gain 1.0, attenuation 1.5
        {1.0 * 5 * 1.5, 8},      // raw 5
        {2.5000000000000004, 3}, // not a half: the binary value decides
        {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(RoundHalfEven, IntegerConversionsReportOverflow)
{
    EXPECT_EQ(roundToInt16(2.5), 2);
    EXPECT_EQ(roundToInt16(3.5), 4);
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_EQ(roundToInt16(32767.5), std::nullopt);
    EXPECT_EQ(roundToInt16(-32769.0), std::nullopt);
    EXPECT_EQ(roundToInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(roundToInt16(std::numeric_limits<double>::infinity()), std::nullopt);
    EXPECT_EQ(roundToInt32(-2.5), -2);
    EXPECT_EQ(roundToInt32(2147483646.5), 2147483646);
    EXPECT_EQ(roundToInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(roundToInt32(1e10), std::nullopt);
}

struct DecimalRoundCase
{
    double value;
    int decimals;
    double expected;
};

TEST(RoundHalfEven, DecimalPlacesJudgedOnTheDecimalText)
{
    const DecimalRoundCase cases[] = {
        {12.25, 1, 12.2},  {12.35, 1, 12.4}, {1.235, 2, 1.24}, {-1.235, 2, -1.24},
        {123.456, 0, 123}, {1.0, 2, 1},      {0.125, 2, 0.12}, {0.135, 2, 0.14},
        {2.675, 2, 2.68},  {0.0004, 3, 0},   {9.9996, 3, 10},  {1234.5, 0, 1234},
        {1235.5, 0, 1236}, {0.05, 1, 0},     {0.15, 1, 0.2},   {12.346, 1, 12.3},
        {5, -1, 5},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(roundHalfEven(c.value, c.decimals), c.expected)
            << c.value << " to " << c.decimals;
}

struct PatternCase
{
    double value;
    const char* pattern;
    const char* expected;
};

TEST(FormatPattern, FixedPointHalvesAwayFromZero)
{
    const PatternCase cases[] = {
        {0.47071, "##0.000", "0.471"},
        {1.23456, "##0.000", "1.235"},
        {0.4707, "##0.000", "0.471"},
        {-0.4707, "##0.000", "-0.471"},
        {0.9996, "##0.000", "1.000"},
        {-0.0502, "##0.000", "-0.050"},
        {0.0031, "##0.000", "0.003"},
        {0, "##0.000", "0.000"},
        {12.25, "##0.000", "12.250"},
        {123.456, "##0.000", "123.456"},
        {0.0005, "##0.000", "0.001"},
        {-0.0005, "##0.000", "-0.001"},
        {2.0005, "##0.000", "2.001"},
        {1234.5, "##0.000", "1234.500"},
        {-0.0001, "##0.000", "0.000"},
        {1e-20, "##0.000", "0.000"},
        {0.05, "0.000", "0.050"},
        {-12.3456, "###0.000", "-12.346"},
        {2.5, "##0", "3"},
        {-2.5, "##0", "-3"},
        {0.4, "##0", "0"},
        {999.5, "##0", "1000"},
        {1e20, "##0", "100000000000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatPattern(c.value, c.pattern), c.expected) << c.value << " " << c.pattern;
}

TEST(FormatPattern, RejectsPatternsItDoesNotKnow)
{
    for (const char* pattern : {"", "#,##0", "0.0#", "0.00%", "abc"})
        EXPECT_THROW(formatPattern(1.0, pattern), std::invalid_argument) << pattern;
}

struct TextCase
{
    double value;
    const char* expected;
};

TEST(NumberToText, DoublesFifteenSignificantDigits)
{
    const TextCase cases[] = {
        {1.23, "1.23"},
        {12.3, "12.3"},
        {123, "123"},
        {0.05, "0.05"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {2000.0 / 3, "666.666666666667"},
        {1.0 / 3, "0.333333333333333"},
        {0.1 + 0.2, "0.3"},
        {123.0 * 0.01, "1.23"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {-2e20, "-2E+20"},
        {1e100, "1E+100"},
        {0.0001, "0.0001"},
        {0.000015, "1.5E-05"},
        {-0.0, "0"},
        {0, "0"},
        {16711680, "16711680"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
        {-std::numeric_limits<double>::infinity(), "-Inf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doubleToText(c.value), c.expected);
}

TEST(NumberToText, SinglesSevenSignificantDigits)
{
    EXPECT_EQ(singleToText(1.0196081f), "1.019608");
    EXPECT_EQ(singleToText(0.1f), "0.1");
    EXPECT_EQ(singleToText(20.0f), "20");
    EXPECT_EQ(singleToText(0.01569f), "0.01569");
    EXPECT_EQ(singleToText(0.076825f), "0.076825");
    EXPECT_EQ(singleToText(-150 * 0.000001f), "-0.00015");
    EXPECT_EQ(singleToText(1234567.0f), "1234567");
    EXPECT_EQ(singleToText(1e7f), "1E+07");
}

struct PrintCase
{
    StatementItem item;
    char separator;
    const char* expected;
};

TEST(PrintStatementText, SettingsFileForms)
{
    const PrintCase cases[] = {
        {1, '.', " 1 "},
        {255, '.', " 255 "},
        {-3, '.', "-3 "},
        {750, '.', " 750 "},
        {16711680L, '.', " 16711680 "},
        {1.5, '.', " 1.5 "},
        {1.5, ',', " 1,5 "},
        {0.5, '.', " 0.5 "},
        {-0.000015, ',', "-1,5E-05 "},
        {1.0196081f, '.', " 1.019608 "},
        {20.0f, '.', " 20 "},
        {true, '.', "True"},
        {false, ',', "False"},
        {"00", '.', "00"},
        {"Rising", '.', "Rising"},
        {std::string("100mV"), '.', "100mV"},
        {Variant(" 750 "), '.', " 750 "}, // a loaded text is written back as read
        {Variant(2.0), '.', " 2 "},
        {Variant(true), '.', "True"},
        {Variant(), '.', ""},
        {StatementItem(), '.', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrintStatementText(c.item, c.separator), c.expected);
}

TEST(WriteStatementText, ReferenceAndExportForms)
{
    EXPECT_EQ(WriteStatementText({"100mV"}), "\"100mV\"");
    EXPECT_EQ(WriteStatementText({"50uS"}), "\"50uS\"");
    EXPECT_EQ(WriteStatementText({1.5f}), "1.5");
    EXPECT_EQ(WriteStatementText({0.6627451}), "0.6627451");
    EXPECT_EQ(WriteStatementText({true}), "#TRUE#");
    EXPECT_EQ(WriteStatementText({false}), "#FALSE#");
    EXPECT_EQ(WriteStatementText({StatementItem{}, StatementItem{}, StatementItem{}, "Time Stamp"}),
              ",,,\"Time Stamp\"");
    EXPECT_EQ(WriteStatementText({"Time(S)", "CH1(V)", "CH2(V)"}),
              "\"Time(S)\",\"CH1(V)\",\"CH2(V)\"");
    EXPECT_EQ(WriteStatementText({-150 * 0.000001f, 0.0784, -1.2}), "-0.00015,0.0784,-1.2");
    EXPECT_EQ(WriteStatementText({1.0 / 3, -7}), "0.333333333333333,-7");
    EXPECT_EQ(WriteStatementText({Variant(2.5), Variant(), Variant("x")}), "2.5,,\"x\"");
    EXPECT_EQ(WriteStatementText({}), "");
    EXPECT_EQ(kStatementLineEnd, "\r\n");
}

struct ParseCase
{
    const char* text;
    std::optional<double> expected;
};

// Both points read whatever the locale: the settings file is written with the locale's point and
// read back where another locale holds.
TEST(ParseNumberText, AcceptsBothSeparatorsAndBlanks)
{
    const ParseCase cases[] = {
        {" 1 ", 1},
        {" 255 ", 255},
        {"-3 ", -3},
        {" 1.5 ", 1.5},
        {" 1,5 ", 1.5},
        {" 0,78125 ", 0.78125},
        {"-1,5E-05", -1.5e-5},
        {",5", 0.5},
        {".5", 0.5},
        {" .5 ", 0.5},
        {"5.", 5},
        {"-.5", -0.5},
        {"+2", 2},
        {"1E-05", 1e-5},
        {"1.5e+3", 1500},
        {"1.019608\r", 1.019608},
        {"\t7\t", 7},
        {" 0 ", 0},
        {"1e-400", 0},
        {"0.1234", 0.1234},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1,000.5", std::nullopt},
        {"1.000,5", std::nullopt},
        {"1,2,3", std::nullopt},
        {",", std::nullopt},
        {"NaN", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"-Infinity", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e5", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1 2", std::nullopt},
        {"0x10", std::nullopt},
        {"1e400", std::nullopt},
        {"True", std::nullopt},
        {"\"100mV\"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNumberText(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ParseNumberText, ReadsBackWhatPrintAndWriteProduce)
{
    for (double value : {0.0, 1.0, -3.0, 0.5, 2000.0 / 3, -1.5e-5, 1e15, 1.23456789012346e17}) {
        for (char separator : {'.', ','}) {
            const auto printed = PrintStatementText(value, separator);
            const auto read = parseNumberText(printed);
            ASSERT_TRUE(read) << printed;
            EXPECT_DOUBLE_EQ(*read, std::stod(doubleToText(value))) << printed;
        }
        EXPECT_EQ(parseNumberText(WriteStatementText({value})),
                  parseNumberText(doubleToText(value)));
    }
}

TEST(ParseBooleanText, WordsHashFormsAndNumbers)
{
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"True", true},        {"False", false},      {" True ", true},
        {"TRUE", true},        {"false\r", false},    {"#TRUE#", true},
        {"#FALSE#", false},    {"#true#", true},      {"-1", true},
        {" 0 ", false},        {"1", true},           {"0.5", true},
        {"", std::nullopt},    {"yes", std::nullopt}, {"#TRUE", std::nullopt},
        {"Tru", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parseBooleanText(text), expected) << '"' << text << '"';
}

TEST(TimeStampTrailer, ThreeQuotedLinesAfterThreeCommas)
{
    const QDateTime when(QDate(2024, 3, 14), QTime(13, 5, 9));
    const auto us = TimeStampTrailer(when, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us[0], ",,,\"Time Stamp\"");
    EXPECT_EQ(us[1], ",,,\"3/14/24\"");
    EXPECT_EQ(us[2], ",,,\"1:05:09 PM\"");
    const auto de = TimeStampTrailer(when, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(de[1], ",,,\"14.03.24\"");
    EXPECT_EQ(de[2], ",,,\"13:05:09\"");
}

} // namespace
} // namespace kv
