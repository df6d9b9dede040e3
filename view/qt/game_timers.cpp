// The board view's clock and timers: the game clock ticked by the animation timer, the timed
// game that changes the symbols and destroys cells once its time is up, the one-second timer
// with the pause, the focus blink, the status panes and the background rotation, the feedback
// after each placement, and the end of the game.
#include <QPainter>

#include "app/cell_animation.h"
#include "app/message_format.h"
#include "app/message_table.h"
#include "app/qt/defi_dialog.h"
#include "app/random_background.h"
#include "app/static_texts.h"
#include "app/time_limit.h"
#include "engine/grid_cells.h"
#include "engine/message_numbers.h"
#include "engine/update_possibles.h"
#include "files/macro_recorder.h"
#include "platform/clock.h"
#include "resources/menu_tables.h"
#include "view/qt/anim_painter.h"
#include "view/qt/paint_tools.h"
#include "view/qt/quorbel_view.h"
#include "view/qt/sprite_painter.h"
#include "view/status_texts.h"

using namespace quorbel;

namespace {

constexpr ColorRef kBlinkColour = 0x706004;
constexpr ColorRef kSequentialBlinkColour = 0xBB0000;
constexpr ColorRef kNumeralBlinkColour = 0x008000;
constexpr ColorRef kSideHighlightColour = 24768;
constexpr int32_t kSeparatorLines = 3;
constexpr int kChallengeMode = 6;
constexpr int kMsPerSecond = 1000;
// The time left is drawn redder as the timed game runs out (urgency 2 and more).
constexpr std::array<ColorRef, 6> kUrgencyColours = {0x000000, 0x0080C0, 0x0060E0,
                                                     0x0040FF, 0x0000D0, 0x0000FF};
// The background pictures' periods by the DELAYBGIMAGE choice, in seconds; the last never changes.
constexpr std::array<int, 12> kBackgroundPeriods = {10,   30,   60,   300,   600,   1200,
                                                    1800, 3600, 7200, 14400, 28800, -1};
constexpr double kClockTextShare = 0.6;
constexpr int kClockTextMargin = 4;

// The game modes whose clock panel the view draws.
bool DrawsClock(int mode) { return (mode >= kModeChampion && mode <= kModeScore) || mode == kChallengeMode; }

// The cell pictures, the destroy mechanic of the timed game and the completed-value pulse are
// the animated actions (GENERAL/ANIMACTION); wrong values undone at once need RESETIFFALSE too.
bool AnimatedActions(const AppSettings &settings) { return settings.general.animAction == 1; }

int BackgroundPeriod(const AppSettings &settings) {
  return kBackgroundPeriods[static_cast<size_t>(
      std::clamp(settings.general.delayBgImage, 0, static_cast<int32_t>(kBackgroundPeriods.size()) - 1))];
}

} // namespace

// ---- Clock and counters ----

void CQuorbelView::StartGameClock(int32_t limitMs) {
  StartSessionClock(app_.Session(), limitMs, GameTime());
  ResetParasiteSlots(parasites_, sprites_);
  RedrawViewNow();
}

void CQuorbelView::StopGameClock() { ::quorbel::StopGameClock(clock_); }

void CQuorbelView::ResetScoreState() {
  ResetSessionScore(app_.Session(), GameTime());
  parasites_.Countdown = kFirstParasiteCountdown;
}

void CQuorbelView::SpawnParasite() {
  const AppSettings &settings = app_.Settings();
  const bool active = settings.general.parasit != 0 && !app_.State().Paused() && app_.State().NewGrid();
  ::quorbel::SpawnParasite(parasites_, sprites_, settings.gameParasite, settings.game.mode, active,
                           app_.CellPictures(), GameTime());
}

void CQuorbelView::GatherGameState(SudGameState &game) const {
  game.ClockElapsedMs = clock_.Elapsed;
  game.ClockLimitMs = clock_.Limit;
  game.GameScore = game_.GameScore;
  game.GameMode = app_.Settings().game.mode;
}

