#include <gtest/gtest.h>

#include "platform/core/testing/fakes.h"
#include "sugarlog/meter/thermometer.h"

namespace sugarlog {
namespace {

TEST(Thermometer, ColumnTopPerUnit) {
  EXPECT_EQ(column_top("25", 1), 533);
  EXPECT_EQ(column_top("5.5", 1), 1833);
  EXPECT_EQ(column_top("0", 1), 2200);
  EXPECT_EQ(column_top("", 1), 2200);
  EXPECT_EQ(column_top("5,5", 1), 1866);  // a comma ends the number
  EXPECT_EQ(column_top("450", 18), 533);
  EXPECT_EQ(column_top("90", 18), 1866);
  EXPECT_EQ(column_top("6", 0.25), 600);
  EXPECT_EQ(column_top("1", 0.25), 1933);
}

TEST(Thermometer, LinesMoveTogetherAndZeroIsBelowTheDesignTop) {
  form::Form window("w");
  platform::RecordingSurfaceFactory surfaces;
  Thermometer gauge(window, surfaces);
  EXPECT_EQ(gauge.top(), kColumnDesignTop);
  gauge.Afficher_Thermometre("25", 1);
  for (const form::Line* line : {&gauge.Ligne_Therm1, &gauge.Ligne_Therm2, &gauge.Ligne_Therm3}) {
    EXPECT_EQ(line->y1, 533);
    EXPECT_EQ(line->y2, kColumnBottom);
  }
  gauge.Thermometre_Zero();
  EXPECT_EQ(gauge.top(), 2200);
  EXPECT_EQ(gauge.Img_Therm.picture, "thermometer");
  EXPECT_EQ(gauge.Img_Therm.parent(), &gauge.Thermometre);

  gauge.Img_Therm_MouseMove(1);
  EXPECT_EQ(gauge.Img_Therm.tooltip, "Dans cette version, la sonde est désactivé");
  gauge.Img_Therm_MouseMove(0);
  EXPECT_EQ(gauge.Img_Therm.tooltip, "In this version, the probe is desabled");
}

}  // namespace
}  // namespace sugarlog
