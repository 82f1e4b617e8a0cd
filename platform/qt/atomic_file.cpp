#include "platform/qt/atomic_file.h"

#include <QSaveFile>

namespace platform_qt {

bool write_file_atomically(const QString& path, const QByteArray& data) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  // The size on disk is the only trustworthy sign that every byte arrived.
  if (file.write(data) != data.size() || !file.flush() || file.size() != data.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace platform_qt
