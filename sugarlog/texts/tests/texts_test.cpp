#include <gtest/gtest.h>

#include "platform/core/testing/fakes.h"
#include "sugarlog/texts/captions.h"
#include "sugarlog/texts/langage.h"
#include "sugarlog/texts/messages.h"

namespace sugarlog {
namespace {

using namespace std::string_literals;

TEST(Langage, CouperNulKeepsTheTextBeforeTheFirstNul) {
  EXPECT_EQ(Couper_Nul("abc\0def\0"s), "abc");
  EXPECT_EQ(Couper_Nul("abc"), "");
  EXPECT_EQ(Couper_Nul(""), "");
  EXPECT_EQ(Couper_Nul("\0abc"s), "");
}

TEST(Langage, LocaleAnswersGoThroughTheHundredCharacterBuffer) {
  platform::FakeLocale locale;
  locale.language = "French";
  EXPECT_EQ(Lire_Langue(locale), "French");
  EXPECT_EQ(langue_of(Lire_Langue(locale)), kFrench);
  locale.language = std::string(150, 'x');
  EXPECT_EQ(Lire_Langue(locale).size(), 99u);
  locale.language = "";
  EXPECT_EQ(langue_of(Lire_Langue(locale)), kEnglish);
  EXPECT_EQ(langue_of("french"), kEnglish);
  EXPECT_EQ(langue_of("French (Canada)"), kEnglish);
  locale.decimal = ",";
  EXPECT_EQ(Lire_Decimale(locale), ",");
  locale.short_date = "dd.MM.yyyy";
  EXPECT_EQ(Lire_Format_Date(locale), "dd.MM.yyyy");
}

TEST(Langage, ShortDatePicturesAreKeptDayFirst) {
  EXPECT_EQ(day_first_short_date("dd/MM/yyyy", "/"), "dd/MM/yyyy");
  EXPECT_EQ(day_first_short_date("dd.MM.yy", "."), "dd.MM.yy");
  EXPECT_EQ(day_first_short_date("d/M/yyyy", "/"), "d/M/yyyy");
  EXPECT_EQ(day_first_short_date("M/d/yy", "/"), "dd/MM/yyyy");
  EXPECT_EQ(day_first_short_date("yyyy-MM-dd", "-"), "dd-MM-yyyy");
  EXPECT_EQ(day_first_short_date("d MMM yyyy", ""), "dd/MM/yyyy");
  EXPECT_EQ(day_first_short_date("", "/"), "dd/MM/yyyy");
}

TEST(Captions, ResultClassItemsPerUnitAndLanguage) {
  auto en = result_class_items(0, kEnglish, "Optimal:", "Suboptimal:", "Compromise:");
  EXPECT_EQ(en[0], "Optimal: >= 4 and <7 mmol/l");
  EXPECT_EQ(en[1], "Suboptimal: >= 7 and <10 mmol/l");
  EXPECT_EQ(en[2], "Compromise: >= 10 mmol/l");
  auto fr = result_class_items(1, kFrench, "Optimaux:", "Suboptimaux:", "Compromis:");
  EXPECT_EQ(fr[0], "Optimaux: >= 72 et <126 mg/dl");
  EXPECT_EQ(fr[2], "Compromis: >= 180 mg/dl");
  auto gl = result_class_items(2, kEnglish, "O", "S", "C");
  EXPECT_EQ(gl[0], "O >= 0.8 and <1.26 g/l");
  EXPECT_EQ(gl[1], "S >= 1.25 and <2.0 g/l");
  EXPECT_EQ(result_class_items(9, kEnglish, "O", "S", "C")[2], "C >= 10 mmol/l");
}

}  // namespace
}  // namespace sugarlog
