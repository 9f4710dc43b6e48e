// Every sample document survives reading and writing: the second write is
// byte for byte the first, and the project read back equals the one first
// read, within the precision of the written number forms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TavloData/BuildGroup.h"
#include "TavloData/MerrinColorAlias.h"
#include "TavloData/MerrinColorBoolean.h"
#include "TavloData/MerrinColorBooleanAlias.h"
#include "TavloData/MerrinColorFileReader.h"
#include "TavloData/MerrinColorFileWriter.h"
#include "TavloData/MerrinColorGroup.h"
#include "TavloData/MerrinColorItem.h"
#include "TavloData/MerrinColorNumber.h"
#include "TavloData/MerrinColorNumberAlias.h"
#include "TavloData/MerrinColorProject.h"
#include "TavloData/MerrinColorProjectItem.h"
#include "TavloData/MerrinColorSet.h"
#include "TavloData/MerrinColorShadow.h"
#include "TavloData/MerrinColorShadowAlias.h"
#include "TavloData/MerrinColorShadowSet.h"
#include "TavloData/MerrinColorString.h"
#include "TavloData/MerrinColorStringAlias.h"
#include "TavloData/TestGroup.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;
using mcu::PlatformColor;

std::vector<fs::path> sampleDocuments() {
  std::vector<fs::path> found;
  for (const fs::path& root : {fs::path(TAVLO_SOURCE_DIR) / "examples", fs::path(TAVLO_TEST_DATA)}) {
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
      // Hostile inputs are for the reader's robustness, not round trips.
      if (it->is_directory() && it->path().filename() == "hostile") {
        it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file() && it->path().extension() == ".tavlo") found.push_back(it->path());
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The documented precision: five significant digits for colour components,
// four fraction digits for other numbers (half a unit of the last digit, with
// room for the binary representation), two significant digits for amounts.
void expectSameColor(const PlatformColor& a, const PlatformColor& b, const std::string& where) {
  EXPECT_EQ(a.colorSpace(), b.colorSpace()) << where;
  ASSERT_EQ(a.numberOfComponents(), b.numberOfComponents()) << where;
  for (std::size_t i = 0; i < a.numberOfComponents(); ++i)
    EXPECT_NEAR(a.components()[i], b.components()[i], 1e-4 * std::abs(a.components()[i]))
        << where << " #" << i;
}

void expectSameNumber(double a, double b, const std::string& where) {
  EXPECT_NEAR(a, b, 5e-5 + 1e-9 * std::abs(a)) << where;
}

void expectSameShadow(const ShadowDetailsRef& a, const ShadowDetailsRef& b, const std::string& where) {
  for (auto field :
       {&ShadowDetails::xOffset, &ShadowDetails::yOffset, &ShadowDetails::blur, &ShadowDetails::spread})
    expectSameNumber(((*a).*field)(), ((*b).*field)(), where);
  expectSameColor(a->color(), b->color(), where);
}

template <class T>
void expectEqual(const T& a, const T& b, const std::string& where) {
  EXPECT_EQ(a, b) << where;
}

template <class T, class Same>
void expectSameVariants(const ThemeableVariants<T>& a, const ThemeableVariants<T>& b,
                        const std::string& where, Same same) {
  same(a.lightVariant(), b.lightVariant(), where + " light");
  for (ColorSource source :
       {ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast}) {
    const std::optional<T> x = a.variantFor(source);
    const std::optional<T> y = b.variantFor(source);
    ASSERT_EQ(x.has_value(), y.has_value()) << where << " " << displayName(source);
    if (x) same(*x, *y, where + " " + std::string(displayName(source)));
  }
}

template <class Named, class Same>
void expectSameNamedValue(const Named& a, const Named& b, const std::string& where, Same same) {
  EXPECT_EQ(a.name(), b.name()) << where;
  expectSameVariants(a, b, where, same);
}

template <class Kind>
void expectSameAppearance(const Kind& a, const Kind& b, const std::string& where) {
  EXPECT_EQ(a.appearanceType(), b.appearanceType()) << where;
  EXPECT_NEAR(a.autoContrastAmount(), b.autoContrastAmount(), 0.005 + 0.05 * std::abs(a.autoContrastAmount()))
      << where;
}

// Kinds with a colour space: items and ramps.
template <class Kind>
void expectSameSpace(const Kind& a, const Kind& b, const std::string& where) {
  expectSameAppearance(a, b, where);
  EXPECT_EQ(a.colorSpace(), b.colorSpace()) << where;
}

template <class Ramp, class Same>
void expectSameRamp(const Ramp& a, const Ramp& b, const std::string& where, Same same) {
  expectSameSpace(a, b, where);
  EXPECT_EQ(a.interpolationMethod(), b.interpolationMethod()) << where;
  EXPECT_EQ(a.curveType(), b.curveType()) << where;
  EXPECT_EQ(a.curveAmount(), b.curveAmount()) << where;
  EXPECT_EQ(a.type(), b.type()) << where;
  EXPECT_EQ(a.middleLocation(), b.middleLocation()) << where;
  EXPECT_EQ(a.namingScheme(), b.namingScheme()) << where;
  EXPECT_EQ(a.steps(), b.steps()) << where;
  ASSERT_EQ(a.entries().size(), b.entries().size()) << where;
  for (std::size_t i = 0; i < a.entries().size(); ++i)
    expectSameNamedValue(*a.entries()[i], *b.entries()[i], where + " #" + std::to_string(i), same);
}

// The stored references, and what they resolve to.
template <class Alias>
void expectSameReferences(const Alias& a, const Alias& b, const std::string& where) {
  expectSameAppearance(a, b, where);
  for (ColorSource source : allColorSources) {
    EXPECT_EQ(a.aliasTypeFor(source), b.aliasTypeFor(source)) << where << " " << displayName(source);
    auto x = a.referencedItemFor(source);
    auto y = b.referencedItemFor(source);
    ASSERT_EQ(bool(x), bool(y)) << where << " " << displayName(source);
    if (x) {
      EXPECT_EQ(x->uuid(), y->uuid()) << where;
    }
  }
}

void expectSameNode(const MerrinColorProjectItem& a, const MerrinColorProjectItem& b,
                    const std::string& where) {
  ASSERT_EQ(a.itemType(), b.itemType()) << where;
  EXPECT_EQ(a.name(), b.name()) << where;
  // Aliases are written without identifiers and read with fresh ones.
  if (!a.isAnyAlias()) {
    EXPECT_EQ(a.uuid(), b.uuid()) << where;
  }
  EXPECT_EQ(a.isExpanded(), b.isExpanded()) << where;
  EXPECT_EQ(a.buildGroup() ? a.buildGroup()->uuid() : "-", b.buildGroup() ? b.buildGroup()->uuid() : "-")
      << where;
  EXPECT_EQ(a.testGroup() ? a.testGroup()->uuid() : "-", b.testGroup() ? b.testGroup()->uuid() : "-")
      << where;
  if (a.testGroup()) {
    EXPECT_EQ(a.testPosition(), b.testPosition()) << where;
  }

  if (a.group()) {
    EXPECT_EQ(a.group()->providesNamespace(), b.group()->providesNamespace()) << where;
    const auto& x = a.group()->items();
    const auto& y = b.group()->items();
    ASSERT_EQ(x.size(), y.size()) << where;
    for (std::size_t i = 0; i < x.size(); ++i) expectSameNode(*x[i], *y[i], where + "/" + x[i]->name());
  } else if (a.color()) {
    expectSameSpace(*a.color(), *b.color(), where);
    expectSameNamedValue(*a.color()->color(), *b.color()->color(), where, expectSameColor);
  } else if (a.colorSet()) {
    expectSameRamp(*a.colorSet(), *b.colorSet(), where, expectSameColor);
  } else if (a.shadow()) {
    expectSameSpace(*a.shadow(), *b.shadow(), where);
    expectSameNamedValue(*a.shadow()->shadow(), *b.shadow()->shadow(), where, expectSameShadow);
  } else if (a.shadowSet()) {
    expectSameRamp(*a.shadowSet(), *b.shadowSet(), where, expectSameShadow);
  } else if (a.number()) {
    const MerrinColorNumber& x = *a.number();
    const MerrinColorNumber& y = *b.number();
    expectSameAppearance(x, y, where);
    expectSameVariants(*x.value(), *y.value(), where, expectSameNumber);
    for (auto bound : {&MerrinColorNumber::minValue, &MerrinColorNumber::maxValue}) {
      ASSERT_EQ((x.*bound)().has_value(), (y.*bound)().has_value()) << where;
      if ((x.*bound)()) expectSameNumber(*(x.*bound)(), *(y.*bound)(), where + " range");
    }
    EXPECT_EQ(x.steps(), y.steps()) << where;
  } else if (a.boolean()) {
    expectSameAppearance(*a.boolean(), *b.boolean(), where);
    expectSameVariants(*a.boolean()->value(), *b.boolean()->value(), where, expectEqual<bool>);
  } else if (a.string()) {
    expectSameAppearance(*a.string(), *b.string(), where);
    expectSameVariants(*a.string()->value(), *b.string()->value(), where, expectEqual<std::string>);
  } else if (a.colorAlias()) {
    expectSameReferences(*a.colorAlias(), *b.colorAlias(), where);
  } else if (a.shadowAlias()) {
    expectSameReferences(*a.shadowAlias(), *b.shadowAlias(), where);
  } else if (a.numberAlias()) {
    expectSameReferences(*a.numberAlias(), *b.numberAlias(), where);
  } else if (a.booleanAlias()) {
    expectSameReferences(*a.booleanAlias(), *b.booleanAlias(), where);
  } else if (a.stringAlias()) {
    expectSameReferences(*a.stringAlias(), *b.stringAlias(), where);
  }
}

// Build and test groups compare by everything the document stores of them.
std::string outline(const MerrinColorProject& project) {
  std::ostringstream out;
  for (const auto& group : project.buildGroups()) {
    out << group->uuid() << '|' << group->name() << '|' << group->isExpanded() << '\n';
    for (const auto& t : group->tasks()) {
      out << "  " << t->uuid() << '|' << t->name() << '|' << rawValue(t->nameTransform()) << '|'
          << t->exportFileFolder() << '|' << t->exportFileName() << '|' << rawValue(t->exportFileType())
          << '|' << (t->exportFormat() ? rawValue(*t->exportFormat()) : "-") << '|'
          << t->namePrefix().value_or("-") << '|' << t->nameSuffix().value_or("-");
      for (const auto& [key, value] : t->customData()) out << '|' << key << '=' << value;
      out << '\n';
    }
  }
  for (const auto& group : project.testGroups()) {
    out << group->uuid() << '|' << group->name() << '|' << group->isExpanded() << '\n';
    for (const auto& t : group->tests())
      out << "  " << t->uuid() << '|' << t->name() << '|' << rawValue(t->taskType()) << '|'
          << (t->threshold() ? std::to_string(*t->threshold()) : "-") << '|'
          << (t->minFontSize() ? std::to_string(*t->minFontSize()) : "-") << '|'
          << (t->minFontWeight() ? rawValue(*t->minFontWeight()) : "-") << '|'
          << (t->thresholdType() ? rawValue(*t->thresholdType()) : "-") << '\n';
  }
  for (const auto& setting : project.settings()) out << setting->key() << '=' << setting->value() << '\n';
  return out.str() + project.projectDescription();
}

void expectSameProject(const MerrinColorProject& a, const MerrinColorProject& b) {
  EXPECT_EQ(outline(a), outline(b));
  ASSERT_EQ(a.items().size(), b.items().size());
  for (std::size_t i = 0; i < a.items().size(); ++i)
    expectSameNode(*a.items()[i], *b.items()[i], a.items()[i]->name());
}

TEST(RoundTrip, SampleDocumentsWriteStablyAndReadBackTheSame) {
  const std::vector<fs::path> documents = sampleDocuments();
  ASSERT_FALSE(documents.empty());
  for (const fs::path& path : documents) {
    SCOPED_TRACE(path.string());
    auto first = MerrinColorFileReader().parse(readFile(path));
    const std::string written = MerrinColorFileWriter::data(*first);
    auto second = MerrinColorFileReader().parse(written);
    EXPECT_EQ(MerrinColorFileWriter::data(*second), written);
    expectSameProject(*first, *second);
  }
}

}  // namespace
}  // namespace tavlo
