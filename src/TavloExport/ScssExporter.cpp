#include <memory>

#include "TavloExport/StyleSheetVariables.h"

namespace tavlo::exports {
namespace {
const ExporterRegistration registration{
    BuildFileType::scss,
    std::make_unique<StyleSheetVariablesExporter>(StyleSheetVariablesExporter::Language::scss)};
}  // namespace
}  // namespace tavlo::exports
