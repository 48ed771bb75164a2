#include "project/project_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/line_break.h"
#include "core/native_path.h"

namespace qy {

namespace {

constexpr std::string_view kEndMarker = "}end";
constexpr std::string_view kWordBegin = "Word{";
constexpr std::string_view kPageMarker = "//Page//";
constexpr std::string_view kTopicBegin = "begin{";
constexpr std::string_view kFileEnd = "//End//";
constexpr std::string_view kProjectMarker = "//Project//";

// Thrown inside the reader when the file is corrupt; `line` becomes the
// result.
struct CorruptFile {
  int line;
};

// What a project file is read in: as much as cat reads at a time, which
// stays in the cache while its lines are scanned and copied out.
constexpr std::size_t kPiece = std::size_t{1} << 17;

// Thrown by the reader when the file can not be read on; the error number.
struct ReadFailure {
  int error_number;
};

// Reads the lines of a file one after another, counting from 1. Line ends
// are CR LF, a lone CR or a lone LF; a final line end does not start another
// line, but every empty line before it is kept, since empty lines carry
// values. Reading a line beyond the end makes the file corrupt at that line.
//
// A file is read in pieces into one buffer, as cat does, rather than whole:
// a 10 MB project then costs its pages' memory only once. The buffer keeps
// the line (or the block of lines) being read and grows only for a block
// larger than itself. A line given out stays valid up to the next call.
class LineReader {
 public:
  explicit LineReader(std::string_view text)
      : data_(text.data()), size_(text.size()), at_eof_(true) {}
  // `size` is the file's size as far as known; a small file gets a buffer
  // of its own size (and one byte to see its end) rather than a piece.
  LineReader(int fd, std::size_t size)
      : fd_(fd), buffer_(std::min(size + 1, kPiece), '\0'), data_(buffer_.data()) {}

  int Next() const { return next_; }
  // The next line, left unread.
  std::string_view Peek() {
    keep_ = at_;
    const Line line = Scan();
    return {data_ + line.start, line.length};
  }
  std::string_view Read() {
    keep_ = at_;
    const Line line = Scan();
    at_ = line.next;
    ++next_;
    return {data_ + line.start, line.length};
  }
  // Passes over a line without looking at it, even when it is missing.
  void Skip() {
    keep_ = at_;
    if (HaveByteAt(at_)) at_ = Scan().next;
    ++next_;
  }

  // The lines up to the next "}end", joined with CR LF; the reader ends
  // behind the "}end" line. Running out of lines makes the file corrupt at
  // the first missing line.
  std::string ReadBlock() {
    keep_ = at_;  // the block's first line; refills move it to 0
    const int first_line = next_;
    bool all_crlf = true;
    while (true) {
      // Lines that do not start like "}end" are passed in bulk.
      const LinesSkipped skipped = SkipLines(data_ + at_, data_ + size_, kEndMarker[0]);
      all_crlf = all_crlf && skipped.all_crlf;
      at_ = static_cast<std::size_t>(skipped.line_start - data_);
      next_ += skipped.lines;
      const Line line = Scan();
      if (std::string_view(data_ + line.start, line.length) == kEndMarker) break;
      all_crlf = all_crlf && line.crlf;
      at_ = line.next;
      ++next_;
    }
    const std::size_t first = keep_;
    const std::size_t block_end = at_;
    const auto lines = static_cast<std::size_t>(next_ - first_line);
    // With CR LF line ends throughout, the value is one piece of the file:
    // up to the CR LF that ends its last line.
    std::string block;
    if (all_crlf) {
      if (lines > 0) block.assign(data_ + first, block_end - first - 2);
    } else {
      block.reserve(block_end - first + lines);
      for (std::size_t p = first; p < block_end;) {
        const char* eol = FindLineBreak(data_ + p, data_ + block_end);
        if (p != first) block += kCrLf;
        block.append(data_ + p, static_cast<std::size_t>(eol - (data_ + p)));
        p = static_cast<std::size_t>(eol - data_) + (*eol == '\r' && eol[1] == '\n' ? 2 : 1);
      }
    }
    Read();  // "}end"
    return block;
  }

