#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/grid_shape.h"
#include "engine/rule_registry.h"
#include "engine/variant_catalog.h"
#include "files/latin1_text.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_comment.h"
#include "files/text_grid_lines.h"
#include "files/text_grid_reader.h"
#include "files/text_grid_writer.h"
#include "media/grid_scan.h"
#include "tests/files/grid_file_test_support.h"

using namespace quorbel;
using namespace quorbel::test;

namespace {

std::vector<uint8_t> BytesOf(const std::string &text) { return {text.begin(), text.end()}; }

// UTF-8 lines made into a Latin-1 file with the given line end.
std::string FileOf(const std::vector<std::string> &lines, const std::string &end = "\r\n") {
  std::string text;
  for (const std::string &line : lines)
    text += Utf8ToLatin1(line) + end;
  return text;
}

// The 81 cell lines of a 9x9 grid: column 0 a given, column 1 a solution value, else empty.
std::vector<std::string> CellLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < 81; ++i)
    lines.push_back(i % 9 == 0   ? std::to_string(i / 9 + 1)
                    : i % 9 == 1 ? std::string("R").append(std::to_string((i / 9 + 3) % 9 + 1))
                                 : "0");
  return lines;
}

// A 9x9 grid with a line of every kind, in the order the writer writes them.
std::vector<std::string> EveryLineKind() {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "9", ";Start Save Grid0"};
  const auto cells = CellLines();
  lines.insert(lines.end(), cells.begin(), cells.end());
  const std::vector<std::string> variants = {
      ";Start Save Varient",
      "L0;80;45",
      "G3",
      "DL1;2;3;4",
      "DC5;6;-2;0",
      "E10",
      "O11",
      "Z12",
      "X1;2",
      "V3;4",
      "-5;6",
      "/7;8",
      "è9;10;7",
      "é11;12;7",
      "<13;14",
      ">15;16",
      "}",
      "K17;1;2;3",
      "*24;4;5",
      "°",
      "J",
      "P20;1;21;2;",
      "P30;0;",
      "|2;1;0;0;",
      "9",
      "(",
      "A1;2;3;0;0;0;0;0;1;1;0;0;0;0;0;0;0;2;",
      "%0123401234012340",
      "30;1",
      "379;4",
      "B0;0;10;20;30;40;50;60;70;80",
      "B1;8;16;24;32;40;48;56;64;72",
      "Y2",
      "CS;0;1;5",
      "CS;0;1;7",
      "CO;1;2;4",
      "CT;2;3;6",
      "830;31",
      "FS;0;0;10",
      "FP;0;1;12",
      "FY;1;0;3",
      "FU;2;0;4",
      "FD;2;1;5",
      "FM;3;0;2",
      "$5;65",
      "UO;1;2",
      "UE;3;4",
      "UX;5;6",
      "Q>;0;1;9;10;-1;10",
      "Q=;20;21;29;30;20;30",
      "MP;7;5",
      "MC;8;3",
      "MD;9;7",
      "MR;10;2",
      "&10",
      "+0;1;2;-1;0;1;2;3",
      "?3;40;41;42",
      "§0;1;10",
      "µ20;21;22",
      ".BC.......................",
      "^",
      "¨",
      ")40;1;2;3;4;0",
      "ç50;51;52",
      "01;60;61;62",
      "160;3",
      "570;1;0",
      "760;61;62;69;70;71;78;79;80",
      "41;2;1;2",
      "W0;1;1;2",
      "R1;2",
      "I1;2",
      "T1;0;2;3;4;5;6;7;-1;1;2",
      "{",
      "[0;1;2;3",
      "]",
      "±123;2;1;2;3;1;1",
      "±123;4;3;2;1;0;2",
      "©2;1;3;4;5;6",
      "¤1;-1;2;-1;-1;-1;-1;-1;-1;-1;-1;-1;-1;-1;-1;-1;-1",
      "£5;7",
      "¼",
      "½",
      "¾",
      "¿",
      "¥",
      "Ø",
      "à3;1;5;0",
      "=An English comment",
      "!Un commentaire à lire",
      "61;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16",
  };
  lines.insert(lines.end(), variants.begin(), variants.end());
  for (int i = 0; i < 16; ++i)
    lines.push_back(std::string("H")
                        .append(std::to_string(i))
                        .append(";")
                        .append(1, static_cast<char>('a' + i))
                        .append("é"));
  lines.push_back("N2");
  return lines;
}

