// Whole-file reading and atomic whole-file writing.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qy {

// Result of a file operation: ok, or a readable reason (in English system
// terms, e.g. "No such file or directory") for the failure.
struct FileResult {
  bool ok = true;
  std::string error;
  explicit operator bool() const { return ok; }
  static FileResult Ok() { return {}; }
  static FileResult Fail(std::string why) { return {false, std::move(why)}; }
};

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Reads the whole file as bytes; nullopt (and `error` and `error_number` set
// when given) on failure.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr,
                                         int* error_number = nullptr);

// A file's bytes in memory that is not cleared before the file is read into
// it, as a string's would be: for large files that are read once and only
// looked at (the help compiler's topic files, tens of megabytes).
class FileBytes {
 public:
  FileBytes() = default;
  explicit FileBytes(std::size_t size);  // `size` bytes of no set value
  std::string_view view() const { return {data_.get(), size_}; }
  char* data() { return data_.get(); }
  std::size_t size() const { return size_; }
  void append(const char* bytes, std::size_t count);
  void resize(std::size_t size);  // no larger than it is

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// ReadWholeFile into FileBytes.
std::optional<FileBytes> ReadFileBytes(const std::string& path, std::string* error = nullptr,
                                       int* error_number = nullptr);

// Whether a replaced file must reach the disk before the call returns. Only
// files whose loss costs the user's work (the project, the settings) are
// synced; generated files are made again by the next build.
enum class Durability { kReplaceOnly, kSynced };

// Writes `data` to a temporary file ".~qy<name>.XXXXXX" in the same folder
// and renames it over `path`. A symbolic link is followed and stays a link;
// a file without any write permission is refused (EACCES), as is anything
// that is not a plain file; the replaced file keeps its permissions. On any
// failure the old file is left as it was and the temporary file is removed.
// Temporary files that an interrupted save of the same file left behind are
// removed.
FileResult WriteFileAtomic(const std::string& path, std::string_view data,
                           Durability durability = Durability::kReplaceOnly);

// Hands one piece of a file's bytes on; false when it could not be written.
using WriteBytes = std::function<bool(std::string_view)>;

// WriteFileAtomic for a file made piece by piece, so that a large generated
// file never has to be held whole: `produce` passes every piece, in order,
// to the WriteBytes it is given and returns false once a piece could not be
// written. The file is replaced only when every piece was written.
FileResult WriteFileAtomicStreamed(const std::string& path,
                                   const std::function<bool(const WriteBytes&)>& produce,
                                   Durability durability = Durability::kReplaceOnly);

// The name of the temporary file a save of `file_name` (no folder) starts
// from, before the random part: ".~qy" + the name, cut so that the whole name
// stays within `name_max` bytes.
std::string AtomicTempPrefix(const std::string& file_name, std::size_t name_max = 255);

// Both paths name the same existing file (device and inode; links followed).
bool SameFile(const std::string& a, const std::string& b);

// Creates an empty, uniquely named file "~qy<random>.<ext>" in the system
// temporary folder and returns its full path ("" on failure). `ext` without
// the dot; empty gives "tmp".
std::string MakeTempFile(const std::string& ext = "tmp");

// The system temporary folder ($TMPDIR or /tmp), without a trailing slash.
std::string TempFolder();

bool RemoveFile(const std::string& path);
bool CopyFile(const std::string& from, const std::string& to);

// Path helpers on '/'-separated paths (a '\\' is also taken as a separator,
// since paths typed by Windows users appear in project data).
std::string FileNameOf(const std::string& path);  // "a/b/c.qyp" -> "c.qyp"
std::string FolderOf(const std::string& path);    // "a/b/c.qyp" -> "a/b/"
std::string ChangeExtension(const std::string& path, const std::string& ext);  // ext with dot
std::string BaseNameOf(const std::string& path);                               // "a/b/c.qyp" -> "c"

}  // namespace qy
