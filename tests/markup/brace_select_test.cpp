#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "markup/intelligent_select.h"

namespace qy {
namespace {

TEST(IntelligentSelect, GroupsAndHotspotsAroundTheCaret) {
  const std::string hotspot = "{\\uldb Next}{\\v HLP000002}";
  const std::string popup = "{\\ul word}{\\v% !PopupID(HLP000009)}";
  const std::string plus = Sjis("＋");  // 0x81 0x7B: a trail byte is no brace
  const std::tuple<std::string, std::string, int, std::string> cases[] = {
      {"see " + hotspot + " now", "000002", 0, hotspot},
      {"a " + popup, "ord", 0, popup},
      {"{\\b {\\i x}}", "x", 0, "{\\i x}"},
      // Plain braces: the first "}" behind the caret closes, whatever the nesting.
      {"{\\b {\\i x} y}", "y", 0, "{\\i x} y}"},
      {"{\\b bold}{\\v CTX}", "old", 0, "{\\b bold}{\\v CTX}"},
      // A second hidden group joins too, unless the selection already
      // reaches into the hidden part.
      {"{\\uldb A}{\\v X}{\\v Y}.", "A", 0, "{\\uldb A}{\\v X}{\\v Y}"},
      {"{\\uldb A}{\\v X}{\\v Y}", "A}", 6, "{\\uldb A}{\\v X}"},
      {"{\\b " + plus + "a}", "a", 0, "{\\b " + plus + "a}"},
      {"plain {\\b x", "x", 0, ""},  // without both braces nothing changes
  };
  for (const auto& [text, marker, length, selected] : cases) {
    MemoryEditor editor(text);
    editor.SetSelStart(static_cast<int>(text.find(marker)));
    editor.SetSelLength(length);
    IntelligentSelect(editor);
    EXPECT_EQ(editor.SelText(), selected) << text;
  }
  EXPECT_FALSE(IntelligentSelection("x}", {0, 0}));
}

TEST(MouseSelection, WidensContextStringsAndPictureNames) {
  const std::string text = "see HLP000012 and logo.BMP";
  EXPECT_EQ(WidenSelection(text, {4, 3}), (TextSelection{4, 9}));
  EXPECT_EQ(WidenSelection(text, {18, 4}), (TextSelection{18, 8}));
  EXPECT_EQ(WidenSelection("logo.png", {0, 4}), (TextSelection{0, 4}));
  EXPECT_EQ(WidenSelection("HLP0", {0, 3}), (TextSelection{0, 4}));  // stays in the text
}

TEST(MouseSelection, OnlyAfterAMouseActionAndOnce) {
  MemoryEditor editor("x HLP000012 y");
  MouseSelectionWidener widener;
  editor.SetSelStart(5);
  editor.SetSelLength(6);
  widener.OnSelectionChanged(editor, false);  // keyboard selection
  EXPECT_EQ(editor.SelLength(), 6);

  widener.OnMouseAction();
  widener.OnSelectionChanged(editor, true);  // text out in the external editor
  EXPECT_EQ(editor.SelLength(), 6);
  widener.OnSelectionChanged(editor, false);
  EXPECT_EQ(editor.SelText(), "HLP000012");

  // Six bytes that are not digits of a context keep it waiting.
  widener.OnMouseAction();
  editor.SetSelStart(0);
  editor.SetSelLength(6);
  widener.OnSelectionChanged(editor, false);
  EXPECT_TRUE(widener.armed());
}

}  // namespace
}  // namespace qy
