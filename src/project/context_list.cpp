#include "project/context_list.h"

#include "core/codec.h"
#include "core/native_path.h"

namespace qy {

namespace {

std::string ItemNumber(int n) {
  std::string digits = std::to_string(n);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return digits;
}

template <typename Value>
void AppendSection(std::string& out, const ProjectModel& model, const char* section,
                   const char* prefix, Value value) {
  const int count = model.PageCount();
  out += std::string("[") + section + "]\r\n";
  out += std::string(prefix) + "ItemCount=" + std::to_string(count) + "\r\n";
  for (int i = 1; i <= count; ++i) {
    out += std::string(prefix) + "Item" + ItemNumber(i) + "=" + value(model.Page(i)) + "\r\n";
  }
}

}  // namespace

std::string ContextListFileName(const ProjectModel& model) {
  if (model.ProjectFileName().empty()) return "";
  return ChangeExtension(model.ProjectFileName(), ".hls");
}

std::string ContextListText(const ProjectModel& model) {
  std::string out;
  AppendSection(out, model, "Title", "T", [](const PageRecord& p) { return p.Title; });
  out += "\r\n";
  AppendSection(out, model, "ConText", "C", [](const PageRecord& p) { return p.Context; });
  out += "\r\n";
  AppendSection(out, model, "ConTextID", "I",
                [](const PageRecord& p) { return std::to_string(p.ContextID); });
  out += "\r\n";
  AppendSection(out, model, "PageAttr", "P",
                [](const PageRecord& p) { return std::to_string(p.Attribute); });
  return out;
}

FileResult WriteContextList(const ProjectModel& model, const std::string& file) {
  return WriteFileAtomic(file, ContextListText(model));
}

FileResult RefreshContextList(const ProjectModel& model) {
  const std::string file = ContextListFileName(model);
  if (file.empty() || !FileExists(file)) return FileResult::Ok();
  return WriteContextList(model, file);
}

std::string ContextListWriteError(const std::string& file, const std::string& why) {
  return Sjis("コンテキストリストファイル（") + PathToSjis(FileNameOf(file)) +
         Sjis("）に書き込めませんでした。") + "\r\n\r\n" + PathToSjis(why);
}

}  // namespace qy
