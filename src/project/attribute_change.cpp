#include "project/attribute_change.h"

#include "core/codec.h"

namespace qy {

namespace {

AttributeChange ResultFor(PageAttribute new_kind) {
  return IsBook(new_kind) ? AttributeChange::kRebuild : AttributeChange::kImage;
}

const char* TargetPhrase(PageAttribute new_kind) {
  if (IsBook(new_kind)) return " > をブック属性にしようとしています。";
  switch (new_kind) {
    case kPopupPage:
      return " > をポップアップ属性にしようとしています。";
    case kContentPage:
      return " > をコンテント属性にしようとしています。";
    case kIncludePage:
      return " > をインクルード属性にしようとしています。";
    default:
      return " > をトピック属性にしようとしています。";
  }
}

}  // namespace

AttributeChangePlan PlanAttributeChange(PageAttribute old_kind, bool has_topic_text,
                                        PageAttribute new_kind) {
  if (old_kind == new_kind) return {AttributeChange::kNothing, std::nullopt};
  if (IsBook(old_kind)) {
    if (IsBook(new_kind)) return {AttributeChange::kLevels, std::nullopt};
    return {AttributeChange::kRebuild, Sjis("ブック属性は解除されます。")};
  }
  switch (old_kind) {
    case kTopicPage:
    case kPopupPage:
      if (has_topic_text && !IsHelpTopic(new_kind)) {
        return {ResultFor(new_kind), Sjis("トピックの内容はすべて失われます。")};
      }
      break;
    case kContentPage:
      if (has_topic_text) {
        return {ResultFor(new_kind), Sjis("ヘルプマクロの内容はすべて失われます。")};
      }
      break;
    case kIncludePage:
      return {ResultFor(new_kind), Sjis("インクルード属性は解除されます。")};
    default:
      break;
  }
  return {ResultFor(new_kind), std::nullopt};
}

std::string AttributeChangeQuestion(const std::string& title, PageAttribute new_kind,
                                    const std::string& loss) {
  return Sjis("ページ < ") + title + Sjis(TargetPhrase(new_kind)) + "\r\n" + loss +
         Sjis("続行しますか？");
}

std::string PageKindLabel(const PageRecord& page) {
  if (IsBook(page.Attribute)) {
    return Sjis("ブック属性 [レベル ") + std::to_string(BookLevel(page.Attribute)) + "]";
  }
  const std::string window = page.Window.empty() ? Sjis("デフォルト") : page.Window;
  switch (page.Attribute) {
    case kPopupPage:
      return Sjis("ポップアップ属性 ： ") + window;
    case kContentPage:
      return Sjis("コンテント属性");
    case kIncludePage:
      return Sjis("インクルード属性");
    default:
      return Sjis("トピック属性 ： ") + window;
  }
}

}  // namespace qy
