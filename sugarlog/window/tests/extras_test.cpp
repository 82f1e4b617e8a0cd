// The Help screens, the online extras inside the window, and printing the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "platform/core/version.h"
#include "sugarlog/window/fenetre.h"

namespace sugarlog {
namespace {

namespace fs = std::filesystem;

constexpr platform::Colour kYellow = platform::rgb(255, 255, 0);
constexpr platform::Colour kCyan = platform::rgb(0, 255, 255);

// A window on a logbook of two tests, the clock at 12 June 2026, 14:30, an English locale.
class ExtrasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_ / "program");
    fs::create_directories(scratch_ / "config");
    std::ofstream(scratch_ / "program" / "Diabete.dbk", std::ios::binary)
        << "\"11/06/26\",\"08:00\",\"05.5\",\"\"\r\n\"01/06/26\",\"08:00\",\"07.5\",\"\"\r\n";
    fake_.clock.set(platform::date_serial(2026, 6, 12) + platform::time_serial(14, 30));
  }

  Fenetre& start() {
    window_ =
        std::make_unique<Fenetre>(fake_.platform(), scratch_ / "program", scratch_ / "config");
    window_->Form_Load();
    return *window_;
  }

  const platform::ShownMessage& last_message() const { return fake_.dialogs.messages.back(); }

  // Two plot lines as the chart draws them: a test in yellow, a day without test in cyan.
  static void plot_two_lines(Fenetre& w) {
    w.chart.Ligne.load(1).border_colour = kYellow;
    w.chart.Ligne.load(2).border_colour = kCyan;
    w.chart.Ligne[1].visible = w.chart.Ligne[2].visible = true;
    w.frame.Prochaine_Ligne = 3;
  }

  platform::ScratchFolder scratch_{"sugarlog-extras"};
  platform::FakePlatform fake_;
  std::unique_ptr<Fenetre> window_;
};

// ---- Help ----

TEST_F(ExtrasTest, EnglishHelpShowsTheNoticeAndTheAboutBoxButNoChecklists) {
  Fenetre& w = start();
  EXPECT_FALSE(w.Menu_Recom->visible);
  w.Menu_Import->user_clicks();
  EXPECT_EQ(last_message().text,
            "In some case, the conditions for a good working application:\n\n"
            "the system decimal separator should be the dot\n"
            "and the system short date should be [dd/mm/yy]");
  EXPECT_EQ(last_message().title, "Message");
  EXPECT_EQ(last_message().icon, platform::Icon::Information);

  w.Menu_Apropos->user_clicks();
  EXPECT_EQ(last_message().title, "Version: " + std::string(platform::kVersion));
  EXPECT_EQ(last_message().icon, platform::Icon::None);
  EXPECT_EQ(last_message().buttons, platform::Buttons::Ok);
  EXPECT_EQ(last_message().text,
            "The Sugarlog\nBlood glucose logbook\n\nHollowmere\nE-mail: sugarlog@example.com\n"
            "sugarlog.example.com");
}

TEST_F(ExtrasTest, FrenchHelpShowsTheChecklistsWordForWord) {
  fake_.locale.language = "French";
  Fenetre& w = start();
  EXPECT_TRUE(w.Menu_Recom->visible);
  w.Menu_Import->user_clicks();
  EXPECT_EQ(last_message().text,
            "Dans certain cas, pour que ce logiciel fonctionne adéquatement:\n\n"
            "le séparateur de décimales de votre système doit être le point\n"
            "et le format de date de votre système doit être [jj/mm/aa]");

  const std::string opening =
      "Les obligations que doit suivre un médecin pour le suivi d'un diabétique non "
      "insulinodépendant.\n\n";
  const std::string closing =
      "\n\nANAES = Agence Nationale d'Accréditation et d'Évaluation en Santé";
  w.Menu_TroisMois->user_clicks();
  EXPECT_EQ(last_message().title, "Recommandations de l'ANAES, via Dr Valcourt (fr.)");
  EXPECT_EQ(last_message().icon, platform::Icon::Information);
  EXPECT_EQ(last_message().text,
            opening +
                "Tous les 3 ou 4 mois:\n\n- Surveiller l'observance du traitemement\n"
                "- Surveiller les règles hygiénodiététiques\n- Autosurveillance glycémiqe\n"
                "- Poids\n- Tension artérielle\n- Examen des pieds\n"
                "- Hémoglobine glycosylée ou HBA1c" +
                closing);

  w.Menu_An->user_clicks();
  const std::string& yearly = last_message().text;
  EXPECT_EQ(yearly.substr(0, opening.size()), opening);
  EXPECT_EQ(yearly.substr(opening.size(), 44), "Une fois par année:\n\n- Examen des pieds\n- R");
  EXPECT_NE(yearly.find("HDL cholestérol,\n   cholestérol total et triglycérides\n- Créat"),
            std::string::npos);
  EXPECT_EQ(yearly.substr(yearly.size() - closing.size() - 31),
            "- Recherche de microalbuminurie" + closing);
  // Two line feeds around the heading and the closing line each, fourteen between the items.
  EXPECT_EQ(std::count(yearly.begin(), yearly.end(), '\n'), 2 + 2 + 14 + 2);

  w.Menu_Apropos->user_clicks();
  EXPECT_EQ(last_message().text,
            "Le Sugarlog\nCarnet de glycémie\n\nHollowmere\nCourriel: sugarlog@example.com\n"
            "sugarlog.example.com");
}

