// Speed of the macro component on three 1,000,000-pass loops: integer
// arithmetic in a FOR loop, string building with Length in a WHILE loop, and
// a call of a host routine per pass.
#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK(BM_IntegerForLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringWhileLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostRoutineLoop)->Unit(benchmark::kMillisecond);
