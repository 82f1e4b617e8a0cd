#include "platform/qt/ini_format.h"

#include <algorithm>
#include <cctype>

#include "platform/core/text_util.h"

namespace platform_qt {
namespace {

char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

using platform::is_blank;

// Blanks, and the carriage return of a line written on another system.
constexpr std::string_view kLineBlanks = " \t\r";

bool needs_quotes(std::string_view text, bool is_key) {
  if (text.empty()) return is_key;
  if (is_blank(text.front()) || is_blank(text.back()) || text.front() == '"') return true;
  if (is_key && (text.front() == '[' || text.front() == ';' || text.front() == '#')) return true;
  return std::any_of(text.begin(), text.end(), [is_key](char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || (is_key && c == '=');
  });
}

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

std::string written(std::string_view text, bool is_key) {
  return needs_quotes(text, is_key) ? quoted(text) : std::string(text);
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

// "key=value" or a quoted key or value; false for anything else.
bool read_entry(std::string_view line, std::string& key, std::string& value) {
  if (line.front() == '"') {
    if (!read_quoted(line, key)) return false;
    line = platform::trimmed(line, kLineBlanks);
    if (line.empty() || line.front() != '=') return false;
  } else {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = std::string(platform::trimmed(line.substr(0, equals), kLineBlanks));
    line = line.substr(equals);
  }
  line = platform::trimmed(line.substr(1), kLineBlanks);
  if (!line.empty() && line.front() == '"') return read_quoted(line, value);
  value = std::string(line);
  return !key.empty();
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
    const auto end = text.find('\n');
    const std::string_view line = platform::trimmed(text.substr(0, end), kLineBlanks);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const auto close = line.rfind(']');
      if (close != std::string_view::npos && close > 0) {
        section = &sections[std::string(platform::trimmed(line.substr(1, close - 1), kLineBlanks))];
      }
      continue;
    }
    std::string key, value;
    if (read_entry(line, key, value)) (*section)[key] = std::move(value);
  }
  if (sections[""].empty()) sections.erase("");
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

}  // namespace platform_qt
