#include "DataTestSupport.h"

namespace tavlo {
namespace {

using namespace testsupport;

using T = BuildNameTransform;

struct TransformCase {
  std::string name;
  std::string none, camel, pascal, snake, kebab;
};

TEST(BuildNameTransform, CasesNamesByWordsOfLettersAndDigits) {
  const std::vector<TransformCase> cases = {
      {"Brand primary-2", "Brand primary-2", "brandPrimary2", "BrandPrimary2", "brand_primary-2",
       "brand-primary-2"},
      {"", "", "", "", "", ""},
      {"---", "---", "", "", "---", "---"},
      {"Dark Mode.beta", "Dark Mode.beta", "darkModeBeta", "DarkModeBeta", "dark_mode.beta",
       "dark-mode.beta"},
      {"Größe 2", "Größe 2", "größe2", "Größe2", "größe_2", "größe-2"},
      {"naïve café", "naïve café", "naïveCafé", "NaïveCafé", "naïve_café", "naïve-café"},
      // A decomposed "é" (e + combining acute) stays one word.
      {"cafe\xCC\x81 noir", "cafe\xCC\x81 noir", "cafe\xCC\x81Noir", "Cafe\xCC\x81Noir", "cafe\xCC\x81_noir",
       "cafe\xCC\x81-noir"},
      // Every letter and number is part of a word, not only decimal digits.
      {"½ size", "½ size", "½Size", "½Size", "½_size", "½-size"},
      {"x² area", "x² area", "x²Area", "X²Area", "x²_area", "x²-area"},
      {"Chapter Ⅻ", "Chapter Ⅻ", "chapterⅫ", "ChapterⅫ", "chapter_ⅻ", "chapter-ⅻ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(transform(T::none, c.name), c.none);
    EXPECT_EQ(transform(T::camelCase, c.name), c.camel);
    EXPECT_EQ(transform(T::pascalCase, c.name), c.pascal);
    EXPECT_EQ(transform(T::snakeCase, c.name), c.snake);
    EXPECT_EQ(transform(T::kebabCase, c.name), c.kebab);
  }
}

TEST(BuildTask, FileNames) {
  struct Case {
    std::string fileName;
    BuildFileType type;
    std::string full, stem;
  };
  const std::vector<Case> cases = {
      {"tokens", BuildFileType::jsonDesignToken, "tokens.json", "tokens"},
      {"tokens.final", BuildFileType::css, "tokens.final", "tokens"},
      {"a.b.css", BuildFileType::text, "a.b.css", "a.b"},
      {"Colors", BuildFileType::assetCatalog, "Colors.xcassets", "Colors"},
      {"", BuildFileType::less, ".less", ""},
  };
  for (const auto& c : cases) {
    BuildTask task("id", "task", T::none, "out", c.fileName, c.type);
    EXPECT_EQ(task.fullFileName(), c.full) << c.fileName;
    EXPECT_EQ(task.fileNameWithoutExtension(), c.stem) << c.fileName;
  }
}

}  // namespace
}  // namespace tavlo
