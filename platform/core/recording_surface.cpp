#include <algorithm>
#include <iterator>

#include "platform/core/surface.h"

namespace platform {
namespace {

constexpr double kTwipsPerCharAtTenPoints = 60.0;

// Every recorded operation carries the pen and font in force once it has taken effect.
DrawOp op_with_state(DrawOp::Kind kind, int pen_width, PenStyle pen_style, double font_size,
                     bool bold) {
  DrawOp op{};
  op.kind = kind;
  op.pen_width = pen_width;
  op.pen_style = pen_style;
  op.font_size = font_size;
  op.bold = bold;
  return op;
}

std::vector<DrawOp> only(const std::vector<DrawOp>& ops, DrawOp::Kind kind) {
  std::vector<DrawOp> out;
  std::copy_if(ops.begin(), ops.end(), std::back_inserter(out),
               [kind](const DrawOp& op) { return op.kind == kind; });
  return out;
}

// Characters rather than bytes, so accented captions measure like plain ones.
std::size_t char_count(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

RecordingSurface::RecordingSurface(double width_twips, double height_twips)
    : width_(std::max(0.0, width_twips)), height_(std::max(0.0, height_twips)) {}

void RecordingSurface::resize(double width_twips, double height_twips) {
  width_ = std::max(0.0, width_twips);
  height_ = std::max(0.0, height_twips);
}

void RecordingSurface::set_back_colour(Colour colour) {
  back_ = colour;
  DrawOp op = op_with_state(DrawOp::BackColour, pen_width_, pen_style_, font_size_, bold_);
  op.colour = colour;
  ops_.push_back(op);
}

void RecordingSurface::clear() {
  DrawOp op = op_with_state(DrawOp::Clear, pen_width_, pen_style_, font_size_, bold_);
  op.colour = back_;
  ops_.push_back(op);
}

void RecordingSurface::set_pen_width(int pixels) {
  pen_width_ = pixels;
  ops_.push_back(op_with_state(DrawOp::PenWidth, pen_width_, pen_style_, font_size_, bold_));
}

void RecordingSurface::set_pen_style(PenStyle style) {
  pen_style_ = style;
  ops_.push_back(op_with_state(DrawOp::PenStyleOp, pen_width_, pen_style_, font_size_, bold_));
}

void RecordingSurface::line(double x1, double y1, double x2, double y2,
                            std::optional<Colour> colour) {
  DrawOp op = op_with_state(DrawOp::Line, pen_width_, pen_style_, font_size_, bold_);
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.colour = colour;
  ops_.push_back(op);
}

void RecordingSurface::set_font_size(double points) {
  font_size_ = points;
  ops_.push_back(op_with_state(DrawOp::FontSize, pen_width_, pen_style_, font_size_, bold_));
}

void RecordingSurface::set_font_bold(bool bold) {
  bold_ = bold;
  ops_.push_back(op_with_state(DrawOp::FontBold, pen_width_, pen_style_, font_size_, bold_));
}

void RecordingSurface::print_text(double x, double y, std::string_view text) {
  DrawOp op = op_with_state(DrawOp::Text, pen_width_, pen_style_, font_size_, bold_);
  op.x1 = x;
  op.y1 = y;
  op.colour = fore_;
  op.text = std::string(text);
  ops_.push_back(op);
}

double RecordingSurface::text_width(std::string_view text) const {
  return static_cast<double>(char_count(text)) * kTwipsPerCharAtTenPoints * font_size_ / 10.0;
}

std::vector<DrawOp> RecordingSurface::lines() const {
  return only(ops_, DrawOp::Line);
}
std::vector<DrawOp> RecordingSurface::texts() const {
  return only(ops_, DrawOp::Text);
}

}  // namespace platform
