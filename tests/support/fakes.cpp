#include "support/fakes.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace qy::testing {

Answer FakePrompter::Ask(const std::string& text, Buttons buttons, Beep,
                         const std::string& caption) {
  shown.push_back({"ask", text, caption, buttons});
  if (answers.empty())
    return buttons == Buttons::kOk || buttons == Buttons::kOkCancel ? Answer::kOk : Answer::kYes;
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

}  // namespace qy::testing
