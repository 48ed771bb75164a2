#include "macro/macro_error.h"

#include "core/codec.h"

namespace qy {

MacroError::MacroError(MacroErrorKind kind, std::string message, std::string token)
    : std::runtime_error(message),
      kind_(kind),
      message_(std::move(message)),
      token_(std::move(token)) {}

namespace {

// "prefix[token]" with the prefix converted once; errors are frequent under
// fuzzing and in loops that recover from them in the host.
MacroError Quoting(MacroErrorKind kind, const std::string& prefix, std::string_view token) {
  std::string text = prefix;
  text += '[';
  text.append(token);
  text += ']';
  return MacroError(kind, std::move(text), std::string(token));
}

MacroError Plain(MacroErrorKind kind, const std::string& text) { return MacroError(kind, text); }

}  // namespace

MacroError SyntaxError(std::string_view token) {
  static const std::string prefix = Sjis("文法エラーです");
  return Quoting(MacroErrorKind::kSyntax, prefix, token);
}
MacroError VariableTypeError(std::string_view token) {
  static const std::string prefix = Sjis("変数の型が違います");
  return Quoting(MacroErrorKind::kVariableType, prefix, token);
}
MacroError ResultTypeError(std::string_view token) {
  static const std::string prefix = Sjis("関数の戻り値の型が違います");
  return Quoting(MacroErrorKind::kResultType, prefix, token);
}
MacroError UndefinedError(std::string_view token) {
  static const std::string prefix = Sjis("変数または関数は定義されていません");
  return Quoting(MacroErrorKind::kUndefined, prefix, token);
}
MacroError NoBuiltinFunctionError(std::string_view name) {
  static const std::string prefix = Sjis("未宣言の組み込み関数です");
  return Quoting(MacroErrorKind::kNoBuiltinFunction, prefix, name);
}
MacroError NoBuiltinProcedureError(std::string_view name) {
  static const std::string prefix = Sjis("未宣言の組み込み手続きです");
  return Quoting(MacroErrorKind::kNoBuiltinProcedure, prefix, name);
}
MacroError MissingRightParenError() {
  static const std::string text = Sjis("右括弧がありません");
  return Plain(MacroErrorKind::kMissingRightParen, text);
}
MacroError BadExpressionError(std::string_view token) {
  static const std::string prefix = Sjis("式が不正です");
  return Quoting(MacroErrorKind::kBadExpression, prefix, token);
}
MacroError MissingEndError(std::string_view token) {
  static const std::string prefix = Sjis("endがありません");
  return Quoting(MacroErrorKind::kMissingEnd, prefix, token);
}
MacroError MissingOfError(std::string_view token) {
  static const std::string prefix = Sjis("ofがありません");
  return Quoting(MacroErrorKind::kMissingOf, prefix, token);
}
MacroError ReadOnlyError(std::string_view name) {
  static const std::string prefix = Sjis("読取専用オブジェクトには代入できません");
  return Quoting(MacroErrorKind::kReadOnly, prefix, name);
}
MacroError DuplicateVariableError(std::string_view name) {
  static const std::string prefix = Sjis("変数/定数名の重複定義");
  return Quoting(MacroErrorKind::kDuplicateVariable, prefix, name);
}
MacroError DuplicateParameterError(std::string_view name) {
  static const std::string prefix = Sjis("仮引数名の重複定義");
  return Quoting(MacroErrorKind::kDuplicateParameter, prefix, name);
}
MacroError DefinitionError() {
  static const std::string text = Sjis("定義エラーです");
  return Plain(MacroErrorKind::kDefinition, text);
}
MacroError DuplicateRoutineError(std::string_view name) {
  static const std::string prefix = Sjis("手続き/関数の重複宣言");
  return Quoting(MacroErrorKind::kDuplicateRoutine, prefix, name);
}
MacroError DivisionByZeroError() {
  static const std::string text = Sjis("0 で除算しました");
  return Plain(MacroErrorKind::kDivisionByZero, text);
}
MacroError OverflowError() {
  static const std::string text = Sjis("数値が範囲を超えました");
  return Plain(MacroErrorKind::kOverflow, text);
}
MacroError BadCharacterCodeError(std::string_view token) {
  static const std::string prefix = Sjis("文字コードが数値ではありません");
  return Quoting(MacroErrorKind::kBadCharacterCode, prefix, token);
}
MacroError StepLimitError() {
  static const std::string text = Sjis("実行ステップ数が上限を超えたためマクロを中止しました");
  return Plain(MacroErrorKind::kStepLimit, text);
}
MacroError NestingError() {
  static const std::string text = Sjis("ブロックまたは式の入れ子が深すぎます");
  return Plain(MacroErrorKind::kNesting, text);
}
MacroError StringLimitError() {
  static const std::string text = Sjis("文字列が長すぎます");
  return Plain(MacroErrorKind::kStringLimit, text);
}
MacroError BusyError() {
  static const std::string text = Sjis("マクロの実行中はこの操作はできません");
  return Plain(MacroErrorKind::kBusy, text);
}
MacroError HostError(std::string message) {
  return MacroError(MacroErrorKind::kHost, std::move(message));
}

MacroError OutOfMemoryError() {
  static const std::string text = Sjis("メモリが足りないためマクロを中止しました");
  return Plain(MacroErrorKind::kOutOfMemory, text);
}
MacroError UnexpectedError(std::string_view detail) {
  static const std::string text = Sjis("実行エラーです。お手数ですが作者に連絡をください");
  if (detail.empty()) return Plain(MacroErrorKind::kUnexpected, text);
  return MacroError(MacroErrorKind::kUnexpected, text + "\r\n(" + std::string(detail) + ")");
}

}  // namespace qy