void CQuorbelView::GameStateLoaded(const SudGameState &game) {
  const AppSettings &settings = app_.Settings();
  const int32_t limit =
      game.ClockLimitMs.value_or(ComputeTimeLimit(settings.gameDuration, app_.Engine().Geo.GridWidth,
                                                  game.GameWords[0], settings.game.mode) *
                                 kMsPerSecond);
  ResetScoreState();
  StartGameClock(limit);
  // The time already played goes on from where the file left it.
  clock_.Elapsed = std::max(0, game.ClockElapsedMs);
  clock_.Start = GameTime() - static_cast<uint32_t>(clock_.Elapsed);
  if (FinishLoadedGame(app_.Session(), app_.Engine(), game.GameScore)) {
    app_.State().EndGame();
    if (game.GameMode && *game.GameMode >= 0 && *game.GameMode < kGameModeCount)
      app_.Settings().game.mode = *game.GameMode;
    // The clock pane no longer follows a finished game: it shows the time the game took.
    app_.SetPaneText(kPaneClock, QString::fromStdString(ClockText(clock_.Elapsed)));
  }
  UpdateStatusPanes();
}

// ---- Timers ----

void CQuorbelView::StartTimers() {
  clockTimer_.start(kClockTimerMs);
  animationTimer_.start(kAnimationTimerMs);
  idleTimer_.start();
  backgroundCountdown_ = BackgroundPeriod(app_.Settings());
  unsetCursor();
  // The board takes the keys from the start: a player types into it without a click first.
  setFocus();
}

void CQuorbelView::HoldTimers() {
  timersHeld_ = true;
  clockTimer_.stop();
  animationTimer_.stop();
  idleTimer_.stop();
  animationTicked_ = false;
}

void CQuorbelView::OnClockTimer() {
  if (input_.Entry.TimerOn == 0)
    return;
  if (app_.State().Paused())
    HoldForPause(app_.Session(), kClockTimerMs); // a paused second does not count
  // Nothing reads the grids while a long computation works on them.
  if (!BoardInputAllowed())
    return;
  BlinkFocusCell();
  RepaintFlashingCells();
  UpdateStatusPanes();
  if (backgroundCountdown_ >= 0 && app_.Settings().general.bgRandom == 1 && --backgroundCountdown_ <= 0)
    RotateBackgroundImage();
}

void CQuorbelView::OnAnimationTimer() {
  if (input_.Entry.TimerOn == 0 || animationBusy_ || !BoardInputAllowed())
    return;
  animationBusy_ = true;
  const uint32_t now = GameTime();
  const bool backwards = static_cast<int32_t>(now - lastAnimationTick_) < 0;
  const bool first = !animationTicked_;
  const uint32_t previous = lastAnimationTick_;
  animationTicked_ = true;
  lastAnimationTick_ = now;
  if (!first && !backwards) {
    const double elapsed = static_cast<int32_t>(now - previous);
    StepBarAnimations(elapsed);
    TickGameClock();
    SidePanelHighlight = 0;
    StepCellAnimations(elapsed);
    UncoverHiddenCells();
    StepSpritesTick();
    SpawnParasite();
    if (CDialogDefi *challenge = ChallengeDialog()) {
      challenge->TurnTick(static_cast<int>(elapsed));
      // The grids shrink away before the banner and come back after it.
      if (challenge->BoardFade() != FadeLevel) {
        FadeLevel = challenge->BoardFade();
        PrepareBoardLayout();
        RedrawViewNow();
      }
    }
  }
  animationBusy_ = false;
}

AnimStepContext CQuorbelView::AnimStep() const {
  return AnimStepContext{.Pictures = app_.CellPictures(),
                         .PicturesShown = input_.Symbols() == kSymbolPictures,
                         .FramesAdvance = app_.Settings().general.animGif == 1};
}

void CQuorbelView::StepBarAnimations(double elapsed) {
  const AnimStepContext step = AnimStep();
  const int width = std::min<int>(app_.Engine().Geo.GridWidth, static_cast<int>(barAnims_.size()));
  for (int v = 1; v <= width; ++v) {
    CAnimGif &anim = barAnims_[static_cast<size_t>(v - 1)];
    const int result = AnimGifStep(anim, elapsed, step);
    if (result == kAnimFinished)
      SetAnimMode(anim, kAnimStopped, 0, step.Pictures);
    if (result != kAnimNoChange)
      RedrawBarSlot(v);
  }
}

void CQuorbelView::StartCellPicture(int slot, int cell, int picture, int mode, int count) {
  CellAnimations *pictures = animations_.Of(app_.Engine(), slot, cell);
  if (!pictures || picture < 0 || picture >= kCellPictures)
    return;
  CAnimGif &anim = (*pictures)[static_cast<size_t>(picture)];
  SetAnimMode(anim, mode, count, app_.CellPictures());
  if (mode == kAnimPulse)
    StartRingPulse(anim);
}