struct Session {
  Session() { SetGridShape(*Ctx, kDefaultShape, 1, 0); }
  std::unique_ptr<EngineContext> Ctx = std::make_unique<EngineContext>();
  TextGridInfo Info;

  TextGridResult Open(const std::string &file) { return OpenTextGrid(BytesOf(file), *Ctx, Info); }
  TextGridResult Import(const std::string &file) { return ImportTextGrid(BytesOf(file), *Ctx, Info); }
  std::string Write() const { return WriteTextGrid(*Ctx, Info); }
  const GridRecord &Grid(int slot = 0) const { return Ctx->Grids.Main[slot]; }
  const GridRecord &Reference(int slot = 0) const { return Ctx->Grids.RefTab[slot]; }
};

} // namespace

TEST(TextGridWriting, IsLatin1WithCrLfLineEnds) {
  Session session;
  session.Info.CommentFrench = "Grille d'\xC3\xA9t\xC3\xA9";
  const std::string file = session.Write();
  EXPECT_TRUE(file.starts_with("Quorbel Mode Texte\r\n9\r\n;Start Save Grid0\r\n0\r\n"));
  EXPECT_NE(file.find("!Grille d'\xE9t\xE9\r\n"), std::string::npos);
  for (size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\n') {
      ASSERT_EQ(file[i - 1], '\r') << "a line feed without its carriage return at " << i;
    }
  }
}

TEST(TextGridWriting, GivensAreValuesAndOtherCellsTheirSolution) {
  Session session;
  GridRecord &grid = session.Ctx->Grids.Main[0];
  GridRecord &reference = session.Ctx->Grids.RefTab[0];
  const GridGeometry &geo = session.Ctx->Geo;
  StoreCellValue(geo, grid.Cells[0], 5, kStatusGiven);
  StoreCellValue(geo, grid.Cells[1], 6, kStatusPlaced);
  StoreCellValue(geo, reference.Cells[1], 6, kStatusFixed);
  StoreCellValue(geo, reference.Cells[2], 7, kStatusPlaced);
  const std::string file = session.Write();
  EXPECT_NE(file.find(";Start Save Grid0\r\n5\r\nR6\r\n0\r\n0\r\n"), std::string::npos);

  Session loaded;
  ASSERT_TRUE(loaded.Open(file).Ok);
  EXPECT_EQ(loaded.Grid().Cells[0].Value, 5);
  EXPECT_EQ(loaded.Grid().Cells[0].Status, kStatusFixed);
  EXPECT_EQ(loaded.Reference().Cells[0].Value, 5);
  EXPECT_EQ(loaded.Grid().Cells[1].Status, kStatusEmpty);
  EXPECT_EQ(loaded.Reference().Cells[1].Value, 6);
  EXPECT_EQ(loaded.Reference().Cells[1].Status, kStatusHypothesis);
  EXPECT_EQ(loaded.Reference().Cells[2].Status, kStatusEmpty);
}

TEST(TextGridWriting, ATwoGridSetSeparatesItsGrids) {
  Session session;
  session.Ctx->Grids.MainCount = session.Ctx->Grids.AllCount = 2;
  session.Ctx->Grids.Main[1].GridVar = kVarNoConsecutive;
  const std::string file = session.Write();
  const size_t first = file.find(";Start Save Grid0\r\n");
  const size_t second = file.find(";Start Save Varient\r\n;Start Save Grid1\r\nS\r\n0\r\n");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_TRUE(file.ends_with(";Start Save Varient\r\n^\r\n"));

  Session loaded;
  ASSERT_TRUE(loaded.Open(file).Ok);
  EXPECT_EQ(loaded.Ctx->Grids.MainCount, 2);
  EXPECT_EQ(loaded.Grid(1).GridVar, kVarNoConsecutive);
}

// The round trip below is only as wide as its sample: a kind that a save writes must have a
// line there.
TEST(TextGridLineKinds, TheSampleHoldsALineOfEveryKindASaveWrites) {
  const std::vector<std::string> lines = EveryLineKind();
  std::set<char> firsts;
  for (auto line = std::find(lines.begin(), lines.end(), ";Start Save Varient"); line != lines.end(); ++line)
    firsts.insert(Utf8ToLatin1(*line).front());
  for (const TextLineKind &row : TextLineKinds())
    for (const char letter : row.Letters) {
      if (row.Write != nullptr && letter != '\0') {
        EXPECT_TRUE(firsts.contains(letter))
            << "no line of \"" << Latin1ToUtf8(std::string(1, letter)) << "\"";
      }
    }
}

