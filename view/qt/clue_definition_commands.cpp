// The expert's definitions of the sum and product rules' clues, each bound to its menu item and
// key, and the keys that do nothing.
#include "app/qt/point_dialog.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/variant_dialogs.h"
#include "app/value_symbol.h"
#include "engine/digit_tables.h"
#include "engine/magic_sentence.h"
#include "engine/update_possibles.h"
#include "view/clue_definitions.h"
#include "view/qt/quorbel_view.h"
#include "view/qt/rule_definition_commands.h"

using namespace quorbel;

namespace {

void Bind(CQuorbelApp &app, Cmd cmd, void (*define)(ClueDefinitions &, CQuorbelView &)) {
  app.Commands().SetHandler(cmd, [&app, define](CommandId) {
    CQuorbelView *view = GetCurrentView(app);
    if (!view || !view->Input().HasGrid())
      return;
    ClueDefinitions definitions(app.Engine(), view->Selection(), *view, app.ExpertMode());
    define(definitions, *view);
  });
}

// The definitions that ask their parameters in a dialog, each shown to the expert only.
void BindDialog(CQuorbelApp &app, Cmd cmd, void (*define)(CQuorbelApp &, ClueDefinitions &, CQuorbelView &)) {
  app.Commands().SetHandler(cmd, [&app, define](CommandId) {
    CQuorbelView *view = GetCurrentView(app);
    if (!view || !view->Input().HasGrid() || !app.ExpertMode())
      return;
    ClueDefinitions definitions(app.Engine(), view->Selection(), *view, true);
    define(app, definitions, *view);
  });
}

void BindParameterDialogs(CQuorbelApp &app) {
  // Pencil marks become allowed sets, which the candidates show: candidates are switched on.
  BindDialog(app, Cmd::DefinePencil, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    const bool cells = v.Selection().Count > 0;
    d.AllowedSet(kAllowedTypeMask);
    if (cells && a.Settings().general.probType == 0) {
      a.Settings().general.probType = 1;
      v.RedrawViewNow();
    }
  });
  BindDialog(app, Cmd::DefineBlock, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    if (!d.BlockSelection())
      return;
    CDialogBlock dialog(a.Engine().Geo.GridWidth, &v);
    if (a.Dialogs().Exec(dialog) == QDialog::Accepted && dialog.Result() >= 0)
      d.Block(dialog.Result());
  });
  BindDialog(app, Cmd::DefineTrioData, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    CDialogTrioData dialog(a.Engine().Geo.GridWidth, a.Engine().ValueClasses, &v);
    const std::string magic = MagicSentenceLetters(a.Engine().Grids, a.Engine().Geo.GridWidth);
    const SymbolMode mode = v.Input().Symbols() == kSymbolPictures ? kSymbolMixed : v.Input().Symbols();
    std::array<QString, 16> labels;
    for (int value = 1; value <= 16; ++value)
      labels[static_cast<size_t>(value - 1)] = QString::fromStdString(ValueSymbolText(value, mode, magic));
    dialog.SetValueLabels(labels);
    if (a.Dialogs().Exec(dialog) == QDialog::Accepted)
      d.TrioData(dialog.Classes());
  });
  BindDialog(app, Cmd::DefineNumeralString, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    CDialogNumeral dialog(a.Engine().Geo.GridWidth, a.Engine().NumeralStrings, &v);
    if (a.Dialogs().Exec(dialog) == QDialog::Accepted)
      d.NumeralStrings(dialog.Words());
  });
  BindDialog(app, Cmd::DefineMagicTable, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    const GridSet &set = a.Engine().Grids;
    CDialogMagicTable dialog(
        a.Engine().Geo.GridWidth,
        set.Main[static_cast<size_t>(CurrentGridSlot(set))].Lists.MagicSentence.LetterTable, &v);
    if (a.Dialogs().Exec(dialog) == QDialog::Accepted)
      d.MagicTable(dialog.Table(), dialog.ApplyToAllGrids());
  });
  BindDialog(app, Cmd::DefinePanDigital, [](CQuorbelApp &a, ClueDefinitions &d, CQuorbelView &v) {
    ClueDefinitions::PanChoice choice;
    if (!d.PanSelection(choice))
      return;
    CDialogPan dialog(choice.Blocks, choice.Position, choice.Lines, &v);
    if (a.Dialogs().Exec(dialog) == QDialog::Accepted)
      d.Pan(choice, dialog.Position(), dialog.Operators());
  });
}

} // namespace