  // ReadBlock without the value: the same lines are checked and counted,
  // but only the line being looked at has to stay in the buffer.
  void SkipBlock() {
    while (true) {
      // Lines that do not start like "}end" are passed in bulk.
      const LinesSkipped skipped = SkipLines(data_ + at_, data_ + size_, kEndMarker[0]);
      at_ = static_cast<std::size_t>(skipped.line_start - data_);
      next_ += skipped.lines;
      keep_ = at_;
      const Line line = Scan();
      if (std::string_view(data_ + line.start, line.length) == kEndMarker) break;
      at_ = line.next;
      ++next_;
    }
    Read();  // "}end"
  }

 private:
  struct Line {
    std::size_t start;
    std::size_t length;
    std::size_t next;  // where the line after it starts
    bool crlf;         // ends with CR LF
  };

  // The line at at_, reading on as far as it needs.
  Line Scan() {
    if (!HaveByteAt(at_)) throw CorruptFile{next_};
    while (true) {
      const char* const end = data_ + size_;
      const char* eol = FindLineBreak(data_ + at_, end);
      // A CR at the end of what was read may be the first half of CR LF.
      if ((eol == end || (*eol == '\r' && eol + 1 == end)) && !at_eof_) {
        ReadMore();
        continue;
      }
      const std::size_t length = static_cast<std::size_t>(eol - (data_ + at_));
      if (eol == end) return {at_, length, size_, false};
      const std::size_t e = static_cast<std::size_t>(eol - data_);
      if (*eol == '\r' && eol + 1 < end && eol[1] == '\n') return {at_, length, e + 2, true};
      return {at_, length, e + 1, false};
    }
  }

  bool HaveByteAt(std::size_t offset) {
    while (offset >= size_ && !at_eof_) {
      const std::size_t shift = keep_;
      ReadMore();
      offset -= shift;
    }
    return offset < size_;
  }

  // Moves what is kept to the front of the buffer (offsets shift by the old
  // keep_), grows the buffer when that fills it, and reads what fits.
  void ReadMore() {
    const std::size_t shift = keep_;
    if (shift > 0) {
      std::memmove(buffer_.data(), buffer_.data() + shift, size_ - shift);
      size_ -= shift;
      at_ -= shift;
      keep_ = 0;
    }
    if (size_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);
    data_ = buffer_.data();
    while (true) {
      const ssize_t n = ::read(fd_, buffer_.data() + size_, buffer_.size() - size_);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) throw ReadFailure{errno};
      if (n == 0) at_eof_ = true;
      size_ += static_cast<std::size_t>(n);
      return;
    }
  }

  int fd_ = -1;
  std::string buffer_;
  const char* data_;
  std::size_t size_ = 0;
  std::size_t at_ = 0;    // the next line
  std::size_t keep_ = 0;  // what the buffer must still hold
  bool at_eof_ = false;
  int next_ = 1;
};

// A decimal integer with optional leading blanks and sign, in 32-bit range.
bool ParseDecimal(std::string_view text, std::int32_t* value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<std::int32_t>::max() ||
      v < std::numeric_limits<std::int32_t>::min()) {
    return false;
  }
  *value = static_cast<std::int32_t>(v);
  return true;
}

std::int32_t ReadInteger(LineReader& cursor) {
  const int number = cursor.Next();
  std::int32_t value = 0;
  if (!ParseDecimal(cursor.Read(), &value)) throw CorruptFile{number};
  return value;
}

std::string HeaderOf(std::string_view version) {
  return std::string(kProjectHeaderPrefix) + std::string(version);
}

