// What the export tests share: documents read from text or from examples/,
// tasks run into memory, and the programs that read the outputs.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"

namespace exporttest {

namespace fs = std::filesystem;
using tavlo::exports::Diagnostics;
using tavlo::exports::ExportedFile;
using tavlo::exports::ExportJob;

inline std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void spit(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

inline const fs::path& showcasePath() {
  static const fs::path path = fs::path(TAVLO_SOURCE_DIR) / "examples" / "build-showcase.tavlo";
  return path;
}

inline std::shared_ptr<tavlo::MerrinColorProject> readDocument(const std::string& text) {
  return tavlo::MerrinColorFileReader().parse(text);
}

// A document whose ITEMS (colorItems children) all link to one build group with TASKS.
inline std::string document(const std::string& items, const std::string& tasks) {
  return R"(<?xml version="1.0" encoding="UTF-8"?>
<tavlo xmlns="https://tavlo.example/tavlo"><project><colorItems>)" +
         items + R"(</colorItems><buildGroups><buildGroup><id>G</id><name>All</name><tasks>)" + tasks +
         R"(</tasks></buildGroup></buildGroups></project></tavlo>)";
}

// A task element: type and transform codes, optional format word and configuration.
inline std::string task(const std::string& name, int fileType, int transform, const std::string& fileName,
                        const std::string& extra = "") {
  return "<task><name>" + name + "</name><id>" + name + "</id><folder>out</folder><fileName>" + fileName +
         "</fileName><fileType>" + std::to_string(fileType) + "</fileType><nameTransform>" +
         std::to_string(transform) + "</nameTransform>" + extra + "</task>";
}

// A colour item linked to the group; VARIANTS are <variant> elements.
inline std::string color(const std::string& id, const std::string& name, const std::string& variants,
                         const std::string& profile = "sRGB",
                         const std::string& appearance = "lightDarkHighContrast") {
  return "<colorItem><id>" + id + "</id><name>" + name + "</name><profile>" + profile +
         "</profile><appearance>" + appearance + "</appearance><color><variants>" + variants +
         "</variants></color><buildGroupId>G</buildGroupId></colorItem>";
}

inline std::string variant(const std::string& rgba, const std::string& type = "") {
  return std::string("<variant") + (type.empty() ? "" : " type=\"" + type + "\"") + "><rgba>" + rgba +
         "</rgba></variant>";
}

struct TaskRun {
  std::vector<ExportedFile> files;
  Diagnostics diagnostics;
  std::string errors() const {
    std::string text;
    for (const auto& entry : diagnostics.entries())
      if (entry.isError) text += entry.message + "\n";
    return text;
  }
};

// Runs the task named NAME of PROJECT's first build group.
inline TaskRun runTask(const tavlo::MerrinColorProject& project, const std::string& name,
                       const fs::path& documentPath = "document.tavlo") {
  TaskRun run;
  for (const auto& group : project.buildGroups())
    for (const auto& task : group->tasks())
      if (task->name() == name) {
        ExportJob job(project, *group, *task, documentPath);
        run.files = tavlo::exports::runExport(job, run.diagnostics);
        return run;
      }
  ADD_FAILURE() << "no task " << name;
  return run;
}

// Whether PROGRAM is on the PATH.
inline bool haveProgram(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs COMMAND through the shell; its standard output and error, and its exit status.
struct CommandResult {
  int status = -1;
  std::string output;
};
inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  const int raw = ::pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

// A fresh folder for one test, removed afterwards.
class Scratch {
 public:
  Scratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '-';
    path_ = fs::temp_directory_path() / ("tavlo-export-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  fs::path operator/(const fs::path& name) const { return path_ / name; }

 private:
  fs::path path_;
};

}  // namespace exporttest
