#include "TavloPreviewer/MainPreviewView.h"

#include "Orvik/Orvik.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "TavloPreviewer/ContrastTableView.h"
#include "TavloPreviewer/GridViews.h"
#include "TavloPreviewer/ItemGridSection.h"
#include "TavloPreviewer/PreviewGridCollectionDelegate.h"
#include "hostkit/Localized.h"
#include "hostkit/Shape.h"

namespace tavlo::previewer {

using namespace hostkit;

View EmptyDocumentView::body() const {
  View text =
      Text(localized(emptyDocumentMessage)).font(Font::title2()).foregroundColor(orvik::color(orvik::grey85));
  return VStack(HorizontalAlignment::center, std::nullopt, {text})
      .padding(padding)
      .background(backgroundColor)
      .clipShape(Shape::roundedRectangle(cornerRadius, RoundedCornerStyle::continuous))
      .tagged(std::string(emptyDocumentTag));
}

View MainPreviewView::body() const {
  const std::shared_ptr<MerrinColorProject>& project = model->project();
  std::vector<ItemGridSection> sections = gridSections(*project);
  if (model->showsContrast()) appendContrastSections(*project, sections);
  View grid = CollectionViewWrapper(
      std::make_shared<PreviewGridCollectionDelegate>(std::move(sections), model->colorSource()));
  View notice = project->items().empty() ? EmptyDocumentView{orvik::color(orvik::backgroundNormal)}.body()
                                         : EmptyView();
  return grid.overlay(notice, Alignment::center());
}

View MainPreviewView::view() const {
  return retaining(body(), model);
}

}  // namespace tavlo::previewer
