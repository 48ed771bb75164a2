#include "macro/symbols.h"

#include "macro/ppa_parser.h"

namespace qy {

template <typename Entry>
Entry* SymbolTable<Entry>::Find(std::string_view name) const {
  auto it = entries_.find(UpperAscii(name));
  return it == entries_.end() ? nullptr : it->second.get();
}

template <typename Entry>
Entry* SymbolTable<Entry>::Add(std::unique_ptr<Entry> entry) {
  auto [it, inserted] = entries_.try_emplace(UpperAscii(entry->Name), nullptr);
  if (!inserted) return nullptr;
  it->second = std::move(entry);
  return it->second.get();
}

template <typename Entry>
void SymbolTable<Entry>::RemoveTransient() {
  std::erase_if(entries_, [](const auto& item) { return !item.second->Permanent; });
}

template <typename Entry>
std::vector<const Entry*> SymbolTable<Entry>::List() const {
  std::vector<const Entry*> out;
  out.reserve(entries_.size());
  for (const auto& [key, entry] : entries_) out.push_back(entry.get());
  return out;
}

template class SymbolTable<VariableEntry>;
template class SymbolTable<RoutineEntry>;

RoutineEntry* SymbolTables::FindRoutine(std::string_view name) const {
  RoutineEntry* r = procedures_.Find(name);
  return r ? r : functions_.Find(name);
}

VariableEntry* SymbolTables::AddVariable(std::unique_ptr<VariableEntry> entry) {
  VariableEntry* added = variables_.Add(std::move(entry));
  if (added) ++generation_;
  return added;
}

RoutineEntry* SymbolTables::AddRoutine(std::unique_ptr<RoutineEntry> entry) {
  RoutineEntry* added =
      entry->IsFunction ? functions_.Add(std::move(entry)) : procedures_.Add(std::move(entry));
  if (added) ++generation_;
  return added;
}

void SymbolTables::RemoveTransient() {
  variables_.RemoveTransient();
  functions_.RemoveTransient();
  procedures_.RemoveTransient();
  ++generation_;
}

}  // namespace qy
