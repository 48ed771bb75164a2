#include "macro/interpreter.h"

#include "macro/evaluator.h"
#include "macro/executor.h"
#include "macro/source_text.h"
#include "macro/token_list.h"

namespace qy {

namespace {

// Running is set for the run and cleared on every way out of it.
class RunningScope {
 public:
  explicit RunningScope(RunFlags& flags) : flags_(flags) { flags_.Running = true; }
  ~RunningScope() { flags_.Running = false; }
  RunningScope(const RunningScope&) = delete;
  RunningScope& operator=(const RunningScope&) = delete;

 private:
  RunFlags& flags_;
};

}  // namespace

Interpreter::Interpreter(MacroHost* host)
    : state_(*this),
      evaluator_(std::make_unique<Evaluator>(state_)),
      executor_(std::make_unique<Executor>(state_, *evaluator_)) {
  set_host(host);
}

Interpreter::~Interpreter() = default;

void Interpreter::set_host(MacroHost* host) { state_.host = host ? host : &default_host_; }

void Interpreter::CheckIdle() const {
  if (state_.busy > 0) throw BusyError();
}

void Interpreter::Execute(std::string_view source, const std::vector<std::string>& prototypes) {
  if (state_.flags.Running || state_.busy > 0) throw BusyError();
  state_.flags = RunFlags{};
  state_.routine_counter = 0;
  state_.steps = 0;
  state_.tables.RemoveTransient();
  for (const std::string& line : prototypes) {
    std::string_view trimmed = TrimControl(line);
    if (!trimmed.empty()) DeclareRoutine(trimmed, false);
  }
  TokenList program(NormaliseSource(source));
  RunningScope running(state_.flags);
  Cursor c{&program, 0};
  std::unique_ptr<TokenList> body;
  if (c.tok().word == Word::kVar) {
    c.Next();
    ReadVarSection(c);
    // The body runs up to, not including, the program's last END; what
    // follows it (the final ".") is never looked at.
    std::size_t last_end = program.end_index();
    for (std::size_t i = c.pos; i < program.end_index(); ++i) {
      if (program[i].word == Word::kEnd) last_end = i;
    }
    if (last_end == program.end_index()) throw MissingEndError("Block");
    std::size_t from = program[c.pos].offset;
    body = std::make_unique<TokenList>(
        std::string_view(program.text()).substr(from, program[last_end].offset - from));
  } else {
    body = std::make_unique<TokenList>(std::string_view(program.text()).substr(program[0].offset));
  }
  executor_->ExecuteList(*body);
}

void Interpreter::ReadVarSection(Cursor& c) {
  while (c.tok().word != Word::kBegin && !c.AtEnd()) {
    std::vector<std::string> names;
    for (;;) {
      if (c.tok().kind != TokenKind::kIdentifier) throw SyntaxError(c.text());
      names.emplace_back(c.text());
      c.Next();
      if (c.tok().word != Word::kComma) break;
      c.Next();
    }
    if (c.tok().word != Word::kColon) throw SyntaxError(c.text());
    c.Next();
    ValueType type;
    switch (c.tok().word) {
      case Word::kInteger:
        type = ValueType::kInteger;
        break;
      case Word::kReal:
        type = ValueType::kReal;
        break;
      case Word::kString:
        type = ValueType::kString;
        break;
      default:
        throw SyntaxError(c.text());
    }
    c.Next();
    if (c.tok().word != Word::kSemicolon) throw SyntaxError(c.text());
    c.Next();
    for (const std::string& name : names) AddVariable(name, type, false, false);
  }
}

void Interpreter::ExecuteStatements(std::string_view text) {
  CheckIdle();
  TokenList list(text);
  executor_->ExecuteList(list);
}

std::int64_t Interpreter::EvaluateInteger(std::string_view text) {
  TokenList list(text);
  Cursor c{&list, 0};
  return evaluator_->Integer(c);
}

double Interpreter::EvaluateReal(std::string_view text) {
  TokenList list(text);
  Cursor c{&list, 0};
  return evaluator_->Real(c);
}

std::string Interpreter::EvaluateString(std::string_view text) {
  TokenList list(text);
  Cursor c{&list, 0};
  std::string scratch;
  return std::string(evaluator_->String(c, scratch).text);
}

void Interpreter::DeclareRoutine(std::string_view line, bool permanent) {
  qy::DeclareRoutine(state_.tables, line, permanent);
}

VariableEntry& Interpreter::AddVariable(std::string_view name, ValueType type, bool read_only,
                                        bool permanent, bool host_bound, std::int32_t property_id) {
  auto entry = std::make_unique<VariableEntry>();
  entry->Name = std::string(name);
  entry->Type = type;
  entry->ReadOnly = read_only;
  entry->Permanent = permanent;
  entry->HostBound = host_bound;
  entry->PropertyId = property_id;
  VariableEntry* added = state_.tables.AddVariable(std::move(entry));
  if (!added) throw DuplicateVariableError(name);
  return *added;
}

RoutineEntry* Interpreter::AddRoutine(std::unique_ptr<RoutineEntry> routine) {
  if (state_.tables.FindRoutine(routine->Name)) return nullptr;
  return state_.tables.AddRoutine(std::move(routine));
}

void Interpreter::SetInteger(VariableEntry& entry, std::int64_t value) {
  CheckIdle();
  entry.IntValue = value;
}

void Interpreter::SetReal(VariableEntry& entry, double value) {
  CheckIdle();
  entry.RealValue = value;
}

void Interpreter::SetString(VariableEntry& entry, std::string_view value) {
  CheckIdle();
  StoreString(entry, value);
}

}  // namespace qy
