// The error thrown by the element tree's throwing getters (getXML, getXMLList,
// getEnum). Lookups themselves never throw: they carry their failure as a
// null XMLSubscriptResult.
#pragma once

#include <exception>
#include <string>

namespace xmltree {

class XMLError : public std::exception {
 public:
  // Case names are kept exactly as the element tree has always spelled them.
  enum class Kind { subscriptFailue, initFailue, wrongChain };

  XMLError(Kind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  static XMLError subscriptFailue(std::string message) { return {Kind::subscriptFailue, std::move(message)}; }
  static XMLError initFailue(std::string message) { return {Kind::initFailue, std::move(message)}; }
  // Declared for completeness; nothing in the tree raises it.
  static XMLError wrongChain(std::string message) { return {Kind::wrongChain, std::move(message)}; }

  Kind kind() const { return kind_; }
  const std::string& message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  Kind kind_;
  std::string message_;
};

}  // namespace xmltree
