#include "xmltree/XMLSubscript.h"

#include "xmltree/XML.h"

namespace xmltree {

XMLSubscriptKey XMLSubscriptKey::member(std::string_view memberName) {
  if (std::optional<std::int64_t> position = text::toInt64(memberName)) return index(*position);
  if (memberName.starts_with('$')) return attribute(std::string(memberName.substr(1)));
  return key(std::string(memberName));
}

XMLPtr XMLSubscriptResultIterator::next() {
  if (index < 0 || index >= static_cast<std::int64_t>(xmls.size())) return nullptr;
  return xmls[static_cast<std::size_t>(index++)];
}

XMLSubscriptResult XMLSubscriptResult::makeNull(std::string message) {
  return {Kind::null, {}, std::move(message), {}};
}

XMLSubscriptResult XMLSubscriptResult::makeXML(XMLPtr element, std::string path) {
  std::vector<XMLPtr> elements;
  elements.push_back(std::move(element));
  return {Kind::xml, std::move(elements), {}, std::move(path)};
}

XMLSubscriptResult XMLSubscriptResult::makeArray(std::vector<XMLPtr> elements, std::string path) {
  return {Kind::array, std::move(elements), {}, std::move(path)};
}

XMLSubscriptResult XMLSubscriptResult::makeString(std::string text, std::string path) {
  return {Kind::string, {}, std::move(text), std::move(path)};
}

namespace {

std::string outOfBounds(std::int64_t position, std::size_t count) {
  return "index:" + std::to_string(position) + " out of bounds: 0..<" + std::to_string(count);
}

}  // namespace

XMLSubscriptResult XMLSubscriptResult::operator[](const XMLSubscriptKey& key) const {
  using KeyKind = XMLSubscriptKey::Kind;
  switch (kind_) {
    case Kind::null:
      return *this;

    case Kind::xml: {
      const XML& element = *elements_.front();
      switch (key.kind()) {
        case KeyKind::index:
          return makeNull(path_ +
                          ": single xml can not subscript by index: " + std::to_string(key.indexValue()));
        case KeyKind::key: {
          std::vector<XMLPtr> found;
          for (const XMLPtr& child : element.xmlChildren())
            if (child->xmlName() == key.name()) found.push_back(child);
          if (found.empty()) return makeNull(path_ + ": no such children named: \"" + key.name() + "\"");
          return makeArray(std::move(found), path_ + "." + key.name());
        }
        case KeyKind::attribute: {
          const auto it = element.xmlAttributes().find(key.name());
          if (it == element.xmlAttributes().end())
            return makeNull(path_ + ": no such attribute named: " + key.name());
          return makeString(it->second, path_ + ".$" + key.name());
        }
      }
      break;
    }

    case Kind::array:
      if (key.kind() == KeyKind::index) {
        const std::int64_t position = key.indexValue();
        if (position < 0 || position >= static_cast<std::int64_t>(elements_.size()))
          return makeNull(path_ + ": " + outOfBounds(position, elements_.size()));
        return makeXML(elements_[static_cast<std::size_t>(position)], path_ + "." + std::to_string(position));
      }
      // Keys and attributes look only at the first element.
      return makeXML(elements_.front(), path_ + ".0")[key];

    case Kind::string:
      switch (key.kind()) {
        case KeyKind::index:
          return makeNull(path_ +
                          ": attribute can not subscript by index: " + std::to_string(key.indexValue()));
        case KeyKind::key:
          return makeNull(path_ + ": attribute can not subscript by key: " + key.name());
        case KeyKind::attribute:
          return makeNull(path_ + ": attribute can not subscript by attribute: " + key.name());
      }
      break;
  }
  return *this;
}

XMLSubscriptResult XMLSubscriptResult::operator[](std::string_view memberName) const {
  return (*this)[XMLSubscriptKey::member(memberName)];
}

XMLPtr XMLSubscriptResult::xml() const {
  return elements_.empty() ? nullptr : elements_.front();
}

XMLPtr XMLSubscriptResult::getXML() const {
  switch (kind_) {
    case Kind::null:
      throw XMLError::subscriptFailue(text_);
    case Kind::string:
      throw XMLError::subscriptFailue("can not get XML from attribute, from keyChain: " + path_);
    case Kind::xml:
    case Kind::array:
      break;
  }
  return elements_.front();
}

std::optional<std::vector<XMLPtr>> XMLSubscriptResult::xmlList() const {
  if (elements_.empty()) return std::nullopt;
  return elements_;
}

std::vector<XMLPtr> XMLSubscriptResult::getXMLList() const {
  switch (kind_) {
    case Kind::null:
      throw XMLError::subscriptFailue(text_);
    case Kind::string:
      throw XMLError::subscriptFailue("can not get list from attribute, from keyChain: " + path_);
    case Kind::xml:
    case Kind::array:
      break;
  }
  return elements_;
}

std::string XMLSubscriptResult::error() const {
  return kind_ == Kind::null ? text_ : std::string();
}

std::optional<std::string> XMLSubscriptResult::string() const {
  switch (kind_) {
    case Kind::null:
      return std::nullopt;
    case Kind::string:
      return text_;
    case Kind::xml:
    case Kind::array:
      break;
  }
  return elements_.front()->xmlValue();
}

}  // namespace xmltree
