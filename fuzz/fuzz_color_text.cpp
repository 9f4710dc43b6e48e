// Colour texts come from the clipboard and the command line: any bytes must
// read as a colour or as nothing, and a colour that was read must write in
// every notation without fault, whatever the rounding asked for.
//
// Input: byte 0 picks the notation tried first and the requested space,
// byte 1 the writing options, the rest is the text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "MerrinColorUtils/ColorConverter.h"
#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/ColorSpace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size < 2) return 0;
  const auto& formats = mcu::allColorFormats();
  const auto& spaces = mcu::allColorSpaces();
  const mcu::ColorFormat format = formats[bytes[0] % formats.size()];
  const mcu::ColorSpace space = spaces[(bytes[0] / formats.size()) % spaces.size()];
  const uint8_t flags = bytes[1];
  const std::string_view text(reinterpret_cast<const char*>(bytes + 2), size - 2);

  // The single notation on its own, as the editors read a pasted text.
  (void)mcu::parseColor(format, text, space);

  const mcu::ConvertedColor converted =
      mcu::ColorConverter::convertStringToColor(text, format, space, (flags & 1) != 0);
  if (!converted.color) return 0;

  mcu::ColorConverterOptions options;
  // Usually a sensible rounding, sometimes anything a user can type: negative
  // and very large place counts must not overflow the rounding.
  options.roundedTo = (flags & 2) ? static_cast<int8_t>(flags) : (flags >> 4) % 8;
  if (flags & 4) options.p3Prefix = "p3:";
  if (flags & 8) options.suffixWhenClipped = " (clipped)";
  options.forceClip = (flags & 0x10) != 0;

  for (mcu::ColorFormat out : formats) {
    for (mcu::ColorSpace outSpace : spaces) {
      (void)mcu::ColorConverter::convertColorToString(*converted.color, out, outSpace, options);
    }
  }
  return 0;
}
