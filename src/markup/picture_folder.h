// The picture settings of a project and the check of its picture folder,
// made before the picture dialog and the picture registration open.
//
// The picture keys (BitmapPath, BitmapName1..9, BitmapTitle1..9,
// BitmapCheck1..9) live in the settings section the project names in
// BitmapSection ("Etcetera" when that is empty).
#pragma once

#include <functional>
#include <string>

#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

std::string PictureSection(const ProjectModel& project);

// The folder whose pictures the picture dialog lists, as a native path
// ("" when unset).
std::string PictureFolder(const Settings& settings, const std::string& section);

// True when the picture folder exists, or did not and the user has chosen a
// new one. Choosing a new folder stores it, clears the nine registered
// pictures (their files belong to the old folder) and calls
// `rebuild_menus`. False: the command that asked must stop.
bool CheckPictureFolder(Settings& settings, const std::string& section, Prompter& prompter,
                        FileChooser& chooser, const std::function<void()>& rebuild_menus);

}  // namespace qy
