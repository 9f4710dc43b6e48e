// What the tests that write files or run programs share: reading and writing
// whole files, a scratch folder per test, and running a program in its own
// process with a time limit.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace testprocess {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

inline std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void spit(const fs::path& path, const std::string& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

struct ToolRun {
  bool finished = false;  // false: killed at the time limit
  int status = -1;        // when it exited
  int signal = 0;         // when a signal ended it
  std::string out;
  std::string err;
};

// Runs `args` (the program first, looked up on PATH) in `dir` (when given),
// standard input closed, killing its whole process group at `limit`. The
// output is captured outside `dir`, so a test can look at exactly what the
// program left there.
inline ToolRun run(const Args& args, const fs::path& dir = {},
                   std::chrono::seconds limit = std::chrono::seconds(120)) {
  static int serial = 0;
  const fs::path capture = fs::temp_directory_path() /
                           ("tavlo-run-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
  fs::create_directories(capture);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setpgid(0, 0);
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) ::_exit(126);
    ::dup2(::open("/dev/null", O_RDONLY), 0);
    ::dup2(::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  ToolRun result;
  int raw = 0;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!(result.finished = ::waitpid(pid, &raw, WNOHANG) == pid)) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &raw, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (result.finished && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  if (result.finished && WIFSIGNALED(raw)) result.signal = WTERMSIG(raw);
  result.out = slurp(capture / "out");
  result.err = slurp(capture / "err");
  fs::remove_all(capture);
  return result;
}

// A fresh folder named after the running test, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '-';
    path_ = fs::temp_directory_path() / ("tavlo-test-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const fs::path& path() const { return path_; }
  fs::path operator/(const fs::path& name) const { return path_ / name; }

 private:
  fs::path path_;
};

}  // namespace testprocess
