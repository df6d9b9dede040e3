// The view's menu commands: Edit > Undo, Redo, Clear and Select all, the character sizes, the
// display type and the four symbol modes, each acting on the current board view.
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "view/qt/quorbel_view.h"
#include "view/symbol_modes.h"

using namespace quorbel;

namespace {

// A handler that runs on the current view, when there is one.
CommandDispatcher::Handler OnView(void (*action)(CQuorbelView &)) {
  return [action](CommandId) {
    if (CQuorbelView *view = GetCurrentView())
      action(*view);
  };
}

CommandState EnabledOnGrid(bool (*enabled)(CQuorbelView &)) {
  CQuorbelView *view = GetCurrentView();
  return view && view->Input().HasGrid() && enabled(*view) ? CommandState{} : CommandState::Disabled();
}

void BindSymbolMode(CQuorbelApp &app, Cmd cmd, SymbolMode mode) {
  app.Commands().SetHandler(
      cmd,
      [mode](CommandId) {
        if (CQuorbelView *view = GetCurrentView())
          view->Input().SetSymbolMode(mode, 1);
      },
      [&app, mode] {
        CQuorbelView *view = GetCurrentView();
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

void BindViewCommands(CQuorbelApp &app) {
  CommandDispatcher &commands = app.Commands();
  commands.SetHandler(Cmd::EditUndo, OnView([](CQuorbelView &v) { v.Input().EditUndo(); }),
                      [] { return EnabledOnGrid([](CQuorbelView &v) { return v.Input().CanUndo(); }); });
  commands.SetHandler(Cmd::EditRedo, OnView([](CQuorbelView &v) { v.Input().EditRedo(); }),
                      [] { return EnabledOnGrid([](CQuorbelView &v) { return v.Input().CanRedo(); }); });
  commands.SetHandler(Cmd::EditClear, OnView([](CQuorbelView &v) { v.Input().EditClear(); }),
                      [] { return EnabledOnGrid([](CQuorbelView &) { return true; }); });
  commands.SetHandler(Cmd::EditSelectAll, OnView([](CQuorbelView &v) { v.Input().EditSelectAll(); }),
                      [] { return EnabledOnGrid([](CQuorbelView &) { return true; }); });
  const auto onGrid = [] { return EnabledOnGrid([](CQuorbelView &) { return true; }); };
  commands.SetHandler(Cmd::FilePrint, OnView([](CQuorbelView &v) { v.PrintBoard(); }), onGrid);
  commands.SetHandler(Cmd::FilePrintPreview, OnView([](CQuorbelView &v) { v.PrintPreview(); }), onGrid);
  commands.SetHandler(Cmd::FilePrintSetup,
                      [&app](CommandId) { app.Dialogs().PageSetup(app.MainFrame(), app.Printer()); });
  commands.SetHandler(Cmd::EditCopy, OnView([](CQuorbelView &v) { v.EditCopy(); }), onGrid);
  commands.SetHandler(Cmd::EditCut, OnView([](CQuorbelView &v) { v.EditCut(); }), onGrid);
  commands.SetHandler(Cmd::EditPaste, OnView([](CQuorbelView &v) { v.EditPaste(); }), onGrid);
  commands.SetHandler(Cmd::DisplayRefTab, OnView([](CQuorbelView &v) { v.DisplayRefTab(); }), [&app] {
    return app.ExpertMode() ? EnabledOnGrid([](CQuorbelView &) { return true; }) : CommandState::Disabled();
  });
  commands.SetHandler(Cmd::SpawnParasite, OnView([](CQuorbelView &v) { v.SpawnParasite(); }));
  commands.SetHandler(Cmd::FontIncrease, OnView([](CQuorbelView &v) { v.Input().FontIncrease(); }));
  commands.SetHandler(Cmd::FontDecrease, OnView([](CQuorbelView &v) { v.Input().FontDecrease(); }));
  commands.SetHandler(Cmd::FontReset, OnView([](CQuorbelView &v) { v.Input().FontReset(); }));
  commands.SetHandler(
      Cmd::DisplayType, OnView([](CQuorbelView &v) { v.Input().SetSymbolMode(-1, 1); }), [&app] {
        // The timed game changes the symbols itself.
        return app.Settings().game.mode == kModeTimed ? CommandState::Disabled() : CommandState{};
      });
  BindSymbolMode(app, Cmd::SymbolDigits, kSymbolDigits);
  BindSymbolMode(app, Cmd::SymbolLetters, kSymbolLetters);
  BindSymbolMode(app, Cmd::SymbolMixed, kSymbolMixed);
  BindSymbolMode(app, Cmd::SymbolPictures, kSymbolPictures);
}
