// The built-in help compiler on the largest project (999 pages, about 10 MB
// of topic text), against writing its four input files: the compile is meant
// to stay under three times the write.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/topic_writer.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/progress.h"
#include "generated_project.h"
#include "hlp/help_compiler.h"

namespace {

bool WriteFour(const qy::ProjectModel& project) {
  qy::NullProgress progress;
  return qy::WriteHelpProject(project, true, "", progress) &&
         qy::WriteContentsFile(project, true, progress) && qy::WriteMapHeader(project, progress) &&
         qy::WriteTopicFile(project, progress);
}

void BM_WriteFourFiles(benchmark::State& state) {
  const auto& project = qy::bench::GeneratedProject();
  for (auto _ : state) {
    if (!WriteFour(project)) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteFourFiles)->Unit(benchmark::kMillisecond);

void BM_CompileHelpFile(benchmark::State& state) {
  const auto& project = qy::bench::GeneratedProject();
  if (!WriteFour(project)) state.SkipWithError("write failed");
  const std::string hpj = qy::bench::GeneratedPath(".hpj");
  // The compiler writes these beside it; they go at exit with the rest.
  qy::bench::GeneratedPath(".hlp");
  qy::bench::GeneratedPath(".err");
  std::size_t size = 0;
  for (auto _ : state) {
    const qy::hlp::CompileOutcome out = qy::hlp::CompileHelpProject({hpj, "", 0});
    if (!out.help_file_written) state.SkipWithError("no help file");
    size = out.help_file_size;
  }
  state.counters["hlp_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_CompileHelpFile)->Unit(benchmark::kMillisecond);

}  // namespace
