#include "platform/rules/variant.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Variant, NumberItStandsFor)
{
    EXPECT_EQ(Variant().tryNumber(), 0.0);
    EXPECT_EQ(Variant(true).tryNumber(), -1.0);
    EXPECT_EQ(Variant(false).tryNumber(), 0.0);
    EXPECT_EQ(Variant(2.5).tryNumber(), 2.5);
    EXPECT_EQ(Variant(7).tryNumber(), 7.0);
    EXPECT_EQ(Variant(" 750 ").tryNumber(), 750.0);
    EXPECT_EQ(Variant("-0.5").tryNumber(), -0.5);
    EXPECT_EQ(Variant(".5").tryNumber(), 0.5);
    EXPECT_EQ(Variant("abc").tryNumber(), std::nullopt);
    EXPECT_EQ(Variant("").tryNumber(), std::nullopt);
    EXPECT_EQ(Variant("NaN").tryNumber(), std::nullopt);
    EXPECT_EQ(Variant("abc").toNumber(), 0.0);
}

TEST(Variant, TextItPrintsAs)
{
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant(true).toText(), "True");
    EXPECT_EQ(Variant(false).toText(), "False");
    EXPECT_EQ(Variant(0.5).toText(), "0.5");
    EXPECT_EQ(Variant(2000.0 / 3).toText(), "666.666666666667");
    EXPECT_EQ(Variant(1e15).toText(), "1E+15");
    EXPECT_EQ(Variant(-3).toText(), "-3");
    EXPECT_EQ(Variant(" 750 ").toText(), " 750 "); // a text keeps its characters
}

TEST(Variant, BooleanItStandsFor)
{
    const std::pair<Variant, std::optional<bool>> cases[] = {
        {Variant(), false},      {Variant(0), false},         {Variant(-1), true},
        {Variant(2), true},      {Variant(true), true},       {Variant(false), false},
        {Variant("True"), true}, {Variant(" false "), false}, {Variant("#TRUE#"), true},
        {Variant("1"), true},    {Variant(" 0 "), false},     {Variant("maybe"), std::nullopt},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(value.tryBoolean(), expected) << value.toText();
    EXPECT_FALSE(Variant("maybe").toBoolean());
}

struct CompareCase
{
    Variant a;
    Variant b;
    bool equal;
};

TEST(Variant, ComparesAsTheRuntimeDoes)
{
    const CompareCase cases[] = {
        {1.0, 1, true},         {1.0, 2.0, false},
        {Variant(), 0, true},   {Variant(), Variant(), true},
        {Variant(), "", true},  {Variant(), "0", false},
        {"abc", "abc", true},   {"abc", "ABC", false},
        {" 750 ", 750, true},   {" 750 ", "750", false}, // two texts: character by character
        {"abc", 0, false},      {"", 0, false},
        {true, -1, true},       {true, 1, false},
        {false, 0, true},       {Variant(), false, true},
        {true, "True", true},   {false, "False", true},
        {true, "#TRUE#", true}, {true, "-1", true},
        {true, "1", false},     {true, "maybe", false},
        {"0001", "0001", true}, {"0001", "0000", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << '"' << c.a.toText() << "\" vs \"" << c.b.toText() << '"';
        EXPECT_EQ(c.b == c.a, c.equal) << "reversed: " << c.b.toText();
        EXPECT_EQ(c.a != c.b, !c.equal);
    }
}

} // namespace
} // namespace kv
