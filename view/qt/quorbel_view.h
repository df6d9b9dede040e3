// CQuorbelView, the board view: the frame's central widget. It keeps the painters of the twelve
// grid slots, the fonts, the two back buffers of the client size (PaintDC, ImageDC), the layout
// of the panels, the selection and the display switches, and paints everything in its paint
// event: PrepareBoardLayout, then PaintView, then one copy of the back buffer to the window.
// It turns the player's keys, clicks, drags and wheel into the board input's actions, and keeps
// the game clock with its three timers and the status panes.
#pragma once

#include <QCursor>
#include <QImage>
#include <QTimer>
#include <QUrl>
#include <QWidget>

class QLineEdit;

class QPrinter;
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/batch_tests.h"
#include "app/board_animations.h"
#include "app/cell_animation.h"
#include "app/game_clock.h"
#include "app/message_line.h"
#include "app/parasites.h"
#include "app/qt/board_window.h"
#include "app/qt/expert_dialog.h"
#include "app/qt/view_host.h"
#include "files/sud_file_state.h"
#include "platform/clock.h"
#include "view/board_input.h"
#include "view/board_layout.h"
#include "view/clipboard_text.h"
#include "view/context_menus.h"
#include "view/display_switches.h"
#include "view/grid_draw.h"
#include "view/legend_lines.h"
#include "view/qt/cell_painter.h"
#include "view/qt/font_table.h"
#include "view/qt/paint_context.h"
#include "view/selection_list.h"

class CQuorbelApp;
class CommandHost;

// The view's three timers: the clock and status panes, the animations, the challenge's idle step.
inline constexpr int kClockTimerMs = 1000;
inline constexpr int kAnimationTimerMs = 40;
inline constexpr int kIdleTimerMs = 50000;

class CQuorbelView final : public QWidget, public quorbel::BoardFeedback, public BoardWindow {
  Q_OBJECT
public:
  explicit CQuorbelView(ViewHost &app, QWidget *parent = nullptr);
  ~CQuorbelView() override;

  // The layout pass: painters attached and laid out, panels cut, legend and tabs built, the
  // background picture (re)loaded when it changed.
  void PrepareBoardLayout();
  // Paints into PaintDC: the side panel, the board when `board` is 1, the message panel when
  // `messages` is 1, then the status panes. PrepareBoardLayout must have run.
  void PaintView(int board, int messages);
  // The layout and a full paint into PaintDC, as a paint event does, without touching the window.
  const QImage &RenderView();
  const QImage &PaintDC() const { return paintDC_; }
  const QImage &ImageDC() const { return imageDC_; }

  // Repaints one cell into PaintDC and copies it to the window. Returns 1.
  int RedrawCell(int slot, int cell, quorbel::ColorRef override = quorbel::kNoOverride);
  // Makes the cell (or -2, the message panel) the focus and repaints the old and the new focus.
  // Returns 1 when the focus did not change.
  int MoveFocusToCell(int slot, int cell) override;
  void ClickGridTab(int tab, bool add) override { input_.ClickGridTab(tab, add); }
  void StartSequentialEntry(int slot, int cell) override;
  void ResetInputState() override;
  void ReloadBackground() override { BackgroundReload = 1; }
  void RunKaleidoscope() override;
  // Edit > Copy, Cut and Paste on the desktop's clipboard.
  void EditCopy();
  void EditCut();
  void EditPaste();
  // File > Print: the print dialog, then the page; 1 when printed.
  int PrintBoard() override;
  void PrintPreview();
  // One page on `printer`: the title band and the shown grids.
  void PrintPage(QPrinter &printer);
  // The page itself on any painter: `device` is the page's drawing rectangle, `dotsPerInch` its
  // resolution; the screen's layout is back when it returns.
  void PaintPage(QPainter &page, const QRect &device, int dotsPerInch);
  int Printing = 0; // 1 while a page prints
  // The challenge's empty step, every 50 s while it runs; none until a challenge sets it.
  std::function<void()> ChallengeIdleStep;
  // Tests give the kaleidoscope a clock of their own.
  std::function<void(int ms)> KaleidoscopeSleep;
  // The millisecond clock the game's timers read; tests give one of their own.
  std::function<uint32_t()> GameTime = quorbel::TimeGetTime;
  void ClearSelection();
  void SetFocusCell(int cell, int slot);
  // A click in the message panel: carries out the link under the point. False when the point is
  // outside the panel or on no link.
  bool MessagePanelClick(int x, int y);
  // Carries out a link of a message line: a file or program, a document or web page, a report
  // mail, or a help topic.
  void LinkMessageClick(const quorbel::CComLine &line, int segment);

