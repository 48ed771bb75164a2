// Reading and writing a full project: 999 pages with 10 KB topics of mixed
// Japanese and ASCII text. ReadRawFile is the floor to compare against: the
// same bytes read with no parsing at all.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace {

std::string MixedTopic(int page) {
  const std::string line =
      qy::Sjis("ヘルプの本文です。{\\b 太字} と {\\uldb ジャンプ}{\\v HLP000002} を含みます。") +
      " Plain ASCII text follows, number " + std::to_string(page) + ".";
  std::string topic;
  while (topic.size() < 10 * 1024) {
    if (!topic.empty()) topic += "\r\n";
    topic += line;
  }
  return topic;
}

void FillProject(qy::ProjectModel& model) {
  model.ClearProject();
  for (int p = 1; p <= qy::kMaxPages; ++p) {
    qy::PageRecord page;
    page.Context = qy::NumberedContext(p);
    page.ContextID = p;
    page.Title = qy::Sjis("ページ ") + std::to_string(p);
    page.Keyword = qy::Sjis("キーワード;索引");
    page.Topic = MixedTopic(p);
    model.AppendPage(std::move(page));
  }
}

const std::string& BenchFile() {
  static const std::string path = [] {
    qy::ProjectModel model;
    FillProject(model);
    std::string file = qy::TempFolder() + "/qy_bench_project.qyp";
    qy::WriteProjectFile(model, file);
    return file;
  }();
  return path;
}

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
  qy::ProjectModel model;
  FillProject(model);
  std::string file = qy::TempFolder() + "/qy_bench_write.qyp";
  for (auto _ : state) {
    if (!qy::WriteProjectFile(model, file)) state.SkipWithError("write failed");
  }
  std::remove(file.c_str());
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
