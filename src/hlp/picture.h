// Pictures as a help file stores them (|bmN): the "lP" container holding one
// device-independent bitmap. Windows bitmaps (.bmp, .dib) are converted;
// files already in that container (.shg, .mrb) are taken as they are.
#pragma once

#include <string>
#include <string_view>

namespace qy::hlp {

struct PictureResult {
  bool ok = false;
  std::string data;   // the |bmN content
  std::string error;  // English, why the file cannot be used
};

PictureResult ConvertPicture(std::string_view file);

}  // namespace qy::hlp
