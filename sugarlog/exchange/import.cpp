#include "sugarlog/exchange/import.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_set>

#include "platform/core/text_encoding.h"
#include "sugarlog/exchange/csv.h"
#include "sugarlog/exchange/export.h"
#include "sugarlog/store/units.h"
#include "sugarlog/texts/exchange_texts.h"

namespace sugarlog::exchange {

namespace {

constexpr int kNone = -1;
// Rows before the header: a sensor portal writes a line or two about the export first.
constexpr std::size_t kHeaderSearchRows = 10;
constexpr std::size_t kShownRefusals = 5;
constexpr std::size_t kQuotedValueMax = 40;

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool has(std::string_view text, std::string_view word) {
  return text.find(word) != std::string_view::npos;
}

std::optional<int> unit_named(std::string_view text) {
  const std::string name = lower(text);
  if (has(name, "mmol")) return kMmolL;
  if (has(name, "mg/dl") || has(name, "mg / dl") || has(name, "mg/100")) return kMgDl;
  if (has(name, "g/l")) return kGL;
  return std::nullopt;
}

// Which column holds what; kNone when absent.
struct Columns {
  FileKind kind = FileKind::kOtherCsv;
  int date = kNone, time = kNone, date_time = kNone, level = kNone, unit = kNone, note = kNone;
  // Sensor exports: the kind of each row and one level column per kind.
  int record_type = kNone, history = kNone, scan = kNone, strip = kNone;
  std::optional<int> level_unit;  // the unit the header names for the levels

  bool usable() const {
    if (kind == FileKind::kSensorExport) return date_time != kNone && record_type != kNone;
    return level != kNone && (date_time != kNone || (date != kNone && time != kNone));
  }
};

void take(int& role, int column) {
  if (role == kNone) role = column;
}

Columns sensor_columns(const std::vector<std::string>& header) {
  Columns c;
  c.kind = FileKind::kSensorExport;
  for (int i = 0; i < static_cast<int>(header.size()); ++i) {
    const std::string name = lower(trim(header[i]));
    if (name == "device timestamp") take(c.date_time, i);
    if (name == "record type") take(c.record_type, i);
    if (name == "notes") take(c.note, i);
    const bool glucose = has(name, "glucose");
    if (glucose && has(name, "historic")) take(c.history, i);
    if (glucose && has(name, "scan")) take(c.scan, i);
    if (glucose && has(name, "strip")) take(c.strip, i);
    if (glucose && !c.level_unit) c.level_unit = unit_named(name);
  }
  return c;
}

Columns other_columns(const std::vector<std::string>& header) {
  Columns c;
  for (int i = 0; i < static_cast<int>(header.size()); ++i) {
    const std::string name = lower(trim(header[i]));
    const bool date = has(name, "date") || has(name, "datum") || name == "day" || name == "jour";
    const bool time = has(name, "time") || has(name, "heure") || name == "hour";
    if (has(name, "timestamp") || (date && time)) {
      take(c.date_time, i);
    } else if (date) {
      take(c.date, i);
    } else if (time) {
      take(c.time, i);
    } else if (has(name, "unit")) {
      take(c.unit, i);
    } else if (has(name, "glucose") || has(name, "glyc") || has(name, "sugar") ||
               has(name, "level") || has(name, "taux") || has(name, "reading") ||
               has(name, "value") || has(name, "valeur") || unit_named(name)) {
      if (c.level == kNone) c.level_unit = unit_named(name);
      take(c.level, i);
    } else if (has(name, "note") || has(name, "comment") || has(name, "remarque")) {
      take(c.note, i);
    }
  }
  return c;
}

bool is_own_header(const std::vector<std::string>& header) {
  std::string joined;
  for (const std::string& field : header) joined.append(field).push_back(',');
  if (!joined.empty()) joined.pop_back();
  return lower(joined) == lower(kExportHeader);
}

Columns columns_of(const std::vector<std::string>& header) {
  Columns c = sensor_columns(header);
  if (c.usable()) return c;
  c = other_columns(header);
  if (is_own_header(header)) c.kind = FileKind::kOwnExport;
  return c;
}

// ---- Dates and times ----

struct DateParts {
  int value[3] = {0, 0, 0};
  int digits[3] = {0, 0, 0};
};

std::optional<DateParts> split_date(std::string_view text) {
  DateParts parts;
  std::size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (pos >= text.size() || (text[pos] != '/' && text[pos] != '-' && text[pos] != '.')) {
        return std::nullopt;
      }
      ++pos;
    }
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 4) {
      parts.value[k] = parts.value[k] * 10 + (text[pos] - '0');
      ++pos;
    }
    parts.digits[k] = static_cast<int>(pos - start);
    if (parts.digits[k] == 0) return std::nullopt;
  }
  if (pos != text.size()) return std::nullopt;
  return parts;
}

