// The registration list of the picture menus ("画像ファイルの登録"): up to
// nine pictures of the picture folder, each with a menu title and whether
// it goes in transparent, kept as BitmapName/BitmapTitle/BitmapCheck 1..9
// in the project's picture section.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/registration_list.h"
#include "core/settings.h"

namespace qy {

inline constexpr int kMaxPictureRegistrations = 9;

struct PictureRegistration {
  std::string file;  // without folder, Shift-JIS
  std::string title;
  bool transparent = false;
  bool operator==(const PictureRegistration&) const = default;
};

// The slots that hold a title or a file, in number order; transparent only
// for a check value of exactly "True", as the menus insert them.
std::vector<PictureRegistration> ReadPictureRegistrations(const Settings& settings,
                                                          const std::string& section);
// Slot n gets entry n ("True"/"False" for the check); the slots behind the
// last entry are written empty.
FileResult WritePictureRegistrations(Settings& settings, const std::string& section,
                                     const std::vector<PictureRegistration>& entries);

class PictureRegistrationList
    : public RegistrationList<PictureRegistration, kMaxPictureRegistrations> {
 public:
  explicit PictureRegistrationList(std::vector<PictureRegistration> entries)
      : RegistrationList(std::move(entries)) {}
  bool SetTransparent(int index, bool transparent);
};

}  // namespace qy
