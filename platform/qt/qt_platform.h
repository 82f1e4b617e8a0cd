#pragma once
// Every desktop service on Qt together with the renderer, as the programs' main() wires them:
//
//   QApplication app(argc, argv);
//   platform_qt::QtPlatform qt(modules_folder);
//   MyWindow window(qt.platform());
//   qt.renderer().show(window.form());
//   return app.exec();
#include <memory>

#include "platform/core/services.h"
#include "platform/qt/qt_online.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/renderer.h"

namespace platform_qt {

class QtPlatform {
 public:
  // Needs a QApplication to exist; settings go to the user's configuration folder.
  // modules_folder: where the program's modules lie (modules.h).
  explicit QtPlatform(const QString& modules_folder);
  ~QtPlatform();
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  platform::Platform platform();
  Renderer& renderer() { return renderer_; }

  QtDialogs& dialogs() { return dialogs_; }
  IniSettingsStore& settings() { return settings_; }
  QtPrinter& printer() { return printer_; }
  const QString& modules_folder() const { return modules_folder_; }
  QtProgramControl& program() { return program_; }
  // The connection check's probe for the windows made from now on (tests never ping outside).
  void use_probe(platform::ReachabilityProbe& probe) { probe_in_use_ = &probe; }
  // Downloads for the windows made from now on (a ModuleHttpClient, say); until then every
  // download fails.
  void use_http(std::unique_ptr<platform::HttpClient> http) { http_ = std::move(http); }

 private:
  QString modules_folder_;
  QtProgramControl program_;
  Renderer renderer_;
  QtPrinter printer_;
  QtDialogs dialogs_;
  QtClock clock_;
  QtLocale locale_;
  IniSettingsStore settings_;
  QtShell shell_;
  QtSurfaceFactory surfaces_;
  QtPingProbe probe_;
  platform::ReachabilityProbe* probe_in_use_ = &probe_;
  std::unique_ptr<platform::HttpClient> http_;
  QtWebBrowser browser_;
};

}  // namespace platform_qt
