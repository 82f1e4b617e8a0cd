#pragma once
// The report for the doctor on paper: as a PDF file (vector, with text that can be selected and
// searched) or on a printer, on the paper size of the user's country.
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/core/surface.h"
#include "platform/qt/print_module.h"
#include "sugarlog/report/report.h"

namespace sugarlog_app {

// Letter in the countries that use it (the United States, Canada, Mexico, ...), A4 elsewhere.
QPageSize::PageSizeId paper_for(const QLocale& locale);

// A drawing surface over a painter on a page of a paged device (a PDF writer, a printer), the
// whole paper being the surface. Pen widths are in 1/96 inch.
class PageSurface : public platform::DrawSurface {
 public:
  PageSurface(QPainter& painter, double width_twips, double height_twips, double dpi);

  double width() const override { return width_; }
  double height() const override { return height_; }
  void resize(double, double) override {}
  void set_back_colour(platform::Colour colour) override { back_ = colour; }
  platform::Colour back_colour() const override { return back_; }
  void set_fore_colour(platform::Colour colour) override { fore_ = colour; }
  void clear() override;
  void set_pen_width(int pixels) override { pen_width_ = pixels; }
  void set_pen_style(platform::PenStyle style) override { pen_style_ = style; }
  void line(double x1, double y1, double x2, double y2,
            std::optional<platform::Colour> colour = std::nullopt) override;
  void set_font_size(double points) override;
  void set_font_bold(bool bold) override;
  void print_text(double x, double y, std::string_view text) override;
  double text_width(std::string_view text) const override;

 private:
  double device(double twips) const { return twips * dpi_ / platform::kTwipsPerInch; }
  const QFontMetricsF& metrics() const;
  void font_changed();

  QPainter& painter_;
  double width_, height_, dpi_;
  platform::Colour back_ = platform::kWhite, fore_ = platform::kBlack;
  int pen_width_ = 1;
  platform::PenStyle pen_style_ = platform::PenStyle::Solid;
  QFont font_;
  mutable std::optional<QFontMetricsF> metrics_;
};

// Lays the report out for the device's paper and paints every page; the number of pages.
int paint_report(QPagedPaintDevice& device, const sugarlog::TestTable& table,
                 const sugarlog::ReportRequest& request, int this_year);

// Writes the report as a PDF file, whole or not at all (through a temporary file beside it); the
// reason on failure.
std::optional<std::string> write_report_pdf(const std::filesystem::path& path,
                                            const sugarlog::TestTable& table,
                                            const sugarlog::ReportRequest& request, int this_year,
                                            QPageSize::PageSizeId paper);

// Prints the report on a printer the print dialog has set up.
void print_report(platform_qt::PrintTarget& printer, const sugarlog::TestTable& table,
                  const sugarlog::ReportRequest& request, int this_year);

}  // namespace sugarlog_app
