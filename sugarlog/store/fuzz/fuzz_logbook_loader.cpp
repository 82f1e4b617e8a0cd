// Any byte sequence loads without a crash, and whatever loads survives a write and a reload.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "sugarlog/store/data_file.h"
#include "sugarlog/store/test_table.h"

using sugarlog::TestTable;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TestTable first;
  static TestTable second;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view sep = size % 2 ? "," : ".";

  sugarlog::load_tests(bytes, first, sep);
  const std::string written = sugarlog::records_as_held(first, first.Nb_Tests);
  if (sugarlog::load_tests(written, second, sep)) std::abort();
  if (second.Nb_Tests != first.Nb_Tests) std::abort();
  for (int i = 1; i <= first.Nb_Tests; ++i) {
    if (second.Tab_Date[i] != sugarlog::record_safe(first.Tab_Date[i]) ||
        second.Tab_Heure[i] != sugarlog::record_safe(first.Tab_Heure[i]) ||
        second.Tab_Taux[i] != sugarlog::record_safe(first.Tab_Taux[i]) ||
        second.Tab_Note[i] != sugarlog::record_safe(first.Tab_Note[i]))
      std::abort();
  }
  return 0;
}