// A rule that no line carries would be lost by every save.
// The rule table names each rule's letters for the engine; the line table must read them back
// as lines of that rule, so that neither can gain a letter the other does not know.
TEST(TextGridLineKinds, EveryCatalogueRuleHasLinesOfItsOwn) {
  for (const RuleDef &rule : RuleRegistry) {
    if (!rule.Bit.Any())
      continue;
    EXPECT_FALSE(TextLineLetters(rule.Bit).empty()) << rule.NameEn;
    for (char letter : rule.TextLetters) {
      EXPECT_NE(TextLineLetters(rule.Bit).find(letter), std::string::npos) << rule.NameEn << ' ' << letter;
      const TextLineKind *kind = FindTextLineKind(letter);
      ASSERT_NE(kind, nullptr) << rule.NameEn << ' ' << letter;
      EXPECT_TRUE(Meets(kind->Rules, rule.Bit)) << rule.NameEn << ' ' << letter;
    }
  }
  EXPECT_EQ(TextLineLetters(kVarTransfer), "C8");
  EXPECT_EQ(TextLineLetters(kVarKillerProduct), "K*\xB0");
  EXPECT_EQ(TextLineLetters(kVarNumeral), "$H");
}

TEST(TextGridRoundTrip, EveryLineKindReadsAndWritesBackTheSameText) {
  const std::string file = FileOf(EveryLineKind());
  Session session;
  const TextGridResult result = session.Open(file);
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_TRUE(result.Warnings.empty()) << result.Warnings.front();
  EXPECT_EQ(session.Write(), file);
}

// A file of another maker may list a piece's cells in any order: what we save of it saves the
// same again.
TEST(TextGridRoundTrip, ASaveOfWhatWasReadIsAFixedPoint) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back("0");
  lines.insert(lines.end(), {";Start Save Varient", "J", "P3;1;2;2;1;3;0;4;"});
  Session first;
  const TextGridResult opened = first.Open(FileOf(lines));
  ASSERT_TRUE(opened.Ok) << opened.Message;
  const std::string saved = first.Write();
  Session second;
  ASSERT_TRUE(second.Open(saved).Ok);
  EXPECT_EQ(second.Write(), saved);
}

TEST(TextGridRoundTrip, ReadsTheCluesIntoTheirLists) {
  Session session;
  ASSERT_TRUE(session.Open(FileOf(EveryLineKind())).Ok);
  const GridRecord &grid = session.Grid();
  const VariantLists &l = grid.Lists;
  ASSERT_EQ(l.LittleKiller.Size(), 1);
  EXPECT_EQ(l.LittleKiller.Items[0].Step, 10);
  EXPECT_EQ(l.LittleKiller.Items[0].NCells, 9);
  EXPECT_EQ(l.LittleKiller.Items[0].Cells[8], 80);
  ASSERT_EQ(l.Killer.Size(), 2);
  EXPECT_EQ(l.Killer.Items[1].IsProduct, 1) << "a * cage is a product cage";
  EXPECT_EQ(l.Killer.Items[1].Target, 24);
  EXPECT_TRUE(Meets(grid.GridVar, kVarKillerProduct));
  EXPECT_EQ(l.Comparisons.Items[4].Kind, 6);
  EXPECT_EQ(l.ComparisonTotal, 7);
  EXPECT_EQ(l.Comparisons.Items[7].Kind, 8);
  EXPECT_EQ(l.Outside.Count[0][1], 2);
  EXPECT_EQ(l.Outside.Values[0][1][1], 7);
  EXPECT_EQ(l.TwinsPartner, 1);
  EXPECT_EQ(l.TwinsRelation.Items[0].OtherGrid, 1);
  EXPECT_EQ(grid.Work.SubstitutionMap[8], -1);
  EXPECT_EQ(l.SubstitutionOwner, 1);
  EXPECT_EQ(l.MasterMind.CodeLength, 3);
  EXPECT_EQ(l.MasterMind.Lines.Items[1].Columns[0], 2);
  EXPECT_EQ(l.MagicSentence.LetterTable[1], 1); // B stands for 1, C for 2, A for none
  EXPECT_EQ(l.MagicSentence.LetterTable[2], 2);
  EXPECT_EQ(l.MagicSentence.LetterTable[0], 0);
  EXPECT_EQ(grid.Cells[5].Numeral, 65);
  EXPECT_EQ(grid.Cells[10].AllowedType, kAllowedTypeTable);
  EXPECT_EQ(grid.Cells[30].CrossedOut, 1);
  EXPECT_EQ(grid.Cells[3].SurpriseAmount, 5);
  EXPECT_EQ(grid.Cells[79].CellClass, 4);
  EXPECT_EQ(l.BoatClueCol[8], 2);
  EXPECT_EQ(l.RegionOn, (std::array<int16_t, 4>{1, 1, 0, 0}));
  EXPECT_EQ(grid.Cells[10].OddEven, 0) << "odd/even marks reach their cells";
  EXPECT_TRUE(Meets(grid.GridVar, kVarTiled) && Meets(grid.GridVar, kVarBattleShip));
  EXPECT_FALSE(Meets(grid.GridVar, kVarIrregular)) << "region lines with a count are extra regions";
  EXPECT_EQ(session.Ctx->Grids.SpareWord, 1);
  EXPECT_EQ(session.Info.Level, 2);
  EXPECT_EQ(session.Info.NumeralStrings[3], "d\xC3\xA9");
  EXPECT_EQ(session.Info.NumeralTable1[15], 16);
  EXPECT_EQ(session.Info.NumeralTable2[4], 4);
  EXPECT_EQ(session.Info.CommentFrench, "Un commentaire \xC3\xA0 lire");
}

