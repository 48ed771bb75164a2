#include "hlp/project_resources.h"

#include <set>

#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "hlp/message_codes.h"
#include "hlp/path_resolver.h"

namespace qy::hlp {

namespace {

unsigned U16At(std::string_view d, std::size_t at) {
  return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}

std::uint32_t U32At(std::string_view d, std::size_t at) {
  return U16At(d, at) | static_cast<std::uint32_t>(U16At(d, at + 2)) << 16;
}

}  // namespace

std::optional<std::string> IconProblem(std::string_view ico) {
  if (ico.size() < 6 || U16At(ico, 0) != 0 || U16At(ico, 2) != 1) return "not an .ico file";
  const std::size_t count = U16At(ico, 4);
  if (count == 0) return "the file holds no image";
  if (ico.size() < 6 + 16 * count) return "the file is cut short";
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::uint64_t size = U32At(ico, entry + 8);
    const std::uint64_t at = U32At(ico, entry + 12);
    if (size == 0 || at < 6 + 16 * count || at + size > ico.size()) {
      return "image " + std::to_string(i + 1) + " lies outside the file";
    }
  }
  // The size of a |SYSTEM record is a 16-bit number.
  if (ico.size() > 0xFFFF - 4) return "larger than 64 KB";
  return std::nullopt;
}

std::string BaggageName(std::string_view listed) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < listed.size();) {
    const std::size_t len = CharLengthAt(listed, i);  // '\' can be a trail byte
    if (len == 1 && (listed[i] == '\\' || listed[i] == '/' || listed[i] == ':')) start = i + 1;
    i += len;
  }
  return std::string(listed.substr(start));
}

ProjectResources LoadProjectResources(const HelpProject& project, const std::string& folder) {
  ProjectResources out;
  const auto read = [&](const std::string& name, std::string* why) -> std::optional<std::string> {
    const std::string path = FindInFolders(folder, project.roots, name);
    if (path.empty()) {
      *why = "file not found";
      return std::nullopt;
    }
    std::string error;
    auto bytes = ReadWholeFile(path, &error);
    if (!bytes) *why = PathToSjis(error);
    return bytes;
  };
  if (!project.icon.empty()) {
    std::string why;
    std::optional<std::string> ico = read(project.icon, &why);
    std::optional<std::string> problem = ico ? IconProblem(*ico) : why;
    if (problem) {
      out.diagnostics.push_back(MakeDiagnostic(
          code::kBadIcon, "Icon " + project.icon + ": " + *problem + "; no icon is used.",
          project.file_name, project.icon_line));
    } else {
      out.icon = std::move(*ico);
    }
  }
  std::set<std::string> names;
  for (const std::string& listed : project.baggage) {
    const std::string name = BaggageName(listed);
    if (name.empty() || name[0] == '|' || !names.insert(AsciiUpper(name)).second) {
      out.diagnostics.push_back(MakeDiagnostic(
          code::kBadLine, "Baggage file " + listed + " is listed twice or has no usable name.",
          project.file_name));
      continue;
    }
    std::string why;
    std::optional<std::string> bytes = read(listed, &why);
    if (!bytes) {
      out.diagnostics.push_back(MakeDiagnostic(code::kFileUnreadable,
                                               "Cannot read baggage file " + listed + ": " + why,
                                               project.file_name));
      continue;
    }
    out.baggage.emplace_back(name, std::move(*bytes));
  }
  return out;
}

}  // namespace qy::hlp
