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
#include "hlp/help_compiler.h"

namespace {

std::string LongTopic(int page) {
  const std::string line = qy::Sjis("この段落は{\\b 太字}と{\\uldb ジャンプ}{\\v ") +
                           qy::NumberedContext(page % 999 + 1) +
                           qy::Sjis("}を含む。ｶﾀｶﾅの文も少し長めに書いておく。");
  std::string text;
  while (text.size() < 10000) text += line + (text.size() % 7 == 0 ? "\\par\r\n" : "\r\n");
  return text;
}

const qy::ProjectModel& LargeProject() {
  static qy::ProjectModel* project = [] {
    auto* p = new qy::ProjectModel;
    p->SetProjectFileName(qy::TempFolder() + "/qy_bench_hc/large.qyp");
    p->ClearPages();
    for (int i = 1; i <= qy::kMaxPages; ++i) {
      qy::PageRecord page;
      page.Attribute = i % 5 == 0 ? 1 : 0;
      page.Context = qy::NumberedContext(i);
      page.ContextID = i;
      page.Title = qy::Sjis("ページの題名 ") + std::to_string(i);
      page.Keyword = qy::Sjis("キーワード;索引;") + std::to_string(i);
      page.Topic = LongTopic(i);
      p->AppendPage(page);
    }
    return p;
  }();
  return *project;
}

bool WriteFour(const qy::ProjectModel& project) {
  qy::NullProgress progress;
  return qy::WriteHelpProject(project, true, "", progress) &&
         qy::WriteContentsFile(project, true, progress) && qy::WriteMapHeader(project, progress) &&
         qy::WriteTopicFile(project, progress);
}

void BM_WriteFourFiles(benchmark::State& state) {
  const auto& project = LargeProject();
  std::filesystem::create_directories(qy::TempFolder() + "/qy_bench_hc");
  for (auto _ : state) {
    if (!WriteFour(project)) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_WriteFourFiles)->Unit(benchmark::kMillisecond);

void BM_CompileHelpFile(benchmark::State& state) {
  const auto& project = LargeProject();
  std::filesystem::create_directories(qy::TempFolder() + "/qy_bench_hc");
  if (!WriteFour(project)) state.SkipWithError("write failed");
  const std::string hpj = qy::TempFolder() + "/qy_bench_hc/large.hpj";
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