void CQuorbelView::StepCellAnimations(double elapsed) {
  EngineContext &engine = app_.Engine();
  const AnimStepContext step = AnimStep();
  GridSet &set = engine.Grids;
  animations_.Follow(engine);
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || slot >= UsedMainCount(set))
      continue;
    const GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    for (int cell = 0; cell < engine.Geo.NCells && static_cast<size_t>(cell) < grid.Cells.size(); ++cell) {
      CellAnimations *pictures = animations_.Of(engine, slot, cell);
      if (!pictures)
        continue;
      CAnimGif &value = (*pictures)[kValuePicture];
      const bool effectRunning = value.EffectCountdown >= 0;
      const int main = AnimGifStep(value, elapsed, step);
      bool repaint = main != kAnimNoChange;
      for (int k = kValuePicture + 1; k < kCellPictures; ++k)
        repaint = AnimGifStep((*pictures)[static_cast<size_t>(k)], elapsed, step) != kAnimNoChange || repaint;
      if (main == kAnimFinished && step.PicturesShown &&
          CellPictureEnded(slot, cell, pos == UsedOrderCount(set) - 1, effectRunning))
        return; // the game ended, or a move was taken back: the board was drawn again
      if (repaint)
        RedrawCell(slot, cell);
    }
  }
}

bool CQuorbelView::CellPictureEnded(int slot, int cell, bool lastShownGrid, bool effectEnded) {
  EngineContext &engine = app_.Engine();
  GameSession &session = app_.Session();
  const AppSettings &settings = app_.Settings();
  if (TimeIsUp(session, settings.game.mode, app_.State().NewGrid() ? 1 : 0)) {
    const bool ended = EmptyDestroyedCell(session, engine, slot, cell, lastShownGrid);
    RedrawCell(slot, cell);
    if (ended)
      GameEnded();
    return ended;
  }
  // Only the effect a wrong placement started takes it back: another animation ending on a
  // wrong value (a value picked on the bar) must not undo some later move.
  if (effectEnded && AnimatedActions(settings) && settings.general.resetIfFalse == 1 &&
      IsWrongValue(engine, slot, cell)) {
    // A wrong value shown in pictures goes away once its effect has played.
    if (CellAnimations *pictures = animations_.Of(engine, slot, cell))
      ResetAnim((*pictures)[kValuePicture]);
    input_.EditUndo();
    RedrawViewNow();
    return true;
  }
  return false;
}

void CQuorbelView::StepSpritesTick() {
  if (std::none_of(sprites_.begin(), sprites_.end(), [](const CMoveGif &s) {
        return s.State == kMoveMoving || s.OldRect.Bottom != kNoMoveRect.Bottom;
      }))
    return;
  SpriteBuffers buffers{
      .Clean = paintDC_, .Compose = composeDC_, .Show = [this](const QRect &r) { update(r); }};
  const AnimPaint paint{.Pictures = app_.CellPictures(),
                        .Fonts = fonts_,
                        .Symbols = input_.Symbols(),
                        .Ground = app_.Colours().ColBgCase,
                        .Colouring = switches_.ShowColouring == 1,
                        .Background = background_.isNull() ? nullptr : &imageDC_,
                        .Transparency = app_.Settings().general.transparency};
  const CellRect &board = layout_.Board;
  StepSprites(sprites_, SurfaceRect{board.left, board.top, board.right, board.bottom}, GameTime(), AnimStep(),
              paint, buffers);
}

void CQuorbelView::UncoverHiddenCells() {
  EngineContext &engine = app_.Engine();
  GridSet &set = engine.Grids;
  const int perTick = std::max(1, engine.Geo.NCells * 7 / 81);
  const bool effects = AnimatedActions(app_.Settings());
  int uncovered = 0;
  for (int pos = 0; pos < UsedOrderCount(set) && uncovered < perTick; ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || slot >= UsedMainCount(set))
      continue;
    GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    for (int cell = 0; cell < engine.Geo.NCells && uncovered < perTick; ++cell) {
      CellRecord &record = grid.Cells[static_cast<size_t>(cell)];
      if (record.NotDrawn == 0)
        continue;
      if (pos == 0 && cell == 0)
        PlaySoundEffect(kSoundFlash);
      record.NotDrawn = 0;
      if (CellAnimations *pictures = animations_.Of(engine, slot, cell))
        StartAnimEffect((*pictures)[kValuePicture], effects);
      RedrawCell(slot, cell);
      ++uncovered;
    }
  }
}

