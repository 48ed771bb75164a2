// Reading every topic of the generated project (generated_project.h). ByteScan is the floor: one
// pass over the same bytes that looks at each of them and builds nothing.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "generated_project.h"
#include "topic/line_scan.h"
#include "topic/parser.h"
#include "topic/tokenizer.h"

namespace {

const std::vector<std::string>& Topics() { return qy::bench::GeneratedTopics(); }

int64_t TotalBytes() {
  int64_t total = 0;
  for (const std::string& topic : Topics()) total += static_cast<int64_t>(topic.size());
  return total;
}

void ByteScan(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t braces = 0;
    for (const std::string& topic : Topics()) {
      for (char c : topic) braces += (c == '{' || c == '}' || c == '\\');
    }
    benchmark::DoNotOptimize(braces);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(ByteScan)->Unit(benchmark::kMillisecond);

void TokenizeAllTopics(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t tokens = 0;
    for (const std::string& topic : Topics()) {
      qy::topic::Tokenizer tokenizer(topic);
      while (tokenizer.Next().kind != qy::topic::TokenKind::kEnd) ++tokens;
    }
    benchmark::DoNotOptimize(tokens);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(TokenizeAllTopics)->Unit(benchmark::kMillisecond);

void ParseAllTopics(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t paragraphs = 0;
    for (const std::string& topic : Topics()) {
      qy::topic::Document doc = qy::topic::ParseDocument(topic);
      paragraphs += doc.topics.front().paragraphs.size();
    }
    benchmark::DoNotOptimize(paragraphs);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(ParseAllTopics)->Unit(benchmark::kMillisecond);

// What the editor's highlighter does when a whole topic is shown.
class CountingSink : public qy::topic::SpanSink {
 public:
  void OnSpan(std::size_t, std::size_t, qy::topic::Span) override { ++spans; }
  std::size_t spans = 0;
};

void ScanAllTopicsByLine(benchmark::State& state) {
  for (auto _ : state) {
    CountingSink sink;
    for (const std::string& topic : Topics()) {
      qy::topic::LineState line_state;
      for (const std::string& line : qy::SplitLines(topic)) {
        line_state = qy::topic::ScanLine(line, line_state, sink);
      }
    }
    benchmark::DoNotOptimize(sink.spans);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(ScanAllTopicsByLine)->Unit(benchmark::kMillisecond);

}  // namespace
