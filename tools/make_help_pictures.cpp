// Draws the help pages' pictures of the variant rules with the board's own painter: for each
// catalogue row, a grid generated under that rule (the smallest size it is offered for) rendered
// offscreen, cut to the grids and their clues, and saved as help/pictures/rule-<name>.png.
// Magic Square and PanDigital, which no generator makes, get their clues placed as the expert does.
//
//   make_help_pictures DATA_DIR     (writes DATA_DIR/help/pictures/)
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <memory>

#include "app/help_topics.h"
#include "app/picture_library.h"
#include "app/qt/dialog_service.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/cell_set_rules.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "platform/paths.h"
#include "solver/generate_grid.h"
#include "view/clue_definitions.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr int kEasy = 1;
constexpr int kMagicSquareRow = 48;
constexpr int kPanDigitalRow = 51;
constexpr int kShapeOf9 = 5;
constexpr int kNotEqual = 7;
constexpr int kPictureWidth = 240;
// Small grids first: a picture shows the rule, not the size.
constexpr int kSizeClassesBySmallness[] = {1, 0, 2, 3, 4, 5};

bool Generate(EngineContext &ctx, int row) {
  int sizeClass = -1;
  for (int k : kSizeClassesBySmallness)
    if (sizeClass < 0 && VariantAvailability(k, row) == 1)
      sizeClass = k;
  if (sizeClass < 0)
    return false;
  ctx.Settings.GridCurrSize = ShapeCodeOfSize(kSizeClassWidth[static_cast<size_t>(sizeClass)]);
  ctx.Settings.CurrentVariant = VariantCatalog[static_cast<size_t>(row)].VarMasks;
  GeneratorSettings settings;
  settings.SeedOverride = row;
  settings.GenereTimeOver = -1;
  return GenerateGrid(ctx, settings, kEasy).Result == 1;
}

// A 9 x 9 solution whose first block is a magic square, with that square (or three cells of the
// first row, for PanDigital) left open and defined as the expert defines it.
void PlaceByHand(EngineContext &ctx, int row) {
  constexpr std::array<int, 10> kLoShu = {0, 2, 7, 6, 9, 5, 1, 4, 3, 8};
  SetGridShape(ctx, kShapeOf9, 1, 0);
  GridSet &set = ctx.Grids;
  for (int c = 0; c < 81; ++c) {
    const int value = kLoShu[static_cast<size_t>((c % 9 + c / 9 * 3 + c / 27) % 9 + 1)];
    set.RefTab[0].Cells[c].Value = value;
    set.RefTab[0].Cells[c].Status = kStatusFixed;
    const bool open = (c % 9 < 3 && c / 9 < 3) || c % 5 == 1;
    SetCellValue(ctx, set.Main[0], c, open ? 0 : value, open ? kActionClear : kActionPlaceFixed);
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
  SelectionList selection;
  BoardFeedback feedback; // it does nothing: nothing is shown while the clues are placed
  ClueDefinitions expert(ctx, selection, feedback, true);
  if (row == kMagicSquareRow) {
    for (int c : {0, 1, 2, 9, 10, 11, 18, 19, 20})
      selection.Pairs[static_cast<size_t>(selection.Count++)] = {c, 0};
    expert.MagicSquare();
  } else {
    for (int c : {0, 3, 6})
      selection.Pairs[static_cast<size_t>(selection.Count++)] = {c, 0};
    ClueDefinitions::PanChoice choice;
    if (expert.PanSelection(choice))
      expert.Pan(choice, choice.Position, {kNotEqual, kNotEqual, 0});
  }
  UpdatePossibles(ctx, -1, -1, -1, 1);
}

// The shown grids with their clues and pieces, a little margin around them.
QRect DrawnArea(const CQuorbelView &view, const GridSet &set, const QImage &image) {
  QRect area;
  for (int i = 0; i < UsedOrderCount(set); ++i) {
    const CGridDraw &painter = view.Painter(set.Order[static_cast<size_t>(i)]);
    for (const CellRect &box : {painter.BoardRect, painter.PieceArea})
      if (box.right > box.left && box.left > -1000)
        area |= QRect(QPoint(box.left, box.top), QPoint(box.right - 1, box.bottom - 1));
  }
  return area.adjusted(-4, -4, 4, 4).intersected(image.rect());
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_help_pictures DATA_DIR\n");
    return 2;
  }
  const QString data = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  const QString folder = data + QStringLiteral("/help/pictures");
  QDir().mkpath(folder);

  ScriptedDialogService dialogs;
  CQuorbelApp app(AppOptions{.dialogs = &dialogs, .headless = true, .startDirectory = data.toStdString()});
  SetStartDirectory(data.toStdString());
  LoadFixedImages(app.CellPictures(), MakeAbsolutePath(app.Settings().directory.animated), nullptr);
  CQuorbelView view(app);
  view.resize(900, 700);
  EngineContext &ctx = app.Engine();
  TakeNumeralWords(ctx, kEnglishNumeralWords);

  int failures = 0;
  for (int row = kFirstRuleRow; row < kVariantRowCount; ++row) {
    const std::string page = RuleHelpPage(row);
    if (row == kMagicSquareRow || row == kPanDigitalRow) {
      PlaceByHand(ctx, row);
    } else if (!Generate(ctx, row)) {
      std::fprintf(stderr, "%s: not generated\n", page.c_str());
      ++failures;
      continue;
    }
    // Letters for the rules that play with letters, as the board shows them.
    app.Settings().general.gridCurrDisp =
        SymbolModeForVariants(ctx.Grids.Main[0].GridVar, kSymbolDigits, ctx.Geo.GridWidth);
    const QImage &board = view.RenderView();
    const QImage picture = board.copy(DrawnArea(view, ctx.Grids, board))
                               .scaledToWidth(kPictureWidth, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const QString path = folder + QLatin1Char('/') + QString::fromStdString(page) + QStringLiteral(".png");
    if (!picture.save(path)) {
      std::fprintf(stderr, "%s: not written\n", qPrintable(path));
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
