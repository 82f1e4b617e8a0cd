#include "platform/qt/modules.h"

#include <QCoreApplication>
#include <QLibrary>
#include <cstdio>

namespace platform_qt {

QFunctionPointer load_module_entry(const QString& path, const char* entry, const char* what) {
  QLibrary module(path);
  const QFunctionPointer found = module.resolve(entry);
  if (!found) {
    std::fprintf(stderr, "%s: %s unavailable: %s\n",
                 qUtf8Printable(QCoreApplication::applicationName()), what,
                 qUtf8Printable(module.errorString()));
  }
  return found;
}

}  // namespace platform_qt