std::string_view VersionOfCode(int code) {
  switch (code) {
    case kVersion160b:
      return "1.60b";
    case kVersion160:
      return "1.60";
    case kVersion145:
      return "1.45";
    case kVersion140:
      return "1.40";
    case kVersion130:
      return "1.30";
    default:
      return "";
  }
}

std::string RefusalMessage(const std::string& name, const char* series) {
  return name + "\r\n\r\n" + Sjis(series) + "\r\n" + Sjis("ファイル形式で作成されています。") +
         "\r\n\r\n" + Sjis("このプロジェクトを開くにはv1.60未満のQuilloryが必要です。");
}

std::string ConversionQuestion(const std::string& name, const char* series) {
  return name + "\r\n\r\n" + Sjis(series) + "\r\n" + Sjis("ファイル形式で作成されています。") +
         "\r\n\r\n" + Sjis("このプロジェクトは形式の変更なしでロードできますが、保存時に") +
         "\r\n" + Sjis("は新しい形式で保存されます。") + "\r\n\r\n" +
         Sjis("プロジェクトファイルを開いてよろしいですか？");
}

// Line 1 does not carry the header of the version asked for: decides what
// the file is. Returns 0 or -6..-3.
int ClassifyHeader(std::string_view first, const std::string& file, Prompter& prompter) {
  const std::string name = PathToSjis(FileNameOf(file));
  if (first == HeaderOf("1.00")) {
    prompter.Warning(
        RefusalMessage(name, "このプロジェクトは、v1.0x ～ 1.1x系のQuilloryのプロジェクト"));
    return kLoadRefused;
  }
  if (first == HeaderOf("1.01")) {
    prompter.Warning(
        RefusalMessage(name, "このプロジェクトは、Version1.2x系のQuilloryのプロジェクト"));
    return kLoadRefused;
  }
  struct Convertible {
    const char* version;
    const char* series;
    int result;
  };
  static constexpr Convertible kConvertible[] = {
      {"1.30", "このプロジェクトは、Version1.3x系のQuilloryのプロジェクト", kLoadAgain130},
      {"1.40", "このプロジェクトは、Ver1.4x前半系のQuilloryのプロジェクト", kLoadAgain140},
      {"1.45", "このプロジェクトは、Ver1.45～1.58のQuilloryのプロジェクト", kLoadAgain145},
  };
  for (const auto& c : kConvertible) {
    if (first != HeaderOf(c.version)) continue;
    Answer a =
        prompter.Ask(ConversionQuestion(name, c.series), Buttons::kOkCancel, Beep::kExclamation);
    return a == Answer::kOk ? c.result : kLoadRefused;
  }
  if (first == HeaderOf("1.60")) return kLoadAgain160;
  prompter.Warning(Sjis("\r\nこのファイルは Quillory のプロジェクトファイルではありません"));
  return kLoadRefused;
}

// The 1.30 layout has no ContextID line: the ID is the number formed by
// characters 7..9 of the context (HLP000042 gives 42).
bool ContextIdFromContext(std::string_view context, std::int32_t* id) {
  if (context.size() < 7) return false;
  std::string_view digits = context.substr(6, 3);
  std::int32_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *id = v;
  return true;
}

PageAttribute AttributeOfKindWord(std::string_view word) {
  if (word == "False") return kTopicPage;
  if (word == "True") return kPopupPage;
  if (word == "Macro") return kContentPage;
  return kIncludePage;
}

