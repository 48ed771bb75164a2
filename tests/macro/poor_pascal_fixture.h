// Common fixture of the component tests: one TPoorPascal and helpers that run
// a program or evaluate one expression into a variable of the right type.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "macro/macro_error.h"
#include "macro/poor_pascal.h"
#include "macro_fixture.h"

namespace qy::testing {

class PoorPascalTest : public ::testing::Test {
 protected:
  void Run(const std::string& source) {
    ppa.SetSource(source);
    ppa.Execute();
  }

  // The error a program raises (fails the test when it raises none).
  MacroError RunError(const std::string& source) {
    return ErrorFrom([&] { Run(source); }, source);
  }

  std::string Str(const std::string& expression) {
    Run("var Z: String; begin Z := " + expression + " end.");
    return Var("Z").StrValue;
  }
  std::int64_t Int(const std::string& expression) {
    Run("var Z: Integer; begin Z := " + expression + " end.");
    return Var("Z").IntValue;
  }
  double Real(const std::string& expression) {
    Run("var Z: Real; begin Z := " + expression + " end.");
    return Var("Z").RealValue;
  }

  VariableEntry& Var(const std::string& name) {
    VariableEntry* v = ppa.interpreter().FindVariable(name);
    if (!v) throw std::runtime_error("no variable " + name);
    return *v;
  }

  TPoorPascal ppa;
};

}  // namespace qy::testing
