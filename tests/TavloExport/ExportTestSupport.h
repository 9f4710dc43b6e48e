// What the export tests share: documents read from text or from examples/,
// tasks run into memory, and the programs that read the outputs.
#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "shared/ProcessSupport.h"

namespace exporttest {

namespace fs = std::filesystem;
using tavlo::exports::Diagnostics;
using tavlo::exports::ExportedFile;
using tavlo::exports::ExportJob;
using testprocess::slurp;
using testprocess::spit;

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

// A <variant> of appearance TYPE (empty: light) holding VALUE in a TAG element.
inline std::string variant(const std::string& value, const std::string& type = "",
                           const std::string& tag = "rgba") {
  return std::string("<variant") + (type.empty() ? "" : " type=\"" + type + "\"") + "><" + tag + ">" + value +
         "</" + tag + "></variant>";
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

// The task named NAME of PROJECT's first build group.
inline const tavlo::BuildTask* taskNamed(const tavlo::MerrinColorProject& project, const std::string& name) {
  for (const auto& task : project.buildGroups().front()->tasks())
    if (task->name() == name) return task.get();
  ADD_FAILURE() << "no task " << name;
  return nullptr;
}

inline TaskRun runTask(const tavlo::MerrinColorProject& project, const std::string& name,
                       const fs::path& documentPath = "document.tavlo") {
  TaskRun run;
  if (const auto* task = taskNamed(project, name)) {
    ExportJob job(project, *project.buildGroups().front(), *task, documentPath);
    run.files = tavlo::exports::runExport(job, run.diagnostics);
  }
  return run;
}

// Whether PROGRAM is on the PATH.
inline bool haveProgram(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs COMMAND through the shell: its exit status and everything it printed.
inline testprocess::ToolRun runCommand(const std::string& command) {
  return testprocess::run({"/bin/sh", "-c", command + " 2>&1"}, {}, std::chrono::seconds(600));
}

using Scratch = testprocess::ScratchFolder;

}  // namespace exporttest
