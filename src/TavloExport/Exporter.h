// Running one export task: a file type's exporter turns the task's tokens
// into the bytes of one or more files.
//
// How an exporter uses this:
//   1. Write a class deriving from Exporter in its own .cpp file and register
//      one instance there at namespace scope:
//        const ExporterRegistration registration{BuildFileType::css, std::make_unique<CssExporter>()};
//      Nothing else names it; programs link TavloExportAll, which keeps it.
//   2. run() gets an ExportJob (ExportJob.h): the task, its tokens in tree
//      order with their exported names, variant values per appearance and
//      alias targets, and helpers for variant names, colour texts
//      (ColorTexts.h), file paths and the generated-file notice. It returns
//      the files to write, each with a path relative to the output root
//      (normally job.filePath()); the command checks every path, so an
//      exporter never touches the disk.
//   3. Problems go to Diagnostics: warning() for what is written anyway but
//      deserves a look (a colour clipped into sRGB), error() for what the
//      user must fix (two tokens that map to one name; a template refused).
//      Returning no files together with an error refuses the task.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TavloData/BuildGroup.h"

namespace tavlo::exports {

class ExportJob;

// One file to write, relative to the output root, with '/' between parts.
struct ExportedFile {
  std::string path;
  std::string bytes;
};

// Problems found while exporting; the command prints them, prefixed with the task's name.
class Diagnostics {
 public:
  struct Entry {
    bool isError;
    std::string message;
  };

  void warning(std::string message) { entries_.push_back({false, std::move(message)}); }
  void error(std::string message) { entries_.push_back({true, std::move(message)}); }

  const std::vector<Entry>& entries() const { return entries_; }
  bool hasErrors() const;

 private:
  std::vector<Entry> entries_;
};

class Exporter {
 public:
  virtual ~Exporter() = default;
  virtual std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const = 0;
};

// Define one at namespace scope in the exporter's file; a second registration
// for the same file type replaces the first.
struct ExporterRegistration {
  ExporterRegistration(BuildFileType type, std::unique_ptr<Exporter> exporter);
};

// The registered exporter, or null.
const Exporter* exporterFor(BuildFileType type);

// Runs the task's exporter; a file type without one reports
// "CSS files are not supported yet" as an error and writes nothing.
std::vector<ExportedFile> runExport(const ExportJob& job, Diagnostics& diagnostics);

}  // namespace tavlo::exports