// A date written day and month in either order, with a four-digit year at one end.
bool year_first(const DateParts& p) {
  return p.digits[0] == 4;
}

struct DateTimeText {
  std::string_view date;
  std::string_view time;
};

DateTimeText split_date_time(std::string_view text) {
  text = trim(text);
  const std::size_t cut = text.find_first_of(" T");
  if (cut == std::string_view::npos) return {text, {}};
  return {text.substr(0, cut), trim(text.substr(cut + 1))};
}

std::optional<int> read_time(std::string_view text) {
  text = trim(text);
  int add = 0;
  const std::string tail = lower(text.substr(text.size() >= 2 ? text.size() - 2 : 0));
  const bool twelve_hour = tail == "am" || tail == "pm";
  if (twelve_hour) {
    add = tail == "pm" ? 12 : 0;
    text = trim(text.substr(0, text.size() - 2));
  }
  int hour = 0, minute = 0, second = 0;
  const char* end = text.data() + text.size();
  auto [p1, e1] = std::from_chars(text.data(), end, hour);
  if (e1 != std::errc() || p1 == end || *p1 != ':' || p1 - text.data() > 2) return std::nullopt;
  auto [p2, e2] = std::from_chars(p1 + 1, end, minute);
  if (e2 != std::errc() || p2 - p1 != 3) return std::nullopt;
  if (p2 != end) {
    auto [p3, e3] = std::from_chars(p2 + 1, end, second);
    if (*p2 != ':' || e3 != std::errc() || p3 != end || p3 - p2 != 3 || second > 59) {
      return std::nullopt;
    }
  }
  if (twelve_hour) {
    if (hour < 1 || hour > 12) return std::nullopt;
    hour = hour % 12 + add;
  }
  if (hour > 23 || minute > 59) return std::nullopt;
  return hour * 60 + minute;
}

// ---- Levels ----

