#pragma once
// Who makes the logbook and where its site lives: the company-name entry of the version
// information, the maker's e-mail address, the scrambled spare copy of the site's address, and
// the host the connection check asks for an answer. The domains are reserved example domains
// until the logbook has a site of its own.
#include <array>
#include <cstddef>
#include <string_view>

namespace sugarlog {

// The maker's name padded to 15 characters, then the site's address (host and path).
inline constexpr std::string_view kCompanyName = "Hollowmere     sugarlog.example.com";
inline constexpr std::size_t kCompanyNameWidth = 15;

inline constexpr std::string_view kMakerEmail = "sugarlog@example.com";

// The spare address, kept apart from the version information so that a changed entry cannot
// take the picture of the day with it: every character is stored as its code minus the text's
// length, 22, and rebuilt by adding it back.
inline constexpr std::size_t kSpareSiteLength = 22;
inline constexpr std::array<char, kSpareSiteLength> scrambled_site(std::string_view address) {
  if (address.size() != kSpareSiteLength) throw "the spare address must be 22 characters long";
  std::array<char, kSpareSiteLength> out{};
  for (std::size_t i = 0; i < kSpareSiteLength; ++i) {
    out[i] = static_cast<char>(address[i] - static_cast<char>(kSpareSiteLength));
  }
  return out;
}
inline constexpr std::array<char, kSpareSiteLength> kScrambledSite =
    scrambled_site("hollowmere.example.org");

// The connection check asks the site's own host: an answer means the site can be reached.
inline constexpr std::string_view kReferenceHost = "sugarlog.example.com";

}  // namespace sugarlog
