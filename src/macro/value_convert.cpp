#include "macro/value_convert.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "macro/macro_error.h"

namespace qy {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Unsigned magnitude of decimal digits; false past `limit`.
bool DecimalMagnitude(std::string_view digits, std::uint64_t limit, std::uint64_t* out) {
  if (!AllDigits(digits)) return false;
  std::uint64_t v = 0;
  for (char c : digits) {
    std::uint64_t d = static_cast<std::uint64_t>(c - '0');
    if (v > (limit - d) / 10) return false;
    v = v * 10 + d;
  }
  *out = v;
  return true;
}

bool HexPattern(std::string_view digits, std::uint64_t* out) {
  if (digits.empty()) return false;
  std::uint64_t v = 0;
  int significant = 0;
  for (char c : digits) {
    int h = HexValue(c);
    if (h < 0) return false;
    if (v != 0 || h != 0) ++significant;
    if (significant > 16) return false;
    v = (v << 4) | static_cast<std::uint64_t>(h);
  }
  *out = v;
  return true;
}

}  // namespace

bool ParseInteger(std::string_view text, std::int64_t* value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string_view rest = text.substr(i);
  if (!rest.empty() && rest[0] == '$') {
    std::uint64_t pattern;
    if (!HexPattern(rest.substr(1), &pattern)) return false;
    std::int64_t v = static_cast<std::int64_t>(pattern);
    *value = negative ? WrapNeg(v) : v;
    return true;
  }
  constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int64_t>::max();
  std::uint64_t magnitude;
  if (!DecimalMagnitude(rest, negative ? kMaxPositive + 1 : kMaxPositive, &magnitude)) {
    return false;
  }
  *value =
      negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  return true;
}

std::int64_t IntegerLiteralValue(std::string_view token) {
  std::int64_t v;
  return ParseInteger(token, &v) ? v : 0;
}

bool ParseDecimal(std::string_view text, double* value) {
  std::size_t b = 0, e = text.size();
  while (b < e && text[b] == ' ') ++b;
  while (e > b && text[e - 1] == ' ') --e;
  std::string_view s = text.substr(b, e - b);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  // Check the shape here: from_chars would also take "inf", "nan" and
  // forms the run time never accepted.
  std::size_t i = 0;
  int mantissa_digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++mantissa_digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    int exponent_digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  if (i != s.size()) return false;
  std::string plain(s);
  if (plain[0] == '.') plain.insert(plain.begin(), '0');
  double v = 0;
  auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
  if (ec != std::errc() || ptr != plain.data() + plain.size() || !std::isfinite(v)) return false;
  *value = negative ? -v : v;
  return true;
}

std::int64_t RoundToInteger(double value) {
  if (!std::isfinite(value)) throw OverflowError();
  double r = std::floor(value);
  double diff = value - r;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  // 2^63 is exactly representable; every double below it fits.
  if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) throw OverflowError();
  return static_cast<std::int64_t>(r);
}

std::int64_t StringToInteger(std::string_view text) {
  std::int64_t v;
  return ParseInteger(text, &v) ? v : -1;
}

double StringToReal(std::string_view text) {
  double v;
  return ParseDecimal(text, &v) ? v : 0.0;
}

bool DecodeStringLiteral(std::string_view token, std::string* text) {
  text->clear();
  if (!token.empty() && token.front() == '\'' && token.back() == '\'') {
    std::string_view inner = token.size() >= 2 ? token.substr(1, token.size() - 2) : "";
    for (std::size_t i = 0; i < inner.size(); ++i) {
      text->push_back(inner[i]);
      if (inner[i] == '\'' && i + 1 < inner.size() && inner[i + 1] == '\'') ++i;
    }
    return true;
  }
  std::uint64_t code = 0;
  std::size_t p = token.find("#$");
  if (p != std::string_view::npos) {
    if (!HexPattern(token.substr(p + 2, 3), &code)) return false;
  } else if ((p = token.find('#')) != std::string_view::npos) {
    if (!DecimalMagnitude(token.substr(p + 1, 3), 999, &code)) return false;
  } else {
    text->assign(token);
    return true;
  }
  if (code < 256) text->push_back(static_cast<char>(code));
  return true;
}

std::int64_t IntegerDiv(std::int64_t a, std::int64_t b) {
  if (b == 0) throw DivisionByZeroError();
  if (b == -1) return WrapNeg(a);
  return a / b;
}

std::int64_t IntegerMod(std::int64_t a, std::int64_t b) {
  if (b == 0) throw DivisionByZeroError();
  if (b == -1) return 0;
  return a % b;
}

std::int64_t ShiftLeft(std::int64_t a, std::int64_t count) {
  std::uint64_t n = static_cast<std::uint64_t>(count);
  if (n >= 64) return 0;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) << n);
}

std::int64_t ShiftRight(std::int64_t a, std::int64_t count) {
  std::uint64_t n = static_cast<std::uint64_t>(count);
  if (n >= 64) return 0;
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) >> n);
}

double RealDivide(double a, double b) {
  if (b == 0.0) throw DivisionByZeroError();
  return CheckedReal(a / b);
}

double CheckedReal(double result) {
  if (!std::isfinite(result)) throw OverflowError();
  return result;
}

}  // namespace qy
