#include "sugarlog/online/online_extras.h"

#include <system_error>

#include "platform/core/file_io.h"
#include "platform/core/number.h"
#include "platform/core/text_util.h"
#include "sugarlog/online/linternet.h"
#include "sugarlog/texts/maker.h"
#include "sugarlog/texts/messages.h"

namespace sugarlog {

namespace {

bool file_exists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

OnlineExtras::OnlineExtras(form::Container& window, form::Timer& timer, platform::Platform platform,
                           const std::string& folder, const std::int16_t& langue)
    : Aff_Pas_Branche(&window, "Aff_Pas_Branche", "1"),
      Picture2(&window, "Picture2", platform.surfaces),
      Image_FTP(&Picture2, "Image_FTP", "banner"),
      timer_(timer),
      platform_(platform),
      folder_(folder),
      langue_(langue) {
  Aff_Pas_Branche.visible = false;
  // The picture fills the box, which draws no border of its own around it.
  Picture2.border = false;
  Picture2.set_bounds(0, 0, 4545, 615);
  Image_FTP.set_bounds(0, 0, 4545, 615);
  Image_FTP.stretch = true;
  timer_.on_tick = [this] { Timer_Ping_Timer(); };
  Image_FTP.on_click = [this] { Image_FTP_Click(); };
  // A double click starts with a click, which has opened the page already.
}

OnlineExtras::~OnlineExtras() {
  *alive_ = false;
}

std::function<void(std::string)> OnlineExtras::while_alive(
    std::function<void(std::string)> handler) {
  return [alive = alive_, handler = std::move(handler)](std::string body) {
    if (*alive) handler(std::move(body));
  };
}

std::filesystem::path OnlineExtras::site_file_path() const {
  return std::filesystem::path(folder_) / "site.www";
}

std::filesystem::path OnlineExtras::picture_path(std::string_view extension) const {
  return std::filesystem::path(folder_) / ("image." + std::string(extension));
}

void OnlineExtras::PA_URL() {
  Adresse_Site = site_address(kCompanyName);
}

void OnlineExtras::Timer_Ping_Timer() {
  if (platform::val(Aff_Pas_Branche.caption) == 0) {
    timer_.enabled = false;
    return;
  }
  ++Compteur_Ping;
  if (Compteur_Ping == kPingStartTick) {
    // A probe that cannot start leaves no report: the check then decides "off line".
    platform_.probe.start(std::string(kReferenceHost));
  } else if (Compteur_Ping == kPingReadTick) {
    if (const auto report = platform_.probe.output()) En_Ligne = ping_shows_reply(*report) ? 1 : 0;
  } else if (Compteur_Ping >= kPingDecisionTick) {
    decide();
  }
}

void OnlineExtras::decide() {
  platform_.probe.finish();
  timer_.enabled = false;
  Compteur_Ping = 0;
  if (En_Ligne == 1) {
    Recuperer_URL([this] { Recuperer_IMG([this] { Image_FTP.pointer = form::Pointer::Custom; }); });
    return;
  }
  Image_FTP.pointer = form::Pointer::Default;
  Aff_Pas_Branche.caption = "0";
  read_site_file();
  show_stored_picture();
}

void OnlineExtras::Recuperer_URL(std::function<void()> then) {
  if (Adresse_Site.empty()) {
    then();
    return;
  }
  platform_.http.get(site_file_url(Adresse_Site, langue_), kMaxSiteFileBytes,
                     while_alive([this, then](std::string body) {
                       // A copy that cannot be written leaves the previous one, whole.
                       if (valid_body(body))
                         (void)platform::write_file_atomic(site_file_path(), body);
                       if (read_site_file()) {
                         Image_FTP.tooltip = std::string(text::kVisitTip.in(langue_)) + Texte_Site;
                       }
                       then();
                     }));
}

void OnlineExtras::Recuperer_IMG(std::function<void()> then) {
  fetch_picture(1, std::move(then));
}

void OnlineExtras::fetch_picture(int attempt, std::function<void()> then) {
  const auto extension = picture_extension(Ext_Image);
  if (!extension) {
    then();
    return;
  }
  const std::string url =
      picture_url(Adresse_Site, langue_, platform::weekday_of(platform_.clock.today()), *extension);
  platform_.http.get(
      url, kMaxPictureBytes, while_alive([this, attempt, then, extension](std::string body) {
        if (valid_body(body)) {
          (void)platform::write_file_atomic(picture_path(*extension), body);
        } else if (attempt == 1) {
          Adresse_Site =
              unscrambled(std::string_view(kScrambledSite.data(), kScrambledSite.size()));
          fetch_picture(2, then);
          return;
        }
        show_stored_picture();
        then();
      }));
}

bool OnlineExtras::read_site_file() {
  const std::filesystem::path path = site_file_path();
  if (!file_exists(path)) return false;
  platform::FileRead read = platform::read_file(path);
  if (read.error) return false;
  SiteFile site = sugarlog::read_site_file(std::move(read.bytes));
  Texte_Site = std::move(site.Texte_Site);
  Page_Site = std::move(site.Page_Site);
  Ext_Image = std::move(site.Ext_Image);
  return true;
}

void OnlineExtras::show_stored_picture() {
  const auto extension = picture_extension(Ext_Image);
  if (!extension) return;
  const std::filesystem::path path = picture_path(*extension);
  if (file_exists(path)) Image_FTP.load_file(path.string());
}

void OnlineExtras::Image_FTP_Click() {
  if (!online_mark()) return;
  Page_A_Ouvrir = std::string(platform::trimmed(Page_Site, " "));
  Ouvre_URL();
}

void OnlineExtras::Ouvre_URL() {
  // The address comes from the network: only a web page goes to the browser.
  if (!is_web_page(Page_A_Ouvrir)) {
    warn(text::kPageNotOpened, text::kPageNotOpenedTitle);
    return;
  }
  switch (platform_.browser.open_page(Page_A_Ouvrir)) {
    case platform::BrowserOutcome::Opened:
      break;
    case platform::BrowserOutcome::NoBrowser:
      warn(text::kNoBrowser, text::kNoBrowserTitle);
      break;
    case platform::BrowserOutcome::Failed:
      warn(text::kPageNotOpened, text::kPageNotOpenedTitle);
      break;
  }
}

void OnlineExtras::warn(std::string_view text, std::string_view title) {
  platform_.dialogs.message_box(std::string(text), platform::Buttons::Ok,
                                platform::Icon::Exclamation, std::string(title));
}

}  // namespace sugarlog
