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

TEST_F(ExternalCall, RegistrationEntriesAndRefusals) {
  // A name in use, built-in or registered before, gives 0 and changes nothing;
  // so do an empty name and more than 32 parameters.
  const std::string i32(32, 'I');
  std::string zeros;
  for (int i = 0; i < 31; ++i) zeros += ", 0";
  Run(Registered("'libc.so.6', 'Copy', 'SII', 'S'",
                 "Z := RegisterRoutine('libc.so.6', 'abs', '" + i32 +
                     "', 'I') + "
                     "RegisterRoutine('libc.so.6', 'ABS', 'II', 'R') * 10 + "
                     "RegisterRoutine('libc.so.6', 'x', '" +
                     i32 +
                     "I', 'I') * 100 + "
                     "RegisterRoutine('libc.so.6', '', '', 'I') * 1000 + "
                     "RegisterRoutine('lib2', 'second', 'ILRSx', 'L') * 10000 + abs(-9" +
                     zeros + "); S := Copy('abc', 2, 1)"));
  EXPECT_EQ(Var("OK").IntValue, 0);
  EXPECT_EQ(Var("Z").IntValue, -1 - 10000 + 9);
  EXPECT_EQ(Var("S").StrValue, "b");
  const SymbolTables& tables = ppa.interpreter().tables();
  EXPECT_EQ(tables.FindFunction("x"), nullptr);
  EXPECT_EQ(Signature(*tables.FindFunction("second")),
            "second(Arg1:I;Arg2:L;Arg3:R;Arg4:S;Arg5:I;):L 1 in lib2");
  EXPECT_EQ(tables.FindFunction("abs")->Parameters.size(), 32u);
  EXPECT_FALSE(tables.FindFunction("abs")->Permanent);
  // A procedure with a writable text: the routine changes its copy only.
  // The next run starts without the old entries, and numbers from 0 again.
  Run(Registered("'libc.so.6', 'memset', 'SII', ''", "S := 'abc'; memset(S, 88, 2)"));
  EXPECT_EQ(Var("S").StrValue, "abc");
  EXPECT_EQ(Signature(*tables.FindProcedure("memset")),
            "memset(Arg1:S;Arg2:I;Arg3:I;) 0 in libc.so.6");
  EXPECT_EQ(tables.FindFunction("second"), nullptr);
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
