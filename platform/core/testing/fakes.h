#pragma once
// Scripted stand-ins for the desktop services, for tests: each dialog takes its answer from a
// queue the test fills, and everything shown is recorded.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/services.h"
#include "platform/core/testing/recording_surface.h"

namespace platform {

struct ShownMessage {
  std::string text;
  Buttons buttons;
  Icon icon;
  std::string title;
};

class FakeDialogs : public Dialogs {
 public:
  // Answers given in order; when the queue is empty a message box answers Ok (Yes is never
  // assumed: a Yes/No or Yes/No/Cancel box with no scripted answer answers No).
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> inputs;      // empty queue: Cancel
  std::deque<std::optional<Colour>> colours;          // empty queue: Cancel
  std::deque<bool> printer_choices;                   // empty queue: Cancel
  std::deque<std::optional<std::string>> save_paths;  // empty queue: Cancel
  // What the user does inside a modal form; the form is hidden afterwards if still shown.
  std::deque<std::function<void(form::Form&)>> modal_scripts;

  std::vector<ShownMessage> messages;
  std::vector<std::string> input_prompts;
  std::vector<SaveFileOptions> save_requests;
  std::vector<std::string> modal_forms;  // names of the forms shown modally
  int beeps = 0;
  bool busy = false;

  Answer message_box(const std::string& text, Buttons buttons, Icon icon,
                     const std::string& title) override;
  std::optional<std::string> input_box(const std::string& prompt, const std::string& title,
                                       const std::string& default_text) override;
  std::optional<Colour> choose_colour(Colour initial) override;
  bool choose_printer() override;
  std::optional<std::string> save_file(const SaveFileOptions& options) override;
  void show_modal(form::Form& form) override;
  void beep() override { ++beeps; }
  void set_busy(bool is_busy) override { busy = is_busy; }
};

class FakeClock : public Clock {
 public:
  explicit FakeClock(Serial now_value = 0) : now_(now_value) {}
  Serial now() const override { return now_; }
  void set(Serial now_value) { now_ = now_value; }

 private:
  Serial now_;
};

class FakeLocale : public Locale {
 public:
  std::string decimal = ".";
  std::string date_sep = "/";
  std::string language = "English";
  std::string short_date = "dd/MM/yyyy";
  // January first, Sunday first; English unless a test writes others.
  std::array<std::string, 12> months{"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
  std::array<std::string, 12> short_months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 7> weekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
  std::array<std::string, 7> short_weekdays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  // French names as a French system writes them.
  void use_french_names();

  std::string decimal_separator() const override { return decimal; }
  std::string date_separator() const override { return date_sep; }
  std::string language_name() const override { return language; }
  std::string short_date_picture() const override { return short_date; }
  std::string month_name(int month, bool abbreviated) const override;
  std::string weekday_name(int weekday, bool abbreviated) const override;
};

class MemorySettings : public SettingsStore {
 public:
  std::map<std::string, std::string> values;  // "application/section/key" -> value
  bool fail_flush = false;
  int flushes = 0;
  std::optional<std::string> unreadable;  // what read_error() answers
  std::optional<std::string> read_error(const std::string&) const override { return unreadable; }
  std::string get(const std::string& application, const std::string& section,
                  const std::string& key, const std::string& default_value) const override;
  void set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) override;
  bool flush() override;
  static std::string path(const std::string& application, const std::string& section,
                          const std::string& key);
};

class FakeShell : public Shell {
 public:
  std::vector<std::string> opened;
  void open(const std::string& path_or_url) override { opened.push_back(path_or_url); }
};

class FakePrinter : public Printer {
 public:
  bool fail = false;
  std::vector<std::string> printed;  // names of the forms printed
  std::string pdf;                   // set: pages go to this file, as where no printer exists
  // Called while the form is being printed, to look at it as it goes to the page.
  std::function<void(const form::Form&)> on_print;
  bool print_form(const form::Form& window) override;
  std::string output_file() const override { return pdf; }
};

class RecordingSurfaceFactory : public SurfaceFactory {
 public:
  std::unique_ptr<DrawSurface> make_surface(double width_twips, double height_twips) override {
    return std::make_unique<RecordingSurface>(width_twips, height_twips);
  }
};

class FakeProgram : public ProgramControl {
 public:
  void end_program() override { ended = true; }
  bool ending() const override { return ended; }
  bool ended = false;
};

// ---- Online fakes: probe, downloads, browser ----

class FakeProbe : public ReachabilityProbe {
 public:
  bool can_start = true;
  std::optional<std::string> report;  // what output() gives; nothing: no report to read
  std::vector<std::string> started;   // hosts asked
  int finished = 0;
  bool start(const std::string& host) override;
  std::optional<std::string> output() override { return report; }
  void finish() override { ++finished; }
};

// Downloads wait until the test delivers them, so a test sees the window between the request and
// the answer, as the program does.
class FakeHttp : public HttpClient {
 public:
  std::map<std::string, std::string> bodies;  // by address; any other address fails
  std::vector<std::string> requested;         // every address asked, in order
  void get(const std::string& url, std::size_t max_bytes,
           std::function<void(std::string body)> done) override;
  // Answers every waiting download, and those the answers ask for, in order.
  void deliver();
  std::size_t waiting() const { return waiting_.size(); }

 private:
  std::deque<std::function<void()>> waiting_;
};

class FakeBrowser : public WebBrowser {
 public:
  BrowserOutcome outcome = BrowserOutcome::Opened;
  std::vector<std::string> opened;  // every address handed over
  BrowserOutcome open_page(const std::string& url) override {
    opened.push_back(url);
    return outcome;
  }
};

// All the fakes together, with the Platform bundle that windows take.
struct FakePlatform {
  FakeDialogs dialogs;
  FakeClock clock;
  FakeLocale locale;
  MemorySettings settings;
  FakeShell shell;
  FakePrinter printer;
  RecordingSurfaceFactory surfaces;
  FakeProgram program;
  FakeProbe probe;
  FakeHttp http;
  FakeBrowser browser;
  Platform platform() {
    return Platform{dialogs,  clock,   locale, settings, shell,  printer,
                    surfaces, program, probe,  http,     browser};
  }
};

}  // namespace platform
