// Finds nodes by uuid for alias inflation. Answers exactly what
// MerrinColorProject::firstItem(with:) answers (the first node in depth-first
// pre-order over the unfiltered tree), but walks the tree once, on the first
// lookup, so inflating every alias of a document costs linear time.
// The tree must not change while an index is in use.
#pragma once

#include <memory>
#include <string_view>
#include <unordered_map>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class ItemUuidIndex {
 public:
  explicit ItemUuidIndex(const MerrinColorProject& project) : project_(project) {}

  std::shared_ptr<MerrinColorProjectItem> firstItem(std::string_view uuid) const;

 private:
  void build() const;

  const MerrinColorProject& project_;
  mutable bool built_ = false;
  // Keys view the nodes' own (immutable) uuid texts; values point at the
  // tree's own shared pointers.
  mutable std::unordered_map<std::string_view, const MerrinColorProjectItemPtr*> nodes_;
};

}  // namespace tavlo
