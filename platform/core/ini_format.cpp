#include "platform/core/ini_format.h"

#include <algorithm>
#include <cctype>

#include "platform/core/text_encoding.h"
#include "platform/core/text_util.h"

namespace platform {
namespace {

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Blanks around keys, values and section names.
constexpr std::string_view kLineBlanks = " \t";

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out + '"';
}

// Reads a quoted text at the start of `text` and moves past it; nothing when unterminated.
bool read_quoted(std::string_view& text, std::string& out) {
  out.clear();
  for (std::size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      text.remove_prefix(i + 1);
      return true;
    }
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
      c = c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    out += c;
  }
  return false;
}

// A value read back whole from quotes. Any other value that starts with one is read as written,
// and so is written as it is: a name typed by hand as "Bob stays "Bob in the file.
bool reads_as_quoted(std::string_view text) {
  std::string unquoted;
  return read_quoted(text, unquoted) && text.empty();
}

bool needs_quotes(std::string_view text, bool is_key) {
  if (text.empty()) return is_key;
  if (is_blank(text.front()) || is_blank(text.back())) return true;
  if (text.front() == '"' && (is_key || reads_as_quoted(text))) return true;
  if (is_key && (text.front() == '[' || text.front() == ';' || text.front() == '#')) return true;
  // A byte-order mark at the start of the file is not part of what follows it.
  if (is_key && text.starts_with("\xEF\xBB\xBF")) return true;
  return std::any_of(text.begin(), text.end(), [is_key](char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || (is_key && c == '=');
  });
}

std::string written(std::string_view text, bool is_key) {
  return needs_quotes(text, is_key) ? quoted(text) : std::string(text);
}

// "key=value" or a quoted key or value; false for anything else.
bool read_entry(std::string_view line, std::string& key, std::string& value) {
  if (line.front() == '"') {
    if (!read_quoted(line, key)) return false;
    line = trimmed(line, kLineBlanks);
    if (line.empty() || line.front() != '=') return false;
  } else {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = std::string(trimmed(line.substr(0, equals), kLineBlanks));
    line = line.substr(equals);
  }
  line = trimmed(line.substr(1), kLineBlanks);
  // A value is read as quoted only when the quotes hold all of it. One typed by hand with a
  // quote of its own ("Bob, or "Ann" Smith) is kept as written, never dropped or cut short.
  std::string_view rest = line;
  if (line.empty() || line.front() != '"' || !read_quoted(rest, value) || !rest.empty()) {
    value = std::string(line);
  }
  return !key.empty();  // a value without a name is junk, however it is written
}

}  // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return lower(x) < lower(y); });
}

IniSections parse_ini(std::string_view text) {
  IniSections sections;
  IniSection* section = &sections[""];
  while (!text.empty()) {
    const auto end = text.find_first_of("\r\n");
    const std::string_view line = trimmed(text.substr(0, end), kLineBlanks);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n')
      ++next;
    text.remove_prefix(next);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        section = &sections[std::string(trimmed(line.substr(1, close - 1), kLineBlanks))];
      }
      continue;
    }
    std::string key, value;
    if (read_entry(line, key, value)) (*section)[key] = std::move(value);
  }
  // A section without values holds nothing to keep.
  std::erase_if(sections, [](const auto& section) { return section.second.empty(); });
  return sections;
}

std::string format_ini(const IniSections& sections) {
  std::string out;
  for (const auto& [name, entries] : sections) {
    if (entries.empty()) continue;
    if (!out.empty()) out += '\n';
    if (!name.empty()) out += '[' + name + "]\n";
    for (const auto& [key, value] : entries)
      out += written(key, true) + '=' + written(value, false) + '\n';
  }
  return out;
}

}  // namespace platform

namespace platform {

void IniFile::load(std::string_view file_bytes) {
  seen_ = parse_ini(text_from_file_bytes(file_bytes));
  changes_.clear();
}

const std::string* IniFile::find(std::string_view section, std::string_view key) const {
  const auto entries = seen_.find(section);
  if (entries == seen_.end()) return nullptr;
  const auto value = entries->second.find(key);
  return value == entries->second.end() ? nullptr : &value->second;
}

void IniFile::set(const std::string& section, const std::string& key, const std::string& value) {
  const std::string* now = find(section, key);
  if (now && *now == value) return;
  seen_[section][key] = value;
  changes_[section][key] = value;
}

void IniFile::refresh(std::string_view current_file_bytes) {
  seen_ = parse_ini(text_from_file_bytes(current_file_bytes));
  for (const auto& [section, entries] : changes_) {
    for (const auto& [key, value] : entries) seen_[section][key] = value;
  }
}

std::string IniFile::merged_over(std::string_view current_file_bytes) {
  refresh(current_file_bytes);
  return format_ini(seen_);
}

}  // namespace platform
