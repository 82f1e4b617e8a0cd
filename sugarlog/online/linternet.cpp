#include "sugarlog/online/linternet.h"

#include <algorithm>
#include <array>

#include "platform/core/seqfile.h"
#include "platform/core/text_util.h"
#include "sugarlog/texts/maker.h"

namespace sugarlog {

namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), lower);
  return out;
}

bool is_letter_or_digit(char c) {
  return platform::is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool starts_with_word(std::string_view text, std::string_view word) {
  return text.size() >= word.size() && lowered(text.substr(0, word.size())) == word;
}

// The picture formats every desktop the logbook runs on can show.
constexpr std::array<std::string_view, 5> kPictureFormats{"bmp", "gif", "jpeg", "jpg", "png"};
constexpr std::size_t kMaxExtension = 4;

}  // namespace

std::string site_address(std::string_view company_name) {
  return company_name.size() > kCompanyNameWidth
             ? std::string(company_name.substr(kCompanyNameWidth))
             : std::string();
}

std::string unscrambled(std::string_view scrambled) {
  std::string out(scrambled);
  for (char& c : out) c = static_cast<char>(c + static_cast<char>(scrambled.size()));
  return out;
}

bool valid_body(std::string_view body) {
  return !body.empty() && body.substr(0, 3) != "<!D";
}

std::string site_file_url(std::string_view adresse_site, std::int16_t langue) {
  return "http://" + std::string(adresse_site) + (langue == 1 ? "/sl/url_f.txt" : "/sl/url_a.txt");
}

std::string picture_url(std::string_view adresse_site, std::int16_t langue, int weekday,
                        std::string_view ext_image) {
  return "http://" + std::string(adresse_site) + (langue == 1 ? "/sl1/img_f" : "/sl/img_a") +
         std::to_string(weekday) + "." + std::string(ext_image);
}

std::optional<std::string> picture_extension(std::string_view ext_image) {
  if (ext_image.empty() || ext_image.size() > kMaxExtension ||
      !std::all_of(ext_image.begin(), ext_image.end(), is_letter_or_digit)) {
    return std::nullopt;
  }
  const std::string known = lowered(ext_image);
  if (std::find(kPictureFormats.begin(), kPictureFormats.end(), known) == kPictureFormats.end()) {
    return std::nullopt;
  }
  return std::string(ext_image);
}

bool is_web_page(std::string_view address) {
  const bool control_or_blank = std::any_of(address.begin(), address.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return code <= 32 || code == 127;
  });
  if (control_or_blank) return false;
  std::string_view rest;
  if (starts_with_word(address, "http://")) {
    rest = address.substr(7);
  } else if (starts_with_word(address, "https://")) {
    rest = address.substr(8);
  } else {
    return false;
  }
  const std::string_view host = rest.substr(0, rest.find_first_of("/?#"));
  // A user name before the host ("http://trusted@elsewhere") only misleads.
  return !host.empty() && host.find('@') == std::string_view::npos && host.front() != ':';
}

SiteFile read_site_file(std::string bytes) {
  platform::SequentialReader reader(std::move(bytes));
  SiteFile site;
  for (std::string* value : {&site.Texte_Site, &site.Page_Site, &site.Ext_Image}) {
    if (auto field = reader.read_field()) *value = std::move(*field);
  }
  return site;
}

bool ping_shows_reply(std::string_view report) {
  // "64 bytes from 192.0.2.1: icmp_seq=1 ttl=55 time=12.3 ms"; an error from a router on the
  // way ("From 192.0.2.9 icmp_seq=1 Destination Host Unreachable") is no answer.
  std::size_t line_start = 0;
  while (line_start < report.size()) {
    const std::size_t end = std::min(report.find('\n', line_start), report.size());
    const std::string_view line = report.substr(line_start, end - line_start);
    if (line.find(" bytes from ") != std::string_view::npos &&
        line.find("ttl=") != std::string_view::npos) {
      return true;
    }
    line_start = end + 1;
  }
  // "1 packets transmitted, 1 received, 0% packet loss"
  for (std::size_t at = report.find(" received"); at != std::string_view::npos;
       at = report.find(" received", at + 1)) {
    std::size_t start = at;
    while (start > 0 && platform::is_digit(report[start - 1])) --start;
    const std::string_view count = report.substr(start, at - start);
    if (!count.empty() && count.find_first_not_of('0') != std::string_view::npos) return true;
  }
  return false;
}

}  // namespace sugarlog
