// Prototype lines: "PROCEDURE|FUNCTION name [(params)] [: type] ; [INDEX n ;]".
#include <memory>
#include <string>

#include "macro/interpreter.h"
#include "macro/macro_error.h"
#include "macro/ppa_parser.h"
#include "macro/source_text.h"
#include "macro/token_list.h"
#include "macro/value_convert.h"

namespace qy {

namespace {

bool TypeOfWord(std::string_view upper, ValueType* type) {
  switch (WordOf(upper)) {
    case Word::kInteger:
      *type = ValueType::kInteger;
      return true;
    case Word::kReal:
      *type = ValueType::kReal;
      return true;
    case Word::kString:
      *type = ValueType::kString;
      return true;
    default:
      return false;
  }
}

bool HasParameter(const RoutineEntry& r, const std::vector<std::string>& group,
                  std::string_view name) {
  for (const ParameterEntry& p : r.Parameters) {
    if (p.Name == name) return true;
  }
  for (const std::string& g : group) {
    if (g == name) return true;
  }
  return false;
}

// The parameter groups after "(" up to ")" or the end of the line.
void ReadParameters(TPPAParser& p, RoutineEntry& routine) {
  while (p.Token() != ")" && p.Kind() != TokenKind::kEnd) {
    std::vector<std::string> group;
    for (;;) {
      if (p.Kind() != TokenKind::kIdentifier) throw SyntaxError(p.Token());
      std::string name(p.Token());
      if (HasParameter(routine, group, name)) throw DuplicateParameterError(name);
      group.push_back(std::move(name));
      p.Next();
      if (p.Token() != ",") break;
      p.Next();
    }
    if (p.Token() != ":") throw SyntaxError(p.Token());
    p.Next();
    ValueType type;
    if (!TypeOfWord(p.Token(), &type)) throw SyntaxError(p.Token());
    p.Next();
    for (std::string& name : group) routine.Parameters.push_back({std::move(name), type});
    if (p.Token() == ";") {
      p.Next();
    } else if (p.Token() != ")") {
      throw SyntaxError(p.Token());
    }
  }
  if (p.Token() == ")") p.Next();
}

}  // namespace

void DeclareRoutine(SymbolTables& tables, std::string_view line, bool permanent) {
  const std::string text = UpperAscii(TrimControl(line));
  std::string_view rest = text;
  bool is_function;
  if (rest.starts_with("PROCEDURE ")) {
    is_function = false;
    rest.remove_prefix(10);
  } else if (rest.starts_with("FUNCTION ")) {
    is_function = true;
    rest.remove_prefix(9);
  } else {
    throw DefinitionError();
  }
  rest = TrimControl(rest);
  if (rest.empty() || rest.back() != ';') throw DefinitionError();
  rest.remove_suffix(1);

  TPPAParser p(rest);
  if (p.Kind() != TokenKind::kIdentifier) throw DefinitionError();
  auto routine = std::make_unique<RoutineEntry>();
  routine->Name = std::string(p.Token());
  if (tables.FindRoutine(routine->Name)) throw DuplicateRoutineError(routine->Name);
  routine->Permanent = permanent;
  routine->IsFunction = is_function;
  p.Next();
  if (p.Token() == "(") {
    if (rest.find(')') == std::string_view::npos) throw DefinitionError();
    p.Next();
    ReadParameters(p, *routine);
  }
  if (is_function) {
    if (p.Token() != ":") throw DefinitionError();
    p.Next();
    if (!TypeOfWord(p.Token(), &routine->ResultType)) throw DefinitionError();
    p.Next();
  }
  if (p.Token() == ";") {
    p.Next();
    if (p.Token() == "INDEX") {
      p.Next();
      std::int64_t index;
      routine->Index = ParseInteger(p.Token(), &index) ? Low32(index) : 0;
    }
  }
  tables.AddRoutine(std::move(routine));
}

}  // namespace qy
