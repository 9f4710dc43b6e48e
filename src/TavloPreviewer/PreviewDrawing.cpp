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

hostkit::Drawing cutDrawing(const hostkit::Drawing& drawing, double maxHeight) {
  const hostkit::Size size = drawing.size();
  if (!(maxHeight < size.height)) return drawing;
  // Only the elements around the limit are laid out; headers and tiles are
  // the children of the grid's placed group.
  const hostkit::LayoutNode near = drawing.layout(hostkit::Rect{0, maxHeight, size.width, 0});
  double cut = maxHeight;
  for (const hostkit::LayoutNode* group :
       near.findAll([](const hostkit::LayoutNode& n) { return n.kind() == hostkit::NodeKind::placedGroup; }))
    for (const hostkit::LayoutNode& element : group->children)
      if (element.frame.y < maxHeight && maxHeight < element.frame.maxY() && element.frame.y > 0)
        cut = std::min(cut, element.frame.y);
  return hostkit::Drawing(drawing.root(), size.width, cut);
}

}  // namespace tavlo::previewer
