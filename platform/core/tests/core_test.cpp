#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/core/colour.h"
#include "platform/core/command_line.h"
#include "platform/core/date.h"
#include "platform/core/number.h"
#include "platform/core/seqfile.h"
#include "platform/core/surface.h"
#include "platform/core/testing/recording_surface.h"
#include "platform/core/text_util.h"
#include "platform/core/utf8.h"
#include "platform/core/version.h"

namespace platform {
namespace {

// ---------------------------------------------------------------- dates

TEST(DateSerial, KnownDaysAndLeapRules) {
  EXPECT_EQ(date_serial(1899, 12, 30), 0);
  EXPECT_EQ(date_serial(1900, 1, 1), 2);
  EXPECT_EQ(date_serial(1900, 3, 1), 61);                            // 1900 is not a leap year
  EXPECT_EQ(date_serial(2000, 3, 1) - date_serial(2000, 2, 28), 2);  // 2000 is
  EXPECT_EQ(date_serial(2100, 3, 1) - date_serial(2100, 2, 28), 1);  // 2100 is not
  EXPECT_EQ(date_serial(2024, 1, 1), 45292);
  EXPECT_EQ(date_serial(1899, 12, 29), -1);
}

TEST(DateSerial, OutOfRangeMonthsAndDaysCarry) {
  EXPECT_EQ(date_serial(2024, 13, 1), date_serial(2025, 1, 1));
  EXPECT_EQ(date_serial(2024, 0, 1), date_serial(2023, 12, 1));
  EXPECT_EQ(date_serial(2024, -11, 1), date_serial(2023, 1, 1));
  EXPECT_EQ(date_serial(2024, 3, 0), date_serial(2024, 2, 29));
  EXPECT_EQ(date_serial(2023, 3, 0), date_serial(2023, 2, 28));
  EXPECT_EQ(date_serial(2024, 1, 32), date_serial(2024, 2, 1));
  EXPECT_EQ(date_serial(2024, 12, 32), date_serial(2025, 1, 1));
}

TEST(DateSerial, CalendarRoundTripOverFourCenturies) {
  for (Serial s = date_serial(1800, 1, 1); s <= date_serial(2200, 1, 1); s += 1) {
    const Ymd d = ymd_of(s);
    ASSERT_EQ(date_serial(d.year, d.month, d.day), s) << s;
  }
  const Ymd before_epoch = ymd_of(-1);
  EXPECT_EQ(before_epoch.year, 1899);
  EXPECT_EQ(before_epoch.month, 12);
  EXPECT_EQ(before_epoch.day, 29);
}

TEST(DateSerial, WeekdayStartsOnSunday) {
  EXPECT_EQ(weekday_of(0), 7);                        // 30 Dec 1899, a Saturday
  EXPECT_EQ(weekday_of(date_serial(2024, 6, 2)), 1);  // a Sunday
  EXPECT_EQ(weekday_of(date_serial(2026, 12, 6)), 1);
  EXPECT_EQ(weekday_of(date_serial(2026, 12, 7) + 0.75), 2);
  EXPECT_EQ(weekday_of(-1), 6);
  EXPECT_EQ(weekday_of(-7), 7);
}

TEST(DateSerial, TimeOfDayRoundsToTheNearestSecond) {
  const Serial t = date_serial(2024, 5, 17) + time_serial(8, 5, 59);
  EXPECT_EQ(hour_of(t), 8);
  EXPECT_EQ(minute_of(t), 5);
  EXPECT_EQ(second_of(t), 59);
  // 7:00 is 0.29166666...; a value a hair below must not read as 6:59:59.
  EXPECT_EQ(hour_of(7.0 / 24 - 1e-9), 7);
  EXPECT_EQ(minute_of(7.0 / 24 - 1e-9), 0);
  // Within half a second of midnight is midnight of the next day, consistently.
  const Serial almost = date_serial(2024, 12, 31) + 0.9999999;
  EXPECT_EQ(hour_of(almost), 0);
  EXPECT_EQ(ymd_of(almost).year, 2025);
  EXPECT_EQ(day_part(almost), date_serial(2025, 1, 1));
  EXPECT_EQ(day_part(date_serial(2024, 12, 31) + 0.75), date_serial(2024, 12, 31));
  EXPECT_EQ(day_part(-0.25), -1);
  EXPECT_EQ(time_serial(24, 0), 1.0);
}

TEST(DateSerial, AbsurdSerialsDoNotCrash) {
  for (double s : {1e300, -1e300, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    (void)ymd_of(s);
    (void)weekday_of(s);
    (void)format_serial(s, "dd/mm/yyyy hh:mm:ss");
  }
}

TEST(FormatSerial, PicturesOfTheProgram) {
  const Serial t = date_serial(2026, 12, 6) + time_serial(8, 5, 3);
  EXPECT_EQ(format_serial(t, "dd/mm/yy"), "06/12/26");
  EXPECT_EQ(format_serial(t, "dd/mm/yyyy"), "06/12/2026");
  EXPECT_EQ(format_serial(t, "d/m/yyyy"), "6/12/2026");
  EXPECT_EQ(format_serial(t, "dd/MM/yyyy"), "06/12/2026");
  EXPECT_EQ(format_serial(t, "hh:mm"), "08:05");
  EXPECT_EQ(format_serial(t, "hh:mm:ss"), "08:05:03");
  EXPECT_EQ(format_serial(t, "h:nn:s"), "8:05:3");
  EXPECT_EQ(format_serial(date_serial(2001, 3, 5), "d/m/yyyy"), "5/3/2001");
  EXPECT_EQ(format_serial(0, "d/m/yyyy"), "30/12/1899");
}

TEST(FormatSerial, MinutesOnlyRightAfterAnHour) {
  const Serial t = date_serial(2024, 2, 9) + time_serial(14, 37);
  EXPECT_EQ(format_serial(t, "dd/mm/yy hh:mm"), "09/02/24 14:37");
  EXPECT_EQ(format_serial(t, "hh mm, dd mm"), "14 37, 09 02");
  EXPECT_EQ(format_serial(t, "hh:MM"), "14:02");  // capital M is always the month
  EXPECT_EQ(format_serial(t, "yyyy-MM-dd"), "2024-02-09");
  EXPECT_EQ(format_serial(t, "[d] x"), "[9] x");
  EXPECT_EQ(format_serial(date_serial(2005, 1, 1), "yy"), "05");
}

TEST(ParseDate, AcceptsDayFirstWithAnySeparator) {
  const Serial expected = date_serial(2024, 3, 7);
  for (const char* text : {"07/03/2024", "7/3/2024", "7-3-2024", "07.03.2024", "7 3 2024",
                           "  7/3/24  ", "7 / 3 / 2024"}) {
    EXPECT_EQ(parse_date(text, 2026), expected) << text;
  }
  EXPECT_EQ(parse_date("29/02/2024", 2026), date_serial(2024, 2, 29));
  EXPECT_EQ(parse_date("29/2/2000", 2026), date_serial(2000, 2, 29));
}

TEST(ParseDate, RefusesWhatIsNotADate) {
  for (const char* text : {"",           "   ",        "abc",       "31/02/2024", "29/02/2023",
                           "29/02/1900", "0/1/2024",   "1/0/2024",  "1/13/2024",  "32/1/2024",
                           "1/1/202",    "1/1/6",      "1/1/20245", "1/1/2024x",  "1//2024",
                           "1/1",        "123/1/2024", "1/1/0000",  "-1/1/2024",  "1/1/24/5"}) {
    EXPECT_FALSE(parse_date(text, 2026).has_value()) << text;
  }
}

TEST(ParseDate, TwoDigitYearsFallInTheWindow) {
  auto year = [](const char* text, int this_year) { return year_of(*parse_date(text, this_year)); };
  EXPECT_EQ(year("1/1/26", 2026), 2026);
  EXPECT_EQ(year("1/1/46", 2026), 2046);
  EXPECT_EQ(year("1/1/47", 2026), 1947);
  EXPECT_EQ(year("1/1/99", 2026), 1999);
  EXPECT_EQ(year("1/1/00", 2026), 2000);
  EXPECT_EQ(year("1/1/80", 2000), 1980);
  EXPECT_EQ(year("1/1/20", 2000), 2020);
  EXPECT_EQ(year("1/1/21", 2000), 1921);
  EXPECT_FALSE(parse_date("1/1/50", std::numeric_limits<int>::max()).has_value());
}

TEST(ParseTime, ReadsHoursMinutesAndSeconds) {
  EXPECT_EQ(parse_time("8:05"), time_serial(8, 5));
  EXPECT_EQ(parse_time("08:05"), time_serial(8, 5));
  EXPECT_EQ(parse_time("23:59:59"), time_serial(23, 59, 59));
  EXPECT_EQ(parse_time("00:00"), 0.0);
  for (const char* text :
       {"", "24:00", "12:60", "12:00:60", "12:5", "123:00", "12:00:", "12-00", "ab:cd", "12:00x"}) {
    EXPECT_FALSE(parse_time(text).has_value()) << text;
  }
}

TEST(DateText, FormattedDatesParseBack) {
  for (Serial s = date_serial(1950, 1, 1); s < date_serial(2045, 1, 1); s += 17) {
    ASSERT_EQ(parse_date(format_serial(s, "dd/mm/yy"), 2026), s);
    ASSERT_EQ(parse_date(format_serial(s, "d/m/yyyy"), 2026), s);
  }
}

// ---------------------------------------------------------------- numbers

TEST(Val, ReadsTheLeadingNumber) {
  EXPECT_EQ(val(" -12.5abc"), -12.5);
  EXPECT_EQ(val("1.2.3"), 1.2);
  EXPECT_EQ(val("+.5"), 0.5);
  EXPECT_EQ(val("7."), 7.0);
  EXPECT_EQ(val("07,5"), 7.0);
  EXPECT_EQ(val("1e5"), 1.0);
  EXPECT_EQ(val("\t42"), 42.0);
  EXPECT_EQ(val("-2147483633"), -2147483633.0);
}

TEST(Val, NoNumberIsZero) {
  for (const char* text : {"", "abc", "-", "+", ".", "-.", "--5", "- 5", " x1"}) {
    const double v = val(text);
    EXPECT_EQ(v, 0.0) << text;
    EXPECT_FALSE(std::signbit(v)) << text;
  }
}

TEST(Val, HugeAndTinyDigitRuns) {
  EXPECT_TRUE(std::isinf(val(std::string(400, '9'))));
  EXPECT_EQ(val("0." + std::string(400, '0') + "1"), 0.0);
  EXPECT_EQ(val(std::string(1000, '0') + "3"), 3.0);
}

TEST(Str, SignPositionAndShortestDigits) {
  EXPECT_EQ(str(5), " 5");
  EXPECT_EQ(str(-2147483633), "-2147483633");
  EXPECT_EQ(str(0), " 0");
  EXPECT_EQ(str(-0.0), " 0");
  EXPECT_EQ(str(0.5), " 0.5");
  EXPECT_EQ(str(-0.25), "-0.25");
  EXPECT_EQ(str(0.1 + 0.2), " 0.3");
  EXPECT_EQ(str(1.0 / 3), " 0.333333333333333");
  EXPECT_EQ(str(123456789012345.0), " 123456789012345");
  EXPECT_EQ(str(0.0001), " 0.0001");
  EXPECT_EQ(str(1e15), " 1E+15");
  EXPECT_EQ(str(-1.5e-7), "-1.5E-07");
  EXPECT_EQ(plain_number(5), "5");
  EXPECT_EQ(plain_number(-3.75), "-3.75");
  EXPECT_EQ(plain_number(50), "50");
}

TEST(Str, ReadsBackThroughVal) {
  for (double v : {0.0, 1.0, -1.0, 12.5, 1234.5678, -0.001, 32767.0, -32768.0, 45292.75}) {
    EXPECT_EQ(val(str(v)), v) << v;
    EXPECT_EQ(val(plain_number(v)), v) << v;
  }
}

TEST(FormatNumber, UnitPictures) {
  EXPECT_EQ(format_number(5.3, "00.0", ","), "05,3");
  EXPECT_EQ(format_number(7.5, "00.0", "."), "07.5");
  EXPECT_EQ(format_number(0, "##0", "."), "0");
  EXPECT_EQ(format_number(135, "##0", "."), "135");
  EXPECT_EQ(format_number(7, "##0", "."), "7");
  EXPECT_EQ(format_number(1234, "##0", "."), "1234");
  EXPECT_EQ(format_number(6, "0.00", "."), "6.00");
  EXPECT_EQ(format_number(1.2, "0.00", ","), "1,20");
  EXPECT_EQ(format_number(0.8, "0.00", "."), "0.80");
}

TEST(FormatNumber, RoundsHalfAwayFromZeroOnTheDecimalValue) {
  EXPECT_EQ(format_number(2.675, "0.00", "."), "2.68");
  EXPECT_EQ(format_number(12.45, "00.0", "."), "12.5");
  EXPECT_EQ(format_number(1.005, "0.00", "."), "1.01");
  EXPECT_EQ(format_number(0.5, "##0", "."), "1");
  EXPECT_EQ(format_number(2.5, "##0", "."), "3");
  EXPECT_EQ(format_number(-2.5, "##0", "."), "-3");
  EXPECT_EQ(format_number(9.96, "00.0", "."), "10.0");
  EXPECT_EQ(format_number(99.95, "00.0", "."), "100.0");
  EXPECT_EQ(format_number(0.049, "0.0", "."), "0.0");
}

TEST(FormatNumber, SignsAndOptionalDigits) {
  EXPECT_EQ(format_number(-7.25, "00.0", "."), "-07.3");
  EXPECT_EQ(format_number(-0.001, "0.00", "."), "0.00");  // no "-0.00"
  EXPECT_EQ(format_number(0.5, "#.##", "."), ".5");
  EXPECT_EQ(format_number(1.25, "0.0#", "."), "1.25");
  EXPECT_EQ(format_number(1.5, "0.0#", "."), "1.5");
  EXPECT_EQ(format_number(3, "#.##", "."), "3");
  EXPECT_EQ(format_number(1e20, "0", "."), "100000000000000000000");
  EXPECT_EQ(format_number(std::nan(""), "0.00", "."), "NaN");
}

TEST(Rounding, HalfToEvenAndSaturation) {
  EXPECT_EQ(round_half_even(2.5), 2);
  EXPECT_EQ(round_half_even(3.5), 4);
  EXPECT_EQ(round_half_even(-2.5), -2);
  EXPECT_EQ(round_half_even(-3.5), -4);
  EXPECT_EQ(round_half_even(2.4999), 2);
  EXPECT_EQ(round_half_even(-0.6), -1);
  EXPECT_EQ(round_to_int16(32767.4), 32767);
  EXPECT_EQ(round_to_int16(32768), 32767);
  EXPECT_EQ(round_to_int16(1e12), 32767);
  EXPECT_EQ(round_to_int16(-40000), -32768);
  EXPECT_EQ(round_to_int16(-32768.5), -32768);
  EXPECT_EQ(round_to_int16(std::nan("")), 0);
  EXPECT_EQ(round_to_int16(-std::numeric_limits<double>::infinity()), -32768);
  EXPECT_EQ(int_floor(-0.5), -1);
  EXPECT_EQ(int_floor(2.9), 2);
}

// ---------------------------------------------------------------- sequential files

std::vector<std::string> all_fields(std::string bytes) {
  SequentialReader reader(std::move(bytes));
  std::vector<std::string> fields;
  while (!reader.at_end()) fields.push_back(*reader.read_field());
  EXPECT_FALSE(reader.read_field().has_value());
  return fields;
}

using Fields = std::vector<std::string>;

TEST(SequentialReader, QuotedRecordsRoundTrip) {
  const Fields record = {"06/12/26", "08:05", "07,5", "repas, puis sport"};
  const std::string file = quoted_record(record) + quoted_record({"05/12/26", "22:10", "6.1", ""});
  EXPECT_EQ(file.substr(0, 23), "\"06/12/26\",\"08:05\",\"07,");
  EXPECT_EQ(file.substr(file.size() - 5), ",\"\"\r\n");
  const Fields expected = {"06/12/26", "08:05", "07,5", "repas, puis sport",
                           "05/12/26", "22:10", "6.1",  ""};
  EXPECT_EQ(all_fields(file), expected);
  EXPECT_EQ(quoted_record({"a", ""}), "\"a\",\"\"\r\n");
}

TEST(SequentialReader, UnquotedFieldsLoseTheirBlanks) {
  EXPECT_EQ(all_fields("  a b , c\t,d  \r\n"), (Fields{"a b", "c", "d"}));
  EXPECT_EQ(all_fields("a,,b"), (Fields{"a", "", "b"}));
  EXPECT_EQ(all_fields("  \"x\"  ,y"), (Fields{"x", "y"}));
}

TEST(SequentialReader, LineEndsOfEveryKind) {
  const Fields expected = {"a", "b", "c", "d"};
  EXPECT_EQ(all_fields("a,b\r\nc,d\r\n"), expected);
  EXPECT_EQ(all_fields("a,b\nc,d\n"), expected);
  EXPECT_EQ(all_fields("a,b\rc,d\r"), expected);
  EXPECT_EQ(all_fields("a,b\r\nc,d"), expected);  // no final line end
  EXPECT_EQ(all_fields("\"a\",\"b\"\n\"c\",\"d\""), expected);
}

TEST(SequentialReader, BlankLinesAreEmptyFields) {
  EXPECT_EQ(all_fields("a\r\n\r\nb\r\n"), (Fields{"a", "", "b"}));
  EXPECT_EQ(all_fields("\n"), (Fields{""}));
  EXPECT_EQ(all_fields("   \n"), (Fields{""}));
  EXPECT_EQ(all_fields(""), Fields{});
}

TEST(SequentialReader, QuotesHoldCommasAndLineEnds) {
  EXPECT_EQ(all_fields("\"a,b\r\nc\",d"), (Fields{"a,b\r\nc", "d"}));
  // What trails a closing quote is dropped up to the separator.
  EXPECT_EQ(all_fields("\"a\"junk \"x,b\r\n"), (Fields{"a", "b"}));
  EXPECT_EQ(all_fields("x\"y\",z"), (Fields{"x\"y\"", "z"}));
}

// Another program may write a quote inside a quoted field as it is. Such a quote belongs to the
// field when the field still closes on its line; otherwise the first quote closes it, as before.
TEST(SequentialReader, QuotesInsideAFieldThatClosesLaterOnItsLine) {
  EXPECT_EQ(all_fields("\"12/11/26\",\"08:00\",\"06.1\",\"he said \"hi\" ok\"\r\n\"x\""),
            (Fields{"12/11/26", "08:00", "06.1", "he said \"hi\" ok", "x"}));
  EXPECT_EQ(all_fields("\"say \"hi\"\",\"b\""), (Fields{"say \"hi\"", "b"}));
  EXPECT_EQ(all_fields("\"a \"b\" c\"  ,d"), (Fields{"a \"b\" c", "d"}));
  EXPECT_EQ(all_fields("\"a\"  \r\nb"), (Fields{"a", "b"}));
  // No closing quote later on the line: the next line's fields stay where they are.
  EXPECT_EQ(all_fields("\"he said \"hi\r\n\"c\",\"d\""), (Fields{"he said ", "c", "d"}));
  // A long line of such fields reads in linear time.
  std::string line;
  for (int i = 0; i < 200'000; ++i) line += "\"a\"b,";
  EXPECT_EQ(all_fields(line).size(), 200'000u);
}

TEST(SequentialReader, MalformedInputEndsCleanly) {
  EXPECT_EQ(all_fields("\"a\",\"unterminated, still\r\ngoing"),
            (Fields{"a", "unterminated, still\r\ngoing"}));
  EXPECT_EQ(all_fields("\""), (Fields{""}));
  EXPECT_EQ(all_fields(std::string("a\0b,\"c\0\"", 9)),
            (Fields{std::string("a\0b", 3), std::string("c\0", 2)}));
  SequentialReader reader("a");
  EXPECT_EQ(reader.read_field(), "a");
  EXPECT_TRUE(reader.at_end());
  EXPECT_FALSE(reader.read_field().has_value());
  EXPECT_FALSE(reader.read_field().has_value());
}

TEST(SequentialReader, HugeInputsStayLinear) {
  const std::string big(10'000'000, 'x');
  EXPECT_EQ(all_fields(big + "\r\n" + big).size(), 2u);
  EXPECT_EQ(all_fields("\"" + big).front().size(), big.size());
  std::string many;
  for (int i = 0; i < 500'000; ++i) many += "\"\",";
  EXPECT_EQ(all_fields(many).size(), 500'000u);
}

// ---------------------------------------------------------------- text helpers

TEST(TextUtil, TrimmedKeepsInnerBlanksAndTakesOtherSets) {
  using platform::trimmed;
  EXPECT_EQ(trimmed(" \t a b \t"), "a b");
  EXPECT_EQ(trimmed(" \t "), "");
  EXPECT_EQ(trimmed(""), "");
  EXPECT_EQ(trimmed("x\r"), "x\r");
  EXPECT_EQ(trimmed("\r x\r", " \r"), "x");
}

// The run is measured eight bytes at a time: a stopping byte must stop it wherever it falls in a
// word, and the edge values on either side of each limit must be told apart.
TEST(TextUtil, AsciiRunStopsAtTheFirstByteBelowItsFloorOrPastAscii) {
  using platform::ascii_run;
  const std::string plain = std::string(" ~\x0E\x7F") + "abcdefghijklmnop";  // 20 plain bytes
  EXPECT_EQ(ascii_run(plain, 14), plain.size());
  EXPECT_EQ(ascii_run("", 14), 0u);
  EXPECT_EQ(ascii_run(std::string(20, '\0')), 20u);
  for (const char stop : {'\0', '\t', '\n', '\r', '\x80', '\xC3', '\xFF'}) {
    const bool ascii = static_cast<unsigned char>(stop) < 0x80;
    for (std::size_t at = 0; at < plain.size(); ++at) {
      std::string bytes = plain;
      bytes[at] = stop;
      EXPECT_EQ(ascii_run(bytes, 14), at) << int(stop) << " at " << at;
      EXPECT_EQ(ascii_run(bytes), ascii ? bytes.size() : at) << int(stop) << " at " << at;
    }
  }
}

TEST(TextUtil, FirstAndLastStopAtTheEnds) {
  EXPECT_EQ(platform::first("12:30", 2), "12");
  EXPECT_EQ(platform::last("12:30", 2), "30");
  EXPECT_EQ(platform::first("1", 3), "1");
  EXPECT_EQ(platform::last("1", 3), "1");
  EXPECT_EQ(platform::last("", 0), "");
}

// ---------------------------------------------------------------- colours and drawing

// Decoding walks any byte string: each invalid byte is one character of its own, so counting
// and cutting never split a valid character nor stall on a broken one.
TEST(Utf8, DecodesEncodesCountsAndCuts) {
  const struct {
    std::string_view bytes;
    char32_t first;
    std::size_t first_length;
    std::size_t chars;
  } cases[] = {
      {"a", 'a', 1, 1},
      {"é!", 0xE9, 2, 2},
      {"€uro", 0x20AC, 3, 4},
      {"😀😀", 0x1F600, 4, 2},
      {"\xE9t\xE9", platform::kInvalidCodePoint, 1, 3},         // Windows-1252 bytes
      {"\xC0\x80", platform::kInvalidCodePoint, 1, 2},          // overlong NUL
      {"\xED\xA0\x80", platform::kInvalidCodePoint, 1, 3},      // a surrogate
      {"\xF4\x90\x80\x80", platform::kInvalidCodePoint, 1, 4},  // past U+10FFFF
      {"\xE2\x82", platform::kInvalidCodePoint, 1, 2},          // cut short
  };
  for (const auto& c : cases) {
    const platform::DecodedChar d = platform::decode_utf8(c.bytes);
    EXPECT_EQ(d.code_point, c.first) << c.bytes;
    EXPECT_EQ(d.length, c.first_length) << c.bytes;
    EXPECT_EQ(platform::utf8_length(c.bytes), c.chars) << c.bytes;
  }
  for (char32_t c : {U'a', U'\u00E9', U'\u20AC', U'\U0001F600', U'\U0010FFFF'}) {
    const std::string bytes = platform::encode_utf8(c);
    EXPECT_EQ(platform::decode_utf8(bytes).code_point, c);
    EXPECT_EQ(platform::decode_utf8(bytes).length, bytes.size());
  }
  EXPECT_EQ(platform::encode_utf8(0xD800), "\uFFFD");
  EXPECT_EQ(platform::utf8_prefix("Łukasz Żak", 8), "Łukasz Ż");
  EXPECT_EQ(platform::utf8_prefix("ab", 5), "ab");
  EXPECT_EQ(platform::utf8_offset("€€", 1), 3u);
}

TEST(Colour, SystemCodesResolve) {
  EXPECT_EQ(resolve_colour(kButtonFace), rgb(240, 240, 240));
  EXPECT_EQ(resolve_colour(0x80000005u), kWhite);  // window background
  EXPECT_EQ(resolve_colour(0x80000008u), kBlack);  // window text
  EXPECT_EQ(resolve_colour(0x800000FFu), rgb(240, 240, 240));
  EXPECT_EQ(resolve_colour(0x80010005u), rgb(240, 240, 240));
  EXPECT_EQ(resolve_colour(rgb(1, 2, 3)), rgb(1, 2, 3));
}

TEST(Colour, ContrastAsWcagCountsIt) {
  const std::tuple<Colour, Colour, double> cases[] = {
      {kBlack, kWhite, 21.0},
      {kWhite, kBlack, 21.0},
      {kWhite, kWhite, 1.0},
      {rgb(119, 119, 119), kWhite, 4.48},
      {rgb(0, 0, 255), kWhite, 8.59},
      {rgb(255, 0, 0), kWhite, 4.0},
      {rgb(255, 255, 0), kWhite, 1.07},
      {rgb(0, 0, 255), rgb(53, 53, 53), 1.43},
      {kButtonFace, kBlack, 18.43},  // the light scheme's button face
  };
  for (const auto& [a, b, ratio] : cases) {
    EXPECT_NEAR(contrast_ratio(a, b), ratio, 0.01) << std::hex << a << " on " << b;
  }
}

// A colour is moved only as far as the contrast asks, toward the end that can give it.
TEST(Colour, WithContrastMovesOnlyAsFarAsNeeded) {
  const Colour dark = rgb(53, 53, 53);
  const std::tuple<Colour, Colour, double, bool> cases[] = {
      {rgb(0, 0, 255), dark, 3, false},     {rgb(255, 0, 0), dark, 3, true},
      {rgb(255, 255, 0), kWhite, 3, false}, {rgb(0, 0, 255), kWhite, 3, true},
      {kBlack, kBlack, 3, false},           {rgb(60, 60, 60), dark, 4.5, false},
      {kButtonText, kButtonFace, 3, true},
  };
  for (const auto& [c, back, min, kept] : cases) {
    const Colour out = with_contrast(c, back, min);
    EXPECT_EQ(out == resolve_colour(c), kept) << std::hex << c << " on " << back;
    EXPECT_GE(contrast_ratio(out, back), min) << std::hex << c << " on " << back;
    EXPECT_LT(contrast_ratio(out, back), kept ? 22 : min + 0.15) << std::hex << c;
  }
  EXPECT_EQ(blue_of(with_contrast(rgb(0, 0, 255), dark, 3)), 255);               // still a blue
  EXPECT_EQ(with_contrast(rgb(128, 128, 128), rgb(128, 128, 128), 30), kBlack);  // out of reach
}

TEST(RecordingSurface, OpsCarryThePenAndFontInForce) {
  RecordingSurface s(3000, 2000);
  s.set_back_colour(kWhite);
  s.clear();
  s.set_pen_width(2);
  s.set_pen_style(PenStyle::Dotted);
  s.line(0, 0, 100, 50);
  s.set_fore_colour(rgb(255, 0, 0));
  s.set_font_size(12);
  s.set_font_bold(true);
  s.print_text(10, 20, "Mo");
  s.line(1, 2, 3, 4, kBlack);

  ASSERT_EQ(s.ops().size(), 9u);
  EXPECT_EQ(s.ops()[1].kind, DrawOp::Clear);
  EXPECT_EQ(s.back_colour(), kWhite);
  const auto lines = s.lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen_width, 2);
  EXPECT_EQ(lines[0].pen_style, PenStyle::Dotted);
  EXPECT_FALSE(lines[0].colour.has_value());
  EXPECT_EQ(lines[0].x2, 100);
  EXPECT_EQ(lines[1].colour, kBlack);
  const auto texts = s.texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "Mo");
  EXPECT_EQ(texts[0].font_size, 12);
  EXPECT_TRUE(texts[0].bold);
  EXPECT_EQ(texts[0].colour, rgb(255, 0, 0));
  EXPECT_EQ(texts[0].y1, 20);
  s.forget();
  EXPECT_TRUE(s.ops().empty());
}

TEST(RecordingSurface, TextWidthAndSize) {
  RecordingSurface s(100, 100);
  EXPECT_EQ(s.back_colour(), kButtonFace);
  s.set_font_size(10);
  EXPECT_EQ(s.text_width("abcd"), 240);
  s.set_font_bold(true);
  EXPECT_EQ(s.text_width("abcd"), 240);
  s.set_font_size(5);
  EXPECT_EQ(s.text_width("Fév"), 90);  // accented letters count once
  EXPECT_EQ(s.text_width(""), 0);
  s.resize(500, 250);
  EXPECT_EQ(s.width(), 500);
  EXPECT_EQ(s.height(), 250);
}

// ---------------------------------------------------------------- command line

const ProgramIdentity kProgram{"sugarlog", "Sugarlog", "a logbook"};

TEST(CommandLine, VersionAndHelpAnswerAndStopTheProgram) {
  for (const char* option : {"--version", "-v"}) {
    std::ostringstream out;
    EXPECT_EQ(answer_command_line({option}, kProgram, out), 0);
    EXPECT_EQ(out.str(), "sugarlog " + std::string(kVersion) + "\n");
  }
  for (const char* option : {"--help", "-h"}) {
    std::ostringstream out;
    EXPECT_EQ(answer_command_line({option}, kProgram, out), 0);
    EXPECT_EQ(out.str().rfind("Usage: sugarlog [OPTION]\nSugarlog: a logbook\n", 0), 0u);
    EXPECT_NE(out.str().find("--version"), std::string::npos);
  }
}

TEST(CommandLine, TheFirstOfHelpAndVersionWinsAndWindowOptionsAreLeftAlone) {
  std::ostringstream out;
  EXPECT_EQ(answer_command_line({"-platform", "offscreen", "--help", "--version"}, kProgram, out),
            0);
  EXPECT_EQ(out.str().rfind("Usage:", 0), 0u);
  std::ostringstream none;
  EXPECT_EQ(answer_command_line({}, kProgram, none), std::nullopt);
  EXPECT_EQ(answer_command_line({"-style", "fusion", "--versions"}, kProgram, none), std::nullopt);
  // After "--" nothing is an option.
  EXPECT_EQ(answer_command_line({"--", "--version"}, kProgram, none), std::nullopt);
  EXPECT_EQ(none.str(), "");
}

TEST(CommandLine, ArgumentsNobodyTookAreRefused) {
  std::ostringstream err;
  EXPECT_EQ(refuse_arguments({}, kProgram, err), std::nullopt);
  EXPECT_EQ(refuse_arguments({"--"}, kProgram, err), std::nullopt);
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(refuse_arguments({"--frobnicate", "x"}, kProgram, err), 2);
  EXPECT_EQ(err.str(),
            "sugarlog: unknown option '--frobnicate'\n"
            "Try 'sugarlog --help' for more information.\n");
  std::ostringstream file;
  EXPECT_EQ(refuse_arguments({"--", "-notes.txt"}, kProgram, file), 2);
  EXPECT_EQ(file.str().rfind("sugarlog: takes no arguments ('-notes.txt')\n", 0), 0u);
  std::ostringstream dash;
  EXPECT_EQ(refuse_arguments({"-"}, kProgram, dash), 2);
  EXPECT_EQ(dash.str().rfind("sugarlog: takes no arguments ('-')", 0), 0u);
}

TEST(CommandLine, OptionsOfAWindowlessModeAreReadOrRefusedWithTheReason) {
  const std::vector<std::string_view> named{"--export", "--from"}, flags{"--yes"};
  std::string error;
  const auto read =
      read_options({"--export", "a b.csv", "--yes", "--from=2026-01-02"}, named, flags, error);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->value("--export"), "a b.csv");
  EXPECT_EQ(read->value("--from"), "2026-01-02");
  EXPECT_EQ(read->value("--to"), std::nullopt);
  EXPECT_TRUE(read->has("--yes"));
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } refused[] = {
      {{"--export"}, "option '--export' needs a value"},
      {{"--export", "a", "--export", "b"}, "option '--export' is given twice"},
      {{"--export", "a", "--to", "b"}, "unknown option '--to'"},
      {{"--yes=1"}, "unknown option '--yes=1'"},
  };
  for (const auto& c : refused) {
    EXPECT_FALSE(read_options(c.arguments, named, flags, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(CommandLine, ArgumentsSkipTheProgramNameAndStopAtANullEntry) {
  const char* argv[] = {"/usr/bin/sugarlog", "--help", nullptr, "ignored"};
  EXPECT_EQ(arguments_of(4, argv), std::vector<std::string>{"--help"});
  EXPECT_TRUE(arguments_of(1, argv).empty());
  EXPECT_TRUE(arguments_of(0, argv).empty());
}

}  // namespace
}  // namespace platform