// Reads one page block from its "//Page//" line up to and including its
// "}end" line; the topic text is checked but left empty for kLeaveOut.
PageRecord ReadPage(LineReader& cursor, int version_code, TopicLoad topics) {
  const int page_line = cursor.Next();
  if (cursor.Read() != kPageMarker) throw CorruptFile{page_line};
  PageRecord page;
  page.Context = LimitField(cursor.Read());
  page.Title = LimitField(cursor.Read());
  page.Keyword = LimitField(cursor.Read());
  page.Attribute = AttributeOfKindWord(cursor.Read());
  const int level_line = cursor.Next();
  std::int32_t level = ReadInteger(cursor);
  if (level < 0) throw CorruptFile{level_line};
  // Only a hand-edited file has deeper books; the tree has no place for
  // them, and dropping the page would lose it.
  if (level > kMaxBookLevel) level = kMaxBookLevel;
  if (level != 0) page.Attribute = BookAttribute(level);
  page.AKeyword = LimitField(cursor.Read());
  page.BKeyword = LimitField(cursor.Read());
  if (version_code == kVersion130) {
    if (!ContextIdFromContext(page.Context, &page.ContextID)) throw CorruptFile{page_line};
  } else {
    page.ContextID = ReadInteger(cursor);
  }
  if (version_code >= kVersion160b) {
    page.Window = LimitField(cursor.Read());
    page.Macro = LimitField(cursor.Read());
  }
  const int begin_line = cursor.Next();
  if (cursor.Read() != kTopicBegin) throw CorruptFile{begin_line + 5};
  if (topics == TopicLoad::kKeep) {
    page.Topic = cursor.ReadBlock();
  } else {
    cursor.SkipBlock();
  }
  return page;
}

// The pages behind the last one the table can hold, which a save would lose:
// counted up to the end of the file or the first block that does not read
// as a page.
int CountPagesLeftOut(LineReader& cursor, int version_code) {
  int count = 0;
  try {
    while (true) {
      cursor.Skip();  // empty line after "}end"
      ReadPage(cursor, version_code, TopicLoad::kLeaveOut);
      ++count;
    }
  } catch (const CorruptFile&) {
  }
  return count;
}

int ParseLines(LineReader& cursor, int version_code, ProjectHeader& header,
               std::vector<PageRecord>& pages, const std::string& file, Prompter& prompter,
               Progress& progress, int* left_out, TopicLoad topics) {
  std::string_view first = cursor.Read();
  std::string_view version = VersionOfCode(version_code);
  if (version.empty() || first != HeaderOf(version)) {
    return ClassifyHeader(first, file, prompter);
  }
  cursor.Skip();
  if (cursor.Read() != kProjectMarker) return 3;

  header.ProjectOptions = std::string(cursor.Read());
  if (version_code == kVersion130) header.ProjectOptions += "00main";
  header.HelpTitle = std::string(cursor.Read());
  header.HelpCopyright = std::string(cursor.Read());
  header.CompressMode = ReadInteger(cursor);
  header.FontNameIndex = ReadInteger(cursor);
  header.FontSizeIndex = ReadInteger(cursor);
  if (version_code >= kVersion145) cursor.Skip();
  header.ReservedNumber = 0;

  if (cursor.Read() == kWordBegin) {
    header.Word = cursor.ReadBlock();
    cursor.Skip();  // "windows{"
  } else {
    header.Word.clear();
  }
  header.WindowsSection = cursor.ReadBlock();
  cursor.Skip();  // "config{"
  header.ConfigSection = cursor.ReadBlock();
  cursor.Skip();  // empty line

  while (true) {
    pages.push_back(ReadPage(cursor, version_code, topics));
    progress.Step();
    progress.Pump();
    if (static_cast<int>(pages.size()) >= kMaxPages) {
      *left_out = CountPagesLeftOut(cursor, version_code);
      return kLoadSuccess;
    }
    cursor.Skip();  // empty line after "}end"
    if (cursor.Peek() == kFileEnd) return kLoadSuccess;
  }
}

// Single-line values must not break the line structure of the file.
void AppendSingleLine(std::string& out, std::string_view value) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c != '\r' && c != '\n') continue;
    out.append(value.substr(start, i - start));
    out += ' ';
    if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
    start = i + 1;
  }
  out.append(value.substr(start));
  out += kCrLf;
}

// A multi-line value: its lines as they are, each followed by CR LF, so an
// empty value is one empty line.
void AppendLines(std::string& out, std::string_view value) {
  out.append(value);
  out += kCrLf;
}

