// Scripted fakes of the platform interfaces and small test helpers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/progress.h"
#include "core/prompter.h"

namespace qy::testing {

// Records every message and answers questions from a queue (kYes / kOk when
// the queue is empty).
class FakePrompter : public Prompter {
 public:
  struct Shown {
    std::string kind;  // "info", "warning", "error", "ask", "optout"
    std::string text;
    std::string caption;
    Buttons buttons = Buttons::kOk;
  };

  void Information(const std::string& text) override {
    shown.push_back({"info", text, "", Buttons::kOk});
  }
  void Warning(const std::string& text) override {
    shown.push_back({"warning", text, "", Buttons::kOk});
  }
  void Error(const std::string& text) override {
    shown.push_back({"error", text, "", Buttons::kOk});
  }
  Answer Ask(const std::string& text, Buttons buttons, Beep, const std::string& caption) override;
  Answer AskWithOptOut(const std::string& caption, const std::string& text, bool* opt_out) override;

  // Texts of the messages shown, in order.
  std::vector<std::string> Texts() const;

  std::vector<Shown> shown;
  std::deque<Answer> answers;
  std::deque<bool> opt_outs;
};

class FakeProgress : public Progress {
 public:
  void Show() override { visible = true; }
  void Hide() override { visible = false; }
  void SetRange(int m) override { maximum = m; }
  void SetPosition(int p) override { position = p; }
  int Position() const override { return position; }
  void SetStatusText(int panel, const std::string& text) override {
    statuses.push_back(std::to_string(panel) + ":" + text);
  }
  void Pump() override { ++pumps; }

  bool visible = false;
  int maximum = 0;
  int position = 0;
  int pumps = 0;
  std::vector<std::string> statuses;
};

class FakeClipboard : public Clipboard {
 public:
  std::string GetText() override { return text; }
  void SetText(const std::string& t) override { text = t; }
  std::string text;
};

// A fresh temporary folder, removed with everything in it at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Folder path with a trailing '/'.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

}  // namespace qy::testing
