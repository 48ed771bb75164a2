// A plain QPlainTextEdit as the logic's Editor, with byte offsets worked out
// by converting the text before a position. It serves until the lossless
// topic editor takes its place behind CreateTopicEditor.
#pragma once

#include <QPlainTextEdit>

#include "core/editor.h"

namespace qy::app {

class PlaceholderEditor : public QPlainTextEdit, public Editor {
 public:
  explicit PlaceholderEditor(QWidget* parent = nullptr);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;
  int SelStart() const override;
  void SetSelStart(int start) override;
  int SelLength() const override;
  void SetSelLength(int length) override;
  int Row() const override;
  int Col() const override;
  void DeleteSelection() override;
  bool CanUndo() const override;
  void Undo() override;
  void ClearUndo() override;
  void SetFocus() override;
  bool ReadOnly() const override;
  void SetReadOnly(bool read_only) override;

 private:
  // Byte offset of character position `pos` and back.
  int BytesBefore(int pos) const;
  int PositionOfByte(int byte) const;
};

}  // namespace qy::app
