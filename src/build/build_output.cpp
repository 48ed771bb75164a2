#include "build/build_output.h"

#include "core/native_path.h"

namespace qy {

std::string BuildFilePath(const ProjectModel& project, const std::string& extension) {
  return ChangeExtension(project.ProjectFileName(), extension);
}

std::string ProjectBaseName(const ProjectModel& project) {
  return PathToSjis(BaseNameOf(project.ProjectFileName()));
}

std::string RelativeBuildFile(const ProjectModel& project, const std::string& extension) {
  return ".\\" + ProjectBaseName(project) + extension;
}

std::string JoinFileLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void LineList::Add(std::string line) {
  lines_.push_back(std::move(line));
  if (step_per_line_ && progress_) progress_->Step();
}

FileResult SaveBuildFile(const std::string& path, std::string_view text, Progress* progress) {
  return SaveBuildFileStreamed(
      path, [&](const WriteBytes& write) { return write(text); }, progress);
}

FileResult SaveBuildFileStreamed(const std::string& path,
                                 const std::function<bool(const WriteBytes&)>& produce,
                                 Progress* progress) {
  FileResult result = WriteFileAtomicStreamed(path, produce);
  if (!result) return FileResult::Fail(path + ": " + result.error);
  if (progress) progress->Step();
  return result;
}

}  // namespace qy
