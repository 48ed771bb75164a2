// Number and text conversions of the macro language, and its 64-bit integer
// arithmetic. Integer arithmetic wraps like two's complement hardware; the
// few operations the run time refuses raise MacroError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qy {

// Text as a 64-bit integer: optional leading blanks, an optional sign, then
// decimal digits or "$" and at most 16 hexadecimal digits (taken as the bit
// pattern, so "$FFFFFFFFFFFFFFFF" is -1). False for anything else, including
// a decimal value outside the 64-bit range.
bool ParseInteger(std::string_view text, std::int64_t* value);

// The value of an IntegerLiteral token; 0 when it is out of range (or "$" alone).
std::int64_t IntegerLiteralValue(std::string_view token);

// Text as a decimal number: optional blanks around an optional sign, digits
// with an optional fraction and exponent. False when it is none or too large.
bool ParseDecimal(std::string_view text, double* value);

// Nearest integer, halves to even; OverflowError outside the 64-bit range.
std::int64_t RoundToInteger(double value);

// The value of a String in an Integer context: -1 when it is no number.
std::int64_t StringToInteger(std::string_view text);
// The value of a String in a Real context: 0 when it is no number.
double StringToReal(std::string_view text);

// Decodes a StringLiteral token ('..' with '' inside, #nnn, #$hhh, or an
// unclosed literal, which stands for its own text). False when a character
// literal's digits form no number.
bool DecodeStringLiteral(std::string_view token, std::string* text);

inline std::int64_t WrapAdd(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}
inline std::int64_t WrapSub(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}
inline std::int64_t WrapMul(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) * static_cast<std::uint64_t>(b));
}
inline std::int64_t WrapNeg(std::int64_t a) {
  return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(a));
}
// Truncating division and the remainder with the dividend's sign;
// DivisionByZeroError for a zero divisor. The one quotient that does not fit
// (the smallest value divided by -1) wraps to itself.
std::int64_t IntegerDiv(std::int64_t a, std::int64_t b);
std::int64_t IntegerMod(std::int64_t a, std::int64_t b);
// Logical shifts of the 64-bit pattern; counts of 64 or more (a negative
// count is a huge unsigned one) shift every bit out.
std::int64_t ShiftLeft(std::int64_t a, std::int64_t count);
std::int64_t ShiftRight(std::int64_t a, std::int64_t count);

// Real arithmetic as the run time performs it: a zero divisor raises
// DivisionByZeroError and a result out of the double range OverflowError.
double RealDivide(double a, double b);
double CheckedReal(double result);

// Low 32 bits of a 64-bit value, as a signed 32-bit number.
inline std::int32_t Low32(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

}  // namespace qy
