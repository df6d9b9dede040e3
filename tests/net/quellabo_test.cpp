// The web challenge's plain rules: the site file, the addresses of levels, the page scanning,
// a grid read from a page, the minutes spent, the solution's body and the reply's verdict.
#include "net/quellabo.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

std::string SiteLines(const std::string &name, int kind, int highest, const std::string &address) {
  return "--\n" + name + "\nEnglish words\nMots français\nnone\nlogin=ann\npass=pw\n" + address + "\n" +
         std::to_string(kind) + "\n" + std::to_string(highest) +
         "\ncase\n0\n<table "
         "id=grid>\nline\n<td\nnone\n>\nStart:\nhttp://s/q%d\nhttp://s/post\nhttp://s/rank\n"
         "http://s/info\n1\n";
}

TEST(Quellabo, TheSiteFileAndItsLevels) {
  const std::string file =
      "2\r\n" + SiteLines("One", 1000, 1002, "http://s/%s") + SiteLines("Two", 1030, 1036, "x");
  const std::optional<std::vector<QuellaboSite>> sites = LoadQuellaboSites(file);
  ASSERT_TRUE(sites);
  ASSERT_EQ(sites->size(), 2u);
  EXPECT_EQ((*sites)[0].Name, "One");
  EXPECT_EQ((*sites)[0].DescriptionFrench, "Mots français");
  EXPECT_EQ(QuellaboLevelCount((*sites)[0]), 3);
  EXPECT_EQ((*sites)[1].Ranking, 1);
  EXPECT_EQ(LoadQuellaboSites("500\n")->size(), 0u); // a count past the lines reads what is there

  QuellaboSite site = (*sites)[1];
  site.GridAddress = "http://s/g?n=%d";
  EXPECT_EQ(QuellaboGridAddress(site, 3), "http://s/g?n=4"); // 6 x 2 / 4 + 1
  EXPECT_EQ(QuellaboGridAddress((*sites)[0], 5), "http://s/Samourai");
  site.GridAddress = "http://s/%s%n";
  EXPECT_FALSE(QuellaboGridAddress(site, 1)); // a format of another kind
  EXPECT_EQ(FormatSiteNumber("100%% %d", 7), "100% 7");
}

TEST(Quellabo, PageScanning) {
  long at = 0;
  EXPECT_EQ(ReadPageNumber("1&nbsp;2x", at), 12);
  at = 0;
  EXPECT_EQ(ReadPageNumber("x", at), -1);
  at = 0;
  EXPECT_EQ(ReadPageNumber("C", at), 12);
  EXPECT_EQ(FindInText("ab<b>CD</b>ef", -1, "cde", true, false), 5);
  EXPECT_EQ(FindInText("abc", -1, "zz", false, false), -1);
  const std::string list = "<a href=\"g.php?grid_nb=42\">Une grille moyenne</a>";
  QuellaboSite site;
  site.GridAddress = "http://s.example/list.php";
  EXPECT_EQ(QuellaboListedAddress(site, 2, list, true), "http://s.example/game.php5?ln=fr&grid_nb=42");
}

// A site whose grid page lays its cells out as a table, one cell a "<td".
QuellaboSite TableSite(const std::string &secondMarker) {
  QuellaboSite site;
  site.GridStart = "<table id=grid>";
  site.Layout = "line";
  site.CellMarker = "<td";
  site.SecondMarker = secondMarker;
  site.ValueMarker = ">";
  return site;
}

TEST(Quellabo, AGridOutOfAPageAndTheMinutesSpent) {
  const QuellaboSite site = TableSite("none");
  std::string page = "<html><table id=grid>";
  for (int cell = 0; cell < 16; ++cell)
    page += "<td>" + (cell % 5 == 0 ? std::to_string(cell % 4 + 1) : std::string()) + "</td>";
  const QuellaboGrid grid = ReadQuellaboGrid(page, site, 4, 2);
  EXPECT_FALSE(grid.FormatError);
  EXPECT_EQ(grid.Filled, 4);
  EXPECT_EQ(grid.Values[5], 2);
  EXPECT_TRUE(ReadQuellaboGrid("<html>no grid", site, 4, 2).FormatError);

  EXPECT_EQ(QuellaboMinutesSpent("Vous avez commencé ce quellabo à 23h50", 1010, 10), 20);
  EXPECT_FALSE(QuellaboMinutesSpent("nothing", 1010, 10));
}

TEST(Quellabo, NumbersFromTheSiteFileOrAPageStayFarFromOverflow) {
  const std::optional<std::vector<QuellaboSite>> sites =
      LoadQuellaboSites("2\n" + SiteLines("Big", 1030, 2147483647, "http://s/g?n=%d") +
                        SiteLines("Low", -2147483647, 2147483647, "http://s/g?n=%d"));
  ASSERT_TRUE(sites);
  ASSERT_EQ(sites->size(), 2u);
  for (const QuellaboSite &site : *sites) {
    SCOPED_TRACE(site.Name);
    EXPECT_GT(QuellaboLevelCount(site), 0);
    const std::optional<std::string> address = QuellaboGridAddress(site, 5);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->find('-'), std::string::npos) << *address;
  }
  EXPECT_FALSE(QuellaboMinutesSpent("Vous avez commencé ce quellabo à 99999999h00", 1010, 10));
  EXPECT_FALSE(QuellaboMinutesSpent("Vous avez commencé ce quellabo à 12h75", 1010, 10));
  EXPECT_EQ(QuellaboMinutesSpent("Vous avez commencé ce quellabo à 0h00", 1010, 1439), 1439);
}

