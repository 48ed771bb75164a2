#include "macro/poor_pascal.h"

namespace qy {

class TPoorPascal::Host : public MacroHost {
 public:
  explicit Host(TPoorPascal& owner) : owner_(owner) {}

 private:
  [[maybe_unused]] TPoorPascal& owner_;
};

TPoorPascal::TPoorPascal() : host_(std::make_unique<Host>(*this)), interpreter_(host_.get()) {}

TPoorPascal::~TPoorPascal() = default;

void TPoorPascal::SetSource(const std::vector<std::string>& lines) {
  source_.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) source_ += "\r\n";
    source_ += lines[i];
  }
}

VariableEntry& TPoorPascal::AddIntegerVariable(std::string_view name, bool read_only,
                                               std::int64_t value) {
  VariableEntry& v = interpreter_.AddVariable(name, ValueType::kInteger, read_only);
  v.IntValue = value;
  return v;
}

VariableEntry& TPoorPascal::AddIntegerProperty(std::string_view name, bool read_only,
                                               std::int32_t property_id, std::int64_t value) {
  VariableEntry& v =
      interpreter_.AddVariable(name, ValueType::kInteger, read_only, true, true, property_id);
  v.IntValue = value;
  return v;
}

VariableEntry& TPoorPascal::AddStringVariable(std::string_view name, std::string_view value,
                                              bool read_only) {
  VariableEntry& v = interpreter_.AddVariable(name, ValueType::kString, read_only);
  interpreter_.SetString(v, value);
  return v;
}

VariableEntry& TPoorPascal::AddStringProperty(std::string_view name, std::string_view value,
                                              std::int32_t property_id, bool read_only) {
  VariableEntry& v =
      interpreter_.AddVariable(name, ValueType::kString, read_only, true, true, property_id);
  interpreter_.SetString(v, value);
  return v;
}

void TPoorPascal::Execute() { interpreter_.Execute(source_, prototypes_); }

void TPoorPascal::Stop() {
  interpreter_.RequestStop();
  interpreter_.flags().Paused = false;
}

void TPoorPascal::Resume() { interpreter_.flags().Paused = false; }

}  // namespace qy
