#include "support/fakes.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <unicode/ucnv.h>

namespace qy::testing {

Answer FakePrompter::Ask(const std::string& text, Buttons buttons, Beep, const std::string& caption) {
  shown.push_back({"ask", text, caption, buttons});
  if (answers.empty()) return buttons == Buttons::kOk || buttons == Buttons::kOkCancel ? Answer::kOk : Answer::kYes;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

Answer FakePrompter::AskWithOptOut(const std::string& caption, const std::string& text,
                                   bool* opt_out) {
  shown.push_back({"optout", text, caption, Buttons::kYesNo});
  bool out = false;
  if (!opt_outs.empty()) {
    out = opt_outs.front();
    opt_outs.pop_front();
  }
  if (opt_out) *opt_out = out;
  if (answers.empty()) return Answer::kYes;
  Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::vector<std::string> FakePrompter::Texts() const {
  std::vector<std::string> t;
  for (const auto& s : shown) t.push_back(s.text);
  return t;
}

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "qytest.XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string Sjis(const std::string& utf8) {
  UErrorCode status = U_ZERO_ERROR;
  std::string out(utf8.size() * 2 + 16, '\0');
  int32_t n = ucnv_convert("windows-31j", "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                           utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("Sjis conversion failed");
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace qy::testing
