// Generation speed of the build files for the generated project
// (generated_project.h).
#include <benchmark/benchmark.h>

#include <string>

#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/rtf_text.h"
#include "build/topic_writer.h"
#include "core/files.h"
#include "core/progress.h"
#include "generated_project.h"

namespace {

const qy::ProjectModel& FullProject() { return qy::bench::GeneratedProject(); }

void BM_TopicFile(benchmark::State& state) {
  const auto& project = FullProject();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string rtf = qy::BuildTopicFile(project);
    bytes += rtf.size();
    benchmark::DoNotOptimize(rtf);
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_TopicFile)->Unit(benchmark::kMillisecond);

void BM_ContentsFile(benchmark::State& state) {
  const auto& project = FullProject();
  for (auto _ : state) benchmark::DoNotOptimize(qy::BuildContentsFile(project, true));
}
BENCHMARK(BM_ContentsFile)->Unit(benchmark::kMicrosecond);

void BM_MapHeaderAndHelpProject(benchmark::State& state) {
  const auto& project = FullProject();
  for (auto _ : state) {
    benchmark::DoNotOptimize(qy::BuildMapHeader(project));
    benchmark::DoNotOptimize(qy::BuildHelpProject(project, true, "", qy::CompressLine()));
  }
}
BENCHMARK(BM_MapHeaderAndHelpProject)->Unit(benchmark::kMicrosecond);

void BM_EscapeDbcs(benchmark::State& state) {
  std::string text;
  for (const std::string& topic : qy::bench::GeneratedTopics()) {
    if (text.size() >= 1 << 20) break;
    text += topic;
  }
  for (auto _ : state) benchmark::DoNotOptimize(qy::EscapeDbcs(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_EscapeDbcs)->Unit(benchmark::kMillisecond);

// All four files written to disk the way the make-help command writes them.
void BM_AllFourFilesToDisk(benchmark::State& state) {
  const auto& project = FullProject();
  qy::NullProgress progress;
  for (auto _ : state) {
    bool ok = qy::WriteHelpProject(project, true, "", progress) &&
              qy::WriteContentsFile(project, true, progress) &&
              qy::WriteMapHeader(project, progress) && qy::WriteTopicFile(project, progress);
    if (!ok) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_AllFourFilesToDisk)->Unit(benchmark::kMillisecond);

// The floor: the same number of bytes written with one atomic write.
void BM_PlainWriteOfTheSameBytes(benchmark::State& state) {
  const auto& project = FullProject();
  std::string bytes = qy::BuildTopicFile(project) + qy::BuildContentsFile(project, true) +
                      qy::BuildMapHeader(project) +
                      qy::BuildHelpProject(project, true, "", qy::CompressLine());
  const std::string file = qy::bench::GeneratedPath(".plain");
  for (auto _ : state) {
    if (!qy::WriteFileAtomic(file, bytes)) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_PlainWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
