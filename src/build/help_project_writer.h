// The help project (".hpj") of a whole-project build: it names the topic
// file, contents file, map header and error log beside the project file, and
// carries the project's options, [WINDOWS] and [CONFIG] texts.
#pragma once

#include <string>

#include "build/compress_line.h"
#include "core/files.h"
#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// The progress range of a help project write.
inline constexpr int kHelpProjectProgressItems = 22;

// The file's bytes. `honour_compression_option` false (the make wizard's
// always-compress choice) writes `compress_line` whatever CompressMode says;
// true writes it only when bit 0 of CompressMode is set. `bitmap_path` is the
// "BitmapPath" value of the settings section named by BitmapSection. With
// `progress`, advances it once per written item.
std::string BuildHelpProject(const ProjectModel& project, bool honour_compression_option,
                             const std::string& bitmap_path, const std::string& compress_line,
                             Progress* progress = nullptr);

// Writes BuildFilePath(project, ".hpj") in one atomic write, compressing with
// CompressLine(host). Sets the progress range to 22 and position 0, steps once
// per item and once more after saving.
FileResult WriteHelpProject(const ProjectModel& project, bool honour_compression_option,
                            const std::string& bitmap_path, Progress& progress,
                            const HostSystem& host = {});

}  // namespace qy
