// The general clipboard as a small interface. The toolkit runs headless, so the
// process-wide clipboard is kept in memory; a desktop host can install one that
// talks to its window system.
#pragma once

#include "MerrinColorUtils/ColorFormat.h"
#include "MerrinColorUtils/platform/PlatformColor.h"

#include <memory>
#include <optional>
#include <string>

namespace mcu {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clearContents() = 0;
  virtual void setString(const std::string& text) = 0;
  // The string item; absent when the clipboard holds none.
  virtual std::optional<std::string> string() const = 0;
};

class InMemoryClipboard final : public Clipboard {
 public:
  void clearContents() override { text_.reset(); }
  void setString(const std::string& text) override { text_ = text; }
  std::optional<std::string> string() const override { return text_; }

 private:
  std::optional<std::string> text_;
};

// The process-wide clipboard: an InMemoryClipboard until another is installed.
Clipboard& generalClipboard();
// Installs `clipboard` as the general one; an empty pointer restores the in-memory one.
void setGeneralClipboard(std::shared_ptr<Clipboard> clipboard);

// Writes `color` in `format` (4 decimal places, "p3: " before Display P3
// values, no clip marker) and puts the text on the general clipboard. Absent,
// and nothing copied, when the colour's space is not one of the RGB working
// spaces or the format cannot express it.
std::optional<std::string> copyToClipboard(const PlatformColor& color, ColorFormat inFormat);

}  // namespace mcu
