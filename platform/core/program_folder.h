#pragma once
// The folder of the running program: where a program keeps its data file and the files that go
// with it. Every file of that kind is placed through program_folder(), so the rule lives here.
#include <filesystem>
#include <string_view>

namespace platform {

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share; empty when neither is set.
std::filesystem::path user_data_folder();

// $XDG_DATA_HOME/<program>/ (normally ~/.local/share/<program>/), created when missing; except for
// a portable copy: when something named data_file_name already lies beside the executable, the
// executable's folder is used where it lies, writable or not (a failed save there is reported as
// any failed save). So a program run from its build folder never keeps the user's data there.
// Without any data folder from the environment, the executable's folder serves.
std::filesystem::path program_folder(std::string_view program,
                                     const std::filesystem::path& executable_folder,
                                     std::string_view data_file_name);

}  // namespace platform
