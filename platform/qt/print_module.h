#pragma once
// Printers and the printer dialog (Qt Print Support) through the printing module, loaded at the
// first print: the programs paint pages on a QPagedPaintDevice and never call Print Support
// themselves.
#include <QRectF>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QWidget;

namespace platform_qt {

// One printer set-up at high resolution: the printer the dialog chooses, or a PDF file.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  // Where pages are painted.
  virtual QPagedPaintDevice& pages() = 0;
  // The printer dialog over parent; true when the user chose to print. For a document it offers
  // every choice it has (pages, copies, a file); for a single page only "Print to File", and that
  // only with offer_file.
  virtual bool choose_for_document(QWidget* parent) = 0;
  virtual bool choose_for_page(QWidget* parent, bool offer_file) = 0;
  virtual void set_document_name(const QString& name) = 0;
  // Pages painted from the paper's edge rather than from the printable area's.
  virtual void set_full_page() = 0;
  // The file pages go to, empty for a printer.
  virtual QString output_file() const = 0;
  // Pages are written as PDF from now on, to this file.
  virtual void set_pdf_output(const QString& file) = 0;
  // The file pages go to from now on; empty: none, the printer (once the dialog chose one).
  virtual void set_output_file(const QString& file) = 0;
  // The printable area in device pixels, at the printer's resolution.
  virtual QRectF printable_area() const = 0;
  virtual int resolution() const = 0;
};

class PrintSupport {
 public:
  virtual ~PrintSupport() = default;
  virtual std::unique_ptr<PrintTarget> make_target() = 0;
  virtual bool printers_installed() const = 0;
};

// The module's one entry point, by that name: the print support, made once per run.
using MakePrintSupport = PrintSupport* (*)();
inline constexpr const char* kMakePrintSupport = "make_print_support";

// The module at path, loaded at the first call of support().
class PrintModule {
 public:
  explicit PrintModule(QString path) : path_(std::move(path)) {}
  // nullptr when the module cannot be loaded (said once on standard error).
  PrintSupport* support();

 private:
  QString path_;
  bool tried_ = false;
  PrintSupport* support_ = nullptr;
};

}  // namespace platform_qt
