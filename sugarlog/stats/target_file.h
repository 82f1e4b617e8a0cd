#pragma once
// The target range the statistics and the report use, kept in a settings file of its own:
// $XDG_CONFIG_HOME/sugarlog/statistics.ini, "[Target]" with "Low=" and "High=" in whole mg/dl.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "sugarlog/stats/statistics.h"

namespace sugarlog {

// Why a target range cannot be used, in the language of the flag; nothing when it can: the low
// bound must lie below the high one, both strictly between the very low and very high bounds
// (54 and 250 mg/dl), so that the low and high ranges are never empty.
std::optional<std::string> refuse_target_range(const TargetRange& range, int unite,
                                               std::int16_t langue, std::string_view separator);

class TargetRangeFile {
 public:
  static constexpr std::string_view kFolderName = "sugarlog";
  static constexpr std::string_view kFileName = "statistics.ini";

  // config_folder: $XDG_CONFIG_HOME (where sugarlog.ini lives).
  explicit TargetRangeFile(const std::filesystem::path& config_folder);
  const std::filesystem::path& path() const { return path_; }

  // The range kept, or the default one when there is no file or it holds no usable range.
  TargetRange read() const;
  // Keeps the range (the folder made when missing, the file replaced atomically); the system's
  // error text on failure.
  std::optional<std::string> write(const TargetRange& range) const;

 private:
  std::filesystem::path path_;
};

}  // namespace sugarlog
