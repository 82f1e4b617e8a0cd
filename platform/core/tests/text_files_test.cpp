// Text as the programs' files hold it: the encodings of older and hand-edited files, and the INI
// text of the settings store with its merge of one program's changes over another's.
#include <gtest/gtest.h>

#include <string>

#include "platform/core/ini_format.h"
#include "platform/core/text_encoding.h"

namespace platform {
namespace {

// ---- Encodings ----

TEST(TextEncoding, Utf8Validity) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"", true},
      {"plain ASCII \r\n\t\x7F", true},
      {"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", true},  // é € 😀
      {std::string("nul\0inside", 10), true},
      {"Caf\xE9", false},           // Windows-1252
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong "/"
      {"\xE0\x80\xAF", false},      // overlong, three bytes
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\xF5\x80\x80\x80", false},  // no such lead byte
      {"\x80", false},              // a lone continuation
      {"ab\xC3\xA9"
       "cd\xE9",
       false},                                           // after ASCII and a valid character
      {"\xEF\xBF\xBF\xF4\x8F\xBF\xBF", true},            // U+FFFF and U+10FFFF
      {"\"12/05/26\",\"08:05\"\r\n\"Caf\xE9\"", false},  // past line ends and whole words
  };
  for (const Case& c : cases) EXPECT_EQ(is_valid_utf8(c.bytes), c.valid) << c.bytes;
}

TEST(TextEncoding, Windows1252CoversEveryByte) {
  EXPECT_EQ(utf8_from_windows1252("Caf\xE9 cr\xE8me \x80 \x9C\x9F \xFF"), "Café crème € œŸ ÿ");
  // The five bytes the code page leaves out become the C1 controls of the same number.
  EXPECT_EQ(utf8_from_windows1252("\x81\x8D\x8F\x90\x9D"),
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  const std::string decoded = utf8_from_windows1252(every_byte);
  EXPECT_TRUE(is_valid_utf8(decoded));
  EXPECT_EQ(decoded.substr(0, 128), every_byte.substr(0, 128));
}

TEST(TextEncoding, FileBytesBecomeUtf8) {
  struct Case {
    std::string bytes;
    std::string text;
    const char* what;
  };
  const Case cases[] = {
      {"\"10/06/26\",\"Caf\xC3\xA9\"\r\n", "\"10/06/26\",\"Café\"\r\n", "UTF-8 kept byte for byte"},
      {"\"10/06/26\",\"Caf\xE9\"\r\n", "\"10/06/26\",\"Café\"\r\n", "Windows-1252"},
      {"\xEF\xBB\xBFUnite=1", "Unite=1", "UTF-8 with a mark"},
      {std::string("\xFF\xFEU\0=\0\xE9\0\x3D\xD8\x00\xDE", 12), "U=é😀", "UTF-16 LE with a mark"},
      {std::string("\xFE\xFF\0U\0=\0\xE9", 8), "U=é", "UTF-16 BE with a mark"},
      {std::string("\xFF\xFE\x00\xD8x", 5), "\xEF\xBF\xBD\xEF\xBF\xBD", "lone surrogate, odd byte"},
      {"\xFF\xFE", "", "a mark alone"},
      {"", "", "empty"},
  };
  for (const Case& c : cases) EXPECT_EQ(text_from_file_bytes(c.bytes), c.text) << c.what;
}

// ---- INI text ----

TEST(IniFormat, EveryValueReadsBackExactly) {
  IniSections sections;
  sections["Pulsewise"]["Chart type"] = " 0";
  sections["Pulsewise"]["Empty"] = "";
  sections["Pulsewise"]["Quoted"] = "\"a\" \\ b";
  sections["Pulsewise"]["Lines"] = "one\ntwo\r\n\tthree ";
  sections["Pulsewise"]["Key = with [odd] chars"] = "x=y;z";
  sections["Setup"]["Unite"] = "1";
  sections["Setup"]["Name"] = "Łukasz Żak";
  const std::string text = format_ini(sections);
  EXPECT_EQ(parse_ini(text), sections);
  EXPECT_NE(text.find("[Setup]\nName=Łukasz Żak\nUnite=1\n"), std::string::npos) << text;
}

TEST(IniFormat, ReadsHandEditedFilesAndSkipsJunk) {
  const IniSections sections = parse_ini(
      "; comment\r\n[Setup]\r\nUnite = 2 \r\n  Lock=0\r\nno equals sign\r\n=no key\r\n"
      "\"unterminated=1\r\n[broken\r\n[Other]\r\nkey=\"unterminated\r\n# more\r\nA=1");
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections.at("Setup").at("Unite"), "2");
  EXPECT_EQ(sections.at("setup").at("LOCK"), "0");  // any case, as the desktop's store
  EXPECT_EQ(sections.at("Setup").size(), 2u);
  EXPECT_EQ(sections.at("Other").size(), 2u);
  EXPECT_EQ(sections.at("Other").at("key"), "\"unterminated");  // a value is kept as typed
  EXPECT_EQ(sections.at("Other").at("A"), "1");
  EXPECT_TRUE(parse_ini("").empty());
  EXPECT_TRUE(parse_ini(std::string("\0\xFF[\n=\n\"", 7)).empty());
}

