#pragma once
// Texts between the form model (std::string, UTF-8) and Qt. A text that is not valid UTF-8 can
// only be a stray byte string; it is shown as Latin-1 rather than dropped.
#include <QByteArray>
#include <QColor>
#include <QDate>
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/core/colour.h"

namespace platform_qt {

QString to_qstring(std::string_view text);
std::string to_utf8(const QString& text);

// A file name in the system's own encoding, for the std file functions.
std::filesystem::path to_path(const QString& file_name);
// The bytes of a byte array, without a copy; valid while the array is unchanged.
std::string_view bytes_of(const QByteArray& bytes);

// A caption with '&' marking a mnemonic and "&&" a literal ampersand, shown as plain text.
QString without_mnemonic(std::string_view caption);

// A model colour (system codes resolved) as a Qt colour, and back.
QColor to_qcolor(platform::Colour colour);
platform::Colour from_qcolor(const QColor& colour);

// Whole-day serials (day 0 is 30 December 1899) and dates.
QDate date_of_serial(double serial);
double serial_of_date(QDate date);

// Caret and selection positions: the model counts characters, Qt counts UTF-16 units.
int widget_index(const std::string& model_text, int char_index);
int model_index(const std::string& model_text, int widget_index);

}  // namespace platform_qt
