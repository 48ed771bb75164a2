// Every byte string goes through UTF-8 and UTF-16 and comes back unchanged;
// UTF-8 input never crashes the way back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bool lossy = true;
  if (qy::Utf8ToCp932(qy::Cp932ToUtf8(bytes), &lossy) != bytes || lossy) __builtin_trap();
  lossy = true;
  if (qy::Utf16ToCp932(qy::Cp932ToUtf16(bytes), &lossy) != bytes || lossy) __builtin_trap();
  // The same bytes read as UTF-8 (often malformed) convert without a crash.
  (void)qy::Utf8ToCp932(bytes, &lossy);
  return 0;
}
