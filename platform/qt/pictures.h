#pragma once
// The pictures forms show by name (Image controls, toolbar buttons), from Qt resources or files.
// An SVG picture is read once and drawn at a size only when that size is first shown, so a window
// appears before its icons are drawn and never draws sizes nobody looks at. Qt's SVG image plugin
// draws them, so the programs do not link the SVG library themselves.
#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace platform_qt {

// An SVG file or resource, read when first drawn.
class SvgPicture {
 public:
  explicit SvgPicture(QString path);
  bool valid();
  QSize natural_size();
  // The picture at size pixels on a transparent ground; null when it cannot be read.
  QPixmap draw(QSize size);

 private:
  const QByteArray& text();
  QString path_;
  std::optional<QByteArray> text_;
  std::optional<QSize> natural_size_;
};

// An icon drawn from the SVG at each size when first asked; sizes is what it lists as its own
// (window lists pick from them), empty for any size.
QIcon svg_icon(std::shared_ptr<SvgPicture> picture, QList<QSize> sizes = {});

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
  mutable std::map<std::string, std::shared_ptr<SvgPicture>> svg_cache_;
  const QPixmap* raster(const std::string& name) const;
  const std::shared_ptr<SvgPicture>& svg(const std::string& name) const;
};

}  // namespace platform_qt
