// What the build writers share: where their files go and how a list of lines
// becomes a file.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/progress.h"
#include "project/project_model.h"

namespace qy {

// The project path with its extension replaced (`extension` with its dot):
// every generated file lies beside the project file under its base name.
std::string BuildFilePath(const ProjectModel& project, const std::string& extension);

// The project file's name without folder and extension, as Shift-JIS text
// for the generated files (the path itself is in the platform's encoding).
std::string ProjectBaseName(const ProjectModel& project);

// ".\" + ProjectBaseName + `extension`: how the help project refers to its
// sibling files.
std::string RelativeBuildFile(const ProjectModel& project, const std::string& extension);

// Every line followed by CR LF, the last one too. A line may itself hold CR LF
// pairs (a topic text, a section text); it is copied as it is.
std::string JoinFileLines(const std::vector<std::string>& lines);

// Lines of a generated file, advancing an optional progress indicator after
// each added line when asked to.
class LineList {
 public:
  explicit LineList(Progress* progress = nullptr, bool step_per_line = false)
      : progress_(progress), step_per_line_(step_per_line) {}
  void Add(std::string line);
  std::string Text() const { return JoinFileLines(lines_); }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  Progress* progress_;
  bool step_per_line_;
};

// Saves a generated file in one atomic write. On success the progress
// indicator, when given, advances once more; on failure the old file stays
// and the reason names the file.
FileResult SaveBuildFile(const std::string& path, std::string_view text,
                         Progress* progress = nullptr);

// SaveBuildFile for a file made piece by piece (WriteFileAtomicStreamed).
FileResult SaveBuildFileStreamed(const std::string& path,
                                 const std::function<bool(const WriteBytes&)>& produce,
                                 Progress* progress = nullptr);

}  // namespace qy
