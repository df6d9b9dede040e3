// The command, menu and toolbar tables hold together: every identifier leads to one command,
// every menu item and toolbar button names a known identifier of its own language.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "resources/command_table.h"
#include "resources/menu_tables.h"
#include "resources/toolbar_tables.h"

using namespace quorbel;

namespace {

std::map<CommandId, const CommandRow *> RowsById() {
  std::map<CommandId, const CommandRow *> rows;
  for (const CommandRow &row : CommandTable())
    for (CommandId id : {row.idFr, row.idEn, row.idAccel})
      if (id != 0)
        rows.emplace(id, &row);
  return rows;
}

std::vector<std::string_view> TopLevelMenus(Language language) {
  std::vector<std::string_view> titles;
  int depth = 0;
  for (const MenuEntry &entry : MenuBarTable(language)) {
    if (entry.kind == MenuEntryKind::Popup && depth++ == 0)
      titles.push_back(entry.text);
    if (entry.kind == MenuEntryKind::EndPopup)
      --depth;
  }
  EXPECT_EQ(depth, 0);
  return titles;
}

} // namespace

TEST(CommandTable, EveryIdentifierLeadsToOneCommand) {
  std::map<CommandId, Cmd> seen;
  for (const CommandRow &row : CommandTable())
    for (CommandId id : {row.idFr, row.idEn, row.idAccel})
      if (id != 0) {
        const auto [it, fresh] = seen.emplace(id, row.cmd);
        EXPECT_TRUE(fresh || it->second == row.cmd) << "identifier " << id << " leads to two commands";
      }
}

TEST(CommandTable, EachCommandKeepsItsKeysInOneRow) {
  std::map<Cmd, int> keyed;
  for (const CommandRow &row : CommandTable()) {
    if (!row.keys.empty()) {
      EXPECT_EQ(++keyed[row.cmd], 1) << row.textEn;
    }
  }
}

TEST(MenuTables, TheFrenchBarHasNineMenusAndTheEnglishSix) {
  EXPECT_EQ(TopLevelMenus(Language::French),
            (std::vector<std::string_view>{"&Fichier", "&Edition", "Afficha&ge", "&Sudoku", "&Language",
                                           "&Aide", "D1", "D2", "D3"}));
  EXPECT_EQ(TopLevelMenus(Language::English),
            (std::vector<std::string_view>{"&File", "&Edit", "&Display", "&Sudoku", "&Language", "&Help"}));
  EXPECT_EQ(std::string_view(TopLevelMenus(Language::French)[kFirstExpertMenu]), "D1");
}

TEST(MenuTables, ItemsNameKnownIdentifiersOfTheirLanguageWithText) {
  const auto rows = RowsById();
  for (Language language : {Language::French, Language::English})
    for (const MenuEntry &entry : MenuBarTable(language)) {
      if (entry.kind != MenuEntryKind::Item)
        continue;
      const auto found = rows.find(entry.id);
      ASSERT_NE(found, rows.end()) << entry.id;
      const CommandRow &row = *found->second;
      EXPECT_EQ(entry.id, IsEnglish(language) ? row.idEn : row.idFr) << entry.id;
      EXPECT_FALSE((IsEnglish(language) ? row.textEn : row.textFr).empty()) << entry.id;
    }
}

TEST(ToolbarTables, BothToolbarsCarryTheSameCommandsWithAPictureEach) {
  const auto rows = RowsById();
  ASSERT_EQ(ToolbarTable().size(), size_t(kToolbarEntryCount));
  int buttons = 0;
  for (const ToolbarEntry &entry : ToolbarTable()) {
    if (entry.IsSeparator())
      continue;
    ++buttons;
    ASSERT_TRUE(rows.contains(entry.idFr) && rows.contains(entry.idEn)) << entry.idFr;
    EXPECT_EQ(rows.at(entry.idFr)->cmd, rows.at(entry.idEn)->cmd) << entry.idFr;
    EXPECT_FALSE(entry.picture.empty());
    for (const PictureShape &shape : entry.picture)
      EXPECT_TRUE(shape.p[0] >= 0 && shape.p[0] <= kToolbarPictureWidth && shape.p[1] >= 0 &&
                  shape.p[1] <= kToolbarPictureHeight);
  }
  EXPECT_EQ(buttons, 26);
}

TEST(MenuTables, TheEnglishImportMenuSpeaksEnglish) {
  const std::map<CommandId, const CommandRow *> rows = RowsById();
  std::vector<std::string_view> texts;
  for (const MenuEntry &entry : MenuBarTable(Language::English))
    if (entry.kind == MenuEntryKind::Item) {
      const Cmd cmd = rows.at(entry.id)->cmd;
      if (cmd == Cmd::ImportClipboard || cmd == Cmd::ImportFile || cmd == Cmd::ImportDirectory)
        texts.push_back(rows.at(entry.id)->textEn);
    }
  EXPECT_EQ(texts, (std::vector<std::string_view>{"From &Clipboard", "From &File", "From &Directory"}));
}
