// What the preview shows: the project read from the previewed file.
#pragma once

#include <filesystem>
#include <memory>

#include "TavloData/Observable.h"
#include "TavloData/ProjectKinds.h"

namespace tavlo::previewer {

class MainPreviewViewModel : public Observable {
 public:
  MainPreviewViewModel(std::shared_ptr<MerrinColorProject> project, std::filesystem::path fileURL)
      : project_(std::move(project)), fileURL_(std::move(fileURL)) {}

  const std::shared_ptr<MerrinColorProject>& project() const { return project_; }
  void setProject(std::shared_ptr<MerrinColorProject> project) {
    setAndNotify(project_, std::move(project), "project");
  }
  // Kept for reference; no view reads it.
  const std::filesystem::path& fileURL() const { return fileURL_; }

 private:
  std::shared_ptr<MerrinColorProject> project_;
  const std::filesystem::path fileURL_;
};

}  // namespace tavlo::previewer
