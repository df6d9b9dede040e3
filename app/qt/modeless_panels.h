// The long-lived modeless panels (methods, preferences, profiles, music, web challenge...): each
// has a shown flag that always says whether its window is on screen, and each is rebuilt in the
// new language at a language switch, coming back shown when it was shown before.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/language.h"

class ModelessPanels final : public QObject {
  Q_OBJECT
public:
  using Factory = std::function<std::unique_ptr<QWidget>(quorbel::Language, QWidget *parent)>;

  ~ModelessPanels() override;

  // Panels built later (at the next RebuildAll) come up hidden.
  void Register(std::string name, Factory factory);

  // Destroys every panel window and builds it again in `language`, shown again when its flag
  // says so.
  void RebuildAll(quorbel::Language language, QWidget *parent);
  void DestroyAll();

  bool Shown(std::string_view name) const;
  // Shows or hides the panel; the flag follows. False for an unknown or unbuilt panel.
  bool SetShown(std::string_view name, bool shown);
  // Shows the panel in front, over a modal dialog too, with the keyboard focus, as the player
  // asked for it.
  bool Bring(std::string_view name);
  QWidget *Window(std::string_view name) const;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  struct Panel {
    std::string name;
    Factory factory;
    std::unique_ptr<QWidget> window;
    bool shown = false;
  };
  Panel *Find(std::string_view name);
  const Panel *Find(std::string_view name) const;

  std::vector<Panel> panels_;
  bool rebuilding_ = false;
};
