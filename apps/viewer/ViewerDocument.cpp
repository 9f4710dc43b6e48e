#include "ViewerDocument.h"

#include <algorithm>
#include <cmath>

#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/ShadowDetails.h"
#include "TavloPreviewer/CollectionViewWrapperController.h"
#include "TavloPreviewer/tiles/TileCommon.h"
#include "hostkit/Layout.h"

namespace tavlo::viewer {

namespace fs = std::filesystem;
using previewer::CollectionViewWrapperController;

ViewerDocument::ViewerDocument(fs::path file) : file_(std::move(file)) {}

bool ViewerDocument::reload() {
  try {
    // The bytes are read here rather than through the controller's own
    // request, so that the window keeps the project for tooltips and copying.
    std::string bytes = previewer::readPreviewedFile(file_);
    project_ = MerrinColorFileReader().parse(bytes);
    error_.reset();
  } catch (const previewer::PreviewFailure& failure) {
    project_.reset();
    error_ = failure.error().message;
  } catch (const std::exception& other) {
    project_.reset();
    error_ = "cannot read '" + file_.string() + "': " + other.what();
  }
  sections_ = project_ ? previewer::gridSections(*project_) : std::vector<previewer::ItemGridSection>{};
  hitWidth_.reset();
  rebuild();
  return project_ != nullptr;
}

bool ViewerDocument::isEmpty() const {
  return project_ && project_->items().empty();
}

void ViewerDocument::setAppearance(hostkit::Appearance appearance) {
  if (appearance == hostkit::currentAppearance()) return;
  hostkit::setCurrentAppearance(appearance);
  rebuild();
}

void ViewerDocument::setVariant(ColorSource variant) {
  if (variant == variant_) return;
  variant_ = variant;
  rebuild();
}

void ViewerDocument::rebuild() {
  measuredWidth_.reset();
  if (!project_) {
    controller_.reset();
    root_ = hostkit::View();
    return;
  }
  // A fresh controller: the view tree of the last document, with its
  // prepared layout, goes as a whole.
  controller_ = std::make_shared<previewer::PreviewViewController>();
  controller_->setColorSource(variant_);
  controller_->showPreview(project_, file_);
  root_ = controller_->view()->body();
}

double ViewerDocument::contentHeight(double width) {
  if (!controller_) return 0;
  if (measuredWidth_ != width) {
    gridHeight_ = hostkit::sizeThatFits(root_, {width, std::nullopt}).height;
    measuredWidth_ = width;
  }
  return gridHeight_;
}

void ViewerDocument::draw(cairo_t* cr, double width, double minimumHeight, const hostkit::Rect& visible) {
  if (!controller_) return;
  const double height = std::max(contentHeight(width), minimumHeight);
  // Sized explicitly, the drawing does not measure the root again; only the
  // elements crossing `visible` are laid out and drawn.
  hostkit::drawVisible(cr, hostkit::Drawing(root_, width, height), visible);
}

MerrinColorProjectItemPtr ViewerDocument::itemAt(const hostkit::Point& point, double width) {
  if (!project_) return nullptr;
  if (!hitLayout_) hitLayout_ = CollectionViewWrapperController::makeGridLayout();
  if (hitWidth_ != width) {
    std::vector<previewer::LeftAlignedFlowLayout::SectionShape> shapes;
    shapes.reserve(sections_.size());
    for (const auto& section : sections_)
      shapes.push_back({static_cast<std::int64_t>(section.childItems.size()), section.parentItem != nullptr});
    hitLayout_->layOut(width, shapes);
    hitWidth_ = width;
  }
  for (const auto& attributes :
       hitLayout_->layoutAttributesForElementsInRect({point.x, point.y, 1e-6, 1e-6})) {
    if (!attributes.isItem()) continue;
    const auto s = static_cast<std::size_t>(attributes.indexPath.section());
    const auto i = static_cast<std::size_t>(attributes.indexPath.item());
    if (s < sections_.size() && i < sections_[s].childItems.size()) return sections_[s].childItems[i];
  }
  return nullptr;
}

// ------------------------------------------------------------ tile texts

namespace {

// "Light: TEXT" for the light variant and every other variant the value
// stores, one line each.
template <class Variants, class ToText>
void appendVariants(std::string& out, const Variants& variants, ToText toText) {
  for (ColorSource source : allColorSources)
    if (auto value = variants.variantFor(source))
      out += "\n" + std::string(displayName(source)) + ": " + toText(*value);
}

std::string colorText(const mcu::PlatformColor& color) {
  return previewer::tileColorText(color, mcu::ColorFormat::floatRGBA, previewer::tileColorSpaceOf(color));
}

// What an alias refers to in each variant, and what that shows (VALUE_TEXT,
// empty when there is nothing to add); a variant that leads where the light
// one does and shows the same is not repeated.
template <class Alias, class ValueText>
void appendReferences(std::string& out, const Alias& alias, ValueText valueText) {
  const MerrinColorProjectItemPtr light = alias.referencedItemToUse(ColorSource::light);
  const std::string lightValue = valueText(ColorSource::light);
  for (ColorSource source : allColorSources) {
    const MerrinColorProjectItemPtr node = alias.referencedItemToUse(source);
    const std::string value = valueText(source);
    if (source != ColorSource::light && node == light && value == lightValue) continue;
    out +=
        "\n" + std::string(displayName(source)) + ": → " + (node ? node->name() : std::string("No Source"));
    if (!value.empty()) out += " (" + value + ")";
  }
}
template <class Alias>
void appendReferences(std::string& out, const Alias& alias) {
  appendReferences(out, alias, [](ColorSource) { return std::string(); });
}

}  // namespace

std::string tileDescription(const MerrinColorProjectItem& item) {
  std::string out = item.name();
  if (const auto& color = item.color()) {
    appendVariants(out, *color->color(), colorText);
  } else if (const auto& set = item.colorSet()) {
    // A step per line: its light colour, then each other variant it stores, named.
    for (const auto& step : set->colors()) {
      out += "\n" + step->name() + ":";
      for (ColorSource source : allColorSources)
        if (auto value = step->variantFor(source))
          out += (source == ColorSource::light ? " " : "; " + std::string(displayName(source)) + ": ") +
                 colorText(*value);
    }
  } else if (const auto& alias = item.colorAlias()) {
    appendReferences(out, *alias, [&](ColorSource source) {
      const auto color = tileColor(item, source);
      return color ? colorText(*color) : std::string();
    });
  } else if (const auto& number = item.number()) {
    appendVariants(out, *number->value(), [](double v) { return previewer::displayableValue(v); });
  } else if (const auto& boolean = item.boolean()) {
    appendVariants(out, *boolean->value(), [](bool v) { return std::string(v ? "true" : "false"); });
  } else if (const auto& string = item.string()) {
    appendVariants(out, *string->value(), [](const std::string& v) { return v; });
  } else if (const auto& shadow = item.shadow()) {
    appendVariants(out, *shadow->shadow(),
                   [](const ShadowDetailsRef& d) { return d ? d->stringValuesSummary() : std::string("-"); });
  } else if (const auto& shadows = item.shadowSet()) {
    for (const auto& step : shadows->shadows())
      out += "\n" + step->name() + ": " +
             (step->lightVariant() ? step->lightVariant()->stringValuesSummary() : std::string("-"));
  } else if (const auto& numberAlias = item.numberAlias()) {
    appendReferences(out, *numberAlias);
  } else if (const auto& booleanAlias = item.booleanAlias()) {
    appendReferences(out, *booleanAlias);
  } else if (const auto& stringAlias = item.stringAlias()) {
    appendReferences(out, *stringAlias);
  } else if (const auto& shadowAlias = item.shadowAlias()) {
    appendReferences(out, *shadowAlias);
  }
  return out;
}

std::optional<mcu::PlatformColor> tileColor(const MerrinColorProjectItem& item, ColorSource variant) {
  if (const auto& color = item.color()) return color->color()->displayVariantFor(variant);
  if (const auto& alias = item.colorAlias()) {
    // As the alias's tile resolves it: the reference for the variant, then
    // that colour's own display variant.
    const MerrinColorProjectItemPtr referenced = previewer::acceptedReference(
        alias, variant, [](const MerrinColorProjectItem& n) { return n.color() || n.colorSet(); });
    if (auto value = MerrinColorAlias::mainColor(referenced, alias->referenceIndexToUse(variant)))
      return value->displayVariantFor(variant);
  }
  return std::nullopt;
}

}  // namespace tavlo::viewer
