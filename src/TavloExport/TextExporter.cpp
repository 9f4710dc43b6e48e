// Plain text: each item's lines as the clipboard gives them, named by its
// exported name, colours in the task's notation.
#include <memory>
#include <string>

#include "TavloData/ExportHelper.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloExport/ColorTexts.h"
#include "TavloExport/ExportJob.h"
#include "TavloExport/Exporter.h"

namespace tavlo::exports {

namespace {

class TextExporter final : public Exporter {
 public:
  std::vector<ExportedFile> run(const ExportJob& job, Diagnostics&) const override {
    const auto& items = job.items();
    const mcu::ColorFormat format = colorFormatFor(job.exportFormat());
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
      // A single item is written by its value alone.
      std::optional<std::string> name;
      if (items.size() != 1) name = job.fullName(items[i]->name(), job.itemPrefixes()[i]);
      std::optional<std::string> lines = ExportHelper::exportString(*items[i], name, format);
      if (!lines) continue;
      if (!text.empty()) text += '\n';
      text += *lines;
    }
    if (!text.empty()) text += '\n';
    return {{job.filePath(), std::move(text)}};
  }
};

const ExporterRegistration registration{BuildFileType::text, std::make_unique<TextExporter>()};

}  // namespace

}  // namespace tavlo::exports