TEST(TextGridRoundTrip, EachDiagonalAloneComesBackAsItself) {
  for (const int diagonals : {1, 2, 3}) {
    std::vector<std::string> lines = {"Quorbel Mode Texte", "9", ";Start Save Grid0"};
    const auto cells = CellLines();
    lines.insert(lines.end(), cells.begin(), cells.end());
    lines.insert(lines.end(), {";Start Save Varient", "G" + std::to_string(diagonals)});
    const std::string file = FileOf(lines);
    Session session;
    ASSERT_TRUE(session.Open(file).Ok);
    const auto &on = session.Grid().Lists.RegionOn;
    EXPECT_EQ(on[kRegionDiag1], diagonals & 1) << "G" << diagonals;
    EXPECT_EQ(on[kRegionDiag2], diagonals >> 1) << "G" << diagonals;
    EXPECT_EQ(session.Write(), file);
  }
}

TEST(TextGridRoundTrip, IrregularBlocksComeBackAsTheGridsBlocks) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back("0");
  lines.push_back(";Start Save Varient");
  // Four blocks of four: the rows of the grid.
  for (int b = 0; b < 4; ++b)
    lines.push_back("B" + std::to_string(b) + ";" + std::to_string(4 * b) + ";" + std::to_string(4 * b + 1) +
                    ";" + std::to_string(4 * b + 2) + ";" + std::to_string(4 * b + 3));
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  EXPECT_TRUE(Meets(session.Grid().GridVar, kVarIrregular));
  EXPECT_EQ(session.Grid().BlockOfCell[5], 1);
  EXPECT_EQ(session.Grid().BlockCells[3][0], 12);
  std::vector<std::string> written = lines;
  written.insert(written.begin() + 2, ";Start Save Grid0");
  EXPECT_EQ(session.Write(), FileOf(written));
}

TEST(TextGridRoundTrip, WhatAGridFileAcceptsSavesAsTextThatReopens) {
  for (int shape = 0; shape < kShapeCount; ++shape) {
    for (uint32_t seed : {1u, 2u, 3u}) {
      Draw draw(seed * 31 + static_cast<uint32_t>(shape));
      Session made;
      FillGridSet(draw, *made.Ctx, shape, 1 + static_cast<int>(seed) % 2, 2);
      // Only what the grid-file reader accepts counts: a grid set read back from a grid file.
      const std::string sud = WriteSudFile(*made.Ctx, SudFileContent{});
      Session opened;
      SudFileContent content;
      const auto *bytes = reinterpret_cast<const uint8_t *>(sud.data());
      ASSERT_TRUE(ReadSudFile(std::span<const uint8_t>(bytes, sud.size()), *opened.Ctx, content).Ok);
      Session again;
      const TextGridResult reread = again.Open(opened.Write());
      EXPECT_TRUE(reread.Ok) << "shape " << shape << " seed " << seed << ": " << reread.Message;
    }
  }
}

