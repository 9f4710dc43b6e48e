#include "TavloPreviewer/PreviewDrawing.h"

#include <algorithm>

#include "hostkit/Layout.h"

namespace tavlo::previewer {

PreparedPreview preparePreview(const std::filesystem::path& file) {
  PreparedPreview prepared{std::make_shared<PreviewViewController>(), std::nullopt};
  prepared.error = hostkit::requestPreview(*prepared.controller, file);
  return prepared;
}

hostkit::Drawing previewDrawing(PreviewViewController& controller, double width, double minimumHeight) {
  hostkit::View root = controller.view()->body();
  const double gridHeight = hostkit::sizeThatFits(root, {width, std::nullopt}).height;
  return hostkit::Drawing(root, width, std::max(gridHeight, minimumHeight));
}

}  // namespace tavlo::previewer
