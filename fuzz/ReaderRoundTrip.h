// What the reader fuzz target checks of every input, shared with the test that
// replays the inputs it once failed on (tests/data/hostile/).
//
// Writing what was read settles every number to the writer's precision and
// gives every item an identifier, so reading that and writing again must give
// the same bytes. Carriage returns are no exception: the writer keeps them as
// character references. One loss is the format's own: the writer trims texts,
// so a text of only whitespace is written as an empty pair of tags, which
// reads as absent (a setting without a key is dropped, an item without an
// identifier gets a fresh one). Only when the input has such a text may the
// second write differ from the first, and it must be final.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorProject.h"
#include "xmltree/XML.h"

namespace tavlo::fuzzing {

// Absent when `bytes` pass; otherwise what went wrong, with the documents written.
inline std::optional<std::string> readerRoundTripFault(std::string_view bytes) {
  const MerrinColorFileReader reader;
  auto readAndWrite = [&](std::string_view data, std::string& out) -> std::optional<std::string> {
    const auto project = reader.parse(data);
    if (!project) return "the reader gave no project";
    try {
      out = MerrinColorFileWriter::data(*project);
    } catch (const std::exception& error) {
      // Everything the reader builds came from well-formed UTF-8 and has a
      // kind object, so the writer has no reason to refuse it.
      return std::string("writing what was read failed: ") + error.what();
    }
    return std::nullopt;
  };
  std::string first, second, third;
  if (auto fault = readAndWrite(bytes, first)) return fault;
  if (auto fault = readAndWrite(first, second)) return fault;
  if (first == second) return std::nullopt;
  // The element tree writes a text of only whitespace as an empty pair of tags.
  const xmltree::XMLPtr tree = xmltree::XML::fromData(bytes);
  const bool lostWhitespace = tree && tree->description().find("></") != std::string::npos;
  if (lostWhitespace) {
    if (auto fault = readAndWrite(second, third)) return fault;
    if (second == third) return std::nullopt;
  }
  return "writing is not stable after " + std::string(lostWhitespace ? "two rounds" : "one round") +
         ":\n--- first\n" + first + "\n--- second\n" + second +
         (lostWhitespace ? "\n--- third\n" + third : std::string());
}

}  // namespace tavlo::fuzzing