TEST_F(ExtrasTest, AboutShowsTheSpareAddressAfterAFailedPictureUntilTheNextStartUp) {
  Fenetre& w = start();
  fake_.probe.report = "64 bytes from 192.0.2.1: icmp_seq=1 ttl=55 time=1 ms\n";
  fake_.http.bodies["http://sugarlog.example.com/sl/url_a.txt"] =
      "\"Hello\",\"http://x.example.com\",\"png\"";
  for (int tick = 0; tick < 6; ++tick) w.Timer_Ping.tick();
  fake_.http.deliver();
  EXPECT_TRUE(w.online.online_mark());
  w.Menu_Apropos->user_clicks();
  EXPECT_EQ(last_message().text.substr(last_message().text.rfind('\n') + 1),
            "hollowmere.example.org");

  w.Menu_Sauve_Click();                // saving runs the start-up again
  EXPECT_FALSE(w.Timer_Ping.enabled);  // but not the check
  EXPECT_TRUE(w.online.online_mark());
  w.Menu_Apropos->user_clicks();
  EXPECT_EQ(last_message().text.substr(last_message().text.rfind('\n') + 1),
            "sugarlog.example.com");
}

// ---- Printing ----

TEST_F(ExtrasTest, PrintChartArmsBlinksAndDisarms) {
  Fenetre& w = start();
  ASSERT_TRUE(w.Menu_Impr_Graph->enabled);
  EXPECT_FALSE(w.Img_Cam1.visible);
  EXPECT_FALSE(w.Img_Cam2.visible);
  EXPECT_FALSE(w.Timer_Camera.enabled);

  w.Menu_Impr_Graph->user_clicks();
  EXPECT_TRUE(w.Menu_Impr_Graph->checked);
  EXPECT_TRUE(w.Timer_Camera.enabled);
  EXPECT_EQ(w.Timer_Camera.interval_ms, 500);
  EXPECT_TRUE(w.Img_Cam1.visible);
  EXPECT_FALSE(w.Img_Cam2.visible);
  w.Timer_Camera.tick();
  EXPECT_FALSE(w.Img_Cam1.visible);
  EXPECT_TRUE(w.Img_Cam2.visible);
  w.Timer_Camera.tick();
  EXPECT_TRUE(w.Img_Cam1.visible);
  EXPECT_FALSE(w.Img_Cam2.visible);

  w.Timer_Camera.tick();  // the second frame is up when printing is disarmed
  w.Menu_Impr_Graph->user_clicks();
  EXPECT_FALSE(w.Menu_Impr_Graph->checked);
  EXPECT_FALSE(w.Timer_Camera.enabled);
  EXPECT_FALSE(w.Img_Cam1.visible);
  EXPECT_FALSE(w.Img_Cam2.visible);
  w.Timer_Camera.tick();  // a tick already on its way
  EXPECT_FALSE(w.Img_Cam1.visible);
  EXPECT_FALSE(w.Img_Cam2.visible);
  EXPECT_FALSE(w.Timer_Camera.enabled);
}

