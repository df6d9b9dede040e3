#include "app/qt/modeless_panels.h"

#include <QEvent>

#include "app/qt/window_in_front.h"

ModelessPanels::~ModelessPanels() { DestroyAll(); }

void ModelessPanels::Register(std::string name, Factory factory) {
  panels_.push_back(Panel{std::move(name), std::move(factory), nullptr, false});
}

ModelessPanels::Panel *ModelessPanels::Find(std::string_view name) {
  for (Panel &panel : panels_)
    if (panel.name == name)
      return &panel;
  return nullptr;
}

const ModelessPanels::Panel *ModelessPanels::Find(std::string_view name) const {
  return const_cast<ModelessPanels *>(this)->Find(name);
}

void ModelessPanels::DestroyAll() {
  rebuilding_ = true;
  for (Panel &panel : panels_)
    panel.window.reset();
  rebuilding_ = false;
}

void ModelessPanels::RebuildAll(quorbel::Language language, QWidget *parent) {
  DestroyAll();
  rebuilding_ = true;
  for (Panel &panel : panels_) {
    panel.window = panel.factory(language, parent);
    if (!panel.window) {
      panel.shown = false;
      continue;
    }
    panel.window->installEventFilter(this);
    panel.window->setVisible(panel.shown);
  }
  rebuilding_ = false;
}

bool ModelessPanels::Shown(std::string_view name) const {
  const Panel *panel = Find(name);
  return panel && panel->shown;
}

bool ModelessPanels::SetShown(std::string_view name, bool shown) {
  Panel *panel = Find(name);
  if (!panel || !panel->window)
    return false;
  panel->shown = shown;
  if (shown)
    panel->window->show();
  else
    HideGivingFocusBack(panel->window.get());
  return true;
}

bool ModelessPanels::Bring(std::string_view name) {
  Panel *panel = Find(name);
  if (!panel || !panel->window)
    return false;
  panel->shown = true;
  ShowInFront(panel->window.get(), true);
  return true;
}

QWidget *ModelessPanels::Window(std::string_view name) const {
  const Panel *panel = Find(name);
  return panel ? panel->window.get() : nullptr;
}

bool ModelessPanels::eventFilter(QObject *watched, QEvent *event) {
  // The player closing a panel's window clears its flag; our own rebuilding does not, nor does
  // the window system hiding it with a minimised main window (a spontaneous hide).
  if (event->type() == QEvent::Hide && !event->spontaneous() && !rebuilding_)
    for (Panel &panel : panels_)
      if (panel.window.get() == watched)
        panel.shown = false;
  return false;
}
