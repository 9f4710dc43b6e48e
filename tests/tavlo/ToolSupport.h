// Running the built `tavlo` as a user would: its own process, standard input
// closed, standard output and error captured, a time limit.
#pragma once

#include "shared/ProcessSupport.h"

namespace tooltest {

using namespace testprocess;

inline ToolRun tavlo(Args args, const fs::path& dir = {},
                     std::chrono::seconds limit = std::chrono::seconds(120)) {
  args.insert(args.begin(), TAVLO_BIN);
  return run(args, dir, limit);
}

}  // namespace tooltest
