#pragma once
// The online extras of the logbook's window: a connection check a few seconds after start-up,
// then the site's short text and its picture of the day, kept in the program's folder as the
// copies shown when the computer is off line; a click on the picture opens the site's page.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/form.h"
#include "platform/core/services.h"

namespace sugarlog {

// Ticks of the check: the probe starts at the first, its report is read at the fifth, and the
// sixth decides, whatever went wrong before; the check never runs longer.
inline constexpr std::int16_t kPingStartTick = 1;
inline constexpr std::int16_t kPingReadTick = 5;
inline constexpr std::int16_t kPingDecisionTick = 6;

class OnlineExtras {
 public:
  // timer: the window's Timer_Ping, whose ticks run the check; folder: the program's folder (with
  // its trailing separator) and langue: the window's language flag, both read whenever they are
  // needed.
  OnlineExtras(form::Container& window, form::Timer& timer, platform::Platform platform,
               const std::string& folder, const std::int16_t& langue);
  ~OnlineExtras();
  OnlineExtras(const OnlineExtras&) = delete;
  OnlineExtras& operator=(const OnlineExtras&) = delete;

  // The site's address from the company-name entry (start-up).
  void PA_URL();
  // One step of the connection check.
  void Timer_Ping_Timer();
  // Fetches and reads the site file, then runs then.
  void Recuperer_URL(std::function<void()> then);
  // Fetches and shows the picture of the day (from the spare address when the site's own
  // fails), then runs then.
  void Recuperer_IMG(std::function<void()> then);
  // A click on the picture: the site's page, once the check found the computer on line.
  void Image_FTP_Click();
  void Ouvre_URL();

  bool online_mark() const { return Image_FTP.pointer == form::Pointer::Custom; }
  std::filesystem::path site_file_path() const;
  std::filesystem::path picture_path(std::string_view extension) const;

  std::string Adresse_Site;
  std::int16_t Compteur_Ping = 0;
  std::int16_t En_Ligne = 0;
  std::string Texte_Site;
  std::string Page_Site;
  std::string Ext_Image;
  std::string Page_A_Ouvrir;

  form::Label Aff_Pas_Branche;
  form::PictureBox Picture2;
  form::Image Image_FTP;

 private:
  void fetch_picture(int attempt, std::function<void()> then);
  void decide();
  bool read_site_file();
  void show_stored_picture();
  void warn(std::string_view text, std::string_view title);
  // A download's handler that does nothing once this object is gone.
  std::function<void(std::string)> while_alive(std::function<void(std::string)> handler);

  form::Timer& timer_;
  platform::Platform platform_;
  const std::string& folder_;
  const std::int16_t& langue_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace sugarlog
