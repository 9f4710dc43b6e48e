// One lookup step (XMLSubscriptKey) and its outcome (XMLSubscriptResult).
//
// Lookups never throw: a failed step gives a null result whose message records
// the chain walked so far, and every later step hands that same null on, so a
// chain such as root["project"]["items"]["$uuid"] reports its first failure.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xmltree/StringProvider.h"
#include "xmltree/XMLError.h"

namespace xmltree {

class XML;
using XMLPtr = std::shared_ptr<XML>;

class XMLSubscriptKey {
 public:
  enum class Kind { index, key, attribute };

  // The child (or list element) at a zero-based position.
  static XMLSubscriptKey index(std::int64_t position) { return {Kind::index, position, {}}; }
  // All children with that element name.
  static XMLSubscriptKey key(std::string name) { return {Kind::key, 0, std::move(name)}; }
  // The value of the attribute with that name.
  static XMLSubscriptKey attribute(std::string name) { return {Kind::attribute, 0, std::move(name)}; }

  // The member-name rule: a whole decimal integer (optional sign, 64-bit range)
  // is an index, "$name" is the attribute "name", anything else is a key.
  static XMLSubscriptKey member(std::string_view memberName);

  Kind kind() const { return kind_; }
  std::int64_t indexValue() const { return index_; }  // meaningful for Kind::index
  const std::string& name() const { return name_; }   // meaningful for key and attribute

  bool operator==(const XMLSubscriptKey&) const = default;

 private:
  XMLSubscriptKey(Kind kind, std::int64_t index, std::string name)
      : kind_(kind), index_(index), name_(std::move(name)) {}

  Kind kind_;
  std::int64_t index_;
  std::string name_;
};

// Hands out the elements of a result once each; a snapshot taken at creation.
class XMLSubscriptResultIterator {
 public:
  explicit XMLSubscriptResultIterator(std::vector<XMLPtr> elements) : xmls(std::move(elements)) {}
  // The next element, or empty once every element has been handed out.
  XMLPtr next();

  std::vector<XMLPtr> xmls;
  std::int64_t index = 0;
};

class XMLSubscriptResult : public StringProvider<XMLSubscriptResult> {
 public:
  enum class Kind { null, xml, array, string };

  static XMLSubscriptResult makeNull(std::string message);
  static XMLSubscriptResult makeXML(XMLPtr element, std::string path);
  // `elements` must not be empty.
  static XMLSubscriptResult makeArray(std::vector<XMLPtr> elements, std::string path);
  static XMLSubscriptResult makeString(std::string text, std::string path);

  Kind kind() const { return kind_; }
  // The lookup chain so far (".project.0.items"); empty for null, whose message holds it.
  const std::string& path() const { return path_; }

  // Further lookup; a null result returns itself unchanged.
  XMLSubscriptResult operator[](const XMLSubscriptKey& key) const;
  // Member-style lookup: XMLSubscriptKey::member(memberName).
  XMLSubscriptResult operator[](std::string_view memberName) const;
  XMLSubscriptResult operator[](std::int64_t position) const {
    return (*this)[XMLSubscriptKey::index(position)];
  }

  // The element of an xml result, the first of an array; empty otherwise.
  XMLPtr xml() const;
  // As xml(), but throws XMLError subscriptFailue for null and string results.
  XMLPtr getXML() const;
  // As getXMLList() with errors turned into absent.
  std::optional<std::vector<XMLPtr>> xmlList() const;
  // One element for xml, all for array; throws XMLError subscriptFailue otherwise.
  std::vector<XMLPtr> getXMLList() const;
  // The message of a null result; empty for the other cases.
  std::string error() const;

  // StringProvider: the element's value (first element for array), the
  // attribute's text for string, absent for null.
  std::optional<std::string> string() const;

  // A result is a sequence of elements: xml gives one, array all, null and string none.
  XMLSubscriptResultIterator makeIterator() const { return XMLSubscriptResultIterator(elements_); }
  std::vector<XMLPtr>::const_iterator begin() const { return elements_.begin(); }
  std::vector<XMLPtr>::const_iterator end() const { return elements_.end(); }

 private:
  XMLSubscriptResult(Kind kind, std::vector<XMLPtr> elements, std::string text, std::string path)
      : kind_(kind), elements_(std::move(elements)), text_(std::move(text)), path_(std::move(path)) {}

  Kind kind_;
  std::vector<XMLPtr> elements_;  // xml: one; array: one or more; otherwise none
  std::string text_;              // null: the message; string: the attribute's value
  std::string path_;
};

}  // namespace xmltree
