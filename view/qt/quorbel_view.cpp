#include "view/qt/quorbel_view.h"
#include "platform/qt/colour_ref.h"
#include "view/qt/anim_painter.h"

#include <QDesktopServices>
#include <QPaintEvent>
#include <QPainter>
#include <sys/stat.h>

#include "app/cell_animation.h"
#include "app/qt/defi_dialog.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/magic_sentence.h"
#include "media/picture_set.h"
#include "media/qt/metafile_painter.h"
#include "media/qt/picture_from_image.h"
#include "platform/qt/image_file.h"
#include "view/qt/board_painter.h"
#include "view/qt/paint_tools.h"

using namespace quorbel;

namespace {

constexpr int kPauseFont = 38;
constexpr ColorRef kPauseColour = 0x821481;
constexpr int kMinimumWidth = 480;
constexpr int kMinimumHeight = 360;

bool ValidSlot(int slot) { return slot >= 0 && slot < kMaxGrids; }

} // namespace

CQuorbelView::CQuorbelView(ViewHost &app, QWidget *parent)
    : QWidget(parent), app_(app), input_(app.Engine(), app.Settings(), selection_, *this),
      clock_(app.Session().Clock), game_(app.Session().Counters) {
  setObjectName(QStringLiteral("CQuorbelView"));
  setAttribute(Qt::WA_OpaquePaintEvent); // every pixel comes from the back buffer
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true); // the cursor follows what lies under the pointer
  for (int slot = 0; slot < kMaxGrids; ++slot)
    painters_[static_cast<size_t>(slot)].Slot = slot;
  OpenUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
  ChooseMenuItem = [this](const std::vector<MenuChoice> &menu, QPoint at) { return ShowMenu(menu, at); };
  ClearSelection();
  ResetParasiteSlots(parasites_, sprites_);
  ResetScoreState();
  StopGameClock();
  SyncBarPictures();
  BuildValueCursors();
  connect(&clockTimer_, &QTimer::timeout, this, &CQuorbelView::OnClockTimer);
  connect(&animationTimer_, &QTimer::timeout, this, &CQuorbelView::OnAnimationTimer);
  // Every 50 s the challenge may take an empty step (its dialog sets the hook).
  idleTimer_.setInterval(kIdleTimerMs);
  connect(&idleTimer_, &QTimer::timeout, this, [this] {
    if (ChallengeIdleStep)
      ChallengeIdleStep();
  });
}

CQuorbelView::~CQuorbelView() = default;

int CQuorbelView::PanelGridSlot() const { return CurrentGridSlot(app_.Engine().Grids); }

PaintContext CQuorbelView::MakeContext(QPainter &dc) const {
  const EngineContext &engine = app_.Engine();
  return PaintContext{
      .Dc = dc,
      .Fonts = fonts_,
      .Geo = engine.Geo,
      .Grids = engine.Grids,
      .Colours = app_.Colours(),
      .General = app_.Settings().general,
      .Switches = switches_,
      .Selection = selection_,
      .Symbols = input_.Symbols(),
      .Background = background_.isNull() ? nullptr : &imageDC_,
      .Pictures = &app_.CellPictures(),
      .MagicLetters = MagicSentenceLetters(engine.Grids, engine.Geo.GridWidth),
      .Animations = &animations_,
  };
}

void CQuorbelView::LayOutGrids(const CellRect &board, const std::vector<int> &shownSlots) {
  EngineContext &engine = app_.Engine();
  const GridGeometry &geo = engine.Geo;
  if (geo.NCells <= 0)
    return;
  const GridLayoutInputs gridInputs{geo, app_.Settings().general, input_.Symbols(), switches_.VarMask};
  auto layOut = [&](CGridDraw &painter, const CellRect &tile) {
    painter.BoardRect = ScaledTile(tile, FadeLevel);
    ComputeMargins(painter, gridInputs);
    ComputeCellRects(painter, gridInputs);
  };
  if (shownSlots.empty()) {
    AttachGrid(painters_[0], engine.Grids);
    layOut(painters_[0], board);
  }
  const int count = static_cast<int>(shownSlots.size());
  const GridTiling tiling = ChooseTiling(count, board.Width(), board.Height());
  for (int pos = 0; pos < count; ++pos)
    layOut(painters_[static_cast<size_t>(shownSlots[static_cast<size_t>(pos)])],
           TileRect(tiling, pos, count, board));
}