  quorbel::SelectionList &Selection() override { return selection_; }
  quorbel::BoardInput &Input() { return input_; }
  quorbel::GameClock &Clock() { return clock_; }
  quorbel::GameCounters &Game() { return game_; }
  // Started on the first paint; nothing runs before.
  bool TimersStarted() const { return clockTimer_.isActive(); }
  // For tests that tick the board by hand: no tick of the machine's clock comes between theirs,
  // and the next tick only starts the count of time again.
  void HoldTimers();
  quorbel::DisplaySwitches &Switches() override { return switches_; }
  quorbel::CGridDraw &Painter(int slot) { return painters_[static_cast<size_t>(slot)]; }
  const quorbel::CGridDraw &Painter(int slot) const { return painters_[static_cast<size_t>(slot)]; }
  const quorbel::ViewLayout &Layout() const { return layout_; }
  const std::vector<quorbel::LegendLine> &Legend() const { return legend_; }
  const std::vector<quorbel::GridTab> &GridTabs() const { return tabs_; }
  const quorbel::FontTable &Fonts() const { return fonts_; }
  // The grid the panels follow: the one shown, or the focus grid when several are.
  int PanelGridSlot() const;

  // State the input and timer handlers set.
  int DragValue = -1;         // the value dragged from the number bar, -1 none
  int SidePanelHighlight = 0; // 1: the side panel's ground in the highlight colour
  double FadeLevel = 1.0;     // each grid's share of its tile
  int KaleidoscopeRunning = 0;
  int BackgroundReload = 1; // 1: load the background picture at the next layout
  int FrameMode = 1;        // the frame clue the Frame definition places: 1 sum, 2 product, 6 max
  int DotKind = 4;          // the dot the Dot definition places: 4 consecutive .. 7 difference N
  // Opens files, folders, web pages and mail forms for the links (the desktop's by default).
  std::function<bool(const QUrl &)> OpenUrl;
  // Shows a right-button menu at a window point and gives back the item chosen, 0 for none (a
  // popup menu on screen by default; tests answer it).
  std::function<int(const std::vector<quorbel::MenuChoice> &, QPoint)> ChooseMenuItem;

  // The game clock of a new game: `limitMs` is the mode's time limit (0: none).
  void StartGameClock(int32_t limitMs) override;
  void StopGameClock();
  // A new game's counters: the score back to 20, no errors, no time-out.
  void ResetScoreState() override;
  // What a grid file keeps of the clock and the score, and what it gives back.
  void GatherGameState(quorbel::SudGameState &game) const;
  void GameStateLoaded(const quorbel::SudGameState &game);

  // The clock, mode, score, macro, symbol and remaining-cell panes of the status bar.
  void UpdateStatusPanes();
  // The clock panel at the top of the side panel: elapsed time, time left or score.
  void DrawClockPanel(int full);
  // One tick of each timer (tests drive them directly).
  void OnClockTimer();
  void OnAnimationTimer();

