// Any bytes read as the settings file: every setting and person reads without a crash, writing
// back what was read changes nothing, and a changed person written over the file keeps the others.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/ini_format.h"
#include "pulsewise/shell/settings.h"

namespace {

// The settings store on one INI text, as the program has it on the desktop.
class IniStore : public platform::SettingsStore {
 public:
  platform::IniFile file;
  int sets = 0;
  std::string get(const std::string&, const std::string& section, const std::string& key,
                  const std::string& default_value) const override {
    const std::string* value = file.find(section, key);
    return value ? *value : default_value;
  }
  void set(const std::string&, const std::string& section, const std::string& key,
           const std::string& value) override {
    ++sets;
    file.set(section, key, value);
  }
  bool flush() override { return true; }
};

constexpr int kThisYear = 2026;
constexpr int kSlots = 50;

std::string name_key(int n) {
  return "PeopleName " + std::to_string(n);
}
std::string date_key(int n) {
  return "PeopleDate " + std::to_string(n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniStore store;
  store.file.load(bytes);
  pulsewise::ProgramSettings settings(store);

  // Everything the main window and the people list read, written back unchanged.
  const auto chart_type = settings.small_number("Chart type", 0);
  const auto physical = settings.flag("Physical", "-1");
  const auto colour = settings.colour("Background colour", 0x8000000Fu);
  const auto birthday = settings.date("Birthday1", 40000, kThisYear);
  const double width = settings.number("Chart width", "0");
  std::string names[kSlots + 1];
  platform::Serial dates[kSlots + 1];
  for (int n = 1; n <= kSlots; ++n) {
    names[n] = settings.text(name_key(n));
    dates[n] = settings.date(date_key(n), 32874, kThisYear);
  }
  settings.write_number("Chart type", chart_type);
  settings.write_flag("Physical", physical);
  settings.write_colour("Background colour", colour);
  settings.write_date("Birthday1", birthday);
  settings.write_number("Chart width", width);
  for (int n = 1; n <= kSlots; ++n) {
    settings.write_text(name_key(n), names[n]);
    settings.write_date(date_key(n), dates[n]);
  }
  if (store.sets != 0) std::abort();

  // One person changed: every other person reads back as before from the merged file.
  const int changed = size > 0 ? 1 + data[0] % kSlots : 1;
  settings.write_text(name_key(changed), "Łukasz Żak");
  IniStore reread;
  reread.file.load(store.file.merged_over(bytes));
  pulsewise::ProgramSettings after(reread);
  for (int n = 1; n <= kSlots; ++n) {
    const std::string name = after.text(name_key(n));
    if (name != (n == changed ? "Łukasz Żak" : names[n])) std::abort();
    if (after.date(date_key(n), 32874, kThisYear) != dates[n]) std::abort();
  }
  return 0;
}
