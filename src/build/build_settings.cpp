#include "build/build_settings.h"

#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/preview_help_project_writer.h"
#include "core/settings_keys.h"

namespace qy {

bool ReadNoLowLayer(const Settings& settings) { return settings.GetBool(keys::kOptionNoLowLayer); }

std::string ReadBitmapPath(const Settings& settings, const ProjectModel& project) {
  const std::string& section = project.Header().BitmapSection;
  return settings.file().ReadString(section.empty() ? kDefaultBitmapSection : section, "BitmapPath",
                                    "");
}

FileResult WriteHelpProject(const ProjectModel& project, bool honour_compression_option,
                            const Settings& settings, Progress& progress, const HostSystem& host) {
  return WriteHelpProject(project, honour_compression_option, ReadBitmapPath(settings, project),
                          progress, host);
}

FileResult WriteContentsFile(const ProjectModel& project, const Settings& settings,
                             Progress& progress) {
  return WriteContentsFile(project, ReadNoLowLayer(settings), progress);
}

FileResult WritePreviewHelpProject(const ProjectModel& project, const std::string& folder,
                                   const std::string& base_name, int page,
                                   const Settings& settings) {
  return WritePreviewHelpProject(project, folder, base_name, page,
                                 ReadBitmapPath(settings, project));
}

}  // namespace qy
