#pragma once
// The desktop services on Qt: real dialogs, the system clock and locale, an INI settings store,
// the desktop's viewers, printing, picture surfaces and ending the program.
#include <QLocale>
#include <QString>
#include <QUrl>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/ini_format.h"
#include "platform/core/services.h"
#include "platform/qt/print_module.h"

namespace platform_qt {

class Renderer;

class QtProgramControl : public platform::ProgramControl {
 public:
  void end_program() override { ending_ = true; }
  bool ending() const override { return ending_; }

 private:
  bool ending_ = false;
};

// Printing a window: its rendered content on one page. A file chosen in the printer dialog gets
// the page as PDF; where no printer is installed and none was chosen, the page goes to a PDF file
// in the user's documents folder. PDF files are written through a temporary file and a rename,
// never through a link planted under the name.
class QtPrinter : public platform::Printer {
 public:
  // printing_module: the printing module's file, loaded at the first print. Where it cannot be
  // loaded nothing prints and the printer dialog does not open.
  QtPrinter(Renderer& renderer, QString printing_module);
  ~QtPrinter() override;
  bool print_form(const form::Form& window) override;
  std::string output_file() const override;
  // Sends every page to a PDF file in the folder, printers or not (unattended runs, tests).
  void print_to_pdf_in(QString folder);
  // The module's printers and dialog; nullptr when it cannot be loaded.
  PrintSupport* support() { return module_.support(); }
  // The printer the printer dialog sets up and print_form prints on; nullptr as support().
  PrintTarget* target();
  // True when pages go to PDF files rather than a real printer.
  bool printing_to_pdf();
  // The file the last page went to when printing to PDF.
  const QString& last_pdf() const { return last_pdf_; }

 private:
  Renderer& renderer_;
  PrintModule module_;
  std::unique_ptr<PrintTarget> target_;
  QString pdf_folder_;
  QString last_pdf_;
};

class QtDialogs : public platform::Dialogs {
 public:
  QtDialogs(Renderer& renderer, QtPrinter& printer, const platform::ProgramControl& program);
  ~QtDialogs() override;
  platform::Answer message_box(const std::string& text, platform::Buttons buttons,
                               platform::Icon icon, const std::string& title) override;
  std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                       const std::string& default_text) override;
  std::optional<platform::Colour> choose_colour(platform::Colour initial) override;
  bool choose_printer() override;
  std::optional<std::string> save_file(const platform::SaveFileOptions& options) override;
  void show_modal(form::Form& form) override;
  void beep() override;
  void set_busy(bool busy) override;

 private:
  // Copies the models to the widgets before a dialog opens over them.
  void show_window_as_it_stands();

  Renderer& renderer_;
  QtPrinter& printer_;
  const platform::ProgramControl& program_;
  bool busy_ = false;
};

// "Bitmaps|*.BMP|All files|*.*" as a Qt file dialog filter: "Bitmaps (*.BMP);;All files (*.*)".
QString qt_file_filter(const std::string& filter);

class QtClock : public platform::Clock {
 public:
  platform::Serial now() const override;
};

class QtLocale : public platform::Locale {
 public:
  std::string decimal_separator() const override;
  std::string date_separator() const override;
  std::string language_name() const override;
  std::string short_date_picture() const override;
  std::string month_name(int month, bool abbreviated) const override;
  std::string weekday_name(int weekday, bool abbreviated) const override;
};

// A Qt date format ("d/M/yy", "dd.MM.yyyy", "yyyy-MM-dd") in the tokens of platform/core/date.h,
// always with a four-digit year; names of months and days become numbers.
std::string date_picture_from_qt(const QString& qt_format);
// A locale's short date format in Qt's tokens ("dd/MM/yyyy" for the C locale), and the user's.
QString short_date_format_of(const QLocale& locale);
QString system_short_date_format();
// The first separator of a date format ("/" for "dd/MM/yyyy"); "/" when it has none.
std::string date_separator_of(const QString& qt_format);

// One INI file per application in the configuration folder ($XDG_CONFIG_HOME, normally
// ~/.config): "<application>.ini" with a "[section]" per section. Values are read once and kept.
// flush() writes back only the values this program changed, merged over the file as it is then,
// under a lock shared with every other copy of the program, through a temporary file: a failed or
// interrupted write leaves the previous file whole and the changes waiting for the next flush. A
// file that exists but cannot be read is never written over.
class IniSettingsStore : public platform::SettingsStore {
 public:
  // folder empty: the user's configuration folder.
  explicit IniSettingsStore(QString folder = {});
  ~IniSettingsStore() override;
  std::string get(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& default_value) const override;
  void set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;
  bool flush() override;
  std::optional<std::string> read_error(const std::string& application) const override;
  void refresh() override;
  QString file_path(const std::string& application) const;

 private:
  struct File {
    platform::IniFile ini;
    std::optional<std::string> read_error;  // why the file could not be read at first
  };
  File& file_for(const std::string& application) const;
  bool flush(const std::string& application, File& file);

  QString folder_;
  mutable std::map<std::string, File> files_;
};

// Opens local files with their default viewer and http/https addresses in the browser; any
// other kind of address is refused.
class QtShell : public platform::Shell {
 public:
  void open(const std::string& path_or_url) override;
};

// The URL open() would hand to the desktop, or nothing when it refuses the address.
std::optional<QUrl> shell_target(const std::string& path_or_url);

// Picture surfaces at the primary screen's logical DPI.
class QtSurfaceFactory : public platform::SurfaceFactory {
 public:
  std::unique_ptr<platform::DrawSurface> make_surface(double width_twips,
                                                      double height_twips) override;
};

}  // namespace platform_qt
