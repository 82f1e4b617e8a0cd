// Any byte sequence is read without a crash; every reading it gives is a valid test of the
// logbook's unit, and the planned logbook stays within the capacity, newest first.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/core/date.h"
#include "sugarlog/exchange/import.h"
#include "sugarlog/store/units.h"

using namespace sugarlog;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const TestTable empty;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  exchange::ImportSettings settings;
  settings.unite = static_cast<int>(size % 3);
  settings.sep_decimal = size % 2 ? "," : ".";
  settings.now = platform::date_serial(2026, 12, 8) + 0.5;
  settings.day_first = size % 5 != 0;
  settings.file_unit = static_cast<int>(size % 7 % 3);
  settings.include_history = true;
  const exchange::ParsedImport parsed = exchange::read_import(bytes, settings);
  const UnitInfo& unit = unit_info(settings.unite);
  for (const exchange::Reading& r : parsed.readings) {
    const double level = read_level(r.level, settings.unite, settings.sep_decimal);
    if (!(level > 0) || level > unit.maximum) std::abort();
  }
  const exchange::ImportPlan plan =
      exchange::plan_import(empty, parsed, settings.unite, settings.sep_decimal, 2026);
  if (plan.entries.size() > static_cast<std::size_t>(TestTable::kCapacity)) std::abort();
  for (std::size_t i = 1; i < plan.entries.size(); ++i) {
    if (*plan.entries[i].minute > *plan.entries[i - 1].minute) std::abort();
  }
  return 0;
}