void CQuorbelView::PrepareBoardLayout() {
  SyncBarPictures();
  EngineContext &engine = app_.Engine();
  GridSet &set = engine.Grids;
  const GridGeometry &geo = engine.Geo;
  const AppSettings &settings = app_.Settings();
  const SymbolMode symbols = input_.Symbols();
  const int shownCount = UsedOrderCount(set);

  std::vector<int> shownSlots;
  for (int pos = 0; pos < shownCount; ++pos)
    if (ValidSlot(set.Order[pos])) {
      shownSlots.push_back(set.Order[pos]);
      AttachGrid(painters_[static_cast<size_t>(set.Order[pos])], set);
    }

  // The legend names the rules of the shown grids, marking those of the current grid while a
  // cell has the focus or a single grid is shown.
  VariantWords shown = SplitVariantWords(CombinedGridVar(set, 0));
  // A hidden-variant set names the rules it hides, for the player to switch on a grid.
  if (Meets(shown, kVarTwinsVariantMasked))
    for (int slot = 0; slot < UsedMainCount(set); ++slot)
      shown |= set.Main[static_cast<size_t>(slot)].Lists.HiddenRule;
  shown &= switches_.VarMask;
  legendWords_ = shown;
  const GridRecord &current = set.Main[static_cast<size_t>(CurrentGridSlot(set))];
  const bool markCurrent = set.FocusCell >= 0 || shownCount == 1;
  legend_ = BuildLegendLines(shown, markCurrent ? current.GridVar & switches_.VarMask : VariantWords{},
                             &current, app_.CurrentLanguage());

  layout_ = LayOutView(ViewLayoutInputs{
      .ClientW = width(),
      .ClientH = height(),
      .General = settings.general,
      .GameMode = settings.game.mode,
      .Symbols = symbols,
      .GridCount = UsedAllCount(set),
      .GridWidth = geo.GridWidth,
      .LegendLines = static_cast<int32_t>(legend_.size()),
      .ShownWords = shown,
  });

  LayOutGrids(layout_.Board, shownSlots);

  std::vector<bool> tabShown(static_cast<size_t>(UsedAllCount(set)), false);
  for (int slot : shownSlots)
    if (slot < static_cast<int>(tabShown.size()))
      tabShown[static_cast<size_t>(slot)] = true;
  tabs_ = LayOutGridTabs(layout_.TabStrip, UsedAllCount(set), tabShown);

  if (BackgroundReload == 1)
    LoadBackground();
}

namespace {

static_assert(kMostImagePixels == kMaxPicturePixels, "a picture Qt reads is held to what ours may hold");

// Qt's readers first (JPEG, PNG), then ours for what Qt does not read (metafiles, painted
// straight into the image, TGA, PCX). Both
// read only a regular file: `reason` says why another was passed over.
QImage BackgroundPicture(const std::string &path, std::string &reason) {
  QImage image = ReadImageFile(path, &reason);
  if (!image.isNull())
    return image;
  if (std::optional<QImage> drawn = PaintMetafileFile(path))
    return *drawn;
  CPicture picture;
  return picture.Load(path, PictureTypeOfExtension(path)) && picture.IsValid() ? ImageFromPicture(picture)
                                                                               : QImage();
}

} // namespace

