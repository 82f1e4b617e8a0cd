#pragma once
// The program's name as its windows and messages show it.

namespace pulsewise {

inline constexpr const char* kProgramTitle = "Pulsewise";

}  // namespace pulsewise