TEST(TextGridReading, AcceptsLineFeedsAlone) {
  Session crlf;
  Session lf;
  const auto lines = EveryLineKind();
  ASSERT_TRUE(crlf.Open(FileOf(lines, "\r\n")).Ok);
  const TextGridResult result = lf.Open(FileOf(lines, "\n"));
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(lf.Write(), crlf.Write());

  std::vector<std::string> sixteen = {"Quorbel Mode Texte", "16"};
  for (int i = 0; i < 256; ++i)
    sixteen.push_back(std::to_string(i % 16 + 1));
  Session big;
  ASSERT_TRUE(big.Open(FileOf(sixteen, "\n")).Ok);
  EXPECT_EQ(big.Ctx->Geo.GridWidth, 16);
  EXPECT_EQ(big.Grid().Cells[255].Value, 16);
}

// Files written before held a turned Tiled piece's digits as it showed them: read, the piece
// holds its digits as they lie on the solution again.
TEST(TextGridReading, ATiledPieceSavedAsItShowedTakesTheDigitsItLiesOn) {
  const std::string solution = "123456456123231564564231312645645312";
  std::vector<std::string> lines = {"Quorbel Mode Texte", "6", ";Start Save Grid0"};
  for (const char value : solution)
    lines.push_back(std::string("R") + value);
  // Cells 1 and 7 hold 2 and 5; mirrored, the piece showed 5 and 2. Cell 2 holds 3 either way.
  for (const char *line : {";Start Save Varient", "J", "P1;5;7;2;", "P2;3;"})
    lines.push_back(line);
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  const auto &pieces = session.Grid().Lists.Pieces;
  ASSERT_EQ(pieces.Size(), 2);
  EXPECT_EQ(pieces.Items[0].Digits[0], 2);
  EXPECT_EQ(pieces.Items[0].Digits[1], 5);
  EXPECT_EQ(pieces.Items[1].Digits[0], 3);
  // And they are saved as they lie.
  EXPECT_NE(session.Write().find("P1;2;7;5;"), std::string::npos);
}

TEST(TextGridReading, ACageWithNoTotalTakesTheSumOfItsSolution) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4", "R1", "R2", "R3", "R4"};
  for (int i = 4; i < 16; ++i)
    lines.push_back("0");
  lines.push_back("K0;0;1;2");
  lines.push_back("k0;0,3");
  lines.push_back("*0;1;2;3;-1;0");
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  const auto &cages = session.Grid().Lists.Killer;
  ASSERT_EQ(cages.Size(), 3);
  EXPECT_EQ(cages.Items[0].Target, 6);
  EXPECT_EQ(cages.Items[1].Target, 5) << "lower case and commas are accepted";
  EXPECT_EQ(cages.Items[2].Target, 24);
  EXPECT_EQ(cages.Items[2].NCells, 3) << "-1 ends the cells";
}

// Every cell of the 4x4 grid has a solution value: its row plus its column, cycled over 1..4.
std::vector<std::string> SolvedFourLines(const std::vector<std::string> &variants) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back(std::string("R").append(std::to_string((i / 4 + i % 4) % 4 + 1)));
  lines.insert(lines.end(), variants.begin(), variants.end());
  return lines;
}

TEST(TextGridReading, ALineWithNoTotalTakesTheSolutionsSumThere) {
  Session session;
  ASSERT_TRUE(session.Open(FileOf(SolvedFourLines({"L0;15;0", "L12;3;0"}))).Ok);
  const auto &diagonals = session.Grid().Lists.LittleKiller;
  ASSERT_EQ(diagonals.Size(), 2);
  EXPECT_EQ(diagonals.Items[0].Target, 1 + 3 + 1 + 3);
  EXPECT_EQ(diagonals.Items[1].Target, 4 * 4);
}

// Under Kimo a total is a remainder, and 0 is one: the Kimo line comes after the clues it changes.
TEST(TextGridReading, AKimoTotalOfZeroStaysARemainder) {
  Session session;
  ASSERT_TRUE(session.Open(FileOf(SolvedFourLines({"L0;15;0", "K0;0;1", "*0;2;3", "&4"}))).Ok);
  const GridRecord &grid = session.Grid();
  EXPECT_EQ(grid.Lists.LittleKiller.Items[0].Target, 0);
  EXPECT_EQ(grid.Lists.Killer.Items[0].Target, 0);
  EXPECT_EQ(grid.Lists.Killer.Items[1].Target, 0);
  EXPECT_NE(session.Write().find("\r\nL0;15;0\r\nK0;0;1\r\n*0;2;3\r\n"), std::string::npos);
}

