// The board view's mouse: clicks that select cells, values dragged from the number bar or from a
// cell, the number bar's buttons, the grid tabs, pencil and probable marks clicked in a cell,
// double clicks, the wheel, the splitters of the side panel and the comment strip, the cursor,
// and the right-button menus.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/help_topics.h"
#include "app/message_format.h"
#include "app/qt/dialog_service.h"
#include "app/random_background.h"
#include "engine/boat_marks.h"
#include "engine/grid_services.h"
#include "engine/neighbour_editors.h"
#include "engine/puzzle_pieces.h"
#include "engine/twins_editors.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "engine/variant_catalog.h"
#include "files/file_bytes.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "files/text_grid_reader.h"
#include "platform/help_contexts.h"
#include "platform/paths.h"
#include "view/chain_colouring.h"
#include "view/hit_test.h"
#include "view/qt/paint_tools.h"
#include "view/qt/quorbel_view.h"
#include "view/qt/value_cursors.h"

using namespace quorbel;

namespace {

constexpr int kSplitterReach = 3; // pixels either side of a splitter line
constexpr int kWheelNotch = 120;  // angle delta of one notch
constexpr int kCursorFont = 20;
constexpr int kBarPercent = 100;       // PREFGEOM BDX is the side panel's width in hundredths
constexpr int kShowPossiblesStep = 36; // DISPPOSS
constexpr int kGeometryStep = 32;      // PREFGEOM

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

bool CQuorbelView::BoardInputAllowed() const { return !app_.Computing(); }

// ---- Buttons ----

void CQuorbelView::mousePressEvent(QMouseEvent *event) {
  const QPoint at = event->position().toPoint();
  if (event->button() == Qt::LeftButton && BoardInputAllowed()) {
    if (MessagePanelClick(at.x(), at.y()))
      return;
    LeftButtonDown(at, event->modifiers());
    return;
  }
  QWidget::mousePressEvent(event);
}

void CQuorbelView::mouseReleaseEvent(QMouseEvent *event) {
  const QPoint at = event->position().toPoint();
  if (!BoardInputAllowed()) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  switch (event->button()) {
  case Qt::LeftButton:
    LeftButtonUp(at, event->modifiers());
    return;
  case Qt::RightButton:
    // The mark charges the right button's uses beyond an allowance.
    if (app_.State().GridInPlay())
      AddToCount(app_.Session().Tally.RightClickUses, 1);
    // While a piece is held the right button turns it (on a double click), and shows no menu.
    if (!drag_.PieceDrag)
      ShowContextMenu(at);
    return;
  case Qt::MiddleButton: {
    // The next cell, as a player walks through the grid.
    const GridSet &set = app_.Engine().Grids;
    const int next =
        set.FocusCell >= 0 && set.FocusCell + 1 < input_.NavigableRecords() ? set.FocusCell + 1 : 0;
    input_.Entry.ValueEntry = 1;
    input_.MoveFocus(set.FocusGrid, next);
    PlaySoundEffect(kSoundRefused);
    return;
  }
  default:
    QWidget::mouseReleaseEvent(event);
  }
}

void CQuorbelView::mouseDoubleClickEvent(QMouseEvent *event) {
  if (event->button() == Qt::RightButton && drag_.PieceDrag && BoardInputAllowed()) {
    input_.ForgetWheelSnapshots();
    input_.TurnPiece(drag_.PieceGrid, drag_.Piece);
    setCursor(PieceCursor());
    RedrawViewNow();
    return;
  }
  if (event->button() != Qt::LeftButton || !BoardInputAllowed() || !app_.State().GridInPlay()) {
    QWidget::mouseDoubleClickEvent(event);
    return;
  }
  const QPoint at = event->position().toPoint();
  const EngineContext &engine = app_.Engine();
  input_.ForgetWheelSnapshots();
  const CellHit hit = HitTestCell(layout_, painters_, engine.Grids, engine.Geo,
                                  ClueNavigation(app_.Settings().general), at.x(), at.y());
  if (IsPlayingCell(engine.Geo, hit.Cell)) {
    const bool selected = FindSelection(selection_, hit.Cell, hit.Grid) >= 0;
    const int v = HitTestCandidate(painters_[static_cast<size_t>(hit.Grid)], engine.Geo, hit.Cell,
                                   app_.Settings().general.probType, selected, at.x(), at.y());
    // The cells linked to it in the twin grids take the same value, whichever grid holds the link.
    if (v >= 0 && input_.PlaceValue(hit.Grid, hit.Cell, v + 1) == 1)
      for (const TwinsPartner &twin : TwinsRelationPartners(engine.Grids, hit.Grid, hit.Cell))
        input_.PlaceValue(twin.Grid, twin.Cell, v + 1);
  } else {
    const int slot = HitTestNumberBar(layout_, engine.Geo.GridWidth, at.x(), at.y());
    if (slot >= 1 && slot <= engine.Geo.GridWidth)
      input_.SelectNumberBarValue(slot);
  }
  PlaySoundEffect(kSoundDoubleClick);
  EndDrag();
}

void CQuorbelView::LeftButtonDown(QPoint at, Qt::KeyboardModifiers /*modifiers*/) {
  input_.ForgetWheelSnapshots();
  if (!app_.State().GridInPlay())
    return;
  const EngineContext &engine = app_.Engine();
  const int width = engine.Geo.GridWidth;
  const int barSlot = HitTestNumberBar(layout_, width, at.x(), at.y());
  const CellHit hit = HitTestCell(layout_, painters_, engine.Grids, engine.Geo,
                                  ClueNavigation(app_.Settings().general), at.x(), at.y());
  if (drag_.PieceDrag && drag_.Sticky && IsPlayingCell(engine.Geo, hit.Cell)) {
    DropPiece(hit.Grid, hit.Cell);
    return;
  }
  // A legend line switches its rule on the current grid while a hidden-variant set is shown;
  // otherwise it opens the page of its rule (the rules' page for a line of no one rule).
  const AppSettings &settings = app_.Settings();
  if (const int line = HitTestLegendToggle(layout_, static_cast<int>(legend_.size()), settings.general,
                                           input_.Symbols(), settings.game.mode, at.x(), at.y());
      line >= 0) {
    const VariantWords bits = legend_[static_cast<size_t>(line)].Bits;
    if (!Meets(legendWords_, kVarTwinsVariantMasked) || !bits.Any() || bits == kVarTwinsVariantMasked) {
      const int row = FindVariantRow(bits);
      app_.ShowHelp(row >= 0 ? RuleHelpContext(row) : HelpContext("rules"));
    } else {
      input_.ToggleGridRule(bits);
    }
    return;
  }

  if (drag_.Sticky && drag_.Dragging) {
    // The click that drops a value picked from the bar; on the same value or on nothing it only
    // ends the drag.
    const int value = DragValue;
    const bool dropped =
        IsPlayingCell(engine.Geo, hit.Cell) && input_.PlaceValue(hit.Grid, hit.Cell, value) == 1;
    EndDrag();
    if (barSlot == value || (!dropped && barSlot < 1 && hit.Cell < 0))
      return;
  }

  const bool onBarValue = barSlot >= 1 && barSlot <= width;
  int cellValue = 0;
  if (IsPlayingCell(engine.Geo, hit.Cell)) {
    const CellRecord &cell =
        engine.Grids.Main[static_cast<size_t>(hit.Grid)].Cells[static_cast<size_t>(hit.Cell)];
    if (cell.Status < kStatusConflict && cell.Value >= 1 && cell.Value <= width)
      cellValue = cell.Value;
  }
  if (onBarValue) {
    StartValueDrag(barSlot, false);
  } else if (cellValue > 0) {
    StartValueDrag(cellValue, true);
  } else if (SplitterUnder(at, drag_.ResizeHeight, drag_.ResizeWidth)) {
    setCursor(drag_.ResizeHeight ? Qt::SizeVerCursor : Qt::SizeHorCursor);
  } else if (const PieceHit piece =
                 hit.Grid >= 0 && hit.Cell >= engine.Geo.NCellRecs
                     ? HitTestPuzzlePiece(engine.Grids.Main[static_cast<size_t>(hit.Grid)], hit.Cell)
                     : PieceHit{};
             piece.Piece >= 0) {
    StartPieceDrag(hit.Grid, piece.Piece, piece.Cell);
  } else {
    EndDrag();
  }
  drag_.PressedCell = onBarValue ? -1 : hit.Cell;
  drag_.PressedGrid = onBarValue ? -1 : hit.Grid;
}

void CQuorbelView::LeftButtonUp(QPoint at, Qt::KeyboardModifiers modifiers) {
  const EngineContext &engine = app_.Engine();
  const GridGeometry &geo = engine.Geo;
  if (drag_.ResizeHeight || drag_.ResizeWidth) {
    EndResize(at);
    return;
  }
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  if (ClickDefiStrip(at, ctrl))
    return;
  if (const int tab = HitTestGridTab(tabs_, at.x(), at.y()); tab >= 0) {
    input_.ClickGridTab(tab, ctrl);
    return;
  }
  if (!app_.State().GridInPlay())
    return;

  const int barSlot = HitTestNumberBar(layout_, geo.GridWidth, at.x(), at.y());
  if (barSlot >= 1) {
    if (barSlot <= geo.GridWidth) {
      if (switches_.ShowColouring == 1 && HitTestSlotCorner(layout_, barSlot, at.x(), at.y()) == 1) {
        EndDrag();
        ColourChainsOf(barSlot);
        return;
      }
      input_.SelectNumberBarValue(barSlot);
      // A value picked by a click waits for the click that drops it.
      if (drag_.Dragging && !drag_.FromCell && barSlot == DragValue)
        drag_.Sticky = true;
      else
        EndDrag();
      return;
    }
    EndDrag();
    if (barSlot == geo.GridWidth + 1)
      input_.EditUndo();
    else if (barSlot == geo.GridWidth + 2)
      ReloadCellPictures(PictureOrderMode::Keep, {});
    return;
  }

  const CellHit hit = HitTestCell(layout_, painters_, engine.Grids, geo,
                                  ClueNavigation(app_.Settings().general), at.x(), at.y());
  if (drag_.PieceDrag) {
    // Released where it was picked, the piece waits for the click that lays it.
    if (IsPlayingCell(geo, hit.Cell))
      DropPiece(hit.Grid, hit.Cell);
    else if (hit.Cell == drag_.PressedCell && hit.Grid == drag_.PressedGrid)
      drag_.Sticky = true;
    else
      EndDrag();
    return;
  }
  if (drag_.Dragging) {
    const bool elsewhere = hit.Cell != drag_.PressedCell || hit.Grid != drag_.PressedGrid;
    const int value = DragValue;
    EndDrag();
    if (IsPlayingCell(geo, hit.Cell) && elsewhere) {
      if (input_.PlaceValue(hit.Grid, hit.Cell, value) == 1)
        PlaySoundEffect(kSoundPickOrDrop);
      return;
    }
  }
  if (hit.Cell == -1 && hit.Grid == -1)
    return;

  if (hit.Cell == kFocusMessagePanel) {
    input_.SelectCell(0, kFocusMessagePanel, SelectMode::Single); // the panel joins no selection
    return;
  }
  const int slot = hit.Grid;
  input_.SelectCell(slot, hit.Cell, shift ? SelectMode::Range : ctrl ? SelectMode::Add : SelectMode::Single);
  if (shift || ctrl)
    return;
  const int probType = app_.Settings().general.probType;
  const CGridDraw &painter = painters_[static_cast<size_t>(slot)];
  if (IsPlayingCell(geo, hit.Cell) && probType == 2) {
    const int v = HitTestCandidate(painter, geo, hit.Cell, probType, true, at.x(), at.y());
    if (v >= 0)
      input_.TogglePencilMark(slot, hit.Cell, v + 1);
  } else if ((IsPlayingCell(geo, hit.Cell) && probType == 3) || hit.Cell == geo.NumberBar()) {
    const int v = HitTestValueSymbol(painter, geo, hit.Cell, true, at.x(), at.y());
    if (v >= 0)
      input_.ToggleProbableMark(slot, hit.Cell, v + 1);
  }
}

void CQuorbelView::StartValueDrag(int value, bool fromCell) {
  const int before = DragValue;
  DragValue = value;
  drag_.Dragging = true;
  drag_.Sticky = false;
  drag_.FromCell = fromCell;
  setCursor(ValueCursor(value));
  PlaySoundEffect(kSoundPickOrDrop);
  if (before != value && layout_.NumberBarShown)
    repaint(ToQRect(layout_.Side));
}

void CQuorbelView::StartPieceDrag(int slot, int piece, int cell) {
  EndDrag();
  drag_.PieceDrag = true;
  drag_.PieceGrid = slot;
  drag_.Piece = piece;
  drag_.PieceCell = cell;
  setCursor(PieceCursor());
  PlaySoundEffect(kSoundPickOrDrop);
}

bool CQuorbelView::DropPiece(int slot, int cell) {
  const DragState held = drag_;
  EndDrag();
  // A piece is laid on the grid it came from.
  if (slot != held.PieceGrid)
    return false;
  return input_.DropPiece(slot, held.Piece, held.PieceCell, cell) == 1;
}

QCursor CQuorbelView::PieceCursor() const {
  const EngineContext &engine = app_.Engine();
  const int slot = drag_.PieceGrid;
  if (slot < 0 || slot >= engine.Grids.MainCount || static_cast<size_t>(slot) >= painters_.size())
    return QCursor(Qt::CrossCursor);
  const GridRecord &grid = engine.Grids.Main[static_cast<size_t>(slot)];
  if (drag_.Piece < 0 || drag_.Piece >= grid.Lists.Pieces.Size())
    return QCursor(Qt::CrossCursor);
  const CGridDraw &painter = painters_[static_cast<size_t>(slot)];
  const PuzzlePiece &piece = grid.Lists.Pieces.Items[static_cast<size_t>(drag_.Piece)];
  const bool parity = grid.Lists.PieceParity == 1;
  PieceCursorCells cells;
  for (int k = 0; k < std::clamp<int>(piece.NCells, 0, kMaxPieceDigits); ++k) {
    const auto [x, y] = PieceCellOffset(engine.Geo, piece, k, piece.Rotation, piece.Mirror != 0);
    const int digit =
        TurnedDigit(grid, piece.Digits[static_cast<size_t>(k)], piece.Rotation, piece.Mirror != 0);
    QString text;
    if (digit > 0 && parity)
      text = QString(ParityLetter(digit % 2 == 1, app_.CurrentLanguage()));
    else if (digit > 0)
      text = QString::fromStdString(ValueSymbolText(digit, input_.Symbols()));
    cells.push_back({x, y, text, Meets(grid.GridVar, kVarTiled) && piece.MarkedCell == k});
  }
  const int held = std::clamp(drag_.PieceCell, 0, static_cast<int>(cells.size()) - 1);
  const QSize cell(std::max(12, static_cast<int>(painter.CellW)),
                   std::max(12, static_cast<int>(painter.CellH)));
  return MakePieceCursor(cells, held, cell, fonts_.Font(painter.FontCell), app_.Colours());
}

void CQuorbelView::EndDrag() {
  const bool shown = DragValue != -1;
  DragValue = -1;
  drag_ = DragState{};
  unsetCursor();
  if (shown && layout_.NumberBarShown)
    repaint(ToQRect(layout_.Side));
}

// ---- Splitters ----

bool CQuorbelView::SplitterUnder(QPoint at, bool &height, bool &width) const {
  height = width = false;
  const GeneralSettings &general = app_.Settings().general;
  // The comment strip's top edge sets its height; the side panel's left edge its width.
  if (general.displayComment == 1 && layout_.Comment.IsShown() &&
      std::abs(at.y() - layout_.Comment.top) <= kSplitterReach) {
    height = true;
  } else if (layout_.NumberBarShown &&
             at.y() < (layout_.Comment.IsShown() ? layout_.Comment.top : layout_.Client.bottom) &&
             std::abs(at.x() - layout_.Side.left) <= kSplitterReach) {
    width = true;
  }
  return height || width;
}

void CQuorbelView::EndResize(QPoint at) {
  GeneralSettings &general = app_.Settings().general;
  RecordedAction step;
  step.Code = kGeometryStep;
  if (drag_.ResizeHeight) {
    general.displayComDy = std::max(0, layout_.Client.bottom - at.y());
    step.Strings[0] = "CDY";
    step.Ints[0] = general.displayComDy;
  } else {
    general.displayBarDx = std::clamp(1.0 - static_cast<double>(at.x()) / std::max(1, width()), 0.0, 1.0);
    step.Strings[0] = "BDX";
    step.Ints[0] = static_cast<int32_t>(general.displayBarDx * kBarPercent);
  }
  EndDrag();
  app_.SaveSettings();
  RedrawViewNow();
  app_.RecordMacroStep(step);
}

void CQuorbelView::ColourChainsOf(int value) {
  switches_.ColouredValue = value;
  ColourValueChains(app_.Engine(), selection_, value, static_cast<MethodMask>(app_.Settings().method.method));
  RedrawViewNow();
  PlaySoundEffect(kSoundPickOrDrop);
  RecordMacroStep(kMacroClick, {}, value + kColourBarClickBase);
}

// ---- Pointer and wheel ----

void CQuorbelView::mouseMoveEvent(QMouseEvent *event) {
  const QPoint at = event->position().toPoint();
  if (drag_.Dragging || drag_.ResizeHeight || drag_.ResizeWidth)
    return; // the cursor chosen at the press stays
  const EngineContext &engine = app_.Engine();
  bool height = false, width = false;
  if (SplitterUnder(at, height, width)) {
    setCursor(height ? Qt::SizeVerCursor : Qt::SizeHorCursor);
    return;
  }
  const bool overBar = HitTestNumberBar(layout_, engine.Geo.GridWidth, at.x(), at.y()) >= 0;
  const CellHit hit = HitTestCell(layout_, painters_, engine.Grids, engine.Geo,
                                  ClueNavigation(app_.Settings().general), at.x(), at.y());
  const bool overTab = app_.ExpertMode() && HitTestGridTab(tabs_, at.x(), at.y()) >= 0;
  if (overBar || hit.Cell >= 0 || overTab)
    setCursor(Qt::CrossCursor);
  else
    unsetCursor();
}

void CQuorbelView::wheelEvent(QWheelEvent *event) {
  if (!BoardInputAllowed() || !app_.State().GridInPlay()) {
    event->ignore();
    return;
  }
  // Whole notches only; a smooth wheel's parts add up in Qt's own accumulation.
  const int notches = event->angleDelta().y() / kWheelNotch;
  for (int k = 0; k < std::abs(notches); ++k) {
    if (app_.Engine().Grids.FocusCell == kFocusMessagePanel)
      ScrollMessages(notches);
    else
      input_.WheelStep(notches);
  }
  event->accept();
}

void CQuorbelView::ScrollMessages(int away) {
  MessageRing &ring = app_.Messages();
  const int write = ring.WriteIndex();
  int display = ring.DisplayIndex();
  if (away > 0) {
    // Towards the newer lines, never past the newest.
    if (display != write)
      display = (display + 1) % MessageRing::kLineCount;
  } else {
    const int older = (display + MessageRing::kLineCount - 1) % MessageRing::kLineCount;
    if (older != write && !ring.Line(older - 1).Empty)
      display = older;
  }
  ring.SetDisplayIndex(display);
  ring.SetScrolled(display != write);
  RedrawViewNow();
}

QCursor CQuorbelView::ValueCursor(int value) const {
  if (value < 1 || value > static_cast<int>(valueCursors_.size()))
    return QCursor(Qt::CrossCursor);
  return valueCursors_[static_cast<size_t>(value - 1)];
}

void CQuorbelView::ReloadCellPictures(PictureOrderMode mode, const std::string &list) {
  if (reloadingPictures_)
    return;
  reloadingPictures_ = true;
  if (app_.LoadCellPictures(mode, list) > 0) {
    BuildValueCursors(); // the number bar follows the order at the redraw's layout
    app_.SaveSettings();
  }
  reloadingPictures_ = false;
  RedrawViewNow();
}

void CQuorbelView::BuildValueCursors() {
  const PictureLibrary &pictures = app_.CellPictures();
  const PictureOrderTable &order = app_.Engine().Settings.PictureOrder;
  const SymbolMode mode = input_.Symbols();
  const int width = std::min<int>(app_.Engine().Geo.GridWidth, static_cast<int>(valueCursors_.size()));
  for (int v = 1; v <= width; ++v) {
    const int set = order[static_cast<size_t>(v - 1)];
    QCursor &cursor = valueCursors_[static_cast<size_t>(v - 1)];
    if (mode == kSymbolPictures && pictures.HasFrames(set))
      cursor = ToQCursor(MakeImageCursor(pictures.Sets[static_cast<size_t>(set)]));
    else
      cursor = ToQCursor(
          MakeTextCursor(QString::fromStdString(ValueSymbolText(v, mode)), fonts_.Font(kCursorFont)));
  }
}

// ---- Right-button menus ----

int CQuorbelView::ShowMenu(const std::vector<MenuChoice> &menu, QPoint at) {
  if (menu.empty())
    return 0;
  QMenu popup(this);
  for (const MenuChoice &choice : menu) {
    QAction *action = popup.addAction(FromUtf8(choice.Text));
    action->setData(choice.Item);
    if (choice.Checked) {
      action->setCheckable(true);
      action->setChecked(true);
    }
  }
  const QAction *chosen = popup.exec(mapToGlobal(at));
  return chosen ? chosen->data().toInt() : 0;
}

void CQuorbelView::ShowContextMenu(QPoint at) {
  const EngineContext &engine = app_.Engine();
  const GridGeometry &geo = engine.Geo;
  const AppSettings &settings = app_.Settings();
  const Language language = app_.CurrentLanguage();
  if (const int tab = HitTestGridTab(tabs_, at.x(), at.y()); tab >= 0) {
    const int item = ChooseMenuItem(GridTabMenu(app_.ExpertMode()), at);
    if (item == kItemAddEmptyGrid && AddGridToSet(app_.Engine()) >= 0) {
      RecomputeAllCandidates(app_.Engine());
      RedrawViewNow();
    } else if (item == kItemAddGridFromFile) {
      AddGridFromFile();
    } else if (item == kItemAddGridFromClipboard) {
      AddGridFromClipboard();
    } else if (item == kItemDeleteGrid) {
      // A grid's own tab names it; the tab of the whole set, the grid in play.
      app_.DeleteGrid(tab > 0 ? tab - 1 : CurrentGridSlot(app_.Engine().Grids));
    }
    return;
  }
  if (input_.Symbols() == kSymbolPictures && HitTestNumberBar(layout_, geo.GridWidth, at.x(), at.y()) >= 0) {
    const std::vector<std::string> lists = FindPictureLists(settings.directory.animated);
    const int item = ChooseMenuItem(PictureSetMenu(lists, language), at);
    if (item == kItemResetImages)
      ReloadCellPictures(PictureOrderMode::Identity, {});
    else if (item == kItemShuffleImages)
      ReloadCellPictures(PictureOrderMode::Shuffle, {});
    else if (item >= kItemFirstPictureList && item - kItemFirstPictureList < static_cast<int>(lists.size()))
      ReloadCellPictures(PictureOrderMode::Keep, lists[static_cast<size_t>(item - kItemFirstPictureList)]);
    return;
  }
  if (!app_.State().GridInPlay())
    return;
  const CellHit hit =
      HitTestCell(layout_, painters_, engine.Grids, geo, ClueNavigation(settings.general), at.x(), at.y());
  std::vector<MenuChoice> menu;
  if (hit.Cell == kFocusMessagePanel) {
    menu = MessagePanelMenu(settings.general.displayComment == 1, language);
  } else if (IsPlayingCell(geo, hit.Cell)) {
    const CellRecord &cell =
        engine.Grids.Main[static_cast<size_t>(hit.Grid)].Cells[static_cast<size_t>(hit.Cell)];
    const GridRecord &grid = engine.Grids.Main[static_cast<size_t>(hit.Grid)];
    const auto pieces = grid.Lists.Chess.Used();
    menu =
        PlayingCellMenu({.Status = cell.Status,
                         .Expert = app_.ExpertMode(),
                         .Symbols = input_.Symbols(),
                         .ProbType = settings.general.probType,
                         .SequentialEntry = input_.Entry.Mode == EntryMode::Sequential,
                         .ChessGrid = Meets(grid.GridVar, kVarChess),
                         .PieceOnCell = std::any_of(pieces.begin(), pieces.end(),
                                                    [&](const ChessPiece &p) { return p.Cell == hit.Cell; }),
                         .BattleShipGrid = Meets(grid.GridVar, kVarBattleShip),
                         .Boat = cell.Boat},
                        language);
  } else if (hit.Cell >= geo.NCellRecs && hit.Grid >= 0) {
    // A piece beside the grid: its found mark.
    const GridRecord &grid = engine.Grids.Main[static_cast<size_t>(hit.Grid)];
    const PieceHit piece = HitTestPuzzlePiece(grid, hit.Cell);
    if (piece.Piece < 0)
      return;
    const bool found = grid.Lists.Pieces.Items[static_cast<size_t>(piece.Piece)].Found == 1;
    const int item = ChooseMenuItem(PieceMenu(found, Meets(grid.GridVar, kVarBattleShip), language), at);
    if (item == kItemPieceFound || item == kItemPieceNotFound || item == kItemNoPieceFound) {
      input_.MarkPieceFound(hit.Grid, item == kItemNoPieceFound ? -1 : piece.Piece, item == kItemPieceFound);
      input_.MoveFocus(hit.Grid, hit.Cell);
    }
    return;
  } else if (hit.Cell >= geo.NCells && hit.Cell < geo.CellLimit) {
    menu = ClueCellMenu(language);
  } else if (hit.Cell < 0) {
    menu = BoardMenu({.Symbols = input_.Symbols(),
                      .ProbType = settings.general.probType,
                      .LineColShown = switches_.ShowPossLineCol == 1,
                      .CommentsShown = settings.general.displayComment == 1,
                      .NumberBarShown = settings.general.displayBarArea == 1,
                      .GameMode = settings.game.mode},
                     language);
  }
  RunMenuItem(ChooseMenuItem(menu, at), hit.Grid < 0 ? CurrentGridSlot(engine.Grids) : hit.Grid, hit.Cell);
}

void CQuorbelView::RunMenuItem(int item, int slot, int cell) {
  EngineContext &engine = app_.Engine();
  AppSettings &settings = app_.Settings();
  GridRecord &grid = engine.Grids.Main[static_cast<size_t>(std::clamp(slot, 0, kMaxGrids - 1))];
  auto setProbType = [&](int probType) {
    settings.general.probType = probType;
    ResetCellColours(grid, -1);
    app_.SaveSettings();
  };
  switch (item) {
  case kItemSetBoat:
  case kItemSetWater:
  case kItemClearBoat:
    input_.MarkBoats(slot, cell,
                     item == kItemSetBoat    ? kBoatPart
                     : item == kItemSetWater ? kBoatWater
                                             : kBoatNone);
    return;
  case kItemClearGridBoats:
    input_.ClearGridBoats(slot);
    return;
  case kItemClearCell: {
    ResetTransientState(engine);
    const CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
    if (record.Status == kStatusFixed && !app_.ExpertMode())
      break;
    SaveUndoState(engine);
    ClearCellMove(engine, grid, cell);
    RecomputeAllCandidates(engine);
    RecordedAction step;
    step.Code = kStepSetCell;
    step.Ints[0] = cell;
    step.Ints[2] = 0;
    app_.RecordMacroStep(step);
    break;
  }
  case kItemShowPossibles: {
    ResetTransientState(engine);
    grid.Cells[static_cast<size_t>(cell)].CellHighlight = 1;
    input_.MoveFocus(slot, cell);
    RecordedAction step;
    step.Code = kShowPossiblesStep;
    step.Ints[0] = cell;
    app_.RecordMacroStep(step);
    break;
  }
  case kItemPropose:
    ResetTransientState(engine);
    input_.MoveFocus(slot, cell);
    // The hint is the Sudoku menu's Propose on the focus cell, with its help count and step.
    app_.RunCommand(Cmd::Propose);
    break;
  case kItemScanZone:
    ResetTransientState(engine);
    input_.MoveFocus(slot, cell);
    app_.RunCommand(Cmd::ScanGridArea);
    break;
  case kItemMultipleEntry:
    ResetTransientState(engine);
    input_.MoveFocus(slot, cell);
    input_.Entry.Mode =
        input_.Entry.Mode == EntryMode::Sequential ? EntryMode::Normal : EntryMode::Sequential;
    break;
  case kItemLineColPossibles:
    switches_.ShowPossLineCol = switches_.ShowPossLineCol == 1 ? 0 : 1;
    break;
  case kItemCellSingleValue:
    setProbType(0);
    break;
  case kItemCellLine:
    setProbType(1);
    break;
  case kItemCellMatrix:
    setProbType(2);
    break;
  case kItemCellProbables:
    setProbType(3);
    break;
  case kItemClearProbables:
    ResetTransientState(engine);
    SaveUndoState(engine);
    for (CellRecord &record : grid.Cells)
      if (record.Status >= kStatusEmpty) {
        record.Marks = 0;
        record.Status = kStatusEmpty;
      }
    RecomputeAllCandidates(engine);
    break;
  case kItemCommentArea:
    settings.general.displayComment = settings.general.displayComment == 1 ? 0 : 1;
    // Hidden, the area keeps no focus: the arrow keys start again from the grid.
    if (settings.general.displayComment == 0 && engine.Grids.FocusCell == kFocusMessagePanel)
      input_.MoveFocus(engine.Grids.FocusGrid, kNoFocusCell);
    break;
  case kItemClearComments:
    grid.Comment.clear();
    for (std::string &comment : engine.GridComments)
      comment.clear();
    break;
  case kItemCopyComments:
    QGuiApplication::clipboard()->setText(QString::fromStdString(grid.Comment));
    break;
  case kItemImageBar:
    settings.general.displayBarArea = settings.general.displayBarArea == 1 ? 0 : 1;
    break;
  case kItemChangeBackground:
    if (std::string picture = PickRandomBackground(settings.directory.background); !picture.empty()) {
      settings.general.backgroundImage = std::move(picture);
      BackgroundReload = 1;
    } else {
      const bool french = !IsEnglish(app_.CurrentLanguage());
      app_.PostMessage(FormatPanelText(french ? OwnText("Aucune image de fond (.jpg) dans %s.")
                                              : OwnText("No background picture (.jpg) in %s."),
                                       {FormatArg(MakeAbsolutePath(settings.directory.background))}));
    }
    break;
  case kItemNoBackground:
    settings.general.backgroundImage.clear();
    BackgroundReload = 1;
    break;
  case kItemClearChessPiece:
    ToggleChessPiece(engine.Geo, grid, -2, cell, 0);
    RecomputeAllCandidates(engine);
    break;
  default:
    if (item < kItemFirstChessPiece || item >= kItemFirstChessPiece + 12)
      return;
    // The pieces as the menu lists them: knight .. pawn, black then white.
    ToggleChessPiece(engine.Geo, grid, (item - kItemFirstChessPiece) % 6, cell,
                     (item - kItemFirstChessPiece) / 6);
    RecomputeAllCandidates(engine);
    break;
  }
  RedrawViewNow();
}

void CQuorbelView::AddGridFromFile() {
  const bool french = !IsEnglish(app_.CurrentLanguage());
  const QString path = app_.AskOpenFileName(
      this, FileDialogRequest{
                .caption = french ? QStringLiteral("Ajouter une grille") : QStringLiteral("Add a grid"),
                .directory = QString::fromStdString(EnsureDirectory(app_.Settings().directory.txtGrids)),
                .filter = QStringLiteral("Sudoku Text File (*.txt);;All Files (*)"),
            });
  if (path.isEmpty())
    return;
  const FileBytesResult file = ReadFileBytes(path.toStdString(), kMaxOneGridTextBytes);
  if (!file.Ok) {
    app_.PostMessage(PanelText::Plain(file.Message));
    return;
  }
  AddGridFromText(file.Bytes);
}

// The grid of a picture on the clipboard, as one more grid of the set.
void CQuorbelView::AddGridFromClipboard() {
  std::string text;
  if (ScanClipboardGrid(app_, text))
    AddGridFromText(std::vector<uint8_t>(text.begin(), text.end()));
}

void CQuorbelView::AddGridFromText(std::span<const uint8_t> bytes) {
  TextGridInfo info;
  const TextGridResult result = ImportTextGrid(bytes, app_.Engine(), info);
  if (!result.Ok) {
    app_.PostMessage(PanelText::Plain(result.Message));
    return;
  }
  for (const std::string &warning : result.Warnings)
    app_.PostMessage(PanelText::Plain(warning));
  RecomputeAllCandidates(app_.Engine());
  RedrawViewNow();
}
