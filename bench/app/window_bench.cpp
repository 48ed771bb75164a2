// The desktop window's interactive paths on large projects: opening a full
// 999-page project, switching between two pages with 1 MB topics, and typing
// a character at the end of a 1 MB topic. Runs without a display
// (QT_QPA_PLATFORM=offscreen is set when nothing else is).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/topic_editor.h"
#include "core/codec.h"
#include "core/files.h"
#include "project/project_file.h"
#include "project/project_model.h"
#include "support/fakes.h"

namespace {

using qy::app::MainWindow;
using qy::app::MainWindowOptions;

struct Window {
  Window() {
    options.program_folder = folder.path();
    options.settings_path = folder.File("quillory.ini");
    options.key_file_path = folder.File("quillory.kst");
    options.toolbar_file_path = folder.File("quillory.bar");
    options.prompter = &prompter;
    window = std::make_unique<MainWindow>(options);
    window->show();
  }
  qy::testing::TempDir folder;
  qy::testing::FakePrompter prompter;
  MainWindowOptions options;
  std::unique_ptr<MainWindow> window;
};

std::string Topic(std::size_t bytes) {
  const std::string line = qy::Sjis("ヘルプの本文です。{\\b 太字} と {\\uldb ジャンプ}{\\v HLP000002}。") +
                           " ASCII text too.";
  std::string topic;
  while (topic.size() < bytes) {
    if (!topic.empty()) topic += "\r\n";
    topic += line;
  }
  return topic;
}

std::string WriteProject(const std::string& folder, std::size_t topic_bytes, int pages) {
  qy::ProjectModel model;
  model.NewProject(folder);
  model.ClearPages();
  const std::string topic = Topic(topic_bytes);
  for (int p = 1; p <= pages; ++p) {
    qy::PageRecord page;
    page.Context = qy::NumberedContext(p);
    page.ContextID = p;
    page.Title = qy::Sjis("ページ ") + std::to_string(p);
    page.Topic = topic;
    model.AppendPage(std::move(page));
  }
  std::string file = folder + "big.qyp";
  qy::WriteProjectFile(model, file);
  return file;
}

void OpenFullProject(benchmark::State& state) {
  Window w;
  const std::string file = WriteProject(w.folder.path(), 10 * 1024, qy::kMaxPages);
  for (auto _ : state) {
    w.window->OpenFromCommandLine(file);
    QApplication::processEvents();
  }
}
BENCHMARK(OpenFullProject)->Unit(benchmark::kMillisecond);

void SwitchBetweenTwoLargePages(benchmark::State& state) {
  Window w;
  w.window->OpenFromCommandLine(WriteProject(w.folder.path(), 1 << 20, 2));
  qy::CommandId command = qy::kCmdPageNext;  // next page, then previous page
  for (auto _ : state) {
    w.window->RunCommand(command);
    command = command == qy::kCmdPageNext ? qy::kCmdPageBack : qy::kCmdPageNext;
    QApplication::processEvents();
  }
}
BENCHMARK(SwitchBetweenTwoLargePages)->Unit(benchmark::kMillisecond);

void TypeAtTheEndOfALargeTopic(benchmark::State& state) {
  Window w;
  w.window->OpenFromCommandLine(WriteProject(w.folder.path(), 1 << 20, 1));
  qy::app::TopicEditor* editor = w.window->editor_widget();
  editor->moveCursor(QTextCursor::End);
  for (auto _ : state) {
    QTest::keyClick(editor, Qt::Key_A);
    QApplication::processEvents();
  }
}
BENCHMARK(TypeAtTheEndOfALargeTopic)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
