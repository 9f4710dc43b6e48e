// The element of each item kind except groups (which the writer makes
// itself), in the child order the reader expects. Each returns the element
// without the node's build-group and test-group links; the writer adds those.
#pragma once

#include "xmltree/XML.h"

namespace tavlo {

class MerrinColorProjectItem;

xmltree::XMLPtr colorItemElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr colorSetElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr colorAliasElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr numberItemElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr numberAliasElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr booleanItemElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr booleanAliasElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr stringItemElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr stringAliasElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr shadowItemElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr shadowSetElement(const MerrinColorProjectItem& item);
xmltree::XMLPtr shadowAliasElement(const MerrinColorProjectItem& item);

}  // namespace tavlo
