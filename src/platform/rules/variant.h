#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <optional>
#include <string>
#include <variant>

namespace kv {

// A tagged value as the runtime's variants hold it: nothing (empty), a Boolean, a number or a
// text. Empty reads as 0 in arithmetic and as "" as text. A variant keeps the exact characters
// of a text it was given, so a value read from a file and not changed is written back as read.
class Variant
{
  public:
    enum class Kind
    {
        Empty,
        Boolean,
        Number,
        Text
    };

    Variant() = default;
    Variant(double number) : value_(number) {}
    Variant(int number) : value_(static_cast<double>(number)) {}
    Variant(bool flag) : value_(flag) {}
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isText() const { return kind() == Kind::Text; }
    bool isBoolean() const { return kind() == Kind::Boolean; }

    // The number this value stands for: empty is 0, a Boolean is -1 or 0, a text is parsed with
    // surrounding blanks ignored ("." or the locale's separator); nullopt when a text is no number.
    std::optional<double> tryNumber() const;
    // Like tryNumber, with a text that is no number read as 0 (for callers that have checked).
    double toNumber() const { return tryNumber().value_or(0.0); }
    // The text this value prints as: numbers by the number-to-text rule, Booleans "True"/"False".
    std::string toText() const;
    // The Boolean this value stands for: a number is true when not 0; the texts "True"/"False"
    // or "#TRUE#"/"#FALSE#" (any case, blanks ignored) or a number text; nullopt for any other
    // text. Empty is false.
    std::optional<bool> tryBoolean() const;
    bool toBoolean() const { return tryBoolean().value_or(false); }

    // Comparison as the runtime does it: two numbers (or empty) numerically, two texts
    // character by character, a number against a text that reads as a number numerically.
    // Empty against a text is the empty text; a Boolean against the text "True"/"False"
    // compares as -1/0. A text that reads as no number equals no number or Boolean.
    friend bool operator==(const Variant& a, const Variant& b);

  private:
    std::variant<std::monostate, bool, double, std::string> value_;
};

} // namespace kv
