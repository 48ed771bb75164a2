// Shift-JIS texts of the logic shown in widgets, and widget texts handed
// back, through the lossless codec.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "core/codec.h"

namespace qy::app {

inline QString ToQt(std::string_view sjis) {
  std::u16string u16 = Cp932ToUtf16(sjis);
  return QString(reinterpret_cast<const QChar*>(u16.data()), static_cast<qsizetype>(u16.size()));
}

inline std::string FromQt(const QString& text) {
  return Utf16ToCp932(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                          static_cast<std::size_t>(text.size())));
}

}  // namespace qy::app
