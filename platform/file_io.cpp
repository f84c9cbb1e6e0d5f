#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace platform {

ReadStatus ReadWholeFile(const std::string& path, std::string* content) {
  content->clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return errno == ENOENT || errno == ENOTDIR ? ReadStatus::kMissing : ReadStatus::kUnreadable;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return ReadStatus::kUnreadable;
  }
  char buffer[16384];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      close(fd);
      content->clear();
      return ReadStatus::kUnreadable;
    }
    content->append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return ReadStatus::kOk;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view content) {
  std::string pattern = path + ".XXXXXX";
  const int fd = mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return false;
  // Keep the permissions of the file being replaced; new files are private.
  struct stat existing;
  fchmod(fd, stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0600);
  bool ok = true;
  std::size_t written = 0;
  while (ok && written < content.size()) {
    const ssize_t n = write(fd, content.data() + written, content.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      written += static_cast<std::size_t>(n);
  }
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(pattern.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) unlink(pattern.c_str());
  return ok;
}

bool EnsureFolder(const std::string& path) {
  if (path.empty()) return false;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::string parent = FolderOf(path);
  if (!parent.empty() && parent != path && !EnsureFolder(parent)) return false;
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

}  // namespace platform
