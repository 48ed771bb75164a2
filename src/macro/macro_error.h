// The one error path of the macro interpreter: every failure of a run (syntax,
// types, declarations, the run time, the host) is a MacroError carrying the
// Shift-JIS message that the host shows to the user.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace qy {

enum class MacroErrorKind {
  kSyntax,              // 文法エラーです[%s]
  kVariableType,        // 変数の型が違います[%s]
  kResultType,          // 関数の戻り値の型が違います[%s]
  kUndefined,           // 変数または関数は定義されていません[%s]
  kNoBuiltinFunction,   // 未宣言の組み込み関数です[%s]
  kNoBuiltinProcedure,  // 未宣言の組み込み手続きです[%s]
  kMissingRightParen,   // 右括弧がありません
  kBadExpression,       // 式が不正です[%s]
  kMissingEnd,          // endがありません[%s]
  kMissingOf,           // ofがありません[%s]
  kReadOnly,            // 読取専用オブジェクトには代入できません[%s]
  kDuplicateVariable,   // 変数/定数名の重複定義[%s]
  kDuplicateParameter,  // 仮引数名の重複定義[%s]
  kDefinition,          // 定義エラーです
  kDuplicateRoutine,    // 手続き/関数の重複宣言[%s]
  kDivisionByZero,      // run time: integer or real division by zero
  kOverflow,            // run time: a Real too large for an Integer, a Real result out of range
  kBadCharacterCode,    // run time: a character literal that is no number
  kStepLimit,           // the host's bound on executed steps was exceeded
  kNesting,             // blocks or expressions nested too deeply
  kStringLimit,         // a String value longer than the host allows
  kBusy,                // a run or a variable change refused while the interpreter is busy
  kHost,                // a message supplied by the host (a failed host routine or property)
  kOutOfMemory,         // memory ran out during the run
  kUnexpected,          // any other failure inside the run (a fault, not the macro's)
};

class MacroError : public std::runtime_error {
 public:
  // `message` is the complete Shift-JIS text; `token` the offending token,
  // name or word that the text quotes (empty when it quotes none).
  MacroError(MacroErrorKind kind, std::string message, std::string token = {});

  MacroErrorKind kind() const { return kind_; }
  // Shift-JIS text, as shown to the user (same bytes as what()).
  const std::string& message() const { return message_; }
  const std::string& token() const { return token_; }

 private:
  MacroErrorKind kind_;
  std::string message_;
  std::string token_;
};

// Builders for the interpreter's messages; `token` is Shift-JIS.
MacroError SyntaxError(std::string_view token);
MacroError VariableTypeError(std::string_view token);
MacroError ResultTypeError(std::string_view token);
MacroError UndefinedError(std::string_view token);
MacroError NoBuiltinFunctionError(std::string_view name);
MacroError NoBuiltinProcedureError(std::string_view name);
MacroError MissingRightParenError();
MacroError BadExpressionError(std::string_view token);
MacroError MissingEndError(std::string_view token);
MacroError MissingOfError(std::string_view token);
MacroError ReadOnlyError(std::string_view name);
MacroError DuplicateVariableError(std::string_view name);
MacroError DuplicateParameterError(std::string_view name);
MacroError DefinitionError();
MacroError DuplicateRoutineError(std::string_view name);
MacroError DivisionByZeroError();
MacroError OverflowError();
MacroError BadCharacterCodeError(std::string_view token);
MacroError StepLimitError();
MacroError NestingError();
MacroError StringLimitError();
MacroError BusyError();
// A host's own message (Shift-JIS), passed on unchanged.
MacroError HostError(std::string message);
MacroError OutOfMemoryError();
// `detail`: what the failure said about itself (ASCII as a rule), or empty.
MacroError UnexpectedError(std::string_view detail);

}  // namespace qy
