#include "project/page_acceptance.h"

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {

namespace {

constexpr std::size_t kMaxIdDigits = 9;

bool StartsWithHlp(const std::string& context) {
  return context.size() >= 3 &&
         EqualsIgnoreAsciiCase(std::string_view(context).substr(0, 3), "HLP");
}

// A context starting with "HLP" is reserved for the numbered form HLP000nnn.
bool WellFormedHlpContext(const std::string& context) {
  return context.size() == 9 && context.compare(3, 3, "000") == 0;
}

const std::string& TitleOf(const PagePropertiesInput& input) {
  return input.attribute == kIncludePage ? input.include_file : input.title;
}

}  // namespace

std::optional<std::int32_t> ParseContextIdText(const std::string& id_text) {
  if (id_text.empty() || id_text.size() > kMaxIdDigits) return std::nullopt;
  std::int32_t value = 0;
  for (char c : id_text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');  // 9 digits always fit
  }
  return value;
}

std::optional<PageCheckFailure> FirstFailedPageCheck(const ProjectModel& model, int current_page,
                                                     const PagePropertiesInput& input) {
  using B = CheckedBox;
  const std::string context = LimitField(input.context);
  if (context.empty()) {
    return PageCheckFailure{
        Sjis("\r\nページのコンテキスト（トピックＩＤ）は必ず設定してください。"), B::kContext};
  }
  const std::optional<std::int32_t> id = ParseContextIdText(input.id_text);
  if (!id) {
    return PageCheckFailure{Sjis("\r\nページのコンテキストＩＤ（番号）は必ず設定してください。"),
                            B::kContextId};
  }
  if (input.attribute == kIncludePage) {
    if (input.include_file.empty()) {
      return PageCheckFailure{Sjis("\r\nインクルードするファイル名は必ず入力してください。"),
                              B::kIncludeFile};
    }
  } else if (input.title.empty()) {
    return PageCheckFailure{Sjis("\r\nページのタイトルは必ず設定してください。"), B::kTitle};
  }
  if (StartsWithHlp(context) && !WellFormedHlpContext(context)) {
    return PageCheckFailure{Sjis("\r\n「HLP」ではじまるコンテキスト（トピックＩＤ）は正しい形じゃな"
                                 "いと設定できません。"),
                            B::kContext};
  }
  if (model.ContextInUse(context, current_page)) {
    return PageCheckFailure{
        Sjis("\r\nコンテキスト 「") + context + Sjis("」 はすでに他のページで使用されています。"),
        B::kContext};
  }
  if (model.ContextIDInUse(*id, current_page)) {
    return PageCheckFailure{Sjis("\r\nコンテキストＩＤ 「") + input.id_text +
                                Sjis("」 はすでに他のページで使用されています。"),
                            B::kContextId};
  }
  return std::nullopt;
}

std::optional<std::string> CheckPageProperties(const ProjectModel& model, int current_page,
                                               const PagePropertiesInput& input) {
  std::optional<PageCheckFailure> failure = FirstFailedPageCheck(model, current_page, input);
  if (!failure) return std::nullopt;
  return std::move(failure->message);
}

std::optional<PagePropertiesOutcome> ApplyPageProperties(ProjectModel& model, int current_page,
                                                         const PagePropertiesInput& input,
                                                         const ConfirmKindChange& confirm) {
  if (!model.ValidPage(current_page)) return std::nullopt;
  if (CheckPageProperties(model, current_page, input)) return std::nullopt;

  const PageAttribute old_kind = model.Page(current_page).Attribute;
  const PageAttribute new_kind = input.attribute;
  const bool kind_changed = new_kind != old_kind;
  if (kind_changed && confirm && !confirm(new_kind)) return std::nullopt;

  PagePropertiesOutcome outcome;
  outcome.kind_changed = kind_changed;
  outcome.rebuild_tree = IsBook(old_kind) || IsBook(new_kind);

  // SetAttribute empties the fields the new kind has no use for (the topic of
  // an Include page or a book among them). A page that becomes a Content page
  // starts with an empty macro text, but one that stays a Content page keeps
  // its macro text.
  model.SetAttribute(current_page, new_kind);
  PageRecord& page = model.MutablePage(current_page);
  if (new_kind >= kContentPage && (kind_changed || !HasTopicText(new_kind))) {
    page.Topic.clear();
    outcome.topic_cleared = true;
  }

  model.SetField(current_page, PageField::kContext, input.context);
  model.SetContextID(current_page, *ParseContextIdText(input.id_text));
  model.SetField(current_page, PageField::kTitle, TitleOf(input));
  if (IsHelpTopic(new_kind)) {
    model.SetField(current_page, PageField::kKeyword, input.keyword);
    model.SetField(current_page, PageField::kAKeyword, input.akeyword);
    model.SetField(current_page, PageField::kBKeyword, input.bkeyword);
    model.SetField(current_page, PageField::kWindow, input.window);
    model.SetField(current_page, PageField::kMacro, input.macro);
  }
  outcome.history_context = page.Context;
  model.SetModified(true);
  return outcome;
}

std::optional<PagePropertiesOutcome> AcceptPageProperties(ProjectModel& model, int current_page,
                                                          const PagePropertiesInput& input,
                                                          Prompter& prompter,
                                                          const ConfirmKindChange& confirm) {
  if (std::optional<std::string> failure = CheckPageProperties(model, current_page, input)) {
    prompter.Information(*failure);
    return std::nullopt;
  }
  return ApplyPageProperties(model, current_page, input, confirm);
}

}  // namespace qy
