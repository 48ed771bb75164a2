#include "generated_project.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <utility>

#include "core/codec.h"
#include "core/files.h"
#include "project/project_file.h"

namespace qy::bench {

namespace {

const std::string& Stem() {
  static const std::string stem = TempFolder() + "/qy_bench_" + std::to_string(::getpid());
  return stem;
}

// Every path handed out, removed at exit.
std::vector<std::string>& Paths() {
  static std::vector<std::string> paths;
  return paths;
}

void RemoveAll() {
  for (const std::string& path : Paths()) RemoveFile(path);
}

}  // namespace

std::string GeneratedTopic(int page) {
  const std::string next = NumberedContext(page % kMaxPages + 1);
  const std::string line = Sjis("ヘルプの本文です。{\\b 太字} と {\\uldb ジャンプ}{\\v ") + next +
                           Sjis("} と {\\ul ポップアップ}{\\v HLP000005} を含みます。") +
                           " Plain ASCII text follows, number " + std::to_string(page) + ".";
  std::string topic;
  for (int n = 0; topic.size() < 10 * 1024; ++n) {
    if (!topic.empty()) topic += "\r\n";
    topic += line;
    if (n % 9 == 4) topic += "{\\uldb x}{\\v !JumpID(\"\", `" + next + "')}";
    if (n % 17 == 8) topic += "{\\uldb y}{\\v MISSING" + std::to_string(n) + "}";
  }
  return topic;
}

const std::vector<std::string>& GeneratedTopics() {
  static const std::vector<std::string> topics = [] {
    std::vector<std::string> all;
    for (int p = 1; p <= kMaxPages; ++p) all.push_back(GeneratedTopic(p));
    return all;
  }();
  return topics;
}

const ProjectModel& GeneratedProject() {
  static const ProjectModel* project = [] {
    auto* model = new ProjectModel;
    model->ClearProject();
    const std::vector<std::string>& topics = GeneratedTopics();
    for (int p = 1; p <= kMaxPages; ++p) {
      PageRecord page;
      page.Attribute = p % 50 == 1 ? BookAttribute(1) : (p % 7 == 0 ? kPopupPage : kTopicPage);
      page.Context = NumberedContext(p);
      page.ContextID = p;
      page.Title = Sjis("ページ ") + std::to_string(p);
      page.Keyword = Sjis("キーワード;索引");
      page.Topic = topics[static_cast<std::size_t>(p) - 1];
      model->AppendPage(std::move(page));
    }
    model->SetProjectFileName(GeneratedPath(".qyp"));
    // The build writers' files land beside it.
    for (const char* ext : {".hpj", ".cnt", ".hh", ".rtf"}) GeneratedPath(ext);
    return model;
  }();
  return *project;
}

const std::string& GeneratedProjectFile() {
  static const std::string path = [] {
    const std::string file = GeneratedPath(".qyp");
    if (!WriteProjectFile(GeneratedProject(), file)) std::abort();
    return file;
  }();
  return path;
}

std::string GeneratedPath(const std::string& extension) {
  static std::once_flag registered;
  // The list exists before the handler is registered, so it outlives it.
  std::call_once(registered, [] {
    Paths();
    std::atexit(RemoveAll);
  });
  std::string path = Stem() + extension;
  Paths().push_back(path);
  return path;
}

}  // namespace qy::bench
