// Build groups: named lists of export tasks that turn the project's items into
// source files. Tavlo keeps and writes them; running an export is not its job.
#pragma once

#include "TavloData/Observable.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

enum class BuildFileType {
  text,
  css,
  scss,
  assetCatalog,
  swiftUIEnum,
  swiftUIKitEnum,
  swiftAppKitEnum,
  androidResource,
  gl,
  metal,
  jsonDesignToken,
  androidCompose,
  customTemplate,
  less,
};
// The document stores the position (0 to 13).
int rawValue(BuildFileType type);
std::optional<BuildFileType> buildFileTypeFromRaw(long long code);
std::string_view displayName(BuildFileType type);
// "text", "jsonDesignToken", ...: how the command line and `tavlo dump` name it.
std::string_view caseName(BuildFileType type);
std::string_view defaultExtension(BuildFileType type);
bool supportsFormat(BuildFileType type);
const std::vector<BuildFileType>& allBuildFileTypes();

enum class BuildNameTransform { none, camelCase, pascalCase, snakeCase, kebabCase };
int rawValue(BuildNameTransform transform);
std::optional<BuildNameTransform> buildNameTransformFromRaw(long long code);
std::string_view displayName(BuildNameTransform transform);
std::string_view caseName(BuildNameTransform transform);
// How an exported name is cased: "Brand primary-2" -> "brandPrimary2" (camel).
std::string transform(BuildNameTransform transform, std::string_view name);
// Prepares TEXT for appending after an already transformed name.
std::string alterForConcatonation(BuildNameTransform transform, std::string_view text);
// PREFIX, NAME and SUFFIX joined; an absent or empty prefix or suffix is left out.
// The prefix and suffix are used as they are, whatever the transform.
std::string add(BuildNameTransform transform, const std::optional<std::string>& prefix,
                const std::optional<std::string>& suffix, std::string_view transformedName);

enum class BuildExportFormat { cssHex, cssRGBA, cssColor, cssOKLCH };
std::string_view rawValue(BuildExportFormat format);
std::optional<BuildExportFormat> buildExportFormatFromRaw(std::string_view raw);
std::string_view displayName(BuildExportFormat format);

// Task options kept in a task's customData under their customKey.
enum class AssetCatalogSymbolGeneration { notSpecified, yes, no };
std::string_view rawValue(AssetCatalogSymbolGeneration value);
std::optional<AssetCatalogSymbolGeneration> assetCatalogSymbolGenerationFromRaw(std::string_view raw);
std::string_view displayName(AssetCatalogSymbolGeneration value);
inline constexpr std::string_view assetCatalogSymbolGenerationCustomKey = "assetCatalogSymbols";

enum class AppearanceColorType { individualColors, lightDark };
std::string_view rawValue(AppearanceColorType value);
std::optional<AppearanceColorType> appearanceColorTypeFromRaw(std::string_view raw);
std::string_view displayName(AppearanceColorType value);
inline constexpr std::string_view appearanceColorTypeCustomKey = "appearanceColorType";

struct CustomTemplateLocation {
  static constexpr std::string_view customKey = "customTemplateLocation";
  std::string location;
};

class BuildTask : public Observable {
 public:
  BuildTask(std::string uuid, std::string name, BuildNameTransform nameTransform,
            std::string exportFileFolder, std::string exportFileName, BuildFileType exportFileType,
            std::optional<BuildExportFormat> exportFormat = std::nullopt,
            std::optional<std::string> namePrefix = std::nullopt,
            std::optional<std::string> nameSuffix = std::nullopt,
            std::map<std::string, std::string> customData = {});

  const std::string& name() const { return name_; }
  void setName(std::string value) { setAndNotify(name_, std::move(value), "name"); }
  BuildNameTransform nameTransform() const { return nameTransform_; }
  void setNameTransform(BuildNameTransform value) { setAndNotify(nameTransform_, value, "nameTransform"); }
  const std::string& exportFileFolder() const { return exportFileFolder_; }
  void setExportFileFolder(std::string value) {
    setAndNotify(exportFileFolder_, std::move(value), "exportFileFolder");
  }
  const std::string& exportFileName() const { return exportFileName_; }
  void setExportFileName(std::string value) {
    setAndNotify(exportFileName_, std::move(value), "exportFileName");
  }
  BuildFileType exportFileType() const { return exportFileType_; }
  void setExportFileType(BuildFileType value) { setAndNotify(exportFileType_, value, "exportFileType"); }
  const std::optional<BuildExportFormat>& exportFormat() const { return exportFormat_; }
  void setExportFormat(std::optional<BuildExportFormat> value) {
    setAndNotify(exportFormat_, value, "exportFormat");
  }
  const std::optional<std::string>& namePrefix() const { return namePrefix_; }
  void setNamePrefix(std::optional<std::string> value) {
    setAndNotify(namePrefix_, std::move(value), "namePrefix");
  }
  const std::optional<std::string>& nameSuffix() const { return nameSuffix_; }
  void setNameSuffix(std::optional<std::string> value) {
    setAndNotify(nameSuffix_, std::move(value), "nameSuffix");
  }
  // Keyed by the options' customKey; sorted, so that written documents are stable.
  const std::map<std::string, std::string>& customData() const { return customData_; }
  void setCustomData(std::map<std::string, std::string> value) {
    setAndNotify(customData_, std::move(value), "customData");
  }
  const std::string& uuid() const { return uuid_; }
  void setUuid(std::string value) { setAndNotify(uuid_, std::move(value), "uuid"); }
  const std::string& id() const { return uuid_; }

  // The file name with the type's default extension unless it has a "." already.
  std::string fullFileName() const;
  // The file name before its last ".".
  std::string fileNameWithoutExtension() const;

 private:
  std::string name_;
  BuildNameTransform nameTransform_;
  std::string exportFileFolder_;
  std::string exportFileName_;
  BuildFileType exportFileType_;
  std::optional<BuildExportFormat> exportFormat_;
  std::optional<std::string> namePrefix_;
  std::optional<std::string> nameSuffix_;
  std::map<std::string, std::string> customData_;
  std::string uuid_;
};

class BuildGroup : public Observable {
 public:
  BuildGroup(std::string name, std::string uuid, std::vector<std::shared_ptr<BuildTask>> tasks);

  const std::string& uuid() const { return uuid_; }
  const std::string& id() const { return uuid_; }
  const std::string& name() const { return name_; }
  void setName(std::string value) { setAndNotify(name_, std::move(value), "name"); }
  const std::vector<std::shared_ptr<BuildTask>>& tasks() const { return tasks_; }
  void setTasks(std::vector<std::shared_ptr<BuildTask>> value) {
    setAndNotify(tasks_, std::move(value), "tasks");
  }
  bool isExpanded() const { return isExpanded_; }
  void setIsExpanded(bool value) { setAndNotify(isExpanded_, value, "isExpanded"); }

  // Groups are the same group when their identifiers are.
  bool operator==(const BuildGroup& other) const { return uuid_ == other.uuid_; }

 private:
  std::string uuid_;
  std::string name_;
  std::vector<std::shared_ptr<BuildTask>> tasks_;
  bool isExpanded_ = false;
};

}  // namespace tavlo

// Hashed by identity, like equality.
template <>
struct std::hash<tavlo::BuildGroup> {
  std::size_t operator()(const tavlo::BuildGroup& group) const {
    return std::hash<std::string>()(group.uuid());
  }
};
