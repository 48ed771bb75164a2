#include "macro/external_call.h"

#include <dlfcn.h>
#include <ffi.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "macro/interpreter.h"
#include "macro/value_convert.h"

namespace qy {

namespace {

ValueType TypeOfLetter(char letter) {
  switch (letter) {
    case 'L':
    case 'l':
      return ValueType::kLongInteger;
    case 'R':
    case 'r':
      return ValueType::kReal;
    case 'S':
    case 's':
      return ValueType::kString;
    default:
      return ValueType::kInteger;
  }
}

// The library stays loaded for the call and, for a String result, until the
// text it points to has been copied.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& file) : handle_(::dlopen(file.c_str(), RTLD_NOW)) {}
  ~LoadedLibrary() {
    if (handle_) ::dlclose(handle_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  void* Find(const std::string& name) const {
    return handle_ ? ::dlsym(handle_, name.c_str()) : nullptr;
  }

 private:
  void* handle_;
};

// Storage behind the argument area: the values whose addresses are passed.
struct ArgumentArea {
  std::array<ffi_type*, kMaxExternalParameters> types{};
  std::array<void*, kMaxExternalParameters> values{};
  std::array<std::int32_t, kMaxExternalParameters> ints{};
  std::array<std::int64_t, kMaxExternalParameters> longs{};
  std::array<double, kMaxExternalParameters> reals{};
  std::array<std::string, kMaxExternalParameters> texts;
  std::array<void*, kMaxExternalParameters> addresses{};
};

void FillArgument(ArgumentArea& area, std::size_t i, ValueType type, const ArgumentValue& arg) {
  switch (type) {
    case ValueType::kLongInteger:
      area.longs[i] = arg.Int;
      area.addresses[i] = &area.longs[i];
      break;
    case ValueType::kReal:
      area.reals[i] = arg.Real;
      area.addresses[i] = &area.reals[i];
      break;
    case ValueType::kString:
      area.texts[i] = std::string(arg.Str);
      area.addresses[i] = area.texts[i].data();
      break;
    default:
      area.ints[i] = Low32(arg.Int);
      area.types[i] = &ffi_type_sint32;
      area.values[i] = &area.ints[i];
      return;
  }
  area.types[i] = &ffi_type_pointer;
  area.values[i] = &area.addresses[i];
}

}  // namespace

bool RegisterExternalRoutine(Interpreter& interpreter, std::string_view library,
                             std::string_view name, std::string_view parameters,
                             std::string_view result) {
  if (name.empty() || interpreter.tables().FindRoutine(name)) return false;
  if (parameters.size() > kMaxExternalParameters) return false;
  auto entry = std::make_unique<RoutineEntry>();
  entry->Name = std::string(name);
  entry->External = true;
  entry->LibraryName = std::string(library);
  entry->Index = interpreter.routine_counter();
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    entry->Parameters.push_back({"Arg" + std::to_string(i + 1), TypeOfLetter(parameters[i])});
  }
  entry->IsFunction = !result.empty();
  if (entry->IsFunction) entry->ResultType = TypeOfLetter(result[0]);
  if (!interpreter.AddRoutine(std::move(entry))) return false;
  ++interpreter.routine_counter();
  return true;
}

bool CallExternalRoutine(CallFrame& frame) {
  const RoutineEntry& routine = *frame.Routine;
  const std::size_t count = routine.Parameters.size();
  if (count > kMaxExternalParameters) return false;
  LoadedLibrary library(routine.LibraryName);
  void* code = library.Find(routine.Name);
  if (!code) return false;

  ArgumentArea area;
  for (std::size_t i = 0; i < count; ++i) {
    FillArgument(area, i, routine.Parameters[i].Type, frame.Args[i]);
  }
  ffi_type* result_type = &ffi_type_void;
  if (routine.IsFunction) {
    result_type = routine.ResultType == ValueType::kInteger ? &ffi_type_sint32 : &ffi_type_pointer;
  }
  ffi_cif cif;
  if (ffi_prep_cif(&cif, FFI_DEFAULT_ABI, static_cast<unsigned>(count), result_type,
                   area.types.data()) != FFI_OK) {
    return false;
  }
  // Large enough for either return kind, as libffi requires for small ints.
  union {
    ffi_arg integer;
    void* address;
  } returned{};
  ffi_call(&cif, reinterpret_cast<void (*)()>(code), &returned, area.values.data());
  if (!routine.IsFunction) return true;

  if (routine.ResultType == ValueType::kInteger) {
    frame.IntResult = static_cast<std::uint32_t>(returned.integer);
    return true;
  }
  // A null address stands for no value rather than a fault of our own.
  const void* at = returned.address;
  if (!at) return true;
  switch (routine.ResultType) {
    case ValueType::kLongInteger:
      std::memcpy(&frame.IntResult, at, sizeof frame.IntResult);
      break;
    case ValueType::kReal:
      std::memcpy(&frame.RealResult, at, sizeof frame.RealResult);
      break;
    default:
      frame.StrResult = static_cast<const char*>(at);
      break;
  }
  return true;
}

}  // namespace qy
