// Speed of the macro component on three 1,000,000-pass loops: integer
// arithmetic in a FOR loop, string building with Length in a WHILE loop, and
// a call of a host routine per pass; and the time and memory of one run of a
// 100,000-line program, whose statement parts are kept for the whole run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <string>

#include "macro/poor_pascal.h"

namespace {

constexpr int kPasses = 1000000;

void RunLoop(benchmark::State& state, qy::TPoorPascal& ppa, const std::string& source,
             const char* check, std::int64_t expected) {
  ppa.SetSource(source);
  ppa.on_process_messages = [] {};  // a host's pump, throttled as in the window
  for (auto _ : state) {
    ppa.Execute();
    const qy::VariableEntry* v = ppa.interpreter().FindVariable(check);
    if (!v || v->IntValue != expected) state.SkipWithError("wrong result");
  }
  state.SetItemsProcessed(state.iterations() * kPasses);
}

void BM_IntegerForLoop(benchmark::State& state) {
  qy::TPoorPascal ppa;
  RunLoop(state, ppa,
          "var i, s: Integer; begin s := 0; for i := 1 to " + std::to_string(kPasses) +
              " do s := s + i end.",
          "S", std::int64_t{kPasses} * (kPasses + 1) / 2);
}

void BM_StringWhileLoop(benchmark::State& state) {
  qy::TPoorPascal ppa;
  RunLoop(state, ppa,
          "var i, n: Integer; s: String; begin i := 0; s := ''; while i < " +
              std::to_string(kPasses) +
              " do begin s := s + 'x'; n := Length(s); i := i + 1 end end.",
          "N", kPasses);
}

void BM_HostRoutineLoop(benchmark::State& state) {
  qy::TPoorPascal ppa;
  ppa.SetDeclarePrototype({"function Twice(N: Integer): Integer; index $0001;"});
  ppa.IntFuncParam = [](const std::string&, std::int32_t, const qy::MacroArguments& args,
                        std::int32_t&, std::int64_t& result) { result = 2 * args.Integer(0); };
  RunLoop(state, ppa,
          "var i, s: Integer; begin s := 0; for i := 1 to " + std::to_string(kPasses) +
              " do s := s + Twice(i) end.",
          "S", std::int64_t{kPasses} * (kPasses + 1));
}

// Heap bytes in use, as the C library counts them.
double HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

void BM_LongProgram(benchmark::State& state) {
  constexpr int kLines = 100000;
  std::string source = "var i, n: Integer; s: String;\r\nbegin\r\nn := 0;\r\n";
  for (int line = 0; line < kLines; ++line) {
    source += "if n >= 0 then begin n := n + 1; for i := 1 to 2 do s := Copy('abc', i, 1) end;\r\n";
  }
  source += "Sample\r\nend.";
  qy::TPoorPascal ppa;
  ppa.SetDeclarePrototype({"procedure Sample; index $0001;"});
  double before = 0.0;
  double during = 0.0;
  ppa.ProcParam = [&](const std::string&, std::int32_t, const qy::MacroArguments&, std::int32_t&) {
    during = HeapInUse();
  };
  ppa.SetSource(source);
  ppa.on_process_messages = [] {};
  for (auto _ : state) {
    before = HeapInUse();
    ppa.Execute();
    const qy::VariableEntry* n = ppa.interpreter().FindVariable("N");
    if (!n || n->IntValue != kLines) state.SkipWithError("wrong result");
  }
  // What the run holds at its end, per line of source.
  state.counters["bytes_per_line"] = (during - before) / kLines;
  state.counters["source_bytes_per_line"] = static_cast<double>(source.size()) / kLines;
}

}  // namespace

BENCHMARK(BM_LongProgram)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_IntegerForLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringWhileLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostRoutineLoop)->Unit(benchmark::kMillisecond);
