#include "TavloData/BuildGroup.h"

#include "TavloData/EnumTable.h"
#include "TavloData/TextCasing.h"

#include <array>

namespace tavlo {

namespace {

struct FileTypeRow : EnumEntry<BuildFileType> {
  std::string_view caseName;
  std::string_view extension;
  bool supportsFormat;
};

constexpr std::array<FileTypeRow, 14> fileTypes{{
    {{BuildFileType::text, "0", "Text"}, "text", ".txt", true},
    {{BuildFileType::css, "1", "CSS"}, "css", ".css", true},
    {{BuildFileType::scss, "2", "SCSS"}, "scss", ".scss", true},
    {{BuildFileType::assetCatalog, "3", "Asset Catalog"}, "assetCatalog", ".xcassets", false},
    {{BuildFileType::swiftUIEnum, "4", "SwiftUI Enum"}, "swiftUIEnum", ".swift", false},
    {{BuildFileType::swiftUIKitEnum, "5", "Swift UIKit Enum"}, "swiftUIKitEnum", ".swift", false},
    {{BuildFileType::swiftAppKitEnum, "6", "Swift AppKit Enum"}, "swiftAppKitEnum", ".swift", false},
    {{BuildFileType::androidResource, "7", "Android Resource XML"}, "androidResource", ".xml", false},
    {{BuildFileType::gl, "8", "OpenGL/WebGL"}, "gl", ".gl", false},
    {{BuildFileType::metal, "9", "Metal"}, "metal", ".metal", false},
    {{BuildFileType::jsonDesignToken, "10", "Design Tokens JSON"}, "jsonDesignToken", ".json", false},
    {{BuildFileType::androidCompose, "11", "Android Compose"}, "androidCompose", ".kt", false},
    {{BuildFileType::customTemplate, "12", "Custom Template"}, "customTemplate", ".txt", false},
    {{BuildFileType::less, "13", "LESS"}, "less", ".less", true},
}};

struct NameTransformRow : EnumEntry<BuildNameTransform> {
  std::string_view caseName;
};

constexpr std::array<NameTransformRow, 5> nameTransforms{{
    {{BuildNameTransform::none, "0", "Don't Change"}, "none"},
    {{BuildNameTransform::camelCase, "1", "camelCase"}, "camelCase"},
    {{BuildNameTransform::pascalCase, "2", "PascalCase"}, "pascalCase"},
    {{BuildNameTransform::snakeCase, "3", "snake_case"}, "snakeCase"},
    {{BuildNameTransform::kebabCase, "4", "kebab-case"}, "kebabCase"},
}};

constexpr std::array<EnumEntry<BuildExportFormat>, 4> exportFormats{{
    {BuildExportFormat::cssHex, "cssHex", "CSS Hex RGB"},
    {BuildExportFormat::cssRGBA, "cssRGBA", "CSS rgb()"},
    {BuildExportFormat::cssColor, "cssColor", "CSS color()"},
    {BuildExportFormat::cssOKLCH, "cssOKLCH", "CSS oklch()"},
}};

constexpr std::array<EnumEntry<AssetCatalogSymbolGeneration>, 3> symbolGenerations{{
    {AssetCatalogSymbolGeneration::notSpecified, "notSet", "Not Specified"},
    {AssetCatalogSymbolGeneration::yes, "true", "Generate"},
    {AssetCatalogSymbolGeneration::no, "false", "Don't Generate"},
}};

constexpr std::array<EnumEntry<AppearanceColorType>, 2> appearanceColorTypes{{
    {AppearanceColorType::individualColors, "individual", "Separate colors"},
    {AppearanceColorType::lightDark, "lightDark", "light-dark()"},
}};

std::string replacingSpaces(std::string text, char with) {
  for (char& c : text)
    if (c == ' ') c = with;
  return text;
}

}  // namespace

int rawValue(BuildFileType type) {
  return static_cast<int>(type);
}
std::optional<BuildFileType> buildFileTypeFromRaw(long long code) {
  return enumFromCode(fileTypes, code);
}
std::string_view displayName(BuildFileType type) {
  return enumEntry(fileTypes, type).display;
}
std::string_view caseName(BuildFileType type) {
  return enumEntry(fileTypes, type).caseName;
}
std::string_view defaultExtension(BuildFileType type) {
  return enumEntry(fileTypes, type).extension;
}
bool supportsFormat(BuildFileType type) {
  return enumEntry(fileTypes, type).supportsFormat;
}
const std::vector<BuildFileType>& allBuildFileTypes() {
  static const std::vector<BuildFileType> all = [] {
    std::vector<BuildFileType> types;
    for (const auto& entry : fileTypes) types.push_back(entry.value);
    return types;
  }();
  return all;
}

int rawValue(BuildNameTransform transform) {
  return static_cast<int>(transform);
}
std::optional<BuildNameTransform> buildNameTransformFromRaw(long long code) {
  return enumFromCode(nameTransforms, code);
}
std::string_view displayName(BuildNameTransform transform) {
  return enumEntry(nameTransforms, transform).display;
}
std::string_view caseName(BuildNameTransform transform) {
  return enumEntry(nameTransforms, transform).caseName;
}

std::string transform(BuildNameTransform transform, std::string_view name) {
  switch (transform) {
    case BuildNameTransform::none:
      return std::string(name);
    case BuildNameTransform::camelCase:
      return lowerCamelCased(name);
    case BuildNameTransform::pascalCase:
      return upperCamelCased(name);
    case BuildNameTransform::snakeCase:
      return replacingSpaces(lowercased(name), '_');
    case BuildNameTransform::kebabCase:
      return replacingSpaces(lowercased(name), '-');
  }
  return std::string(name);
}

std::string alterForConcatonation(BuildNameTransform transform, std::string_view text) {
  switch (transform) {
    case BuildNameTransform::none:
      return std::string(text);
    case BuildNameTransform::camelCase:
    case BuildNameTransform::pascalCase:
      return capitalizingFirstLetter(text);
    case BuildNameTransform::snakeCase:
      return "_" + std::string(text);
    case BuildNameTransform::kebabCase:
      return "-" + std::string(text);
  }
  return std::string(text);
}

std::string add(BuildNameTransform, const std::optional<std::string>& prefix,
                const std::optional<std::string>& suffix, std::string_view transformedName) {
  std::string result;
  if (prefix) result += *prefix;
  result += transformedName;
  if (suffix) result += *suffix;
  return result;
}

std::string_view rawValue(BuildExportFormat format) {
  return enumEntry(exportFormats, format).raw;
}
std::optional<BuildExportFormat> buildExportFormatFromRaw(std::string_view raw) {
  return enumFromRaw(exportFormats, raw);
}
std::string_view displayName(BuildExportFormat format) {
  return enumEntry(exportFormats, format).display;
}

std::string_view rawValue(AssetCatalogSymbolGeneration value) {
  return enumEntry(symbolGenerations, value).raw;
}
std::optional<AssetCatalogSymbolGeneration> assetCatalogSymbolGenerationFromRaw(std::string_view raw) {
  return enumFromRaw(symbolGenerations, raw);
}
std::string_view displayName(AssetCatalogSymbolGeneration value) {
  return enumEntry(symbolGenerations, value).display;
}

std::string_view rawValue(AppearanceColorType value) {
  return enumEntry(appearanceColorTypes, value).raw;
}
std::optional<AppearanceColorType> appearanceColorTypeFromRaw(std::string_view raw) {
  return enumFromRaw(appearanceColorTypes, raw);
}
std::string_view displayName(AppearanceColorType value) {
  return enumEntry(appearanceColorTypes, value).display;
}

BuildTask::BuildTask(std::string uuid, std::string name, BuildNameTransform nameTransform,
                     std::string exportFileFolder, std::string exportFileName, BuildFileType exportFileType,
                     std::optional<BuildExportFormat> exportFormat, std::optional<std::string> namePrefix,
                     std::optional<std::string> nameSuffix, std::map<std::string, std::string> customData)
    : name_(std::move(name)),
      nameTransform_(nameTransform),
      exportFileFolder_(std::move(exportFileFolder)),
      exportFileName_(std::move(exportFileName)),
      exportFileType_(exportFileType),
      exportFormat_(exportFormat),
      namePrefix_(std::move(namePrefix)),
      nameSuffix_(std::move(nameSuffix)),
      customData_(std::move(customData)),
      uuid_(std::move(uuid)) {}

std::string BuildTask::fullFileName() const {
  if (exportFileName_.find('.') != std::string::npos) return exportFileName_;
  return exportFileName_ + std::string(defaultExtension(exportFileType_));
}

std::string BuildTask::fileNameWithoutExtension() const {
  auto dot = exportFileName_.rfind('.');
  return dot == std::string::npos ? exportFileName_ : exportFileName_.substr(0, dot);
}

BuildGroup::BuildGroup(std::string name, std::string uuid, std::vector<std::shared_ptr<BuildTask>> tasks)
    : uuid_(std::move(uuid)), name_(std::move(name)), tasks_(std::move(tasks)) {}

}  // namespace tavlo
