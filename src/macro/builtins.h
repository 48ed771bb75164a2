// The component's built-in routines: their prototype lines (entered as
// Permanent routines, so their Index selects the operation) and the
// operations that need nothing but their arguments.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_host.h"

namespace qy {

// Index codes. The leading hexadecimal digit follows the routine's kind:
// 0 procedures, 1 String, 2 Integer and 3 Real functions.
namespace builtin {
inline constexpr std::int32_t kProcessMessages = 0x0001;
inline constexpr std::int32_t kSleep = 0x0002;
inline constexpr std::int32_t kPause = 0x0003;
inline constexpr std::int32_t kCopy = 0x1001;
inline constexpr std::int32_t kDelete = 0x1002;
inline constexpr std::int32_t kInputBox = 0x1003;
inline constexpr std::int32_t kInsert = 0x1004;
inline constexpr std::int32_t kIntToStr = 0x1005;
inline constexpr std::int32_t kLowerCase = 0x1006;
inline constexpr std::int32_t kTrim = 0x1007;
inline constexpr std::int32_t kTrimLeft = 0x1008;
inline constexpr std::int32_t kTrimRight = 0x1009;
inline constexpr std::int32_t kUpperCase = 0x100A;
inline constexpr std::int32_t kFloatToStr = 0x100B;
inline constexpr std::int32_t kCompareStr = 0x2001;
inline constexpr std::int32_t kExec = 0x2002;
inline constexpr std::int32_t kLength = 0x2003;
inline constexpr std::int32_t kMessageBox = 0x2004;
inline constexpr std::int32_t kPos = 0x2005;
inline constexpr std::int32_t kShell = 0x2006;
inline constexpr std::int32_t kStrToInt = 0x2007;
inline constexpr std::int32_t kIsDefine = 0x2008;
inline constexpr std::int32_t kTrunc = 0x2009;
inline constexpr std::int32_t kRound = 0x200A;
inline constexpr std::int32_t kRegisterRoutine = 0x200B;
inline constexpr std::int32_t kFrac = 0x3001;
inline constexpr std::int32_t kInt = 0x3002;
inline constexpr std::int32_t kStrToFloat = 0x3003;
}  // namespace builtin

// The 34 prototype lines, in the order they are entered. PtrToStr, IntToPtr,
// FloatToPtr, StrToPtr, PtrToInt and PtrToFloat are declared with no
// operation behind them: calling one is the "no built-in" error.
extern const std::array<const char*, 34> kBuiltinPrototypes;

// Runs the built-in of frame.Routine->Index when it is one of the text and
// conversion routines (IsDefine looks in `defines`); false for any other
// index. Trunc and Round of a value outside the 64-bit range raise
// OverflowError.
bool CallValueBuiltin(CallFrame& frame, const std::vector<std::string>& defines);

// The operations themselves, on bytes; positions are 1-based and clipped.
std::string CopyBytes(std::string_view s, std::int64_t start, std::int64_t count);
std::string DeleteBytes(std::string_view s, std::int64_t index, std::int64_t count);
std::string InsertBytes(std::string_view source, std::string_view s, std::int64_t index);
std::int64_t PosBytes(std::string_view sub, std::string_view s);
std::int64_t CompareBytes(std::string_view a, std::string_view b);
// General format with at most 15 significant digits: plain notation while
// the decimal exponent allows it, "1.5E-5" style otherwise.
std::string FloatToStrGeneral(double value);

}  // namespace qy
