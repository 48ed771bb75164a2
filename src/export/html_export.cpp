#include "export/html_export.h"

#include <filesystem>
#include <system_error>

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"
#include "export/bitmap_png.h"

namespace qy::help_export {

namespace {

bool MakeFolder(const std::string& folder, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec || !DirectoryExists(folder)) {
    error = Sjis("フォルダ \"") + PathToSjis(folder) + Sjis("\" を作成できません: ") +
            Sjis(ec ? ec.message() : std::string("not a folder"));
    return false;
  }
  return true;
}

void WritePicture(const PictureUse& use, const std::string& picture_folder,
                  const std::string& images, std::vector<std::string>& notes) {
  const std::string source = picture_folder + "/" + PathFromSjis(use.source);
  std::string read_error;
  std::optional<std::string> data = ReadWholeFile(source, &read_error);
  if (!data) {
    notes.push_back(Sjis("画像 \"") + use.source + Sjis("\" が画像フォルダにありません。"));
    return;
  }
  if (use.transparent) {
    std::string error;
    std::optional<std::string> png = BmpToTransparentPng(*data, &error);
    if (!png) {
      notes.push_back(Sjis("画像 \"") + use.source + Sjis("\" を透過 PNG にできません: ") + error);
      return;
    }
    data = std::move(png);
  }
  FileResult written = WriteFileAtomic(images + "/" + use.output, *data);
  if (!written) {
    notes.push_back(Sjis("画像 \"") + use.output + Sjis("\" を書き込めません: ") +
                    Sjis(written.error));
  }
}

}  // namespace

std::string PictureSourceFolder(const ProjectModel& project, const ExportOptions& options) {
  if (!options.picture_folder.empty()) return options.picture_folder;
  const std::string folder = FolderOf(project.ProjectFileName());
  return folder.empty() ? "." : folder;
}

bool WriteExportFiles(const SiteFiles& files, Flavor flavor, const std::string& folder,
                      const std::string& picture_folder, std::vector<std::string>& notes,
                      std::string& error) {
  if (!MakeFolder(folder, error)) return false;
  for (const OutputFile& file : files.files) {
    const std::string path = folder + "/" + file.name;
    const std::string data =
        flavor == Flavor::kChm && file.encoded_text ? Utf8ToCp932(file.data) : file.data;
    FileResult written = WriteFileAtomic(path, data);
    if (!written) {
      error = Sjis("\"") + PathToSjis(path) + Sjis("\" を書き込めません: ") + Sjis(written.error);
      return false;
    }
  }
  if (files.pictures.empty()) return true;
  const std::string images = folder + "/images";
  if (!MakeFolder(images, error)) return false;
  for (const auto& [key, use] : files.pictures) WritePicture(use, picture_folder, images, notes);
  return true;
}

ExportResult ExportHtmlSite(const ProjectModel& project, const std::string& folder,
                            const ExportOptions& options, Progress& progress) {
  ExportResult result;
  const SitePlan plan = PlanSite(project);
  progress.SetRange(static_cast<int>(plan.pages.size()) + 1);
  progress.SetPosition(0);
  SiteFiles files = BuildSiteFiles(project, plan, Flavor::kSite, progress);
  result.notes = std::move(files.notes);
  const std::string pictures = PictureSourceFolder(project, options);
  result.ok = WriteExportFiles(files, Flavor::kSite, folder, pictures, result.notes, result.error);
  progress.Step();
  result.pages = static_cast<int>(plan.pages.size());
  return result;
}

}  // namespace qy::help_export
