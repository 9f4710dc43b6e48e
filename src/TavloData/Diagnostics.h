// What the reader and the alias resolution lost, and where: findings with a
// stable code, the position of the element they concern and the item they
// belong to. Reading never fails, so without findings a broken link or a
// dropped item only shows as a fallback ("No Source", a missing tile).
//
//   DiagnosticSink sink;
//   auto project = MerrinColorFileReader().parse(bytes, &sink);
//   for (const Diagnostic& finding : sink.sortedDiagnostics()) ...
//
// The findings never change what is read: the project is the one parse(bytes)
// gives.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "TavloData/EnumTable.h"

namespace tavlo {

enum class DiagnosticSeverity { error, warning };

enum class DiagnosticCode {
  notWellFormed,       // the document is not XML; it reads as empty
  danglingReference,   // an alias or ramp-step reference whose id matches no item
  wrongKindReference,  // a reference to an item of another kind
  aliasToAlias,        // a reference to another alias, which resolves to nothing
  stepOutOfRange,      // a ramp-step reference past the ramp's steps
  unknownBuildGroup,   // a buildGroupId that matches no build group
  unknownTestGroup,    // a testGroupId that matches no test group
  duplicateId,         // an id an earlier item already has
  itemDropped,         // something the reader leaves out, with the rule that dropped it
  unknownElement,      // an element the reader skips where items or values are read
};

struct DiagnosticCodeEntry : EnumEntry<DiagnosticCode> {
  DiagnosticSeverity severity;
};

// `raw` is the stable code printed with every finding.
inline constexpr std::array<DiagnosticCodeEntry, 10> diagnosticCodes = {{
    {{DiagnosticCode::notWellFormed, "not-well-formed", "Not well-formed"}, DiagnosticSeverity::error},
    {{DiagnosticCode::danglingReference, "dangling-reference", "Dangling reference"},
     DiagnosticSeverity::error},
    {{DiagnosticCode::wrongKindReference, "wrong-kind-reference", "Reference to another kind"},
     DiagnosticSeverity::error},
    {{DiagnosticCode::aliasToAlias, "alias-to-alias", "Reference to an alias"}, DiagnosticSeverity::error},
    {{DiagnosticCode::stepOutOfRange, "step-out-of-range", "Step out of range"}, DiagnosticSeverity::error},
    {{DiagnosticCode::unknownBuildGroup, "unknown-build-group", "Unknown build group"},
     DiagnosticSeverity::error},
    {{DiagnosticCode::unknownTestGroup, "unknown-test-group", "Unknown test group"},
     DiagnosticSeverity::error},
    {{DiagnosticCode::duplicateId, "duplicate-id", "Duplicate id"}, DiagnosticSeverity::error},
    {{DiagnosticCode::itemDropped, "item-dropped", "Item dropped"}, DiagnosticSeverity::warning},
    {{DiagnosticCode::unknownElement, "unknown-element", "Unknown element"}, DiagnosticSeverity::warning},
}};

inline std::string_view rawValue(DiagnosticCode code) {
  return enumEntry(diagnosticCodes, code).raw;
}
inline DiagnosticSeverity severityOf(DiagnosticCode code) {
  return enumEntry(diagnosticCodes, code).severity;
}
inline std::string_view rawValue(DiagnosticSeverity severity) {
  return severity == DiagnosticSeverity::error ? "error" : "warning";
}

struct Diagnostic {
  DiagnosticCode code;
  // Where the element the finding concerns starts (see xmltree::XML::sourceLine).
  std::uint32_t line = 0;
  std::uint32_t column = 0;
  std::string message;
  // The name of the item it belongs to, or its id when it has no name; empty
  // for findings about the document as a whole.
  std::string item;

  DiagnosticSeverity severity() const { return severityOf(code); }
};

class DiagnosticSink {
 public:
  void report(Diagnostic diagnostic) { diagnostics_.push_back(std::move(diagnostic)); }
  // Forgets what was reported after the first `count` findings.
  void truncate(std::size_t count) {
    if (count < diagnostics_.size()) diagnostics_.resize(count);
  }

  // In the order reported.
  const std::vector<Diagnostic>& diagnostics() const { return diagnostics_; }
  // By position in the document; findings at one position keep their order.
  std::vector<Diagnostic> sortedDiagnostics() const;
  std::size_t count(DiagnosticSeverity severity) const;

 private:
  std::vector<Diagnostic> diagnostics_;
};

}  // namespace tavlo
