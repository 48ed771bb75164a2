#include "build/make_wizard.h"

#include "build/project_options.h"

namespace qy {

MakeWizardChoices LoadMakeWizardChoices(const ProjectHeader& header) {
  const std::string& options = header.ProjectOptions;
  MakeWizardChoices c;
  c.no_contents_file = ProjectOptionOn(options, 1);
  c.no_help_project = ProjectOptionOn(options, 2);
  c.no_map_header = ProjectOptionOn(options, 3);
  c.save_first = ProjectOptionOn(options, 4);
  c.always_compress = header.CompressMode >= kCompressAlways;
  return c;
}

bool StoreMakeWizardChoices(const MakeWizardChoices& chosen, const MakeWizardChoices& opened,
                            ProjectModel& project) {
  ProjectHeader& h = project.Header();
  std::string& options = h.ProjectOptions;
  if (options.size() < 4) options.resize(4, '0');
  const bool flags[] = {chosen.no_contents_file, chosen.no_help_project, chosen.no_map_header,
                        chosen.save_first};
  for (std::size_t i = 0; i < 4; ++i) options[i] = flags[i] ? '1' : '0';
  if (chosen.always_compress) {
    h.CompressMode |= kCompressAlways;
  } else {
    h.CompressMode &= ~kCompressAlways;
  }
  if (chosen == opened) return false;
  project.SetModified(true);
  return true;
}

}  // namespace qy
