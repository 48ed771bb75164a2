#include "export/page_frame.h"

#include "export/page_render.h"

namespace qy::help_export {

std::string FramePage(const std::string& title_utf8, const std::string& body, Flavor flavor,
                      const std::string& start_script) {
  const bool site = flavor == Flavor::kSite;
  std::string out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n";
  out += site ? "<meta charset=\"utf-8\">\n"
              : "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">\n";
  out += "<title>" + EscapeHtml(title_utf8) +
         "</title>\n<link rel=\"stylesheet\" href=\"quillory.css\">\n";
  if (site) out += "<script src=\"contents.js\"></script>\n";
  out += "<script src=\"quillory.js\"></script>\n</head>\n";
  // A bare <body>: chmcmd's full-text indexer skips the whole page when the
  // tag has attributes, so the start script runs from the page's end.
  out += "<body>\n";
  if (site) {
    out +=
        "<div id=\"qy-nav\"><div class=\"qy-bar\"><a href=\"keywords.html\">索引</a>"
        "<a href=\"search.html\">検索</a></div><div id=\"qy-nav-tree\"></div></div>\n";
  }
  out += std::string("<div id=\"qy-main\" class=\"") + (site ? "qy-site" : "qy-chm") + "\">\n";
  return out + body + "</div>\n<script>" + start_script + "</script>\n</body>\n</html>\n";
}

}  // namespace qy::help_export
