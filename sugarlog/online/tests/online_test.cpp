#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/core/testing/fakes.h"
#include "platform/core/testing/scratch_folder.h"
#include "sugarlog/online/linternet.h"
#include "sugarlog/online/online_extras.h"
#include "sugarlog/texts/maker.h"

namespace sugarlog {
namespace {

namespace fs = std::filesystem;
using platform::read_bytes;
using platform::write_bytes;

// ---- The rules ----

TEST(Linternet, SiteAddressesComeFromTheCompanyEntryAndTheSpareCopy) {
  EXPECT_EQ(site_address(kCompanyName), "sugarlog.example.com");
  EXPECT_EQ(site_address("Maker          "), "");  // exactly 15 characters: no address
  EXPECT_EQ(site_address("Short"), "");
  EXPECT_EQ(unscrambled(std::string_view(kScrambledSite.data(), kScrambledSite.size())),
            "hollowmere.example.org");
}

TEST(Linternet, AddressesOfTheSiteFileAndThePictureFollowTheLanguageAndTheDay) {
  EXPECT_EQ(site_file_url("a.example.com", 1), "http://a.example.com/sl/url_f.txt");
  EXPECT_EQ(site_file_url("a.example.com", 0), "http://a.example.com/sl/url_a.txt");
  EXPECT_EQ(picture_url("a.example.com", 1, 3, "gif"), "http://a.example.com/sl1/img_f3.gif");
  EXPECT_EQ(picture_url("a.example.com", 0, 7, "png"), "http://a.example.com/sl/img_a7.png");
}

TEST(Linternet, OnlyBodiesThatAreNeitherEmptyNorErrorPagesAreKept) {
  EXPECT_TRUE(valid_body("\"Text\",\"http://x.example.com\",\"jpg\""));
  EXPECT_TRUE(valid_body("<!doctype html>"));  // the error pages we know start in capitals
  EXPECT_TRUE(valid_body("<!"));
  EXPECT_FALSE(valid_body(""));
  EXPECT_FALSE(valid_body("<!D"));
  EXPECT_FALSE(valid_body("<!DOCTYPE HTML PUBLIC"));
}

TEST(Linternet, PictureExtensionsAreShortPictureFormatsOnly) {
  for (const char* good : {"jpg", "JPG", "jpeg", "png", "gif", "bmp", "Png"}) {
    EXPECT_EQ(picture_extension(good), std::string(good)) << good;
  }
  for (const char* hostile : {"", " ", "jp g", "/", "..", "../x", "a/b", "jpg/", "png.", "exe",
                              "www", "htm", "jpg\n", "abcdefghijklmnopqrst", "jpgjpg"}) {
    EXPECT_EQ(picture_extension(hostile), std::nullopt) << hostile;
  }
}

TEST(Linternet, OnlyAbsoluteWebAddressesGoToTheBrowser) {
  for (const char* good : {"http://www.example.com", "https://www.example.com/page?x=1",
                           "HTTP://Example.com:8080/a#b"}) {
    EXPECT_TRUE(is_web_page(good)) << good;
  }
  for (const char* hostile :
       {"", "file:///etc/passwd", "/usr/bin/xterm", "C:\\Windows\\calc.exe", "calc.exe",
        "javascript:alert(1)", "www.example.com", "http://", "https:///path",
        "http://user@elsewhere.example.com", "http://a.example.com/ -e /bin/sh",
        "ftp://files.example.com", "mailto:someone@example.com"}) {
    EXPECT_FALSE(is_web_page(hostile)) << hostile;
  }
}

TEST(Linternet, TheSiteFileIsReadAsThreeItems) {
  const SiteFile site =
      read_site_file("\"Our page, today\",\"http://x.example.com/p\",\"jpg\"\r\n");
  EXPECT_EQ(site.Texte_Site, "Our page, today");
  EXPECT_EQ(site.Page_Site, "http://x.example.com/p");
  EXPECT_EQ(site.Ext_Image, "jpg");
  const SiteFile short_file = read_site_file("Only text\r\n");
  EXPECT_EQ(short_file.Texte_Site, "Only text");
  EXPECT_EQ(short_file.Page_Site, "");
  EXPECT_EQ(short_file.Ext_Image, "");
}

TEST(Linternet, APingReportShowsAnAnswerOnlyWhenOneCameBack) {
  const std::string answered =
      "PING 192.0.2.1 (192.0.2.1) 56(84) bytes of data.\n"
      "64 bytes from 192.0.2.1: icmp_seq=1 ttl=55 time=12.3 ms\n";
  const std::string statistics =
      "--- 192.0.2.1 ping statistics ---\n"
      "1 packets transmitted, 1 received, 0% packet loss, time 0ms\n";
  const std::string lost =
      "PING 192.0.2.1 (192.0.2.1) 56(84) bytes of data.\n\n--- 192.0.2.1 ping statistics ---\n"
      "3 packets transmitted, 0 received, 100% packet loss, time 2040ms\n";
  const std::string unreachable =
      "PING 192.0.2.1 (192.0.2.1) 56(84) bytes of data.\n"
      "From 192.0.2.9 icmp_seq=1 Destination Host Unreachable\n\n"
      "--- 192.0.2.1 ping statistics ---\n"
      "1 packets transmitted, 0 received, +1 errors, 100% packet loss, time 0ms\n";
  EXPECT_TRUE(ping_shows_reply(answered));
  EXPECT_TRUE(ping_shows_reply(statistics));
  EXPECT_FALSE(ping_shows_reply(lost));
  EXPECT_FALSE(ping_shows_reply(unreachable));
  EXPECT_FALSE(ping_shows_reply("ping: sugarlog.example.com: Name or service not known\n"));
  EXPECT_FALSE(ping_shows_reply(""));
}

// ---- The check and the downloads ----

constexpr std::string_view kSiteUrlEn = "http://sugarlog.example.com/sl/url_a.txt";
constexpr std::string_view kSiteUrlFr = "http://sugarlog.example.com/sl/url_f.txt";
constexpr std::string_view kSiteBody =
    "\"Recipes for the week\",\" https://www.example.com/week \",\"jpg\"\r\n";
constexpr std::string_view kReply = "64 bytes from 192.0.2.1: icmp_seq=1 ttl=55 time=12.3 ms\n";

class OnlineTest : public ::testing::Test {
 protected:
  OnlineTest() {
    // 9 June 2026 is a Tuesday.
    fake_.clock.set(platform::date_serial(2026, 6, 9) + platform::time_serial(9, 0));
    folder_ = scratch_.path().string() + "/";
    online_ = std::make_unique<OnlineExtras>(window_, timer_, fake_.platform(), folder_, langue_);
    online_->PA_URL();
  }

