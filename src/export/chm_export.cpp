#include "export/chm_export.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/codec.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy::help_export {

namespace {

constexpr char kProjectName[] = "quillory.hhp";
constexpr char kContentsName[] = "contents.hhc";
constexpr char kIndexName[] = "index.hhk";
constexpr char kCompiledName[] = "quillory.chm";

std::string Escaped(const std::string& sjis) { return EscapeHtml(Cp932ToUtf8(sjis)); }

std::string SitemapEntry(const std::string& name_utf8, const std::string& file) {
  std::string out =
      "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name_utf8 + "\">";
  if (!file.empty()) out += "<param name=\"Local\" value=\"" + file + "\">";
  return out + "</OBJECT>\n";
}

constexpr char kSitemapHead[] =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML>\n<HEAD>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n"
    "</HEAD>\n<BODY>\n";

// A staging folder of our own under the temporary folder.
std::string MakeStagingFolder(std::string& error) {
  std::string pattern = TempFolder() + "/qy_chm_XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    error = Sjis("作業フォルダを作成できません。");
    return {};
  }
  return pattern;
}

bool StartsWithItsf(const std::string& file) {
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (f == nullptr) return false;
  char head[4] = {};
  const bool ok = std::fread(head, 1, 4, f) == 4 && std::string(head, 4) == "ITSF";
  std::fclose(f);
  return ok;
}

}  // namespace

std::string ContentsSitemap(const SitePlan& plan) {
  std::string out = kSitemapHead;
  out +=
      "<OBJECT type=\"text/site properties\"><param name=\"ImageType\" value=\"Folder\">"
      "</OBJECT>\n<UL>\n";
  int depth = 1;
  for (const ContentsEntry& e : plan.contents) {
    // A level deeper than one below the last book hangs under that book.
    const int level = std::min(e.level, depth);
    for (; depth > level; --depth) out += "</UL>\n";
    out += SitemapEntry(Escaped(e.title), e.file);
    if (e.book) {
      out += "<UL>\n";
      ++depth;
    }
  }
  for (; depth > 1; --depth) out += "</UL>\n";
  return out + "</UL>\n</BODY>\n</HTML>\n";
}

std::string IndexSitemap(const SitePlan& plan, const ProjectModel& project) {
  std::string out = std::string(kSitemapHead) + "<UL>\n";
  for (const KeywordEntry& entry : plan.k_keywords) {
    out += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" +
           Escaped(entry.keyword) + "\">";
    for (int index : entry.pages) {
      const SitePage& page = plan.pages[static_cast<std::size_t>(index)];
      out += "<param name=\"Name\" value=\"" + Escaped(project.Page(page.page).Title) +
             "\"><param name=\"Local\" value=\"" + page.file + "\">";
    }
    out += "</OBJECT>\n";
  }
  return out + "</UL>\n</BODY>\n</HTML>\n";
}

std::string HelpProject(const SitePlan& plan, const ProjectModel& project, const SiteFiles& files,
                        const std::string& compiled_file) {
  std::string out = "[OPTIONS]\r\nCompiled file=" + compiled_file + "\r\n";
  out += std::string("Contents file=") + kContentsName + "\r\nIndex file=" + kIndexName + "\r\n";
  const int first = plan.FirstTopic();
  if (first >= 0) {
    out += "Default topic=" + plan.pages[static_cast<std::size_t>(first)].file + "\r\n";
  }
  out += "Title=" + Cp932ToUtf8(project.Header().HelpTitle) + "\r\n";
  out +=
      "Language=0x411 Japanese\r\nBinary Index=No\r\nBinary TOC=No\r\n"
      "Full-text search=Yes\r\nDefault Window=main\r\n\r\n[WINDOWS]\r\nmain=\"" +
      Cp932ToUtf8(project.Header().HelpTitle) + "\",\"" + kContentsName + "\",\"" + kIndexName +
      "\",\"" + (first >= 0 ? plan.pages[static_cast<std::size_t>(first)].file : std::string()) +
      "\",,,,,,0x2520,,0x3006,,,,,,,,0\r\n\r\n[FILES]\r\n";
  for (const OutputFile& file : files.files) {
    if (file.name.size() > 5 && file.name.compare(file.name.size() - 5, 5, ".html") == 0) {
      out += file.name + "\r\n";
    }
  }
  for (const auto& [key, use] : files.pictures) out += "images/" + use.output + "\r\n";
  out += "\r\n[ALIAS]\r\n";
  for (const auto& [id, index] : plan.context_ids) {
    const SitePage& page = plan.pages[static_cast<std::size_t>(index)];
    out += Cp932ToUtf8(project.Page(page.page).Context) + "=" + page.file + "\r\n";
  }
  out += "\r\n[MAP]\r\n";
  for (const auto& [id, index] : plan.context_ids) {
    const SitePage& page = plan.pages[static_cast<std::size_t>(index)];
    out += "#define " + Cp932ToUtf8(project.Page(page.page).Context) + " " + std::to_string(id) +
           "\r\n";
  }
  return out;
}

