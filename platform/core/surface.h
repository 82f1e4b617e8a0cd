#pragma once
// The drawing surface of a picture box with a persistent image. Coordinates are twips from the
// top-left corner, x to the right and y downwards.
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/colour.h"

namespace platform {

constexpr double kTwipsPerInch = 1440.0;

enum class PenStyle { Solid, Dotted };

// Measures text in some font; the biorhythm chart centres its texts with the window's own font.
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual double text_width(std::string_view text) const = 0;  // twips
};

class DrawSurface : public TextMeasure {
 public:
  virtual double width() const = 0;   // twips
  virtual double height() const = 0;  // twips
  virtual void resize(double width_twips, double height_twips) = 0;

  virtual void set_back_colour(Colour colour) = 0;
  virtual Colour back_colour() const = 0;
  virtual void set_fore_colour(Colour colour) = 0;
  // Fills the whole image with the background colour.
  virtual void clear() = 0;
  virtual void set_pen_width(int pixels) = 0;
  virtual void set_pen_style(PenStyle style) = 0;
  // A line in the given colour, or in the foreground colour when none is given.
  virtual void line(double x1, double y1, double x2, double y2,
                    std::optional<Colour> colour = std::nullopt) = 0;
  virtual void set_font_size(double points) = 0;
  virtual void set_font_bold(bool bold) = 0;
  // Prints text with its top-left corner at (x, y) in the current font and foreground colour.
  virtual void print_text(double x, double y, std::string_view text) = 0;
};

}  // namespace platform
