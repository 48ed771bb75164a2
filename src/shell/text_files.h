// Plain text in and out of the topic: a text file inserted at the editor's
// selection, and the current page's topic saved as a text file beside the
// project.
#pragma once

#include <string>

#include "core/editor.h"
#include "core/files.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "project/project_model.h"

namespace qy {

// The open dialog of "テキストの読み込み(&T)...".
FileDialogOptions OpenTextDialogOptions();

// A file's bytes as the editor receives them: every line, ended by CR LF,
// by CR or by LF, followed by CR LF. An empty file gives an empty text.
std::string TextFileLines(const std::string& data);

// Asks for a text file and inserts its lines at the editor's selection,
// replacing it. False when cancelled or the file could not be read (then
// reported).
bool OpenText(Editor& editor, FileChooser& chooser, Prompter& prompter);
// The same for a chosen file.
bool InsertTextFile(Editor& editor, const std::string& file, Prompter& prompter);

// The file the topic of `page` is saved to: the project's folder and base
// name followed by the page's context and ".txt". Empty when the context
// could not be part of a file name (it holds a folder separator).
std::string TopicTextFileName(const ProjectModel& model, int page);

// "トピックをテキストで保存(&G)": writes the current page's topic and CR LF
// to TopicTextFileName, replacing the file. Reports a failure and returns
// false.
bool SaveText(const ProjectModel& model, Prompter& prompter);

}  // namespace qy
