#pragma once
// A program's modules: parts it loads when first needed (downloads, printing), so that it neither
// links nor loads at start the libraries they bring. They lie in a folder of their own,
// <libdir>/<program>, found from the program's folder (see add_program in the build).
#include <QFunctionPointer>
#include <QString>

namespace platform_qt {

// The modules' files, as the build names them.
inline constexpr const char* kDownloadsModule = "downloads.so";
inline constexpr const char* kPrintingModule = "printing.so";

// The named entry point of the module at path. When the module cannot be loaded: nullptr, and one
// line on standard error saying that `what` is unavailable and why. A module stays loaded to the
// end of the run: what it made may outlive every caller, and its libraries keep threads and
// storage of their own.
QFunctionPointer load_module_entry(const QString& path, const char* entry, const char* what);

}  // namespace platform_qt
