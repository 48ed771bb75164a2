// Export speed for a full 999-page project: the HTML site (pages, search
// index, scripts) written to a folder, and the HTML Help file through
// chmcmd when it is installed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "core/progress.h"
#include "export/chm_export.h"
#include "export/html_export.h"
#include "export/site_files.h"
#include "platform/posix_process_runner.h"

namespace {

std::string SampleTopic(int page) {
  std::string line = qy::Sjis(
      "この段落は{\\b 太字}と{\\uldb ジャンプ}{\\v HLP000002}と{\\ul 用語}{\\v "
      "HLP000005}を含む。ｶﾀｶﾅ");
  std::string text = qy::Sjis("{\\b 見出し ") + std::to_string(page) + "}\\par\r\n";
  for (int i = 0; i < 40; ++i) text += line + (i % 7 == 0 ? "\\par\r\n" : "\r\n");
  return text;
}

const qy::ProjectModel& FullProject() {
  static qy::ProjectModel* project = [] {
    auto* p = new qy::ProjectModel;
    p->SetProjectFileName(qy::TempFolder() + "/qy_bench_export.qyp");
    p->ClearPages();
    for (int i = 1; i <= qy::kMaxPages; ++i) {
      qy::PageRecord page;
      page.Attribute = i % 50 == 1 ? qy::BookAttribute(1 + i % 3) : (i % 5 == 0 ? 1 : 0);
      page.Context = qy::NumberedContext(i);
      page.ContextID = i;
      page.Title = qy::Sjis("ページの題名 ") + std::to_string(i);
      page.Keyword = qy::Sjis("キーワード;索引;") + std::to_string(i);
      page.Topic = SampleTopic(i);
      p->AppendPage(page);
    }
    return p;
  }();
  return *project;
}

void BM_SiteFilesInMemory(benchmark::State& state) {
  const auto& project = FullProject();
  const qy::help_export::SitePlan plan = qy::help_export::PlanSite(project);
  for (auto _ : state) {
    qy::NullProgress progress;
    auto files =
        qy::help_export::BuildSiteFiles(project, plan, qy::help_export::Flavor::kSite, progress);
    benchmark::DoNotOptimize(files);
  }
}
BENCHMARK(BM_SiteFilesInMemory)->Unit(benchmark::kMillisecond);

void BM_HtmlSiteToDisk(benchmark::State& state) {
  const auto& project = FullProject();
  const std::string folder = qy::TempFolder() + "/qy_bench_export_site";
  for (auto _ : state) {
    qy::NullProgress progress;
    auto result = qy::help_export::ExportHtmlSite(project, folder, {}, progress);
    if (!result.ok) state.SkipWithError("the site could not be written");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_HtmlSiteToDisk)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ChmWithChmcmd(benchmark::State& state) {
  const auto& project = FullProject();
  const std::string file = qy::TempFolder() + "/qy_bench_export.chm";
  qy::PosixProcessRunner runner;
  for (auto _ : state) {
    qy::NullProgress progress;
    auto result = qy::help_export::ExportChm(project, file, {}, runner, progress);
    if (!result.ok) {
      state.SkipWithError(qy::Cp932ToUtf8(result.error).c_str());
      break;
    }
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_ChmWithChmcmd)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
