#include "base/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/write_guard.h"

namespace tolv {

// ".<name>.<pid>.<n>.tmp": hidden, per process, never an existing file.
static std::string TempName(const std::string& name, unsigned n) {
  char tail[48];
  std::snprintf(tail, sizeof tail, ".%ld.%u.tmp", static_cast<long>(::getpid()), n);
  return "." + name + tail;
}

std::string AtomicTempPattern(const std::string& name) { return "." + name + ".*.tmp"; }

// The process a temporary name of `name` belongs to, or 0 when the entry
// is not one.
static long TempOwner(const std::string& entry, const std::string& name) {
  const std::string head = "." + name + ".";
  if (entry.compare(0, head.size(), head) != 0 || entry.size() < head.size() + 4 ||
      entry.compare(entry.size() - 4, 4, ".tmp") != 0)
    return 0;
  char* end = nullptr;
  long pid = std::strtol(entry.c_str() + head.size(), &end, 10);
  return *end == '.' && pid > 0 ? pid : 0;
}

void RemoveStaleAtomicFiles(const std::string& path) {
  std::string name;
  const int folder = OpenWriteFolder(path, &name);
  if (folder < 0) return;
  const int list = ::dup(folder);
  DIR* d = list >= 0 ? ::fdopendir(list) : nullptr;
  if (!d && list >= 0) ::close(list);
  while (dirent* e = d ? ::readdir(d) : nullptr) {
    const long pid = TempOwner(e->d_name, name);
    if (pid && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      ::unlinkat(folder, e->d_name, 0);
  }
  if (d) ::closedir(d);
  ::close(folder);
}

static void CloseFolder(AtomicFile& f) {
  if (f.folder >= 0) ::close(f.folder);
  f.folder = -1;
}

bool BeginAtomicFile(AtomicFile& f, const std::string& path) {
  f = AtomicFile{};
  f.path = path;
  f.folder = OpenWriteFolder(path, &f.name);
  if (f.folder < 0) return false;
  if (!MayReplace(f.folder, f.name)) {
    CloseFolder(f);
    return false;
  }
  const std::string dir = path.substr(0, path.size() - f.name.size());
  for (unsigned n = 0; n < 100; n++) {
    std::string temp = TempName(f.name, n);
    int fd = ::openat(f.folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      f.fd = fd;
      f.temp_name = temp;
      f.temp_path = dir + temp;
      f.ok = true;
      return true;
    }
    if (errno != EEXIST) break;
  }
  CloseFolder(f);
  return false;
}

static bool WriteOut(AtomicFile& f, const void* data, size_t n) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (f.ok && n > 0) {
    ssize_t k = ::write(f.fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) {
      f.ok = false;
      break;
    }
    p += k;
    n -= static_cast<size_t>(k);
  }
  return f.ok;
}

bool FlushAtomicFile(AtomicFile& f) {
  if (!f.pending.empty()) WriteOut(f, f.pending.data(), f.pending.size());
  f.pending.clear();
  return f.ok;
}

bool WriteAtomicFile(AtomicFile& f, const void* data, size_t n) {
  return FlushAtomicFile(f) && WriteOut(f, data, n);
}

bool CommitAtomicFile(AtomicFile& f) {
  if (f.fd < 0) return false;
  FlushAtomicFile(f);
  bool ok = f.ok && ::fsync(f.fd) == 0;
  ok = ::close(f.fd) == 0 && ok;
  f.fd = -1;
  // A hard link made at the target while the file was written is not
  // written through either: the rename replaces the name only.
  if (ok && ::renameat(f.folder, f.temp_name.c_str(), f.folder, f.name.c_str()) == 0) {
    f.temp_path.clear();
    f.temp_name.clear();
    CloseFolder(f);
    return true;
  }
  f.ok = false;
  AbandonAtomicFile(f);
  return false;
}

void AbandonAtomicFile(AtomicFile& f) {
  if (f.fd >= 0) ::close(f.fd);
  f.fd = -1;
  if (!f.temp_name.empty() && f.folder >= 0) ::unlinkat(f.folder, f.temp_name.c_str(), 0);
  f.temp_path.clear();
  f.temp_name.clear();
  CloseFolder(f);
  f.pending.clear();
  f.ok = false;
}

bool SaveFileAtomically(const std::string& path, const void* data, size_t n) {
  AtomicFile f;
  if (!BeginAtomicFile(f, path)) return false;
  WriteAtomicFile(f, data, n);
  return CommitAtomicFile(f);
}

}  // namespace tolv
