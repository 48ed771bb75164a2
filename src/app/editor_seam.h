// Where the main window gets its topic editor: a QPlainTextEdit that also
// is the logic's Editor. The window uses only these two faces of it.
#pragma once

#include <QPlainTextEdit>

#include "core/editor.h"

namespace qy::app {

struct TopicEditorParts {
  QPlainTextEdit* widget = nullptr;
  Editor* editor = nullptr;
};

TopicEditorParts CreateTopicEditor(QWidget* parent);

}  // namespace qy::app
