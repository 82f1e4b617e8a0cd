#pragma once
// A drawing surface that keeps what was drawn as a list of operations, for tests.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/surface.h"

namespace platform {

// One recorded drawing operation, for tests.
struct DrawOp {
  enum Kind { BackColour, Clear, PenWidth, PenStyleOp, Line, FontSize, FontBold, Text } kind;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::optional<Colour> colour;  // BackColour, Line (nullopt: the foreground colour)
  int pen_width = 1;             // Line: pen in force; PenWidth: the new width
  PenStyle pen_style = PenStyle::Solid;
  double font_size = 8;  // Text: font in force
  bool bold = false;
  std::string text;
  bool operator==(const DrawOp&) const = default;
};

// Keeps a list of operations with exact coordinates instead of pixels. Text is measured as
// 60 twips per character at 10 points, scaled by the font size.
class RecordingSurface : public DrawSurface {
 public:
  RecordingSurface(double width_twips, double height_twips);

  double width() const override { return width_; }
  double height() const override { return height_; }
  void resize(double width_twips, double height_twips) override;
  void set_back_colour(Colour colour) override;
  Colour back_colour() const override { return back_; }
  void set_fore_colour(Colour colour) override { fore_ = colour; }
  void clear() override;
  void set_pen_width(int pixels) override;
  void set_pen_style(PenStyle style) override;
  void line(double x1, double y1, double x2, double y2,
            std::optional<Colour> colour = std::nullopt) override;
  void set_font_size(double points) override;
  void set_font_bold(bool bold) override;
  void print_text(double x, double y, std::string_view text) override;
  double text_width(std::string_view text) const override;

  const std::vector<DrawOp>& ops() const { return ops_; }
  std::vector<DrawOp> lines() const;
  std::vector<DrawOp> texts() const;
  void forget() { ops_.clear(); }

 private:
  // Appends an operation carrying the pen and font in force, once any change has taken effect.
  DrawOp& record(DrawOp::Kind kind);

  double width_, height_;
  Colour back_ = kButtonFace, fore_ = kButtonText;
  int pen_width_ = 1;
  PenStyle pen_style_ = PenStyle::Solid;
  double font_size_ = 8;
  bool bold_ = false;
  std::vector<DrawOp> ops_;
};

}  // namespace platform
