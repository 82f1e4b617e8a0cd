#include "platform/qt/image_surface.h"

#include <QBuffer>
#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "platform/core/file_io.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr const char* kFontFamily = "DejaVu Sans";

// The application's own font when it is the charts' face, so the windows' widgets and their
// charts share each size they both load; that face by its name otherwise.
QFont chart_face() {
  if (qGuiApp) {
    const QFont application = QGuiApplication::font();
    if (QFontInfo(application).family() == QLatin1String(kFontFamily)) return application;
  }
  QFont font(kFontFamily);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont chart_font(double points, bool bold) {
  QFont font = chart_face();
  font.setPointSizeF(points > 0 ? points : 8.0);
  font.setBold(bold);
  return font;
}

// Clips a line to the rectangle (Liang-Barsky); false when nothing of it is inside.
bool clip(QLineF& line, const QRectF& area) {
  const double dx = line.dx(), dy = line.dy();
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.x1() - area.left(), area.right() - line.x1(), line.y1() - area.top(),
                       area.bottom() - line.y1()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
  }
  line = QLineF(line.pointAt(t0), line.pointAt(t1));
  return true;
}

constexpr int kRowsAhead = 12;

// Bresenham from end to end, both ends included, `width` pixels across the line's main
// direction at every step (the pixels a wide aliased pen covers); a dotted line inks every
// other step.
void plot_line(QImage& image, QLineF line, const QRgb ink, const int width, const bool dotted) {
  const int w = image.width(), h = image.height();
  if (!std::isfinite(line.x1()) || !std::isfinite(line.y1()) || !std::isfinite(line.x2()) ||
      !std::isfinite(line.y2())) {
    return;
  }
  if (!clip(line, QRectF(-width, -width, w + 2.0 * width, h + 2.0 * width))) return;
  int x = static_cast<int>(std::lround(line.x1()));
  int y = static_cast<int>(std::lround(line.y1()));
  const int x_end = static_cast<int>(std::lround(line.x2()));
  const int y_end = static_cast<int>(std::lround(line.y2()));
  auto* const bits = reinterpret_cast<QRgb*>(image.bits());
  const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
  const int dx = std::abs(x_end - x), dy = -std::abs(y_end - y);
  const int sx = x < x_end ? 1 : -1, sy = y < y_end ? 1 : -1;
  const bool across = dx >= -dy;  // mostly horizontal: the width goes down the rows
  const int first = -(width - 1) / 2;
  int error = dx + dy;
  for (int step = 0;; ++step) {
    if (!dotted || step % 2 == 0) {
      int from = (across ? y : x) + first;
      int to = from + width - 1;
      const int limit = across ? h - 1 : w - 1;
      const bool inside = across ? (x >= 0 && x < w) : (y >= 0 && y < h);
      if (from < 0) from = 0;
      if (to > limit) to = limit;
      if (inside && from <= to) {
        if (across) {
          for (QRgb* at = bits + from * stride + x; from <= to; ++from, at += stride) *at = ink;
        } else {
          // A steep line touches a new row, and so a new cache line, at every step: asking for
          // the rows ahead early keeps it from waiting on memory row after row.
          const int ahead = y + kRowsAhead * sy;
          if (ahead >= 0 && ahead < h) __builtin_prefetch(bits + ahead * stride + x, 1);
          for (QRgb* at = bits + y * stride + from; from <= to; ++from, ++at) *at = ink;
        }
      }
    }
    if (x == x_end && y == y_end) break;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

}  // namespace

QImageSurface::QImageSurface(double width_twips, double height_twips, double dpi,
                             double device_pixel_ratio)
    : width_(std::max(0.0, width_twips)),
      height_(std::max(0.0, height_twips)),
      dpi_(dpi > 0 ? dpi : 96.0),
      device_pixel_ratio_(device_pixel_ratio > 0 ? device_pixel_ratio : 1.0),
      font_(chart_font(8, false)),
      font_key_(font_.key()) {
  blank_ = back_;
}

QImageSurface::~QImageSurface() {
  end_painting();
}

QSize QImageSurface::pixel_size(double width_twips, double height_twips) const {
  const int w = static_cast<int>(std::lround(to_pixels(width_twips) * device_pixel_ratio_));
  const int h = static_cast<int>(std::lround(to_pixels(height_twips) * device_pixel_ratio_));
  return {std::max(w, 1), std::max(h, 1)};
}

QImage QImageSurface::blank_image(QSize size, platform::Colour colour) const {
  QImage image(size, QImage::Format_RGB32);
  image.setDevicePixelRatio(device_pixel_ratio_);
  const int dots_per_metre = static_cast<int>(std::lround(dpi_ / kMetresPerInch));
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  image.fill(to_qcolor(colour));
  return image;
}

QImage& QImageSurface::made() const {
  if (blank_) {
    image_ = blank_image(pixel_size(width_, height_), *blank_);
    blank_.reset();
  }
  return image_;
}

QPainter& QImageSurface::painter() {
  if (!painter_) {
    painter_.emplace(&made());
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setFont(font_);
    text_colour_.reset();
  }
  return *painter_;
}

void QImageSurface::end_painting() const {
  if (painter_) painter_.reset();
}

void QImageSurface::resize(double width_twips, double height_twips) {
  width_twips = std::max(0.0, width_twips);
  height_twips = std::max(0.0, height_twips);
  const QSize old_size = pixel_size(width_, height_);
  const QSize new_size = pixel_size(width_twips, height_twips);
  const bool grows = new_size.width() > old_size.width() || new_size.height() > old_size.height();
  // What was drawn stays where it was; new room takes the back colour. A surface still all one
  // colour stays so when it shrinks or the new room takes that colour too; one that had no room
  // at all (the one pixel of a surface of no size) takes the back colour throughout.
  if (blank_ && (to_pixels(width_) < 0.5 || to_pixels(height_) < 0.5)) blank_ = back_;
  if (new_size != old_size && !(blank_ && (!grows || *blank_ == back_))) {
    end_painting();
    QImage next = blank_image(new_size, back_);
    {
      QPainter copy(&next);
      copy.drawImage(0, 0, made());
    }
    image_ = std::move(next);
  }
  width_ = width_twips;
  height_ = height_twips;
}

void QImageSurface::clear() {
  end_painting();
  if (blank_) {
    blank_ = back_;
  } else {
    image_.fill(to_qcolor(back_));
  }
}

void QImageSurface::set_pen_width(int pixels) {
  pen_width_ = std::clamp(pixels, 1, kMaxPenWidth);
}

void QImageSurface::set_pen_style(platform::PenStyle style) {
  pen_style_ = style;
}

void QImageSurface::set_text_colour(platform::Colour colour) {
  if (text_colour_ == colour) return;
  painter().setPen(QPen(to_qcolor(colour)));
  text_colour_ = colour;
}

void QImageSurface::line(double x1, double y1, double x2, double y2,
                         std::optional<platform::Colour> colour) {
  // Lines are set pixel by pixel: a chart is a thousand short segments in changing colours,
  // and a pen change costs QPainter more than the segment itself.
  QImage& image = made();
  if (painter_ && !image.isDetached()) end_painting();
  const QColor ink = to_qcolor(colour.value_or(fore_));
  const double scale = device_pixel_ratio_;
  const QLineF line(to_pixels(x1) * scale, to_pixels(y1) * scale, to_pixels(x2) * scale,
                    to_pixels(y2) * scale);
  const int width = std::clamp(static_cast<int>(std::lround(pen_width_ * scale)), 1, kMaxPenWidth);
  plot_line(image, line, ink.rgb(), width, pen_style_ == platform::PenStyle::Dotted);
}

void QImageSurface::set_font_size(double points) {
  points = points > 0 ? points : 8.0;
  if (font_.pointSizeF() == points) return;
  font_.setPointSizeF(points);
  font_changed();
}

void QImageSurface::set_font_bold(bool bold) {
  if (font_.bold() == bold) return;
  font_.setBold(bold);
  font_changed();
}

void QImageSurface::font_changed() {
  metrics_.reset();
  font_key_ = font_.key();
  if (painter_) painter_->setFont(font_);
}

const QFontMetricsF& QImageSurface::metrics() const {
  if (!metrics_) {
    if (measure_.isNull()) measure_ = blank_image({1, 1}, back_);
    metrics_.emplace(font_, &measure_);
  }
  return *metrics_;
}

void QImageSurface::print_text(double x, double y, std::string_view text) {
  QPainter& p = painter();
  set_text_colour(fore_);
  p.drawStaticText(QPointF(to_pixels(x), to_pixels(y)), laid_out(text));
}

const QStaticText& QImageSurface::laid_out(std::string_view text) {
  // Charts print the same few texts (day numbers, letters, dates) over and over.
  const QString key = to_qstring(text) + QChar(0) + font_key_;
  auto found = texts_.find(key);
  if (found != texts_.end()) return found->second;
  if (texts_.size() >= kMaxLaidOutTexts) texts_.clear();
  QStaticText laid(to_qstring(text));
  laid.setTextFormat(Qt::PlainText);
  laid.setPerformanceHint(QStaticText::AggressiveCaching);
  laid.prepare(QTransform(), font_);
  return texts_.emplace(key, std::move(laid)).first->second;
}

double QImageSurface::text_width(std::string_view text) const {
  return to_twips(metrics().horizontalAdvance(to_qstring(text)));
}

const QImage& QImageSurface::image() const {
  end_painting();
  return made();
}

bool QImageSurface::save_bmp(const QString& path) const {
  QByteArray bitmap;
  QBuffer buffer(&bitmap);
  buffer.open(QIODevice::WriteOnly);
  return image().save(&buffer, "BMP") &&
         !platform::write_file_atomic(to_path(path), bytes_of(bitmap));
}

}  // namespace platform_qt
