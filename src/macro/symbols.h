// The interpreter's three symbol tables (variables, functions, procedures)
// and their entries. Lookups ignore ASCII case; names are kept sorted.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qy {

enum class ValueType : unsigned char {
  kInteger,
  kReal,
  kString,
  kLongInteger,  // parameters and results of routines in libraries only
};

// One variable, constant or host property.
struct VariableEntry {
  std::string Name;        // as entered
  bool Permanent = false;  // made by the host or the interpreter, kept between runs
  bool ReadOnly = false;
  bool HostBound = false;  // reads ask the host, assignments are passed to it
  ValueType Type = ValueType::kInteger;
  std::int64_t IntValue = 0;
  double RealValue = 0.0;
  std::string StrValue;  // never holds a NUL byte: values are cut there
  std::int32_t PropertyId = 0;
};

struct ParameterEntry {
  std::string Name;
  ValueType Type = ValueType::kInteger;
};

// One procedure or function.
struct RoutineEntry {
  std::string Name;        // as entered (prototypes enter it upper-cased)
  bool Permanent = false;  // a built-in routine
  bool External = false;   // a routine in a dynamic-link library
  std::string LibraryName;
  std::int32_t Index = 0;
  std::vector<ParameterEntry> Parameters;
  bool IsFunction = false;
  ValueType ResultType = ValueType::kInteger;  // functions only
};

// A table of entries of one kind. Entries are heap objects: their addresses
// stay valid until they are removed, whatever else is added.
template <typename Entry>
class SymbolTable {
 public:
  Entry* Find(std::string_view name) const;
  // Null when the name is taken.
  Entry* Add(std::unique_ptr<Entry> entry);
  // Removes every entry that is not Permanent.
  void RemoveTransient();
  void Clear() { entries_.clear(); }
  std::size_t size() const { return entries_.size(); }
  // Entries in name order.
  std::vector<const Entry*> List() const;

 private:
  std::map<std::string, std::unique_ptr<Entry>> entries_;  // keyed by upper-cased name
};

// The three tables and a generation number that changes whenever any of
// them changes, so that names resolved earlier can be checked cheaply.
class SymbolTables {
 public:
  SymbolTables() = default;
  SymbolTables(const SymbolTables&) = delete;
  SymbolTables& operator=(const SymbolTables&) = delete;

  VariableEntry* FindVariable(std::string_view name) const { return variables_.Find(name); }
  RoutineEntry* FindFunction(std::string_view name) const { return functions_.Find(name); }
  RoutineEntry* FindProcedure(std::string_view name) const { return procedures_.Find(name); }
  // Functions and procedures share one name space for declarations.
  RoutineEntry* FindRoutine(std::string_view name) const;

  // Null when the name is taken in that table.
  VariableEntry* AddVariable(std::unique_ptr<VariableEntry> entry);
  // Into the function table when entry->IsFunction, else the procedure table.
  RoutineEntry* AddRoutine(std::unique_ptr<RoutineEntry> entry);

  void RemoveTransient();

  const SymbolTable<VariableEntry>& variables() const { return variables_; }
  const SymbolTable<RoutineEntry>& functions() const { return functions_; }
  const SymbolTable<RoutineEntry>& procedures() const { return procedures_; }

  std::uint64_t generation() const { return generation_; }

 private:
  SymbolTable<VariableEntry> variables_;
  SymbolTable<RoutineEntry> functions_;
  SymbolTable<RoutineEntry> procedures_;
  std::uint64_t generation_ = 1;
};

}  // namespace qy