TEST_F(ExtrasTest, ThePageIsBlackOnWhiteAndTheScreenComesBackExactly) {
  Fenetre& w = start();
  plot_two_lines(w);
  w.Aff_Resultat.visible = false;  // hidden before printing: stays hidden after
  w.Menu_Impr_Graph->user_clicks();
  w.Timer_Camera.tick();  // the second frame shows
  const auto window_back = w.back_colour;
  const auto date_text = w.Aff_Date.fore_colour;
  const auto objective = w.chart.Objectif1.border_colour;
  const auto day_title_back = w.chart.Aff_Jour[7].back_colour;

  bool looked = false;
  fake_.printer.on_print = [&](const form::Form& printed) {
    looked = true;
    EXPECT_EQ(&printed, &w);
    EXPECT_EQ(w.back_colour, platform::kWhite);
    EXPECT_EQ(w.chart.Graphique.back_colour, platform::kWhite);
    EXPECT_EQ(w.chart.Graphique.surface().back_colour(), platform::kWhite);
    for (const form::Control* child : w.chart.Graphique.children()) {
      if (child->kind() == form::Kind::Line) {
        EXPECT_EQ(static_cast<const form::Line*>(child)->border_colour, platform::kBlack)
            << child->name();
      }
    }
    for (const form::Control* hidden : std::initializer_list<const form::Control*>{
             &w.gauge.Thermometre, &w.Curseur, &w.Bout_Auj, &w.Information, &w.Aff_Heure,
             &w.Img_Cam1, &w.Img_Cam2, &w.Aff_Resultat}) {
      EXPECT_FALSE(hidden->visible) << hidden->name();
    }
    for (const form::Control* text : std::initializer_list<const form::Control*>{
             &w.Aff_Date, &w.chart.Aff_Moyenne, &w.chart.Aff_mmol, &w.chart.Aff_Niveau[3],
             &w.chart.Aff_Optimal, &w.chart.Cadre_Resultats}) {
      EXPECT_EQ(text->fore_colour, platform::kBlack) << text->name();
    }
    EXPECT_EQ(w.chart.Aff_Jour[7].back_colour, kYellow);
    EXPECT_EQ(w.chart.Aff_Mois[12].back_colour, kYellow);
  };
  w.Img_Cam2.on_click();
  ASSERT_TRUE(looked);
  EXPECT_EQ(fake_.printer.printed, std::vector<std::string>{"Fenetre"});

  EXPECT_EQ(w.chart.Ligne[1].border_colour, kYellow);
  EXPECT_EQ(w.chart.Ligne[2].border_colour, kCyan);
  EXPECT_EQ(w.chart.Objectif1.border_colour, objective);
  EXPECT_EQ(w.chart.Graphique.back_colour, kChartBlack);
  EXPECT_EQ(w.chart.Graphique.surface().back_colour(), kChartBlack);
  EXPECT_EQ(w.back_colour, window_back);
  EXPECT_EQ(w.Aff_Date.fore_colour, date_text);
  EXPECT_EQ(w.chart.Aff_Jour[7].back_colour, day_title_back);
  EXPECT_FALSE(w.Aff_Resultat.visible);
  EXPECT_FALSE(w.Img_Cam1.visible);
  EXPECT_TRUE(w.Img_Cam2.visible);
  EXPECT_TRUE(w.gauge.Thermometre.visible);
  EXPECT_TRUE(w.Curseur.visible);
  EXPECT_TRUE(w.Menu_Impr_Graph->checked);      // still armed
  EXPECT_TRUE(fake_.dialogs.messages.empty());  // a printer took the page
}

TEST_F(ExtrasTest, TheWeekMonthAverageIsPrintedAndAnEmptyChartPrintsToo) {
  Fenetre& w = start();
  w.Menu_Sem->checked = false;
  w.Menu_Mois->checked = true;
  Effacer_Graph(w.frame, w.chart);  // nothing plotted
  ASSERT_LE(w.frame.Prochaine_Ligne, 1);
  bool average_shown = false;
  fake_.printer.on_print = [&](const form::Form&) { average_shown = w.Aff_Resultat.visible; };
  w.Img_Cam1.on_click();
  EXPECT_TRUE(average_shown);
  EXPECT_EQ(fake_.printer.printed.size(), 1u);
}

TEST_F(ExtrasTest, APageWrittenToAFileTellsWhereAndAFailedPrintSaysNothing) {
  Fenetre& w = start();
  fake_.printer.pdf = "/home/someone/Fenetre-20260612.pdf";
  w.Img_Cam1.on_click();
  ASSERT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(last_message().text,
            "No printer is installed. The page was saved as a PDF file:\n\n"
            "/home/someone/Fenetre-20260612.pdf");
  fake_.printer.fail = true;
  w.Img_Cam1.on_click();
  EXPECT_EQ(fake_.dialogs.messages.size(), 1u);
  EXPECT_EQ(w.chart.Graphique.back_colour, kChartBlack);
}

}  // namespace
}  // namespace sugarlog
