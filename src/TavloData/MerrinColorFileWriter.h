// The writer: a project back into the bytes of a document that the reader
// reads to the same tree, values and links (within the precision of the
// number forms: four fraction digits for numbers, five significant digits for
// colour components).
#pragma once

#include "xmltree/XML.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlo {

class MerrinColorProject;
class MerrinColorProjectItem;
class BuildGroup;
class TestGroup;

// A text in the model is not valid UTF-8 (only the API can put one there).
class EncodingError : public std::runtime_error {
 public:
  EncodingError() : std::runtime_error("The document text cannot be encoded as UTF-8") {}
};

// A node without a kind object cannot be written; writing never ends the program.
class InvalidItemError : public std::runtime_error {
 public:
  InvalidItemError() : std::runtime_error("Unknown or invalid project item encountered") {}
};

class MerrinColorFileWriter {
 public:
  // The whole document, declaration line first. Throws EncodingError or InvalidItemError.
  static std::string data(const MerrinColorProject& project);
};

// Elements as the writer makes them: no attributes, two-space indentation.
xmltree::XMLPtr merrinElement(std::string name);
xmltree::XMLPtr merrinElement(std::string name, std::string_view text);
// Numbers through the writer's formatter: "." separator, 0 to 4 fraction
// digits, half-even ("1.00004" is written "1"); the empty text when it fails.
xmltree::XMLPtr merrinElement(std::string name, double value);
// Integers as plain decimal digits, exactly (the formatter's text for them).
xmltree::XMLPtr merrinElement(std::string name, std::int64_t value);
// The writer's number text, "" when the formatter yields none.
std::string writerNumberText(double value);

// The element of one node, build group or test group, made anew on every call.
xmltree::XMLPtr xml(const MerrinColorProjectItem& item);
xmltree::XMLPtr xml(const BuildGroup& group);
xmltree::XMLPtr xml(const TestGroup& group);

}  // namespace tavlo
