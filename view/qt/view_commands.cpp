// The view's menu commands: Edit > Undo, Redo, Clear and Select all, the character sizes, the
// display type and the four symbol modes, each acting on the current board view.
#include "app/qt/command_host.h"
#include "view/qt/quorbel_view.h"
#include "view/symbol_modes.h"

using namespace quorbel;

namespace {

// A handler that runs on the current view, when there is one.
CommandDispatcher::Handler OnView(CommandHost &app, void (*action)(CQuorbelView &)) {
  return [&app, action](CommandId) {
    if (CQuorbelView *view = GetCurrentView(app))
      action(*view);
  };
}

CommandState EnabledOnGrid(CommandHost &app, bool (*enabled)(CQuorbelView &)) {
  CQuorbelView *view = GetCurrentView(app);
  return view && view->Input().HasGrid() && enabled(*view) ? CommandState{} : CommandState::Disabled();
}

void BindSymbolMode(CommandHost &app, Cmd cmd, SymbolMode mode) {
  app.Commands().SetHandler(
      cmd,
      [&app, mode](CommandId) {
        if (CQuorbelView *view = GetCurrentView(app))
          view->Input().SetSymbolMode(mode, 1);
      },
      [&app, mode] {
        CQuorbelView *view = GetCurrentView(app);
        if (!view)
          return CommandState::Disabled();
        // An item is offered only when the grid's size keeps the mode it asks for, so both
        // shapes of one width offer the same modes; the timed game keeps its symbols.
        const AppSettings &settings = app.Settings();
        const bool enabled =
            settings.game.mode != kModeTimed &&
            ChooseSymbolMode(mode, settings.general.gridCurrDisp, app.Engine().Geo.GridWidth) == mode;
        return CommandState::Ticked(view->Input().Symbols() == mode, enabled);
      });
}

} // namespace

void BindViewCommands(CommandHost &app) {
  CommandDispatcher &commands = app.Commands();
  commands.SetHandler(Cmd::EditUndo, OnView(app, [](CQuorbelView &v) { v.Input().EditUndo(); }), [&app] {
    return EnabledOnGrid(app, [](CQuorbelView &v) { return v.Input().CanUndo(); });
  });
  commands.SetHandler(Cmd::EditRedo, OnView(app, [](CQuorbelView &v) { v.Input().EditRedo(); }), [&app] {
    return EnabledOnGrid(app, [](CQuorbelView &v) { return v.Input().CanRedo(); });
  });
  commands.SetHandler(Cmd::EditClear, OnView(app, [](CQuorbelView &v) { v.Input().EditClear(); }),
                      [&app] { return EnabledOnGrid(app, [](CQuorbelView &) { return true; }); });
  commands.SetHandler(Cmd::EditSelectAll, OnView(app, [](CQuorbelView &v) { v.Input().EditSelectAll(); }),
                      [&app] { return EnabledOnGrid(app, [](CQuorbelView &) { return true; }); });
  const auto onGrid = [&app] { return EnabledOnGrid(app, [](CQuorbelView &) { return true; }); };
  commands.SetHandler(Cmd::FilePrint, OnView(app, [](CQuorbelView &v) { v.PrintBoard(); }), onGrid);
  commands.SetHandler(Cmd::FilePrintPreview, OnView(app, [](CQuorbelView &v) { v.PrintPreview(); }), onGrid);
  commands.SetHandler(Cmd::FilePrintSetup,
                      [&app](CommandId) { app.Dialogs().PageSetup(app.DialogParent(), app.Printer()); });
  commands.SetHandler(Cmd::EditCopy, OnView(app, [](CQuorbelView &v) { v.EditCopy(); }), onGrid);
  commands.SetHandler(Cmd::EditCut, OnView(app, [](CQuorbelView &v) { v.EditCut(); }), onGrid);
  commands.SetHandler(Cmd::EditPaste, OnView(app, [](CQuorbelView &v) { v.EditPaste(); }), onGrid);
  commands.SetHandler(Cmd::DisplayRefTab, OnView(app, [](CQuorbelView &v) { v.DisplayRefTab(); }), [&app] {
    return app.ExpertMode() ? EnabledOnGrid(app, [](CQuorbelView &) { return true; })
                            : CommandState::Disabled();
  });
  commands.SetHandler(Cmd::SpawnParasite, OnView(app, [](CQuorbelView &v) { v.SpawnParasite(); }));
  commands.SetHandler(Cmd::FontIncrease, OnView(app, [](CQuorbelView &v) { v.Input().FontIncrease(); }));
  commands.SetHandler(Cmd::FontDecrease, OnView(app, [](CQuorbelView &v) { v.Input().FontDecrease(); }));
  commands.SetHandler(Cmd::FontReset, OnView(app, [](CQuorbelView &v) { v.Input().FontReset(); }));
  commands.SetHandler(
      Cmd::DisplayType, OnView(app, [](CQuorbelView &v) { v.Input().SetSymbolMode(-1, 1); }), [&app] {
        // The timed game changes the symbols itself.
        return app.Settings().game.mode == kModeTimed ? CommandState::Disabled() : CommandState{};
      });
  BindSymbolMode(app, Cmd::SymbolDigits, kSymbolDigits);
  BindSymbolMode(app, Cmd::SymbolLetters, kSymbolLetters);
  BindSymbolMode(app, Cmd::SymbolMixed, kSymbolMixed);
  BindSymbolMode(app, Cmd::SymbolPictures, kSymbolPictures);
}
