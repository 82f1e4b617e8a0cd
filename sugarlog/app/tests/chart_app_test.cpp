// The chart in the real window: the scroll bar under it and the History menu, as a user works
// them, on a logbook of the last two months.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <filesystem>
#include <fstream>

#include "platform/core/testing/scratch_folder.h"
#include "platform/qt/qt_services.h"
#include "sugarlog/app/sugarlog_app.h"

namespace {

namespace fs = std::filesystem;

// Where the chart shows yellow: the tests.
std::vector<QPoint> yellow_pixels(const QImage& image) {
  std::vector<QPoint> out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == QColor(255, 255, 0)) out.emplace_back(x, y);
    }
  }
  return out;
}

class ChartAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.path() / "program");
    fs::create_directories(scratch_.path() / "config");
    // A test every day of the last sixty, each day at its own height.
    std::ofstream out(scratch_.path() / "program" / "Diabete.dbk", std::ios::binary);
    const platform::Serial today = platform_qt::QtClock().today();
    for (int day = 0; day < 60; ++day) {
      out << '"' << platform::format_serial(today - day, "dd/mm/yy") << "\",\"08:00\",\"0"
          << 4 + day % 6 << ".5\",\"\"\r\n";
    }
  }

  QWidget* find(const char* name) const { return window_->findChild<QWidget*>(name); }
  QString text(const char* name) const { return static_cast<QLabel*>(find(name))->text(); }
  QImage chart() const { return find("Graphique")->grab().toImage(); }
  QAction* action(const QString& caption) const {
    for (QAction* a : window_->findChildren<QAction*>()) {
      if (a->text() == caption) return a;
    }
    return nullptr;
  }

  platform::ScratchFolder scratch_{"sugarlog-chart-app"};
  std::unique_ptr<sugarlog_app::Program> program_;
  QWidget* window_ = nullptr;
};

TEST_F(ChartAppTest, ThePageBackOfTheScrollBarAndTheHistoryMenuChangeTheChart) {
  program_ = std::make_unique<sugarlog_app::Program>(scratch_.path() / "program",
                                                     scratch_.path() / "config");
  ASSERT_TRUE(program_->start());
  window_ = program_->qt().renderer().widget_for(program_->window());
  QApplication::processEvents();

  const QString today = text("Aff_Date");
  const auto week = yellow_pixels(chart());
  ASSERT_FALSE(week.empty());
  auto* bar = window_->findChild<QScrollBar*>("Curseur");
  ASSERT_TRUE(bar->isEnabled());
  EXPECT_EQ(bar->value(), bar->maximum());

  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  QApplication::processEvents();
  EXPECT_NE(text("Aff_Date"), today);
  EXPECT_EQ(program_->window().Curseur.value(), 32767 - 7);
  const auto week_before = yellow_pixels(chart());
  ASSERT_FALSE(week_before.empty());
  EXPECT_NE(week_before, week);

  EXPECT_TRUE(find("Aff_Jour(7)")->isVisible());
  EXPECT_FALSE(find("Aff_Mois(12)")->isVisible());
  QAction* year = action("&Month/Year");
  ASSERT_NE(year, nullptr);
  year->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(find("Aff_Jour(7)")->isVisible());
  EXPECT_TRUE(find("Aff_Mois(12)")->isVisible());
  EXPECT_EQ(text("Aff_Mois(12)").size(), 3);
  EXPECT_TRUE(action("&Month/Year")->isChecked());
  EXPECT_FALSE(action("&Day/Week")->isChecked());
  EXPECT_EQ(text("Aff_Date").left(6), today.left(6));  // back on today
  EXPECT_NE(yellow_pixels(chart()), week);
}

}  // namespace
