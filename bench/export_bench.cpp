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
#include "generated_project.h"
#include "platform/posix_process_runner.h"

namespace {

void BM_SiteFilesInMemory(benchmark::State& state) {
  const auto& project = qy::bench::GeneratedProject();
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
  const auto& project = qy::bench::GeneratedProject();
  const std::string folder = qy::bench::GeneratedPath("_site");
  for (auto _ : state) {
    qy::NullProgress progress;
    auto result = qy::help_export::ExportHtmlSite(project, folder, {}, progress);
    if (!result.ok) state.SkipWithError("the site could not be written");
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_HtmlSiteToDisk)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ChmWithChmcmd(benchmark::State& state) {
  const auto& project = qy::bench::GeneratedProject();
  const std::string file = qy::bench::GeneratedPath(".chm");
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
