#include "macro/builtins.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/cp932.h"
#include "macro/macro_error.h"
#include "macro/value_convert.h"

namespace qy {

const std::array<const char*, 34> kBuiltinPrototypes = {
    "procedure ProcessMessages;Index $0001;",
    "procedure Sleep(Milliseconds:Integer);Index $0002;",
    "procedure Pause;Index $0003;",
    "function Copy(S:String;Start,Length:Integer):String;Index $1001;",
    "function Delete(S:String;Index,Count:Integer):String;Index $1002;",
    "function InputBox(ACaption,APrompt,ADefault:String):String;Index $1003;",
    "function Insert(Source:String;S:String;Index:Integer):String;Index $1004;",
    "function IntToStr(Value:Integer):String;Index $1005;",
    "function LowerCase(S:String):String;Index $1006;",
    "function Trim(S:String):String;Index $1007;",
    "function TrimLeft(S:String):String;Index $1008;",
    "function TrimRight(S:String):String;Index $1009;",
    "function UpperCase(S:String):String;Index $100A;",
    "function FloatToStr(Value:Real):String;Index $100B;",
    "function PtrToStr(p:Integer):String;Index $100C;",
    "function CompareStr(S1,S2:String):Integer;Index $2001;",
    "function Exec(Path,CmdLine:String;Wait:Integer):Integer;Index $2002;",
    "function Length(S:String):Integer;Index $2003;",
    "function MessageBox(Text,Caption:String;Flags:Integer):Integer;Index $2004;",
    "function Pos(Substr:String;S:String): Integer;Index $2005;",
    "function Shell(Path,CmdLine:String):Integer;Index $2006;",
    "function StrToInt(S: String):Integer;Index $2007;",
    "function IsDefine(S:String):Integer;Index $2008;",
    "function Trunc(X:Real):Integer;Index $2009;",
    "function Round(X:Real):Integer;Index $200A;",
    "function RegisterRoutine(D,A,G,R:String):Integer;Index $200B;",
    "function IntToPtr(i:Integer):Integer;Index $200C;",
    "function FloatToPtr(f:Real):Integer;Index $200D;",
    "function StrToPtr(s:String):Integer;Index $200E;",
    "function PtrToInt(p:Integer):Integer;Index $200F;",
    "function Frac(X:Real):Real;Index $3001;",
    "function Int(X:Real):Real;Index $3002;",
    "function StrToFloat(S:String):Real;Index $3003;",
    "function PtrToFloat(p:Integer):Real;Index $3004;",
};

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view TrimLeftView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRightView(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Trail bytes of double-byte characters are no letters, even where their
// value is that of one: lowering them would change the character.
std::string AsciiCase(std::string_view s, bool upper) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t length = CharLengthAt(out, i);
    char& c = out[i];
    if (length == 1) {
      if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    i += length;
  }
  return out;
}

bool IsDefined(std::string_view symbol, const std::vector<std::string>& defines) {
  const std::string wanted = AsciiCase(symbol, true);
  for (const std::string& line : defines) {
    if (AsciiCase(line, true) == wanted) return true;
  }
  return false;
}

// Toward zero; values beyond the 64-bit range (and NaN) are the run time's
// overflow.
std::int64_t TruncToInteger(double x) {
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  const double t = std::trunc(x);
  if (!(t >= -kLimit && t < kLimit)) throw OverflowError();
  return static_cast<std::int64_t>(t);
}

}  // namespace