void CQuorbelView::TickGameClock() {
  const int mode = app_.Settings().game.mode;
  GameSession &session = app_.Session();
  const bool repaintClock =
      TickSession(session, GameTime(), app_.State().NewGrid() ? 1 : 0, app_.State().Paused() ? 1 : 0, mode);
  if (mode == kModeTimed && app_.State().NewGrid())
    TimedGameStep();
  if (repaintClock)
    DrawClockPanel(1);
}

void CQuorbelView::TimedGameStep() {
  EngineContext &engine = app_.Engine();
  AppSettings &settings = app_.Settings();
  const TimedStep step =
      NextTimedStep(app_.Session(), engine, animations_, input_.Symbols(), AnimatedActions(settings));
  switch (step.Action) {
  case TimedAction::None:
    return;
  case TimedAction::Surprise:
    if (step.Trick == kTrickDigits)
      input_.SetSymbolMode(kSymbolDigits, 1);
    else if (step.Trick == kTrickLetters)
      input_.SetSymbolMode(kSymbolLetters, 1);
    else if (step.Trick == kTrickPictures) {
      input_.SetSymbolMode(kSymbolPictures, 0);
      if (app_.LoadCellPictures(PictureOrderMode::Keep) > 0)
        BuildValueCursors(); // the number bar follows the order at the next layout
    } else if (const std::string picture = PickRandomBackground(settings.directory.background);
               !picture.empty()) {
      settings.general.backgroundImage = picture;
      BackgroundReload = 1;
    }
    RedrawViewNow();
    return;
  case TimedAction::DestroyCell: {
    if (input_.Symbols() != kSymbolPictures)
      input_.SetSymbolMode(kSymbolPictures, 1);
    // The picture is pushed out from the right; the cell empties when the effect has played.
    if (CellAnimations *pictures = animations_.Of(engine, step.Slot, step.Cell)) {
      CAnimGif &anim = (*pictures)[kValuePicture];
      SetAnimMode(anim, kAnimEndless, 0, app_.CellPictures());
      anim.EffectKind = kEffectFromRight;
      anim.EffectCountdown = anim.EffectLength;
    }
    PlaySoundEffect(kSoundRefused);
    RedrawCell(step.Slot, step.Cell);
    return;
  }
  case TimedAction::TimeUp:
    if (EndSessionOnTime(app_.Session()))
      GameEnded();
    return;
  }
}

void CQuorbelView::BlinkFocusCell() {
  const GridSet &set = app_.Engine().Grids;
  if (input_.Entry.Mode == EntryMode::Normal || set.FocusCell < 0 ||
      set.FocusCell >= app_.Engine().Geo.NCells)
    return;
  blinkOn_ = !blinkOn_;
  const ColorRef entryColour =
      input_.Entry.Mode == EntryMode::Sequential ? kSequentialBlinkColour : kNumeralBlinkColour;
  RedrawCell(set.FocusGrid, set.FocusCell, blinkOn_ ? kBlinkColour : entryColour);
}

// A cell whose entry effect still runs is drawn again each second, whatever its animations did.
void CQuorbelView::RepaintFlashingCells() {
  const EngineContext &engine = app_.Engine();
  const GridSet &set = engine.Grids;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot < 0 || slot >= UsedMainCount(set))
      continue;
    const GridRecord &grid = set.Main[static_cast<size_t>(slot)];
    for (int cell = 0; cell < engine.Geo.NCells && static_cast<size_t>(cell) < grid.Cells.size(); ++cell) {
      const CellAnimations *pictures = animations_.Find(slot, cell);
      if (pictures && ((*pictures)[kValuePicture].EffectCountdown > 0 ||
                       (*pictures)[kFigurePicture].EffectCountdown > 0 ||
                       (*pictures)[kSentencePicture].EffectCountdown > 0))
        RedrawCell(slot, cell);
    }
  }
}

void CQuorbelView::RotateBackgroundImage() {
  AppSettings &settings = app_.Settings();
  backgroundCountdown_ = BackgroundPeriod(settings);
  if (settings.general.bgRandom != 1)
    return;
  const std::string picture = PickRandomBackground(settings.directory.background);
  if (picture.empty())
    return;
  settings.general.backgroundImage = picture;
  BackgroundReload = 1;
  RedrawViewNow();
}

