#include "core/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string_view>

namespace qy {

namespace {

constexpr char kTempMark[] = ".~qy";
constexpr char kTempRandom[] = ".XXXXXX";
constexpr int kMaxLinkDepth = 40;

std::string ErrnoText() { return std::strerror(errno); }

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// The file a save through `path` replaces: a symbolic link is followed to the
// file it names, so the link itself stays.
FileResult FollowLinks(const std::string& path, std::string* target) {
  std::string current = path;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = current;
      return FileResult::Ok();
    }
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
    if (n < 0) return FileResult::Fail(ErrnoText());
    link.resize(static_cast<std::size_t>(n));
    current = (!link.empty() && link[0] == '/') ? link : FolderOf(current) + link;
  }
  return FileResult::Fail(std::strerror(ELOOP));
}

std::size_t NameMax(const std::string& folder) {
  const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : std::size_t{255};
}

// Temporary files of earlier saves of the same file that never finished (the
// program ended during the save). A save in progress holds a lock on its
// temporary file, so only abandoned ones are removed.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return;
  const std::size_t length = prefix.size() + sizeof(kTempRandom) - 1;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.size() != length || name.substr(0, prefix.size()) != prefix ||
        name[prefix.size()] != '.') {
      continue;
    }
    const std::string leftover = folder + std::string(name);
    const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(leftover.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {

// Reads the file into `data`, which starts at the size the file states.
template <typename Bytes>
std::optional<Bytes> ReadAll(const std::string& path, std::string* error, int* error_number,
                             Bytes (*make)(std::size_t)) {
  auto fail = [&](int fd) -> std::optional<Bytes> {
    const int e = errno;
    if (error) *error = std::strerror(e);
    if (error_number) *error_number = e;
    if (fd >= 0) ::close(fd);
    return std::nullopt;
  };
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return fail(fd);
  struct stat st;
  if (::fstat(fd, &st) != 0) return fail(fd);
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return fail(fd);
  }
  // Read straight into the buffer at its final size; a file that grows
  // meanwhile is still read to its end.
  Bytes data = make(S_ISREG(st.st_mode) && st.st_size > 0 ? static_cast<std::size_t>(st.st_size)
                                                          : std::size_t{0});
  std::size_t have = 0;
  while (true) {
    ssize_t n;
    if (have < data.size()) {
      n = ::read(fd, data.data() + have, data.size() - have);
    } else {
      // The buffer is full, usually at the end of the file: look for more
      // through a small one, so that the end costs no reallocation.
      char probe[4096];
      n = ::read(fd, probe, sizeof probe);
      if (n > 0) data.append(probe, static_cast<std::size_t>(n));
    }
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(fd);
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  ::close(fd);
  data.resize(have);
  return data;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error,
                                         int* error_number) {
  return ReadAll<std::string>(path, error, error_number,
                              [](std::size_t size) { return std::string(size, '\0'); });
}

FileBytes::FileBytes(std::size_t size)
    : data_(std::make_unique_for_overwrite<char[]>(size)), size_(size), capacity_(size) {}

void FileBytes::append(const char* bytes, std::size_t count) {
  if (capacity_ - size_ < count) {
    const std::size_t capacity = std::max(2 * capacity_, size_ + count);
    auto larger = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(larger.get(), data_.get(), size_);
    data_ = std::move(larger);
    capacity_ = capacity;
  }
  std::memcpy(data_.get() + size_, bytes, count);
  size_ += count;
}

void FileBytes::resize(std::size_t size) { size_ = std::min(size, size_); }

std::optional<FileBytes> ReadFileBytes(const std::string& path, std::string* error,
                                       int* error_number) {
  return ReadAll<FileBytes>(path, error, error_number,
                            [](std::size_t size) { return FileBytes(size); });
}

std::string AtomicTempPrefix(const std::string& file_name, std::size_t name_max) {
  constexpr std::size_t kFixed = sizeof(kTempMark) - 1 + sizeof(kTempRandom) - 1;
  std::string stem = file_name;
  if (name_max > kFixed && stem.size() > name_max - kFixed) {
    std::size_t cut = name_max - kFixed;
    // Cut before a UTF-8 continuation byte's character, so the name stays
    // readable.
    while (cut > 0 && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80) --cut;
    stem.resize(cut);
  }
  return kTempMark + stem;
}

FileResult WriteFileAtomic(const std::string& path, std::string_view data, Durability durability) {
  return WriteFileAtomicStreamed(
      path, [&](const WriteBytes& write) { return write(data); }, durability);
}

FileResult WriteFileAtomicStreamed(const std::string& path,
                                   const std::function<bool(const WriteBytes&)>& produce,
                                   Durability durability) {
  std::string target;
  if (FileResult resolved = FollowLinks(path, &target); !resolved) return resolved;
  // Keep the permissions of the file being replaced; a new file gets 0644.
  struct stat st;
  mode_t mode = 0644;
  if (::stat(target.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode))
      return FileResult::Fail(S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file");
    // A file nobody may write is one the user protected: refuse it, even
    // for root, whom access() would let through.
    if (::access(target.c_str(), W_OK) != 0) return FileResult::Fail(ErrnoText());
    if ((st.st_mode & 0222) == 0) return FileResult::Fail(std::strerror(EACCES));
    mode = st.st_mode & 07777;
  }
  const std::string folder = FolderOf(target);
  const std::string prefix = AtomicTempPrefix(FileNameOf(target), NameMax(folder));
  RemoveLeftovers(folder, prefix);

  std::string tmpl = folder + prefix + kTempRandom;
  int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return FileResult::Fail(ErrnoText());
  // Held until the file is closed: a save running now is not a leftover.
  ::flock(fd, LOCK_EX);
  auto fail = [&](std::string why) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return FileResult::Fail(std::move(why));
  };
  if (::fchmod(fd, mode) != 0) return fail(ErrnoText());
  std::string write_error;
  const WriteBytes write = [&](std::string_view piece) {
    const char* p = piece.data();
    std::size_t left = piece.size();
    while (left > 0) {
      ssize_t n = ::write(fd, p, left);
      if (n < 0) {
        if (errno == EINTR) continue;
        write_error = ErrnoText();
        return false;
      }
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    return true;
  };
  if (!produce(write) || !write_error.empty()) {
    return fail(write_error.empty() ? std::strerror(EIO) : write_error);
  }
  const bool synced = durability == Durability::kSynced;
  if (synced && ::fsync(fd) != 0) return fail(ErrnoText());
  if (::rename(tmpl.c_str(), target.c_str()) != 0) return fail(ErrnoText());
  if (::close(fd) != 0) return FileResult::Fail(ErrnoText());
  if (synced) {
    // Make the rename itself durable.
    int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
      ::fsync(dfd);
      ::close(dfd);
    }
  }
  return FileResult::Ok();
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

std::string TempFolder() {
  const char* t = std::getenv("TMPDIR");
  std::string dir = (t && *t) ? t : "/tmp";
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

std::string MakeTempFile(const std::string& ext) {
  static std::mt19937_64 rng{std::random_device{}()};
  static const char kDigits[] = "0123456789ABCDEF";
  std::string suffix = ext.empty() ? "tmp" : ext;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = "~qy";
    std::uint64_t r = rng();
    for (int i = 0; i < 5; ++i) name += kDigits[(r >> (i * 4)) & 15];
    std::string path = TempFolder() + "/" + name + "." + suffix;
    int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) {
      ::close(fd);
      return path;
    }
    if (errno != EEXIST) return "";
  }
  return "";
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool CopyFile(const std::string& from, const std::string& to) {
  auto data = ReadWholeFile(from);
  return data && WriteFileAtomic(to, *data).ok;
}

std::string FileNameOf(const std::string& path) {
  std::size_t s = LastSeparator(path);
  return s == std::string::npos ? path : path.substr(s + 1);
}

std::string FolderOf(const std::string& path) {
  std::size_t s = LastSeparator(path);
  return s == std::string::npos ? std::string() : path.substr(0, s + 1);
}

std::string ChangeExtension(const std::string& path, const std::string& ext) {
  std::size_t s = LastSeparator(path);
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (s != std::string::npos && dot < s)) return path + ext;
  return path.substr(0, dot) + ext;
}

std::string BaseNameOf(const std::string& path) {
  std::string name = FileNameOf(path);
  std::size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace qy
