// Golden pages of the export, one pair per feature in data/export:
// NAME.txt holds a page's topic text (UTF-8 here, Shift-JIS in the project),
// NAME.html the page's main part as the site writes it, followed by the
// notes the export made. The project around the page is fixed: a topic
// HLP000002, a popup HLP000003 and a Topic page with the keyword 索引語.
// QY_UPDATE_GOLDEN=1 rewrites the expected files (review the diff).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec.h"
#include "export/page_render.h"
#include "export/site_plan.h"
#include "project/project_model.h"

namespace qy::help_export {
namespace {

const std::filesystem::path kFolder = std::filesystem::path(QY_TEST_DATA_DIR) / "export";

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

PageRecord Page(const char* context, const char* title, PageAttribute kind, const char* topic,
                int id) {
  PageRecord page;
  page.Context = context;
  page.Title = Sjis(title);
  page.Attribute = kind;
  page.Topic = topic;
  page.ContextID = id;
  return page;
}

std::string ExportedMain(const std::string& topic_utf8) {
  std::string topic;
  for (char c : Sjis(topic_utf8)) {
    if (c == '\n') topic += '\r';
    topic += c;
  }
  while (topic.size() >= 2 && topic.compare(topic.size() - 2, 2, "\r\n") == 0)
    topic.resize(topic.size() - 2);
  ProjectModel project;
  project.ClearPages();
  project.AppendPage(Page("HLP000001", "試験", kTopicPage, topic.c_str(), 1));
  project.AppendPage(Page("HLP000002", "行き先", kTopicPage, Sjis("二番目のページ。").c_str(), 2));
  project.AppendPage(Page("HLP000003", "用語", kPopupPage, Sjis("用語の説明。").c_str(), 3));
  PageRecord keyworded = Page("HLP000004", "索引先", kTopicPage, "", 4);
  keyworded.Keyword = Sjis("索引語");
  project.AppendPage(keyworded);
  const SitePlan plan = PlanSite(project);
  PageRenderer renderer(project, plan, Flavor::kSite);
  const std::string page = renderer.PageDocument(0);
  const std::size_t start = page.find("<div id=\"qy-main\"");
  const std::size_t end = page.find("</div>\n<script>qyInit");
  std::string main = page.substr(start, end - start);
  for (const std::string& note : renderer.Notes()) main += "note: " + Cp932ToUtf8(note) + "\n";
  return main;
}

TEST(ExportMarkupGolden, EveryGroupMatches) {
  int groups = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kFolder)) {
    if (entry.path().extension() != ".txt") continue;
    ++groups;
    std::filesystem::path expected_path = entry.path();
    expected_path.replace_extension(".html");
    const std::string actual = ExportedMain(ReadText(entry.path()));
    if (std::getenv("QY_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(expected_path, std::ios::binary) << actual;
      continue;
    }
    EXPECT_EQ(ReadText(expected_path), actual) << "group " << entry.path().stem();
  }
  EXPECT_GE(groups, 5);
}

}  // namespace
}  // namespace qy::help_export