TEST(Quellabo, APageIsReadInAFewPassesWhateverItHolds) {
  const auto passes = [](size_t pageBytes, const auto &read) {
    const uint64_t before = PageLettersCompared();
    read();
    return static_cast<double>(PageLettersCompared() - before) / static_cast<double>(pageBytes);
  };
  // A grid page whose cells come first and whose second marker never comes.
  QuellaboSite site = TableSite("<th");
  std::string page = "<table id=grid>";
  for (int cell = 0; cell < 81; ++cell)
    page += "<td>" + std::to_string(cell % 9 + 1) + "</td>";
  page += std::string(size_t{1} << 18, 'x');
  QuellaboGrid grid;
  EXPECT_LT(passes(page.size(), [&] { grid = ReadQuellaboGrid(page, site, 9, 3); }), 8.0);
  EXPECT_EQ(grid.Filled, 81);

  // A ranking of many rows without the player's name.
  site.Kind = 1010;
  std::string reply = "<td>1 - <strong>ann</strong>";
  while (reply.size() < (size_t{1} << 17))
    reply += "<td>2 - bob</td>";
  EXPECT_LT(passes(reply.size(), [&] { QuellaboReplyMessage(reply, site, "zoe", false); }), 16.0);

  // A page of input tags that never close.
  std::string inputs;
  for (int i = 0; i < 400; ++i)
    inputs += "<input name=n" + std::to_string(i) + " " + std::string(256, ' ');
  EXPECT_LT(passes(inputs.size(), [&] { EXPECT_EQ(ReadFormInputs(inputs).size(), 1u); }), 8.0);
}

TEST(Quellabo, TheSolutionAndTheVerdict) {
  QuellaboSite site;
  site.Name = "One";
  site.Kind = 1000;
  site.CellField = "case";
  const std::vector<FormInput> inputs =
      ReadFormInputs("<input name=\"iddeGrille\" value=\"77\"><input type=hidden name='theTime' value=''>");
  ASSERT_EQ(inputs.size(), 2u);
  const std::string body = QuellaboSubmitBody(site, inputs, std::vector<int>(16, 3), 4, 3725);
  EXPECT_EQ(body.rfind("iddeGrille=77&theTime=01:02:05&case[0][0]=3", 0), 0u);
  EXPECT_TRUE(body.ends_with("&case[3][3]=3&dificulte=1000"));
  EXPECT_EQ(QuellaboReplyMessage("ce n'est pas la solution", site, "ann", false),
            "Error incorrect data - Grid not accepted on Internet Site One");
  EXPECT_EQ(QuellaboReplyMessage("<p>merci</p>", site, "ann", true),
            "Bravo, votre grille a été acceptée par le Site Internet One");
}

TEST(Quellabo, TheSolutionsTargetAndTheGridsName) {
  QuellaboSite site;
  site.Kind = 1030;
  site.SolutionForm = "http://s/solve";
  const std::vector<FormInput> withGrid = {{"other", "1", ""}, {"iddeGrille", "77", ""}};
  // A grid page without "iddeGrille": kind 1030 posts to it; with one, to the solution form.
  EXPECT_EQ(QuellaboSubmitTarget(site, {}, "http://s/grid4"), "http://s/grid4");
  EXPECT_EQ(QuellaboSubmitTarget(site, withGrid, "http://s/grid4"), "http://s/solve");
  site.SolutionForm = "http://s/solve?id=";
  EXPECT_EQ(QuellaboSubmitTarget(site, withGrid, "http://s/grid4"), "http://s/solve?id=77");
  site.Kind = 1070;
  EXPECT_EQ(QuellaboSubmitTarget(site, {}, "http://s/grid4"), "http://s/solve?id=");

  EXPECT_EQ(QuellaboGridName("Loop", 2, std::nullopt, 3, 7, 2026), "Loop-L2-03072026");
  EXPECT_EQ(QuellaboGridName("Loop", 3, 4, 3, 7, 2026), "Loop-L3-4");
  site.HighestLevel = 1036;
  site.Kind = 1030;
  EXPECT_EQ(QuellaboFormulaNumber(site, 3), 4);
  site.Kind = 1070;
  EXPECT_FALSE(QuellaboFormulaNumber(site, 3));
  site.Kind = 1010;
  site.StartPageMarker = "Start:";
  EXPECT_EQ(QuellaboDayNumber(site, 2, "<p>Start: 40</p>"), 41);
  EXPECT_EQ(QuellaboListedNumber(2, "<a href=\"g?grid_nb=12\">Une grille moyenne</a>"), 12);
}

} // namespace
} // namespace quorbel
