// The context list (".hls" beside the project file): every page's title,
// context, context ID and kind, for the hotspot editor and other tools.
#pragma once

#include <string>

#include "core/files.h"
#include "project/project_model.h"

namespace qy {

// The project's context-list file name ("" for a project without a file name).
std::string ContextListFileName(const ProjectModel& model);

// The file's text: sections [Title], [ConText], [ConTextID] and [PageAttr],
// each with its count and one item per page numbered 001..999.
std::string ContextListText(const ProjectModel& model);

// Writes the context list of `model` to `file` (replaced atomically).
FileResult WriteContextList(const ProjectModel& model, const std::string& file);

// Rewrites the project's context list only when the file already exists: the
// user keeps it either through the ContextList option or by hand.
FileResult RefreshContextList(const ProjectModel& model);

// The error text for a context list that could not be written (Shift-JIS).
std::string ContextListWriteError(const std::string& file, const std::string& why);

}  // namespace qy
