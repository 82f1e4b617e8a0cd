#include "platform/core/testing/recording_surface.h"

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

constexpr double kTwipsPerCharAtTenPoints = 60.0;

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

DrawOp& RecordingSurface::record(DrawOp::Kind kind) {
  DrawOp& op = ops_.emplace_back();
  op.kind = kind;
  op.pen_width = pen_width_;
  op.pen_style = pen_style_;
  op.font_size = font_size_;
  op.bold = bold_;
  return op;
}

void RecordingSurface::set_back_colour(Colour colour) {
  back_ = colour;
  record(DrawOp::BackColour).colour = colour;
}

void RecordingSurface::clear() {
  record(DrawOp::Clear).colour = back_;
}

void RecordingSurface::set_pen_width(int pixels) {
  pen_width_ = pixels;
  record(DrawOp::PenWidth);
}

void RecordingSurface::set_pen_style(PenStyle style) {
  pen_style_ = style;
  record(DrawOp::PenStyleOp);
}

void RecordingSurface::line(double x1, double y1, double x2, double y2,
                            std::optional<Colour> colour) {
  DrawOp& op = record(DrawOp::Line);
  op.x1 = x1;
  op.y1 = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.colour = colour;
}

void RecordingSurface::set_font_size(double points) {
  font_size_ = points;
  record(DrawOp::FontSize);
}

void RecordingSurface::set_font_bold(bool bold) {
  bold_ = bold;
  record(DrawOp::FontBold);
}

void RecordingSurface::print_text(double x, double y, std::string_view text) {
  DrawOp& op = record(DrawOp::Text);
  op.x1 = x;
  op.y1 = y;
  op.colour = fore_;
  op.text = std::string(text);
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
