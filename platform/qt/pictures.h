#pragma once
// The pictures forms show by name (Image controls, toolbar buttons), from Qt resources or files.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <map>
#include <string>

namespace platform_qt {

class PictureRegistry {
 public:
  void add(std::string name, QString path);
  bool has(const std::string& name) const { return paths_.count(name) != 0; }
  // The picture at the given size in device-independent pixels (drawn for the given pixel
  // ratio); a null pixmap for an unknown name.
  QPixmap pixmap(const std::string& name, QSize size, double device_pixel_ratio = 1.0) const;
  // Its own size (SVG: the size it declares).
  QSize natural_size(const std::string& name) const;
  QIcon icon(const std::string& name) const;

 private:
  std::map<std::string, QString> paths_;
  mutable std::map<std::string, QPixmap> raster_cache_;
  const QPixmap* raster(const std::string& name) const;
};

}  // namespace platform_qt