// Ten sums of a linked grid multiply past any 64-bit number; the total is the largest one.
TEST(TextGridReading, ACageProductBeyondEveryTotalIsTheLargestTotal) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "9"};
  for (int i = 0; i < 81; ++i)
    lines.push_back("0");
  lines.push_back("@");
  for (int i = 0; i < 81; ++i)
    lines.push_back(i < 10 ? "99" : "0");
  lines.push_back("*0;0;1;2;3;4;5;6;7;8;9");
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  EXPECT_EQ(session.Grid(1).Lists.Killer.Items[0].Target, INT32_MAX);
}

// A guess's row and columns are kept within the board, the most negative number too.
TEST(TextGridReading, AMasterMindGuessFarBelowTheBoardIsOnNoRow) {
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back("0");
  lines.push_back("±1;-2147483648;-2147483648;0;0");
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  const MasterMindGuess &guess = session.Grid().Lists.MasterMind.Lines.Items[0];
  EXPECT_EQ(guess.Row, -1);
  EXPECT_EQ(guess.Columns[0], -1);
}

TEST(TextGridReading, AProfileThatLeavesItsFolderIsIgnored) {
  for (const char *name : {"../../etc/passwd", "/tmp/x", "sub\\dir", ".."}) {
    std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
    for (int i = 0; i < 16; ++i)
      lines.push_back("0");
    lines.push_back(std::string("#") + name);
    Session session;
    const TextGridResult result = session.Open(FileOf(lines));
    ASSERT_TRUE(result.Ok);
    EXPECT_TRUE(session.Info.ProfileName.empty()) << name;
    EXPECT_EQ(result.Warnings.size(), 1u);
  }
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back("0");
  lines.push_back("#Expert");
  Session session;
  ASSERT_TRUE(session.Open(FileOf(lines)).Ok);
  EXPECT_EQ(session.Info.ProfileName, "Expert");
}

TEST(TextGridReading, TakesEveryTextAScanMakesRegionsReadUnequalOrNot) {
  auto scan = std::make_unique<ScanState>();
  scan->Across = scan->Down = 9;
  scan->Irregular = true;
  for (int cell = 0; cell < 81; ++cell) // the boxes, each its own region
    scan->Regions.push_back(cell / 27 * 3 + cell % 9 / 3);
  Session session;
  EXPECT_TRUE(session.Open(ScanTextGrid(*scan)).Ok);
  EXPECT_NE(ScanTextGrid(*scan).find("\r\nB8;"), std::string::npos);
  scan->Regions[3] = 0; // region 0 holds ten cells, region 1 eight
  const std::string unequal = ScanTextGrid(*scan);
  const TextGridResult result = session.Open(unequal);
  EXPECT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(unequal.find("\r\nB"), std::string::npos);
}

// ---- refusals: the message names the line, nothing changes ----

class TextGridRefusal : public ::testing::Test {
protected:
  void SetUp() override {
    Draw draw(11);
    FillGridSet(draw, *session_.Ctx, 5, 2, 2);
    before_ = session_.Write();
  }
  std::string Refuse(const std::vector<std::string> &lines) {
    const TextGridResult result = session_.Open(FileOf(lines));
    EXPECT_FALSE(result.Ok);
    lastFailure_ = result.Failure;
    EXPECT_EQ(session_.Write(), before_);
    return result.Message;
  }
  static std::vector<std::string> Grid4x4(std::vector<std::string> variants) {
    std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
    for (int i = 0; i < 16; ++i)
      lines.push_back("0");
    lines.insert(lines.end(), variants.begin(), variants.end());
    return lines;
  }

  Session session_;
  std::string before_;
  FileFailure lastFailure_ = FileFailure::None;
};

TEST_F(TextGridRefusal, OfAFileWithoutTheHeaderOrWithAnUnknownSize) {
  EXPECT_NE(Refuse({"Quorbel Mode Textf", "9"}).find("first line is not"), std::string::npos);
  EXPECT_EQ(lastFailure_, FileFailure::NotAGridFile);
  EXPECT_NE(Refuse({"Quorbel Mode Texte", "10"}).find("size 10"), std::string::npos);
  EXPECT_EQ(lastFailure_, FileFailure::UnplayableSize);
  EXPECT_NE(Refuse({"Quorbel Mode Texte", "abc"}).find("size 0"), std::string::npos);
  EXPECT_FALSE(session_.Open("").Ok);
}