void BindClueDefinitionCommands(CQuorbelApp &app) {
  Bind(app, Cmd::DefineKiller, [](ClueDefinitions &d, CQuorbelView &) { d.Killer(0); });
  Bind(app, Cmd::DefinePuzzle, [](ClueDefinitions &d, CQuorbelView &) { d.PuzzlePiece(); });
  Bind(app, Cmd::DefineNavalFlight, [](ClueDefinitions &d, CQuorbelView &) { d.NavalFlight(); });
  Bind(app, Cmd::DefineTiled, [](ClueDefinitions &d, CQuorbelView &) { d.Tiled(); });
  Bind(app, Cmd::DefineBattleshipOdd, [](ClueDefinitions &d, CQuorbelView &) { d.BattleshipOdd(); });
  Bind(app, Cmd::PuzzleRotate, [](ClueDefinitions &d, CQuorbelView &) { d.PuzzleRotate(); });
  Bind(app, Cmd::DefineTwinsRelation, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsRelation(); });
  Bind(app, Cmd::DefineTwinsEqual, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsWhole(false); });
  Bind(app, Cmd::DefineTwinsDiff, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsWhole(true); });
  Bind(app, Cmd::DefineTwinsZone, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsZone(); });
  Bind(app, Cmd::DefineTwinsGroupRelation,
       [](ClueDefinitions &d, CQuorbelView &) { d.TwinsGroupRelation(); });
  Bind(app, Cmd::DefineTwinsSameInRow, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsSameInRow(); });
  Bind(app, Cmd::DefineTwinsRefGrid, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsRefGrid(); });
  Bind(app, Cmd::DefineTwinTotal, [](ClueDefinitions &d, CQuorbelView &) { d.TwinTotal(); });
  Bind(app, Cmd::DefineTwinsSubstitution, [](ClueDefinitions &d, CQuorbelView &) { d.TwinsSubstitution(); });
  Bind(app, Cmd::DefineTwinsMaskedVariants, [](ClueDefinitions &d, CQuorbelView &) {
    d.RuleSwitch(kVarTwinsVariantMasked, "Twin Variant Masked Added", "Twin Variant Masked Removed");
  });
  Bind(app, Cmd::DefineKillerProduct, [](ClueDefinitions &d, CQuorbelView &) { d.Killer(1); });
  Bind(app, Cmd::DefineLittleKiller, [](ClueDefinitions &d, CQuorbelView &) { d.LittleKiller(); });
  Bind(app, Cmd::DefineMagicSquare, [](ClueDefinitions &d, CQuorbelView &) { d.MagicSquare(); });
  Bind(app, Cmd::DefineArrow, [](ClueDefinitions &d, CQuorbelView &) { d.Arrow(); });
  Bind(app, Cmd::DefineCreasing, [](ClueDefinitions &d, CQuorbelView &) { d.Creasing(); });
  Bind(app, Cmd::DefineKimo, [](ClueDefinitions &d, CQuorbelView &) { d.Kimo(); });
  Bind(app, Cmd::DefineZeroKiller, [](ClueDefinitions &d, CQuorbelView &) { d.ZeroKiller(); });
  Bind(app, Cmd::DefineMultiplicationTable,
       [](ClueDefinitions &d, CQuorbelView &) { d.MultiplicationTable(); });
  Bind(app, Cmd::DefineFrame, [](ClueDefinitions &d, CQuorbelView &v) { d.Frame(v.FrameMode); });
  Bind(app, Cmd::DefineLastNumber, [](ClueDefinitions &d, CQuorbelView &) { d.LastNumber(); });
  Bind(app, Cmd::DefineSkyScraper, [](ClueDefinitions &d, CQuorbelView &) { d.SkyScraper(); });
  Bind(app, Cmd::DefineOutside, [](ClueDefinitions &d, CQuorbelView &) { d.Outside(); });
  Bind(app, Cmd::DefineOddview, [](ClueDefinitions &d, CQuorbelView &) { d.Oddview(); });
  Bind(app, Cmd::TransferFrame, [](ClueDefinitions &d, CQuorbelView &) { d.TransferFrame(); });
  Bind(app, Cmd::TransferHighlight, [](ClueDefinitions &d, CQuorbelView &) { d.TransferHighlight(); });
  Bind(app, Cmd::DefineV, [](ClueDefinitions &d, CQuorbelView &) { d.SumMark(3); });
  Bind(app, Cmd::DefineX, [](ClueDefinitions &d, CQuorbelView &) { d.SumMark(2); });
  Bind(app, Cmd::DefineLess, [](ClueDefinitions &d, CQuorbelView &) { d.LessChain(); });
  Bind(app, Cmd::DefineGreater, [](ClueDefinitions &d, CQuorbelView &) { d.GreaterPair(); });
  Bind(app, Cmd::DefineDot, [](ClueDefinitions &d, CQuorbelView &v) { d.Dot(v.DotKind); });
  Bind(app, Cmd::DefineDistance, [](ClueDefinitions &d, CQuorbelView &) { d.Distance(); });
  Bind(app, Cmd::DefineEven, [](ClueDefinitions &d, CQuorbelView &) { d.OddEven(0); });
  Bind(app, Cmd::DefineOdd, [](ClueDefinitions &d, CQuorbelView &) { d.OddEven(1); });
  Bind(app, Cmd::DefineOddXxx, [](ClueDefinitions &d, CQuorbelView &) { d.OddXxx(); });
  Bind(app, Cmd::DefineEvenPair, [](ClueDefinitions &d, CQuorbelView &) { d.OddPair(); });
  Bind(app, Cmd::DefineOddPair, [](ClueDefinitions &d, CQuorbelView &) { d.OddPair(); });
  Bind(app, Cmd::DefineXxxPair, [](ClueDefinitions &d, CQuorbelView &) { d.XxxPair(); });
  Bind(app, Cmd::DefineQuadMin, [](ClueDefinitions &d, CQuorbelView &) { d.Quad(1); });
  Bind(app, Cmd::DefineQuadMax, [](ClueDefinitions &d, CQuorbelView &) { d.Quad(0); });
  Bind(app, Cmd::DefineAllSignificant, [](ClueDefinitions &d, CQuorbelView &) { d.AllSignificant(); });
  // The rules on every cell: each row's definition command switches its bit on or off.
  struct Switch {
    Cmd Command;
    VariantWords Bit;
    const char *Added;
    const char *Removed;
  };
  static constexpr auto RowSwitch = [](RuleRow row, const char *added, const char *removed) {
    return Switch{DefinitionCommandOf(row), RuleOf(row).Bit, added, removed};
  };
  static constexpr std::array<Switch, 8> kSwitches{{
      RowSwitch(RuleRow::NoTouch, "Dont Touch Added", "Dont Touch Removed"),
      RowSwitch(RuleRow::NoConsecutive, "Non Consecutive Added", "Non Consecutive Removed"),
      RowSwitch(RuleRow::NoAverage, "No Average Added", "No Average Removed"),
      RowSwitch(RuleRow::Touchy, "Touchy Added", "Touchy Removed"),
      RowSwitch(RuleRow::No3OddEven, "No 3 Odd Even In Line Added", "No 3 Odd Even In Line Removed"),
      RowSwitch(RuleRow::NoKnightStep, "No Knight Step Added", "No Knight Step Removed"),
      RowSwitch(RuleRow::Pirate, "Pirate Added", "Pirate removed"),
      RowSwitch(RuleRow::GiveMe5, "Give Me Five Added", "Give Me Five removed"),
  }};
  // All of them but the diagonals, whose definition picks the lines.
  static_assert([] {
    VariantWords bits;
    for (const Switch &entry : kSwitches)
      bits |= entry.Bit;
    return bits == (RuleBitsWith(kHideable) & ~RuleOf(RuleRow::Diagonal).Bit);
  }());
  for (const Switch &entry : kSwitches)
    app.Commands().SetHandler(entry.Command, [&app, entry](CommandId) {
      CQuorbelView *view = GetCurrentView(app);
      if (!view || !view->Input().HasGrid())
        return;
      ClueDefinitions(app.Engine(), view->Selection(), *view, app.ExpertMode())
          .RuleSwitch(entry.Bit, entry.Added, entry.Removed);
    });
  Bind(app, Cmd::DefineChess, [](ClueDefinitions &d, CQuorbelView &) { d.Chess(); });
  Bind(app, Cmd::DefineDiagonal, [](ClueDefinitions &d, CQuorbelView &) { d.Diagonal(); });
  Bind(app, Cmd::DefineExtraRegion, [](ClueDefinitions &d, CQuorbelView &) { d.ExtraRegion(); });
  Bind(app, Cmd::DefineTrio, [](ClueDefinitions &d, CQuorbelView &) { d.Trio(); });
  Bind(app, Cmd::DefineClock, [](ClueDefinitions &d, CQuorbelView &) { d.AllowedSet(kAllowedTypeSegments); });
  Bind(app, Cmd::DefineDomino, [](ClueDefinitions &d, CQuorbelView &) { d.AllowedSet(kAllowedTypePips); });
  Bind(app, Cmd::DefineRoman, [](ClueDefinitions &d, CQuorbelView &) { d.AllowedSet(kAllowedTypeTable); });
  Bind(app, Cmd::DefineDan, [](ClueDefinitions &d, CQuorbelView &) { d.Dan(); });
  Bind(app, Cmd::DefineEquality, [](ClueDefinitions &d, CQuorbelView &) { d.Equality(); });
  Bind(app, Cmd::DefineWheel, [](ClueDefinitions &d, CQuorbelView &) { d.Wheel(); });
  Bind(app, Cmd::DefineMagicSentence, [](ClueDefinitions &d, CQuorbelView &) { d.MagicSentence(); });
  Bind(app, Cmd::DefineMasterMind, [](ClueDefinitions &d, CQuorbelView &) { d.MasterMind(); });
  Bind(app, Cmd::DefineNumeral, [](ClueDefinitions &d, CQuorbelView &v) {
    if (d.Numeral())
      v.Input().Entry.Mode = EntryMode::Numeral;
  });
  Bind(app, Cmd::DefineNavigator, [](ClueDefinitions &d, CQuorbelView &) { d.Navigator(); });
  app.Commands().SetHandler(Cmd::DefineDoubleTriple, [&app](CommandId) {
    CQuorbelView *view = GetCurrentView(app);
    if (!view || !view->Input().HasGrid())
      return;
    if (!ClueDefinitions(app.Engine(), view->Selection(), *view, app.ExpertMode()).DoubleTriple())
      return;
    CDialogPoint dialog(view);
    dialog.SetPointValues(app.Engine().Points);
    if (app.Dialogs().Exec(dialog) == QDialog::Accepted) {
      app.Engine().Points = dialog.GetPointValues();
      UpdatePossibles(app.Engine(), -1, -1, -1, 1);
      view->RedrawViewNow();
    }
  });
  BindParameterDialogs(app);
  app.Commands().SetHandler(Cmd::IgnoreCommand, [](CommandId) {});
}