std::optional<double> read_number(std::string_view text) {
  text = trim(text);
  std::string plain;
  bool digits = false, point = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if ((c == '.' || c == ',') && !point) {
      point = true;
    } else if (!(c == '-' && i == 0)) {
      return std::nullopt;
    }
    plain.push_back(c == ',' ? '.' : c);
  }
  if (!digits) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec == std::errc::result_out_of_range) return HUGE_VAL;
  if (ec != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

// ---- Reading the rows ----

class RowReader {
 public:
  RowReader(const Columns& columns, const ImportSettings& settings, bool day_first,
            ParsedImport& out)
      : c_(columns), settings_(settings), day_first_(day_first), out_(out) {
    now_ = static_cast<std::int64_t>(std::floor(settings.now * 1440 + 1e-6));
  }

  void read(const CsvRow& row) {
    int level_column = c_.level;
    if (c_.kind == FileKind::kSensorExport) {
      if (!sensor_level_column(row, level_column)) return;
    }
    const int needed = std::max({c_.date, c_.time, c_.date_time, level_column, c_.unit});
    if (static_cast<int>(row.fields.size()) <= needed) return refuse(row, text::kMissingFields, {});
    const auto f = [&](int column) {
      return column == kNone ? std::string_view{} : std::string_view(row.fields[column]);
    };
    const DateTimeText when = c_.date_time != kNone ? split_date_time(f(c_.date_time))
                                                    : DateTimeText{trim(f(c_.date)), f(c_.time)};
    std::optional<platform::Serial> day;
    if (!read_day(row, when.date, day)) return;
    const auto minute_of_day = read_time(when.time);
    if (!minute_of_day) return refuse(row, text::kBadTime, when.time);
    const std::int64_t moment = minute_of(*day, *minute_of_day);
    if (moment > now_)
      return refuse(row, text::kFutureDate, f(c_.date_time != kNone ? c_.date_time : c_.date));

    std::optional<int> unit = c_.level_unit ? c_.level_unit : settings_.file_unit;
    if (c_.unit != kNone) {
      unit = unit_named(f(c_.unit));
      if (!unit) return refuse(row, text::kBadUnit, f(c_.unit));
    }
    const auto value = read_number(f(level_column));
    if (!value) return refuse(row, text::kNotANumber, f(level_column));
    const double level = convert_level(*value, *unit, settings_.unite);
    const UnitInfo& info = unit_info(settings_.unite);
    const double rounded = std::isfinite(level)
                               ? read_level(format_level(level, info.picture, "."), settings_.unite)
                               : level;
    if (!(rounded > 0) || rounded > info.maximum) {
      return refuse(row, text::kLevelRange, f(level_column), true);
    }
    Reading reading{moment, format_level(level, info.picture, settings_.sep_decimal),
                    std::string(c_.note == kNone || c_.note >= static_cast<int>(row.fields.size())
                                    ? std::string_view{}
                                    : f(c_.note)),
                    row.line};
    out_.readings.push_back(std::move(reading));
  }

 private:
  // The level column of a sensor row by its record type; false for rows that are no glucose
  // reading (insulin, food, notes) or are history left out.
  bool sensor_level_column(const CsvRow& row, int& column) {
    if (static_cast<int>(row.fields.size()) <= c_.record_type) return false;
    const std::string_view type = trim(row.fields[c_.record_type]);
    if (type == "0") {
      out_.has_history = true;
      if (!settings_.include_history) {
        ++out_.history_skipped;
        return false;
      }
      column = c_.history;
    } else if (type == "1") {
      column = c_.scan;
    } else if (type == "2") {
      column = c_.strip;
    } else {
      return false;
    }
    return column != kNone;
  }

  bool read_day(const CsvRow& row, std::string_view text, std::optional<platform::Serial>& day) {
    const auto parts = split_date(text);
    if (!parts) {
      refuse(row, text::kBadDate, text);
      return false;
    }
    int y = 0, m = 0, d = 0;
    if (year_first(*parts)) {
      y = parts->value[0], m = parts->value[1], d = parts->value[2];
    } else if (parts->digits[2] == 4) {
      y = parts->value[2];
      m = parts->value[day_first_ ? 1 : 0];
      d = parts->value[day_first_ ? 0 : 1];
    } else if (parts->digits[2] <= 2) {
      refuse(row, text::kTwoDigitYear, text);
      return false;
    } else {
      refuse(row, text::kBadDate, text);
      return false;
    }
    const platform::Serial serial = platform::date_serial(y, m, d);
    const platform::Ymd back = platform::ymd_of(serial);
    if (y < 1900 || back.year != y || back.month != m || back.day != d) {
      refuse(row, text::kImpossibleDate, text);
      return false;
    }
    day = serial;
    return true;
  }

  void refuse(const CsvRow& row, const Bilingual& reason, std::string_view value,
              bool with_maximum = false) {
    std::string text(reason.in(settings_.langue));
    if (with_maximum) {
      const UnitInfo& info = unit_info(settings_.unite);
      text += std::to_string(info.maximum) + " " + std::string(info.name) + ")";
    }
    if (!value.empty()) {
      text += ": \"" + std::string(value.substr(0, kQuotedValueMax)) + "\"";
    }
    out_.refused.push_back({row.line, std::move(text)});
  }

  const Columns& c_;
  const ImportSettings& settings_;
  bool day_first_;
  ParsedImport& out_;
  std::int64_t now_ = 0;
};

// Day-month or month-day: a first number above 12 says day first, a second one month first.
std::optional<bool> day_order_of(const std::vector<CsvRow>& rows, std::size_t first,
                                 const Columns& c) {
  bool day_first = false, month_first = false;
  const int column = c.date_time != kNone ? c.date_time : c.date;
  for (std::size_t i = first; i < rows.size(); ++i) {
    if (static_cast<int>(rows[i].fields.size()) <= column) continue;
    const auto parts = split_date(split_date_time(rows[i].fields[column]).date);
    if (!parts || year_first(*parts)) continue;
    if (parts->value[0] > 12) day_first = true;
    if (parts->value[1] > 12) month_first = true;
  }
  if (day_first != month_first) return day_first;
  return std::nullopt;
}

std::optional<Refusal> text_problem(std::string_view text, std::int16_t langue) {
  int line = 1;
  for (const char c : text) {
    if (c == '\n') ++line;
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\n' && c != '\r' && c != '\t') {
      return Refusal{line, std::string(text::kBinaryFile.in(langue))};
    }
  }
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    return Refusal{1, std::string(text::kEmptyFile.in(langue))};
  }
  return std::nullopt;
}

}  // namespace

double convert_level(double value, int from_unit, int to_unit) {
  constexpr double kMgPerMmol = 18.016;
  constexpr double kMgPerGram = 100.0;
  const auto to_mg = [&](int unit) {
    return unit == kMmolL ? kMgPerMmol : unit == kGL ? kMgPerGram : 1.0;
  };
  if (from_unit == to_unit) return value;
  return value * to_mg(from_unit) / to_mg(to_unit);
}

