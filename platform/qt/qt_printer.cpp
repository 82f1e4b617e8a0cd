#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>

#include "platform/core/file_io.h"
#include "platform/core/form.h"
#include "platform/qt/image_surface.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/renderer.h"
#include "platform/qt/text.h"

namespace platform_qt {
namespace {

QRectF placement(const QImage& image, double screen_dpi, const PrintTarget& printer);

// Where a page goes when no printer exists and no file was chosen: the user's own documents
// folder, never the shared temporary folder where anyone can plant a name.
QString pdf_path(const QString& folder, const form::Form& window) {
  const QString stamp =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
  QString where = folder;
  if (where.isEmpty()) where = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (where.isEmpty()) where = QDir::homePath();
  QDir().mkpath(where);
  return QDir(where).filePath(to_qstring(window.name()) + u'-' + stamp + QStringLiteral(".pdf"));
}

// Paints the image on the printer's current target.
bool paint(PrintTarget& target, const QImage& image, double screen_dpi) {
  QPainter painter;
  if (!painter.begin(&target.pages())) return false;
  painter.drawImage(placement(image, screen_dpi, target), image);
  return painter.end();
}

// The image at its size on screen, shrunk if need be to fit the page.
QRectF placement(const QImage& image, double screen_dpi, const PrintTarget& printer) {
  const double scale = printer.resolution() / screen_dpi;
  QSizeF size = image.deviceIndependentSize() * scale;
  const QSizeF page = printer.printable_area().size();
  if (size.width() > page.width() || size.height() > page.height()) {
    size.scale(page, Qt::KeepAspectRatio);
  }
  return QRectF(QPointF(0, 0), size);
}

}  // namespace

QtPrinter::QtPrinter(Renderer& renderer, QString printing_module)
    : renderer_(renderer), module_(std::move(printing_module)) {}

QtPrinter::~QtPrinter() = default;

PrintTarget* QtPrinter::target() {
  if (!target_ && support()) target_ = support()->make_target();
  return target_.get();
}

void QtPrinter::print_to_pdf_in(QString folder) {
  pdf_folder_ = std::move(folder);
}

bool QtPrinter::printing_to_pdf() {
  return !pdf_folder_.isEmpty() || !support() || !support()->printers_installed();
}

std::string QtPrinter::output_file() const {
  return to_utf8(last_pdf_);
}

bool QtPrinter::print_form(const form::Form& window) {
  last_pdf_.clear();
  const QImage image = renderer_.grab(window);
  if (image.isNull()) return false;
  PrintTarget* target = this->target();
  if (!target) return false;
  target->set_document_name(to_qstring(window.caption.empty() ? window.name() : window.caption));
  // A file chosen in the printer dialog ("Print to File") is where the page goes.
  const QString chosen = target->output_file();
  if (chosen.isEmpty() && !printing_to_pdf()) return paint(*target, image, renderer_.dpi());

  const QString file = chosen.isEmpty() ? pdf_path(pdf_folder_, window) : chosen;
  // Written like every other file: into a new file beside it, then renamed over it.
  platform::TemporaryFile temp(to_path(file));
  bool printed = !temp.error();
  if (printed) {
    target->set_pdf_output(QString::fromStdString(temp.path().string()));
    printed = paint(*target, image, renderer_.dpi()) && !temp.commit();
    target->set_output_file(chosen);
  }
  if (printed) last_pdf_ = file;
  return printed;
}

std::unique_ptr<platform::DrawSurface> QtSurfaceFactory::make_surface(double width_twips,
                                                                      double height_twips) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  const double ratio = screen ? screen->devicePixelRatio() : 1.0;
  return std::make_unique<QImageSurface>(width_twips, height_twips, dpi, ratio);
}

}  // namespace platform_qt
