#include "markup/keyword_link_model.h"

#include <algorithm>

#include "core/codec.h"
#include "core/settings_keys.h"

namespace qy {

std::vector<std::string> KeywordPieces(std::string_view field) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= field.size()) {
    std::size_t semi = field.find(';', start);
    if (semi == std::string_view::npos) semi = field.size();
    if (semi > start) pieces.emplace_back(field.substr(start, semi - start));
    start = semi + 1;
  }
  return pieces;
}

std::vector<std::string> ProjectKeywords(const ProjectModel& project, KeywordLinkMode mode) {
  std::vector<std::string> list;
  if (mode == KeywordLinkMode::kHyperlink) return list;
  for (int p = 1; p <= project.PageCount(); ++p) {
    const PageRecord& page = project.Page(p);
    const std::string& field = mode == KeywordLinkMode::kKLink ? page.Keyword : page.AKeyword;
    for (std::string& piece : KeywordPieces(field)) {
      if (std::find(list.begin(), list.end(), piece) == list.end())
        list.push_back(std::move(piece));
    }
  }
  return list;
}

std::vector<std::string> ReadLinkHistory(const Settings& settings) {
  std::vector<std::string> history;
  for (int i = 0; i < keys::kLinkHistoryEntries; ++i) {
    std::string value = settings.GetString(keys::OptionLink(i));
    if (!value.empty()) history.push_back(std::move(value));
  }
  return history;
}

std::vector<std::string> PushLinkHistory(std::vector<std::string> history,
                                         const std::string& target) {
  history.insert(history.begin(), target);
  history.erase(std::remove(history.begin() + 1, history.end(), target), history.end());
  return history;
}

FileResult WriteLinkHistory(Settings& settings, const std::vector<std::string>& history) {
  const int count = std::min(static_cast<int>(history.size()), keys::kLinkHistoryEntries);
  for (int i = 0; i < count; ++i) {
    FileResult r = settings.SetString(keys::OptionLink(i), history[static_cast<std::size_t>(i)]);
    if (!r) return r;
  }
  return FileResult::Ok();
}

KeywordLinkModel::KeywordLinkModel(const ProjectModel& project, Settings& settings,
                                   KeywordLinkMode mode)
    : project_(project), settings_(settings), mode_(mode) {}

KeywordLinkModel::ColorKeys KeywordLinkModel::Keys() const {
  if (mode_ == KeywordLinkMode::kHyperlink) {
    return {keys::kWindowHypColorChk, keys::kWindowHypColorUdr, keys::kWindowHypColorPos};
  }
  return {keys::kWindowKeyColorChk, keys::kWindowKeyColorUdr, keys::kWindowKeyColorPos};
}

void KeywordLinkModel::Prepare() {
  const ColorKeys k = Keys();
  options_.color_change = settings_.GetBool(k.check);
  options_.underline = settings_.GetBool(k.underline);
  options_.color_index = std::clamp(settings_.GetInt(k.position), kMinColorIndex, kMaxColorIndex);
  list_ = mode_ == KeywordLinkMode::kHyperlink ? ReadLinkHistory(settings_)
                                               : ProjectKeywords(project_, mode_);
}

std::string KeywordLinkModel::Caption() const {
  switch (mode_) {
    case KeywordLinkMode::kKLink:
      return Sjis("キーワードリンク [Ｋリンク]");
    case KeywordLinkMode::kALink:
      return Sjis("キーワードリンク [Ａリンク]");
    case KeywordLinkMode::kHyperlink:
      break;
  }
  return Sjis("ハイパーリンク");
}

std::string KeywordLinkModel::NormalButtonCaption() const {
  switch (mode_) {
    case KeywordLinkMode::kKLink:
      return Sjis("通常 Ｋリンク(&N)");
    case KeywordLinkMode::kALink:
      return Sjis("通常 Ａリンク(&N)");
    case KeywordLinkMode::kHyperlink:
      break;
  }
  return Sjis("通常リンク(&N)");
}

std::string KeywordLinkModel::ButtonButtonCaption() const {
  switch (mode_) {
    case KeywordLinkMode::kKLink:
      return Sjis("ボタン Ｋリンク(&B)");
    case KeywordLinkMode::kALink:
      return Sjis("ボタン Ａリンク(&B)");
    case KeywordLinkMode::kHyperlink:
      break;
  }
  return Sjis("ボタンリンク(&B)");
}

std::string KeywordLinkModel::ListLabel() const {
  return Sjis(mode_ == KeywordLinkMode::kHyperlink ? "ハイパーリンクリスト(&L)"
                                                   : "キーワードリスト(&L) :");
}

bool KeywordLinkModel::Insert(HotspotForm form, Editor& editor) {
  std::optional<std::string> text =
      KeywordLinkMarkup(mode_, form, editor.SelText(), keyword_, options_);
  if (!text) return false;
  editor.SetSelText(*text);
  if (mode_ == KeywordLinkMode::kHyperlink) {
    list_ = PushLinkHistory(std::move(list_), keyword_);
    WriteLinkHistory(settings_, list_);
  }
  return true;
}

void KeywordLinkModel::Close() {
  const ColorKeys k = Keys();
  settings_.SetBool(k.check, options_.color_change);
  settings_.SetBool(k.underline, options_.underline);
  settings_.SetInt(k.position, options_.color_index);
}

}  // namespace qy
