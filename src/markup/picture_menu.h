// The nine registered pictures of the picture menus (main menu, editor
// context menu and toolbar drop-down carry the same entries) and their
// insertion.
#pragma once

#include <string>
#include <vector>

#include "core/editor.h"
#include "core/settings.h"
#include "project/page_record.h"

namespace qy {

struct PictureMenuEntry {
  int index = 0;      // 1..9
  std::string title;  // menu caption (Shift-JIS)
  std::string hint;   // "画像 '" + title + "' を挿入します。"
  bool operator==(const PictureMenuEntry&) const = default;
};

// The entries to show, in number order: those whose BitmapTitle is set.
std::vector<PictureMenuEntry> PictureMenuEntries(const Settings& settings,
                                                 const std::string& section);
// The separator before the entries shows when entry 1 exists.
bool PictureMenuSeparatorVisible(const std::vector<PictureMenuEntry>& entries);

// "\{bmct name\}" for a picture registered as transparent (BitmapCheck
// exactly "True"), otherwise "\{bmc name\}"; "" when entry `index` has no
// file name.
std::string RegisteredPictureText(const Settings& settings, const std::string& section, int index);

// Choosing entry `index`: inserts its reference on Topic, Popup and Content
// pages. Returns true when something was inserted.
bool InsertRegisteredPicture(Editor& editor, PageAttribute page, const Settings& settings,
                             const std::string& section, int index);

}  // namespace qy
