#include "platform/core/testing/fakes.h"

#include "platform/core/file_names.h"
#include "platform/core/form.h"

namespace platform {

namespace {
template <typename T>
T next_or(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}
}  // namespace

void FakeLocale::use_french_names() {
  months = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
            "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
  short_months = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                  "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
  weekdays = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
  short_weekdays = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
}

std::string FakeLocale::month_name(int month, bool abbreviated) const {
  if (month < 1 || month > 12) return {};
  return (abbreviated ? short_months : months)[month - 1];
}

std::string FakeLocale::weekday_name(int weekday, bool abbreviated) const {
  if (weekday < 1 || weekday > 7) return {};
  return (abbreviated ? short_weekdays : weekdays)[weekday - 1];
}

Answer FakeDialogs::message_box(const std::string& text, Buttons buttons, Icon icon,
                                const std::string& title) {
  messages.push_back({text, buttons, icon, title});
  return next_or(answers, buttons == Buttons::Ok ? Answer::Ok : Answer::No);
}

std::optional<std::string> FakeDialogs::input_box(const std::string& prompt, const std::string&,
                                                  const std::string&) {
  input_prompts.push_back(prompt);
  return next_or<std::optional<std::string>>(inputs, std::nullopt);
}

std::optional<Colour> FakeDialogs::choose_colour(Colour) {
  return next_or<std::optional<Colour>>(colours, std::nullopt);
}

bool FakeDialogs::choose_printer() {
  return next_or(printer_choices, false);
}

std::optional<std::string> FakeDialogs::save_file(const SaveFileOptions& options) {
  save_requests.push_back(options);
  auto path = next_or<std::optional<std::string>>(save_paths, std::nullopt);
  if (!path) return std::nullopt;
  return with_default_extension(*path, options.default_extension);
}

void FakeDialogs::show_modal(form::Form& window) {
  modal_forms.push_back(window.name());
  window.visible = true;
  if (!modal_scripts.empty()) {
    auto script = std::move(modal_scripts.front());
    modal_scripts.pop_front();
    script(window);
  }
  window.visible = false;
}

std::string MemorySettings::path(const std::string& application, const std::string& section,
                                 const std::string& key) {
  return application + "/" + section + "/" + key;
}

std::string MemorySettings::get(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& default_value) const {
  auto found = values.find(path(application, section, key));
  return found == values.end() ? default_value : found->second;
}

void MemorySettings::set(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& value) {
  values[path(application, section, key)] = value;
}

bool MemorySettings::flush() {
  ++flushes;
  return !fail_flush;
}

bool FakePrinter::print_form(const form::Form& window) {
  if (on_print) on_print(window);
  if (fail) return false;
  printed.push_back(window.name());
  return true;
}

// ---- Online fakes ----

bool FakeProbe::start(const std::string& host) {
  if (!can_start) return false;
  started.push_back(host);
  return true;
}

void FakeHttp::get(const std::string& url, std::size_t max_bytes,
                   std::function<void(std::string body)> done) {
  requested.push_back(url);
  const auto found = bodies.find(url);
  std::string body =
      found == bodies.end() || found->second.size() > max_bytes ? std::string() : found->second;
  waiting_.push_back([done = std::move(done), body = std::move(body)] { done(body); });
}

void FakeHttp::deliver() {
  while (!waiting_.empty()) {
    auto answer = std::move(waiting_.front());
    waiting_.pop_front();
    answer();
  }
}

}  // namespace platform