// ---- Panels and panes ----

void CQuorbelView::PaintClockPanel(QPainter &dc, int full) {
  const CellRect &box = layout_.Clock;
  const int mode = app_.Settings().game.mode;
  if (!box.IsShown() || box.IsEmpty() || !DrawsClock(mode))
    return;
  const BoardColours &colours = app_.Colours();
  if (full == 1) {
    if (!background_.isNull() && SidePanelHighlight == 0) {
      // The side panel's picture is stretched over the whole panel: the clock takes its share.
      const CellRect &side = layout_.Side;
      const double sx = static_cast<double>(background_.width()) / std::max(1, side.Width());
      const double sy = static_cast<double>(background_.height()) / std::max(1, side.Height());
      const QRectF source((box.left - side.left) * sx, (box.top - side.top) * sy, box.Width() * sx,
                          box.Height() * sy);
      dc.drawImage(QRectF(ToQRect(box)), background_, source);
    } else
      FillSolidRect(dc, box, SidePanelHighlight ? kSideHighlightColour : colours.ColBgComment);
    FillSolidRect(dc, {layout_.Side.left - kSeparatorLines + 1, box.top, layout_.Side.left + 1, box.bottom},
                  0);
  }
  CellRect textBox = box;
  const CBitMapGif &clockPicture = app_.CellPictures().Sets[kClockSet];
  if ((mode == kModeTimed || mode == kChallengeMode) && clockPicture.FrameCount > 0) {
    // The clock's picture stands at the left, the time beside it.
    const CellRect square{box.left, box.top, box.left + box.Height(), box.bottom};
    if (full == 0)
      FillSolidRect(dc, square, colours.ColBgComment);
    DrawPictureFrame(dc, clockPicture, std::clamp(clock_.Frame, 0, clockPicture.FrameCount - 1), 0, -1, 0,
                     square.Inset(2, 2));
    textBox.left = square.right;
  }
  ColorRef ink = colours.ColInput;
  int64_t shownTime = -1; // none: the panel shows the score
  if (mode == kModeTimed) {
    const int32_t level = UrgencyLevel(clock_.Elapsed, clock_.Limit);
    if (level != clock_.Urgency && level > 2)
      SidePanelHighlight = 1;
    clock_.Urgency = level;
    ink = kUrgencyColours[static_cast<size_t>(
        std::clamp(level - 2, 0, static_cast<int>(kUrgencyColours.size()) - 1))];
    shownTime = RemainingMs(clock_);
    if (const int32_t period = TickPeriodMs(level); period > 0) {
      const uint32_t tick = GameTime() / static_cast<uint32_t>(period);
      if (tick != lastTickSound_)
        PlaySoundEffect(kSoundTimedTick);
      lastTickSound_ = tick;
    }
  } else if (const CDialogDefi *challenge = ChallengeDialog();
             mode == kChallengeMode && challenge && challenge->Running()) {
    shownTime = std::max(challenge->Board().TurnMs, 0); // the time left of the turn
  } else if (mode != kModeScore) {
    shownTime = clock_.Elapsed;
  }
  const QString text = QString::fromStdString(shownTime >= 0 ? ClockPanelText(shownTime) : ScoreText());
  // Beside the clock's picture the panel is narrow for its height: the text keeps to its room.
  int font = static_cast<int>(box.Height() * kClockTextShare) - kFontHeightBase;
  while (font > 0 && fonts_.Metrics(font).horizontalAdvance(text) > textBox.Width() - kClockTextMargin)
    --font;
  DrawTextCentred(dc, text, textBox, fonts_.Font(font), ink);
}

void CQuorbelView::DrawClockPanel(int full) {
  if (paintDC_.size() != size() || !layout_.Clock.IsShown())
    return;
  {
    QPainter dc(&paintDC_);
    PaintClockPanel(dc, full);
  }
  bufferCurrent_ = true;
  repaint(ToQRect(layout_.Clock));
  bufferCurrent_ = false;
}

void CQuorbelView::RefreshScore() {
  if (RunningScore && (game_.GameFinished == 0 || app_.Settings().game.mode == kModeScore))
    game_.GameScore = RunningScore();
}

std::string CQuorbelView::ScoreText() const {
  return ScorePaneText(game_.GameScore, Meets(app_.Engine().Grids.Main[0].GridVar, kVarNeighbourScore));
}

