// A command that edits the topic more than once is still one undo step.
#include <gtest/gtest.h>

#include <string>

#include "core/memory_editor.h"
#include "markup/format_commands.h"

namespace qy {
namespace {

TEST(UndoStep, NonScrollingRegionIsTakenBackWhole) {
  const std::string text = "first\r\nsecond line\r\n";
  MemoryEditor editor(text);
  editor.SetSelStart(7);
  editor.SetSelLength(11);
  MakeNonScrollingRegion(editor);
  const std::string done = editor.Text();
  ASSERT_NE(done, text);
  editor.Undo();
  EXPECT_EQ(editor.Text(), text);  // the selected line is back
  editor.Undo();
  EXPECT_EQ(editor.Text(), done);  // and undo toggles
}

TEST(UndoStep, NestedGroupsEndWithTheOutermost) {
  MemoryEditor editor("abc");
  {
    EditGroup outer(editor);
    editor.SetSelText("1");
    {
      EditGroup inner(editor);
      editor.SetSelText("2");
    }
    editor.SetSelText("3");
  }
  EXPECT_EQ(editor.Text(), "123abc");
  editor.SetSelText("4");  // a plain edit after the group is its own step
  editor.Undo();
  EXPECT_EQ(editor.Text(), "123abc");
}

}  // namespace
}  // namespace qy
