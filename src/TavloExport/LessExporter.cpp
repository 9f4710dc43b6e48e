#include <memory>

#include "TavloExport/StyleSheetVariables.h"

namespace tavlo::exports {
namespace {
const ExporterRegistration registration{
    BuildFileType::less,
    std::make_unique<StyleSheetVariablesExporter>(StyleSheetVariablesExporter::Language::less)};
}  // namespace
}  // namespace tavlo::exports
