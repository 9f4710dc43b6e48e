#pragma once

// Text measuring and shaping over Pango, shared by the layout pass and the
// renderer. Internal to hostkit.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pango/pangocairo.h>

#include "hostkit/Font.h"
#include "hostkit/Geometry.h"

namespace hostkit::detail {

// Texts longer than this many characters are cut before they reach Pango:
// a tile shows a few lines at most, and documents may carry megabytes.
inline constexpr int maxTextCharacters = 400;

// Valid UTF-8 of at most `maxTextCharacters` characters.
std::string cappedText(std::string_view text);

// The font map every text uses. Where there is no font configuration, or it
// finds no fonts (a thumbnailer's sandbox without /etc/fonts, FONTCONFIG_FILE
// pointing nowhere), it is built on one made here from the fonts the toolkit
// draws with and one face for each script they lack (fallbackFontFiles).
PangoFontMap* fontMap();

// The fonts of that configuration, most wanted first: Inter, DejaVu Sans,
// then Noto faces for Arabic, Hebrew, Thai, Devanagari, CJK and colour
// emoji. A file is a path and, for collections, the index of the face.
struct FontFile {
  const char* path;
  int face = -1;  // -1: every face in the file
};
const std::vector<FontFile>& fallbackFontFiles();

// A context on `fontMap()` with metrics hinting off, so that a text measures
// the same whatever the output scale.
PangoContext* newContext();

struct TextMeasurement {
  std::string displayed;
  std::vector<std::string> symbols;  // the symbols still in `displayed`
  Size size;
  int lineCount = 0;
  bool truncated = false;
  // How far down each line ends, from the text's top (points).
  std::vector<double> lineBottoms;
};

// How many of the measured lines fit in `height`; at least one, so that a
// squeezed text still shows its start.
int linesWithin(const TextMeasurement& measured, double height);

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
