// Any logbook file through the statistics and the report's layout: no crash, no hang, nothing
// drawn off the paper.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/core/testing/recording_surface.h"
#include "sugarlog/report/report.h"
#include "sugarlog/store/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  sugarlog::TestTable table;
  sugarlog::load_tests(bytes, table, ".");
  sugarlog::ReportRequest request;
  request.period = {0, platform::date_serial(2100, 12, 31)};
  request.unite = size % 3;
  request.printed = platform::date_serial(2026, 12, 8);
  platform::RecordingSurface page(11906, 16838);
  const sugarlog::Report report(table, request, 2026, page);
  for (int i = 0; i < report.page_count() && i < 3; ++i) {
    page.forget();
    report.draw_page(i, page);
    for (const platform::DrawOp& op : page.ops()) {
      if (op.kind == platform::DrawOp::Text && (op.x1 < 0 || op.y1 < 0)) std::abort();
    }
  }
  return 0;
}
