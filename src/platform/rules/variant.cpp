#include "platform/rules/variant.h"

#include "platform/rules/runtime_rules.h"

namespace kv {

std::optional<double> Variant::tryNumber() const
{
    switch (kind()) {
    case Kind::Empty:
        return 0.0;
    case Kind::Boolean:
        return std::get<bool>(value_) ? -1.0 : 0.0;
    case Kind::Number:
        return std::get<double>(value_);
    case Kind::Text:
        return parseNumberText(std::get<std::string>(value_));
    }
    return std::nullopt;
}

std::string Variant::toText() const
{
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case Kind::Number:
        return doubleToText(std::get<double>(value_));
    case Kind::Text:
        return std::get<std::string>(value_);
    }
    return {};
}

std::optional<bool> Variant::tryBoolean() const
{
    switch (kind()) {
    case Kind::Empty:
        return false;
    case Kind::Boolean:
        return std::get<bool>(value_);
    case Kind::Number:
        return std::get<double>(value_) != 0.0;
    case Kind::Text:
        return parseBooleanText(std::get<std::string>(value_));
    }
    return std::nullopt;
}

namespace {

// The number a value compares as against a number or a Boolean: a text reads as a number, and
// against a Boolean also as the words True / False.
std::optional<double> comparisonNumber(const Variant& value, bool otherIsBoolean)
{
    if (otherIsBoolean && value.isText() && !value.tryNumber()) {
        if (const auto flag = value.tryBoolean())
            return *flag ? -1.0 : 0.0;
    }
    return value.tryNumber();
}

} // namespace

bool operator==(const Variant& a, const Variant& b)
{
    if (a.isText() && b.isText())
        return std::get<std::string>(a.value_) == std::get<std::string>(b.value_);
    // Empty against a text compares as the empty text.
    if ((a.isText() && b.isEmpty()) || (b.isText() && a.isEmpty()))
        return a.toText() == b.toText();
    // Otherwise numerically; a text that is no number equals no number.
    const auto x = comparisonNumber(a, b.isBoolean());
    const auto y = comparisonNumber(b, a.isBoolean());
    return x && y && *x == *y;
}

} // namespace kv
