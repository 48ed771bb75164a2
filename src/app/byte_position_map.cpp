#include "app/byte_position_map.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <array>
#include <cstdint>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"

namespace qy::app {

namespace {

char32_t NextCodePoint(const QChar* s, int n, int& i) {
  const char16_t unit = s[i++].unicode();
  if (QChar::isHighSurrogate(unit) && i < n && s[i].isLowSurrogate()) {
    return QChar::surrogateToUcs4(unit, s[i++].unicode());
  }
  return unit;
}

void AppendCodePoint(std::u16string& out, char32_t c) {
  out += static_cast<char16_t>(QChar::highSurrogate(c));
  out += static_cast<char16_t>(QChar::lowSurrogate(c));
}

// Bytes of the code points that end at or before `offset` in a block's text.
int BytesBefore(const QString& text, int offset) {
  const QChar* s = text.constData();
  const int n = static_cast<int>(text.size());
  int bytes = 0;
  for (int i = 0; i < n;) {
    int next = i;
    const char32_t c = NextCodePoint(s, n, next);
    if (next > offset) break;
    bytes += ShiftJisLength(c);
    i = next;
  }
  return bytes;
}

}  // namespace

QString KeepableInput(const QString& text) {
  QString out;
  out.reserve(text.size());
  const QChar* s = text.constData();
  const int n = static_cast<int>(text.size());
  for (int i = 0; i < n;) {
    const int start = i;
    const char32_t c = NextCodePoint(s, n, i);
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
      out += QLatin1Char('\n');
    } else if (c == u'\r' || c == u'\n' || ShiftJisHolds(c)) {
      out.append(s + start, i - start);
    } else if (ShiftJisLength(c) > 0) {
      out += QLatin1Char('?');
    }
  }
  return out;
}

ShownText ShowShiftJis(std::string_view sjis) {
  ShownText shown;
  const std::u16string decoded = Cp932ToUtf16(sjis);
  std::u16string text;
  text.reserve(decoded.size() + 16);
  const std::size_t n = decoded.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = decoded[i];
    if (c == u'\r' && i + 1 < n && decoded[i + 1] == u'\n') {
      text += u'\n';
      ++i;
    } else if (c == u'\r' || c == u'\n') {
      AppendCodePoint(text, kStrayByteBase + c);
    } else {
      text += c;
    }
  }
  shown.text =
      QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = sjis.find(kCrLf, start);
    shown.lines.emplace_back(sjis.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) break;
    start = end + kCrLf.size();
  }
  return shown;
}

BytePositionMap::BytePositionMap(const QTextDocument* document) : document_(document) {
  InvalidateAll();
}

void BytePositionMap::Reset(std::vector<std::string> lines) {
  if (static_cast<int>(lines.size()) != document_->blockCount()) {
    InvalidateAll();
    return;
  }
  lines_ = std::move(lines);
  dirty_.assign(lines_.size(), 0);
  starts_.assign(lines_.size(), 0);
  valid_starts_ = 0;
  text_valid_ = false;
}

void BytePositionMap::InvalidateAll() const {
  const auto count = static_cast<std::size_t>(document_->blockCount());
  lines_.assign(count, std::string());
  dirty_.assign(count, 1);
  starts_.assign(count, 0);
  valid_starts_ = 0;
  text_valid_ = false;
}

void BytePositionMap::EnsureSize() const {
  if (static_cast<int>(lines_.size()) != document_->blockCount()) InvalidateAll();
}

void BytePositionMap::ContentsChanged(int position, int /*removed*/, int added) {
  // The blocks before the change and those behind its end are the old ones;
  // only the blocks in between are replaced. This holds even when the
  // document reports a wider range than it really changed.
  const int old_count = static_cast<int>(lines_.size());
  const int count = document_->blockCount();
  const int first = document_->findBlock(position).blockNumber();
  int last = document_->findBlock(position + added).blockNumber();
  if (last < 0) last = count - 1;
  const int new_span = last - first + 1;
  const int old_span = new_span - (count - old_count);
  if (first < 0 || new_span < 1 || old_span < 1 || first + old_span > old_count) {
    InvalidateAll();
    return;
  }
  const auto at = static_cast<std::ptrdiff_t>(first);
  lines_.erase(lines_.begin() + at, lines_.begin() + at + old_span);
  lines_.insert(lines_.begin() + at, static_cast<std::size_t>(new_span), std::string());
  dirty_.erase(dirty_.begin() + at, dirty_.begin() + at + old_span);
  dirty_.insert(dirty_.begin() + at, static_cast<std::size_t>(new_span), 1);
  starts_.resize(static_cast<std::size_t>(count));
  valid_starts_ = std::min(valid_starts_, first + 1);
  text_valid_ = false;
}

