#include "TavloPreviewer/PreviewDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Orvik/Orvik.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "TavloPreviewer/MainPreviewView.h"
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

namespace {

using Grid = CollectionViewWrapperController;

// The side of a square of `columns` × `columns` cells with the grid's spacing
// around and between them (points).
double squareSide(int columns) {
  return Grid::cellSpacing + columns * (Grid::cellSize + Grid::cellSpacing);
}

// A group's section holding one row, from its header to the next (points).
constexpr double maxSectionHeight = 256;

// The cells the grid places in `layout`, top to bottom and left to right:
// its placed group's children at the cell size (the rest are headers).
std::vector<const hostkit::LayoutNode*> placedCells(const hostkit::LayoutNode& layout) {
  std::vector<const hostkit::LayoutNode*> cells;
  const hostkit::LayoutNode* group =
      layout.find([](const hostkit::LayoutNode& n) { return n.kind() == hostkit::NodeKind::placedGroup; });
  if (!group) return cells;
  for (const hostkit::LayoutNode& element : group->children)
    if (element.frame.width == Grid::cellSize && element.frame.height == Grid::cellSize)
      cells.push_back(&element);
  std::stable_sort(cells.begin(), cells.end(), [](const auto* a, const auto* b) {
    return a->frame.y != b->frame.y ? a->frame.y < b->frame.y : a->frame.x < b->frame.x;
  });
  return cells;
}

}  // namespace

int thumbnailColumns(int pixels) {
  constexpr int pixelsPerColumn = 128;
  return pixels < pixelsPerColumn ? 1 : std::max(2, pixels / pixelsPerColumn);
}

hostkit::Drawing thumbnailDrawing(PreviewViewController& controller, int columns) {
  columns = std::max(1, columns);
  const std::size_t wanted = static_cast<std::size_t>(columns) * static_cast<std::size_t>(columns);
  // The grid laid out `columns` cells wide; only the part that holds the
  // first cells is made, growing it while headers or short sections push
  // them further down, up to a section of its own for every cell: a huge
  // document costs no more than a small one, and a run of empty groups
  // leaves cells out rather than outlast the thumbnailer's time limit.
  const hostkit::View root = controller.view()->body();
  const double width = squareSide(columns) + Grid::cellSpacing;
  const double searched = squareSide(columns) + static_cast<double>(wanted) * maxSectionHeight;
  const hostkit::Drawing grid(root, width);
  hostkit::LayoutNode layout;
  std::vector<const hostkit::LayoutNode*> cells;
  for (double height = squareSide(columns);; height *= 2) {
    layout = grid.layout(hostkit::Rect{0, 0, width, std::min(height, searched)});
    cells = placedCells(layout);
    if (cells.size() >= wanted || height >= grid.size().height || height >= searched) break;
  }

  const hostkit::View background = hostkit::ColorView(orvik::color(orvik::backgroundDarkest));
  if (cells.empty()) {
    const double side = squareSide(1);
    const hostkit::LayoutNode* notice = layout.findTag(emptyDocumentTag);
    const hostkit::View content = notice ? hostkit::View(notice->view) : hostkit::EmptyView();
    return hostkit::Drawing(content.frame(side, side).background(background), side, side);
  }

  const int shown = std::min(
      columns, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(std::min(cells.size(), wanted))))));
  std::vector<hostkit::Placement> placements;
  for (int i = 0; i < shown * shown && i < static_cast<int>(cells.size()); ++i) {
    const double step = Grid::cellSize + Grid::cellSpacing;
    placements.push_back({{Grid::cellSpacing + (i % shown) * step, Grid::cellSpacing + (i / shown) * step,
                           Grid::cellSize, Grid::cellSize},
                          hostkit::View(cells[static_cast<std::size_t>(i)]->view)});
  }
  const double side = squareSide(shown);
  return hostkit::Drawing(hostkit::PlacedGroup({side, side}, std::move(placements)).background(background),
                          side, side);
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
