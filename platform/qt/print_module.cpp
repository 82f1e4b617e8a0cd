#include "platform/qt/print_module.h"

#include "platform/qt/modules.h"

namespace platform_qt {

PrintSupport* PrintModule::support() {
  if (tried_) return support_;
  tried_ = true;
  const auto make = reinterpret_cast<MakePrintSupport>(
      load_module_entry(path_, kMakePrintSupport, "printing is"));
  if (make) support_ = make();
  return support_;
}

}  // namespace platform_qt
