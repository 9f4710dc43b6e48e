// The entry of the preview: reads one document and shows it as a grid.
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "TavloData/AppearanceType.h"
#include "TavloData/ProjectKinds.h"
#include "hostkit/PlatformView.h"
#include "hostkit/PreviewController.h"

namespace tavlo::previewer {

class MainPreviewViewModel;

// A preview that could not be made: the file could not be read.
class PreviewFailure : public std::runtime_error {
 public:
  explicit PreviewFailure(hostkit::PreviewError error)
      : std::runtime_error(error.message), error_(std::move(error)) {}
  const hostkit::PreviewError& error() const { return error_; }

 private:
  hostkit::PreviewError error_;
};

class PreviewViewController : public hostkit::ViewController, public hostkit::PreviewingController {
 public:
  std::string nibName() const override { return "PreviewViewController"; }

  // The host's entry. The handler is called exactly once, after the view is
  // in place, with the reading error when the file could not be read (the
  // view is then left as it was). A later request replaces the earlier
  // document entirely.
  void preparePreviewOfFile(const std::filesystem::path& url,
                            hostkit::PreviewCompletionHandler handler) override;
  // The same request; throws PreviewFailure when the file cannot be read.
  void preparePreviewOfFile(const std::filesystem::path& url);

  // Makes the view model and puts its view in place of whatever was shown.
  void showPreview(std::shared_ptr<MerrinColorProject> project, const std::filesystem::path& fileURL);

  // The appearance variant the tiles show (light unless asked): for the
  // preview shown now, whose view is rebuilt, and for every later request.
  ColorSource colorSource() const { return colorSource_; }
  void setColorSource(ColorSource colorSource);
  // Whether the test groups' contrast results follow the items (off unless
  // asked): for the preview shown now and for every later request.
  bool showsContrast() const { return showsContrast_; }
  void setShowsContrast(bool shows);

 protected:
  void loadView() override { ViewController::loadView(); }

 private:
  ColorSource colorSource_ = ColorSource::light;
  bool showsContrast_ = false;
  // The model of the preview shown now; the view tree owns it.
  std::weak_ptr<MainPreviewViewModel> shownModel_;
};

// The whole content of a file, or the reason it cannot be read, as the
// preview reports it ("cannot read 'PATH': REASON").
std::string readPreviewedFile(const std::filesystem::path& url);

}  // namespace tavlo::previewer
