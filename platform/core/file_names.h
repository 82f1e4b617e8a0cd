#pragma once
// Rules about file names that the dialogs of every platform share.
#include <string>

namespace platform {

// The path with ".extension" added when its file name has no extension: none after the last '.'
// of the name, so "chart." becomes "chart.BMP". An empty extension leaves the path unchanged.
std::string with_default_extension(const std::string& path, const std::string& extension);

}  // namespace platform
