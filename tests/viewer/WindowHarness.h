// The viewer as a user meets it: its own X server (Xvfb), the window's
// report lines, and the screen's pixels.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "tavlo/ToolSupport.h"

namespace viewertest {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline bool onPath(const std::string& tool) {
  return tooltest::run({"sh", "-c", "command -v " + tool}).status == 0;
}

// A program in its own process group, its standard output read line by line.
class Process {
 public:
  explicit Process(const tooltest::Args& args) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::setpgid(0, 0);
      ::dup2(fds[1], 1);
      ::dup2(::open("/dev/null", O_WRONLY), 2);
      ::close(fds[0]);
      std::vector<char*> argv;
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      ::execvp(argv[0], argv.data());
      ::_exit(127);
    }
    ::close(fds[1]);
    out_ = fds[0];
  }
  ~Process() {
    if (pid_ > 0) {
      ::kill(-pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool isRunning() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }

  // The next line that starts with `prefix` (other lines are skipped);
  // empty when none comes before `limit`.
  std::string lineStartingWith(const std::string& prefix, Clock::duration limit = 10s) {
    const auto deadline = Clock::now() + limit;
    for (;;) {
      for (auto end = buffer_.find('\n'); end != std::string::npos; end = buffer_.find('\n')) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        if (line.rfind(prefix, 0) == 0) return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd p{out_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return {};
      char chunk[4096];
      const ssize_t n = ::read(out_, chunk, sizeof chunk);
      if (n <= 0) return {};
      buffer_.append(chunk, static_cast<std::size_t>(n));
    }
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffer_;
};

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// An X server of its own, on a display number it picks itself.
class XServer {
 public:
  static constexpr int width = 1280, height = 900;

  XServer()
      : process_({"Xvfb", "-displayfd", "1", "-screen", "0", "1280x900x24", "-nolisten", "tcp", "-noreset"}) {
    const std::string number = process_.lineStartingWith("", 10s);
    if (!number.empty()) display_ = ":" + number;
  }
  const std::string& display() const { return display_; }

  // Runs an X client (xdotool, import) against this server.
  tooltest::ToolRun client(tooltest::Args args) const {
    args.insert(args.begin(), {"env", "DISPLAY=" + display_});
    return tooltest::run(args, {}, std::chrono::seconds(20));
  }

  // The whole screen, 8 bits per channel.
  std::vector<std::uint8_t> capture() const {
    const auto path = std::filesystem::temp_directory_path() / ("tavlo-screen-" + std::to_string(::getpid()));
    client({"import", "-silent", "-window", "root", "-depth", "8", "rgb:" + path.string()});
    const std::string bytes = tooltest::slurp(path);
    std::filesystem::remove(path);
    return {bytes.begin(), bytes.end()};
  }
  static Rgb pixel(const std::vector<std::uint8_t>& screen, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
    if (x < 0 || y < 0 || x >= width || y >= height || at + 2 >= screen.size()) return {-1, -1, -1};
    return {screen[at], screen[at + 1], screen[at + 2]};
  }

 private:
  Process process_;
  std::string display_;
};

}  // namespace viewertest