void CQuorbelView::LoadBackground() {
  BackgroundReload = 0;
  const std::string &path = app_.Settings().general.backgroundImage;
  // A picture that cannot be read leaves the board without one; a FIFO or a device is told.
  std::string reason;
  background_ = path.empty() ? QImage() : BackgroundPicture(path, reason);
  struct stat info {};
  if (background_.isNull() && !path.empty() && ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
    // Said after the paint that asked for the picture: a message redraws the board.
    QTimer::singleShot(0, this,
                       [this, text = path + ": " + reason] { app_.PostMessage(PanelText::Plain(text)); });
}

void CQuorbelView::EnsureBuffers() {
  if (paintDC_.size() == size())
    return;
  paintDC_ = QImage(size(), QImage::Format_RGB32);
  imageDC_ = QImage(size(), QImage::Format_RGB32);
}

void CQuorbelView::PaintBoardGround(QPainter &dc, const CellRect &rect) const {
  FillSolidRect(dc, rect, app_.Colours().ColBgEcran);
  if (!background_.isNull())
    dc.drawImage(ToQRect(rect), imageDC_, ToQRect(rect));
}

void CQuorbelView::PaintView(int board, int messages) {
  EnsureBuffers();
  if (paintDC_.isNull())
    return;
  animations_.Follow(app_.Engine());
  if (!background_.isNull()) {
    // The picture stretched over the board: cells and panels take their part from here.
    imageDC_.fill(Qt::black);
    QPainter picture(&imageDC_);
    picture.drawImage(ToQRect(layout_.Board), background_);
  }
  RefreshScore(); // the clock panel shows the score of what is drawn
  QPainter dc(&paintDC_);
  const PaintContext ctx = MakeContext(dc);
  DrawSidePanel(ctx, board);

  // Everything left of the side panel and above the comment strip but the tab strip.
  const CellRect ground{layout_.TabStrip.IsShown() ? layout_.TabStrip.right : layout_.Client.left,
                        layout_.Client.top, layout_.Side.left - kPanelSeparation,
                        layout_.Comment.IsShown() ? layout_.Comment.top : layout_.Client.bottom};
  if (app_.State().Paused()) {
    PaintBoardGround(dc, ground);
    DrawTextCentred(dc, QStringLiteral("PAUSE"), layout_.Board, fonts_.Font(kPauseFont), kPauseColour);
  } else if (app_.State().ChallengeRunning()) {
    // Between turns the challenge's four lines stand in bands 1, 2, 3 and 5 of seven.
    PaintBoardGround(dc, ground);
    if (const CDialogDefi *challenge = ChallengeDialog()) {
      const ChallengeBoard shown = challenge->Board();
      const int band = (layout_.Board.bottom - layout_.Board.top) / 7;
      static constexpr std::array<int, 4> kBands = {1, 2, 3, 5};
      for (size_t line = 0; line < kBands.size(); ++line) {
        const int top = layout_.Board.top + kBands[line] * band;
        DrawTextCentred(dc, QString::fromStdString(shown.Banner[line]),
                        CellRect{layout_.Board.left, top, layout_.Board.right, top + band},
                        fonts_.Font(kPauseFont), kPauseColour);
      }
    }
    DrawDefiStrip(ctx);
  } else if (board == 1) {
    PaintBoardGround(dc, ground);
    // The display numbers of the linked-grid marks are given here, for the variant decorations.
    const GridSet &set = app_.Engine().Grids;
    for (int pos = 0; pos < UsedOrderCount(set); ++pos)
      if (ValidSlot(set.Order[pos]))
        PaintAllCells(ctx, painters_[static_cast<size_t>(set.Order[pos])]);
    DrawNumeralStrip(ctx);
    DrawDoubleStrip(ctx);
    DrawDominoStrip(ctx);
    DrawDefiStrip(ctx);
  }
  DrawComment(ctx);
  if (messages == 1)
    DrawMessagePanel(ctx, 1);
  UpdateStatusPanes();
}

const QImage &CQuorbelView::RenderView() {
  PrepareBoardLayout();
  PaintView(1, 1);
  return paintDC_;
}

void CQuorbelView::DrawComment(const PaintContext &ctx) {
  if (!layout_.Comment.IsShown())
    return;
  FillSolidRect(ctx.Dc, layout_.Comment, ctx.Colours.ColBgComment);
  const GridSet &set = app_.Engine().Grids;
  const std::string &comment = set.Main[static_cast<size_t>(CurrentGridSlot(set))].Comment;
  DrawTextCentred(ctx.Dc, QString::fromStdString(comment), layout_.Comment, fonts_.Font(layout_.CommentFont),
                  ctx.Colours.ColInit);
}

void CQuorbelView::paintEvent(QPaintEvent *event) {
  if (!bufferCurrent_ || paintDC_.size() != size()) {
    PrepareBoardLayout();
    PaintView(1, 1);
  }
  QPainter window(this);
  window.drawImage(event->rect(), paintDC_, event->rect());
  // The flying pictures stand over the board in their own buffer.
  if (composeDC_.size() == paintDC_.size())
    for (const CMoveGif &sprite : sprites_)
      if (sprite.Rect.Bottom != kNoMoveRect.Bottom) {
        const QRect box(sprite.Rect.Left, sprite.Rect.Top, sprite.Rect.Right - sprite.Rect.Left,
                        sprite.Rect.Bottom - sprite.Rect.Top);
        window.drawImage(box & event->rect(), composeDC_, box & event->rect());
      }
  if (!TimersStarted() && !timersHeld_)
    StartTimers();
}

void CQuorbelView::RedrawViewNow() {
  repaint();
  // A move changes what Undo, Redo and the other commands offer at once, not at the next second.
  app_.CommandStatesChanged();
}

int CQuorbelView::RedrawCell(int slot, int cell, ColorRef override) {
  if (app_.State().ChallengeRunning())
    return 1; // the challenge's lines stand in place of the board: no cell shows through
  if (!ValidSlot(slot) || paintDC_.size() != size()) {
    repaint();
    return 1;
  }
  const CGridDraw &painter = painters_[static_cast<size_t>(slot)];
  if (!painter.Grid || cell < 0 || cell >= kDrawRecords || !painter.OuterRect[cell].IsShown())
    return 1;
  {
    QPainter dc(&paintDC_);
    // A playing cell's ground reaches one pixel into its right and lower neighbours, whose own
    // painting covers it when the whole board is drawn; alone, it must not wipe their lines.
    if (cell < app_.Engine().Geo.NCells)
      dc.setClipRect(ToQRect(painter.OuterRect[cell]));
    animations_.Of(app_.Engine(), slot, cell); // its pictures follow the cell before it is drawn
    PaintCell(MakeContext(dc), painter, cell, override);
  }
  // The text rectangle reaches one pixel past the cell's box.
  bufferCurrent_ = true;
  repaint(ToQRect(painter.OuterRect[cell].Inset(-1, -1)));
  bufferCurrent_ = false;
  return 1;
}

bool CQuorbelView::RefuseOutOfTurn() {
  CDialogDefi *challenge = ChallengeDialog();
  return challenge && challenge->RefuseOutOfTurn();
}

bool CQuorbelView::RefuseSettledCell(int cell) {
  CDialogDefi *challenge = ChallengeDialog();
  return challenge && challenge->RefuseSettledCell(cell);
}

bool CQuorbelView::RefuseUnsharedChange() {
  CDialogDefi *challenge = ChallengeDialog();
  return challenge && challenge->RefuseUnsharedChange();
}

void CQuorbelView::ClearSelection() { ::quorbel::ClearSelection(selection_, app_.Engine().Grids); }

void CQuorbelView::SetFocusCell(int cell, int slot) {
  ::quorbel::SetFocusCell(selection_, app_.Engine().Grids, app_.Engine().Geo, cell, slot);
}

int CQuorbelView::MoveFocusToCell(int slot, int cell) {
  const GridSet &set = app_.Engine().Grids;
  const int oldCell = set.FocusCell;
  const int oldGrid = set.FocusGrid;
  const int oldCount = selection_.Count;
  input_.MoveFocus(slot, cell);
  return set.FocusCell == oldCell && set.FocusGrid == oldGrid && oldCount <= 1 ? 1 : 0;
}

void CQuorbelView::SelectionChanged(const SelectionList &before) {
  const GridSet &set = app_.Engine().Grids;
  // Every cell drawn selected before, then every cell selected now.
  for (int i = 0; i < std::min(before.Count, kMaxSelection); ++i)
    RedrawCell(before.Pairs[static_cast<size_t>(i)].Grid, before.Pairs[static_cast<size_t>(i)].Cell);
  const bool panelFocus = set.FocusCell == kFocusMessagePanel;
  if (panelFocus != panelFocus_) {
    panelFocus_ = panelFocus;
    {
      QPainter dc(&paintDC_);
      DrawMessagePanel(MakeContext(dc), 1);
    }
    bufferCurrent_ = true;
    repaint(ToQRect(layout_.Message));
    bufferCurrent_ = false;
  }
  for (int i = 0; i < std::min(selection_.Count, kMaxSelection); ++i)
    RedrawCell(selection_.Pairs[static_cast<size_t>(i)].Grid, selection_.Pairs[static_cast<size_t>(i)].Cell);
}

void CQuorbelView::ResetInputState() {
  input_.Entry.Mode = EntryMode::Normal;
  input_.Entry.ValueEntry = 1;
  input_.Entry.ProbableMarkClicked = false;
  EndDrag();
}

void CQuorbelView::StartSequentialEntry(int slot, int cell) {
  input_.Entry = EntryState{};
  input_.Entry.Mode = EntryMode::Sequential;
  ClearSelection();
  MoveFocusToCell(slot, cell);
}

CQuorbelView *GetCurrentView(CommandHost &host) { return dynamic_cast<CQuorbelView *>(host.Board()); }

void InstallBoardView(CQuorbelApp &app) {
  app.Services().createView = [&app](QWidget *parent) -> std::unique_ptr<QWidget> {
    return std::make_unique<CQuorbelView>(app, parent);
  };
  app.Services().clearSelection = [&app] {
    if (CQuorbelView *view = GetCurrentView(app))
      view->ClearSelection();
  };
  // Chained: other parts keep their share of the game state too.
  OutsideServices &services = app.Services();
  services.gatherGameState = [&app, previous = services.gatherGameState](SudGameState &game) {
    if (previous)
      previous(game);
    if (CQuorbelView *view = GetCurrentView(app))
      view->GatherGameState(game);
  };
  services.gameStateLoaded = [&app, previous = services.gameStateLoaded](const SudGameState &game) {
    if (previous)
      previous(game);
    if (CQuorbelView *view = GetCurrentView(app))
      view->GameStateLoaded(game);
  };
  services.buildValueCursors = [&app] {
    if (CQuorbelView *view = GetCurrentView(app))
      view->BuildValueCursors();
  };
  services.drawSymbolSample = [&app](QPainter &painter, const QRect &box, int mode) {
    CQuorbelView *view = GetCurrentView(app);
    if (view == nullptr)
      return;
    const BoardColours &colours = app.Colours();
    painter.fillRect(box, ToQColor(colours.ColBgCase));
    CAnimGif sample;
    SelectAnimSet(sample, 0, app.Engine().Settings.PictureOrder);
    const AnimPaint paint{.Pictures = app.CellPictures(),
                          .Fonts = view->Fonts(),
                          .Symbols = static_cast<SymbolMode>(mode),
                          .Ground = colours.ColBgCase};
    DrawAnimCell(painter, sample, 0, false,
                 CellRect{box.left(), box.top(), box.right() + 1, box.bottom() + 1}, -1, paint);
  };
  services.startCellAnimation = [&app](const GridRecord &grid, int cell, int picture, int mode, int count) {
    if (CQuorbelView *view = GetCurrentView(app))
      view->StartCellPicture(MainGridSlot(app.Engine().Grids, grid), cell, picture, mode, count);
  };
  BindViewCommands(app);
  BindClueDefinitionCommands(app);
  BindExpertViewCommands(app);
  BindScanCommands(app);
}
