#include "hostkit/TextEngine.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "hostkit/Symbols.h"

namespace hostkit::detail {

namespace {

constexpr const char* objectReplacement = "\xEF\xBF\xBC";  // U+FFFC, where a symbol stands
constexpr const char* ellipsis = "\xE2\x80\xA6";           // U+2026

// Whether fontconfig will find a configuration file, looked for as it looks
// (FONTCONFIG_FILE, else fonts.conf, in FONTCONFIG_PATH and then /etc/fonts)
// but without asking it: asking loads the configuration, and a missing one
// is reported on standard error.
bool hasConfigurationFile() {
  const char* given = std::getenv("FONTCONFIG_FILE");
  const std::filesystem::path name = given && *given ? given : "fonts.conf";
  std::error_code ec;
  if (name.is_absolute()) return std::filesystem::is_regular_file(name, ec);
  std::string dirs;
  if (const char* path = std::getenv("FONTCONFIG_PATH")) dirs = std::string(path) + ":";
  dirs += "/etc/fonts";
  for (std::size_t start = 0; start <= dirs.size();) {
    const std::size_t end = std::min(dirs.find(':', start), dirs.size());
    if (end > start &&
        std::filesystem::is_regular_file(std::filesystem::path(dirs.substr(start, end - start)) / name, ec))
      return true;
    start = end + 1;
  }
  return false;
}

// Adds the fallback fonts that exist to `config`; false when none does.
bool addFallbackFonts(FcConfig* config) {
  bool added = false;
  std::error_code ec;
  for (const FontFile& font : fallbackFontFiles()) {
    if (!std::filesystem::is_regular_file(font.path, ec)) continue;
    const auto* path = reinterpret_cast<const FcChar8*>(font.path);
    FcFontSet* fonts = FcConfigGetFonts(config, FcSetApplication);
    // One face of a collection is read, not all of them: a CJK collection
    // holds ten faces that cover the same characters.
    if (font.face >= 0 && fonts)
      added =
          FcFreeTypeQueryAll(path, static_cast<unsigned>(font.face), nullptr, nullptr, fonts) > 0 || added;
    else
      added = FcConfigAppFontAddFile(config, path) || added;
  }
  return added;
}

// The system's configuration when it has one with fonts; otherwise one made
// here. Without a configuration file, fontconfig's own fallback would say
// so on standard error and then scan every font directory, uncached, which
// takes seconds and, in a thumbnailer's sandbox, prints a complaint about
// the cache for each directory. The file list is read in milliseconds and
// says nothing.
FcConfig* fontConfiguration() {
  static FcConfig* config = [] {
    if (hasConfigurationFile()) {
      // The current configuration, loaded here or already by the window
      // toolkit: loading a second one would parse every configuration file
      // and read every cache again.
      if (FcConfig* system = FcConfigGetCurrent()) {
        FcFontSet* fonts = FcConfigGetFonts(system, FcSetSystem);
        if (fonts && fonts->nfont > 0) return system;
      }
    }
    FcConfig* own = FcConfigCreate();
    if (!addFallbackFonts(own)) {
      std::error_code ec;
      for (const char* dir : {"/usr/share/fonts", "/usr/local/share/fonts"})
        if (std::filesystem::is_directory(dir, ec))
          FcConfigAppFontAddDir(own, reinterpret_cast<const FcChar8*>(dir));
    }
    FcConfigSetCurrent(own);
    return own;
  }();
  return config;
}

PangoFontDescription* newFontDescription(const Font& font) {
  PangoFontDescription* d = pango_font_description_new();
  const std::string families(fontFamilies);
  pango_font_description_set_family(d, families.c_str());
  PangoWeight weight = PANGO_WEIGHT_NORMAL;
  switch (font.weight) {
    case FontWeight::regular:
      weight = PANGO_WEIGHT_NORMAL;
      break;
    case FontWeight::medium:
      weight = PANGO_WEIGHT_MEDIUM;
      break;
    case FontWeight::semibold:
      weight = PANGO_WEIGHT_SEMIBOLD;
      break;
    case FontWeight::bold:
      weight = PANGO_WEIGHT_BOLD;
      break;
  }
  pango_font_description_set_weight(d, weight);
  // Absolute sizes are in user-space units, i.e. points, whatever the resolution.
  const double size = sanitized(font.size, 1, 500);
  pango_font_description_set_absolute_size(d, size * PANGO_SCALE);
  return d;
}

// Geometry of an inline symbol relative to the font size: a square sitting
// on the baseline and reaching up to the cap height, with a little room.
constexpr double symbolAdvance = 1.1;
constexpr double symbolAscent = 0.85;
constexpr double symbolSide = 0.95;

gpointer copySymbol(gconstpointer data) {
  return new Path(*static_cast<const Path*>(data));
}
void destroySymbol(gpointer data) {
  delete static_cast<Path*>(data);
}

void applyAttributes(PangoLayout* layout, const std::string& text, const std::vector<std::string>& symbols,
                     const Font& font) {
  PangoAttrList* attrs = pango_attr_list_new();
  const int em = static_cast<int>(sanitized(font.size, 1, 500) * PANGO_SCALE);
  std::size_t at = 0;
  std::size_t index = 0;
  while ((at = text.find(objectReplacement, at)) != std::string::npos) {
    const std::string name = index < symbols.size() ? symbols[index] : std::string();
    Path* path = new Path(symbolPathOrPlaceholder(name));
    PangoRectangle rect{0, -static_cast<int>(symbolAscent * em), static_cast<int>(symbolAdvance * em), em};
    PangoAttribute* shape = pango_attr_shape_new_with_data(&rect, &rect, path, copySymbol, destroySymbol);
    shape->start_index = static_cast<guint>(at);
    shape->end_index = static_cast<guint>(at + 3);
    pango_attr_list_insert(attrs, shape);
    at += 3;
    ++index;
  }
  // A long word broken across lines gets no hyphen: the reader would take
  // it for part of the value.
  pango_attr_list_insert(attrs, pango_attr_insert_hyphens_new(FALSE));
  pango_layout_set_attributes(layout, attrs);
  pango_attr_list_unref(attrs);
}

void configureLayout(PangoLayout* layout, const std::string& text, const std::vector<std::string>& symbols,
                     const Font& font, std::optional<double> width) {
  PangoFontDescription* d = newFontDescription(font);
  pango_layout_set_font_description(layout, d);
  pango_font_description_free(d);
  pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
  pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
  if (width && std::isfinite(*width))
    pango_layout_set_width(layout, static_cast<int>(std::clamp(*width, 0.0, 1.0e6) * PANGO_SCALE));
  else
    pango_layout_set_width(layout, -1);
  pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
  applyAttributes(layout, text, symbols, font);
}

// The text's own width, wherever its lines sit in the layout's width: a
// right-to-left paragraph is aligned to the right of it, and the text takes
// only what its lines need, so that it starts where any other text starts.
Size layoutSize(PangoLayout* layout, std::optional<double> width) {
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  double w = std::ceil(logical.width / double(PANGO_SCALE));
  const double h = std::ceil(logical.height / double(PANGO_SCALE));
  if (width && std::isfinite(*width)) w = std::min(w, std::max(0.0, *width));
  return {std::max(0.0, w), std::max(0.0, h)};
}

std::vector<double> lineBottoms(PangoLayout* layout) {
  std::vector<double> bottoms;
  PangoLayoutIter* iter = pango_layout_get_iter(layout);
  do {
    PangoRectangle logical;
    pango_layout_iter_get_line_extents(iter, nullptr, &logical);
    bottoms.push_back((logical.y + logical.height) / double(PANGO_SCALE));
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  return bottoms;
}

int countOccurrences(std::string_view text, std::string_view what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + what.size()))
    ++n;
  return n;
}

std::string_view trimEnd(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string_view trimStart(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\n' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

}  // namespace

const std::vector<FontFile>& fallbackFontFiles() {
  static const std::vector<FontFile> files{
      {"/usr/share/fonts/opentype/inter/Inter-Regular.otf"},
      {"/usr/share/fonts/opentype/inter/Inter-Medium.otf"},
      {"/usr/share/fonts/opentype/inter/Inter-SemiBold.otf"},
      {"/usr/share/fonts/opentype/inter/Inter-Bold.otf"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansArabic-Regular.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansArabic-Bold.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansHebrew-Regular.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansHebrew-Bold.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansThai-Bold.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansDevanagari-Regular.ttf"},
      {"/usr/share/fonts/truetype/noto/NotoSansDevanagari-Bold.ttf"},
      {"/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc", 0},
      {"/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc", 0},
      {"/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"},
  };
  return files;
}

int linesWithin(const TextMeasurement& measured, double height) {
  const auto fitting = std::count_if(measured.lineBottoms.begin(), measured.lineBottoms.end(),
                                     [height](double bottom) { return bottom <= height; });
  return std::max(1, static_cast<int>(fitting));
}

std::string cappedText(std::string_view text) {
  // A character takes at most four bytes, so a longer text is cut by bytes
  // first: validating and counting a text of megabytes for every measurement
  // cost seconds. What is cut off would be capped away below anyway.
  text = text.substr(0, std::min(text.size(), std::size_t{maxTextCharacters} * 4 + 4));
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string out(valid);
  g_free(valid);
  const glong chars = g_utf8_strlen(out.c_str(), static_cast<gssize>(out.size()));
  if (chars > maxTextCharacters) {
    const char* end = g_utf8_offset_to_pointer(out.c_str(), maxTextCharacters);
    out.resize(static_cast<std::size_t>(end - out.c_str()));
    out += ellipsis;
  }
  return out;
}

namespace {
PangoFontMap*& fontMapSlot() {
  static PangoFontMap* map = nullptr;
  return map;
}
PangoContext*& measuringContextSlot() {
  static PangoContext* context = nullptr;
  return context;
}

// The font map and its caches live until the process ends; they are let go
// then so that leak checkers see only what fontconfig itself keeps (it cannot
// be finished safely while Cairo still caches fonts).
void releaseFonts() {
  if (measuringContextSlot()) g_object_unref(measuringContextSlot());
  measuringContextSlot() = nullptr;
  if (fontMapSlot()) g_object_unref(fontMapSlot());
  fontMapSlot() = nullptr;
}
}  // namespace

#ifdef TAVLO_UNDER_SANITIZER
// Fontconfig keeps its font caches behind offset-encoded pointers that the
// leak checker cannot follow, so every process that has drawn text would
// report them. They are the library's, not ours.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
// The summary of used suppressions would land on standard error of every
// command that draws text, where only real reports belong.
extern "C" const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif

PangoFontMap* fontMap() {
  PangoFontMap*& map = fontMapSlot();
  if (!map) {
    FcConfig* config = fontConfiguration();
    map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (!map) map = pango_cairo_font_map_new();
    if (PANGO_IS_FC_FONT_MAP(map)) pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);
    std::atexit(releaseFonts);
  }
  return map;
}

PangoContext* newContext() {
  PangoContext* context = pango_font_map_create_context(fontMap());
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_context_set_round_glyph_positions(context, FALSE);
  return context;
}

PangoLayout* newLayout(PangoContext* context, const std::string& displayed,
                       const std::vector<std::string>& symbols, const Font& font,
                       std::optional<double> width) {
  PangoLayout* layout = pango_layout_new(context);
  configureLayout(layout, displayed, symbols, font, width);
  return layout;
}

TextMeasurement measureText(const std::string& text, const std::vector<std::string>& symbols,
                            const Font& font, int maxLines, TruncationMode mode,
                            std::optional<double> width) {
  PangoContext*& context = measuringContextSlot();
  if (!context) context = newContext();
  TextMeasurement result;
  if (text.empty()) return result;

  PangoLayout* layout = pango_layout_new(context);
  configureLayout(layout, text, symbols, font, width);
  result.displayed = text;
  result.symbols = symbols;
  result.lineCount = pango_layout_get_line_count(layout);
  result.size = layoutSize(layout, width);
  result.lineBottoms = lineBottoms(layout);
  if (maxLines <= 0 || result.lineCount <= maxLines) {
    g_object_unref(layout);
    return result;
  }

  // Grapheme boundaries, so that "…" never splits a character.
  int attrCount = 0;
  const PangoLogAttr* attrs = pango_layout_get_log_attrs_readonly(layout, &attrCount);
  std::vector<std::size_t> bounds;
  const char* start = text.c_str();
  const char* p = start;
  for (int i = 0; i < attrCount; ++i) {
    if (attrs[i].is_cursor_position) bounds.push_back(static_cast<std::size_t>(p - start));
    if (*p) p = g_utf8_next_char(p);
  }
  if (bounds.empty() || bounds.front() != 0) bounds.insert(bounds.begin(), 0);
  if (bounds.back() != text.size()) bounds.push_back(text.size());
  const int graphemes = static_cast<int>(bounds.size()) - 1;
  const int totalSymbols = static_cast<int>(symbols.size());

  struct Candidate {
    std::string text;
    std::vector<std::string> symbols;
  };
  auto candidate = [&](int keep) {
    std::string_view whole(text);
    int front = 0, back = 0;
    switch (mode) {
      case TruncationMode::tail:
        front = keep;
        break;
      case TruncationMode::head:
        back = keep;
        break;
      case TruncationMode::middle:
        front = (keep + 1) / 2;
        back = keep - front;
        break;
    }
    const std::string_view head = trimEnd(whole.substr(0, bounds[front]));
    const std::string_view tail = trimStart(whole.substr(bounds[graphemes - back]));
    Candidate c;
    c.text.append(head).append(ellipsis).append(tail);
    const int a = std::min(countOccurrences(head, objectReplacement), totalSymbols);
    const int b = std::min(countOccurrences(tail, objectReplacement), totalSymbols - a);
    c.symbols.assign(symbols.begin(), symbols.begin() + a);
    c.symbols.insert(c.symbols.end(), symbols.end() - b, symbols.end());
    return c;
  };
  auto fits = [&](const Candidate& c) {
    configureLayout(layout, c.text, c.symbols, font, width);
    return pango_layout_get_line_count(layout) <= maxLines;
  };

  // The longest cut that fits. Keeping fewer characters never needs more
  // lines, so the search can halve.
  int lo = 0, hi = graphemes - 1;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    if (fits(candidate(mid)))
      lo = mid;
    else
      hi = mid - 1;
  }
  Candidate best = candidate(lo);
  configureLayout(layout, best.text, best.symbols, font, width);
  result.displayed = std::move(best.text);
  result.symbols = std::move(best.symbols);
  result.truncated = true;
  result.lineCount = pango_layout_get_line_count(layout);
  result.size = layoutSize(layout, width);
  result.lineBottoms = lineBottoms(layout);
  g_object_unref(layout);
  return result;
}

namespace {
void drawSymbol(cairo_t* cr, PangoAttrShape* attr, gboolean doPath, gpointer) {
  const Path* path = static_cast<const Path*>(attr->data);
  if (!path) return;
  double x = 0, y = 0;
  cairo_get_current_point(cr, &x, &y);
  const double em = attr->logical_rect.height / double(PANGO_SCALE);
  const double side = symbolSide * em;
  const Rect box{x + (symbolAdvance * em - side) / 2, y - symbolAscent * em + (em - side) / 2, side, side};
  const Path fitted = path->fittedInto(box);
  cairo_new_path(cr);
  for (const auto& e : fitted.elements()) {
    switch (e.verb) {
      case Path::Verb::move:
        cairo_move_to(cr, e.points[0].x, e.points[0].y);
        break;
      case Path::Verb::line:
        cairo_line_to(cr, e.points[0].x, e.points[0].y);
        break;
      case Path::Verb::cubic:
        cairo_curve_to(cr, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                       e.points[2].y);
        break;
      case Path::Verb::close:
        cairo_close_path(cr);
        break;
    }
  }
  if (!doPath) {
    const cairo_fill_rule_t previous = cairo_get_fill_rule(cr);
    cairo_set_fill_rule(
        cr, path->fillRule == FillRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, previous);
  }
}
}  // namespace

void installSymbolRenderer(PangoContext* context) {
  pango_cairo_context_set_shape_renderer(context, drawSymbol, nullptr, nullptr);
}

}  // namespace hostkit::detail
