#include "macro/external_call.h"

#include <string>

#include "poor_pascal_fixture.h"

namespace qy::testing {
namespace {

// Library routines are called through the C library, whose routines fit the
// macro language's passing rules: Integers by value, everything else by
// address.
class ExternalCall : public PoorPascalTest {
 protected:
  // A program that registers `registration` (the four arguments) first.
  std::string Registered(const std::string& registration, const std::string& body) {
    return "var Ok: Integer; Z: Integer; R: Real; S: String; begin Ok := RegisterRoutine(" +
           registration + "); " + body + " end.";
  }
};

TEST_F(ExternalCall, IntegerAndStringArgumentsReachTheRoutine) {
  Run(Registered("'libc.so.6', 'strlen', 'S', 'I'",
                 "Z := strlen('hello'); S := IntToStr(strlen(Nil))"));
  EXPECT_EQ(Var("OK").IntValue, -1);
  EXPECT_EQ(Var("Z").IntValue, 5);
  EXPECT_EQ(Var("S").StrValue, "0");

  // An Integer travels as its low 32 bits.
  Run(Registered("'libc.so.6', 'abs', 'I', 'I'", "Z := abs(-5); R := abs($100000007)"));
  EXPECT_EQ(Var("Z").IntValue, 5);
  EXPECT_DOUBLE_EQ(Var("R").RealValue, 7.0);

  // The 32-bit return value is taken unsigned.
  Run(Registered("'libc.so.6', 'atoi', 's', 'i'", "Z := atoi('-1')"));
  EXPECT_EQ(Var("Z").IntValue, 4294967295);
}

TEST_F(ExternalCall, AddressResultsAreReadWhereTheyPoint) {
  // strchr answers an address inside its argument: the text from there on.
  Run(Registered("'libc.so.6', 'strchr', 'SI', 'S'",
                 "S := strchr('hello', 108); Ok := Length(strchr('abc', 122))"));
  EXPECT_EQ(Var("S").StrValue, "llo");
  EXPECT_EQ(Var("OK").IntValue, 0);  // a null address gives ''

  // memset answers its first argument, the address of the Real's double.
  Run(Registered("'libc.so.6', 'memset', 'RII', 'R'",
                 "R := memset(2.5, 0, 0); Z := Trunc(memset(-7.25, 0, 8))"));
  EXPECT_DOUBLE_EQ(Var("R").RealValue, 2.5);
  EXPECT_EQ(Var("Z").IntValue, 0);  // all eight bytes cleared

  // ... or of the LongInteger's 64-bit value, all 64 bits of it.
  Run(Registered("'libc.so.6', 'memset', 'LII', 'L'",
                 "Z := memset($123456789AB, 0, 0); R := memset(0, 255, 8)"));
  EXPECT_EQ(Var("Z").IntValue, 0x123456789AB);
  EXPECT_DOUBLE_EQ(Var("R").RealValue, -1.0);
}

TEST_F(ExternalCall, ProceduresAndArgumentsAreValues) {
  // A procedure with a writable text: the routine changes its copy only.
  Run(Registered("'libc.so.6', 'memset', 'SII', ''", "S := 'abc'; memset(S, 88, 2)"));
  EXPECT_EQ(Var("OK").IntValue, -1);
  EXPECT_EQ(Var("S").StrValue, "abc");
  EXPECT_NE(ppa.interpreter().tables().FindProcedure("memset"), nullptr);
}

TEST_F(ExternalCall, RegistrationRefusals) {
  // A name in use, built-in or registered before, gives 0 and changes nothing.
  Run(Registered("'libc.so.6', 'Copy', 'SII', 'S'",
                 "Z := RegisterRoutine('libc.so.6', 'abs', 'I', 'I');"
                 "R := RegisterRoutine('libc.so.6', 'ABS', 'II', 'R'); S := Copy('abc', 2, 1)"));
  EXPECT_EQ(Var("OK").IntValue, 0);
  EXPECT_EQ(Var("Z").IntValue, -1);
  EXPECT_DOUBLE_EQ(Var("R").RealValue, 0.0);
  EXPECT_EQ(Var("S").StrValue, "b");
  EXPECT_EQ(ppa.interpreter().tables().FindFunction("abs")->Parameters.size(), 1u);

  // 32 parameters fit the argument area; 33 are refused.
  const std::string i32(32, 'I');
  std::string zeros;
  for (int i = 0; i < 31; ++i) zeros += ", 0";
  Run(Registered("'libc.so.6', 'abs', '" + i32 + "', 'I'", "Z := abs(-9" + zeros + ")"));
  EXPECT_EQ(Var("OK").IntValue, -1);
  EXPECT_EQ(Var("Z").IntValue, 9);
  Run(Registered("'libc.so.6', 'abs', '" + i32 + "I', 'I'", ""));
  EXPECT_EQ(Var("OK").IntValue, 0);
  EXPECT_EQ(ppa.interpreter().tables().FindFunction("abs"), nullptr);
  Run(Registered("'libc.so.6', '', '', 'I'", ""));
  EXPECT_EQ(Var("OK").IntValue, 0);
}

TEST_F(ExternalCall, EntriesTheirTypesAndNumbering) {
  Run(Registered("'libc.so.6', 'first', 'ILRSx', 'r'",
                 "Z := RegisterRoutine('lib2', 'second', '', 'L')"));
  const RoutineEntry* first = ppa.interpreter().tables().FindFunction("FIRST");
  const RoutineEntry* second = ppa.interpreter().tables().FindFunction("second");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(first->External);
  EXPECT_FALSE(first->Permanent);
  EXPECT_EQ(first->Name, "first");
  EXPECT_EQ(first->LibraryName, "libc.so.6");
  EXPECT_EQ(first->Index, 0);
  EXPECT_EQ(second->Index, 1);
  EXPECT_EQ(first->ResultType, ValueType::kReal);
  EXPECT_EQ(second->ResultType, ValueType::kLongInteger);
  ASSERT_EQ(first->Parameters.size(), 5u);
  const ValueType expected[] = {ValueType::kInteger, ValueType::kLongInteger, ValueType::kReal,
                                ValueType::kString, ValueType::kInteger};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(first->Parameters[i].Name, "Arg" + std::to_string(i + 1));
    EXPECT_EQ(first->Parameters[i].Type, expected[i]);
  }
  // The next run starts without them, and numbers from 0 again.
  Run(Registered("'libc.so.6', 'third', '', ''", ""));
  EXPECT_EQ(ppa.interpreter().tables().FindFunction("first"), nullptr);
  EXPECT_EQ(ppa.interpreter().tables().FindProcedure("third")->Index, 0);
}

TEST_F(ExternalCall, MissingLibraryOrRoutineGivesZeroWithoutError) {
  Run(Registered("'no-such-library.so', 'strlen', 'S', 'I'", "Z := 5; Z := strlen('abc')"));
  EXPECT_EQ(Var("OK").IntValue, -1);
  EXPECT_EQ(Var("Z").IntValue, 0);
  Run(Registered("'libc.so.6', 'no_such_routine_here', 'S', 'S'",
                 "S := 'x'; S := no_such_routine_here('abc')"));
  EXPECT_EQ(Var("S").StrValue, "");
  Run(Registered("'libm.so.6', 'no_such_procedure', '', ''", "no_such_procedure; Z := 1"));
  EXPECT_EQ(Var("Z").IntValue, 1);
}

}  // namespace
}  // namespace qy::testing
