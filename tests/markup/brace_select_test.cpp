#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/memory_editor.h"
#include "markup/intelligent_select.h"

namespace qy {
namespace {

std::string SelectAround(const std::string& text, const std::string& marker, int length = 0) {
  MemoryEditor editor(text);
  editor.SetSelStart(static_cast<int>(text.find(marker)));
  editor.SetSelLength(length);
  IntelligentSelect(editor);
  return editor.SelText();
}

TEST(IntelligentSelect, WholeHotspotFromEitherPart) {
  const std::string hotspot = "{\\uldb Next}{\\v HLP000002}";
  const std::string text = "see " + hotspot + " now";
  EXPECT_EQ(SelectAround(text, "ext"), hotspot);
  EXPECT_EQ(SelectAround(text, "000002"), hotspot);
  EXPECT_EQ(SelectAround(text, "Next", 4), hotspot);
  const std::string popup = "{\\ul word}{\\v% !PopupID(HLP000009)}";
  EXPECT_EQ(SelectAround("a " + popup, "ord"), popup);
}

TEST(IntelligentSelect, NestedGroups) {
  EXPECT_EQ(SelectAround("{\\b {\\i x}}", "x"), "{\\i x}");
  // Plain braces: the first "}" behind the caret closes, whatever the nesting.
  EXPECT_EQ(SelectAround("{\\b {\\i x} y}", "y"), "{\\i x} y}");
  EXPECT_EQ(SelectAround("{\\b bold}{\\v CTX}", "old"), "{\\b bold}{\\v CTX}");
  // A second hidden group behind the first one joins too.
  EXPECT_EQ(SelectAround("{\\uldb A}{\\v X}{\\v Y}.", "A"), "{\\uldb A}{\\v X}{\\v Y}");
  // A selection that already reaches into the hidden part is not widened again.
  EXPECT_EQ(SelectAround("{\\uldb A}{\\v X}{\\v Y}", "A}", 6), "{\\uldb A}{\\v X}");
}

TEST(IntelligentSelect, NothingChangesWithoutBothBraces) {
  MemoryEditor editor("plain {\\b x");
  editor.SetSelStart(9);
  IntelligentSelect(editor);
  EXPECT_EQ(editor.SelStart(), 9);
  EXPECT_EQ(editor.SelLength(), 0);
  EXPECT_FALSE(IntelligentSelection("x}", {0, 0}));
}

TEST(IntelligentSelect, TrailBytesAreNotBraces) {
  const std::string plus = Sjis("＋");  // 0x81 0x7B
  const std::string text = "{\\b " + plus + "a}";
  std::optional<TextSelection> s =
      IntelligentSelection(text, {static_cast<int>(text.find('a')), 0});
  ASSERT_TRUE(s);
  EXPECT_EQ(s->start, 0);
  EXPECT_EQ(s->length, static_cast<int>(text.size()));
}

TEST(MouseSelection, WidensContextStringsAndPictureNames) {
  const std::string text = "see HLP000012 and logo.BMP";
  EXPECT_EQ(WidenSelection(text, {4, 3}), (TextSelection{4, 9}));
  EXPECT_EQ(WidenSelection(text, {7, 6}), (TextSelection{4, 9}));
  EXPECT_EQ(WidenSelection(text, {18, 4}), (TextSelection{18, 8}));
  EXPECT_EQ(WidenSelection("logo.shg", {0, 4}), (TextSelection{0, 8}));
  EXPECT_EQ(WidenSelection("logo.png", {0, 4}), (TextSelection{0, 4}));
  EXPECT_EQ(WidenSelection("HLP0", {0, 3}), (TextSelection{0, 4}));  // stays in the text
  EXPECT_EQ(WidenSelection("000123", {0, 6}), (TextSelection{0, 6}));
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
  EXPECT_EQ(editor.SelStart(), 2);
  EXPECT_EQ(editor.SelText(), "HLP000012");
  EXPECT_FALSE(widener.armed());

  widener.OnMouseAction();
  editor.SetSelStart(0);  // a click first puts the caret down
  widener.OnSelectionChanged(editor, false);
  EXPECT_FALSE(widener.armed());
  editor.SetSelStart(2);
  editor.SetSelLength(3);
  widener.OnSelectionChanged(editor, false);
  EXPECT_EQ(editor.SelLength(), 3);

  // Six bytes that are not digits of a context keep it waiting.
  widener.OnMouseAction();
  editor.SetSelStart(0);
  editor.SetSelLength(6);
  widener.OnSelectionChanged(editor, false);
  EXPECT_TRUE(widener.armed());
}

}  // namespace
}  // namespace qy
