// Shift-JIS byte offsets of a QTextDocument that shows a topic through the
// lossless codec.
//
// The topic's lines (CR LF between them) are the document's blocks. Each
// block's Shift-JIS bytes are kept here; an edit only marks the blocks it
// touched, which are encoded again when next asked for, and the block start
// offsets are summed again lazily from the first changed block. So typing at
// the end of a long topic costs the length of one line, not of the topic.
//
// A lone CR or LF inside a line can not be a character of a block (the
// document would start a new block at it); it is shown as the codec's
// reserved code point for that stray byte (U+10FE0D, U+10FE0A), which the
// encoder turns back into the same byte.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "core/codec.h"

class QTextDocument;

namespace qy::app {

// Text typed or pasted, with what Shift-JIS can not hold already as the
// encoder will store it ('?', or dropped for a variation selector), so that
// the editor never shows a character the topic does not have. Line breaks
// of any kind stay line breaks.
QString KeepableInput(const QString& text);

// The text shown for a topic: its lines joined with '\n' (which the document
// turns into block separators), and the bytes of each line.
struct ShownText {
  QString text;
  std::vector<std::string> lines;
};
ShownText ShowShiftJis(std::string_view sjis);

class BytePositionMap {
 public:
  explicit BytePositionMap(const QTextDocument* document);

  // After the document was given ShowShiftJis(...).text: its lines.
  void Reset(std::vector<std::string> lines);
  // The document's contentsChange signal.
  void ContentsChanged(int position, int removed, int added);

  int BlockCount() const;
  const std::string& BlockBytes(int block) const;
  // Byte offset where a block starts.
  int BlockStart(int block) const;
  int TotalBytes() const;
  // The whole text, CR LF between blocks; valid until the next change.
  const std::string& Text() const;

  // Byte offset of a document position.
  int ByteOf(int position) const;
  // Bytes from the start of its block to a document position.
  int ColumnOf(int position) const;
  // Document position of a byte offset (clamped to the text). An offset
  // inside a double-byte character or inside CR LF goes to the character's
  // start (kFloor) or end (kCeil). The position always stands behind the
  // zero-byte characters at that offset, so that nothing is put between a
  // character and its duplicate marker.
  enum class Round { kFloor, kCeil };
  int PositionOf(int byte, Round round) const;

 private:
  void EnsureSize() const;
  void InvalidateAll() const;
  void EnsureStarts(int block) const;

  const QTextDocument* document_;
  mutable std::vector<std::string> lines_;
  mutable std::vector<char> dirty_;
  // starts_[k] is valid for k < valid_starts_.
  mutable std::vector<int> starts_;
  mutable int valid_starts_ = 0;
  mutable std::string text_;
  mutable bool text_valid_ = false;
};

}  // namespace qy::app
