#include "cli/page_argument.h"

namespace qy::cli {

bool ParsePageArgument(std::string_view command, const std::string& text, std::ostream& err,
                       int* page) {
  if (ParseDecimal(text, page)) return true;
  err << "quillory-cli " << command << ": the page number \"" << text << "\" is not a number\n";
  return false;
}

bool CheckPageExists(std::string_view command, const std::string& page_text, int page,
                     const ProjectModel& model, const std::string& project_file,
                     std::ostream& err) {
  if (model.ValidPage(page)) return true;
  err << "quillory-cli " << command << ": page " << page_text << " does not exist; " << project_file
      << " has " << model.PageCount() << (model.PageCount() == 1 ? " page" : " pages") << " (1.."
      << model.PageCount() << ")\n";
  return false;
}

}  // namespace qy::cli
