// Any byte sequence reads without a crash into valid values or an ending, and values read back
// the same after being written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sugarlog/store/settings_file.h"
#include "sugarlog/store/units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto outcome = sugarlog::parse_settings(bytes);
  if (outcome.error) std::abort();
  const auto& v = outcome.values;
  // What a short file is rewritten with is as valid as what a whole one gives.
  if (!sugarlog::is_unit(v.Unite) || v.Verrou < 0 || v.Verrou > 9 || v.Anim < 0 || v.Anim > 9)
    std::abort();
  if (outcome.ending != sugarlog::SettingsEnding::kNone) return 0;
  const auto back = sugarlog::parse_settings(sugarlog::settings_text(v));
  if (back.ending != sugarlog::SettingsEnding::kNone || back.values.Unite != v.Unite ||
      back.values.Verrou != v.Verrou || back.values.Anim != v.Anim)
    std::abort();
  return 0;
}
