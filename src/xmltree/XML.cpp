#include "xmltree/XML.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace xmltree {

namespace {

// Shortest fixed-notation text that reads back to the same number: plain
// decimal form, never an exponent, always "." whatever the locale.
template <class T>
std::string plainDecimal(T value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[512];  // the longest fixed double (denormal minimum) needs about 330
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

}  // namespace

XMLAnyValue::XMLAnyValue(double value) : text_(plainDecimal(value)) {}
XMLAnyValue::XMLAnyValue(float value) : text_(plainDecimal(value)) {}

XMLPtr XML::make(std::string name, const XMLAnyAttributes& attributes, std::optional<XMLAnyValue> value) {
  auto element = std::make_shared<XML>(PrivateTag{}, std::move(name));
  element->addAttributes(attributes);
  if (value) element->value_ = std::move(*value).text();
  return element;
}

XML::~XML() {
  // Releasing a child that we own alone would release its children in turn,
  // one stack frame per level. Detach grandchildren first so that every
  // release below is shallow, whatever the depth of the tree.
  std::vector<XMLPtr> pending = std::move(children_);
  while (!pending.empty()) {
    XMLPtr node = std::move(pending.back());
    pending.pop_back();
    if (node.use_count() == 1 && !node->children_.empty()) {
      for (XMLPtr& child : node->children_) pending.push_back(std::move(child));
      node->children_.clear();
    }
  }
}

XML& XML::addAttribute(const std::string& name, const XMLAnyValue& value) {
  attributes_.insert_or_assign(name, value.text());
  return *this;
}

XML& XML::addAttributes(const XMLAnyAttributes& entries) {
  for (const auto& [name, value] : entries) addAttribute(name, value);
  return *this;
}

XML& XML::addChild(const XMLPtr& child) {
  if (child.get() == this) {
    std::fputs("can not add self to xml children list!\n", stderr);
    std::abort();
  }
  child->parent_ = weak_from_this();
  children_.push_back(child);
  return *this;
}

XML& XML::addChildren(const std::vector<XMLPtr>& children) {
  children_.reserve(children_.size() + children.size());
  for (const XMLPtr& child : children) addChild(child);
  return *this;
}

XMLSubscriptResult XML::operator[](const XMLSubscriptKey& key) const {
  switch (key.kind()) {
    case XMLSubscriptKey::Kind::index: {
      const std::int64_t position = key.indexValue();
      if (position < 0 || position >= static_cast<std::int64_t>(children_.size()))
        return XMLSubscriptResult::makeNull(std::string("index:")
                                                .append(std::to_string(position))
                                                .append(" out of bounds: 0..<")
                                                .append(std::to_string(children_.size())));
      return XMLSubscriptResult::makeXML(children_[static_cast<std::size_t>(position)],
                                         std::string("[").append(std::to_string(position)).append("]"));
    }
    case XMLSubscriptKey::Kind::key: {
      std::vector<XMLPtr> found;
      for (const XMLPtr& child : children_)
        if (child->name_ == key.name()) found.push_back(child);
      if (found.empty())
        return XMLSubscriptResult::makeNull("no such children named: \"" + key.name() + "\"");
      return XMLSubscriptResult::makeArray(std::move(found), "." + key.name());
    }
    case XMLSubscriptKey::Kind::attribute: {
      const auto it = attributes_.find(key.name());
      if (it == attributes_.end())
        return XMLSubscriptResult::makeNull("no such attribute named: \"" + key.name() + "\"");
      return XMLSubscriptResult::makeString(it->second, ".$" + key.name());
    }
  }
  return XMLSubscriptResult::makeNull("");
}

XMLSubscriptResult XML::operator[](std::string_view memberName) const {
  return (*this)[XMLSubscriptKey::member(memberName)];
}

}  // namespace xmltree
