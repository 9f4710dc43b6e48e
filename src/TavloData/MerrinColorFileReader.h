// Turns the bytes of a document into a project. Reading never fails: what
// cannot be used is skipped, missing values take fixed defaults, and bytes
// that are not a well-formed document give an empty project.
#pragma once

#include <memory>
#include <string_view>

#include "TavloData/ProjectKinds.h"

namespace tavlo {

class DiagnosticSink;

class MerrinColorFileReader {
 public:
  // Never returns an empty pointer. The aliases of the result are resolved.
  // With `diagnostics`, everything the read leaves out or cannot resolve is
  // reported there too (Diagnostics.h); the project is the same either way.
  std::shared_ptr<MerrinColorProject> parse(std::string_view data,
                                            DiagnosticSink* diagnostics = nullptr) const;
};

}  // namespace tavlo
