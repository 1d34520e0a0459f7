#include "base/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace tolv {

// "<dir>/.<name>.<pid>.<n>.tmp": hidden, per process, never an existing file.
static std::string TempName(const std::string& path, unsigned n) {
  size_t slash = path.find_last_of('/');
  std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  char tail[48];
  std::snprintf(tail, sizeof tail, ".%ld.%u.tmp", static_cast<long>(::getpid()), n);
  return dir + "." + name + tail;
}

std::string AtomicTempPattern(const std::string& name) { return "." + name + ".*.tmp"; }

bool BeginAtomicFile(AtomicFile& f, const std::string& path) {
  f = AtomicFile{};
  f.path = path;
  for (unsigned n = 0; n < 100; n++) {
    std::string temp = TempName(path, n);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) {
      f.fd = fd;
      f.temp_path = temp;
      f.ok = true;
      return true;
    }
    if (errno != EEXIST) break;
  }
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
  if (ok && ::rename(f.temp_path.c_str(), f.path.c_str()) == 0) {
    f.temp_path.clear();
    return true;
  }
  f.ok = false;
  AbandonAtomicFile(f);
  return false;
}

void AbandonAtomicFile(AtomicFile& f) {
  if (f.fd >= 0) ::close(f.fd);
  f.fd = -1;
  if (!f.temp_path.empty()) ::unlink(f.temp_path.c_str());
  f.temp_path.clear();
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
