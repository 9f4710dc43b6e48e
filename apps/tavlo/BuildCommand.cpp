// tavlo build FILE [-o DIR] [--group NAME]... [--dry-run]: run the document's
// export tasks. Every file goes to ROOT/folder/name, ROOT being DIR or the
// document's folder; a task whose paths would leave ROOT (absolute, "..", a
// symbolic link out) is refused whole, and the other tasks still run.
// Files whose bytes are unchanged are left alone, so their mtimes stay.
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "Command.h"
#include "FileIO.h"
#include "ProjectInput.h"
#include "TavloData/BuildGroup.h"
#include "TavloData/FileBytes.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"

namespace tavlo::cli {

namespace {

namespace fs = std::filesystem;

// Leaves room in a file name for the temporary file written beside it.
constexpr std::size_t kMaxNameBytes = 240;
constexpr std::size_t kMaxPathBytes = 4000;

struct BuildOptions {
  std::string input;
  std::string output;
  std::vector<std::string> groups;
  bool dryRun = false;
};

// PATH as parts below the root, or the reason it cannot be written there.
std::optional<std::string> checkRelative(const std::string& path, std::vector<std::string>& parts) {
  if (path.empty()) return "an empty file name";
  if (path.size() > kMaxPathBytes) return "a path longer than " + std::to_string(kMaxPathBytes) + " bytes";
  if (path.front() == '/') return "an absolute path ('" + path + "')";
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find('/', start), path.size());
    const std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") return "a path that climbs out of the output folder ('" + path + "')";
    if (part.size() > kMaxNameBytes)
      return "a name longer than " + std::to_string(kMaxNameBytes) + " bytes in '" + path.substr(0, 60) +
             "...'";
    if (part.find('\0') != std::string::npos) return "a name with a NUL character";
    parts.push_back(part);
  }
  if (parts.empty()) return "an empty file name";
  return std::nullopt;
}

// Whether TARGET, with every symbolic link that exists on its way resolved, stays in ROOT.
bool staysInside(const fs::path& root, const fs::path& target) {
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(target, error);
  if (error) return false;
  auto r = root.begin();
  auto t = resolved.begin();
  for (; r != root.end(); ++r, ++t)
    if (t == resolved.end() || *r != *t) return false;
  return t != resolved.end();
}

struct PlannedFile {
  std::string relative;
  fs::path target;
  std::string bytes;
};

CommandRun setupBuild(CLI::App& command) {
  auto options = std::make_shared<BuildOptions>();
  command.add_option("FILE", options->input, "The document whose export tasks run")->required();
  command.add_option("-o,--output", options->output, "Output root; the document's folder unless given");
  command.add_option("--group", options->groups, "Run only the build group with this name (repeatable)");
  command.add_flag("--dry-run", options->dryRun, "List the files that would be written; write nothing");
  return [options] {
    std::shared_ptr<MerrinColorProject> project = readProjectFile(options->input);
    if (!project) return 1;
    const fs::path document(options->input);
    fs::path rootPath = options->output.empty() ? document.parent_path() : fs::path(options->output);
    if (rootPath.empty()) rootPath = ".";
    std::error_code error;
    if (!options->dryRun) fs::create_directories(rootPath, error);
    const fs::path root = fs::weakly_canonical(rootPath, error);
    if (error) {
      printError("cannot use output folder '" + rootPath.string() + "': " + error.message());
      return 1;
    }

    int status = 0;
    // A group name the document does not have is a usage error, as for check.
    for (const auto& name : options->groups) {
      bool found = false;
      for (const auto& group : project->buildGroups()) found = found || (group && group->name() == name);
      if (!found) {
        printError("no build group named '" + name + "'");
        return 2;
      }
    }

    std::size_t written = 0, unchanged = 0, tasks = 0, failed = 0;
    for (const auto& group : project->buildGroups()) {
      if (!group) continue;
      if (!options->groups.empty() &&
          std::find(options->groups.begin(), options->groups.end(), group->name()) == options->groups.end())
        continue;
      // The group's items are resolved once for all its tasks.
      const auto resolved = std::make_shared<const exports::GroupTokens>(*project, *group);
      for (const auto& task : group->tasks()) {
        if (!task) continue;
        ++tasks;
        const std::string label = "task '" + task->name() + "': ";
        exports::ExportJob job(resolved, *task, document);
        exports::Diagnostics diagnostics;
        std::vector<exports::ExportedFile> files = exports::runExport(job, diagnostics);
        for (const auto& entry : diagnostics.entries())
          printError(label + (entry.isError ? "" : "warning: ") + entry.message);

        // Every path is checked before anything of the task is written.
        std::vector<PlannedFile> planned;
        std::optional<std::string> refusal;
        for (auto& file : files) {
          std::vector<std::string> parts;
          refusal = checkRelative(file.path, parts);
          if (refusal) break;
          fs::path target = root;
          std::string relative;
          for (const auto& part : parts) {
            target /= part;
            relative += (relative.empty() ? "" : "/") + part;
          }
          if (!staysInside(root, target)) {
            refusal = "'" + relative + "' leads out of the output folder through a symbolic link";
            break;
          }
          planned.push_back({relative, target, std::move(file.bytes)});
        }
        if (refusal) {
          printError(label + "refused: " + *refusal + "; nothing written for it");
          ++failed;
          status = 1;
          continue;
        }
        if (diagnostics.hasErrors()) {
          ++failed;
          status = 1;
        }
        for (const auto& file : planned) {
          if (options->dryRun) {
            std::printf("%s\n", file.relative.c_str());
            continue;
          }
          FileBytes old = readFileBytes(file.target.string());
          if (old.error == 0 && old.bytes == file.bytes) {
            ++unchanged;
            continue;
          }
          fs::create_directories(file.target.parent_path(), error);
          if (!writeWholeFile(file.target.string(), file.bytes)) {
            status = 1;
            continue;
          }
          ++written;
          std::printf("%s\n", file.relative.c_str());
        }
      }
    }
    std::fflush(stdout);
    std::string summary = std::to_string(tasks) + (tasks == 1 ? " task, " : " tasks, ");
    if (options->dryRun) {
      summary += "dry run: nothing written";
    } else {
      summary += std::to_string(written) + " written, " + std::to_string(unchanged) + " unchanged";
    }
    if (failed) summary += ", " + std::to_string(failed) + " with problems";
    printError(summary);
    return status;
  };
}

const CommandRegistration registration{"build", "Run the document's export tasks", setupBuild};

}  // namespace

}  // namespace tavlo::cli
