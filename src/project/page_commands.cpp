#include "project/page_commands.h"

#include <algorithm>
#include <utility>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/settings_keys.h"
#include "project/context_list.h"
#include "project/free_context.h"
#include "project/opt_out_confirm.h"
#include "project/page_clipboard.h"

namespace qy {

namespace {

std::string Refusal(const char* utf8) { return "\r\n" + Sjis(utf8); }

std::string DeleteQuestion(const std::string& title, const char* action) {
  return Sjis("ページ < ") + title + Sjis(action) +
         Sjis("\r\n削除したページは元に戻せません。続行しますか？");
}

}  // namespace

std::string PageTableFullMessage() {
  return Sjis("ページが") + std::to_string(kMaxPages) + Sjis("個あります。") + "\r\n\r\n" +
         Sjis("これ以上ページを作成できません。");
}

PageCommands::PageCommands(ProjectModel& model, Prompter& prompter, Clipboard& clipboard,
                           Settings& settings)
    : model_(model),
      prompter_(prompter),
      clipboard_(clipboard),
      settings_(settings),
      tree_builder_(prompter) {}

bool PageCommands::RefuseWhenFull() {
  if (!model_.IsFull()) return false;
  prompter_.Warning(PageTableFullMessage());
  return true;
}

bool PageCommands::ConfirmDelete(const std::string& text) {
  return ConfirmWithOptOut(prompter_, settings_, keys::kOptionDelConfirm,
                           Sjis(kDeleteConfirmCaption), text);
}

PageCommandResult PageCommands::Rebuild(PageCommandResult result) {
  result.tree_change = TreeChange::kRebuild;
  result.tree = tree_builder_.Rebuild(model_);
  return result;
}

PageCommandResult PageCommands::Place(PageCommandResult result) {
  result.tree = BuildPageTree(model_);
  if (result.tree_change == TreeChange::kInsertNode ||
      result.tree_change == TreeChange::kMoveNode) {
    result.parent_page = result.tree.ParentOf(result.node_page);
    const std::vector<int>& siblings = result.tree.ChildrenOf(result.parent_page);
    result.child_index = static_cast<int>(
        std::find(siblings.begin(), siblings.end(), result.node_page) - siblings.begin());
  }
  return result;
}

void PageCommands::Finish(PageCommandResult& result) {
  result.changed = true;
  model_.SetModified(true);
  const FileResult written = RefreshContextList(model_);
  if (!written) prompter_.Error(ContextListWriteError(ContextListFileName(model_), written.error));
}

PageCommandResult PageCommands::InsertPage(const std::string& context, const std::string& title,
                                           std::int32_t context_id, bool update_tree) {
  PageCommandResult result;
  if (model_.IsFull() || context.empty()) return result;
  const int count = model_.PageCount();
  const int after = count == 0 ? 0 : std::clamp(model_.CurrentPage(), 1, count);
  PageRecord page;
  page.Context = LimitField(context);
  page.Title = LimitField(title);
  page.ContextID = context_id;
  page.Attribute = kTopicPage;
  model_.InsertPage(after + 1, std::move(page));
  model_.SetCurrentPage(after + 1);
  model_.SetModified(true);

  result.changed = true;
  result.current_page = after + 1;
  result.node_page = after + 1;
  if (!update_tree) return result;
  result.tree_change = TreeChange::kInsertNode;
  return Place(std::move(result));
}

PageCommandResult PageCommands::NewPageCommand() {
  if (OutInEditor() || RefuseWhenFull()) return {};
  const PageRecord fresh = model_.MakeNewPage();
  PageCommandResult result = InsertPage(fresh.Context, fresh.Title, fresh.ContextID);
  if (!result.changed) return result;
  result.show_page = true;
  result.focus_editor = true;
  result.open_properties = settings_.GetBool(keys::kOptionPageProp);
  Finish(result);
  return result;
}

PageCommandResult PageCommands::RemoveCurrentPage(bool notify_history) {
  const int current = model_.CurrentPage();
  const PageRecord removed = model_.Page(current);
  if (notify_history && on_page_deleted) on_page_deleted(removed);
  model_.RemovePage(current);
  model_.SetCurrentPage(current - 1);

  PageCommandResult result;
  result.current_page = current - 1;
  result.show_page = true;
  if (IsBook(removed.Attribute)) return Rebuild(std::move(result));
  result.tree_change = TreeChange::kRemoveNode;
  result.node_page = current;
  return Place(std::move(result));
}

PageCommandResult PageCommands::DeletePage() {
  if (OutInEditor() || !HasCurrentPage()) return {};
  const int current = model_.CurrentPage();
  if (current == 1) {
    prompter_.Information(Refusal("先頭のページは削除できません。"));
    return {};
  }
  if (!ConfirmDelete(DeleteQuestion(model_.Page(current).Title, " > を削除しようとしています。"))) {
    return {};
  }
  PageCommandResult result = RemoveCurrentPage(true);
  Finish(result);
  return result;
}

PageCommandResult PageCommands::MovePage(int from, int to) {
  const bool book = IsBook(model_.Page(from).Attribute);
  model_.SwapPages(from, to);
  model_.SetCurrentPage(to);
  PageCommandResult result;
  result.current_page = to;
  if (book) {
    result = Rebuild(std::move(result));
  } else {
    result.tree_change = TreeChange::kMoveNode;
    result.from_page = from;
    result.node_page = to;
    result = Place(std::move(result));
  }
  Finish(result);
  return result;
}

PageCommandResult PageCommands::MovePageUp() {
  if (!HasCurrentPage()) return {};
  const int current = model_.CurrentPage();
  if (current == 1) {
    prompter_.Information(Refusal("先頭のページは移動できません。"));
    return {};
  }
  if (current == 2) {
    prompter_.Information("\r\n" + model_.Page(2).Context + Sjis(" は先頭には移動できません。"));
    return {};
  }
  return MovePage(current, current - 1);
}

PageCommandResult PageCommands::MovePageDown() {
  if (!HasCurrentPage()) return {};
  const int current = model_.CurrentPage();
  if (current == 1) {
    prompter_.Information(Refusal("先頭のページは移動できません。"));
    return {};
  }
  if (current == model_.PageCount()) {
    prompter_.Information("\r\n" + model_.Page(current).Context +
                          Sjis(" は最下部にあるため移動できません。"));
    return {};
  }
  return MovePage(current, current + 1);
}

bool PageCommands::CopyPage() {
  if (!HasCurrentPage()) return false;
  clipboard_.SetText(PageClipboardText(model_.Page(model_.CurrentPage())));
  return true;
}

PageCommandResult PageCommands::CutPage() {
  if (OutInEditor() || !HasCurrentPage()) return {};
  const int current = model_.CurrentPage();
  if (current == 1) {
    prompter_.Information(Refusal("先頭のページは切り取れません。"));
    return {};
  }
  if (!ConfirmDelete(DeleteQuestion(model_.Page(current).Title, " > を切り取ろうとしています。"))) {
    return {};
  }
  CopyPage();
  PageCommandResult result = RemoveCurrentPage(true);
  Finish(result);
  return result;
}

PageCommandResult PageCommands::PastePage() {
  if (OutInEditor() || RefuseWhenFull()) return {};
  std::optional<ClipboardPage> pasted = ParsePageClipboard(clipboard_.GetText());
  if (!pasted) return {};
  PageRecord& page = pasted->page;

  // A context without text would end the page list, so it counts as taken.
  const std::string context = page.Context.empty() || model_.ContextInUse(page.Context)
                                  ? UnusedContextFromTwo(model_)
                                  : page.Context;
  const std::int32_t id = !pasted->id_valid || model_.ContextIDInUse(page.ContextID)
                              ? UnusedContextIDFromTwo(model_)
                              : page.ContextID;
  PageCommandResult result = InsertPage(context, page.Title, id, false);
  if (!result.changed) return result;

  PageRecord& stored = model_.MutablePage(result.current_page);
  page.Context = stored.Context;
  page.Title = stored.Title;
  page.ContextID = stored.ContextID;
  stored = std::move(page);

  result.show_page = true;
  if (IsBook(stored.Attribute)) {
    result = Rebuild(std::move(result));
  } else {
    result.tree_change = TreeChange::kInsertNode;
    result = Place(std::move(result));
  }
  Finish(result);
  return result;
}

PageCommandResult PageCommands::DropPage(int target_page) {
  if (!HasCurrentPage() || !model_.ValidPage(target_page)) return {};
  const int current = model_.CurrentPage();
  if (current == 1) {
    prompter_.Information(Refusal("先頭のページは移動できません。"));
    return {};
  }
  if (target_page == current || target_page == current - 1) return {};

  PageRecord moved = model_.Page(current);
  model_.RemovePage(current);
  const int target = target_page > current ? target_page - 1 : target_page;
  const int placed = target + 1;
  const bool book = IsBook(moved.Attribute);
  model_.InsertPage(placed, std::move(moved));
  model_.SetCurrentPage(placed);

  PageCommandResult result;
  result.current_page = placed;
  result.show_page = true;
  if (book) {
    result = Rebuild(std::move(result));
  } else {
    result.tree_change = TreeChange::kMoveNode;
    result.from_page = current;
    result.node_page = placed;
    result = Place(std::move(result));
  }
  Finish(result);
  return result;
}

AttributeChange PageCommands::ConfirmAttributeChange(PageAttribute new_kind) {
  if (!HasCurrentPage()) return AttributeChange::kRefused;
  const PageRecord& page = model_.Page(model_.CurrentPage());
  const AttributeChangePlan plan =
      PlanAttributeChange(page.Attribute, !page.Topic.empty(), new_kind);
  if (!plan.loss) return plan.result;
  const std::string question = AttributeChangeQuestion(page.Title, new_kind, *plan.loss);
  if (!ConfirmWithOptOut(prompter_, settings_, keys::kOptionAttrConfirm,
                         Sjis(kAttributeChangeCaption), question)) {
    return AttributeChange::kRefused;
  }
  return plan.result;
}

ConfirmKindChange PageCommands::KindChangeConfirmation() {
  return [this](PageAttribute new_kind) {
    return ConfirmAttributeChange(new_kind) != AttributeChange::kRefused;
  };
}

PageCommandResult PageCommands::ChangePageAttribute(PageAttribute new_kind) {
  if (!HasCurrentPage()) return {};
  const int current = model_.CurrentPage();
  if (model_.Page(current).Attribute == new_kind) return {};
  const AttributeChange change = ConfirmAttributeChange(new_kind);
  if (change == AttributeChange::kRefused || change == AttributeChange::kNothing) return {};

  model_.SetAttribute(current, new_kind);
  PageCommandResult result;
  result.current_page = current;
  if (new_kind >= kContentPage) {
    model_.MutablePage(current).Topic.clear();
    result.topic_cleared = true;
  }
  if (change == AttributeChange::kImage) {
    result.tree_change = TreeChange::kRefreshNode;
    result.node_page = current;
    result = Place(std::move(result));
  } else {
    result = Rebuild(std::move(result));
  }
  Finish(result);
  return result;
}

}  // namespace qy
