// Every sample document survives reading and writing: the second write is
// byte for byte the first, and the project read back equals the one first
// read, within the precision of the written number forms.
#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

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

// The documented precision: five significant digits for colour components,
// four fraction digits for other numbers (half a unit of the last digit, with
// room for the binary representation), two significant digits for amounts.
void sameColor(const PlatformColor& a, const PlatformColor& b, const std::string& where) {
  EXPECT_EQ(a.colorSpace(), b.colorSpace()) << where;
  ASSERT_EQ(a.numberOfComponents(), b.numberOfComponents()) << where;
  for (std::size_t i = 0; i < a.numberOfComponents(); ++i)
    EXPECT_NEAR(a.components()[i], b.components()[i], 1e-4 * std::abs(a.components()[i]))
        << where << " #" << i;
}

void sameNumber(double a, double b, const std::string& where) {
  EXPECT_NEAR(a, b, 5e-5 + 1e-9 * std::abs(a)) << where;
}

void sameShadow(const ShadowDetailsRef& a, const ShadowDetailsRef& b, const std::string& where) {
  for (auto field :
       {&ShadowDetails::xOffset, &ShadowDetails::yOffset, &ShadowDetails::blur, &ShadowDetails::spread})
    sameNumber(((*a).*field)(), ((*b).*field)(), where);
  sameColor(a->color(), b->color(), where);
}

const auto sameExactly = [](const auto& a, const auto& b, const std::string& where) {
  EXPECT_EQ(a, b) << where;
};

// Every variant a value has, each compared with `same`.
template <class T, class Same>
void sameVariants(const ThemeableVariants<T>& a, const ThemeableVariants<T>& b, const std::string& where,
                  Same same) {
  for (ColorSource source : allColorSources) {
    const std::optional<T> x = a.variantFor(source), y = b.variantFor(source);
    ASSERT_EQ(x.has_value(), y.has_value()) << where << " " << displayName(source);
    if (x) same(*x, *y, where + " " + std::string(displayName(source)));
  }
}

// What every kind stores: its appearance, and its colour space where it has one.
template <class Kind>
void sameKind(const Kind& a, const Kind& b, const std::string& where) {
  EXPECT_EQ(a.appearanceType(), b.appearanceType()) << where;
  EXPECT_NEAR(a.autoContrastAmount(), b.autoContrastAmount(), 0.005 + 0.05 * std::abs(a.autoContrastAmount()))
      << where;
  if constexpr (requires { a.colorSpace(); }) {
    EXPECT_EQ(a.colorSpace(), b.colorSpace()) << where;
  }
}

template <class Ramp, class Same>
void sameRamp(const Ramp& a, const Ramp& b, const std::string& where, Same same) {
  sameKind(a, b, where);
  EXPECT_EQ(std::tuple(a.interpolationMethod(), a.curveType(), a.curveAmount(), a.type(), a.middleLocation(),
                       a.namingScheme(), a.steps()),
            std::tuple(b.interpolationMethod(), b.curveType(), b.curveAmount(), b.type(), b.middleLocation(),
                       b.namingScheme(), b.steps()))
      << where;
  ASSERT_EQ(a.entries().size(), b.entries().size()) << where;
  for (std::size_t i = 0; i < a.entries().size(); ++i) {
    EXPECT_EQ(a.entries()[i]->name(), b.entries()[i]->name()) << where;
    sameVariants(*a.entries()[i], *b.entries()[i], where + " #" + std::to_string(i), same);
  }
}

std::string uuidOf(const auto& object) {
  return object ? object->uuid() : "-";
}

// The stored references, and what they resolve to.
template <class Alias>
void sameReferences(const Alias& a, const Alias& b, const std::string& where) {
  sameKind(a, b, where);
  for (ColorSource source : allColorSources) {
    EXPECT_EQ(a.aliasTypeFor(source), b.aliasTypeFor(source)) << where << " " << displayName(source);
    auto x = a.referencedItemFor(source), y = b.referencedItemFor(source);
    EXPECT_EQ(uuidOf(x), uuidOf(y)) << where << " " << displayName(source);
  }
}

void sameNode(const MerrinColorProjectItem& a, const MerrinColorProjectItem& b, const std::string& where) {
  ASSERT_EQ(a.itemType(), b.itemType()) << where;
  EXPECT_EQ(a.name(), b.name()) << where;
  // Aliases are written without identifiers and read with fresh ones.
  EXPECT_TRUE(a.isAnyAlias() || a.uuid() == b.uuid()) << where;
  EXPECT_EQ(a.isExpanded(), b.isExpanded()) << where;
  EXPECT_EQ(uuidOf(a.buildGroup()), uuidOf(b.buildGroup())) << where;
  EXPECT_EQ(uuidOf(a.testGroup()), uuidOf(b.testGroup())) << where;
  EXPECT_TRUE(!a.testGroup() || a.testPosition() == b.testPosition()) << where;

  if (a.group()) {
    EXPECT_EQ(a.group()->providesNamespace(), b.group()->providesNamespace()) << where;
    const auto &x = a.group()->items(), &y = b.group()->items();
    ASSERT_EQ(x.size(), y.size()) << where;
    for (std::size_t i = 0; i < x.size(); ++i) sameNode(*x[i], *y[i], where + "/" + x[i]->name());
  } else if (a.color()) {
    sameKind(*a.color(), *b.color(), where);
    sameVariants(*a.color()->color(), *b.color()->color(), where, sameColor);
  } else if (a.colorSet()) {
    sameRamp(*a.colorSet(), *b.colorSet(), where, sameColor);
  } else if (a.shadow()) {
    sameKind(*a.shadow(), *b.shadow(), where);
    sameVariants(*a.shadow()->shadow(), *b.shadow()->shadow(), where, sameShadow);
  } else if (a.shadowSet()) {
    sameRamp(*a.shadowSet(), *b.shadowSet(), where, sameShadow);
  } else if (a.number()) {
    const MerrinColorNumber &x = *a.number(), &y = *b.number();
    sameKind(x, y, where);
    sameVariants(*x.value(), *y.value(), where, sameNumber);
    for (auto bound : {&MerrinColorNumber::minValue, &MerrinColorNumber::maxValue}) {
      ASSERT_EQ((x.*bound)().has_value(), (y.*bound)().has_value()) << where;
      if ((x.*bound)()) sameNumber(*(x.*bound)(), *(y.*bound)(), where + " range");
    }
    EXPECT_EQ(x.steps(), y.steps()) << where;
  } else if (a.boolean()) {
    sameKind(*a.boolean(), *b.boolean(), where);
    sameVariants(*a.boolean()->value(), *b.boolean()->value(), where, sameExactly);
  } else if (a.string()) {
    sameKind(*a.string(), *b.string(), where);
    sameVariants(*a.string()->value(), *b.string()->value(), where, sameExactly);
  } else if (a.colorAlias()) {
    sameReferences(*a.colorAlias(), *b.colorAlias(), where);
  } else if (a.shadowAlias()) {
    sameReferences(*a.shadowAlias(), *b.shadowAlias(), where);
  } else if (a.numberAlias()) {
    sameReferences(*a.numberAlias(), *b.numberAlias(), where);
  } else if (a.booleanAlias()) {
    sameReferences(*a.booleanAlias(), *b.booleanAlias(), where);
  } else if (a.stringAlias()) {
    sameReferences(*a.stringAlias(), *b.stringAlias(), where);
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
    sameNode(*a.items()[i], *b.items()[i], a.items()[i]->name());
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
