// Reads arbitrary bytes as a comma-separated file, field after field, as the logbook loader does.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/seqfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::SequentialReader reader(std::string(reinterpret_cast<const char*>(data), size));
  std::size_t taken = 0;
  // Every field consumes at least one byte, so there can never be more reads than bytes.
  for (std::size_t reads = 0; !reader.at_end(); ++reads) {
    if (reads > size) std::abort();
    const auto field = reader.read_field();
    if (!field) std::abort();
    taken += field->size();
  }
  if (taken > size || reader.read_field().has_value()) std::abort();
  return 0;
}
