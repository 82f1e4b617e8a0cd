#include "platform/qt/text.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

#include "platform/core/utf8.h"

namespace platform_qt {

QString to_qstring(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string to_utf8(const QString& text) {
  return text.toStdString();
}

std::filesystem::path to_path(const QString& file_name) {
  return QFile::encodeName(file_name).toStdString();
}

std::string_view bytes_of(const QByteArray& bytes) {
  return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

QString without_mnemonic(std::string_view caption) {
  const QString text = to_qstring(caption);
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&x" shows x, "&&" shows &
    out.append(text[i]);
  }
  return out;
}

QColor to_qcolor(platform::Colour colour) {
  const platform::Colour c = platform::resolve_colour(colour);
  return QColor(platform::red_of(c), platform::green_of(c), platform::blue_of(c));
}

platform::Colour from_qcolor(const QColor& colour) {
  return platform::rgb(colour.red(), colour.green(), colour.blue());
}

namespace {
const QDate kSerialEpoch(1899, 12, 30);
}  // namespace

QDate date_of_serial(double serial) {
  return kSerialEpoch.addDays(static_cast<qint64>(std::floor(serial)));
}

double serial_of_date(QDate date) {
  return static_cast<double>(kSerialEpoch.daysTo(date));
}

int widget_index(const std::string& model_text, int char_index) {
  const auto chars = static_cast<std::size_t>(std::max(0, char_index));
  return static_cast<int>(to_qstring(platform::utf8_prefix(model_text, chars)).size());
}

int model_index(const std::string& model_text, int widget_index) {
  const QString text = to_qstring(model_text);
  widget_index = std::clamp(widget_index, 0, static_cast<int>(text.size()));
  // A caret never sits inside a surrogate pair; count the pair's character once.
  return static_cast<int>(text.left(widget_index).toUcs4().size());
}

}  // namespace platform_qt
