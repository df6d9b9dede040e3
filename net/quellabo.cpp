#include "net/quellabo.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace quorbel {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    std::string_view line =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line.substr(0, std::min<size_t>(line.size(), 254)));
    if (end == std::string_view::npos)
      break;
    start = end + 1;
  }
  return lines;
}

int Int(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A site's kind and level codes go into address arithmetic: far from overflow, never negative.
constexpr int kMostLevelCode = 99999999;
int LevelCode(std::string_view text) { return std::clamp(Int(text), 0, kMostLevelCode); }

bool SameLetters(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

const FormInput *InputNamed(const std::vector<FormInput> &inputs, std::string_view name) {
  for (const FormInput &input : inputs)
    if (input.Name == name)
      return &input;
  return nullptr;
}

std::string Attribute(std::string_view tag, std::string_view name) {
  const long at = FindInText(tag, -1, std::string(name) + "=", false, true);
  if (at < 0)
    return {};
  const size_t start = static_cast<size_t>(at) + 1;
  if (start < tag.size() && (tag[start] == '"' || tag[start] == '\'')) {
    const size_t end = tag.find(tag[start], start + 1);
    return std::string(
        tag.substr(start + 1, end == std::string_view::npos ? std::string_view::npos : end - start - 1));
  }
  size_t end = start;
  while (end < tag.size() && tag[end] != ' ' && tag[end] != '>' && tag[end] != '/')
    ++end;
  return std::string(tag.substr(start, end - start));
}

} // namespace

std::optional<std::vector<QuellaboSite>> LoadQuellaboSites(std::string_view text) {
  const std::vector<std::string_view> lines = Lines(text);
  if (lines.empty())
    return std::nullopt;
  const int count = std::clamp(Int(lines[0]), 0, kMostQuellaboSites);
  std::vector<QuellaboSite> sites;
  size_t at = 1;
  const auto next = [&]() -> std::string {
    return at < lines.size() ? std::string(lines[at++]) : std::string();
  };
  for (int s = 0; s < count && at + 23 <= lines.size() + 1; ++s) {
    QuellaboSite site;
    next(); // a line of its own, unused
    site.Name = next();
    site.DescriptionEnglish = next();
    site.DescriptionFrench = next();
    site.LoginPage = next();
    site.LoginField = next();
    site.PasswordField = next();
    site.GridAddress = next();
    site.Kind = LevelCode(next());
    site.HighestLevel = LevelCode(next());
    site.CellField = next();
    site.Spare = Int(next());
    for (std::string *field : {&site.GridStart, &site.Layout, &site.CellMarker, &site.SecondMarker,
                               &site.ValueMarker, &site.StartPageMarker, &site.NumberedAddress,
                               &site.SolutionForm, &site.RankingPage, &site.InfoPage})
      *field = next();
    site.Ranking = Int(next());
    sites.push_back(std::move(site));
  }
  return sites;
}

int QuellaboLevelCount(const QuellaboSite &site) { return site.HighestLevel - site.Kind + 1; }

namespace {

// The format with its one conversion replaced by `argument`; none for any other conversion.
std::optional<std::string> FormatOnce(std::string_view format, char conversion, std::string_view argument) {
  std::string out;
  bool used = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 >= format.size())
      return std::nullopt;
    const char c = format[++i];
    if (c == '%') {
      out += '%';
    } else if (c == conversion && !used) {
      out += argument;
      used = true;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

} // namespace

std::optional<std::string> FormatSiteText(std::string_view format, std::string_view word) {
  return FormatOnce(format, 's', word);
}

std::optional<std::string> FormatSiteNumber(std::string_view format, int number) {
  return FormatOnce(format, 'd', std::to_string(number));
}

std::optional<std::string> QuellaboGridAddress(const QuellaboSite &site, int level) {
  level = std::clamp(level, 1, 5);
  static constexpr std::array<std::string_view, 5> kWords1000 = {"Facile", "Moyen", "Difficile", "Extreme",
                                                                 "Samourai"};
  static constexpr std::array<std::string_view, 5> kWords1060 = {"very_easy", "easy", "intermediate",
                                                                 "difficult", "very_difficult"};
  static constexpr std::array<std::string_view, 4> kWords1070 = {"facile", "moyen", "difficile", "expert"};
  switch (site.Kind) {
  case 1000:
    return FormatSiteText(site.GridAddress, kWords1000[static_cast<size_t>(level - 1)]);
  case 1010:
  case 1020:
  case 1040:
    return std::nullopt;
  case 1030:
    return FormatSiteNumber(site.GridAddress, *QuellaboFormulaNumber(site, level));
  case 1060:
    return FormatSiteText(site.GridAddress, kWords1060[static_cast<size_t>(level - 1)]);
  case 1070:
    return FormatSiteText(site.GridAddress, kWords1070[static_cast<size_t>(std::min(level, 4) - 1)]);
  default:
    return FormatSiteNumber(site.GridAddress, *QuellaboFormulaNumber(site, level));
  }
}

std::optional<int> QuellaboFormulaNumber(const QuellaboSite &site, int level) {
  level = std::clamp(level, 1, 5);
  switch (site.Kind) {
  case 1000:
  case 1010:
  case 1020:
  case 1040:
  case 1060:
  case 1070:
    return std::nullopt;
  case 1030: {
    const int n = site.HighestLevel - 1030;
    return n * (level - 1) / std::max(1, std::min(n, 4)) + 1;
  }
  default: {
    const int d = site.HighestLevel - site.Kind;
    return site.Kind + (level - 1) * d / std::max(1, std::min(d, 4));
  }
  }
}

std::optional<int> QuellaboDayNumber(const QuellaboSite &site, int level, std::string_view startPage) {
  long at = FindInText(startPage, -1, site.StartPageMarker, false, true);
  if (at < 0)
    return std::nullopt;
  ++at;
  const int first = ReadPageNumber(startPage, at);
  if (first < 0)
    return std::nullopt;
  return level + first - 1;
}

std::optional<std::string> QuellaboNumberedAddress(const QuellaboSite &site, int level,
                                                   std::string_view startPage) {
  const std::optional<int> number = QuellaboDayNumber(site, level, startPage);
  return number ? FormatSiteNumber(site.NumberedAddress, *number) : std::nullopt;
}

std::optional<int> QuellaboListedNumber(int level, std::string_view listPage) {
  static constexpr std::array<std::string_view, 4> kWords = {
      "Une grille facile", "Une grille moyenne", "Une grille difficile", "Une grille très difficile"};
  const long at =
      FindInText(listPage, -1, kWords[static_cast<size_t>(std::clamp(level, 1, 4) - 1)], false, false);
  if (at < 0)
    return std::nullopt;
  const long tag = FindTagBackwards(listPage, at, "<a");
  long number = tag < 0 ? -1 : FindInText(listPage, tag, "grid_nb=", false, true);
  if (number < 0)
    return std::nullopt;
  ++number;
  const int grid = ReadPageNumber(listPage, number);
  return grid < 0 ? std::nullopt : std::optional<int>(grid);
}

std::optional<std::string> QuellaboListedAddress(const QuellaboSite &site, int level,
                                                 std::string_view listPage, bool french) {
  const std::optional<int> grid = QuellaboListedNumber(level, listPage);
  if (!grid)
    return std::nullopt;
  // The site's own page: scheme and host of the list's address.
  const size_t scheme = site.GridAddress.find("://");
  const size_t path =
      scheme == std::string::npos ? std::string::npos : site.GridAddress.find('/', scheme + 3);
  const std::string root = path == std::string::npos ? site.GridAddress : site.GridAddress.substr(0, path);
  return root + "/game.php5?ln=" + (french ? "fr" : "en") + "&grid_nb=" + std::to_string(*grid);
}

namespace {
thread_local uint64_t lettersCompared = 0;
} // namespace

uint64_t PageLettersCompared() { return lettersCompared; }

long FindInText(std::string_view text, long cursor, std::string_view pattern, bool skipTags, bool after) {
  if (pattern.empty() || pattern.size() > 999)
    return -1;
  for (long start = std::max(cursor + 1, 0L); static_cast<size_t>(start) < text.size(); ++start) {
    size_t at = static_cast<size_t>(start);
    size_t matched = 0;
    long first = -1;
    size_t last = 0;
    while (matched < pattern.size() && at < text.size()) {
      ++lettersCompared;
      if (skipTags && text[at] == '<' && pattern[matched] != '<') {
        const size_t close = text.find('>', at);
        if (close == std::string_view::npos)
          break;
        at = close + 1;
        continue;
      }
      if (!SameLetters(text[at], pattern[matched]))
        break;
      if (first < 0)
        first = static_cast<long>(at);
      last = at;
      ++at;
      ++matched;
    }
    if (matched == pattern.size())
      return after ? static_cast<long>(last) : first;
    if (first > start)
      start = first - 1; // a tag skipped before the first letter: go on from that letter
  }
  return -1;
}

long FindTagBackwards(std::string_view text, long cursor, std::string_view pattern) {
  for (long at = std::min<long>(cursor, static_cast<long>(text.size()) - 1); at >= 0; --at) {
    if (text[static_cast<size_t>(at)] != '<')
      continue;
    const std::string_view tag = text.substr(static_cast<size_t>(at));
    if (tag.size() >= pattern.size() && std::equal(pattern.begin(), pattern.end(), tag.begin(),
                                                   [](char a, char b) { return SameLetters(a, b); }))
      return at;
  }
  return -1;
}

int ReadPageNumber(std::string_view text, long &cursor) {
  constexpr std::string_view kSpace = "&nbsp;";
  int value = 0;
  bool digit = false;
  while (cursor >= 0 && static_cast<size_t>(cursor) < text.size()) {
    const std::string_view rest = text.substr(static_cast<size_t>(cursor));
    if (rest.starts_with(kSpace)) {
      cursor += static_cast<long>(kSpace.size());
      continue;
    }
    const char c = rest.front();
    if (c == ' ' || c == ',' || c == ';') {
      ++cursor;
    } else if (c >= '0' && c <= '9') {
      value = std::min(value * 10 + (c - '0'), 1000000000 / 10);
      digit = true;
      ++cursor;
    } else if (c >= 'A' && c <= 'G') {
      value = std::min(value * 10 + (c - 'A' + 10), 1000000000 / 10);
      digit = true;
      ++cursor;
    } else {
      break;
    }
  }
  return digit ? value : -1;
}

namespace {

// FindInText without tags, for cursors that never go back: a match still ahead of the cursor
// is the answer again and a pattern once missing stays missing, so reading a page from front to
// back costs one pass a pattern rather than one a step.
class ForwardSearch {
public:
  ForwardSearch(std::string_view text, std::string_view pattern) : text_(text), pattern_(pattern) {}

  long Find(long cursor, bool after) {
    if (!searched_ || cursor < from_ || (start_ >= 0 && start_ <= cursor)) {
      start_ = FindInText(text_, cursor, pattern_, false, false);
      from_ = cursor;
      searched_ = true;
    }
    if (start_ < 0 || !after)
      return start_;
    return start_ + static_cast<long>(pattern_.size()) - 1;
  }

private:
  std::string_view text_;
  std::string_view pattern_;
  bool searched_ = false;
  long from_ = 0;
  long start_ = -1; // the first match after from_
};

} // namespace

QuellaboGrid ReadQuellaboGrid(std::string_view page, const QuellaboSite &site, int width, int blockSide) {
  QuellaboGrid grid;
  grid.Values.assign(static_cast<size_t>(width * width), 0);
  // Cursors stand on the last letter of what was found.
  long cursor = FindInText(page, -1, site.GridStart, false, true);
  if (cursor < 0 || width <= 0 || blockSide <= 0) {
    grid.FormatError = true;
    return grid;
  }
  if (site.Layout == "numbers") {
    // One character a cell; the bounds of the page end the reading.
    ++cursor;
    for (int cell = 0; cell < width * width && cursor >= 0 && static_cast<size_t>(cursor) < page.size();
         ++cell) {
      const char c = page[static_cast<size_t>(cursor)];
      if (c >= '1' && c <= '9') {
        grid.Values[static_cast<size_t>(cell)] = c - '0';
        ++grid.Filled;
      }
      if (site.CellMarker == "none") {
        ++cursor;
      } else {
        cursor = FindInText(page, cursor, site.CellMarker, false, true);
        if (cursor >= 0)
          ++cursor;
      }
    }
    return grid;
  }
  const bool block = site.Layout == "block";
  const int blocks = width / blockSide;
  ForwardSearch cells(page, site.CellMarker);
  ForwardSearch seconds(page, site.SecondMarker);
  ForwardSearch values(page, site.ValueMarker);
  for (int k = 0; k < width * width; ++k) {
    int cell = k;
    if (block) {
      const int blockIndex = k / (blockSide * blockSide);
      const int inBlock = k % (blockSide * blockSide);
      cell = ((blockIndex / blocks) * blockSide + inBlock / blockSide) * width +
             (blockIndex % blocks) * blockSide + inBlock % blockSide;
    }
    long marker = cells.Find(cursor, true);
    if (site.SecondMarker != "none") {
      const long second = seconds.Find(cursor, true);
      if (second >= 0 && (marker < 0 || second < marker))
        marker = second;
    }
    if (marker < 0) {
      grid.FormatError = true;
      return grid;
    }
    long value = values.Find(marker, true);
    if (value < 0) {
      grid.FormatError = true;
      return grid;
    }
    const long nextCell = cells.Find(marker, false);
    ++value;
    if (nextCell < 0 || value < nextCell) {
      const int v = ReadPageNumber(page, value);
      if (v >= 1 && v <= width) {
        grid.Values[static_cast<size_t>(cell)] = v;
        ++grid.Filled;
      }
    }
    cursor = marker;
  }
  return grid;
}

namespace {
constexpr int kHoursADay = 24;
constexpr int kMinutesAnHour = 60;
} // namespace

std::optional<int> QuellaboMinutesSpent(std::string_view page, int kind, int now) {
  const std::string_view marker = kind == 1020 ? std::string_view("Vous avez commencé ce tournoi à ")
                                               : std::string_view("Vous avez commencé ce quellabo à ");
  long at = FindInText(page, -1, marker, false, true);
  if (at < 0)
    return std::nullopt;
  ++at;
  const int hour = ReadPageNumber(page, at);
  if (hour < 0 || static_cast<size_t>(at) >= page.size())
    return std::nullopt;
  ++at; // the separator between hour and minute
  const int minute = ReadPageNumber(page, at);
  if (minute < 0 || hour >= kHoursADay || minute >= kMinutesAnHour)
    return std::nullopt; // no time of day
  int spent = now - (hour * kMinutesAnHour + minute);
  if (spent < 0)
    spent += kHoursADay * kMinutesAnHour;
  return spent;
}

std::vector<FormInput> ReadFormInputs(std::string_view page) {
  std::vector<FormInput> inputs;
  long at = -1;
  while (static_cast<int>(inputs.size()) < kMostFormInputs) {
    at = FindInText(page, at, "<input", false, false);
    if (at < 0)
      break;
    const size_t end = page.find('>', static_cast<size_t>(at));
    const std::string_view tag = page.substr(
        static_cast<size_t>(at),
        end == std::string_view::npos ? std::string_view::npos : end - static_cast<size_t>(at) + 1);
    inputs.push_back({Attribute(tag, "name"), Attribute(tag, "value"), Attribute(tag, "type")});
    // The next tag begins after this one: read inside it, a page of unclosed tags is read
    // once for each of them.
    if (end == std::string_view::npos)
      break;
    at = static_cast<long>(end);
  }
  return inputs;
}

std::string QuellaboSubmitBody(const QuellaboSite &site, const std::vector<FormInput> &inputs,
                               const std::vector<int> &values, int width, int seconds) {
  std::string body;
  const auto pair = [&](std::string_view name, std::string_view prefix) {
    if (const FormInput *input = InputNamed(inputs, name))
      body += std::string(prefix) + input->Name + "=" + input->Value;
  };
  pair("iddeGrille", "");
  pair("idjeurapide", "");
  pair("idtourn", "");
  if (const FormInput *input = InputNamed(inputs, "letemps"))
    body += "&" + input->Name + "=";
  if (const FormInput *input = InputNamed(inputs, "theTime")) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    body += "&" + input->Name + "=" + time;
  }
  pair("Valider_grille", "");
  for (int row = 0; row < width; ++row)
    for (int column = 0; column < width; ++column)
      body += "&" + site.CellField + "[" + std::to_string(row) + "][" + std::to_string(column) +
              "]=" + std::to_string(values[static_cast<size_t>(row * width + column)]);
  if (site.Kind == 1000)
    body += "&dificulte=1000";
  else if (site.Kind == 1010)
    body += "&submit10_x=59&submit10_y=14";
  return body;
}

std::string QuellaboReplyMessage(std::string_view reply, const QuellaboSite &site, std::string_view login,
                                 bool french) {
  const auto contains = [&](std::string_view words) {
    return FindInText(reply, -1, words, false, false) >= 0;
  };
  if (contains("incorrectes!") || contains("ce n'est pas la solution"))
    return (french ? "Erreur valeurs incorrectes - Grille pas acceptée sur Site Internet "
                   : "Error incorrect data - Grid not accepted on Internet Site ") +
           site.Name;
  if (contains("Votre systeme de jeu est suspect"))
    return (french ? "Erreur systeme de jeu suspect - Grille pas acceptée sur Site Internet "
                   : "Error game system suspect - Grid not accepted on Internet Site ") +
           site.Name;
  int rank = -1;
  std::string first;
  if (site.Kind == 1010 || site.Kind == 1020) {
    long winner = FindInText(reply, -1, "<td>1 - <strong>", false, true);
    if (winner >= 0) {
      ++winner;
      const size_t end = reply.find("</strong>", static_cast<size_t>(winner));
      first = std::string(
          reply.substr(static_cast<size_t>(winner), end == std::string_view::npos ? 0 : end - winner));
      ForwardSearch names(reply, login);
      ForwardSearch rows(reply, "<td>");
      long row = winner;
      for (int n = 1; row >= 0 && n < 10000; ++n) {
        const long name = names.Find(row, false);
        const long nextRow = rows.Find(row, false);
        if (!login.empty() && name >= 0 && (nextRow < 0 || name < nextRow)) {
          rank = n;
          break;
        }
        row = nextRow;
      }
    }
  } else if (site.Kind == 1030) {
    long line = FindInText(reply, -1, "<br />&nbsp; <b>1</b> - ", false, true);
    if (line < 0)
      line = FindInText(reply, -1, "<BR>&nbsp; <B>1</B> - ", false, true);
    if (line >= 0) {
      ++line;
      const size_t end = reply.find_first_of("<\r\n", static_cast<size_t>(line));
      first = std::string(
          reply.substr(static_cast<size_t>(line), end == std::string_view::npos ? 0 : end - line));
    }
    long at = FindInText(reply, -1, "Classement", false, true);
    if (at >= 0) {
      ++at;
      while (static_cast<size_t>(at) < reply.size() && !std::isdigit(static_cast<unsigned char>(reply[at])) &&
             reply[at] != '<')
        ++at;
      rank = ReadPageNumber(reply, at);
    }
  }
  if (contains("Vous avez déjà trouvé la solution"))
    return (french ? "Grille déjà trouvé. Vous êtes classé N°" : "Grid already found. You are rank number ") +
           std::to_string(rank) + ".";
  if (rank == 1)
    return french ? "Bravo, vous êtes classé N°1. Stupéfiant..."
                  : "Good, you are rank number 1. Extraordinary....";
  if (rank > 1)
    return (french ? "Bravo, vous êtes classé N°" + std::to_string(rank) + ". Le Premier a fait: "
                   : "Good, you are rank number " + std::to_string(rank) + ". The First was ") +
           first + ".";
  return (french ? "Bravo, votre grille a été acceptée par le Site Internet "
                 : "Good, your Grid has been accepted on Internet Site ") +
         site.Name;
}

std::string QuellaboSubmitTarget(const QuellaboSite &site, const std::vector<FormInput> &inputs,
                                 std::string_view gridAddress) {
  const auto grid = std::find_if(inputs.begin(), inputs.end(),
                                 [](const FormInput &input) { return input.Name == "iddeGrille"; });
  if (grid == inputs.end())
    return site.Kind == 1030 ? std::string(gridAddress) : site.SolutionForm;
  return site.SolutionForm.ends_with('=') ? site.SolutionForm + grid->Value : site.SolutionForm;
}

std::string QuellaboGridName(std::string_view siteName, int level, std::optional<int> number, int day,
                             int month, int year) {
  char name[64];
  if (number)
    std::snprintf(name, sizeof name, "-L%d-%d", level, *number);
  else
    std::snprintf(name, sizeof name, "-L%d-%02d%02d%04d", level, day, month, year);
  return std::string(siteName) + name;
}

} // namespace quorbel
