// Export tasks run on whatever a downloaded document holds: every exporter,
// over the items of every build group, must finish and write files that
// their readers accept. Each input is read; then each of the document's own
// tasks runs, and each file type runs once more over the first build groups
// with the transform and format picked by the input's first byte. JSON
// outputs must parse and XML outputs must be well formed; anything else
// stops the fuzzer.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"
#include "xmltree/XML.h"

namespace {

// Templates are looked up beside the document; there is nothing there, so
// a template task reports and writes nothing instead of starting a renderer.
const char* const kDocument = "/nonexistent-tavlo-fuzz/document.tavlo";

// Every file of these types is JSON or XML, whatever its name: a task may
// name its file "tokens.xml" and still write LESS.
void check(tavlo::BuildFileType type, const tavlo::exports::ExportedFile& file) {
  const bool json =
      type == tavlo::BuildFileType::jsonDesignToken || type == tavlo::BuildFileType::assetCatalog;
  if (json && !nlohmann::json::accept(file.bytes)) {
    std::fprintf(stderr, "%s is not JSON:\n%s\n", file.path.c_str(), file.bytes.c_str());
    std::abort();
  }
  if (type == tavlo::BuildFileType::androidResource && !xmltree::XML::fromData(file.bytes)) {
    std::fprintf(stderr, "%s is not well-formed XML:\n%s\n", file.path.c_str(), file.bytes.c_str());
    std::abort();
  }
}

void runTask(const tavlo::MerrinColorProject& project, const tavlo::BuildGroup& group,
             const tavlo::BuildTask& task) {
  tavlo::exports::ExportJob job(project, group, task, kDocument);
  tavlo::exports::Diagnostics diagnostics;
  for (const auto& file : tavlo::exports::runExport(job, diagnostics)) check(task.exportFileType(), file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  xmltree::setParseErrorSink([](std::string_view) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t choice = data[0];
  const std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);
  auto project = tavlo::MerrinColorFileReader().parse(document);
  if (!project) return 0;

  std::size_t groups = 0;
  for (const auto& group : project->buildGroups()) {
    if (!group) continue;
    for (const auto& task : group->tasks())
      if (task) runTask(*project, *group, *task);
    if (groups++ >= 2) continue;
    for (tavlo::BuildFileType type : tavlo::allBuildFileTypes()) {
      const auto transform =
          tavlo::buildNameTransformFromRaw(choice % 5).value_or(tavlo::BuildNameTransform::none);
      const auto format = tavlo::buildExportFormatFromRaw(
          std::array<const char*, 4>{"cssHex", "cssRGBA", "cssColor", "cssOKLCH"}[(choice / 5) % 4]);
      std::map<std::string, std::string> options;
      if (choice & 0x80) options[std::string(tavlo::appearanceColorTypeCustomKey)] = "lightDark";
      tavlo::BuildTask task("fuzz", "fuzz", transform, (choice & 0x40) ? "values" : "out", "tokens", type,
                            format, std::nullopt, std::nullopt, options);
      runTask(*project, *group, task);
    }
  }
  return 0;
}
