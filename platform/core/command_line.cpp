#include "platform/core/command_line.h"

#include <algorithm>

#include "platform/core/version.h"

namespace platform {

std::vector<std::string> arguments_of(int argc, const char* const* argv) {
  std::vector<std::string> out;
  for (int i = 1; i < argc && argv[i]; ++i) out.emplace_back(argv[i]);
  return out;
}

std::optional<int> answer_command_line(const std::vector<std::string>& arguments,
                                       const ProgramIdentity& program, std::ostream& out) {
  for (const std::string& argument : arguments) {
    if (argument == "--") break;  // what follows is no option
    if (argument == "--version" || argument == "-v") {
      out << program.command << ' ' << kVersion << '\n';
      return 0;
    }
    if (argument == "--help" || argument == "-h") {
      out << "Usage: " << program.command << " [OPTION]\n"
          << program.title << ": " << program.summary << "\n\n"
          << "  -h, --help     show this help and exit\n"
          << "  -v, --version  show the version and exit\n"
          << program.options << "\n"
          << "The options of Qt programs (-platform, -style, -reverse, ...) are accepted too.\n";
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<int> refuse_arguments(const std::vector<std::string>& arguments,
                                    const ProgramIdentity& program, std::ostream& err) {
  auto left = arguments.begin();
  if (left != arguments.end() && *left == "--") ++left;
  if (left == arguments.end()) return std::nullopt;
  const std::string& first = *left;
  if (first.size() > 1 && first.front() == '-' && left == arguments.begin()) {
    err << program.command << ": unknown option '" << first << "'\n";
  } else {
    err << program.command << ": takes no arguments ('" << first << "')\n";
  }
  err << "Try '" << program.command << " --help' for more information.\n";
  return 2;
}

std::optional<std::string> CommandOptions::value(std::string_view name) const {
  const auto found = values.find(name);
  if (found == values.end()) return std::nullopt;
  return found->second;
}

std::optional<CommandOptions> read_options(const std::vector<std::string>& arguments,
                                           const std::vector<std::string_view>& with_value,
                                           const std::vector<std::string_view>& flags,
                                           std::string& error) {
  const auto listed = [](const std::vector<std::string_view>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  CommandOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string name = arguments[i];
    std::optional<std::string> inline_value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string::npos) {
      inline_value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (listed(flags, name) && !inline_value) {
      options.flags.insert(name);
      continue;
    }
    if (!listed(with_value, name)) {
      error = "unknown option '" + arguments[i] + "'";
      return std::nullopt;
    }
    if (!inline_value && i + 1 >= arguments.size()) {
      error = "option '" + name + "' needs a value";
      return std::nullopt;
    }
    if (!options.values.emplace(name, inline_value ? *inline_value : arguments[++i]).second) {
      error = "option '" + name + "' is given twice";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace platform
