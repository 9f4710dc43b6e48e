#include "MerrinColorUtils/Clipboard.h"

#include "MerrinColorUtils/ColorConverter.h"

namespace mcu {

namespace {

std::shared_ptr<Clipboard>& installedClipboard() {
  static std::shared_ptr<Clipboard> clipboard = std::make_shared<InMemoryClipboard>();
  return clipboard;
}

}  // namespace

Clipboard& generalClipboard() {
  return *installedClipboard();
}

void setGeneralClipboard(std::shared_ptr<Clipboard> clipboard) {
  installedClipboard() = clipboard ? std::move(clipboard) : std::make_shared<InMemoryClipboard>();
}

std::optional<std::string> copyToClipboard(const PlatformColor& color, ColorFormat inFormat) {
  auto colorSpace = colorSpaceFromNSColorSpace(color.colorSpace());
  if (!colorSpace) return std::nullopt;
  ColorConverterOptions options;
  options.roundedTo = 4;
  options.p3Prefix = "p3: ";
  auto result = ColorConverter::convertColorToString(color, inFormat, *colorSpace, options);
  if (result.colorString) {
    Clipboard& clipboard = generalClipboard();
    clipboard.clearContents();
    clipboard.setString(*result.colorString);
  }
  return result.colorString;
}

}  // namespace mcu
