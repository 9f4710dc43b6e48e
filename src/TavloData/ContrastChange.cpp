#include "TavloData/ContrastChange.h"

#include "TavloData/ItemTreeWalk.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"

namespace tavlo {

namespace {

void changeContrastOfKind(const MerrinColorProjectItem& node, DisplayableContrast to) {
  AppearanceSettable* settable = nullptr;
  if (node.colorAlias())
    settable = node.colorAlias().get();
  else if (node.color())
    settable = node.color().get();
  else if (node.colorSet())
    settable = node.colorSet().get();
  else if (node.shadow())
    settable = node.shadow().get();
  else if (node.shadowSet())
    settable = node.shadowSet().get();
  else if (node.shadowAlias())
    settable = node.shadowAlias().get();
  if (settable) settable->changeContrast(to);
}

}  // namespace

void changeContrastForItemAndAllSubItems(MerrinColorProjectItem& item, DisplayableContrast to) {
  if (!item.group()) {
    changeContrastOfKind(item, to);
    return;
  }
  forEachItemInTree(item.group()->items(),
                    [&](const MerrinColorProjectItemPtr& node) { changeContrastOfKind(*node, to); });
}

}  // namespace tavlo