// However the lines end and whatever the encoding, every person is read.
TEST(IniFile, ReadsEveryLineEndAndEncoding) {
  const std::string lines[] = {"[Pulsewise]", "PeopleName 1=Zoë", "PeopleName 2=Ann"};
  auto joined = [&](std::string_view end) {
    std::string out;
    for (const auto& line : lines) out += line + std::string(end);
    return out;
  };
  std::string utf16 = "\xFF\xFE";
  for (const char c : std::string("[Pulsewise]\r\nPeopleName 1=Zo\xC3\xAB\r\nPeopleName 2=Ann")) {
    // "ë" is the one character beyond ASCII here: its UTF-16 unit is EB 00.
    if (c == '\xC3') continue;
    utf16 += c == '\xAB' ? std::string("\xEB\0", 2) : std::string{c, '\0'};
  }
  const std::string files[] = {
      joined("\r\n"), joined("\n"),
      joined("\r"),   "\xEF\xBB\xBF" + joined("\r\n"),
      utf16,          "[Pulsewise]\rPeopleName 1=Zo\xEB\rPeopleName 2=Ann"};
  for (const std::string& file : files) {
    IniFile ini;
    ini.load(file);
    const std::string* first = ini.find("Pulsewise", "PeopleName 1");
    const std::string* second = ini.find("Pulsewise", "PeopleName 2");
    ASSERT_TRUE(first && second) << file;
    EXPECT_EQ(*first, "Zoë");
    EXPECT_EQ(*second, "Ann");
  }
}

// Names typed by hand with quotes of their own stay as written when the program writes back
// another change, and read back the same in the next run.
TEST(IniFile, HandTypedQuotesSurviveAWriteBack) {
  const struct {
    const char* line;
    const char* name;
    bool line_kept;
  } cases[] = {
      {R"(PeopleName 1="Bob)", R"("Bob)", true},
      {R"(PeopleName 1="Ann" Smith)", R"("Ann" Smith)", true},
      {R"(PeopleName 1=Ann "Jo" Smith)", R"(Ann "Jo" Smith)", true},
      {R"(PeopleName 1="a\"b)", R"("a\"b)", true},
      {R"(PeopleName 1=")", R"(")", true},
      {R"(PeopleName 1="Ann Smith")", "Ann Smith", false},
      {R"(PeopleName 1= "Ann" )", "Ann", false},
      {R"(PeopleName 1="a\"b")", R"(a"b)", false},
      {R"(PeopleName 1="")", "", false},
  };
  for (const auto& c : cases) {
    const std::string file = "[Pulsewise]\n" + std::string(c.line) + "\nChart type= 0\n";
    IniFile ini;
    ini.load(file);
    const std::string* read = ini.find("Pulsewise", "PeopleName 1");
    ASSERT_TRUE(read) << c.line;
    EXPECT_EQ(*read, c.name) << c.line;
    ini.set("Pulsewise", "Chart type", " 1");
    const std::string merged = ini.merged_over(file);
    EXPECT_EQ(merged.find(std::string(c.line) + "\n") != std::string::npos, c.line_kept)
        << c.line << " in\n"
        << merged;
    IniFile next_run;
    next_run.load(merged);
    ASSERT_TRUE(next_run.find("Pulsewise", "PeopleName 1")) << c.line;
    EXPECT_EQ(*next_run.find("Pulsewise", "PeopleName 1"), c.name) << c.line;
  }
}

// Two programs on one file: each writes back only what it changed, over what the file holds then.
TEST(IniFile, WritesOnlyItsOwnChangesOverTheFileAsItIsNow) {
  const std::string at_start = "[Pulsewise]\nChart type= 0\nPeopleName 1=\n";
  IniFile a, b;
  a.load(at_start);
  b.load(at_start);

  a.set("Pulsewise", "PeopleName 1", "Ann");
  const std::string after_a = a.merged_over(at_start);
  a.changes_written();
  EXPECT_FALSE(a.has_changes());

  b.set("Pulsewise", "Chart type", " 1");
  b.set("Pulsewise", "PeopleName 1", "");  // what it saw: no change
  EXPECT_TRUE(b.has_changes());
  const std::string after_b = b.merged_over(after_a);
  IniFile reader;
  reader.load(after_b);
  EXPECT_EQ(*reader.find("Pulsewise", "PeopleName 1"), "Ann");
  EXPECT_EQ(*reader.find("Pulsewise", "Chart type"), " 1");
  // From then on b sees the other program's value too.
  EXPECT_EQ(*b.find("Pulsewise", "PeopleName 1"), "Ann");
}

}  // namespace
}  // namespace platform
