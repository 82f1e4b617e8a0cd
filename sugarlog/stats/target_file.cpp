#include "sugarlog/stats/target_file.h"

#include <charconv>
#include <system_error>

#include "platform/core/file_io.h"
#include "platform/core/ini_format.h"
#include "platform/core/text_encoding.h"
#include "sugarlog/stats/figures.h"
#include "sugarlog/texts/statistics_texts.h"

namespace sugarlog {

namespace {

constexpr const char* kSection = "Target";

std::optional<int> whole_number(const std::string* text) {
  if (!text) return std::nullopt;
  int value = 0;
  const char* end = text->data() + text->size();
  const auto [at, error] = std::from_chars(text->data(), end, value);
  if (error != std::errc() || at != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::string> refuse_target_range(const TargetRange& range, int unite,
                                               std::int16_t langue, std::string_view separator) {
  if (range.low >= range.high) return std::string(text::kTargetOrder.in(langue));
  if (range.low <= kVeryLowBelow || range.high >= kVeryHighAbove) {
    return std::string(text::kTargetBounds.in(langue)) +
           level_text(from_mg_dl(kVeryLowBelow, unite), unite, separator) +
           std::string(text::kBoundsAnd.in(langue)) +
           level_text(from_mg_dl(kVeryHighAbove, unite), unite, separator) + " " +
           std::string(unit_info(unite).name) + ".";
  }
  return std::nullopt;
}

TargetRangeFile::TargetRangeFile(const std::filesystem::path& config_folder)
    : path_(config_folder / kFolderName / kFileName) {}

TargetRange TargetRangeFile::read() const {
  const platform::FileRead file = platform::read_file(path_);
  if (file.error) return {};
  platform::IniFile ini;
  ini.load(file.bytes);
  const auto low = whole_number(ini.find(kSection, "Low"));
  const auto high = whole_number(ini.find(kSection, "High"));
  if (!low || !high) return {};
  const TargetRange range{*low, *high};
  // A range edited by hand into something unusable is not used.
  if (refuse_target_range(range, kMgDl, kEnglish, ".")) return {};
  return range;
}

std::optional<std::string> TargetRangeFile::write(const TargetRange& range) const {
  std::error_code ec;
  std::filesystem::create_directories(path_.parent_path(), ec);
  if (ec) return ec.message();
  platform::IniSections sections;
  sections[kSection]["Low"] = std::to_string(range.low);
  sections[kSection]["High"] = std::to_string(range.high);
  return platform::write_file_atomic(path_, platform::format_ini(sections));
}

}  // namespace sugarlog