void AppendNumber(std::string& out, long long value) {
  out += std::to_string(value);
  out += kCrLf;
}

// Adds a place for every line of `text` that reads exactly "}end".
void FindEndMarkers(std::string_view text, int page, EndMarkerText part,
                    std::vector<EndMarkerLine>& found) {
  std::size_t start = 0;
  int line = 1;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
    if (text.substr(start, i - start) == kEndMarker) found.push_back({page, part, line});
    if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
    ++line;
  }
}

}  // namespace

int RereadVersionCode(int load_result) {
  switch (load_result) {
    case kLoadAgain160:
      return kVersion160;
    case kLoadAgain145:
      return kVersion145;
    case kLoadAgain140:
      return kVersion140;
    case kLoadAgain130:
      return kVersion130;
    default:
      return 0;
  }
}

namespace {

int ParseFrom(LineReader& reader, ProjectModel& model, int version_code, const std::string& file,
              Prompter& prompter, Progress& progress, int* pages_left_out, TopicLoad topics) {
  ProjectHeader header = model.Header();
  std::vector<PageRecord> pages;
  // A table this large is mapped, not filled: a small project touches only
  // the part it uses, and a big one never moves its pages as it grows.
  pages.reserve(kMaxPages);
  int left_out = 0;
  int result;
  try {
    result = ParseLines(reader, version_code, header, pages, file, prompter, progress, &left_out,
                        topics);
  } catch (const CorruptFile& fault) {
    result = fault.line;
  }
  if (result != kLoadSuccess) return result;
  model.Header() = std::move(header);
  model.ReplacePages(std::move(pages));
  model.SetTopicsLeftOut(topics == TopicLoad::kLeaveOut);
  if (pages_left_out) *pages_left_out = left_out;
  return kLoadSuccess;
}

}  // namespace

std::string OpenFailedMessage(const std::string& file, int error_number) {
  const std::string quoted = "\r\n\"" + PathToSjis(file) + "\"";
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return quoted + Sjis(" は存在しないファイルです。");
    case EBUSY:
    case ETXTBSY:
    case EAGAIN:
      return Sjis("\r\nこのファイルは他のプロセスで開かれています。");
    default:
      return quoted + Sjis(" を開けませんでした。") + "\r\n\r\n" + Sjis("理由 : ") +
             std::strerror(error_number);
  }
}

int ParseProjectText(ProjectModel& model, std::string_view text, int version_code,
                     const std::string& file, Prompter& prompter, Progress& progress,
                     int* pages_left_out, TopicLoad topics) {
  LineReader reader(text);
  return ParseFrom(reader, model, version_code, file, prompter, progress, pages_left_out, topics);
}

int LoadProjectFile(ProjectModel& model, const std::string& file, int version_code,
                    Prompter& prompter, Progress& progress, int* pages_left_out, TopicLoad topics) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  int error_number = fd < 0 ? errno : ::fstat(fd, &st) != 0 ? errno : 0;
  if (error_number == 0 && S_ISDIR(st.st_mode)) error_number = EISDIR;
  int result = kLoadRefused;
  if (error_number == 0) {
    try {
      LineReader reader(fd, S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : kPiece);
      result =
          ParseFrom(reader, model, version_code, file, prompter, progress, pages_left_out, topics);
    } catch (const ReadFailure& failure) {
      error_number = failure.error_number;
    }
  }
  if (fd >= 0) ::close(fd);
  if (error_number != 0) {
    prompter.Warning(OpenFailedMessage(file, error_number));
    return kLoadRefused;
  }
  return result;
}

