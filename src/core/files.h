// Whole-file reading and atomic whole-file writing.
#pragma once

#include <optional>
#include <string>

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

// Reads the whole file as bytes; nullopt (and `error` set when given) on failure.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// Writes `data` to a temporary file in the same folder, flushes it to disk and
// renames it over `path`. On any failure the old file is left as it was and the
// temporary file is removed.
FileResult WriteFileAtomic(const std::string& path, const std::string& data);

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
std::string FileNameOf(const std::string& path);       // "a/b/c.qyp" -> "c.qyp"
std::string FolderOf(const std::string& path);         // "a/b/c.qyp" -> "a/b/"
std::string ChangeExtension(const std::string& path, const std::string& ext);  // ext with dot
std::string BaseNameOf(const std::string& path);       // "a/b/c.qyp" -> "c"

}  // namespace qy
