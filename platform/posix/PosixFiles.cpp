#include "platform/posix/PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace sm::platform {

namespace {
std::string Why(const char* what) { return std::string(what) + ": " + std::strerror(errno); }
std::string DirOf(const std::string& p) {
  auto s = p.find_last_of('/');
  return s == std::string::npos ? "." : (s == 0 ? "/" : p.substr(0, s));
}
}  // namespace

bool PosixFiles::Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::optional<std::string> PosixFiles::Read(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw IoError(path, Why("cannot open"));
  }
  struct stat st {};
  std::string bytes;
  if (::fstat(fd, &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ::close(fd);
      errno = e;
      throw IoError(path, Why("cannot read"));
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

void PosixFiles::Replace(const std::string& path, const std::string& bytes) {
  std::string temp;
  int fd = -1;
  for (int n = 0; n < 100 && fd < 0; ++n) {
    temp = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(n);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw IoError(path, Why("cannot create a temporary file"));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      std::string why = Why("cannot write");
      ::close(fd);
      ::unlink(temp.c_str());
      throw IoError(path, why);
    }
    done += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    std::string why = Why("cannot flush");
    ::unlink(temp.c_str());
    throw IoError(path, why);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    std::string why = Why("cannot replace");
    ::unlink(temp.c_str());
    throw IoError(path, why);
  }
  int dir = ::open(DirOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

bool PosixFiles::Remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

std::string PosixFiles::ExecutablePath() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
}

}  // namespace sm::platform
