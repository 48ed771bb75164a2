#include "project/new_page_wizard.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/settings_keys.h"
#include "project/context_list.h"
#include "project/page_acceptance.h"
#include "project/page_tree.h"

namespace qy {

namespace {

using S = WizardScreen;

constexpr char kFirstPrompt[] =
    " 新規に作成するページのタイトルを設定して ｢次へ｣ ボタンを押して下さい。";
// Screen 0 seen again after Back words its request slightly differently.
constexpr char kFirstPromptAgain[] =
    " 新規に作成するページのタイトルを設定して ｢次へ｣ ボタンを押してください。";

const char* PromptOf(S screen) {
  switch (screen) {
    case S::kTitle:
      return kFirstPrompt;
    case S::kKind:
      return " 新規に作成するページの属性を選んで ｢次へ｣ ボタンを押してください。";
    case S::kKeywordChoice:
      return " ページのキーワードはどうしますか？選んで ｢次へ｣ ボタンを押してください。";
    case S::kBookLevel:
      return " ブック属性の階層レベルを選んで ｢次へ｣ ボタンを押してください。";
    case S::kKeyword:
      return " 新規に作成するページのキーワードを設定して ｢次へ｣ ボタンを押してください。";
    case S::kMacro:
      return " ページ作成後に実行するマクロを選んで ｢次へ｣ ボタンを押してください。";
    case S::kFinish:
      return " 完了ボタンを押してウィザードを終了します。";
    case S::kAKeywordChoice:
      return " ページのＡキーワードはどうしますか？選んで ｢次へ｣ ボタンを押してください。";
    case S::kAKeyword:
      return " 新規に作成するページのＡキーワードを設定して ｢次へ｣ ボタンを押してください。";
    case S::kContextChoice:
      return " ページのコンテキストはどうしますか？選んで ｢次へ｣ ボタンを押してください。";
    case S::kContext:
      return " 新規に作成するページのコンテキストを設定して ｢次へ｣ ボタンを押してください。";
    case S::kIdChoice:
      return " ページのコンテキストＩＤはどうしますか？選んで ｢次へ｣ ボタンを押してください。";
    case S::kId:
      return " 新規に作成するページのコンテキストＩＤを設定して ｢次へ｣ ボタンを押してください。";
  }
  return "";
}

bool AllDigits(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Join(const char* first, const char* second) {
  return Sjis(first) + "\r\n\r\n" + Sjis(second);
}

}  // namespace

bool NewPageWizardAvailable(const PageCommands& commands) {
  return !(commands.page_out_in_editor && commands.page_out_in_editor());
}

std::vector<std::string> WizardMacroList(const Settings& settings) {
  std::vector<std::string> list{Sjis("マクロを実行しない")};
  const int count = std::clamp(settings.GetInt(keys::kMacroCount), 0, keys::kMacroMenuEntries);
  for (int n = 0; n < count; ++n) {
    const std::vector<std::string> items = SplitCommaText(settings.GetString(keys::MacroMenu(n)));
    if (items.size() < 2 || items[1].empty()) break;
    list.push_back(items[1]);
  }
  return list;
}

NewPageWizard::NewPageWizard(ProjectModel& model, PageCommands& commands, Prompter& prompter,
                             const Settings& settings)
    : model_(model),
      commands_(commands),
      prompter_(prompter),
      macro_list_(WizardMacroList(settings)) {}

WizardInput NewPageWizard::Input() const {
  switch (screen_) {
    case S::kTitle:
    case S::kKeyword:
    case S::kAKeyword:
    case S::kContext:
    case S::kId:
      return WizardInput::kTextBox;
    case S::kBookLevel:
      return WizardInput::kLevelSlider;
    case S::kMacro:
      return WizardInput::kMacroList;
    case S::kFinish:
      return WizardInput::kNone;
    default:
      return WizardInput::kChoices;
  }
}

std::string NewPageWizard::Prompt() const {
  if (screen_ == S::kTitle && returned_to_start_) return Sjis(kFirstPromptAgain);
  return Sjis(PromptOf(screen_));
}

std::string NewPageWizard::TextLabel() const {
  switch (screen_) {
    case S::kTitle:
      return Sjis("タイトルの設定(&T) :");
    case S::kKeyword:
      return Sjis("キーワードの設定(&K) :");
    case S::kAKeyword:
      return Sjis("Ａキーワードの設定(&K) :");
    case S::kContext:
      return Sjis("コンテキストの設定(&C) :");
    case S::kId:
      return Sjis("コンテキストＩＤの設定(&C) :");
    default:
      return "";
  }
}

std::vector<std::string> NewPageWizard::Choices() const {
  std::vector<const char*> choices;
  switch (screen_) {
    case S::kKind:
      choices = {"トピック属性ページ(&M)", "ポップアップ属性ページ(&P)", "ブック属性ページ(&K)"};
      break;
    case S::kContextChoice:
      choices = {"コンテキストはQuilloryに任せる(&E)", "コンテキストを新規に設定(&S)"};
      break;
    case S::kIdChoice:
      choices = {"コンテキストＩＤはQuilloryに任せる(&E)", "コンテキストＩＤを新規に設定(&S)"};
      break;
    case S::kKeywordChoice:
      choices = {"キーワードはタイトルと同じ(&E)", "キーワードを設定しない(&S)",
                 "キーワードを新規に設定(&W)"};
      break;
    case S::kAKeywordChoice:
      choices = {"Ａキーワードは設定しない(&S)", "Ａキーワードを新規に設定(&W)",
                 "上のページのＡキーワードと同じ(&E)"};
      break;
    default:
      break;
  }
  std::vector<std::string> out;
  for (const char* c : choices) out.push_back(Sjis(c));
  return out;
}

bool NewPageWizard::LevelAllowed(int level) const {
  // The new page goes right after the current one, so the nearest book at or
  // before the current page decides how deep it may go.
  return level >= 1 && level <= kMaxBookLevel &&
         level <= MaxBookLevelAt(model_, model_.CurrentPage() + 1);
}

std::string NewPageWizard::LevelLabel() const {
  if (!LevelAllowed(level_)) return Sjis("階層レベル : 不可");
  return Sjis("階層レベル : ") + std::to_string(level_);
}

std::string NewPageWizard::NextCaption() const {
  return Sjis(screen_ == S::kFinish ? "完了(&E)" : "次へ(&N) >");
}

std::string NewPageWizard::BackCaption() { return Sjis("< 戻る(&B)"); }

bool NewPageWizard::NextEnabled() const {
  switch (screen_) {
    case S::kTitle:
      return !text_.empty();
    case S::kBookLevel:
      return LevelAllowed(level_);
    // An empty ID box has no value to take.
    case S::kId:
      return !text_.empty();
    default:
      return true;
  }
}

std::size_t NewPageWizard::TextLimit() const { return screen_ == S::kId ? kWizardIdDigits : 0; }

bool NewPageWizard::SetText(const std::string& text) {
  if (screen_ == S::kId && (text.size() > kWizardIdDigits || !AllDigits(text))) return false;
  text_ = text;
  return true;
}

bool NewPageWizard::KeyAllowed(char c) const {
  if (screen_ != S::kId) return true;
  return (c >= '0' && c <= '9') || c == '\b';
}

void NewPageWizard::SetChoice(int choice) {
  const int count = static_cast<int>(Choices().size());
  if (choice >= 0 && choice < count) choice_ = choice;
}

void NewPageWizard::SetMacroSelection(int index) {
  if (index >= 0 && index < static_cast<int>(macro_list_.size())) macro_selection_ = index;
}

void NewPageWizard::Show(WizardScreen screen) {
  screen_ = screen;
  choice_ = 0;
  macro_selection_ = 0;
}

WizardStep NewPageWizard::Next() {
  if (!NextEnabled()) return WizardStep::kStayed;
  switch (screen_) {
    case S::kTitle:
      values_.title = text_;
      return Go(S::kKind);
    case S::kBookLevel:
      values_.book_level = level_;
      return Go(S::kFinish);
    case S::kContext:
      if (model_.ContextInUse(LimitField(text_))) {
        prompter_.Information(Join("このコンテキストは他のページで使われています。",
                                   "違うコンテキストを入力してください。"));
        return WizardStep::kStayed;
      }
      values_.context = text_;
      return Go(S::kIdChoice);
    case S::kId: {
      const std::optional<std::int32_t> id = ParseContextIdText(text_);
      if (!id) return WizardStep::kStayed;
      if (model_.ContextIDInUse(*id)) {
        prompter_.Information(Join("このコンテキストＩＤは他のページで使われています。",
                                   "違うコンテキストＩＤを入力してください。"));
        return WizardStep::kStayed;
      }
      values_.context_id = *id;
      return Go(S::kKeywordChoice);
    }
    case S::kKeyword:
      values_.keyword = text_;
      return Go(S::kAKeywordChoice);
    case S::kAKeyword:
      values_.akeyword = text_;
      return Go(S::kMacro);
    case S::kMacro:
      values_.macro_choice = macro_selection_;
      return Go(S::kFinish);
    case S::kFinish:
      return CreatePage();
    default:
      return NextFromChoice();
  }
}

WizardStep NewPageWizard::NextFromChoice() {
  switch (screen_) {
    case S::kKind:
      if (choice_ == 2) {
        // A book never reaches the macro screen, so no earlier choice may
        // linger and run after it.
        values_.popup = false;
        values_.macro_choice = 0;
        return Go(S::kBookLevel);
      }
      // Likewise a level chosen on an earlier pass must not make this page
      // a book.
      values_.book_level = 0;
      values_.popup = choice_ == 1;
      return Go(S::kContextChoice);
    case S::kContextChoice:
      if (choice_ == 0) {
        values_.context.clear();
        return Go(S::kIdChoice);
      }
      text_.clear();
      return Go(S::kContext);
    case S::kIdChoice:
      if (choice_ == 0) {
        values_.context_id = -1;
        return Go(S::kKeywordChoice);
      }
      text_.clear();
      return Go(S::kId);
    case S::kKeywordChoice:
      if (choice_ == 2) {
        text_ = values_.keyword;
        return Go(S::kKeyword);
      }
      values_.keyword = choice_ == 0 ? values_.title : "";
      return Go(S::kAKeywordChoice);
    case S::kAKeywordChoice:
      if (choice_ == 1) {
        text_.clear();
        return Go(S::kAKeyword);
      }
      values_.akeyword = choice_ == 0 || !model_.ValidPage(model_.CurrentPage())
                             ? ""
                             : model_.GetField(model_.CurrentPage(), PageField::kAKeyword);
      return Go(S::kMacro);
    default:
      return WizardStep::kStayed;
  }
}

void NewPageWizard::Back() {
  switch (screen_) {
    case S::kKind:
      returned_to_start_ = true;
      text_ = values_.title;
      Show(S::kTitle);
      break;
    case S::kBookLevel:
      Show(S::kKind);
      break;
    case S::kContextChoice:
      values_.popup = false;
      Show(S::kKind);
      break;
    case S::kContext:
    case S::kIdChoice:
      Show(S::kContextChoice);
      break;
    case S::kId:
    case S::kKeywordChoice:
      Show(S::kIdChoice);
      break;
    case S::kKeyword:
    case S::kAKeywordChoice:
      Show(S::kKeywordChoice);
      break;
    case S::kAKeyword:
    case S::kMacro:
      Show(S::kAKeywordChoice);
      break;
    case S::kFinish:
      Show(values_.book_level != 0 ? S::kBookLevel : S::kMacro);
      break;
    case S::kTitle:
      break;
  }
}

WizardStep NewPageWizard::CreatePage() {
  result_ = {};
  result_.macro_index = values_.macro_choice - 1;
  if (model_.IsFull()) {
    prompter_.Warning(PageTableFullMessage());
    return WizardStep::kFinished;
  }
  if (values_.book_level > 0) {
    CreateBook();
  } else {
    CreateTopic();
  }
  if (result_.page_created) {
    const FileResult written = RefreshContextList(model_);
    if (!written) {
      prompter_.Error(ContextListWriteError(ContextListFileName(model_), written.error));
    }
  }
  return WizardStep::kFinished;
}

void NewPageWizard::Relevel(int page) {
  int level = values_.book_level;
  bool announced = false;
  for (int i = page + 1; i <= model_.PageCount(); ++i) {
    const PageAttribute attribute = model_.Page(i).Attribute;
    if (!IsBook(attribute)) continue;
    const int n = BookLevel(attribute);
    if (level >= n) break;
    // A book exactly one deeper already sits where it belongs; only a real
    // change is announced.
    if (n != level + 1 && !announced) {
      prompter_.Information(Sjis("ページ \"") + model_.Page(i).Title +
                            Sjis("\" より下の階層レベルを調整する必要があります") + "\r\n\r\n" +
                            Sjis("階層レベルを調整します。"));
      announced = true;
    }
    model_.MutablePage(i).Attribute = BookAttribute(level + 1);
    if (level != kMaxBookLevel) ++level;
  }
}

void NewPageWizard::CreateBook() {
  const PageRecord fresh = model_.MakeNewPage();
  PageCommandResult page =
      commands_.InsertPage(fresh.Context, values_.title, fresh.ContextID, false);
  if (!page.changed) return;
  const int created = page.current_page;
  Relevel(created);
  model_.SetAttribute(created, BookAttribute(values_.book_level));
  PageRecord& record = model_.MutablePage(created);
  record.Topic.clear();
  record.Keyword.clear();
  record.AKeyword.clear();
  record.BKeyword.clear();
  record.Window.clear();
  record.Macro.clear();
  model_.SetCurrentPage(created);
  model_.SetModified(true);

  page.tree_change = TreeChange::kRebuild;
  page.tree = commands_.tree_builder().Rebuild(model_);
  page.node_page = created;
  page.show_page = true;
  page.focus_editor = true;
  result_.page = std::move(page);
  result_.page_created = true;
}

void NewPageWizard::CreateTopic() {
  const PageRecord fresh = model_.MakeNewPage();
  const std::string context = values_.context.empty() ? fresh.Context : values_.context;
  const std::int32_t id = values_.context_id == -1 ? fresh.ContextID : values_.context_id;
  PageCommandResult page = commands_.InsertPage(context, values_.title, id, true);
  if (!page.changed) return;
  PageRecord& record = model_.MutablePage(page.current_page);
  record.Keyword = LimitField(values_.keyword);
  record.AKeyword = LimitField(values_.akeyword);
  record.BKeyword.clear();
  record.Window.clear();
  record.Macro.clear();
  // A fresh page has no topic text, so turning it into a popup loses
  // nothing and needs no question.
  record.Attribute = values_.popup ? kPopupPage : kTopicPage;
  page.show_page = true;
  page.focus_editor = true;
  result_.page = std::move(page);
  result_.page_created = true;
}

}  // namespace qy