ParsedImport read_import(std::string_view bytes, const ImportSettings& settings) {
  ParsedImport out;
  const std::string text = platform::text_from_file_bytes(bytes);
  if ((out.error = text_problem(text, settings.langue))) return out;
  const CsvTable csv = read_csv(text);
  if (csv.problem) {
    out.error = Refusal{csv.problem->line, std::string(csv.problem->reason.in(settings.langue))};
    return out;
  }
  std::size_t header = 0;
  Columns columns;
  for (; header < std::min(csv.rows.size(), kHeaderSearchRows); ++header) {
    columns = columns_of(csv.rows[header].fields);
    if (columns.usable()) break;
  }
  if (!columns.usable()) {
    const int line = csv.rows.empty() ? 1 : csv.rows.front().line;
    out.error = Refusal{line, std::string(text::kUnknownColumns.in(settings.langue))};
    return out;
  }
  out.kind = columns.kind;
  if (!columns.level_unit && columns.unit == kNone && !settings.file_unit) {
    out.ask_unit = true;
    return out;
  }
  std::optional<bool> day_first = day_order_of(csv.rows, header + 1, columns);
  if (!day_first) day_first = settings.day_first ? settings.day_first : settings.locale_day_first;
  if (!day_first) {
    out.ask_day_order = true;
    return out;
  }
  RowReader reader(columns, settings, *day_first, out);
  for (std::size_t i = header + 1; i < csv.rows.size(); ++i) reader.read(csv.rows[i]);
  return out;
}

ImportPlan plan_import(const TestTable& table, const ParsedImport& parsed, int unite,
                       std::string_view sep_decimal, int this_year) {
  ImportPlan plan;
  plan.refused = parsed.refused;
  plan.history_skipped = parsed.history_skipped;
  plan.entries = entries_of(table, this_year);
  const auto key = [&](std::int64_t minute, std::string_view level) {
    return std::to_string(minute) + '|' + level_key(level, unite, sep_decimal);
  };
  std::unordered_set<std::string> seen;
  for (const Entry& e : plan.entries) {
    if (e.minute) seen.insert(key(*e.minute, e.level));
  }
  std::vector<const Reading*> fresh;
  for (const Reading& r : parsed.readings) {
    if (seen.insert(key(r.minute, r.level)).second) {
      fresh.push_back(&r);
    } else {
      ++plan.duplicates;
    }
  }
  std::stable_sort(fresh.begin(), fresh.end(),
                   [](const Reading* a, const Reading* b) { return a->minute > b->minute; });
  const std::size_t room = static_cast<std::size_t>(
      std::max(0, TestTable::kCapacity - static_cast<int>(plan.entries.size())));
  if (fresh.size() > room) {
    plan.left_out = static_cast<int>(fresh.size() - room);
    fresh.resize(room);
  }
  plan.added = static_cast<int>(fresh.size());
  for (const Reading* r : fresh) {
    plan.entries.push_back(
        {entry_date(r->minute), entry_time(r->minute), r->level, r->note, r->minute});
  }
  sort_newest_first(plan.entries);
  return plan;
}

std::string import_summary(const ImportPlan& plan, std::int16_t langue) {
  std::string s;
  s.append(text::kSummaryAdded.in(langue)).append(std::to_string(plan.added)).push_back('\n');
  s.append(text::kSummaryDuplicates.in(langue))
      .append(std::to_string(plan.duplicates))
      .push_back('\n');
  if (!plan.refused.empty()) {
    s.append(text::kSummaryRefused.in(langue))
        .append(std::to_string(plan.refused.size()))
        .push_back('\n');
    for (std::size_t i = 0; i < std::min(plan.refused.size(), kShownRefusals); ++i) {
      s.append("  ").append(text::kLine.in(langue)).append(std::to_string(plan.refused[i].line));
      s.append(": ").append(plan.refused[i].reason).push_back('\n');
    }
    if (plan.refused.size() > kShownRefusals) {
      s.append("  ").append(text::kSummaryMore.in(langue));
      s.append(std::to_string(plan.refused.size() - kShownRefusals));
      s.append(text::kSummaryOthers.in(langue)).push_back('\n');
    }
  }
  if (plan.left_out > 0) {
    s.append(text::kSummaryLeftOut.in(langue))
        .append(std::to_string(plan.left_out))
        .push_back('\n');
  }
  if (plan.history_skipped > 0) {
    s.append(text::kSummaryHistory.in(langue))
        .append(std::to_string(plan.history_skipped))
        .push_back('\n');
  }
  return s;
}

}  // namespace sugarlog::exchange
