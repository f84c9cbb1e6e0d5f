#include "sim/keyboard_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "service/sim_endpoint_layout.h"
#include "sim/state_file.h"
#include "sim/unix_socket.h"

namespace sim {
namespace {

constexpr InterfaceInfo kInterfaces[kInterfaceCount] = {
    {simlayout::kConfigInterface, simlayout::kConfigUsagePage, simlayout::kConfigUsage},
    {simlayout::kConsumerInterface, simlayout::kConsumerUsagePage, simlayout::kConsumerUsage},
    {simlayout::kIndicatorInterface, simlayout::kIndicatorUsagePage, simlayout::kIndicatorUsage},
};

bool RemoveAt(int parent, const char* name) {
  if (::unlinkat(parent, name, 0) == 0 || errno == ENOENT) return true;
  if (errno != EISDIR && errno != EPERM) return false;
  int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  DIR* folder = ::fdopendir(fd);
  if (folder == nullptr) {
    ::close(fd);
    return false;
  }
  bool ok = true;
  while (dirent* entry = ::readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    ok = RemoveAt(::dirfd(folder), entry->d_name) && ok;
  }
  ::closedir(folder);
  return ::unlinkat(parent, name, AT_REMOVEDIR) == 0 && ok;
}

std::string DeviceFileText() {
  char line[96];
  std::snprintf(line, sizeof line, "vendor %04x\nproduct %04x\n", simlayout::kVendorId,
                simlayout::kProductId);
  std::string text = line;
  for (const auto& interface : kInterfaces) {
    std::snprintf(line, sizeof line, "interface %s %04x %04x\n", interface.file,
                  interface.usagePage, interface.usage);
    text += line;
  }
  return text;
}

}  // namespace

const InterfaceInfo& Interface(int index) {
  return kInterfaces[index];
}

FolderPaths KeyboardFolderPaths(const std::string& dir, const std::string& name) {
  std::string base = dir;
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return {base + "/" + name, base + "/." + name + ".tmp", base + "/." + name + ".gone"};
}

bool EnsureDirectory(const std::string& dir, std::string* error) {
  for (size_t end = 1; end <= dir.size(); ++end) {
    if (end != dir.size() && dir[end] != '/') continue;
    std::string part = dir.substr(0, end);
    if (::mkdir(part.c_str(), 0700) == 0 || errno == EEXIST) continue;
    *error = "cannot create " + part + ": " + std::strerror(errno);
    return false;
  }
  struct stat info;
  if (::stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    *error = dir + " is not a folder";
    return false;
  }
  return true;
}

bool RemoveTree(const std::string& path, std::string* error) {
  if (RemoveAt(AT_FDCWD, path.c_str())) return true;
  *error = "cannot remove " + path + ": " + std::strerror(errno);
  return false;
}

bool PlugFolder(const FolderPaths& paths, std::array<int, kInterfaceCount>* listeners,
                std::string* error) {
  listeners->fill(-1);
  auto fail = [&] {
    for (int& fd : *listeners) CloseFd(fd);
    std::string ignored;
    RemoveTree(paths.preparing, &ignored);
    return false;
  };
  if (!RemoveTree(paths.preparing, error) || !RemoveTree(paths.folder, error)) return false;
  if (::mkdir(paths.preparing.c_str(), 0755) != 0) {
    *error = "cannot create " + paths.preparing + ": " + std::strerror(errno);
    return false;
  }
  for (int i = 0; i < kInterfaceCount; ++i) {
    (*listeners)[i] =
        ListenUnix(paths.preparing + "/" + kInterfaces[i].file, SOCK_SEQPACKET, error);
    if ((*listeners)[i] < 0) return fail();
  }
  if (!WriteFileAtomically(paths.preparing + "/" + simlayout::kDeviceFile, DeviceFileText(),
                           error)) {
    return fail();
  }
  if (::rename(paths.preparing.c_str(), paths.folder.c_str()) != 0) {
    *error = "cannot rename " + paths.preparing + ": " + std::strerror(errno);
    return fail();
  }
  return true;
}

}  // namespace sim
