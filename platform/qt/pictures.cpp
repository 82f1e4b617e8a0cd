#include "platform/qt/pictures.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <tuple>

namespace platform_qt {
namespace {

bool is_svg(const QString& path) {
  return path.endsWith(u".svg", Qt::CaseInsensitive);
}

// A disabled or selected button shows its icon the way the style draws such icons.
QPixmap in_mode(QIcon::Mode mode, const QPixmap& normal) {
  if (mode == QIcon::Normal || normal.isNull() || !qobject_cast<QApplication*>(qApp)) {
    return normal;
  }
  QStyleOption option;
  option.palette = QApplication::palette();
  return QApplication::style()->generatedIconPixmap(mode, normal, &option);
}

// What read makes of an SVG text through Qt's image plugin for SVG.
template <typename Read>
auto read_svg(const QByteArray& text, Read read) {
  QBuffer buffer;
  buffer.setData(text);
  QImageReader reader(&buffer, "svg");
  return read(reader);
}

class SvgIconEngine : public QIconEngine {
 public:
  SvgIconEngine(std::shared_ptr<SvgPicture> picture, QList<QSize> sizes)
      : picture_(std::move(picture)), sizes_(std::move(sizes)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    QPixmap& drawn = drawn_[{size.width(), size.height(), mode}];
    if (drawn.isNull()) drawn = in_mode(mode, picture_->draw(size));
    return drawn;
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return sizes_; }
  bool isNull() override { return !picture_->valid(); }
  QIconEngine* clone() const override { return new SvgIconEngine(picture_, sizes_); }
  QString key() const override { return QStringLiteral("platform_qt_svg"); }

 private:
  std::shared_ptr<SvgPicture> picture_;
  QList<QSize> sizes_;
  std::map<std::tuple<int, int, QIcon::Mode>, QPixmap> drawn_;
};

}  // namespace

SvgPicture::SvgPicture(QString path) : path_(std::move(path)) {}

const QByteArray& SvgPicture::text() {
  if (!text_) {
    QFile file(path_);
    text_ = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  return *text_;
}

bool SvgPicture::valid() {
  return natural_size().isValid();
}

QSize SvgPicture::natural_size() {
  if (!natural_size_) {
    natural_size_ = read_svg(text(), [](QImageReader& reader) { return reader.size(); });
  }
  return *natural_size_;
}

QPixmap SvgPicture::draw(QSize size) {
  if (size.isEmpty() || !valid()) return {};
  return read_svg(text(), [size](QImageReader& reader) {
    reader.setScaledSize(size);
    return QPixmap::fromImage(reader.read());
  });
}

QIcon svg_icon(std::shared_ptr<SvgPicture> picture, QList<QSize> sizes) {
  return QIcon(new SvgIconEngine(std::move(picture), std::move(sizes)));
}

void PictureRegistry::add(std::string name, QString path) {
  raster_cache_.erase(name);
  svg_cache_.erase(name);
  paths_[std::move(name)] = std::move(path);
}

const QPixmap* PictureRegistry::raster(const std::string& name) const {
  auto cached = raster_cache_.find(name);
  if (cached == raster_cache_.end()) {
    cached = raster_cache_.emplace(name, QPixmap(paths_.at(name))).first;
  }
  return cached->second.isNull() ? nullptr : &cached->second;
}

const std::shared_ptr<SvgPicture>& PictureRegistry::svg(const std::string& name) const {
  auto cached = svg_cache_.find(name);
  if (cached == svg_cache_.end()) {
    cached = svg_cache_.emplace(name, std::make_shared<SvgPicture>(paths_.at(name))).first;
  }
  return cached->second;
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
  QPixmap drawn = svg(name)->draw(size * device_pixel_ratio);
  drawn.setDevicePixelRatio(device_pixel_ratio);
  return drawn;
}

QSize PictureRegistry::natural_size(const std::string& name) const {
  const auto path = paths_.find(name);
  if (path == paths_.end()) return {};
  if (is_svg(path->second)) return svg(name)->natural_size();
  const QPixmap* own = raster(name);
  return own ? own->size() : QSize();
}

QIcon PictureRegistry::icon(const std::string& name) const {
  const auto path = paths_.find(name);
  if (path == paths_.end()) return {};
  if (!is_svg(path->second)) return QIcon(path->second);
  return svg_icon(svg(name));
}

}  // namespace platform_qt
