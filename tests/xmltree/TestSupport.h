// Shared by the xmltree tests: parse helpers, error checks and a captured parse-error sink.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xmltree/XML.h"

namespace xmltree::testing {

// Routes the tree's error reports into `lines` for the lifetime of the fixture.
class CapturedReports : public ::testing::Test {
 protected:
  void SetUp() override {
    setParseErrorSink([this](std::string_view line) { lines.emplace_back(line); });
  }
  void TearDown() override { setParseErrorSink(nullptr); }

  std::vector<std::string> lines;
};

inline XMLPtr parse(std::string_view text) {
  return XML::fromData(text);
}

// Runs `action` and expects it to throw an XMLError of `kind` saying `message`.
template <class Action>
void expectXMLError(Action action, XMLError::Kind kind, std::string_view message) {
  try {
    action();
    ADD_FAILURE() << "no error thrown; expected " << message;
  } catch (const XMLError& e) {
    EXPECT_EQ(e.kind(), kind);
    EXPECT_EQ(e.message(), message);
  }
}

inline std::string repeat(std::string_view piece, std::size_t count) {
  std::string out;
  out.reserve(piece.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += piece;
  return out;
}

}  // namespace xmltree::testing
