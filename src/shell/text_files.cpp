#include "shell/text_files.h"

#include "core/codec.h"
#include "core/cp932.h"
#include "core/native_path.h"

namespace qy {

namespace {

std::string TextFileFailedMessage(const std::string& file, const std::string& what,
                                  const std::string& reason) {
  return "\r\n" + Sjis("テキストファイル ") + "\"" + PathToSjis(file) + "\"" + Sjis(what) +
         "\r\n\r\n" + Sjis("理由 : ") + PathToSjis(reason);
}

}  // namespace

FileDialogOptions OpenTextDialogOptions() {
  FileDialogOptions options;
  options.title = Sjis("テキストの読み込み");
  options.filter = Sjis("テキストファイル (*.txt)|*.txt|すべてのファイル (*.*)|*.*");
  options.default_extension = "txt";
  options.must_exist = true;
  return options;
}

std::string TextFileLines(const std::string& data) {
  std::string text;
  for (const std::string& line : SplitLines(data)) {
    text += line;
    text += kCrLf;
  }
  return text;
}

bool InsertTextFile(Editor& editor, const std::string& file, Prompter& prompter) {
  std::string why;
  std::optional<std::string> data = ReadWholeFile(file, &why);
  if (!data) {
    prompter.Error(TextFileFailedMessage(file, " を読み込めませんでした。", why));
    return false;
  }
  editor.SetSelText(TextFileLines(*data));
  return true;
}

bool OpenText(Editor& editor, FileChooser& chooser, Prompter& prompter) {
  std::optional<std::string> file = chooser.ChooseOpenFile(OpenTextDialogOptions());
  if (!file) return false;
  return InsertTextFile(editor, *file, prompter);
}

std::string TopicTextFileName(const ProjectModel& model, int page) {
  const std::string context = PathFromSjis(model.Page(page).Context);
  if (context.find('/') != std::string::npos || context.find('\\') != std::string::npos) {
    return "";
  }
  const std::string& project = model.ProjectFileName();
  return FolderOf(project) + BaseNameOf(project) + context + ".txt";
}

bool SaveText(const ProjectModel& model, Prompter& prompter) {
  const int page = model.CurrentPage();
  if (!model.ValidPage(page)) return false;
  const std::string file = TopicTextFileName(model, page);
  if (file.empty()) {
    prompter.Error(TextFileFailedMessage(PathFromSjis(model.Page(page).Context) + ".txt",
                                         " を書き込めませんでした。",
                                         "the context can not be part of a file name"));
    return false;
  }
  FileResult written = WriteFileAtomic(file, model.Page(page).Topic + std::string(kCrLf));
  if (!written) {
    prompter.Error(TextFileFailedMessage(file, " を書き込めませんでした。", written.error));
    return false;
  }
  return true;
}

}  // namespace qy
