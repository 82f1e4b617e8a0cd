#include "sugarlog/exchange/export.h"

#include <cmath>

#include "sugarlog/exchange/csv.h"
#include "sugarlog/exchange/entries.h"
#include "sugarlog/store/units.h"

namespace sugarlog::exchange {

namespace {

// The unit's decimals, with a plain integer part: a spreadsheet reads "7.5", not "07.5".
constexpr std::string_view kExportPictures[] = {"0.0", "0", "0.00"};
constexpr std::string_view kUnitNames[] = {"mmol/L", "mg/dL", "g/L"};

}  // namespace

std::string_view export_unit_name(int unite) {
  return kUnitNames[known_unit(unite)];
}

ExportResult export_csv(const TestTable& table, int unite, std::string_view sep_decimal,
                        const Period& period, int this_year) {
  ExportResult result;
  result.csv.reserve(static_cast<std::size_t>(table.Nb_Tests) * 40 + 32);
  result.csv.append(kExportHeader).append("\r\n");
  const std::string_view unit = export_unit_name(unite);
  const std::string_view picture = kExportPictures[known_unit(unite)];
  for (int i = 1; i <= table.Nb_Tests; ++i) {
    const auto moment = read_moment(table.Tab_Date[i], table.Tab_Heure[i], this_year);
    const double level = read_level(table.Tab_Taux[i], unite, sep_decimal);
    if (!moment || !std::isfinite(level)) {
      ++result.unreadable;
      continue;
    }
    const platform::Serial day = static_cast<platform::Serial>(*moment / 1440);
    if (!period.contains(day)) continue;
    result.csv.append(format_iso_day(day)).push_back(',');
    result.csv.append(entry_time(*moment)).push_back(',');
    result.csv.append(format_level(level, picture, ".")).push_back(',');
    result.csv.append(unit).push_back(',');
    result.csv.append(csv_field(table.Tab_Note[i])).append("\r\n");
    ++result.written;
  }
  return result;
}

}  // namespace sugarlog::exchange