std::string ChmCompilerMissingMessage(const std::string& compiler, const std::string& why) {
  return Sjis("HTML ヘルプのコンパイラ \"") + PathToSjis(compiler) +
         Sjis("\" を起動できませんでした (") + Sjis(why) +
         Sjis(
             ")。Free Pascal の chmcmd が必要です。Debian/Ubuntu では \"sudo apt-get install "
             "fp-utils\" でインストールできます。");
}

ExportResult ExportChm(const ProjectModel& project, const std::string& chm_file,
                       const ExportOptions& options, ProcessRunner& runner, Progress& progress,
                       const std::string& compiler) {
  ExportResult result;
  const SitePlan plan = PlanSite(project);
  progress.SetRange(static_cast<int>(plan.pages.size()) + 2);
  progress.SetPosition(0);
  SiteFiles files = BuildSiteFiles(project, plan, Flavor::kChm, progress);
  result.notes = std::move(files.notes);
  result.pages = static_cast<int>(plan.pages.size());

  std::error_code ec;
  const std::filesystem::path target = std::filesystem::absolute(chm_file, ec);
  if (ec) {
    result.error = Sjis("出力ファイルの名前が不正です: ") + PathToSjis(chm_file);
    return result;
  }
  // chmcmd writes into the staging folder (the project file is Shift-JIS, so
  // the target's own name may not survive in it); the checked result is
  // copied next to the target under a temporary name and renamed over it.
  const std::string temporary =
      (target.parent_path() / (".~qy" + target.filename().string())).string();
  files.files.push_back({kContentsName, ContentsSitemap(plan), true});
  files.files.push_back({kIndexName, IndexSitemap(plan, project), true});
  files.files.push_back({kProjectName, HelpProject(plan, project, files, kCompiledName), true});

  const std::string staging = MakeStagingFolder(result.error);
  if (staging.empty()) return result;
  const std::string pictures = PictureSourceFolder(project, options);
  const bool written =
      WriteExportFiles(files, Flavor::kChm, staging, pictures, result.notes, result.error);
  progress.Step();
  if (written) {
    const std::string compiled = staging + "/" + kCompiledName;
    const ProcessResult run = runner.Start(compiler, {kProjectName}, staging, true);
    if (!run.started) {
      result.error = ChmCompilerMissingMessage(compiler, run.error);
    } else if (run.exit_code != 0) {
      result.error =
          Sjis("chmcmd が終了コード ") + std::to_string(run.exit_code) + Sjis(" で失敗しました。");
    } else if (!StartsWithItsf(compiled)) {
      result.error = Sjis("chmcmd は成功を返しましたが、HTML ヘルプファイルができていません。");
    } else {
      std::filesystem::remove(temporary, ec);
      ec.clear();
      if (!CopyFile(compiled, temporary)) {
        ec = std::make_error_code(std::errc::io_error);
      } else {
        std::filesystem::rename(temporary, target, ec);
      }
      if (ec) {
        result.error = Sjis("\"") + PathToSjis(target.string()) +
                       Sjis("\" を置き換えられません: ") + Sjis(ec.message());
      } else {
        result.ok = true;
      }
    }
    if (!result.ok) std::filesystem::remove(temporary, ec);
  }
  std::filesystem::remove_all(staging, ec);
  progress.Step();
  return result;
}

}  // namespace qy::help_export
