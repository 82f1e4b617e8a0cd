#pragma once
// What a program says on the command line before it opens a window. The programs take no
// arguments of their own; they answer --help and --version the way command-line tools do, and
// refuse anything else rather than start as if nothing had been asked.
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProgramIdentity {
  std::string_view command;  // the executable's name: "sugarlog"
  std::string_view title;    // the name people know it by: "Sugarlog"
  std::string_view summary;  // one line on what it does, for --help
  // The help's lines for the program's own options, if it has any.
  std::string_view options = {};
};

// The arguments after the program's own name. --help (-h) prints the usage and --version (-v)
// the program's name and version on out; either gives exit status 0 and the program stops
// there. Anything else is left alone (nullopt): the window system may still take it.
std::optional<int> answer_command_line(const std::vector<std::string>& arguments,
                                       const ProgramIdentity& program, std::ostream& out);

// The arguments the window system did not take: the first one is reported on err with a hint
// at --help, exit status 2; nullopt when none is left.
std::optional<int> refuse_arguments(const std::vector<std::string>& arguments,
                                    const ProgramIdentity& program, std::ostream& err);

// The options of a mode that runs without a window (sugarlog --export FILE --from DAY ...):
// named values ("--from 2026-01-01" or "--from=2026-01-01") and bare flags, in any order.
struct CommandOptions {
  std::map<std::string, std::string, std::less<>> values;
  std::set<std::string, std::less<>> flags;

  bool has(std::string_view flag) const { return flags.count(flag) > 0; }
  std::optional<std::string> value(std::string_view name) const;
};

// Reads every argument as one of the named options; an unknown one, a value option without its
// value, or one given twice is refused with a message in error (nullopt).
std::optional<CommandOptions> read_options(const std::vector<std::string>& arguments,
                                           const std::vector<std::string_view>& with_value,
                                           const std::vector<std::string_view>& flags,
                                           std::string& error);

// argv[1] .. argv[argc - 1].
std::vector<std::string> arguments_of(int argc, const char* const* argv);

}  // namespace platform
