// The keyword-link dialog without its window: K-links, A-links and
// hyperlinks, the keyword list it offers and the hyperlink history kept in
// the settings file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/editor.h"
#include "core/settings.h"
#include "markup/hotspot_markup.h"
#include "project/project_model.h"

namespace qy {

// The pieces of a keyword field: cut at every ";", empty pieces left out,
// nothing trimmed.
std::vector<std::string> KeywordPieces(std::string_view field);

// Every keyword of the project's K (KLink) or A (ALink) fields once, in
// page order of first use (the list control sorts them for display).
std::vector<std::string> ProjectKeywords(const ProjectModel& project, KeywordLinkMode mode);

// The non-empty values of Option/Link0..19, in key order (newest first).
std::vector<std::string> ReadLinkHistory(const Settings& settings);
// `target` on top, every other entry equal to it removed.
std::vector<std::string> PushLinkHistory(std::vector<std::string> history,
                                         const std::string& target);
// Writes the first twenty entries to Link0..; keys past the end of the list
// keep their values.
FileResult WriteLinkHistory(Settings& settings, const std::vector<std::string>& history);

class KeywordLinkModel {
 public:
  KeywordLinkModel(const ProjectModel& project, Settings& settings, KeywordLinkMode mode);

  // Reads the mode's colour keys and fills the list.
  void Prepare();

  KeywordLinkMode mode() const { return mode_; }
  std::string Caption() const;
  std::string NormalButtonCaption() const;
  std::string ButtonButtonCaption() const;
  std::string ListLabel() const;
  // K and A lists are sorted by the list control; the history keeps its
  // order.
  bool ListSorted() const { return mode_ != KeywordLinkMode::kHyperlink; }
  const std::vector<std::string>& list() const { return list_; }

  void SetKeyword(std::string keyword) { keyword_ = std::move(keyword); }
  const std::string& keyword() const { return keyword_; }

  HotspotOptions& options() { return options_; }
  const HotspotOptions& options() const { return options_; }
  bool ColorControlsEnabled() const { return options_.color_change; }

  // Replaces the editor's selection with the button's markup. A hyperlink
  // with an empty target inserts nothing; an inserted hyperlink goes to the
  // top of the history, which is written at once. Returns whether text was
  // inserted.
  bool Insert(HotspotForm form, Editor& editor);
  // Writes the mode's colour keys; every way of closing does this.
  void Close();

 private:
  struct ColorKeys {
    SettingKey check;
    SettingKey underline;
    SettingKey position;
  };
  ColorKeys Keys() const;

  const ProjectModel& project_;
  Settings& settings_;
  KeywordLinkMode mode_;
  std::vector<std::string> list_;
  std::string keyword_;
  HotspotOptions options_;
};

}  // namespace qy
