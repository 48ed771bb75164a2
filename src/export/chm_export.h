// The HTML Help file (.chm): the site's pages in Shift-JIS with the contents
// and keyword index as sitemaps, compiled by Free Pascal's chmcmd.
//
// chmcmd reports some failures as success (a missing project exits 0, a
// missing file leaves an empty .chm), so the file is built under a
// temporary name and replaces the target only when chmcmd exited 0 and the
// result starts with the "ITSF" signature.
#pragma once

#include <string>

#include "core/platform.h"
#include "core/progress.h"
#include "export/html_export.h"
#include "export/site_files.h"
#include "export/site_plan.h"
#include "project/project_model.h"

namespace qy::help_export {

inline constexpr char kChmCompiler[] = "chmcmd";

// The sitemaps (UTF-8; written Shift-JIS): the contents with books as
// folders, and the K keywords, one entry per keyword with all its pages.
std::string ContentsSitemap(const SitePlan& plan);
std::string IndexSitemap(const SitePlan& plan, const ProjectModel& project);

// The project chmcmd reads: Japanese language, text (not binary) index,
// full-text search, every file, and the context numbers as [ALIAS]/[MAP].
std::string HelpProject(const SitePlan& plan, const ProjectModel& project, const SiteFiles& files,
                        const std::string& compiled_file);

// The message for a chmcmd that could not be started (Shift-JIS), with how
// to install it.
std::string ChmCompilerMissingMessage(const std::string& compiler, const std::string& why);

// Exports to a staging folder, runs `compiler` there through `runner` and
// puts the result at `chm_file`. Progress range = pages + 2.
ExportResult ExportChm(const ProjectModel& project, const std::string& chm_file,
                       const ExportOptions& options, ProcessRunner& runner, Progress& progress,
                       const std::string& compiler = kChmCompiler);

}  // namespace qy::help_export
