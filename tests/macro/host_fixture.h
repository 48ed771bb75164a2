// A macro component attached to the host interface on a headless window over
// a small project, with helpers to run programs and read their variables.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/codec.h"
#include "core/settings.h"
#include "macro/host_interface.h"
#include "macro/host_window.h"
#include "macro/macro_error.h"
#include "macro/poor_pascal.h"
#include "macro_fixture.h"
#include "project/page_commands.h"
#include "project/project_model.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy::testing {

class HostTest : public ::testing::Test {
 protected:
  // Pages: 1 Topic, 2 Popup, 3 Content, 4 Include, 5 Book, 6 Topic.
  HostTest() : settings(dir.File("quillory.ini")), commands(model, prompter, clipboard, settings) {
    MakePages(model, "T P C I B1 T");
    for (int page : {1, 2, 3, 6}) model.MutablePage(page).Topic = "topic " + std::to_string(page);
    window = std::make_unique<HeadlessMacroWindow>(model, commands);
    host = std::make_unique<MacroHostInterface>(model, *window, clipboard, settings);
    host->Attach(pascal);
  }

  // Runs a program written in UTF-8 (converted to Shift-JIS).
  void Run(const std::string& utf8) {
    pascal.SetSource(Sjis(utf8));
    pascal.Execute();
  }
  // The error that ends the program (a test failure when it runs through).
  MacroError RunError(const std::string& utf8) {
    return ErrorFrom([&] { Run(utf8); }, utf8);
  }
  // Value of the Integer expression `expr` (UTF-8) after the program so far.
  std::int64_t Int(const std::string& expr) {
    Run("var r: Integer; begin r := " + expr + " end.");
    return pascal.interpreter().FindVariable("r")->IntValue;
  }
  // Value of the String expression `expr` as Shift-JIS.
  std::string Str(const std::string& expr) {
    Run("var r: String; begin r := " + expr + " end.");
    return pascal.interpreter().FindVariable("r")->StrValue;
  }
  MemoryEditor& editor() { return window->memory_editor(); }
  void ShowPage(int page) { window->ShowPage(page); }

  TempDir dir;
  ProjectModel model;
  FakePrompter prompter;
  FakeClipboard clipboard;
  Settings settings;
  PageCommands commands;
  std::unique_ptr<HeadlessMacroWindow> window;
  std::unique_ptr<MacroHostInterface> host;
  TPoorPascal pascal;
};

}  // namespace qy::testing
