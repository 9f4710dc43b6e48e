#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

namespace hostkit {

// Why a preview failed, as handed back to the host.
struct PreviewError {
  std::error_code code;
  std::string message;  // one line, e.g. "cannot read 'x.tavlo': No such file or directory"
};

// Called exactly once per request: absent on success.
using PreviewCompletionHandler = std::function<void(std::optional<PreviewError>)>;

// The host's preview-controller protocol. A host makes one controller per
// preview, calls `preparePreviewOfFile` once, and when the handler reports
// success lays out and draws the controller's root view at the width it wants.
class PreviewingController {
 public:
  virtual ~PreviewingController() = default;
  virtual void preparePreviewOfFile(const std::filesystem::path& url, PreviewCompletionHandler handler) = 0;
};

// Runs one request as the host does. Everything happens on the calling (main)
// thread, so the handler must have been called by the time this returns; a
// handler that is never called is reported as an error, one that is called
// twice stops the program.
std::optional<PreviewError> requestPreview(PreviewingController& controller,
                                           const std::filesystem::path& url);

}  // namespace hostkit
