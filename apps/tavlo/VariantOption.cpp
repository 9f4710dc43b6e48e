#include "VariantOption.h"

#include <string>
#include <vector>

namespace tavlo::cli {

void addVariantOption(CLI::App& command, ColorSource& variant) {
  std::vector<std::string> names;
  for (ColorSource source : allColorSources) names.emplace_back(caseName(source));
  command
      .add_option_function<std::string>(
          "--variant", [&variant](const std::string& name) { variant = *colorSourceFromCaseName(name); },
          "Appearance variant of the values the tiles show; a value without it shows its light variant")
      ->check(CLI::IsMember(names))
      ->default_str(std::string(caseName(ColorSource::light)));
}

}  // namespace tavlo::cli
