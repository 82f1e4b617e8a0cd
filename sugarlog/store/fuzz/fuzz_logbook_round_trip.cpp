// Any bytes load as a logbook (in whatever encoding the file came) and save; what the save writes
// loads back as the same number of tests, and every test the load found faithful reads back the
// same and saves to the same line again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/core/text_encoding.h"
#include "sugarlog/store/data_file.h"
#include "sugarlog/store/test_table.h"
#include "sugarlog/store/units.h"

using sugarlog::TestTable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TestTable first;
  static TestTable second;
  if (size == 0) return 0;
  // The first byte picks the unit and the separators the save runs under.
  const int unite = data[0] % 3;
  const bool comma = data[0] & 4;
  const std::string_view sep = comma ? "," : ".";
  const std::string_view date_sep = data[0] & 8 ? "-" : "/";
  const std::string text = platform::text_from_file_bytes(
      std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  sugarlog::UnitState units;
  units.Sep_Decimal = std::string(sep);
  units.Le_Formatteur(unite, "");
  constexpr int kThisYear = 2026;

  sugarlog::load_tests(text, first, sep);
  static bool faithful[TestTable::kCapacity + 1];
  for (int i = 1; i <= first.Nb_Tests; ++i)
    faithful[i] = sugarlog::saves_faithfully(first, i, unite, units, date_sep, kThisYear);
  const std::string saved = sugarlog::records_for_save(first, unite, units, date_sep, kThisYear);
  if (!platform::is_valid_utf8(saved)) std::abort();
  if (sugarlog::load_tests(saved, second, sep)) std::abort();
  if (second.Nb_Tests != first.Nb_Tests) std::abort();
  for (int i = 1; i <= second.Nb_Tests; ++i) {
    if (second.Tab_Note[i] != sugarlog::record_safe(first.Tab_Note[i])) std::abort();
    if (faithful[i] && second.Tab_Taux[i] != first.Tab_Taux[i]) std::abort();
  }
  const std::string again = sugarlog::records_for_save(second, unite, units, date_sep, kThisYear);
  // One record a line: the fields are made safe of line ends when written.
  std::size_t at = 0, again_at = 0;
  for (int i = 1; i <= second.Nb_Tests; ++i) {
    const std::size_t end = saved.find("\r\n", at);
    const std::size_t again_end = again.find("\r\n", again_at);
    if (end == std::string::npos || again_end == std::string::npos) std::abort();
    if (faithful[i] && saved.compare(at, end - at, again, again_at, again_end - again_at) != 0)
      std::abort();
    at = end + 2;
    again_at = again_end + 2;
  }
  return 0;
}
