// What the preview shows: the project read from the previewed file, in one
// of its four appearance variants.
#pragma once

#include <filesystem>
#include <memory>

#include "TavloData/AppearanceType.h"
#include "TavloData/Observable.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo::previewer {

class MainPreviewViewModel : public Observable {
 public:
  MainPreviewViewModel(std::shared_ptr<MerrinColorProject> project, std::filesystem::path fileURL,
                       ColorSource colorSource = ColorSource::light, bool showsContrast = false)
      : project_(std::move(project)),
        fileURL_(std::move(fileURL)),
        colorSource_(colorSource),
        showsContrast_(showsContrast) {}

  const std::shared_ptr<MerrinColorProject>& project() const { return project_; }
  void setProject(std::shared_ptr<MerrinColorProject> project) {
    setAndNotify(project_, std::move(project), "project");
  }
  // The variant every tile shows: each value's display variant for it
  // (the light one where the value has no such variant).
  ColorSource colorSource() const { return colorSource_; }
  void setColorSource(ColorSource colorSource) { setAndNotify(colorSource_, colorSource, "colorSource"); }
  // Whether a section per test group follows the items, with the pairs that
  // fail its contrast tests.
  bool showsContrast() const { return showsContrast_; }
  void setShowsContrast(bool shows) { setAndNotify(showsContrast_, shows, "showsContrast"); }
  // Kept for reference; no view reads it.
  const std::filesystem::path& fileURL() const { return fileURL_; }

 private:
  std::shared_ptr<MerrinColorProject> project_;
  const std::filesystem::path fileURL_;
  ColorSource colorSource_;
  bool showsContrast_;
};

}  // namespace tavlo::previewer
