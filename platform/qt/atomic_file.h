#pragma once
// Writing a whole file so that it is either all there or not changed at all.
#include <QByteArray>
#include <QString>

namespace platform_qt {

// Writes data to a temporary file beside path and renames it over path. False, with path left
// as it was, on any failure, a short write included: QSaveFile in Qt 6.4 does not notice a
// write cut short by a full disk or a file size limit, and would commit the truncated file.
bool write_file_atomically(const QString& path, const QByteArray& data);

}  // namespace platform_qt
