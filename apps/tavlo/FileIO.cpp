#include "FileIO.h"

#include "Command.h"
#include "TavloData/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavlo::cli {

namespace {

std::string quoted(const std::string& path) {
  return "'" + path + "'";
}

bool writeAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path) {
  FileBytes read = readFileBytes(path);
  if (read.error != 0) {
    printError("cannot read " + quoted(path) + ": " + std::strerror(read.error));
    return std::nullopt;
  }
  return std::move(read.bytes);
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
  if (path == "-") {
    if (!writeAll(STDOUT_FILENO, bytes)) {
      printError(std::string("cannot write standard output: ") + std::strerror(errno));
      return false;
    }
    return true;
  }
  std::string temp = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    printError("cannot write " + quoted(path) + ": " + std::strerror(errno));
    return false;
  }
  // Keep the permissions of the file being replaced; a new file gets 0644.
  struct stat st {};
  mode_t mode = ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
  ::fchmod(fd, mode);
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  int err = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(temp.c_str());
    printError("cannot write " + quoted(path) + ": " + std::strerror(err));
  }
  return ok;
}

}  // namespace tavlo::cli
