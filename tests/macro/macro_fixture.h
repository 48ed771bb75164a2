// Common fixture of the interpreter tests: an interpreter with the fake host
// and its built-ins, plus helpers to run programs and check errors.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/codec.h"
#include "fake_macro_host.h"
#include "macro/interpreter.h"
#include "macro/macro_error.h"

namespace qy::testing {

// The error `run` raises (a test failure when it raises none).
template <typename Run>
MacroError ErrorFrom(Run&& run, const std::string& what) {
  try {
    run();
  } catch (const MacroError& e) {
    return e;
  }
  ADD_FAILURE() << "no error from: " << what;
  return MacroError(MacroErrorKind::kHost, "");
}

// A routine entry in one line: "NAME(A:I;B:S;):R 1f permanent in lib".
inline std::string Signature(const RoutineEntry& r) {
  static const char kTypes[] = "IRSL";
  std::ostringstream out;
  out << r.Name << "(";
  for (const ParameterEntry& p : r.Parameters) out << p.Name << ":" << kTypes[int(p.Type)] << ";";
  out << ")";
  if (r.IsFunction) out << ":" << kTypes[int(r.ResultType)];
  out << " " << std::hex << r.Index << (r.Permanent ? " permanent" : "");
  if (r.External) out << " in " << r.LibraryName;
  return out.str();
}

class MacroTest : public ::testing::Test {
 protected:
  MacroTest() : interp(&host) {
    FakeMacroHost::DeclareBuiltins(interp);
    interp.AddVariable("True", ValueType::kInteger, true).IntValue = -1;
    interp.AddVariable("False", ValueType::kInteger, true);
    interp.AddVariable("Nil", ValueType::kString, true);
  }

  void Run(const std::string& source, const std::vector<std::string>& prototypes = {}) {
    interp.Execute(source, prototypes);
  }

  // The error a program raises (fails the test when it raises none).
  MacroError RunError(const std::string& source, const std::vector<std::string>& prototypes = {}) {
    return ErrorFrom([&] { interp.Execute(source, prototypes); }, source);
  }

  std::int64_t Int(const std::string& name) { return Var(name).IntValue; }
  double Real(const std::string& name) { return Var(name).RealValue; }
  std::string Str(const std::string& name) { return Var(name).StrValue; }
  VariableEntry& Var(const std::string& name) {
    VariableEntry* v = interp.FindVariable(name);
    if (!v) throw std::runtime_error("no variable " + name);
    return *v;
  }

  FakeMacroHost host;
  Interpreter interp;
};

// Expects `e` to carry exactly Sjis(utf8_message) and `token`.
inline void ExpectMessage(const MacroError& e, MacroErrorKind kind, const std::string& utf8_message,
                          const std::string& token = "") {
  EXPECT_EQ(e.kind(), kind);
  EXPECT_EQ(e.message(), Sjis(utf8_message)) << Cp932ToUtf8(e.message());
  EXPECT_EQ(std::string(e.what()), e.message());
  EXPECT_EQ(e.token(), token);
}

}  // namespace qy::testing
