// The project properties dialog without its window: what it loads from the
// project and the settings file, and what OK writes back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "build/property_lists.h"
#include "build/window_style_list.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

// The settings-file section of the project's own bitmap folder and menu: the
// project file's name, without folder, in lower case.
std::string ProjectBitmapSection(const ProjectModel& project);

inline constexpr int kProjectPropertiesHelpContext = 39;

// The entries of the font list, in FontNameIndex order, and of the size
// list ("8" .. "72"), in FontSizeIndex order (Shift-JIS).
std::vector<std::string> DefaultFontNames();
std::vector<std::string> DefaultFontSizeTexts();

// "プロジェクトファイル名 :  " + the file name.
std::string ProjectFileNameLabel(const ProjectModel& project);
// The six labels of the information tab: all pages, then Topic, Popup,
// Content, Include and Book pages.
std::vector<std::string> PageStatisticsLabels(const ProjectModel& project);

struct ProjectPropertiesForm {
  std::string help_title;
  std::string help_copyright;
  int font_name_index = 0;
  int font_size_index = 3;
  bool compress = false;
  WindowStyleList windows;
  ConfigEditor config;
  WordList words;
  bool contents_include = false;
  std::string main_style;
  std::string include_file;
  bool use_default_bitmap_folder = true;
  std::string bitmap_folder;  // Shift-JIS, as the settings file holds it
};

// Loads every tab. Texts the list forms can not stand for are shown for
// direct editing (with a message through `prompter`).
ProjectPropertiesForm LoadProjectProperties(const ProjectModel& project, const Settings& settings,
                                            Prompter& prompter);

// OK, step 1: the bitmap folder against the settings file. False when OK
// must be refused (no folder, the user kept the old one, or the settings
// file could not be written); then nothing of the project has changed.
// `rebuild_bitmap_menu` runs once the section is settled.
bool ApplyBitmapFolder(const ProjectPropertiesForm& form, ProjectModel& project, Settings& settings,
                       Prompter& prompter, const std::function<void()>& rebuild_bitmap_menu);

// The ProjectOptions text OK writes: characters 1..4 of `old_options`
// (missing ones "0"), the four mode flags, the main style and the include
// file while the include box is ticked.
std::string AssembleProjectOptions(const std::string& old_options,
                                   const ProjectPropertiesForm& form);

// OK: the bitmap folder first, then the header fields, then SetModified
// (even when nothing changed). False when OK was refused.
bool ApplyProjectProperties(const ProjectPropertiesForm& form, ProjectModel& project,
                            Settings& settings, Prompter& prompter,
                            const std::function<void()>& rebuild_bitmap_menu);

}  // namespace qy