void CQuorbelView::UpdateStatusPanes() {
  const EngineContext &engine = app_.Engine();
  const AppSettings &settings = app_.Settings();
  const Language language = app_.CurrentLanguage();
  auto pane = [&](int index, const std::string &text) {
    app_.SetPaneText(index, QString::fromStdString(text));
  };
  if (game_.GameFinished == 0)
    pane(kPaneClock, ClockText(clock_.Elapsed));
  pane(kPaneMode, ModePaneText(settings.game.mode, app_.State().ChallengeRunning(), language));
  RefreshScore();
  pane(kPaneScore, ScoreText());
  // A full paint draws the panel itself; otherwise the panel shows the score just computed.
  if (settings.game.mode == kModeScore && !paintDC_.paintingActive())
    DrawClockPanel(1);
  pane(kPaneMacro,
       MacroPaneText(CurrentMacroState() == MacroState::Recording, static_cast<int>(app_.State().Mode())));
  pane(kPaneSymbols, SymbolRangeText(engine.Geo.GridWidth, input_.Symbols()));
  pane(kPaneRemaining,
       FormatText(MessageFormat(kMsgRemaining, language), {std::max(0, TotalSudMissing(engine.Grids))}));
  const bool zero = game_.GameScore <= 0.0f;
  if (zero && !game_.ScoreWasZero && settings.game.mode != kModeScore)
    PlaySoundEffect(kSoundScoreZero);
  game_.ScoreWasZero = zero;
}

// ---- Feedback of the board input ----

void CQuorbelView::SignalPlacement(int slot, int cell) {
  const bool animated = AnimatedActions(app_.Settings());
  const bool pictures = input_.Symbols() == kSymbolPictures;
  EngineContext &engine = app_.Engine();
  switch (NotePlacement(app_.Session(), engine, slot, cell,
                        switches_.ShowWarning == 1 || (pictures && animated))) {
  case PlacementNote::None:
    return;
  case PlacementNote::WrongValue:
    PlaySoundEffect(kSoundWrongValue);
    // Shown in pictures, the wrong value plays an effect, then goes (see CellPictureEnded).
    if (pictures && animated && app_.Settings().general.resetIfFalse == 1)
      if (CellAnimations *kept = animations_.Of(engine, slot, cell))
        StartAnimEffect((*kept)[kValuePicture], true);
    return;
  case PlacementNote::GridSolved:
    PlaySoundEffect(kSoundGridSolved);
    return;
  case PlacementNote::Placed:
    PlaySoundEffect(kSoundPlacement);
    return;
  case PlacementNote::ValueCompleted: {
    const GridRecord &grid = engine.Grids.Main[static_cast<size_t>(slot)];
    const int value = grid.Cells[static_cast<size_t>(cell)].Value;
    if (animated)
      for (int c = 0; c < engine.Geo.NCells && static_cast<size_t>(c) < grid.Cells.size(); ++c)
        if (grid.Cells[static_cast<size_t>(c)].Status < kStatusConflict &&
            grid.Cells[static_cast<size_t>(c)].Value == value)
          StartCellPicture(slot, c, kValuePicture, kAnimPulse, 2);
    PlaySoundEffect(kSoundValueCompleted);
    return;
  }
  }
}

void CQuorbelView::CheckEndOfGame() {
  EngineContext &engine = app_.Engine();
  if (engine.GridSetState != kGridConsistent)
    return;
  const GridSet &set = engine.Grids;
  for (int pos = 0; pos < UsedOrderCount(set); ++pos) {
    const int slot = set.Order[static_cast<size_t>(pos)];
    if (slot >= 0 && slot < UsedMainCount(set))
      StartCellAnimations(engine, engine.Grids.Main[static_cast<size_t>(slot)]);
  }
  if (EndSessionOnSolvedGrid(app_.Session(), engine))
    GameEnded();
}

void CQuorbelView::GameEnded() {
  app_.State().EndGame();
  UpdateStatusPanes();
  if (EndOfGame)
    EndOfGame();
}

void CQuorbelView::PlaySoundEffect(int slot) { app_.PlaySoundEffect(slot); }

void CQuorbelView::SaveSettings() { app_.SaveSettings(); }

void CQuorbelView::SymbolModeChanged() {
  BuildValueCursors();
  UpdateStatusPanes();
}
