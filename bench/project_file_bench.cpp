// Reading and writing the generated project (generated_project.h). ReadRawFile is the floor to
// compare against: the same bytes read with no parsing at all.
#include <benchmark/benchmark.h>

#include <string>

#include "core/files.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "generated_project.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace {

const std::string& BenchFile() { return qy::bench::GeneratedProjectFile(); }

void LoadProjectFile(benchmark::State& state) {
  qy::SilentPrompter prompter;
  qy::NullProgress progress;
  const std::string& file = BenchFile();
  for (auto _ : state) {
    qy::ProjectModel model;
    int r = qy::LoadProjectFile(model, file, qy::kVersion160b, prompter, progress);
    if (r != qy::kLoadSuccess) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(model.PageCount());
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(qy::ReadWholeFile(file)->size()));
}
BENCHMARK(LoadProjectFile)->Unit(benchmark::kMillisecond);

void WriteProjectFile(benchmark::State& state) {
  const qy::ProjectModel& model = qy::bench::GeneratedProject();
  const std::string file = qy::bench::GeneratedPath(".write.qyp");
  for (auto _ : state) {
    if (!qy::WriteProjectFile(model, file)) state.SkipWithError("write failed");
  }
}
BENCHMARK(WriteProjectFile)->Unit(benchmark::kMillisecond);

// The floor: reading the same file's bytes (what `cat` does).
void ReadRawFile(benchmark::State& state) {
  const std::string& file = BenchFile();
  for (auto _ : state) {
    auto data = qy::ReadWholeFile(file);
    benchmark::DoNotOptimize(data->size());
  }
}
BENCHMARK(ReadRawFile)->Unit(benchmark::kMillisecond);

}  // namespace
