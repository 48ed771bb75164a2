#include "markup/picture_dialog.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy {

std::string PictureInsertionText(PicturePosition position, bool transparent,
                                 std::string_view file_name) {
  std::string out = "\\{bm";
  out += position == PicturePosition::kLeft ? 'l' : position == PicturePosition::kRight ? 'r' : 'c';
  out += transparent ? "t " : " ";
  out += file_name;
  out += "\\}";
  return out;
}

void InsertPicture(Editor& editor, PicturePosition position, bool transparent,
                   const std::string& native_file_name) {
  editor.SetSelText(PictureInsertionText(position, transparent, PathToSjis(native_file_name)));
}

namespace {

std::string UpperExtension(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return {};
  return AsciiUpper(name.substr(dot));
}

bool IsPictureName(const std::string& name) {
  const std::string ext = UpperExtension(name);
  return ext == ".BMP" || ext == ".SHG" || ext == ".WMF";
}

}  // namespace

std::vector<std::string> ListPictureFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    std::error_code kind_ec;
    if (!it->is_regular_file(kind_ec)) continue;
    std::string name = it->path().filename().string();
    if (IsPictureName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = AsciiUpper(a);
    const std::string ub = AsciiUpper(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

std::string FullPathLabel(std::string_view sjis_path) {
  return Sjis("フルパス : ") + std::string(sjis_path);
}

namespace {

// First character boundary at or after byte `pos`.
std::size_t CeilCharBoundary(std::string_view text, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos && i < text.size()) i += CharLengthAt(text, i);
  return std::min(i, text.size());
}

// First folder separator at or after `from` (a character boundary).
std::size_t FindSeparator(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i < text.size(); i += CharLengthAt(text, i)) {
    if (text[i] == '\\' || text[i] == '/') return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ShortenPathLabel(std::string sjis_path,
                             const std::function<bool(const std::string& label)>& too_wide) {
  while (too_wide(FullPathLabel(sjis_path))) {
    const std::size_t rest = CeilCharBoundary(sjis_path, 7);
    const std::size_t sep = FindSeparator(sjis_path, rest);
    if (sep == std::string::npos) break;
    const std::size_t keep = CeilCharBoundary(sjis_path, 3);
    std::string shorter = sjis_path.substr(0, keep) + "..." + sjis_path[sep];
    shorter += sjis_path.substr(sep + 1);
    if (shorter.size() >= sjis_path.size()) break;
    sjis_path = std::move(shorter);
  }
  return sjis_path;
}

PicturePreviewer::PicturePreviewer(ProcessRunner& runner, std::string hotspot_editor)
    : runner_(runner), editor_(std::move(hotspot_editor)), editor_folder_(FolderOf(editor_)) {}

PicturePreviewer::~PicturePreviewer() { RemoveConvertedPictures(); }

bool PicturePreviewer::UsesShgEdit() const {
  return AsciiUpper(FileNameOf(editor_)) == "SHG_EDIT.EXE";
}

std::string PicturePreviewer::ConversionCommandLine(const std::string& picture) const {
  return "\"" + editor_ + "\" \"" + picture + "\" /C";
}

void PicturePreviewer::RemoveConvertedPictures() {
  if (!UsesShgEdit()) return;
  for (const char* name : {"~TMP_001.BMP", "~TMP_001.WMF"}) {
    const std::string path = editor_folder_ + name;
    if (FileExists(path)) RemoveFile(path);
  }
}

PicturePreview PicturePreviewer::Preview(const std::string& picture) {
  PicturePreview preview;
  const std::string ext = UpperExtension(picture);
  if (ext == ".BMP" || ext == ".WMF") {
    if (FileExists(picture)) {
      preview.kind = PicturePreviewKind::kDrawn;
      preview.image = picture;
    }
    return preview;
  }
  if (ext != ".SHG") return preview;
  if (!UsesShgEdit()) {
    preview.kind = PicturePreviewKind::kText;
    preview.text = Sjis("SHGファイルです。");
    return preview;
  }
  // A picture left by an earlier conversion must not stand in for this one.
  RemoveConvertedPictures();
  const ProcessResult run = runner_.Start(editor_, {picture, "/C"}, editor_folder_, true);
  if (!run.started) return preview;
  for (const char* name : {"~TMP_001.BMP", "~TMP_001.WMF"}) {
    const std::string path = editor_folder_ + name;
    if (FileExists(path)) {
      preview.kind = PicturePreviewKind::kDrawn;
      preview.image = path;
      break;
    }
  }
  return preview;
}

}  // namespace qy
