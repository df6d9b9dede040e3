// The kaleidoscope on the board: cells painted at once with a ground of their own, waits on the
// view's clock, the focus put back afterwards.
#include <chrono>
#include <thread>

#include "app/message_table.h"
#include "engine/engine_context.h"
#include "view/kaleidoscope.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

class BoardCanvas final : public KaleidoscopeCanvas {
public:
  BoardCanvas(CQuorbelView &view, EngineContext &ctx, ColorRef ground)
      : view_(view), ctx_(ctx), ground_(ground) {}
  void PaintCell(int slot, int cell, ColorRef ground) override { view_.RedrawCell(slot, cell, ground); }
  ColorRef CellGround() const override { return ground_; }
  void RedrawAll() override { view_.RedrawViewNow(); }
  void Sleep(int ms) override {
    if (view_.KaleidoscopeSleep)
      view_.KaleidoscopeSleep(ms);
    else
      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  bool PollUserAbort() override { return ctx_.Host != nullptr && ctx_.Host->PollUserAbort(); }
  void SetTimerOn(bool on) override { view_.Input().Entry.TimerOn = on ? 1 : 0; }

private:
  CQuorbelView &view_;
  EngineContext &ctx_;
  ColorRef ground_;
};

} // namespace

void CQuorbelView::RunKaleidoscope() {
  EngineContext &ctx = app_.Engine();
  const int focusCell = ctx.Grids.FocusCell;
  const int focusGrid = ctx.Grids.FocusGrid;
  KaleidoscopeRunning = 1;
  ::quorbel::ClearSelection(selection_, ctx.Grids);
  BoardCanvas canvas(*this, ctx, app_.Colours().ColBgCase);
  const bool finished = ::quorbel::RunKaleidoscope(ctx, canvas);
  if (finished)
    app_.Messages().AddInfoMessage(MessageFormat(55, app_.CurrentLanguage()));
  SetFocusCell(focusCell, focusGrid);
  KaleidoscopeRunning = 0;
  RedrawViewNow();
}
