#include "platform/qt/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace platform_qt {
namespace {

bool is_svg(const QString& path) {
  return path.endsWith(u".svg", Qt::CaseInsensitive);
}

}  // namespace

void PictureRegistry::add(std::string name, QString path) {
  raster_cache_.erase(name);
  paths_[std::move(name)] = std::move(path);
}

const QPixmap* PictureRegistry::raster(const std::string& name) const {
  auto cached = raster_cache_.find(name);
  if (cached == raster_cache_.end()) {
    cached = raster_cache_.emplace(name, QPixmap(paths_.at(name))).first;
  }
  return cached->second.isNull() ? nullptr : &cached->second;
}

QPixmap PictureRegistry::pixmap(const std::string& name, QSize size,
                                double device_pixel_ratio) const {
  const auto path = paths_.find(name);
  if (path == paths_.end() || size.isEmpty()) return {};
  if (!is_svg(path->second)) {
    const QPixmap* own = raster(name);
    if (!own) return {};
    QPixmap scaled =
        own->scaled(size * device_pixel_ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(device_pixel_ratio);
    return scaled;
  }
  QSvgRenderer svg(path->second);
  if (!svg.isValid()) return {};
  QPixmap drawn(size * device_pixel_ratio);
  drawn.fill(Qt::transparent);
  {
    QPainter painter(&drawn);
    svg.render(&painter);
  }
  drawn.setDevicePixelRatio(device_pixel_ratio);
  return drawn;
}

QSize PictureRegistry::natural_size(const std::string& name) const {
  const auto path = paths_.find(name);
  if (path == paths_.end()) return {};
  if (is_svg(path->second)) return QSvgRenderer(path->second).defaultSize();
  const QPixmap* own = raster(name);
  return own ? own->size() : QSize();
}

QIcon PictureRegistry::icon(const std::string& name) const {
  const auto path = paths_.find(name);
  if (path == paths_.end()) return {};
  if (!is_svg(path->second)) return QIcon(path->second);
  QIcon icon;
  for (int side : {16, 24, 32, 48}) icon.addPixmap(pixmap(name, QSize(side, side)));
  return icon;
}

}  // namespace platform_qt
