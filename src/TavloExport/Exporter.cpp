#include "TavloExport/Exporter.h"

#include <array>
#include <string>

#include "TavloExport/ExportJob.h"

namespace tavlo::exports {

namespace {

// Registrations run before main, in any order: a function-local table is
// made on first use.
std::array<std::unique_ptr<Exporter>, 14>& registry() {
  static std::array<std::unique_ptr<Exporter>, 14> exporters;
  return exporters;
}

}  // namespace

bool Diagnostics::hasErrors() const {
  for (const auto& entry : entries_)
    if (entry.isError) return true;
  return false;
}

ExporterRegistration::ExporterRegistration(BuildFileType type, std::unique_ptr<Exporter> exporter) {
  registry()[static_cast<std::size_t>(rawValue(type))] = std::move(exporter);
}

const Exporter* exporterFor(BuildFileType type) {
  return registry()[static_cast<std::size_t>(rawValue(type))].get();
}

std::vector<ExportedFile> runExport(const ExportJob& job, Diagnostics& diagnostics) {
  const BuildFileType type = job.task().exportFileType();
  const Exporter* exporter = exporterFor(type);
  if (!exporter) {
    diagnostics.error(std::string(displayName(type)) + " files are not supported yet");
    return {};
  }
  return exporter->run(job, diagnostics);
}

}  // namespace tavlo::exports