  // The board input's feedback.
  void RedrawViewNow() override;
  void SelectionChanged(const quorbel::SelectionList &before) override;
  void RepaintCell(int slot, int cell) override { RedrawCell(slot, cell); }
  void SignalPlacement(int slot, int cell) override;
  void CheckEndOfGame() override;
  void PlaySoundEffect(int slot) override;
  void SaveSettings() override;
  void SymbolModeChanged() override;
  void StartBarAnimation(int value, int mode) override;
  void ReferenceGridKey(int which) override;
  bool RefuseOutOfTurn() override;
  bool RefuseSettledCell(int cell) override;
  bool RefuseUnsharedChange() override;
  // D1 Display RefTab: the reference grid over the grid, then back at the second use.
  void DisplayRefTab();
  int RefTabShown = 0;
  int ExpertKeyStep = 10; // the expert mode's key sequence: 0 after a reset, 1 once armed
  // The dragged values' cursors, in the symbols in use; after a change of size or symbols.
  void BuildValueCursors();
  // The number bar's pictures follow the picture order; one value's slot repainted.
  void SyncBarPictures();
  void RedrawBarSlot(int value);
  // Loads a picture list (the settings' one when empty) in an order, then the bar and cursors.
  void ReloadCellPictures(quorbel::PictureOrderMode mode, const std::string &list);
  std::array<quorbel::CAnimGif, 18> &BarAnimations() { return barAnims_; }
  quorbel::BoardAnimations &Animations() { return animations_; }
  // Starts picture `picture` (CellPicture) of a cell of main grid `slot`; nothing outside them.
  void StartCellPicture(int slot, int cell, int picture, int mode, int count);
  // The five flying pictures over the board and the buffer they are drawn in.
  std::array<quorbel::CMoveGif, 5> &Sprites() { return sprites_; }
  quorbel::ParasiteState &Parasites() { return parasites_; }
  // One spawn attempt of a moving parasite (each animation tick, and Ctrl+L).
  void SpawnParasite();
  const QImage &SpriteBuffer() const { return composeDC_; }

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void mouseDoubleClickEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  // Tab moves the focus between cells, not between widgets.
  bool focusNextPrevChild(bool next) override;

private:
  quorbel::PaintContext MakeContext(QPainter &dc) const;
  // The shown grids' painters laid out over `board`, tiled as the screen tiles them.
  void LayOutGrids(const quorbel::CellRect &board, const std::vector<int> &shownSlots);
  void EnsureBuffers();
  void LoadBackground();
  void PaintBoardGround(QPainter &dc, const quorbel::CellRect &rect) const;
  void DrawSidePanel(const quorbel::PaintContext &ctx, int full);
  void DrawMessagePanel(const quorbel::PaintContext &ctx, int full);
  void DrawComment(const quorbel::PaintContext &ctx);
  void DrawNumberBar(const quorbel::PaintContext &ctx);
  void DrawTrioLegend(const quorbel::PaintContext &ctx, const quorbel::CellRect &box);
  // The number words of the Numeral rule, in their strip under the board.
  void DrawNumeralStrip(const quorbel::PaintContext &ctx);
  // The points of Double and Triple under the board.
  void DrawDoubleStrip(const quorbel::PaintContext &ctx);
  // The values' dominos, in their strip under the board.
  void DrawDominoStrip(const quorbel::PaintContext &ctx);
  // The challenge's strip: the players' boxes and the chat line; true when a click was its.
  void DrawDefiStrip(const quorbel::PaintContext &ctx);
  bool ClickDefiStrip(QPoint at, bool ctrl);
  void DrawBarSlot(const quorbel::PaintContext &ctx, int value);
  void DrawGridTabs(const quorbel::PaintContext &ctx);
  void StartTimers();
  bool BoardInputAllowed() const;
  // The value dragged from the number bar or a cell, and where the press was.
  struct DragState {
    int PressedCell = -1;
    int PressedGrid = -1;
    bool Dragging = false;
    bool Sticky = false;   // picked by a click on the number bar: the next click drops it
    bool FromCell = false; // picked up from a cell's own value
    bool ResizeHeight = false;
    bool ResizeWidth = false;
    // A puzzle piece picked beside the grid: its grid, its index and the cell held.
    bool PieceDrag = false;
    int PieceGrid = -1;
    int Piece = -1;
    int PieceCell = -1;
  };
  void LeftButtonDown(QPoint at, Qt::KeyboardModifiers modifiers);
  void LeftButtonUp(QPoint at, Qt::KeyboardModifiers modifiers);
  void EndDrag();
  // A click in the corner of a value's number-bar slot: its chains coloured on the shown grids.
  void ColourChainsOf(int value);
  void StartValueDrag(int value, bool fromCell);
  void StartPieceDrag(int slot, int piece, int cell);
  // The dragged piece laid with its held cell on a playing cell; false when nothing was laid.
  bool DropPiece(int slot, int cell);
  QCursor PieceCursor() const;
  bool SplitterUnder(QPoint at, bool &height, bool &width) const;
  void EndResize(QPoint at);
  void ScrollMessages(int away);
  void ShowContextMenu(QPoint at);
  void RunMenuItem(int item, int slot, int cell);
  void AddGridFromFile();
  void AddGridFromClipboard();
  void AddGridFromText(std::span<const uint8_t> bytes);
  int ShowMenu(const std::vector<quorbel::MenuChoice> &menu, QPoint at);
  QCursor ValueCursor(int value) const;
  void TickGameClock();
  quorbel::AnimStepContext AnimStep() const;
  void StepBarAnimations(double elapsed);
  void StepCellAnimations(double elapsed);
  // A cell's picture finished in pictures mode: the timed game empties it once its time is up,
  // a wrong value whose effect played is taken back. True when the board was drawn again and the
  // tick must stop.
  bool CellPictureEnded(int slot, int cell, bool lastShownGrid, bool effectEnded);
  // Cells a new grid hides come into view a few per tick, each with its entry effect.
  void UncoverHiddenCells();
  void StepSpritesTick();
  void TimedGameStep();
  // The game has just ended: no grid in play, the panes, then the end-of-game hook.
  void GameEnded();
  void PaintClockPanel(QPainter &dc, int full);
  // The running score, recomputed while the game goes on (always in the score mode), and its
  // text as the status pane and the clock panel show it.
  void RefreshScore();
  std::string ScoreText() const;
  void BlinkFocusCell();
  void RepaintFlashingCells();
  void RotateBackgroundImage() override;

