// [WINDOWS] lines in list form: build and parse, the box rules of one style
// and the list operations of the windows tab.
#include "build/window_style.h"

#include <gtest/gtest.h>

#include "build/window_style_boxes.h"
#include "build/window_style_list.h"
#include "core/codec.h"
#include "project/project_model.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::FakePrompter;

WindowStyle Sample() {
  WindowStyle s = NewWindowStyle("sub");
  s.title = "Sub window";
  s.left = 10;
  s.top = 20;
  s.style_number = kStyleOwnButtons | kStyleBack | kStylePrint;
  s.topic_color = 255;
  s.non_scroll_color = 65280;
  return s;
}

TEST(WindowStyleLine, UnsetPositionPartsStayEmptyAndLinesRoundTrip) {
  EXPECT_EQ(BuildWindowStyleLine(DefaultMainWindowStyle()), kDefaultWindowsSection);
  EXPECT_EQ(ParseWindowStyleLine(kDefaultWindowsSection), DefaultMainWindowStyle());
  EXPECT_EQ(BuildWindowStyleLine(Sample()), "sub=\"Sub window\",(10,20,,),24580,(r255),(r65280)");
  WindowStyle sized = Sample();
  sized.left = kNotSet;
  sized.height = 300;
  EXPECT_EQ(BuildWindowStyleLine(sized), "sub=\"Sub window\",(,20,,300),24580,(r255),(r65280)");
  EXPECT_EQ(ParseWindowStyleLine(BuildWindowStyleLine(sized)), sized);
  // An unknown suffix reads as on top, absolute, fixed.
  EXPECT_EQ(ParseWindowStyleLine("w=\"t\",,4,(r1),(r2),f9")->placement_flags, 3);
}

TEST(WindowStyleLine, EverySuffixRoundTrips) {
  const char* expected[2][4] = {{"", ",1", ",f4", ",f5"}, {",f2", ",f3", ",f6", ",f7"}};
  for (int flags = 0; flags < 4; ++flags) {
    for (bool auto_height : {false, true}) {
      WindowStyle s = Sample();
      s.placement_flags = flags;
      s.auto_height = auto_height;
      const std::string line = BuildWindowStyleLine(s);
      const std::string suffix = expected[auto_height][flags];
      EXPECT_EQ(line, "sub=\"Sub window\",(10,20,,),24580,(r255),(r65280)" + suffix);
      EXPECT_EQ(ParseWindowStyleLine(line), s) << line;
    }
  }
}

TEST(WindowStyleLine, TextsOutsideTheGrammarAreRefused) {
  for (const char* line : {
           "", "main",
           "main=,,27648,(r1),(r2)",               // no quotes
           "main=\"a,b\",,27648,(r1),(r2)",        // comma in the title
           "main=\"\",(1,2,3),27648,(r1),(r2)",    // three position parts
           "main=\"\",(1,x,3,4),27648,(r1),(r2)",  // not a number
           "main=\"\",,27648,(r1)",                // no second colour
           "main=\"\",,abc,(r1),(r2)",             // style number
           "main=\"\",,27648,(r1),(r2)junk",       // text after the colours
           "main=\"\",,99999999999,(r1),(r2)",     // out of range
       }) {
    EXPECT_FALSE(ParseWindowStyleLine(line)) << line;
  }
}

TEST(WindowsSection, ListsRoundTripAndLimitsHold) {
  std::vector<WindowStyle> styles = {DefaultMainWindowStyle(), Sample()};
  const std::string text = BuildWindowsSection(styles);
  EXPECT_EQ(text, BuildWindowStyleLine(styles[0]) + "\r\n" + BuildWindowStyleLine(styles[1]));
  EXPECT_EQ(ParseWindowsSection(text), styles);

  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += BuildWindowStyleLine(Sample()) + "\r\n";
  EXPECT_FALSE(ParseWindowsSection(eleven));
  EXPECT_FALSE(ParseWindowsSection(BuildWindowStyleLine(Sample()) + "\r\n\r\nx"));
}

TEST(StyleNumber, DecodesExactlyWhatTheBoxesProduce) {
  EXPECT_EQ(EncodeStyleNumber(*DecodeStyleNumber(kStyleDefaultButtons)), kStyleDefaultButtons);
  const std::pair<int, bool> cases[] = {
      {kStyleDefaultButtons + kStyleOptions + kStyleMaximize, true},
      {kStyleOwnButtons + kStyleTopics + kStyleBack, true},
      {kStyleOwnButtons + kStyleTopics + kStyleContents, false},
      {kStyleContents, false},  // default set incomplete
      {-4, false}};
  for (const auto& [number, decodes] : cases) {
    EXPECT_EQ(DecodeStyleNumber(number).has_value(), decodes) << number;
  }
}

