// The settings-file values the build writers use, read at the moment of
// writing, and the writers that take them from the settings file directly.
#pragma once

#include <string>

#include "build/compress_line.h"
#include "core/files.h"
#include "core/progress.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

// Option/NoLowLayer (default on): leave books without entries out of the
// contents file.
bool ReadNoLowLayer(const Settings& settings);

// "BitmapPath" of the section the project names in BitmapSection ("Etcetera"
// when that is empty); empty when the key is missing. This is the help
// file's BMROOT, so no program-folder default applies here.
std::string ReadBitmapPath(const Settings& settings, const ProjectModel& project);

FileResult WriteHelpProject(const ProjectModel& project, bool honour_compression_option,
                            const Settings& settings, Progress& progress,
                            const HostSystem& host = {});
FileResult WriteContentsFile(const ProjectModel& project, const Settings& settings,
                             Progress& progress);
FileResult WritePreviewHelpProject(const ProjectModel& project, const std::string& folder,
                                   const std::string& base_name, int page,
                                   const Settings& settings);

}  // namespace qy
