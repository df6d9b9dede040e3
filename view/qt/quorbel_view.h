// CQuorbelView, the board view: the frame's central widget. It keeps the painters of the twelve
// grid slots, the fonts, the two back buffers of the client size (PaintDC, ImageDC), the layout
// of the panels, the selection and the display switches, and paints everything in its paint
// event: PrepareBoardLayout, then PaintView, then one copy of the back buffer to the window.
#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/message_line.h"
#include "view/board_layout.h"
#include "view/display_switches.h"
#include "view/grid_draw.h"
#include "view/legend_lines.h"
#include "view/qt/cell_painter.h"
#include "view/qt/font_table.h"
#include "view/qt/paint_context.h"
#include "view/selection_list.h"

class CQuorbelApp;

class CQuorbelView final : public QWidget {
  Q_OBJECT
public:
  explicit CQuorbelView(CQuorbelApp &app, QWidget *parent = nullptr);
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
  int MoveFocusToCell(int slot, int cell);
  void ClearSelection();
  void SetFocusCell(int cell, int slot);
  // A click in the message panel: carries out the link under the point. False when the point is
  // outside the panel or on no link.
  bool MessagePanelClick(int x, int y);
  // Carries out a link of a message line: a file or program, a document or web page, a report
  // mail, or a help topic.
  void LinkMessageClick(const quorbel::CComLine &line, int segment);

  quorbel::SelectionList &Selection() { return selection_; }
  quorbel::DisplaySwitches &Switches() { return switches_; }
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
  int BackgroundReload = 1;   // 1: load the background picture at the next layout
  // Opens files, folders, web pages and mail forms for the links (the desktop's by default).
  std::function<bool(const QUrl &)> OpenUrl;

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  quorbel::PaintContext MakeContext(QPainter &dc) const;
  void EnsureBuffers();
  void LoadBackground();
  void PaintBoardGround(QPainter &dc, const quorbel::CellRect &rect) const;
  void DrawSidePanel(const quorbel::PaintContext &ctx, int full);
  void DrawMessagePanel(const quorbel::PaintContext &ctx, int full);
  void DrawComment(const quorbel::PaintContext &ctx);
  void DrawNumberBar(const quorbel::PaintContext &ctx);
  void DrawGridTabs(const quorbel::PaintContext &ctx);
  void UpdateStatusPanes();

  CQuorbelApp &app_;
  quorbel::FontTable fonts_;
  std::array<quorbel::CGridDraw, quorbel::kMaxGrids> painters_;
  quorbel::SelectionList selection_;
  quorbel::DisplaySwitches switches_;
  quorbel::ViewLayout layout_;
  std::vector<quorbel::LegendLine> legend_;
  std::vector<quorbel::GridTab> tabs_;
  std::vector<int> drawnMessageLines_; // ring indexes of the lines the panel shows, top first
  QImage paintDC_;
  QImage imageDC_;
  QImage background_;          // the picture as loaded; null when there is none
  bool bufferCurrent_ = false; // PaintDC already holds what the next paint event must show
};

// The board view of the running application; none before it exists.
CQuorbelView *GetCurrentView();

// Makes the board view the frame's central widget at start-up and gives it the host's selection
// service. Call before CQuorbelApp::InitInstance.
void InstallBoardView(CQuorbelApp &app);