int BytePositionMap::BlockCount() const {
  EnsureSize();
  return static_cast<int>(lines_.size());
}

const std::string& BytePositionMap::BlockBytes(int block) const {
  EnsureSize();
  const auto k = static_cast<std::size_t>(block);
  if (dirty_[k]) {
    lines_[k] = FromQt(document_->findBlockByNumber(block).text());
    dirty_[k] = 0;
  }
  return lines_[k];
}

void BytePositionMap::EnsureStarts(int block) const {
  EnsureSize();
  if (valid_starts_ == 0) {
    starts_[0] = 0;
    valid_starts_ = 1;
  }
  for (int k = valid_starts_; k <= block; ++k) {
    const auto before = static_cast<std::size_t>(k - 1);
    starts_[before + 1] =
        starts_[before] + static_cast<int>(BlockBytes(k - 1).size() + kCrLf.size());
  }
  valid_starts_ = std::max(valid_starts_, block + 1);
}

int BytePositionMap::BlockStart(int block) const {
  EnsureStarts(block);
  return starts_[static_cast<std::size_t>(block)];
}

int BytePositionMap::TotalBytes() const {
  const int last = BlockCount() - 1;
  return BlockStart(last) + static_cast<int>(BlockBytes(last).size());
}

const std::string& BytePositionMap::Text() const {
  if (!text_valid_) {
    const auto total = static_cast<std::size_t>(TotalBytes());
    text_.clear();
    text_.reserve(total);
    for (std::size_t k = 0; k < lines_.size(); ++k) {
      if (k > 0) text_ += kCrLf;
      text_ += BlockBytes(static_cast<int>(k));
    }
    text_valid_ = true;
  }
  return text_;
}

int BytePositionMap::ColumnOf(int position) const {
  const QTextBlock block = document_->findBlock(position);
  if (!block.isValid()) return static_cast<int>(BlockBytes(BlockCount() - 1).size());
  const int offset = position - block.position();
  // The caret usually stands at the end of the line being typed.
  if (offset >= block.length() - 1) return static_cast<int>(BlockBytes(block.blockNumber()).size());
  return BytesBefore(block.text(), offset);
}

int BytePositionMap::ByteOf(int position) const {
  const QTextBlock block = document_->findBlock(position);
  if (!block.isValid()) return TotalBytes();
  return BlockStart(block.blockNumber()) + ColumnOf(position);
}

int BytePositionMap::PositionOf(int byte, Round round) const {
  const int total = TotalBytes();  // also sums every block start
  byte = std::clamp(byte, 0, total);
  const int count = BlockCount();
  const int k = static_cast<int>(std::upper_bound(starts_.begin(), starts_.begin() + count, byte) -
                                 starts_.begin()) -
                1;
  const QTextBlock block = document_->findBlockByNumber(k);
  const int line_bytes = static_cast<int>(BlockBytes(k).size());
  int within = byte - starts_[static_cast<std::size_t>(k)];
  if (within > line_bytes) {  // between CR and LF
    if (round == Round::kCeil && k + 1 < count) return block.next().position();
    within = line_bytes;
  }
  const QString text = block.text();
  const QChar* s = text.constData();
  const int n = static_cast<int>(text.size());
  int i = 0;
  int bytes = 0;
  while (i < n) {
    int next = i;
    const int length = ShiftJisLength(NextCodePoint(s, n, next));
    if (length > 0 && bytes >= within) break;
    if (bytes + length > within && round == Round::kFloor) break;
    bytes += length;
    i = next;
  }
  return block.position() + i;
}

}  // namespace qy::app
