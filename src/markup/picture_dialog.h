// The picture dialog ("画像ファイルの挿入") without its window: the file
// list of the picture folder, the inserted reference, the shortened path
// label and the preview decision, including the hotspot editor's
// conversion of ".SHG" pictures.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor.h"
#include "core/platform.h"

namespace qy {

enum class PicturePosition { kLeft, kCurrent, kRight };

// "\{bm" + l/c/r + (" " or "t ") + file name + "\}"; `file_name` without
// folder, Shift-JIS, "" when nothing is chosen.
std::string PictureInsertionText(PicturePosition position, bool transparent,
                                 std::string_view file_name);
// "通常(&N)" (or a double-click) and "透明(&S)": the chosen file of the list
// (a native name) goes into the topic as Shift-JIS.
void InsertPicture(Editor& editor, PicturePosition position, bool transparent,
                   const std::string& native_file_name);

// Names (without folder, native) of the folder's files matching
// "*.bmp;*.shg;*.wmf" in any letter case, sorted; empty when the folder can
// not be read.
std::vector<std::string> ListPictureFiles(const std::string& folder);

// The label shown for a clicked file: "フルパス : " + path (Shift-JIS).
std::string FullPathLabel(std::string_view sjis_path);

// Shortens a Shift-JIS path while `too_wide(FullPathLabel(path))` holds:
// the first three characters stay and leading folders behind them give way
// to "...\" one at a time. Stops when no folder is left to drop. Both "\"
// and "/" separate folders; a double-byte character's trail byte never
// does.
std::string ShortenPathLabel(std::string sjis_path,
                             const std::function<bool(const std::string& label)>& too_wide);

enum class PicturePreviewKind {
  kDrawn,   // draw `image` (natural size and centred when it fits, else stretched)
  kText,    // show `text` in the preview box
  kNothing  // show nothing (unknown kind, or the conversion failed)
};

struct PicturePreview {
  PicturePreviewKind kind = PicturePreviewKind::kNothing;
  std::string image;  // native path
  std::string text;   // Shift-JIS
};

// Previews pictures for the dialog. ".BMP" and ".WMF" files are drawn as
// they are; a ".SHG" file is converted by the hotspot editor when that is
// "SHG_EDIT.EXE", which leaves "~TMP_001.BMP" (or ".WMF") in its own folder.
class PicturePreviewer {
 public:
  // `hotspot_editor`: native path of the Tool/HotspotEdit program.
  PicturePreviewer(ProcessRunner& runner, std::string hotspot_editor);
  ~PicturePreviewer();
  PicturePreviewer(const PicturePreviewer&) = delete;
  PicturePreviewer& operator=(const PicturePreviewer&) = delete;

  PicturePreview Preview(const std::string& picture);

  // The command line the conversion runs: both paths in double quotes,
  // then " /C".
  std::string ConversionCommandLine(const std::string& picture) const;

  // Removes the converted pictures; called when the dialog closes.
  void RemoveConvertedPictures();

 private:
  bool UsesShgEdit() const;

  ProcessRunner& runner_;
  std::string editor_;
  std::string editor_folder_;
};

}  // namespace qy
