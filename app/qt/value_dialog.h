// CDialogValue: a glyph the scanner could not read, shown for the player to type its value,
// pass it by, or ask for every glyph; and the ValueAsker that shows it.
#pragma once

#include <QDialog>

#include "media/glyph_reader.h"
#include "platform/language.h"

class DialogHost;
class QCheckBox;
class QLabel;
class QSlider;
class QSpinBox;

class CDialogValue final : public QDialog {
  Q_OBJECT
public:
  CDialogValue(const quorbel::GlyphQuestion &question, quorbel::Language language, QWidget *parent = nullptr);

  // What the dialog ended with: the value (-1 pass by), the ask-for-all flag, the threshold.
  quorbel::GlyphAnswer Answer() const;

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  void CloseWith(int value);
  void DrawGlyph(int level);

  quorbel::GlyphQuestion question_;
  QSpinBox *value_ = nullptr;
  QLabel *picture_ = nullptr;
  QCheckBox *all_ = nullptr;
  QSlider *threshold_ = nullptr;
};

// Asks through the application's dialog door, so that tests and headless runs answer in code.
class DialogValueAsker final : public quorbel::ValueAsker {
public:
  explicit DialogValueAsker(DialogHost &app) : app_(app) {}
  quorbel::GlyphAnswer Ask(const quorbel::GlyphQuestion &question) override;

private:
  DialogHost &app_;
};
