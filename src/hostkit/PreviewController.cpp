#include "hostkit/PreviewController.h"

#include <cstdio>
#include <cstdlib>

namespace hostkit {

std::optional<PreviewError> requestPreview(PreviewingController& controller,
                                           const std::filesystem::path& url) {
  int calls = 0;
  std::optional<PreviewError> outcome;
  controller.preparePreviewOfFile(url, [&](std::optional<PreviewError> error) {
    if (++calls > 1) {
      std::fputs("hostkit: preview completion handler called more than once\n", stderr);
      std::abort();
    }
    outcome = std::move(error);
  });
  if (calls == 0)
    return PreviewError{std::make_error_code(std::errc::operation_canceled), "the preview did not complete"};
  return outcome;
}

}  // namespace hostkit
