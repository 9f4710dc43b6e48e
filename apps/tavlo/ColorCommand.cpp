// tavlo color convert TEXT ... / tavlo color random ...: the colour text
// notations and the random colour algorithms from the command line.
#include "Command.h"

#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/ColorSpace.h"
#include "MerrinColorUtils/RandomColor.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace {

using namespace tavlo::cli;

// Formats, spaces and algorithms are named by their case names; anything else
// is a usage error, listing what would have been accepted.
template <typename Enum, std::size_t N>
CLI::Validator caseNameValidator(std::string_view what, const std::array<Enum, N>& all,
                                 std::optional<Enum> (*fromName)(std::string_view)) {
  std::string names;
  for (Enum value : all) {
    if (!names.empty()) names += ", ";
    names += caseName(value);
  }
  std::string kind(what);
  return CLI::Validator(
      [kind, names, fromName](std::string& text) -> std::string {
        if (fromName(text)) return {};
        return "unknown " + kind + " '" + text + "' (one of: " + names + ")";
      },
      kind);
}

CLI::Validator formatValidator() {
  return caseNameValidator<mcu::ColorFormat>("format", mcu::allColorFormats(), &mcu::colorFormatFromRaw);
}
CLI::Validator spaceValidator() {
  return caseNameValidator<mcu::ColorSpace>("space", mcu::allColorSpaces(), &mcu::colorSpaceFromRaw);
}
CLI::Validator algorithmValidator() {
  return caseNameValidator<mcu::RandomColorAlgorithm>("algorithm", mcu::allRandomColorAlgorithms(),
                                                      &mcu::randomColorAlgorithmFromRaw);
}

struct ConvertArguments {
  std::string text;
  std::optional<std::string> from;
  std::optional<std::string> space;
  std::string to;
  std::int64_t round = 4;
  std::optional<std::string> p3Prefix;
  std::optional<std::string> clipSuffix;
  bool forceClip = false;
};

// The text in FROM, and failing that in every other notation: the library's
// guess leaves out the three CSS colour functions, so they come last. SPACE is
// the RGB space the numbers of the text are taken in, unless the text names one.
mcu::ConvertedColor readColorText(const std::string& text, mcu::ColorFormat from, mcu::ColorSpace space) {
  mcu::ConvertedColor converted = mcu::ColorConverter::convertStringToColor(text, from, space, true);
  const auto& guessed = mcu::orderedFormats();
  for (mcu::ColorFormat format : mcu::allColorFormats()) {
    if (converted.color) break;
    if (format == from || std::find(guessed.begin(), guessed.end(), format) != guessed.end()) continue;
    converted = mcu::ColorConverter::convertStringToColor(text, format, space, true);
  }
  return converted;
}

int runConvert(const ConvertArguments& args) {
  // The validators have vetted every name.
  const mcu::ColorFormat to = *mcu::colorFormatFromRaw(args.to);
  const std::optional<mcu::ColorSpace> target =
      args.space ? mcu::colorSpaceFromRaw(*args.space) : std::optional<mcu::ColorSpace>();
  // Extended sRGB values outside 0..1 are kept from the start.
  const mcu::ConvertedColor converted =
      readColorText(args.text, args.from ? *mcu::colorFormatFromRaw(*args.from) : mcu::ColorFormat::floatRGBA,
                    target && mcu::isRGB(*target) ? *target : mcu::ColorSpace::sRGB);
  if (!converted.color) {
    printError("cannot read '" + args.text + "' as a colour");
    return 1;
  }
  // Written in the text's own space unless another is asked for; OKLab and
  // OKLCH colours are held in Display P3 until the notation expresses them.
  mcu::PlatformColor color = *converted.color;
  mcu::ColorSpace outputSpace = converted.detectedColorSpace.value_or(mcu::ColorSpace::sRGB);
  if (target) {
    outputSpace = *target;
    color = color.colorUsingColorSpace(mcu::toNSColorSpace(outputSpace)).value_or(color);
  }
  mcu::ColorConverterOptions options;
  options.roundedTo = args.round;
  options.p3Prefix = args.p3Prefix;
  options.suffixWhenClipped = args.clipSuffix;
  options.forceClip = args.forceClip;
  auto result = mcu::ColorConverter::convertColorToString(color, to, outputSpace, options);
  if (!result.colorString) {
    printError("cannot write a colour in " + std::string(mcu::caseName(outputSpace)) + " as " +
               std::string(mcu::caseName(to)));
    return 1;
  }
  std::cout << *result.colorString << '\n';
  return 0;
}

