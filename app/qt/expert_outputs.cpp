// The expert's files and grid tools: the debug dump, ProbEqual.csv, the MiniSSearch grid and
// the search's solutions, the mask generation, the irregular block file and the catalogue's
// maintenance mode.
#include <cstdio>
#include <vector>

#include "app/generation_settings.h"
#include "app/message_format.h"
#include "app/prob_equal_table.h"
#include "app/qt/expert_commands.h"
#include "app/qt/file_commands.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_cells.h"
#include "engine/grid_copy.h"
#include "engine/grid_debug_dump.h"
#include "engine/grid_set.h"
#include "engine/grid_statistics.h"
#include "engine/irregular_blocks.h"
#include "engine/search_history.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/file_bytes.h"
#include "files/one_line_catalog.h"
#include "platform/help_contexts.h"
#include "platform/paths.h"
#include "solver/mask_grid_generation.h"

using namespace quorbel;

namespace {

constexpr int kDebugLink = HelpContext("scripts");
constexpr int kMostSavedSolutions = 100;

GridRecord &CurrentGrid(EngineContext &ctx) {
  return ctx.Grids.Main[static_cast<size_t>(CurrentGridSlot(ctx.Grids))];
}

void WriteDebugFile(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  if (DumpGridDebug(ctx.Geo, CurrentGrid(ctx), MakeAbsolutePath("DebugFile.txt")) == 0) {
    app.PostMessage(PanelText(OwnText("File DebugFile.txt not accessible")));
    return;
  }
  app.PostMessage(FormatPanelText(French(app) ? OwnText("Fichier <!Debug!%d!File.txt> enregistré")
                                              : OwnText("File <!Debug!%d!File.txt> stored"),
                                  {kDebugLink}));
}

void WriteProbEqual(CQuorbelApp &app) {
  if (!WriteFileReplacing(MakeAbsolutePath("ProbEqual.csv"), ProbEqualTable()).Ok())
    app.PostMessage(PanelText(OwnText("File ProbEqual.csv not accessible")));
}

// Alt+Shift+Y: the MiniSSearch grid replaces the current grid's, one Undo away.
void LoadMiniSSearch(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  const int slot = CurrentGridSlot(ctx.Grids);
  SaveUndoState(ctx);
  if (!LoadMiniSLine(ctx, slot, MakeAbsolutePath("MiniSSearch.txt"), 1)) {
    app.PostMessage(PanelText(OwnText("File MiniSSearch.txt not accessible")));
    return;
  }
  PickSymmetryPattern(ctx, ctx.Grids.Main[static_cast<size_t>(slot)], 0);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
}

// Alt+Shift+Z: each stored solution as a puzzle of its givens, in SaveSearch/ and appended to
// MiniSSearch.txt; the grids are put back once the files are written.
void SaveSearchSolutions(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  const int grids = UsedMainCount(ctx.Grids);
  std::vector<GridRecord> kept(static_cast<size_t>(grids));
  for (int slot = 0; slot < grids; ++slot)
    CopyGrid(ctx, kept[static_cast<size_t>(slot)], &ctx.Grids.Main[static_cast<size_t>(slot)], 0);
  const int count = std::min(ctx.Solutions.StoredCount, kMostSavedSolutions);
  EnsureDirectory(MakeAbsolutePath("SaveSearch"));
  const std::string catalogue = MakeAbsolutePath("MiniSSearch.txt");
  for (int k = 1; k <= count; ++k) {
    for (int slot = 0; slot < grids; ++slot) {
      GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
      CopyStoredSolution(ctx, k - 1, slot, grid);
      for (int c = 0; c < ctx.Geo.NCells; ++c) {
        CellRecord &cell = grid.Cells[static_cast<size_t>(c)];
        if (cell.Status > kStatusHypothesis)
          SetCellValue(ctx, grid, c, 0, kActionClear);
        else
          cell.Status = kStatusFixed;
      }
      AppendMiniSLine(catalogue, ctx, slot);
    }
    char name[32];
    std::snprintf(name, sizeof name, "SaveSearch/Grid%03d.txt", k);
    SaveTextGrids(app, MakeAbsolutePath(name));
  }
  for (int slot = 0; slot < grids; ++slot)
    CopyGrid(ctx, ctx.Grids.Main[static_cast<size_t>(slot)], &kept[static_cast<size_t>(slot)], 0);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
  app.PostMessage(FormatPanelText(OwnText("Saved %d grids in dir: !SaveSearch!-2!"), {count}));
}

// Alt+Shift+C: a unique puzzle whose givens lie where the current grid has values.
void GenerateFromMask(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  app.State().EnterBatchTest();
  GridRecord &mask = ctx.Grids.RefTab[kMaxGrids];
  AllocGridCells(ctx, mask, 1, 0);
  CopyGrid(ctx, mask, &CurrentGrid(ctx), 0);
  int found = 0;
  app.Pump().RunCommand([&] { found = GenerateFromMaskGrid(ctx, 0, MaskGridSettingsOf(app.Settings())); });
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
  app.Messages().ReplaceInfoMessage(
      found == 1 ? OwnText("Grid unique found") : OwnText("Grid unique not found"), 0);
  app.State().LeaveBatchTest();
}

void AddIrregularToFile(CQuorbelApp &app) {
  EngineContext &ctx = app.Engine();
  const GridRecord &grid = CurrentGrid(ctx);
  if ((grid.GridVar.word1 & 0x1) == 0)
    return;
  if (AppendIrregularBlocks(ctx, grid) == 1)
    app.PostMessage(PanelText(OwnText("Irregular definition added to IRGBLK file")));
}

// Alt+Del: the maintenance pass the catalogue dialog runs when it next opens.
void StepCatalogueUpdateMode(CQuorbelApp &app) {
  int32_t &mode = app.Settings().catalog.nGridList;
  if (mode > 0 || mode == -5) {
    mode = -3;
    app.PostMessage(PanelText(OwnText("Update NGridList: Print List")));
  } else if (mode == -3) {
    mode = -2;
    app.PostMessage(
        PanelText(OwnText("WARNING --- carefully used it - it will destroy old comments in textgrid")));
    app.PostMessage(PanelText(OwnText("Update NGridList: Comments")));
  } else if (mode == -2) {
    mode = -4;
    app.PostMessage(
        PanelText(OwnText("WARNING --- carefully used it - it will destroy old difficulty in textgrid")));
    app.PostMessage(PanelText(OwnText("Update NGridList: Difficulty")));
  } else {
    mode = 1;
    app.PostMessage(PanelText(OwnText("No function for NGridList")));
  }
  app.PostMessage(PanelText(OwnText("Please close Catalog and reopen it to activate function")));
}

} // namespace

