#include "net/version_check.h"

#include <charconv>
#include <cstdio>

namespace quorbel {

namespace {

constexpr std::string_view kMarker = "sudokuversion";
constexpr size_t kVersionOffset = 24;
constexpr size_t kSkipped = 8;

std::string Numbers(const char *format, double version) {
  char text[160];
  std::snprintf(text, sizeof text, format, kOwnVersion, version);
  // The decimal point of the C locale, whatever the desktop's.
  for (char &c : text)
    if (c == ',')
      c = '.';
  return text;
}

} // namespace

std::string ReadPublishedVersion(std::string_view page) {
  std::string found;
  size_t start = 0;
  while (start <= page.size()) {
    const size_t end = page.find('\n', start);
    std::string_view line =
        page.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    const size_t at = line.find(kMarker);
    if (at != std::string_view::npos && at > 0)
      found =
          at + kVersionOffset <= line.size() ? std::string(line.substr(at + kVersionOffset)) : std::string();
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return found;
}

std::optional<double> PublishedVersionNumber(std::string_view published) {
  if (published.empty())
    return std::nullopt;
  std::string_view rest = published.size() > kSkipped ? published.substr(kSkipped) : std::string_view();
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
    rest.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
  if (error != std::errc() || end == rest.data())
    return -1.0; // read, but no number: older than any release
  return value;
}

std::string VersionMessage(std::optional<double> version, std::string_view site, int language) {
  const bool french = language == 0;
  const std::string address(site);
  if (!version)
    return french ? "Tentative de lecture de version échouée. Vérifier votre connexion Internet."
                  : "Bad attempt to read version. Please verify your Internet connection.";
  if (*version > kOwnVersion)
    return french
               ? "Une nouvelle version de Quorbel est disponible sur le site " + address +
                     Numbers("\n     Votre Version: %2.1f\n     Nouvelle version: %2.1f.\n\nVoulez vous la "
                             "telecharger ?",
                             *version)
               : "A new version of Quorbel is available on web site " + address +
                     Numbers("\n     Your Version: %2.1f\n     New version: %2.1f.\n\nDo you want to "
                             "download it ?",
                             *version);
  return french
             ? Numbers(
                   "Votre version de Quorbel est à jour.\n     Votre Version: %2.1f\n     Nouvelle version: "
                   "%2.1f.\n\nVoulez vous visiter le site ",
                   *version) +
                   address + " ?"
             : Numbers("Your version of Quorbel is on date.\n     Your Version: %2.1f\n     New version: "
                       "%2.1f.\n\nDo you want to visit web site ",
                       *version) +
                   address + " ?";
}

} // namespace quorbel
