#pragma once

// Text measuring and shaping over Pango, shared by the layout pass and the
// renderer. Internal to hostkit.

#include <optional>
#include <string>
#include <vector>

#include <pango/pangocairo.h>

#include "hostkit/Font.h"
#include "hostkit/Geometry.h"

namespace hostkit::detail {

// Texts longer than this many characters are cut before they reach Pango:
// a tile shows a few lines at most, and documents may carry megabytes.
inline constexpr int maxTextCharacters = 400;

// Valid UTF-8 of at most `maxTextCharacters` characters.
std::string cappedText(const std::string& text);

// The font map every text uses. When the system's font configuration finds
// no fonts (no /etc/fonts, FONTCONFIG_FILE pointing nowhere) it is built on
// a configuration made here from the system font directories.
PangoFontMap* fontMap();

// A context on `fontMap()` with metrics hinting off, so that a text measures
// the same whatever the output scale.
PangoContext* newContext();

struct TextMeasurement {
  std::string displayed;
  std::vector<std::string> symbols;  // the symbols still in `displayed`
  Size size;
  int lineCount = 0;
  bool truncated = false;
};

// Lays `text` out (symbols stand in it as U+FFFC, `symbols` names them in
// order) wrapped at `width` (absent: no wrapping), keeping at most `maxLines`
// lines (0: any) by replacing text with "…" where `mode` says.
TextMeasurement measureText(const std::string& text, const std::vector<std::string>& symbols,
                            const Font& font, int maxLines, TruncationMode mode, std::optional<double> width);

// A layout of an already measured text, ready to draw at `width`.
PangoLayout* newLayout(PangoContext* context, const std::string& displayed,
                       const std::vector<std::string>& symbols, const Font& font,
                       std::optional<double> width);

// Draws inline symbols for layouts made by `newLayout`; install once per context.
void installSymbolRenderer(PangoContext* context);

}  // namespace hostkit::detail