TEST_F(TextGridRefusal, OfATextTooLargeSayingSoRatherThanBlamingItsHeader) {
  std::string text = FileOf(Grid4x4({}));
  text.resize(kMaxTextGridFileBytes + 1, ';');
  const TextGridResult opened = session_.Open(text);
  EXPECT_EQ(opened.Failure, FileFailure::TooLarge);
  EXPECT_NE(opened.Message.find("at most"), std::string::npos) << opened.Message;
  EXPECT_EQ(session_.Import(text).Failure, FileFailure::TooLarge);
  EXPECT_EQ(session_.Write(), before_);
}

TEST_F(TextGridRefusal, OfATextThatEndsBeforeItsCells) {
  std::vector<std::string> lines = Grid4x4({});
  lines.resize(10);
  EXPECT_NE(Refuse(lines).find("the text ends after 8 of the 16 cell lines of grid 1"), std::string::npos);
  EXPECT_EQ(lastFailure_, FileFailure::Damaged);

  // The grid named is the one cut short, not the first of the set.
  lines = Grid4x4({"S", "1", "2"});
  EXPECT_NE(Refuse(lines).find("the text ends after 2 of the 16 cell lines of grid 2"), std::string::npos);
}

TEST_F(TextGridRefusal, OfACellOffTheGridNamingItsLine) {
  const std::string message = Refuse(Grid4x4({"X0;16"}));
  EXPECT_NE(message.find("line 19: cell 16 is outside 0..15"), std::string::npos) << message;
  EXPECT_NE(Refuse(Grid4x4({"41;2;1;14"})).find("partner grid 13 is outside 0..11"), std::string::npos);
  // Grid numbers as far apart as a number goes name no grid, however the difference would wrap.
  EXPECT_NE(Refuse(Grid4x4({"R2147483647;-2147483648"})).find("partner grid -4294967295 is outside"),
            std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"L0;6;4"})).find("not on one diagonal"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"P1;2;3"})).find("pairs"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"K1;x"})).find("\"x\" is not a number"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"599999999999;1;1"})).find("is not a number"), std::string::npos);
}

// Loaded short, a cage would ask for a total its cells cannot make.
TEST_F(TextGridRefusal, OfACageTheGridCannotHold) {
  EXPECT_NE(Refuse(Grid4x4({"K15;1;200"})).find("line 19: cell 200 is outside 0..15"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"*6;1;-2;3"})).find("cell -2 is outside"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"K40;0;1;2;3;4;5;6;7;8;9;10"})).find("a cage holds at most 10 cells"),
            std::string::npos);
  EXPECT_TRUE(session_.Open(FileOf(Grid4x4({"K40;0;1;2;3;4;5;6;7;8;9;-1;10"}))).Ok) << "-1 ends the cells";
}

TEST_F(TextGridRefusal, OfADistanceClueBeyondItsGrid) {
  // Two values, a signed distance of at most 16 either way, a line of the grid.
  EXPECT_TRUE(session_.Open(FileOf(Grid4x4({"DL1;2;-16;3"}))).Ok);
  before_ = session_.Write();
  EXPECT_NE(Refuse(Grid4x4({"DL1;2;1;4"})).find("line 4 is outside 0..3"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"DC1;2;17;0"})).find("distance 17 is outside -16..16"), std::string::npos);
  EXPECT_NE(Refuse(Grid4x4({"DC1;17;1;0"})).find("value 17 is outside 0..16"), std::string::npos);
}

TEST_F(TextGridRefusal, OfABadCellLine) {
  std::vector<std::string> lines = Grid4x4({});
  lines[5] = "R";
  EXPECT_NE(Refuse(lines).find("line 6: a cell line"), std::string::npos);
}

TEST_F(TextGridRefusal, OfMoreGridsThanASetHolds) {
  std::vector<std::string> lines = Grid4x4({});
  for (int g = 1; g < 13; ++g) {
    lines.push_back("S");
    for (int i = 0; i < 16; ++i)
      lines.push_back("0");
  }
  EXPECT_NE(Refuse(lines).find("at most 12 grids"), std::string::npos);
}

TEST_F(TextGridRefusal, NotOfALineItCannotPlaceButWithAWarning) {
  std::vector<std::string> lines = Grid4x4({"E99", "$40;65", "~odd"});
  const TextGridResult result = session_.Open(FileOf(lines));
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Warnings.size(), 3u);
}