struct RandomArguments {
  std::optional<std::string> algorithm;
  std::string space = "sRGB";
  std::int64_t count = 1;
  std::string to = "hexRGB";
};

int runRandom(const RandomArguments& args) {
  mcu::ColorSpace space = *mcu::colorSpaceFromRaw(args.space);
  mcu::ColorFormat to = *mcu::colorFormatFromRaw(args.to);
  std::optional<mcu::RandomColorAlgorithm> algorithm;
  if (args.algorithm) algorithm = mcu::randomColorAlgorithmFromRaw(*args.algorithm);

  mcu::PlatformColorSpace platformSpace = mcu::toNSColorSpace(space);
  mcu::ColorConverterOptions options;
  std::string out;
  for (std::int64_t i = 0; i < args.count; ++i) {
    mcu::PlatformColor color;
    if (algorithm) {
      color = mcu::randomColor(*algorithm, platformSpace);
    } else {
      color = mcu::randomColor();
      color = color.colorUsingColorSpace(platformSpace).value_or(color);
    }
    auto result = mcu::ColorConverter::convertColorToString(color, to, space, options);
    if (!result.colorString) {
      printError("cannot write a colour in " + std::string(mcu::caseName(space)) + " as " +
                 std::string(mcu::caseName(to)));
      return 1;
    }
    out += *result.colorString;
    out += '\n';
  }
  std::cout << out;
  return 0;
}

CommandRun setupColor(CLI::App& command) {
  command.require_subcommand(1);
  auto status = std::make_shared<int>(0);

  auto convertArgs = std::make_shared<ConvertArguments>();
  CLI::App* convert =
      command.add_subcommand("convert", "Read a colour text and write it in another notation");
  convert->add_option("TEXT", convertArgs->text, "The colour text")->required();
  convert->add_option("--from", convertArgs->from, "Notation tried first (default: every notation)")
      ->check(formatValidator());
  convert->add_option("--space", convertArgs->space, "Colour space to convert into (default: the text's own)")
      ->check(spaceValidator());
  convert->add_option("--to", convertArgs->to, "Notation to write")->required()->check(formatValidator());
  convert->add_option("--round", convertArgs->round, "Decimal places (default 4)");
  convert->add_option("--p3-prefix", convertArgs->p3Prefix, "Text in front of Display P3 values");
  convert->add_option("--clip-suffix", convertArgs->clipSuffix, "Text after values clipped into sRGB");
  convert->add_flag("--force-clip", convertArgs->forceClip, "cssRGB: always write rgb(), clipped into sRGB");
  convert->callback([convertArgs, status] { *status = runConvert(*convertArgs); });

  auto randomArgs = std::make_shared<RandomArguments>();
  CLI::App* random = command.add_subcommand("random", "Print random colours");
  random->add_option("--algorithm", randomArgs->algorithm, "pastel, primary, monochrome, metal, cool or warm")
      ->check(algorithmValidator());
  random->add_option("--space", randomArgs->space, "Colour space (default sRGB)")->check(spaceValidator());
  random->add_option("-n", randomArgs->count, "How many colours (default 1)")->check(CLI::NonNegativeNumber);
  random->add_option("--to", randomArgs->to, "Notation to write (default hexRGB)")->check(formatValidator());
  random->callback([randomArgs, status] { *status = runRandom(*randomArgs); });

  return [status] { return *status; };
}

const CommandRegistration reg{"color", "Convert colour texts and make random colours", setupColor};

}  // namespace
