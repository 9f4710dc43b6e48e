// SCSS and LESS: one variable per token with its light value, and one per
// appearance whose value differs, named by the variant names ("$dark-brand").
#pragma once

#include <vector>

#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"

namespace tavlo::exports {

class StyleSheetVariablesExporter final : public Exporter {
 public:
  enum class Language { scss, less };
  explicit StyleSheetVariablesExporter(Language language) : language_(language) {}
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics& diagnostics) const override;

 private:
  Language language_;
};

}  // namespace tavlo::exports
