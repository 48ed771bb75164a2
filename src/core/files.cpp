#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>

namespace qy {

namespace {
std::string ErrnoText() { return std::strerror(errno); }

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }
}  // namespace

bool FileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = ErrnoText();
    return std::nullopt;
  }
  std::string data;
  struct stat st;
  if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  while (true) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (error) *error = ErrnoText();
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return data;
}

FileResult WriteFileAtomic(const std::string& path, const std::string& data) {
  std::string tmpl = FolderOf(path) + ".~qy" + FileNameOf(path) + ".XXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return FileResult::Fail(ErrnoText());
  auto fail = [&](std::string why) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return FileResult::Fail(std::move(why));
  };
  // Keep the permissions of the file being replaced; a new file gets 0644.
  struct stat st;
  mode_t mode = 0644;
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return fail("not a regular file");
    mode = st.st_mode & 07777;
  }
  ::fchmod(fd, mode);
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(ErrnoText());
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(ErrnoText());
  if (::close(fd) != 0) {
    std::string why = ErrnoText();
    ::unlink(tmpl.c_str());
    return FileResult::Fail(why);
  }
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    std::string why = ErrnoText();
    ::unlink(tmpl.c_str());
    return FileResult::Fail(why);
  }
  // Make the rename itself durable.
  std::string folder = FolderOf(path);
  int dfd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return FileResult::Ok();
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
