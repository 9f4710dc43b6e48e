#include "TavloData/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tavlo {

FileBytes readFileBytes(const std::string& path) {
  FileBytes result;
  // Opening a named pipe waits for a writer unless it is non-blocking; the
  // reads after it block again, so a pipe with a writer is read to its end
  // and one without reads as end of file at once.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  struct stat status {};
  if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(fd);
    result.error = EISDIR;
    return result;
  }
  if (status.st_size > 0 && static_cast<std::size_t>(status.st_size) <= maxFileBytes)
    result.bytes.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      result.error = errno;
      result.bytes.clear();
      break;
    }
    if (result.bytes.size() + static_cast<std::size_t>(n) > maxFileBytes) {
      result.error = EFBIG;
      result.bytes.clear();
      break;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return result;
}

}  // namespace tavlo