TEST(TextGridImport, AddsTheTextsGridAfterTheSetsGrids) {
  Session session;
  session.Ctx->Grids.MainCount = session.Ctx->Grids.AllCount = 2;
  session.Ctx->Grids.OrderCount = 2;
  std::vector<std::string> lines = {"Quorbel Mode Texte", "9"};
  const auto cells = CellLines();
  lines.insert(lines.end(), cells.begin(), cells.end());
  lines.push_back("41;2;1;1");
  lines.push_back("=Imported");
  const TextGridResult result = session.Import(FileOf(lines));
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(result.FirstGrid, 2);
  const GridSet &set = session.Ctx->Grids;
  EXPECT_EQ(set.MainCount, 3);
  EXPECT_EQ(set.AllCount, 3);
  EXPECT_EQ(set.OrderCount, 3);
  EXPECT_EQ(set.Order[2], 2);
  EXPECT_EQ(session.Grid(2).Cells[9].Value, 2);
  EXPECT_EQ(session.Grid(2).Lists.TwinsRelation.Items[0].OtherGrid, 2)
      << "links stay within the imported grids";
  EXPECT_EQ(session.Info.CommentEnglish, "Imported");
}

TEST(TextGridImport, RefusesAnotherSizeAndChangesNothing) {
  Session session;
  std::vector<std::string> lines = {"Quorbel Mode Texte", "4"};
  for (int i = 0; i < 16; ++i)
    lines.push_back("1");
  const std::string before = session.Write();
  const TextGridResult result = session.Import(FileOf(lines));
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Failure, FileFailure::SizeMismatch);
  EXPECT_EQ(result.Message, "the text's size is 4, the grids' 9");
  EXPECT_EQ(session.Write(), before);
  EXPECT_EQ(session.Ctx->Grids.AllCount, 1);
}

TEST(TextGridComment, IsReadAndReplacedByLanguage) {
  const std::string file = FileOf({"Quorbel Mode Texte", "4", "=Old", "!Vieux", "N3"});
  EXPECT_EQ(ReadTextGridComment(BytesOf(file), true), "Old");
  EXPECT_EQ(ReadTextGridComment(BytesOf(file), false), "Vieux");
  EXPECT_EQ(SetTextGridCommentOrLevel(BytesOf(file), -1, "Nouveau \xC3\xA0", false),
            FileOf({"Quorbel Mode Texte", "4", "=Old", "!Nouveau \xC3\xA0", "N3"}));
  EXPECT_EQ(SetTextGridCommentOrLevel(BytesOf(file), -1, "", true),
            FileOf({"Quorbel Mode Texte", "4", "=old comment removed", "!Vieux", "N3"}));
  EXPECT_EQ(SetTextGridCommentOrLevel(BytesOf(file), 9, "", true),
            FileOf({"Quorbel Mode Texte", "4", "=Old", "!Vieux", "N1"}));
  const std::string bare = FileOf({"Quorbel Mode Texte", "4"});
  EXPECT_EQ(SetTextGridCommentOrLevel(BytesOf(bare), 2, "", true), FileOf({"Quorbel Mode Texte", "4", "N2"}));
}

TEST(TextGridFuzz, RandomMutationsNeverCrashAndRefusalsChangeNothing) {
  const std::string valid = FileOf(EveryLineKind());
  Session session;
  ASSERT_TRUE(session.Open(valid).Ok);
  const std::string before = session.Write();
  Draw draw(77);
  const std::string alphabet = "0123456789;,-RSs@KLP\xB5\xA9\xB1\r\n ";
  for (int round = 0; round < 1500; ++round) {
    std::string file = valid;
    for (int e = draw.In(1, 6); e > 0; --e) {
      const size_t at = draw.In(0, static_cast<int>(file.size()) - 1);
      switch (draw.In(0, 2)) {
      case 0:
        file[at] = alphabet[draw.In(0, static_cast<int>(alphabet.size()) - 1)];
        break;
      case 1:
        file.insert(at, std::to_string(draw.Any()));
        break;
      default:
        file.erase(at, draw.In(1, 40));
        break;
      }
    }
    if (session.Open(file).Ok) {
      Session again;
      EXPECT_TRUE(again.Open(session.Write()).Ok) << "what was read can be written and read again";
      ASSERT_TRUE(session.Open(valid).Ok);
    } else {
      ASSERT_EQ(session.Write(), before);
    }
  }
}