TEST(StyleBoxes, DefaultButtonsLockTheirFourAndTopicsNeedsNeitherContentsNorKeyword) {
  WindowStyle style = NewWindowStyle("w");
  WindowStyleBoxes boxes;
  boxes.Load(style, false);
  ASSERT_TRUE(boxes.Set(StyleBox::kTopics, true, style));
  ASSERT_TRUE(boxes.Set(StyleBox::kDefaultButtons, true, style));
  EXPECT_EQ(style.style_number, kStyleDefaultButtons);
  EXPECT_FALSE(boxes.Set(StyleBox::kPrint, false, style));  // locked
  ASSERT_TRUE(boxes.Set(StyleBox::kDefaultButtons, false, style));
  EXPECT_EQ(style.style_number, kStyleOwnButtons + kStyleDefaultButtons);
  ASSERT_TRUE(boxes.Set(StyleBox::kContents, false, style));
  EXPECT_FALSE(boxes.Box(StyleBox::kTopics).enabled);  // keyword still ticked
}

TEST(StyleBoxes, PlacementBoxesSetTheSuffixAndHandTypedNumbersStay) {
  WindowStyle style = NewWindowStyle("w");
  WindowStyleBoxes boxes;
  boxes.Load(style, false);
  ASSERT_TRUE(boxes.Set(StyleBox::kFitResolution, false, style));
  ASSERT_TRUE(boxes.Set(StyleBox::kOnTop, true, style));
  EXPECT_EQ(style.placement_flags, 3);
  // A number typed by hand stays until a button box is clicked.
  WindowStyle odd = NewWindowStyle("odd");
  odd.style_number = 7;
  boxes.Load(odd, false);
  ASSERT_TRUE(boxes.Set(StyleBox::kOnTop, true, odd));
  EXPECT_EQ(odd.style_number, 7);
}

TEST(StyleList, DeletingMovesTheFollowingStylesUpAndTenAtMost) {
  FakePrompter prompter;
  WindowStyleList list;
  EXPECT_FALSE(list.Add(""));
  for (const char* name : {"a", "b", "c", "d"}) ASSERT_TRUE(list.Add(name));
  list.Select(4);  // "d"
  list.Selected()->topic_color = 123;
  list.Selected()->style_number = kStyleOwnButtons + kStyleBack;
  list.Select(2);
  ASSERT_TRUE(list.DeleteSelected(prompter));
  EXPECT_EQ(list.styles()[2].name, "c");
  EXPECT_EQ(list.styles()[3].topic_color, 123);
  EXPECT_EQ(list.styles()[3].style_number, kStyleOwnButtons + kStyleBack);
  list.Select(0);
  EXPECT_FALSE(list.DeleteSelected(prompter));  // never "main"

  for (int i = 5; i <= kMaxWindowStyles; ++i) ASSERT_TRUE(list.Add("w" + std::to_string(i)));
  EXPECT_FALSE(list.Add("eleventh"));
}

TEST(StyleList, PositionEditsAndSizingWindow) {
  WindowStyleList list;
  ASSERT_TRUE(list.Add("w"));
  EXPECT_TRUE(list.SetPositionText(PositionPart::kLeft, "120"));
  EXPECT_FALSE(list.SetPositionText(PositionPart::kTop, "1a"));
  EXPECT_FALSE(list.SetPositionText(PositionPart::kTop, "1234567890"));
  EXPECT_EQ(list.Selected()->top, kNotSet);
  // The sizing window leaves parts at their defaults unset.
  list.ApplySizingWindow(kSizingWindowLeft, 40, 600, kSizingWindowHeight);
  EXPECT_EQ(list.Selected()->left, 120);
  EXPECT_EQ(list.Selected()->top, 40);
  EXPECT_EQ(list.Selected()->height, kNotSet);
}

TEST(StyleList, DirectEditBuildsTheTextAndHandEditedSectionsStayInIt) {
  FakePrompter prompter;
  WindowStyleList list;
  ASSERT_TRUE(list.Add("sub"));
  prompter.answers = {Answer::kNo};
  EXPECT_FALSE(list.SetDirectEdit(true, prompter));
  EXPECT_TRUE(list.SetDirectEdit(true, prompter));
  EXPECT_EQ(list.memo(),
            std::string(kDefaultWindowsSection) + "\r\nsub=\"\",,4,(r14876671),(r12632256)");
  list.SetMemo("typed=\"x\"");
  EXPECT_EQ(list.SectionText(), "typed=\"x\"");
  EXPECT_FALSE(list.SetDirectEdit(false, prompter));
  EXPECT_EQ(list.SectionText(), kDefaultWindowsSection);

  const std::string typed = "main=\"Help, main\",,27648,(r14876671),(r12632256)\r\nextra";
  EXPECT_FALSE(list.Load(typed, false, prompter));
  EXPECT_TRUE(list.direct_edit());
  EXPECT_EQ(list.SectionText(), typed);
  EXPECT_TRUE(list.Load(BuildWindowStyleLine(Sample()), false, prompter));
  EXPECT_FALSE(list.direct_edit());
}

}  // namespace
}  // namespace qy
