#include "core/codec.h"

#include <unicode/ucnv.h>

#include <stdexcept>

// Interim conversion through ICU's windows-31j converter.
namespace qy {

namespace {
std::string Convert(const char* to, const char* from, std::string_view in) {
  UErrorCode status = U_ZERO_ERROR;
  std::string out(in.size() * 3 + 16, '\0');
  int32_t n = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()), in.data(),
                           static_cast<int32_t>(in.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("conversion failed");
  out.resize(static_cast<std::size_t>(n));
  return out;
}
}  // namespace

std::string Cp932ToUtf8(std::string_view sjis) { return Convert("UTF-8", "windows-31j", sjis); }
std::u16string Cp932ToUtf16(std::string_view sjis) {
  std::string u8 = Cp932ToUtf8(sjis);
  std::string u16 = Convert("UTF-16LE", "UTF-8", u8);
  return std::u16string(reinterpret_cast<const char16_t*>(u16.data()), u16.size() / 2);
}
std::string Utf8ToCp932(std::string_view utf8, bool* lossy) {
  if (lossy) *lossy = false;
  return Convert("windows-31j", "UTF-8", utf8);
}
std::string Utf16ToCp932(std::u16string_view utf16, bool* lossy) {
  std::string_view bytes(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
  return Utf8ToCp932(Convert("UTF-8", "UTF-16LE", bytes), lossy);
}

}  // namespace qy
