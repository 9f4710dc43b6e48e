#pragma once

#include <string_view>

namespace hostkit {

// The named text styles of the host.
enum class TextStyle { title, title2, headline, body, callout };

enum class FontWeight { regular, medium, semibold, bold };

// A font of the toolkit's family (Inter, falling back to DejaVu Sans) at a
// size in points.
struct Font {
  double size = 13;
  FontWeight weight = FontWeight::regular;

  // title 22 pt regular, title2 17 pt regular, headline 13 pt semibold,
  // body 13 pt regular, callout 12 pt regular.
  static Font style(TextStyle style);
  static Font title() { return style(TextStyle::title); }
  static Font title2() { return style(TextStyle::title2); }
  static Font headline() { return style(TextStyle::headline); }
  static Font body() { return style(TextStyle::body); }
  static Font callout() { return style(TextStyle::callout); }
  static Font system(double size, FontWeight weight = FontWeight::regular) { return {size, weight}; }

  friend bool operator==(const Font&, const Font&) = default;
};

// Which part of a text gives way to "…" when it does not fit its lines.
enum class TruncationMode { head, middle, tail };

// The family list handed to the text engine, most wanted first.
inline constexpr std::string_view fontFamilies = "Inter, DejaVu Sans";

}  // namespace hostkit
