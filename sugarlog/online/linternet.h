#pragma once
// The rules of the online extras that need no network: the site's address and its spare copy,
// the addresses of the site file and the picture of the day, what counts as a good body, what
// the site may name as a picture extension or a web page, and how a ping report shows an answer.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sugarlog {

// Bodies above these sizes are taken as bad downloads.
inline constexpr std::size_t kMaxSiteFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxPictureBytes = 4 * 1024 * 1024;

// The site's address: the company-name entry from its 16th character on.
std::string site_address(std::string_view company_name);
// The spare address: every character of the scrambled copy plus the copy's length.
std::string unscrambled(std::string_view scrambled);

// A body worth keeping: not empty, and not an error page ("<!D...").
bool valid_body(std::string_view body);

std::string site_file_url(std::string_view adresse_site, std::int16_t langue);
// weekday: 1 for Sunday to 7 for Saturday.
std::string picture_url(std::string_view adresse_site, std::int16_t langue, int weekday,
                        std::string_view ext_image);

// The picture extension the site file names, when it is one the window can show (letters and
// digits only, a picture format known to the desktop); nothing for anything else, which would
// otherwise name a file of its choosing in the program's folder.
std::optional<std::string> picture_extension(std::string_view ext_image);

// True for an absolute http or https address with a host and nothing a browser should not be
// handed (blanks, control characters); local files, other schemes and commands are refused.
bool is_web_page(std::string_view address);

// The site file's three values, read as the sequential reader reads them; missing values stay
// empty.
struct SiteFile {
  std::string Texte_Site;
  std::string Page_Site;
  std::string Ext_Image;
};
SiteFile read_site_file(std::string bytes);

// True when a ping report shows that an answer came back: an echo reply line, or statistics
// counting at least one packet received.
bool ping_shows_reply(std::string_view report);

}  // namespace sugarlog