void RegisterExpertOutputCommands(CQuorbelApp &app) {
  CommandDispatcher &commands = app.Commands();
  const auto expert = [&app] { return app.ExpertMode() ? CommandState{} : CommandState::Disabled(); };
  const auto expertOnGrid = [&app] {
    return app.ExpertMode() && app.Engine().Geo.CellLimit > 0 ? CommandState{} : CommandState::Disabled();
  };
  commands.SetHandler(
      Cmd::WriteDebugFile, [&app](CommandId) { WriteDebugFile(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::WriteProbEqual, [&app](CommandId) { WriteProbEqual(app); }, expert);
  commands.SetHandler(
      Cmd::LoadMiniSSearch, [&app](CommandId) { LoadMiniSSearch(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::SaveSearchSolutions, [&app](CommandId) { SaveSearchSolutions(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::GenerMaskGrid, [&app](CommandId) { GenerateFromMask(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::AddIrregularToFile, [&app](CommandId) { AddIrregularToFile(app); }, expertOnGrid);
  commands.SetHandler(
      Cmd::UpdateNGridList, [&app](CommandId) { StepCatalogueUpdateMode(app); }, expert);
  commands.SetHandler(
      Cmd::SaveTextGridsKey, [&app](CommandId) { SaveTextGrids(app); }, expertOnGrid);
}
