#include "TavloPreviewer/PreviewViewController.h"

#include <cstring>

#include <optional>
#include <system_error>
#include <utility>

#include "Orvik/Orvik.h"
#include "TavloData/FileBytes.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloPreviewer/MainPreviewView.h"
#include "TavloPreviewer/MainPreviewViewModel.h"

namespace tavlo::previewer {

namespace {

[[noreturn]] void failReading(const std::filesystem::path& url, int error) {
  throw PreviewFailure(hostkit::PreviewError{std::error_code(error, std::generic_category()),
                                             "cannot read '" + url.string() + "': " + std::strerror(error)});
}

}  // namespace

std::string readPreviewedFile(const std::filesystem::path& url) {
  FileBytes read = readFileBytes(url.string());
  if (read.error != 0) failReading(url, read.error);
  return std::move(read.bytes);
}

void PreviewViewController::preparePreviewOfFile(const std::filesystem::path& url,
                                                 hostkit::PreviewCompletionHandler handler) {
  // Everything runs on the calling (main) thread; the outcome is settled
  // first so that a handler that throws cannot be called a second time.
  std::optional<hostkit::PreviewError> outcome;
  try {
    preparePreviewOfFile(url);
  } catch (const PreviewFailure& failure) {
    outcome = failure.error();
  } catch (const std::exception& other) {
    outcome = hostkit::PreviewError{std::make_error_code(std::errc::io_error), other.what()};
  }
  if (handler) handler(std::move(outcome));
}

void PreviewViewController::preparePreviewOfFile(const std::filesystem::path& url) {
  std::string bytes = readPreviewedFile(url);
  std::shared_ptr<MerrinColorProject> project = MerrinColorFileReader().parse(bytes);
  showPreview(std::move(project), url);
}

void PreviewViewController::showPreview(std::shared_ptr<MerrinColorProject> project,
                                        const std::filesystem::path& fileURL) {
  auto model =
      std::make_shared<MainPreviewViewModel>(std::move(project), fileURL, colorSource_, showsContrast_);
  auto hosting = std::make_shared<hostkit::HostingView>(MainPreviewView{model}.view());

  // The body is evaluated again whenever the model changes. The hosting view
  // is held weakly so that the model, which the view tree owns, does not
  // keep its own view alive.
  std::weak_ptr<hostkit::HostingView> weakHosting = hosting;
  std::weak_ptr<MainPreviewViewModel> weakModel = model;
  model->subscribe([weakHosting, weakModel](std::string_view) {
    auto target = weakHosting.lock();
    auto source = weakModel.lock();
    if (target && source) target->setRootView(MainPreviewView{source}.view());
  });

  auto root = view();
  while (!root->subviews().empty()) root->subviews().front()->removeFromSuperview();
  root->addSubview(hosting);
  orvik::anchorToAllSidesOf(*hosting, root, {});
  shownModel_ = model;
}

void PreviewViewController::setColorSource(ColorSource colorSource) {
  colorSource_ = colorSource;
  if (auto model = shownModel_.lock(); model && model->colorSource() != colorSource)
    model->setColorSource(colorSource);
}

void PreviewViewController::setShowsContrast(bool shows) {
  showsContrast_ = shows;
  if (auto model = shownModel_.lock(); model && model->showsContrast() != shows)
    model->setShowsContrast(shows);
}

}  // namespace tavlo::previewer
