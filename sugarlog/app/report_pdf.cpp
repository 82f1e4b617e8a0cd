#include "sugarlog/app/report_pdf.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <algorithm>

#include "platform/core/file_io.h"
#include "platform/core/version.h"
#include "platform/qt/text.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog_app {

namespace {

constexpr const char* kFontFamily = "DejaVu Sans";
constexpr double kPixelsPerInch = 96.0;

QColor colour_of(platform::Colour colour) {
  return platform_qt::to_qcolor(colour);
}

}  // namespace

QPageSize::PageSizeId paper_for(const QLocale& locale) {
  switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::CostaRica:
    case QLocale::Guatemala:
    case QLocale::Panama:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
    case QLocale::Venezuela:
      return QPageSize::Letter;
    default:
      return QPageSize::A4;
  }
}

PageSurface::PageSurface(QPainter& painter, double width_twips, double height_twips, double dpi)
    : painter_(painter), width_(width_twips), height_(height_twips), dpi_(dpi), font_(kFontFamily) {
  font_.setStyleHint(QFont::SansSerif);
  font_.setPointSizeF(9);
  // Without ligatures, so that a search for "fi" or "ffi" finds the words that hold them.
  font_.setStyleStrategy(QFont::PreferNoShaping);
  painter_.setFont(font_);
  painter_.setRenderHint(QPainter::Antialiasing, true);
}

void PageSurface::clear() {
  painter_.fillRect(QRectF(0, 0, device(width_), device(height_)), colour_of(back_));
}

void PageSurface::line(double x1, double y1, double x2, double y2,
                       std::optional<platform::Colour> colour) {
  QPen pen(colour_of(colour.value_or(fore_)));
  pen.setWidthF(std::max(1, pen_width_) * dpi_ / kPixelsPerInch);
  pen.setStyle(pen_style_ == platform::PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  painter_.setPen(pen);
  painter_.drawLine(QPointF(device(x1), device(y1)), QPointF(device(x2), device(y2)));
}

void PageSurface::set_font_size(double points) {
  points = points > 0 ? points : 9;
  if (font_.pointSizeF() == points) return;
  font_.setPointSizeF(points);
  font_changed();
}

void PageSurface::set_font_bold(bool bold) {
  if (font_.bold() == bold) return;
  font_.setBold(bold);
  font_changed();
}

void PageSurface::font_changed() {
  painter_.setFont(font_);
  metrics_.reset();
}

const QFontMetricsF& PageSurface::metrics() const {
  if (!metrics_) metrics_.emplace(font_, painter_.device());
  return *metrics_;
}

void PageSurface::print_text(double x, double y, std::string_view text) {
  painter_.setPen(colour_of(fore_));
  painter_.drawText(QPointF(device(x), device(y) + metrics().ascent()),
                    platform_qt::to_qstring(text));
}

double PageSurface::text_width(std::string_view text) const {
  return metrics().horizontalAdvance(platform_qt::to_qstring(text)) * platform::kTwipsPerInch /
         dpi_;
}

int paint_report(QPagedPaintDevice& device, const sugarlog::TestTable& table,
                 const sugarlog::ReportRequest& request, int this_year) {
  QPainter painter(&device);
  if (!painter.isActive()) return 0;
  const QSizeF paper = device.pageLayout().fullRectPoints().size();
  constexpr double kTwipsPerPoint = 20;
  PageSurface page(painter, paper.width() * kTwipsPerPoint, paper.height() * kTwipsPerPoint,
                   device.logicalDpiX());
  const sugarlog::Report report(table, request, this_year, page);
  for (int i = 0; i < report.page_count(); ++i) {
    if (i > 0) device.newPage();
    report.draw_page(i, page);
  }
  return report.page_count();
}

std::optional<std::string> write_report_pdf(const std::filesystem::path& path,
                                            const sugarlog::TestTable& table,
                                            const sugarlog::ReportRequest& request, int this_year,
                                            QPageSize::PageSizeId paper) {
  platform::TemporaryFile temporary(path);
  if (temporary.error()) return temporary.error();
  {
    QFile file;
    if (!file.open(temporary.fd(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
      return platform_qt::to_utf8(file.errorString());
    }
    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(paper));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(600);
    writer.setTitle(platform_qt::to_qstring(sugarlog::text::kReportTitle.in(request.langue)));
    writer.setCreator(
        QStringLiteral("Sugarlog %1").arg(platform_qt::to_qstring(platform::kVersion)));
    if (paint_report(writer, table, request, this_year) == 0) {
      return std::string("the PDF could not be drawn");
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
      return platform_qt::to_utf8(file.errorString());
    }
  }
  return temporary.commit();
}

void print_report(platform_qt::PrintTarget& printer, const sugarlog::TestTable& table,
                  const sugarlog::ReportRequest& request, int this_year) {
  printer.set_full_page();
  printer.set_document_name(
      platform_qt::to_qstring(sugarlog::text::kReportTitle.in(request.langue)));
  paint_report(printer.pages(), table, request, this_year);
}

}  // namespace sugarlog_app
