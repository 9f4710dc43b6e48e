// Reading a whole file into memory, for the command and the preview host,
// which both report a failure with the system's reason.
#pragma once

#include <cstddef>
#include <string>

namespace tavlo {

struct FileBytes {
  std::string bytes;
  int error = 0;  // the errno that stopped the reading; 0 on success
};

// Larger inputs are refused with EFBIG: no document comes near it, and a
// device such as /dev/zero would otherwise be read until memory runs out.
inline constexpr std::size_t maxFileBytes = std::size_t{1} << 30;

// The whole content of the file at `path`. A directory fails with EISDIR
// rather than reading as empty. A named pipe without a writer reads as empty
// instead of waiting for one; with a writer it is read to its end.
FileBytes readFileBytes(const std::string& path);

}  // namespace tavlo
