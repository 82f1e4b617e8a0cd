#include "platform/qt/text.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>

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

std::string to_latin1(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) out.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
  return out;
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

// Only valid UTF-8 with characters beyond ASCII counts differently in bytes and in characters.
bool counts_differ(const std::string& text) {
  const bool plain = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return !plain && to_qstring(text) != QString::fromLatin1(text.data(), qsizetype(text.size()));
}
}  // namespace

QDate date_of_serial(double serial) {
  return kSerialEpoch.addDays(static_cast<qint64>(std::floor(serial)));
}

double serial_of_date(QDate date) {
  return static_cast<double>(kSerialEpoch.daysTo(date));
}

int widget_index(const std::string& model_text, int byte_index) {
  byte_index = std::clamp(byte_index, 0, static_cast<int>(model_text.size()));
  if (!counts_differ(model_text)) return byte_index;
  return static_cast<int>(QString::fromUtf8(model_text.data(), byte_index).size());
}

int model_index(const std::string& model_text, int widget_index) {
  const QString text = to_qstring(model_text);
  widget_index = std::clamp(widget_index, 0, static_cast<int>(text.size()));
  if (!counts_differ(model_text)) return widget_index;
  return static_cast<int>(text.left(widget_index).toUtf8().size());
}

}  // namespace platform_qt
