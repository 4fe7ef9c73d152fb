#include "display/rules/value_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kv {
namespace {

using Text = std::optional<std::string>;

struct VoltageCase
{
    Variant value;
    Text expected;
};

TEST(FormatVoltage, MillivoltsBelowOneVoltFourDigitsAbove)
{
    const VoltageCase cases[] = {
        {0.4707, "471mV"},
        {-0.4707, "-471mV"},
        {0.47071, "471mV"},
        {0.0031, "3mV"},
        {-0.0502, "-50mV"},
        {0.05, "50mV"},
        {0, "0mV"},
        {0.1, "100mV"},
        {0.0005, "1mV"},  // the pattern rounds half away from zero
        {-0.0001, "0mV"}, // rounds to zero: no minus sign
        {0.9996, "1 V"},  // the pattern carries it to 1.000
        {5, "5 V"},
        {1.23456, "1.24 V"},
        {12.25, "12.2 V"}, // the second rounding goes to even
        {12.35, "12.4 V"},
        {-12.25, "-12.2 V"},
        {12.346, "12.3 V"},
        {123.456, "123 V"},
        {-1.235, "-1.24 V"},
        {1.0, "1 V"},
        {999.9996, "1000 V"}, // from 1000 V on, whole volts
        {1234.5, "1234 V"},
        {"0.4707", "471mV"}, // the caption of a label holding the number
        {" -1.235 ", "-1.24 V"},
        {"-", std::nullopt},
        {"abc", std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Voltage(c.value), c.expected) << c.value.toText();
}

struct TimeCase
{
    double freqEstimate;
    Text expected;
};

TEST(FormatTime, PeriodOfTheFrequencyEstimate)
{
    const TimeCase cases[] = {
        {0, "0 uS"},
        {200000, "5 uS"},
        {50000, "20 uS"},
        {8000, "125 uS"},
        {1000, "1 mS"},
        {1, "1  S"},
        {1e6 / 5.123, "5.1 uS"},
        {1e6 / 12.345, "12.3 uS"},
        {1e6 / 123.45, "123 uS"},
        {1e6 / 1234.5, "1.23 mS"},
        {1e6 / 15000, "15 mS"},
        {1e6 / 150000, "150 mS"},
        {1.5, "666 mS"}, // 666666.67 us: the characters are cut, not rounded
        {0.5, "2  S"},
        {0.02, "50  S"},
        {0.002, "500  S"},
        {0.001, std::nullopt}, // 1000 s: no row
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format_Time(c.freqEstimate), c.expected) << c.freqEstimate;
        EXPECT_EQ(Format_Time2CH(c.freqEstimate), c.expected) << c.freqEstimate;
    }
}

TEST(FormatTime, RoundingCarryKeepsTheUnitRight)
{
    // 999.6 us counts four digits; the value is about 1 ms, not 9.99 ms.
    EXPECT_EQ(Format_Time(1e6 / 999.6), "1 mS");
    EXPECT_EQ(Format_Time(1e6 / 9999.6), "10 mS");
    // 99.96 us: the four characters of its row still read right.
    EXPECT_EQ(Format_Time(1e6 / 99.96), "99.9 uS");
    // Without a carry the characters are cut, not rounded.
    EXPECT_EQ(Format_Time(1e6 / 1239.7), "1.23 mS");
}

struct FrequencyCase
{
    Variant value;
    Text expected;
};

TEST(FormatFrequency, HertzToGigahertz)
{
    const FrequencyCase cases[] = {
        {5, "5 Hz"},
        {12.345, "12.3 Hz"},
        {0, "0 Hz"},
        {123.45, "123 Hz"},
        {666.67, "666 Hz"},
        {2000.0 / 3, "666 Hz"},
        {1234.5, "1.23KHz"},
        {1000, "1KHz"},
        {1500, "1.5KHz"},
        {25000, "25KHz"},
        {250000, "250KHz"},
        {1000000, "1MHz"},
        {12345678, "12.3MHz"},
        {123456789, "123MHz"},
        {1234567890, "1.23GHz"},
        {12345678901.0, std::nullopt}, // eleven digits: no row
        {"1500", "1.5KHz"},
        {"x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Frequency(c.value), c.expected) << c.value.toText();
}

TEST(FormatFrequency, RoundingCarryKeepsTheUnitRight)
{
    const FrequencyCase cases[] = {
        {99.5, "100 Hz"}, // rounds to 100: three digits, and "99." would be cut
        {99.99, "100 Hz"},
        {99.49, "99.4 Hz"}, // no carry: the four characters of two digits
        {9.5, "9.5 Hz"},    // rounds to 10, and four characters still read right
        {999.5, "1KHz"},
        {999.6, "1KHz"},
        {9999.5, "10KHz"},
        {99999.7, "100KHz"},
        {999999.5, "1MHz"},
        {999999999.6, "1GHz"},
        {1239.7, "1.23KHz"}, // no carry: the characters
                             // are cut, not rounded
        {1999.5, "1.99KHz"}, // 2000 has as many digits as 1999
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format_Frequency(c.value), c.expected) << c.value.toText();
}

} // namespace
} // namespace kv
