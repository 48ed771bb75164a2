// Generation speed of the build files for a full 999-page project.
#include <benchmark/benchmark.h>

#include <string>

#include "build/contents_writer.h"
#include "build/help_project_writer.h"
#include "build/map_header_writer.h"
#include "build/rtf_text.h"
#include "build/topic_writer.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/progress.h"

namespace {

std::string SampleTopic() {
  std::string line = qy::Sjis("この段落は{\\b 太字}と{\\uldb ジャンプ}{\\v HLP000002}を含む。ｶﾀｶﾅ");
  std::string text;
  for (int i = 0; i < 40; ++i) text += line + (i % 7 == 0 ? "\\par\r\n" : "\r\n");
  return text;
}

const qy::ProjectModel& FullProject() {
  static qy::ProjectModel* project = [] {
    auto* p = new qy::ProjectModel;
    p->SetProjectFileName(qy::TempFolder() + "/qy_bench_writers.qyp");
    p->ClearPages();
    const std::string topic = SampleTopic();
    for (int i = 1; i <= qy::kMaxPages; ++i) {
      qy::PageRecord page;
      page.Attribute = i % 50 == 1 ? qy::BookAttribute(1 + i % 3) : (i % 5 == 0 ? 1 : 0);
      page.Context = qy::NumberedContext(i);
      page.ContextID = i;
      page.Title = qy::Sjis("ページの題名 ") + std::to_string(i);
      page.Keyword = qy::Sjis("キーワード;索引;") + std::to_string(i);
      page.Topic = topic;
      p->AppendPage(page);
    }
    return p;
  }();
  return *project;
}

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
  while (text.size() < 1 << 20) text += SampleTopic();
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
  std::string file = qy::TempFolder() + "/qy_bench_plain.bin";
  for (auto _ : state) {
    if (!qy::WriteFileAtomic(file, bytes)) state.SkipWithError("write failed");
  }
  qy::RemoveFile(file);
}
BENCHMARK(BM_PlainWriteOfTheSameBytes)->Unit(benchmark::kMillisecond);

}  // namespace
