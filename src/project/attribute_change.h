// Changing a page's kind: which changes lose data and must be confirmed, and
// what the page tree has to do afterwards.
#pragma once

#include <optional>
#include <string>

#include "project/page_record.h"

namespace qy {

// The outcome of a kind-change decision. The numbers are the ones the
// command code has always used.
enum class AttributeChange {
  kRefused = 0,  // the user said No: nothing changes
  kImage = 1,    // only the node's image changes
  kRebuild = 2,  // a book appears or disappears: rebuild the tree
  kLevels = 3,   // a book changes its level: rebuild the tree
  kNothing = 9,  // the page already has that kind
};

// The decision for a page of kind `old_kind` (with or without topic text)
// becoming `new_kind`, before any question: the result when the change goes
// ahead and, when the change loses something, the sentence that says what
// ("トピックの内容はすべて失われます。" and the like, Shift-JIS).
struct AttributeChangePlan {
  AttributeChange result = AttributeChange::kNothing;
  std::optional<std::string> loss;
};
AttributeChangePlan PlanAttributeChange(PageAttribute old_kind, bool has_topic_text,
                                        PageAttribute new_kind);

// The question put before a change that loses something (Shift-JIS):
// "ページ < title > を…属性にしようとしています。" CR LF loss "続行しますか？".
std::string AttributeChangeQuestion(const std::string& title, PageAttribute new_kind,
                                    const std::string& loss);

inline constexpr char kAttributeChangeCaption[] = "Quillory - ページ属性の変更確認";

// The kind label of the keyword bar: "トピック属性 ： " or "ポップアップ属性 ： "
// followed by the window name ("デフォルト" when none), "コンテント属性",
// "インクルード属性" or "ブック属性 [レベル n]" (Shift-JIS).
std::string PageKindLabel(const PageRecord& page);

}  // namespace qy
