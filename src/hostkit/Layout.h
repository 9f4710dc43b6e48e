#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MerrinColorUtils/platform/PlatformColor.h"
#include "hostkit/View.h"

namespace hostkit {

// A text as the layout resolved it: the environment applied, and the string
// that is shown after truncation.
struct ResolvedText {
  std::string text;           // every segment, symbols as U+FFFC
  std::string displayedText;  // what fits, with "…" where text gave way
  Font font;
  mcu::PlatformColor color;
  int lineLimit = 0;  // 0: no limit
  TruncationMode truncationMode = TruncationMode::tail;
  bool isTruncated = false;
  int lineCount = 0;
  // Names of the symbols still shown, in order.
  std::vector<std::string> symbols;
};

// One view after layout: where it sits (in the root's coordinates, points)
// and what the environment made of it.
struct LayoutNode {
  std::shared_ptr<const ViewNode> view;
  Rect frame;
  std::optional<ResolvedText> text;         // text nodes
  std::optional<mcu::PlatformColor> color;  // shapes and symbols: the colour they paint with
  std::vector<LayoutNode> children;

  NodeKind kind() const { return view->kind; }
  const std::string& tag() const { return view->tag; }

  // Depth-first, pre-order searches of this node and everything below it.
  const LayoutNode* find(const std::function<bool(const LayoutNode&)>& match) const;
  std::vector<const LayoutNode*> findAll(const std::function<bool(const LayoutNode&)>& match) const;
  // The first text whose full text contains `substring`.
  const LayoutNode* findText(std::string_view substring) const;
  const LayoutNode* findTag(std::string_view tag) const;
  // Every text's full text, in drawing order.
  std::vector<std::string> texts() const;
};

struct LayoutOptions {
  // Where the root's top-left corner goes.
  Point origin;
  // Only what intersects this rectangle (root coordinates) is placed in
  // detail; subtrees outside it keep their frame but no children. Absent:
  // everything.
  std::optional<Rect> visibleRect;
};

// The size `view` chooses for `proposal`.
Size sizeThatFits(const View& view, ProposedSize proposal);

// Sizes `view` for `proposal` and places it and everything inside it.
LayoutNode layout(const View& view, ProposedSize proposal, const LayoutOptions& options = {});
// Places `view` in exactly `bounds`, whatever size it would choose itself.
LayoutNode layoutIn(const View& view, const Rect& bounds, const std::optional<Rect>& visibleRect = {});

}  // namespace hostkit
