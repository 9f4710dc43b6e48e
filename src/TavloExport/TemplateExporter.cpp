// Custom templates: a Mustache template from the document's folder rendered
// with the task's tokens. A document can come from anywhere, so the template
// is refused outside that folder, and rendering runs in a child process with
// a time, memory and output limit: a template that nests lists into
// billions of lines or includes itself ends there, not in the build.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <system_error>

#include <kainjow/mustache.hpp>

#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "TavloExport/StyleSheetValues.h"

namespace tavlo::exports {

namespace {

namespace fs = std::filesystem;
namespace mustache = kainjow::mustache;

constexpr std::size_t kMaxTemplateBytes = 1 << 20;
constexpr std::size_t kMaxPartials = 64;
constexpr std::size_t kMaxOutputBytes = 64u << 20;
constexpr auto kMaxRenderTime = std::chrono::seconds(10);
constexpr rlim_t kMaxRenderMemory = rlim_t(2) << 30;

// LOCATION under FOLDER, or absent when it is absolute or leads out of it
// (through "..", or through a symbolic link).
std::optional<fs::path> insideFolder(const fs::path& folder, const std::string& location) {
  const fs::path relative(location);
  if (location.empty() || relative.is_absolute()) return std::nullopt;
  std::error_code error;
  const fs::path root = fs::weakly_canonical(folder, error);
  if (error) return std::nullopt;
  const fs::path resolved = fs::weakly_canonical(root / relative, error);
  if (error) return std::nullopt;
  auto r = root.begin();
  auto p = resolved.begin();
  for (; r != root.end(); ++r, ++p)
    if (p == resolved.end() || *r != *p) return std::nullopt;
  return resolved;
}

std::optional<std::string> readSmallFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kMaxTemplateBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

// Value texts as a template wants them: colours and shadows in the task's
// CSS notation, numbers plain, booleans true / false, strings unquoted.
std::string valueText(const ExportJob& job, const Token& token, ColorSource appearance) {
  if (const auto* string = std::get_if<std::string>(&token.displayValue(appearance))) return *string;
  return styleValue(job, token, appearance).text;
}

mustache::data templateData(const ExportJob& job) {
  mustache::data tokens = mustache::data::type::list;
  constexpr std::array<std::pair<ColorSource, std::string_view>, 4> appearances{
      {{ColorSource::light, "light"},
       {ColorSource::lightHighContrast, "lightHighContrast"},
       {ColorSource::dark, "dark"},
       {ColorSource::darkHighContrast, "darkHighContrast"}}};
  const auto& all = job.tokens();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Token& token = all[i];
    mustache::data entry;
    entry.set("name", job.name(token));
    entry.set("displayName", token.displayName());
    entry.set("kind", std::string(kindName(token.kind)));
    entry.set("is" + std::string(1, static_cast<char>(std::toupper(kindName(token.kind)[0]))) +
                  std::string(kindName(token.kind).substr(1)),
              mustache::data::type::bool_true);
    entry.set("differsByAppearance", token.differsByAppearance() ? mustache::data::type::bool_true
                                                                 : mustache::data::type::bool_false);
    for (const auto& [appearance, key] : appearances) {
      entry.set(std::string(key), valueText(job, token, appearance));
      entry.set(std::string(key) + "Name", job.variantName(token, appearance));
    }
    entry.set("last",
              i + 1 == all.size() ? mustache::data::type::bool_true : mustache::data::type::bool_false);
    tokens.push_back(entry);
  }
  mustache::data root;
  root.set("generatedNotice", job.generatedNotice());
  root.set("taskName", job.task().name());
  root.set("fileName", job.task().fullFileName());
  root.set("tokens", tokens);
  return root;
}

struct RenderOutcome {
  std::string bytes;
  std::optional<std::string> problem;
};

// Renders in a child process; the child writes the text into a pipe, the
// parent reads at most the output limit and stops the child at the deadline.
RenderOutcome renderBounded(mustache::mustache& view, const mustache::data& data) {
  int fds[2];
  if (pipe(fds) != 0) return {{}, "cannot start rendering: " + std::string(std::strerror(errno))};
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return {{}, "cannot start rendering: " + std::string(std::strerror(errno))};
  }
  if (child == 0) {
    close(fds[0]);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDERR_FILENO);
    const rlimit memory{kMaxRenderMemory, kMaxRenderMemory};
    setrlimit(RLIMIT_AS, &memory);
    std::size_t total = 0;
    view.render(data, [&](const std::string& piece) {
      total += piece.size();
      if (total > kMaxOutputBytes) _exit(3);
      for (std::size_t done = 0; done < piece.size();) {
        const ssize_t n = write(fds[1], piece.data() + done, piece.size() - done);
        if (n <= 0) _exit(4);
        done += static_cast<std::size_t>(n);
      }
    });
    _exit(view.is_valid() ? 0 : 5);
  }
  close(fds[1]);
  RenderOutcome outcome;
  const auto deadline = std::chrono::steady_clock::now() + kMaxRenderTime;
  char buffer[65536];
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      outcome.problem =
          "the template takes longer than " + std::to_string(kMaxRenderTime.count()) + " seconds";
      break;
    }
    pollfd fd{fds[0], POLLIN, 0};
    const int ready = poll(&fd, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    const ssize_t n = read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    outcome.bytes.append(buffer, static_cast<std::size_t>(n));
    if (outcome.bytes.size() > kMaxOutputBytes) break;
  }
  close(fds[0]);
  if (outcome.problem || outcome.bytes.size() > kMaxOutputBytes) kill(child, SIGKILL);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (outcome.problem) return outcome;
  if (outcome.bytes.size() > kMaxOutputBytes || (WIFEXITED(status) && WEXITSTATUS(status) == 3))
    return {{}, "the template expands to more than " + std::to_string(kMaxOutputBytes >> 20) + " MiB"};
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return {{}, "the template could not be rendered (it may include itself without end)"};
  return outcome;
}

class TemplateExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override {
    const auto location = job.customValue(CustomTemplateLocation::customKey);
    if (!location || location->empty()) {
      diagnostics.error("no template is set (" + std::string(CustomTemplateLocation::customKey) + ")");
      return {};
    }
    const fs::path folder = job.documentFolder();
    const auto path = insideFolder(folder, *location);
    if (!path) {
      diagnostics.error("template '" + *location + "' is outside the document's folder; refused");
      return {};
    }
    const auto text = readSmallFile(*path);
    if (!text) {
      diagnostics.error("cannot read template '" + *location + "'");
      return {};
    }
    if (text->size() > kMaxTemplateBytes) {
      diagnostics.error("template '" + *location + "' is larger than 1 MiB");
      return {};
    }
    mustache::mustache view(*text);
    if (!view.is_valid()) {
      diagnostics.error("template '" + *location + "': " + view.error_message());
      return {};
    }
    mustache::data data = templateData(job);
    addPartials(data, *text, path->parent_path(), folder, diagnostics);
    RenderOutcome outcome = renderBounded(view, data);
    if (outcome.problem) {
      diagnostics.error("template '" + *location + "': " + *outcome.problem);
      return {};
    }
    return {{job.filePath(), std::move(outcome.bytes)}};
  }

 private:
  // "{{> name}}" includes the file NAME beside the template, under the same
  // rules as the template itself; partials may include further partials.
  static void addPartials(mustache::data& data, const std::string& text, const fs::path& templateFolder,
                          const fs::path& documentFolder, Diagnostics& diagnostics) {
    static const std::regex include(R"(\{\{>\s*([^}\s]+)\s*\}\})");
    std::vector<std::string> pending{text};
    std::set<std::string> seen;
    while (!pending.empty() && seen.size() < kMaxPartials) {
      const std::string source = std::move(pending.back());
      pending.pop_back();
      for (std::sregex_iterator it(source.begin(), source.end(), include), end; it != end; ++it) {
        const std::string name = (*it)[1];
        if (!seen.insert(name).second) continue;
        std::error_code error;
        const auto relative = fs::relative(templateFolder / name, documentFolder, error);
        const auto path = error ? std::nullopt : insideFolder(documentFolder, relative.string());
        std::optional<std::string> partial = path ? readSmallFile(*path) : std::nullopt;
        if (!partial || partial->size() > kMaxTemplateBytes) {
          diagnostics.warning("partial '" + name +
                              "' is missing or outside the document's folder; it renders empty");
          partial = std::string();
        }
        pending.push_back(*partial);
        data.set(name, mustache::partial([content = *partial] { return content; }));
      }
    }
  }
};

const ExporterRegistration registration{BuildFileType::customTemplate, std::make_unique<TemplateExporter>()};

}  // namespace

}  // namespace tavlo::exports