  ViewHost &app_;
  quorbel::FontTable fonts_;
  std::array<QCursor, 16> valueCursors_;
  std::array<quorbel::CAnimGif, 18> barAnims_; // value v's symbol on the number bar in v - 1
  quorbel::BoardAnimations animations_;
  std::array<quorbel::CMoveGif, 5> sprites_;
  quorbel::ParasiteState parasites_;
  // What the last copy took: each cell with its whole record.
  std::vector<std::pair<int, quorbel::CellRecord>> copyBuffer_;
  std::vector<int> SelectedCells(int slot) const;
  bool RefusedInChallenge();
  bool PasteRecords(quorbel::GridRecord &grid, const std::vector<int> &cells,
                    const quorbel::PasteTable &table);
  QRect printRect_;
  QImage composeDC_; // the board with the sprites over it
  std::array<quorbel::CGridDraw, quorbel::kMaxGrids> painters_;
  quorbel::SelectionList selection_;
  quorbel::DisplaySwitches switches_;
  QLineEdit *chatLine_ = nullptr; // the challenge's chat, in the strip under the board
  quorbel::ViewLayout layout_;
  std::vector<quorbel::LegendLine> legend_;
  quorbel::VariantWords legendWords_; // the rules the legend names, hidden ones included
  std::vector<quorbel::GridTab> tabs_;
  std::vector<int> drawnMessageLines_; // ring indexes of the lines the panel shows, top first
  QImage paintDC_;
  QImage imageDC_;
  QImage background_;          // the picture as loaded; null when there is none
  bool bufferCurrent_ = false; // PaintDC already holds what the next paint event must show
  quorbel::BoardInput input_;
  DragState drag_;
  // The game in play belongs to the application; the view shows it and runs its timers.
  quorbel::GameClock &clock_;
  quorbel::GameCounters &game_;
  QTimer clockTimer_;
  QTimer animationTimer_;
  QTimer idleTimer_;
  bool animationBusy_ = false;
  bool animationTicked_ = false;
  bool timersHeld_ = false;
  uint32_t lastAnimationTick_ = 0;
  uint32_t lastTickSound_ = 0;
  bool blinkOn_ = false;
  bool reloadingPictures_ = false;
  int backgroundCountdown_ = -1; // seconds before the next background picture; -1 none
  bool panelFocus_ = false;      // the message panel was drawn with the focus
};

// The board view the host's frame shows; none before it exists.
CQuorbelView *GetCurrentView(CommandHost &host);

// Makes the board view the frame's central widget at start-up, gives it the host's selection
// service and binds the view's menu commands. Call before CQuorbelApp::InitInstance.
void InstallBoardView(CQuorbelApp &app);
// The view's menu commands: Edit > Undo, Redo, Clear, Select all, the character sizes and the
// symbol modes, each acting on the current view.
void BindViewCommands(CommandHost &app);
void BindClueDefinitionCommands(CQuorbelApp &app);
// File > Import and Edit > Scan: grids and strips read from pictures.
void BindScanCommands(CQuorbelApp &app);
// The text grid of a grid picture on the clipboard (also written as ScanGrid.txt); false, with
// the error shown, when none was read.
bool ScanClipboardGrid(ViewHost &app, std::string &text);
// The expert's key sequence, cell display switches, expert area and test bench runs.
void BindExpertViewCommands(CommandHost &app);

// The expert area, shown and kept in the settings: the run its button chose (None on Cancel)
// and that run's inputs.
struct ExpertAreaChoice {
  ExpertTest Test = ExpertTest::None;
  quorbel::BenchInputs Inputs;
};
ExpertAreaChoice RunExpertArea(CommandHost &app);