  fs::path file(std::string_view name) const { return scratch_.path() / name; }

  // Ticks the check until it decides.
  void run_check(std::optional<std::string> report) {
    fake_.probe.report = std::move(report);
    for (int tick = 1; tick <= kPingDecisionTick; ++tick) {
      ASSERT_TRUE(timer_.enabled) << "tick " << tick;
      timer_.tick();
    }
  }

  platform::ScratchFolder scratch_{"sugarlog-online"};
  platform::FakePlatform fake_;
  form::Form window_{"Fenetre"};
  form::Timer timer_{&window_, "Timer_Ping", 1000, true};
  std::string folder_;
  std::int16_t langue_ = 0;
  std::unique_ptr<OnlineExtras> online_;
};

TEST_F(OnlineTest, WithoutAnAnswerTheStoredCopiesAreShownAndTheClickDoesNothing) {
  write_bytes(file("site.www"), kSiteBody);
  write_bytes(file("image.jpg"), "stored picture");
  fake_.probe.report = "1 packets transmitted, 0 received, 100% packet loss\n";
  for (int tick = 1; tick < kPingDecisionTick; ++tick) timer_.tick();
  EXPECT_EQ(fake_.probe.started, std::vector<std::string>{std::string(kReferenceHost)});
  EXPECT_TRUE(timer_.enabled);  // nothing decided before the sixth tick
  EXPECT_EQ(online_->Aff_Pas_Branche.caption, "1");

  timer_.tick();
  EXPECT_FALSE(timer_.enabled);
  EXPECT_EQ(online_->Aff_Pas_Branche.caption, "0");
  EXPECT_EQ(online_->Compteur_Ping, 0);
  EXPECT_EQ(fake_.probe.finished, 1);
  EXPECT_TRUE(fake_.http.requested.empty());
  EXPECT_EQ(online_->Image_FTP.file(), file("image.jpg").string());
  EXPECT_EQ(online_->Image_FTP.tooltip, "");
  EXPECT_FALSE(online_->online_mark());

  online_->Image_FTP.on_click();
  EXPECT_TRUE(fake_.browser.opened.empty());
  EXPECT_TRUE(fake_.dialogs.messages.empty());
  timer_.tick();  // a tick still on its way changes nothing
  EXPECT_EQ(online_->Compteur_Ping, 0);
  EXPECT_EQ(fake_.probe.started.size(), 1u);
}

TEST_F(OnlineTest, AProbeThatCannotRunOrReportMeansOfflineAfterSixTicks) {
  fake_.probe.can_start = false;
  run_check(std::nullopt);
  EXPECT_FALSE(timer_.enabled);
  EXPECT_EQ(online_->Aff_Pas_Branche.caption, "0");
  EXPECT_EQ(online_->En_Ligne, 0);
  EXPECT_TRUE(fake_.http.requested.empty());
  EXPECT_EQ(online_->Image_FTP.file(), "");  // nothing stored, the banner stays
}

TEST_F(OnlineTest, AnAnswerInFrenchOnATuesdayFetchesTheSiteFileThenTheDaysPicture) {
  langue_ = 1;
  const std::string picture_url = "http://sugarlog.example.com/sl1/img_f3.jpg";
  fake_.http.bodies[std::string(kSiteUrlFr)] = std::string(kSiteBody);
  fake_.http.bodies[picture_url] = "fresh picture";
  run_check(std::string(kReply));
  EXPECT_FALSE(timer_.enabled);
  EXPECT_EQ(online_->Aff_Pas_Branche.caption, "1");
  // The downloads are on their way: the window goes on meanwhile, not yet clickable.
  EXPECT_EQ(fake_.http.waiting(), 1u);
  EXPECT_FALSE(online_->online_mark());

  fake_.http.deliver();
  EXPECT_EQ(fake_.http.requested, (std::vector<std::string>{std::string(kSiteUrlFr), picture_url}));
  EXPECT_EQ(read_bytes(file("site.www")), kSiteBody);
  EXPECT_EQ(read_bytes(file("image.jpg")), "fresh picture");
  EXPECT_EQ(online_->Image_FTP.file(), file("image.jpg").string());
  EXPECT_EQ(online_->Image_FTP.tooltip, "Visitez: Recipes for the week");
  EXPECT_TRUE(online_->online_mark());

  online_->Image_FTP.on_click();
  EXPECT_EQ(fake_.browser.opened, std::vector<std::string>{"https://www.example.com/week"});
  EXPECT_TRUE(fake_.dialogs.messages.empty());
}

TEST_F(OnlineTest, ErrorPagesAreNeverSavedAndTheOlderCopiesStay) {
  write_bytes(file("site.www"), kSiteBody);
  write_bytes(file("image.jpg"), "older picture");
  fake_.http.bodies[std::string(kSiteUrlEn)] = "<!DOCTYPE html><p>Not found</p>";
  fake_.http.bodies["http://sugarlog.example.com/sl/img_a3.jpg"] = "<!DOCTYPE html>";
  fake_.http.bodies["http://hollowmere.example.org/sl/img_a3.jpg"] = "<!DOCTYPE html>";
  run_check(std::string(kReply));
  fake_.http.deliver();
  EXPECT_EQ(read_bytes(file("site.www")), kSiteBody);
  EXPECT_EQ(read_bytes(file("image.jpg")), "older picture");
  EXPECT_EQ(online_->Image_FTP.file(), file("image.jpg").string());
  EXPECT_EQ(online_->Adresse_Site, "hollowmere.example.org");  // what the About box shows
  EXPECT_TRUE(online_->online_mark());
}

TEST_F(OnlineTest, ThePictureComesFromTheSpareAddressWhenTheSitesOwnFails) {
  fake_.http.bodies[std::string(kSiteUrlEn)] = std::string(kSiteBody);
  fake_.http.bodies["http://hollowmere.example.org/sl/img_a3.jpg"] = "spare picture";
  run_check(std::string(kReply));
  fake_.http.deliver();
  EXPECT_EQ(fake_.http.requested.back(), "http://hollowmere.example.org/sl/img_a3.jpg");
  EXPECT_EQ(read_bytes(file("image.jpg")), "spare picture");
  EXPECT_EQ(online_->Image_FTP.tooltip, "Visit: Recipes for the week");
  online_->PA_URL();  // start-up again: the site's own address is back
  EXPECT_EQ(online_->Adresse_Site, "sugarlog.example.com");
}

TEST_F(OnlineTest, AShorterBodyReplacesALongerCopyWhole) {
  write_bytes(file("site.www"), std::string(kSiteBody) + std::string(500, 'x'));
  write_bytes(file("image.jpg"), std::string(5000, 'p'));
  fake_.http.bodies[std::string(kSiteUrlEn)] = std::string(kSiteBody);
  fake_.http.bodies["http://sugarlog.example.com/sl/img_a3.jpg"] = "short";
  run_check(std::string(kReply));
  fake_.http.deliver();
  EXPECT_EQ(read_bytes(file("site.www")), kSiteBody);
  EXPECT_EQ(read_bytes(file("image.jpg")), "short");
}

TEST_F(OnlineTest, AHostileExtensionFetchesSavesAndShowsNothing) {
  for (const char* extension : {"../../evil", "/", "..", " ", "abcdefghijklmnopqrst", "exe"}) {
    SCOPED_TRACE(extension);
    fake_.http.requested.clear();
    online_->Image_FTP.load_file("");
    online_->Adresse_Site = "sugarlog.example.com";
    const std::string body =
        "\"Text\",\"http://www.example.com\",\"" + std::string(extension) + "\"";
    fake_.http.bodies[std::string(kSiteUrlEn)] = body;
    bool done = false;
    online_->Recuperer_URL([&] { online_->Recuperer_IMG([&] { done = true; }); });
    fake_.http.deliver();
    EXPECT_TRUE(done);
    EXPECT_EQ(fake_.http.requested.size(), 1u);  // the site file only
    EXPECT_EQ(online_->Image_FTP.file(), "");
  }
  // Nothing but the site file was written.
  int files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(scratch_.path())) ++files;
  EXPECT_EQ(files, 1);
  EXPECT_FALSE(fs::exists(scratch_.path().parent_path() / "evil"));
}

TEST_F(OnlineTest, AHostilePageAddressIsRefusedWithTheMessage) {
  online_->Image_FTP.pointer = form::Pointer::Custom;
  for (const char* page : {"file:///etc/passwd", "/usr/bin/xterm", "xterm -e sh", ""}) {
    online_->Page_Site = page;
    online_->Image_FTP.on_click();
  }
  EXPECT_TRUE(fake_.browser.opened.empty());
  ASSERT_EQ(fake_.dialogs.messages.size(), 4u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, "Web Page not Opened");
  EXPECT_EQ(fake_.dialogs.messages[0].title, "URL Failed");
  EXPECT_EQ(fake_.dialogs.messages[0].icon, platform::Icon::Exclamation);
}

TEST_F(OnlineTest, ABrowserThatIsMissingOrFailsIsReported) {
  online_->Image_FTP.pointer = form::Pointer::Custom;
  online_->Page_Site = "http://www.example.com";
  fake_.browser.outcome = platform::BrowserOutcome::NoBrowser;
  online_->Image_FTP.on_click();
  fake_.browser.outcome = platform::BrowserOutcome::Failed;
  online_->Image_FTP.on_click();
  ASSERT_EQ(fake_.dialogs.messages.size(), 2u);
  EXPECT_EQ(fake_.dialogs.messages[0].text, "Could not find your default Browser");
  EXPECT_EQ(fake_.dialogs.messages[0].title, "Browser Not Found");
  EXPECT_EQ(fake_.dialogs.messages[1].text, "Web Page not Opened");
}

TEST_F(OnlineTest, ADownloadThatArrivesAfterTheWindowWentDoesNothing) {
  fake_.http.bodies[std::string(kSiteUrlEn)] = std::string(kSiteBody);
  run_check(std::string(kReply));
  online_.reset();
  fake_.http.deliver();
  EXPECT_FALSE(fs::exists(file("site.www")));
}

}  // namespace
}  // namespace sugarlog
