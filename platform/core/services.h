#pragma once
// What the windows ask of the desktop, behind small interfaces: the programs get the Qt
// versions, the tests get the scripted fakes of testing/fakes.h.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/core/colour.h"
#include "platform/core/date.h"
#include "platform/core/surface.h"

namespace form {
class Form;
}

namespace platform {

// YesNoCancel has Yes as its default button; Escape or the close box answer Cancel there, and No
// in a Yes/No box.
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Stop };
enum class Answer { Ok, Yes, No, Cancel };

struct SaveFileOptions {
  std::string title;
  std::string filter;             // "Bitmaps|*.BMP": description, bar, pattern
  std::string default_extension;  // added when the chosen name has none
  std::string initial_name;
  bool prompt_overwrite = true;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual Answer message_box(const std::string& text, Buttons buttons, Icon icon,
                             const std::string& title) = 0;
  // The typed text, or nothing on Cancel.
  virtual std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                               const std::string& default_text) = 0;
  // The chosen colour, or nothing on Cancel.
  virtual std::optional<Colour> choose_colour(Colour initial) = 0;
  // False on Cancel.
  virtual bool choose_printer() = 0;
  // The chosen path (with the default extension added when it had none), or nothing on Cancel.
  virtual std::optional<std::string> save_file(const SaveFileOptions& options) = 0;
  // Shows a form modally; returns once the form is hidden again.
  virtual void show_modal(form::Form& form) = 0;
  virtual void beep() = 0;
  virtual void set_busy(bool busy) = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Serial now() const = 0;
  Serial today() const { return day_part(now()); }
};

class Locale {
 public:
  virtual ~Locale() = default;
  virtual std::string decimal_separator() const = 0;
  virtual std::string date_separator() const = 0;
  // English name of the user's language ("French", "English", ...), empty when unknown.
  virtual std::string language_name() const = 0;
  // Short date picture in date.h tokens, for instance "dd/MM/yyyy".
  virtual std::string short_date_picture() const = 0;
  // Month (1 January .. 12 December) and weekday (1 Sunday .. 7 Saturday) names in the user's
  // language, UTF-8, spelled out or abbreviated as the system writes them ("janv.", "lun.").
  virtual std::string month_name(int month, bool abbreviated) const = 0;
  virtual std::string weekday_name(int weekday, bool abbreviated) const = 0;
};

// Text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string get(const std::string& application, const std::string& section,
                          const std::string& key, const std::string& default_value) const = 0;
  virtual void set(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value) = 0;
  // Writes pending values to permanent storage; false when that failed.
  virtual bool flush() = 0;
  // Why the application's stored values could not be read (they read as absent then, and are
  // never written over); nothing when they were read or there were none.
  virtual std::optional<std::string> read_error(const std::string& /*application*/) const {
    return std::nullopt;
  }
  // Reads again what other copies of the program stored meanwhile; values set here and not yet
  // written stay as set.
  virtual void refresh() {}
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a file with its default viewer, or an http/https address in the browser.
  virtual void open(const std::string& path_or_url) = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // Prints a whole window as it stands on one page; false when it could not be printed.
  virtual bool print_form(const form::Form& window) = 0;
  // The file the last page went to when there was no printer to print on (a PDF the user is
  // told about); empty when it went to a printer.
  virtual std::string output_file() const { return {}; }
};

class SurfaceFactory {
 public:
  virtual ~SurfaceFactory() = default;
  virtual std::unique_ptr<DrawSurface> make_surface(double width_twips, double height_twips) = 0;
};

class ProgramControl {
 public:
  virtual ~ProgramControl() = default;
  // Ends the program once the handler that asked returns; no further handler runs after it.
  virtual void end_program() = 0;
  virtual bool ending() const = 0;
};

// ---- Online: is the internet there, downloads, the web browser ----

// Asks a host for an answer in the background: started without waiting, its report read later.
class ReachabilityProbe {
 public:
  virtual ~ReachabilityProbe() = default;
  // Starts asking; false when the probe cannot run at all (no ping program, say).
  virtual bool start(const std::string& host) = 0;
  // What the probe has reported so far, or nothing when there is no report to read.
  virtual std::optional<std::string> output() = 0;
  // Stops the probe if it still runs and removes what it left behind.
  virtual void finish() = 0;
};

class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // Fetches an address from the network, never from a cache, and hands the body to done as an
  // event of its own, never from inside get(). A failed, refused or timed-out download, an HTTP
  // error status and a body longer than max_bytes all give the empty body.
  virtual void get(const std::string& url, std::size_t max_bytes,
                   std::function<void(std::string body)> done) = 0;
};

enum class BrowserOutcome { Opened, NoBrowser, Failed };

class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  // Opens an http or https address in the desktop's browser; anything else is Failed.
  virtual BrowserOutcome open_page(const std::string& url) = 0;
};

// Everything a window needs from the desktop, handed to it at construction.
struct Platform {
  Dialogs& dialogs;
  Clock& clock;
  Locale& locale;
  SettingsStore& settings;
  Shell& shell;
  Printer& printer;
  SurfaceFactory& surfaces;
  ProgramControl& program;
  ReachabilityProbe& probe;
  HttpClient& http;
  WebBrowser& browser;
};

}  // namespace platform
