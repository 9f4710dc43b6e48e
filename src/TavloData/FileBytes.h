// Reading a whole file into memory, for the command and the preview host,
// which both report a failure with the system's reason.
#pragma once

#include <string>

namespace tavlo {

struct FileBytes {
  std::string bytes;
  int error = 0;  // the errno that stopped the reading; 0 on success
};

// The whole content of the file at `path`. A directory fails with EISDIR
// rather than reading as empty.
FileBytes readFileBytes(const std::string& path);

}  // namespace tavlo
