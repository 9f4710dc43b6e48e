// Running the built `tavlo` as a user would: its own process, standard input
// closed, standard output and error captured, a time limit.
#pragma once

#include <algorithm>

#include "shared/ProcessSupport.h"

namespace tooltest {

using namespace testprocess;

inline ToolRun tavlo(Args args, const fs::path& dir = {},
                     std::chrono::seconds limit = std::chrono::seconds(120)) {
  args.insert(args.begin(), TAVLO_BIN);
  return run(args, dir, limit);
}

// Everything under FOLDER, files and folders, relative to it, sorted.
inline std::vector<std::string> filesUnder(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    files.push_back(entry.path().lexically_relative(folder).string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace tooltest
