// Small text descriptions of help projects for the writers' golden tests.
//
// A ".proj" file (Shift-JIS, CR LF) has a [Project] section, a [Build]
// section with the writers' other inputs, and one [Page] section per page in
// page order. "Key=value" sets a field; "Key<<" starts a multi-line value
// that runs up to a line holding only "." (the lines are joined with CR LF,
// so an empty last line gives a final CR LF). Lines starting with ";" are
// comments. File names are written as Shift-JIS, like every project field,
// and become the platform's file names when loaded.
#pragma once

#include <memory>
#include <string>

#include "project/project_model.h"

namespace qy::testing {

struct GoldenBuildInputs {
  bool no_low_layer = true;
  bool honour_compression = true;
  std::string bitmap_path;
  int preview_page = 0;  // 0: no preview files expected
  std::string preview_base = "~qy0001";
};

struct GoldenProject {
  std::unique_ptr<ProjectModel> project = std::make_unique<ProjectModel>();
  GoldenBuildInputs build;
};

// Throws std::runtime_error naming the line for anything it does not know.
GoldenProject ParseGoldenProject(const std::string& text);
GoldenProject LoadGoldenProject(const std::string& path);

}  // namespace qy::testing
