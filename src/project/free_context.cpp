#include "project/free_context.h"

#include <unordered_set>

namespace qy {

// The stored second search gives count+1 even when that is taken; a page
// that is pasted or renumbered without a dialog to refuse it must not end up
// sharing its context or ID.
std::string UnusedContextFromTwo(const ProjectModel& model) {
  std::string context = model.SecondFreeContext();
  if (model.PageCount() == 0) return context;
  for (int n = model.PageCount() + 2; model.ContextInUse(context); ++n) {
    context = NumberedContext(n);
  }
  return context;
}

std::int32_t UnusedContextIDFromTwo(const ProjectModel& model) {
  std::unordered_set<std::int32_t> used;
  for (const PageRecord& page : model.Pages()) used.insert(page.ContextID);
  std::int32_t id = 2;
  while (used.count(id) != 0) ++id;
  return id;
}

}  // namespace qy