std::string BuildProjectFileText(const ProjectModel& model) {
  const ProjectHeader& h = model.Header();
  std::size_t size = 256 + h.Word.size() + h.WindowsSection.size() + h.ConfigSection.size();
  for (const auto& p : model.Pages()) {
    size += 96 + p.Topic.size() + p.Context.size() + p.Title.size() + p.Keyword.size() +
            p.AKeyword.size() + p.BKeyword.size() + p.Window.size() + p.Macro.size();
  }
  std::string out;
  out.reserve(size);

  AppendSingleLine(out, kCurrentProjectHeader);
  out += kCrLf;
  AppendSingleLine(out, kProjectMarker);
  AppendSingleLine(out, h.ProjectOptions);
  AppendSingleLine(out, h.HelpTitle);
  AppendSingleLine(out, h.HelpCopyright);
  AppendNumber(out, h.CompressMode);
  AppendNumber(out, h.FontNameIndex);
  AppendNumber(out, h.FontSizeIndex);
  AppendNumber(out, h.ReservedNumber);
  if (!h.Word.empty()) {
    AppendSingleLine(out, kWordBegin);
    AppendLines(out, h.Word);
    AppendSingleLine(out, kEndMarker);
  }
  AppendSingleLine(out, "windows{");
  AppendLines(out, h.WindowsSection);
  AppendSingleLine(out, kEndMarker);
  AppendSingleLine(out, "config{");
  if (!h.ConfigSection.empty()) AppendLines(out, h.ConfigSection);
  AppendSingleLine(out, kEndMarker);
  out += kCrLf;

  for (const auto& p : model.Pages()) {
    AppendSingleLine(out, kPageMarker);
    AppendSingleLine(out, p.Context);
    AppendSingleLine(out, p.Title);
    AppendSingleLine(out, p.Keyword);
    AppendSingleLine(out, PageKindWord(p.Attribute));
    AppendNumber(out, IsBook(p.Attribute) ? BookLevel(p.Attribute) : 0);
    AppendSingleLine(out, p.AKeyword);
    AppendSingleLine(out, p.BKeyword);
    AppendNumber(out, p.ContextID);
    AppendSingleLine(out, p.Window);
    AppendSingleLine(out, p.Macro);
    AppendSingleLine(out, kTopicBegin);
    AppendLines(out, p.Topic);
    AppendSingleLine(out, kEndMarker);
    out += kCrLf;
  }
  AppendSingleLine(out, kFileEnd);
  return out;
}

FileResult WriteProjectFile(const ProjectModel& model, const std::string& file) {
  // Written out, such a model would empty every page of the file.
  if (model.TopicsLeftOut()) {
    return FileResult::Fail(Sjis("ページの本文を読み込まずに開いたプロジェクトは保存できません。"));
  }
  return WriteFileAtomic(file, BuildProjectFileText(model), Durability::kSynced);
}

std::vector<EndMarkerLine> FindEndMarkerLines(const ProjectModel& model) {
  std::vector<EndMarkerLine> found;
  const ProjectHeader& h = model.Header();
  FindEndMarkers(h.Word, 0, EndMarkerText::kWord, found);
  FindEndMarkers(h.WindowsSection, 0, EndMarkerText::kWindows, found);
  FindEndMarkers(h.ConfigSection, 0, EndMarkerText::kConfig, found);
  for (int i = 1; i <= model.PageCount(); ++i) {
    FindEndMarkers(model.Page(i).Topic, i, EndMarkerText::kTopic, found);
  }
  return found;
}

std::vector<int> PagesWithEndMarkerLines(const ProjectModel& model) {
  std::vector<int> pages;
  for (const EndMarkerLine& place : FindEndMarkerLines(model)) {
    if (pages.empty() || pages.back() != place.page) pages.push_back(place.page);
  }
  return pages;
}

std::vector<int> GiveEmptyContexts(ProjectModel& model) {
  std::vector<int> changed;
  for (int i = 1; i <= model.PageCount(); ++i) {
    if (!model.Page(i).Context.empty()) continue;
    model.MutablePage(i).Context = model.NextFreeContext();
    changed.push_back(i);
  }
  return changed;
}

}  // namespace qy