std::string CopyBytes(std::string_view s, std::int64_t start, std::int64_t count) {
  if (start < 1) start = 1;
  const auto size = static_cast<std::int64_t>(s.size());
  if (start > size || count <= 0) return {};
  count = std::min(count, size - start + 1);
  return std::string(
      s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

std::string DeleteBytes(std::string_view s, std::int64_t index, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(s.size());
  // As the Pascal run time does: a start outside the text removes nothing.
  if (index < 1 || index > size || count <= 0) return std::string(s);
  count = std::min(count, size - index + 1);
  std::string out(s.substr(0, static_cast<std::size_t>(index - 1)));
  out.append(s.substr(static_cast<std::size_t>(index - 1 + count)));
  return out;
}

std::string InsertBytes(std::string_view source, std::string_view s, std::int64_t index) {
  const auto size = static_cast<std::int64_t>(s.size());
  if (index < 1) index = 1;
  if (index > size + 1) index = size + 1;
  std::string out(s.substr(0, static_cast<std::size_t>(index - 1)));
  out.append(source);
  out.append(s.substr(static_cast<std::size_t>(index - 1)));
  return out;
}

std::int64_t PosBytes(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  const std::size_t at = s.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<std::int64_t>(at) + 1;
}

std::int64_t CompareBytes(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int d = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
    if (d != 0) return d;
  }
  return static_cast<std::int64_t>(a.size()) - static_cast<std::int64_t>(b.size());
}

std::string FloatToStrGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0.0) return "0";
  // 15 significant digits, rounded by the C library: "d.dddddddddddddde+XX".
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  std::string text(buffer);
  const std::size_t e = text.find('e');
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // The value is 0.d1d2... times 10 to the power `exponent`.
  const int exponent = std::atoi(text.c_str() + e + 1) + 1;
  std::string out = value < 0 ? "-" : "";
  if (exponent > 15 || exponent < -3) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent - 1);
  } else if (exponent <= 0) {
    out += "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
  } else {
    const auto whole = static_cast<std::size_t>(exponent);
    if (digits.size() <= whole) {
      out += digits + std::string(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole) + "." + digits.substr(whole);
    }
  }
  return out;
}

bool CallValueBuiltin(CallFrame& f, const std::vector<std::string>& defines) {
  const auto& a = f.Args;
  switch (f.Routine->Index) {
    case builtin::kCopy:
      f.StrResult = CopyBytes(a[0].Str, a[1].Int, a[2].Int);
      return true;
    case builtin::kDelete:
      f.StrResult = DeleteBytes(a[0].Str, a[1].Int, a[2].Int);
      return true;
    case builtin::kInsert:
      f.StrResult = InsertBytes(a[0].Str, a[1].Str, a[2].Int);
      return true;
    case builtin::kIntToStr:
      f.StrResult = std::to_string(a[0].Int);
      return true;
    case builtin::kLowerCase:
      f.StrResult = AsciiCase(a[0].Str, false);
      return true;
    case builtin::kUpperCase:
      f.StrResult = AsciiCase(a[0].Str, true);
      return true;
    case builtin::kTrim:
      f.StrResult = std::string(TrimRightView(TrimLeftView(a[0].Str)));
      return true;
    case builtin::kTrimLeft:
      f.StrResult = std::string(TrimLeftView(a[0].Str));
      return true;
    case builtin::kTrimRight:
      f.StrResult = std::string(TrimRightView(a[0].Str));
      return true;
    case builtin::kFloatToStr:
      f.StrResult = FloatToStrGeneral(a[0].Real);
      return true;
    case builtin::kCompareStr:
      f.IntResult = CompareBytes(a[0].Str, a[1].Str);
      return true;
    case builtin::kLength:
      f.IntResult = static_cast<std::int64_t>(a[0].Str.size());
      return true;
    case builtin::kPos:
      f.IntResult = PosBytes(a[0].Str, a[1].Str);
      return true;
    case builtin::kStrToInt: {
      std::int64_t value = 0;
      f.IntResult = ParseInteger(a[0].Str, &value) ? value : 0;
      return true;
    }
    case builtin::kIsDefine:
      f.IntResult = IsDefined(a[0].Str, defines) ? -1 : 0;
      return true;
    case builtin::kTrunc:
      f.IntResult = TruncToInteger(a[0].Real);
      return true;
    case builtin::kRound:
      f.IntResult = RoundToInteger(a[0].Real);
      return true;
    case builtin::kFrac: {
      double whole = 0.0;
      f.RealResult = std::modf(a[0].Real, &whole);
      return true;
    }
    case builtin::kInt:
      f.RealResult = std::trunc(a[0].Real);
      return true;
    case builtin::kStrToFloat: {
      double value = 0.0;
      f.RealResult = ParseDecimal(a[0].Str, &value) ? value : 0.0;
      return true;
    }
    default:
      return false;
  }
}

}  // namespace qy
