#pragma once
// A picture box's persistent image on a QImage. Twips become pixels by the logical DPI the
// surface was made for (96 DPI: 15 twips per pixel).
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <QString>
#include <optional>
#include <unordered_map>

#include "platform/core/surface.h"

namespace platform_qt {

class QImageSurface : public platform::DrawSurface {
 public:
  // device_pixel_ratio > 1 gives a sharper image on a scaled screen; drawing stays in logical
  // pixels.
  QImageSurface(double width_twips, double height_twips, double dpi = 96.0,
                double device_pixel_ratio = 1.0);
  ~QImageSurface() override;

  double width() const override { return width_; }
  double height() const override { return height_; }
  void resize(double width_twips, double height_twips) override;

  void set_back_colour(platform::Colour colour) override { back_ = colour; }
  platform::Colour back_colour() const override { return back_; }
  void set_fore_colour(platform::Colour colour) override { fore_ = colour; }
  void clear() override;
  void set_pen_width(int pixels) override;
  void set_pen_style(platform::PenStyle style) override;
  void line(double x1, double y1, double x2, double y2,
            std::optional<platform::Colour> colour = std::nullopt) override;
  void set_font_size(double points) override;
  void set_font_bold(bool bold) override;
  void print_text(double x, double y, std::string_view text) override;
  double text_width(std::string_view text) const override;

  // The picture as drawn so far (any drawing in progress is finished first).
  const QImage& image() const;
  // Writes the picture as a Windows bitmap through a temporary file; false on any failure.
  bool save_bmp(const QString& path) const;

  double dpi() const { return dpi_; }
  double to_pixels(double twips) const { return twips * dpi_ / platform::kTwipsPerInch; }
  double to_twips(double pixels) const { return pixels * platform::kTwipsPerInch / dpi_; }

 private:
  QPainter& painter();
  void end_painting() const;
  void set_text_colour(platform::Colour colour);
  void font_changed();
  const QFontMetricsF& metrics() const;
  QSize pixel_size(double width_twips, double height_twips) const;
  QImage blank_image(QSize size, platform::Colour colour) const;
  // The image, made at its first use: until then the surface is all one colour (blank_), and a
  // surface resized before anything is drawn on it (a window taking its stored size) makes one
  // image, not one per size.
  QImage& made() const;
  const QStaticText& laid_out(std::string_view text);

  static constexpr int kMaxPenWidth = 16;
  static constexpr std::size_t kMaxLaidOutTexts = 2000;

  double width_, height_;
  double dpi_, device_pixel_ratio_;
  mutable QImage image_;
  mutable std::optional<platform::Colour> blank_;
  mutable QImage measure_;  // one pixel at the image's resolution: text is measured against it
  mutable std::optional<QPainter> painter_;
  platform::Colour back_ = platform::kButtonFace;
  platform::Colour fore_ =
      platform::kButtonText;  // a picture box writes in the theme's text colour
  int pen_width_ = 1;
  platform::PenStyle pen_style_ = platform::PenStyle::Solid;
  std::optional<platform::Colour> text_colour_;  // the pen the painter holds now
  QFont font_;
  QString font_key_;
  mutable std::optional<QFontMetricsF> metrics_;
  std::unordered_map<QString, QStaticText> texts_;
};

}  // namespace platform_qt
