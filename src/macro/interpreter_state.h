// State shared by the evaluator and the executor of one interpreter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "macro/macro_error.h"
#include "macro/macro_host.h"
#include "macro/symbols.h"
#include "macro/token_list.h"

namespace qy {

struct RunFlags {
  bool StopRequested = false;
  bool BreakPending = false;
  bool ContinuePending = false;
  bool Paused = false;
  bool ExitPending = false;
  bool Running = false;
};

// Deeper nesting of blocks, parenthesised expressions and calls than this
// ends the run instead of the stack.
inline constexpr int kMaxNesting = 200;

struct MacroState {
  explicit MacroState(Interpreter& owner_in) : owner(owner_in) {}

  Interpreter& owner;
  MacroHost* host = nullptr;
  SymbolTables tables;
  RunFlags flags;
  std::int32_t routine_counter = 0;  // numbers registered External routines
  std::uint64_t steps = 0;
  std::uint64_t step_limit = 0;  // 0: no bound
  std::size_t string_limit = 0;  // longest String value built, in bytes; 0: no bound
  int nesting = 0;
  int busy = 0;  // expressions and calls being evaluated
  std::vector<std::unique_ptr<CallFrame>> frames;
  std::size_t call_depth = 0;

  const Resolution& Resolve(const Token& token) {
    Resolution& r = token.resolution;
    if (r.generation != tables.generation()) {
      r.variable = tables.FindVariable(token.text);
      r.function = tables.FindFunction(token.text);
      r.procedure = tables.FindProcedure(token.text);
      r.generation = tables.generation();
    }
    return r;
  }

  void CountStep() {
    if (++steps > step_limit && step_limit != 0) throw StepLimitError();
  }

  void CheckLength(std::size_t length) const {
    if (string_limit != 0 && length > string_limit) throw StringLimitError();
  }

  bool ListMustEnd() const {
    return flags.StopRequested || flags.BreakPending || flags.ContinuePending || flags.ExitPending;
  }
};

class NestingGuard {
 public:
  explicit NestingGuard(MacroState& s) : s_(s) {
    if (++s_.nesting > kMaxNesting) {
      --s_.nesting;
      throw NestingError();
    }
  }
  ~NestingGuard() { --s_.nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  MacroState& s_;
};

class BusyGuard {
 public:
  explicit BusyGuard(MacroState& s) : s_(s) { ++s_.busy; }
  ~BusyGuard() { --s_.busy; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  MacroState& s_;
};

}  // namespace qy
