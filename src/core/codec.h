// Lossless conversion between Shift-JIS (code page 932) and Unicode.
//
// Text that the user did not touch must come back byte for byte, so bytes and
// pairs that code page 932 does not define (or defines as a duplicate of
// another code) decode to reserved code points that encode back to exactly
// those bytes.
#pragma once

#include <string>
#include <string_view>

namespace qy {

std::string Cp932ToUtf8(std::string_view sjis);
std::u16string Cp932ToUtf16(std::string_view sjis);

// Characters that code page 932 can not hold become '?' and, when given,
// *lossy is set.
std::string Utf8ToCp932(std::string_view utf8, bool* lossy = nullptr);
std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy = nullptr);

// Shift-JIS bytes of a UTF-8 text. Source files are UTF-8; every Japanese
// message literal goes through this before it reaches the model or a file.
inline std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }

}  // namespace qy
