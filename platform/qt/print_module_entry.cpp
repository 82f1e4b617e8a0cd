// The printing module: Qt Print Support behind PrintTarget and PrintSupport (print_module.h).
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <type_traits>

#include "platform/qt/print_module.h"

namespace {

class QtPrintTarget : public platform_qt::PrintTarget {
 public:
  QPagedPaintDevice& pages() override { return printer_; }
  bool choose_for_document(QWidget* parent) override {
    QPrintDialog dialog(&printer_, parent);
    return dialog.exec() == QDialog::Accepted;
  }
  bool choose_for_page(QWidget* parent, bool offer_file) override {
    QPrintDialog dialog(&printer_, parent);
    QAbstractPrintDialog::PrintDialogOptions options;
    if (offer_file) options |= QAbstractPrintDialog::PrintToFile;
    dialog.setOptions(options);
    return dialog.exec() == QDialog::Accepted;
  }
  void set_document_name(const QString& name) override { printer_.setDocName(name); }
  void set_full_page() override { printer_.setFullPage(true); }
  QString output_file() const override { return printer_.outputFileName(); }
  void set_pdf_output(const QString& file) override {
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(file);
  }
  void set_output_file(const QString& file) override { printer_.setOutputFileName(file); }
  QRectF printable_area() const override { return printer_.pageRect(QPrinter::DevicePixel); }
  int resolution() const override { return printer_.resolution(); }

 private:
  QPrinter printer_{QPrinter::HighResolution};
};

class QtPrintSupport : public platform_qt::PrintSupport {
 public:
  std::unique_ptr<platform_qt::PrintTarget> make_target() override {
    return std::make_unique<QtPrintTarget>();
  }
  bool printers_installed() const override { return !QPrinterInfo::availablePrinters().isEmpty(); }
};

}  // namespace

extern "C" Q_DECL_EXPORT platform_qt::PrintSupport* make_print_support() {
  static QtPrintSupport support;
  return &support;
}

// The signature the loader expects, checked where the entry point is defined.
static_assert(std::is_same_v<decltype(&make_print_support), platform_qt::MakePrintSupport>);
