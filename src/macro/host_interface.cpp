#include "macro/host_interface.h"

#include <algorithm>
#include <limits>

#include "build/rtf_text.h"
#include "core/cp932.h"
#include "core/text_mapping.h"
#include "macro/host_text.h"
#include "macro/host_vocabulary.h"

namespace qy {

namespace {

namespace hi = host_index;
namespace hp = host_property;

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

std::int64_t Flag(bool value) { return value ? -1 : 0; }

// Argument access that never reads past the call's parameters: a routine
// declared with fewer parameters than its index expects gets 0 and ''.
std::int64_t IntArg(const MacroArguments& args, std::size_t i) {
  return i < args.size() ? args.Integer(i) : 0;
}
std::string StrArg(const MacroArguments& args, std::size_t i) {
  return i < args.size() ? std::string(args.String(i)) : std::string();
}

}  // namespace

MacroHostInterface::MacroHostInterface(ProjectModel& model, MacroWindow& window,
                                       Clipboard& clipboard, Settings& settings)
    : model_(model), window_(window), clipboard_(clipboard), settings_(settings) {}

void MacroHostInterface::Attach(TPoorPascal& pascal) {
  DeclareHostVocabulary(pascal);
  pascal.ProcParam = [](const std::string&, std::int32_t, const MacroArguments&,
                        std::int32_t& err) { err = 0; };
  pascal.IntFuncParam = [this](const std::string&, std::int32_t index, const MacroArguments& args,
                               std::int32_t& err, std::int64_t& result) {
    if (!IntegerFunction(index, args, result)) err = kHostNotServed;
  };
  pascal.StrFuncParam = [this](const std::string&, std::int32_t index, const MacroArguments& args,
                               std::int32_t& err, std::string& result) {
    if (!StringFunction(index, args, result)) err = kHostNotServed;
  };
  pascal.ErrorProc = [](std::int32_t code, std::string& message) {
    message = HostErrorMessage(code);
  };
  pascal.IntObjParam = [this](const std::string&, std::int32_t id, std::uint8_t mode,
                              std::int32_t& err, std::int64_t& value) {
    const bool served =
        mode == kPropertyWrite ? WriteIntegerProperty(id, value) : ReadIntegerProperty(id, value);
    if (!served) err = kHostNotServed;
  };
  pascal.StrObjParam = [this](const std::string&, std::int32_t id, std::uint8_t mode,
                              std::int32_t& err, std::string& value) {
    const bool served =
        mode == kPropertyWrite ? WriteStringProperty(id, value) : ReadStringProperty(id, value);
    if (!served) err = kHostNotServed;
  };
}

bool MacroHostInterface::CurrentHasTopic() const {
  const int page = model_.CurrentPage();
  return model_.ValidPage(page) && HasTopicText(model_.Page(page).Attribute);
}

bool MacroHostInterface::EditorWritable() {
  // A read-only editor means the page is out in the external editor: a change
  // made here would be lost when the page is taken back.
  return CurrentHasTopic() && !editor().ReadOnly();
}

int MacroHostInterface::PageOf(std::int64_t index) const {
  if (index < 0 || index >= model_.PageCount()) return 0;
  return static_cast<int>(index) + 1;
}

void MacroHostInterface::SyncTopic() {
  if (!CurrentHasTopic()) return;
  const int page = model_.CurrentPage();
  std::string text = editor().Text();
  if (model_.Page(page).Topic == text) return;
  model_.SetField(page, PageField::kTopic, text);
  model_.SetModified(true);
}

std::int64_t MacroHostInterface::SetPageField(const MacroArguments& args, PageField field) {
  const int page = PageOf(IntArg(args, 0));
  if (page == 0) return 0;
  const std::string value = StrArg(args, 1);
  const bool current = page == model_.CurrentPage();
  if (field == PageField::kTopic && current && editor().ReadOnly()) return 0;
  const std::string before = model_.GetField(page, field);
  if (!model_.SetField(page, field, value)) return 0;
  if (model_.GetField(page, field) != before) model_.SetModified(true);
  if (field == PageField::kTopic && current) editor().SetText(model_.Page(page).Topic);
  window_.PageFieldChanged(page, field);
  return 1;
}

std::string MacroHostInterface::GetPageField(const MacroArguments& args, PageField field) const {
  const int page = PageOf(IntArg(args, 0));
  return page == 0 ? std::string() : model_.GetField(page, field);
}

std::string MacroHostInterface::PictureName(std::int64_t index) const {
  if (index < 0 || index > 8) return {};
  return settings_.file().ReadString(model_.Header().BitmapSection,
                                     "BitmapName" + std::to_string(index + 1), "");
}

bool MacroHostInterface::IntegerFunction(std::int32_t index, const MacroArguments& args,
                                         std::int64_t& result) {
  switch (index) {
    case hi::kIsModified:
      result = Flag(model_.Modified());
      return true;
    case hi::kIsOverWrite:
      result = Flag(window_.IsOverwrite());
      return true;
    case hi::kIsSelected:
      result = Flag(editor().SelLength() != 0);
      return true;
    case hi::kLineCount:
      result = static_cast<std::int64_t>(TextLineSpans(editor().Text()).size());
      return true;
    case hi::kSetLineString: {
      result = 0;
      if (!EditorWritable()) return true;
      const std::string text = editor().Text();
      const std::vector<LineSpan> spans = TextLineSpans(text);
      const std::int64_t row = IntArg(args, 0);
      if (row < 0 || row >= static_cast<std::int64_t>(spans.size())) return true;
      const LineSpan& span = spans[static_cast<std::size_t>(row)];
      editor().SetSelStart(static_cast<int>(span.start));
      editor().SetSelLength(static_cast<int>(span.length));
      editor().SetSelText(StrArg(args, 1));
      SyncTopic();
      result = 1;
      return true;
    }
    case hi::kSetTextLine: {
      const std::int64_t line = IntArg(args, 1);
      result = line >= 0 && line < static_cast<std::int64_t>(TextLineSpans(StrArg(args, 0)).size())
                   ? 1
                   : 0;
      return true;
    }
    case hi::kTextLineCount:
      result = static_cast<std::int64_t>(TextLineSpans(StrArg(args, 0)).size());
      return true;
    case hi::kClear:
    case hi::kPrint:
    case hi::kSort: {
      result = 0;
      if (!EditorWritable()) return true;
      Editor& ed = editor();
      if (index == hi::kClear || (index == hi::kSort && ed.SelLength() == 0)) {
        ed.SetSelStart(0);
        ed.SetSelLength(static_cast<int>(ed.Text().size()));
      }
      if (index == hi::kClear) {
        ed.SetSelText("");
      } else if (index == hi::kPrint) {
        ed.SetSelText(StrArg(args, 0));
      } else {
        ed.SetSelText(SortTextLines(ed.SelText()));
      }
      SyncTopic();
      result = 1;
      return true;
    }
    case hi::kSetPageIndex: {
      const int page = PageOf(IntArg(args, 0));
      result = 0;
      if (page == 0) return true;
      window_.ShowPage(page);
      // The window refuses the switch while the page is out in the external
      // editor.
      result = model_.CurrentPage() == page ? 1 : 0;
      return true;
    }
    case hi::kSetPageTitle:
      result = SetPageField(args, PageField::kTitle);
      return true;
    case hi::kSetPageKeyword:
      result = SetPageField(args, PageField::kKeyword);
      return true;
    case hi::kSetPageAKeyword:
      result = SetPageField(args, PageField::kAKeyword);
      return true;
    case hi::kSetPageBKeyword:
      result = SetPageField(args, PageField::kBKeyword);
      return true;
    case hi::kSetPageTopic:
      result = SetPageField(args, PageField::kTopic);
      return true;
    case hi::kSetPageWindow:
      result = SetPageField(args, PageField::kWindow);
      return true;
    case hi::kSetPageMacro:
      result = SetPageField(args, PageField::kMacro);
      return true;
    case hi::kPageAdd:
      if (model_.IsFull()) {
        result = -1;
        return true;
      }
      window_.AddPage();
      result = model_.CurrentPage() - 1;
      return true;
    case hi::kGetPageIndex:
      result = model_.CurrentPage() - 1;
      return true;
    case hi::kGetPageCount:
      result = model_.PageCount();
      return true;
    case hi::kGetPageAttribute: {
      const int page = PageOf(IntArg(args, 0));
      result = page == 0 ? -1 : model_.Page(page).Attribute;
      return true;
    }
    case hi::kGetPageContextID: {
      const int page = PageOf(IntArg(args, 0));
      result = page == 0 ? -1 : model_.GetContextID(page);
      return true;
    }
    case hi::kSelectPage: {
      const int page = window_.SelectPage();
      result = model_.ValidPage(page) ? page - 1 : -1;
      return true;
    }
    default:
      return false;
  }
}

bool MacroHostInterface::StringFunction(std::int32_t index, const MacroArguments& args,
                                        std::string& result) {
  const ProjectHeader& header = model_.Header();
  switch (index) {
    case hi::kGetLineString:
      result = TextLine(editor().Text(), IntArg(args, 0));
      return true;
    case hi::kEndOfLineAddStr:
      result = EndOfLineAddStr(StrArg(args, 0), StrArg(args, 1));
      return true;
    case hi::kGetTextLine:
      result = TextLine(StrArg(args, 0), IntArg(args, 1));
      return true;
    case hi::kGetPageContext:
      result = GetPageField(args, PageField::kContext);
      return true;
    case hi::kGetPageTitle:
      result = GetPageField(args, PageField::kTitle);
      return true;
    case hi::kGetPageKeyword:
      result = GetPageField(args, PageField::kKeyword);
      return true;
    case hi::kGetPageAKeyword:
      result = GetPageField(args, PageField::kAKeyword);
      return true;
    case hi::kGetPageBKeyword:
      result = GetPageField(args, PageField::kBKeyword);
      return true;
    case hi::kGetPageTopic:
      result = GetPageField(args, PageField::kTopic);
      return true;
    case hi::kGetPageWindow:
      result = GetPageField(args, PageField::kWindow);
      return true;
    case hi::kGetPageMacro:
      result = GetPageField(args, PageField::kMacro);
      return true;
    case hi::kGetHelpTitle:
      result = header.HelpTitle;
      return true;
    case hi::kGetHelpCopyright:
      result = header.HelpCopyright;
      return true;
    case hi::kGetWindowsSection:
      result = header.WindowsSection;
      return true;
    case hi::kGetConfigSection:
      result = header.ConfigSection;
      return true;
    case hi::kGetWord:
      result = TextLine(header.Word, IntArg(args, 0));
      return true;
    case hi::kGetPictureName:
      result = PictureName(IntArg(args, 0));
      return true;
    case hi::kJCopy:
      result = CharacterCopy(StrArg(args, 0), IntArg(args, 1), IntArg(args, 2));
      return true;
    case hi::kHan2Zen:
      result = MapText(StrArg(args, 0), TextMapping::kFullWidth);
      return true;
    case hi::kZen2Han:
      result = MapText(StrArg(args, 0), TextMapping::kHalfWidth);
      return true;
    default:
      return false;
  }
}

bool MacroHostInterface::ReadIntegerProperty(std::int32_t id, std::int64_t& value) {
  Editor& ed = editor();
  switch (id) {
    case hp::kCol: {
      const int caret = ed.SelStart();
      value = caret - CaretLineStart(ed.Text(), caret);
      return true;
    }
    case hp::kRow:
      value = CaretRow(ed.Text(), ed.SelStart());
      return true;
    case hp::kSelLength:
      value = ed.SelLength();
      return true;
    case hp::kSelStart:
      value = ed.SelStart();
      return true;
    default:
      return false;
  }
}

bool MacroHostInterface::WriteIntegerProperty(std::int32_t id, std::int64_t value) {
  Editor& ed = editor();
  switch (id) {
    case hp::kCol: {
      const int start = CaretLineStart(ed.Text(), ed.SelStart());
      // Clamped before the addition: a huge column must not wrap around.
      ed.SetSelStart(
          ClampToInt(start + std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max())));
      return true;
    }
    case hp::kRow:
      ed.SetSelStart(RowStartOffset(ed.Text(), value));
      return true;
    case hp::kSelLength:
      ed.SetSelLength(std::max(ClampToInt(value), 0));
      return true;
    case hp::kSelStart:
      ed.SetSelStart(std::max(ClampToInt(value), 0));
      return true;
    default:
      return false;
  }
}

bool MacroHostInterface::ReadStringProperty(std::int32_t id, std::string& value) {
  switch (id) {
    case hp::kClipBoard:
      value = clipboard_.GetText();
      return true;
    case hp::kSelText:
      if (CurrentHasTopic()) value = editor().SelText();
      return true;
    case hp::kText:
      if (CurrentHasTopic()) value = editor().Text();
      return true;
    default:
      return false;
  }
}

bool MacroHostInterface::WriteStringProperty(std::int32_t id, const std::string& value) {
  switch (id) {
    case hp::kClipBoard:
      clipboard_.SetText(value);
      return true;
    case hp::kSelText:
      if (EditorWritable()) {
        editor().SetSelText(value);
        SyncTopic();
      }
      return true;
    case hp::kText:
      if (EditorWritable()) {
        editor().SetText(value);
        SyncTopic();
      }
      return true;
    default:
      return false;
  }
}

}  // namespace qy
