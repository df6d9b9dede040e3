// The six display pages of the preference sheet as thin Qt widgets over their plain pages: each
// builds its controls in the player's language, shows the page's values (Refresh) and sends each
// change to its page; the dialog picture is painted under them.
#pragma once

#include <QLabel>
#include <QWidget>
#include <array>
#include <functional>

#include "app/preference_sheet.h"
#include "engine/engine_context.h"
#include "platform/language.h"

class CQuorbelApp;
class DialogHost;
struct OutsideServices;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSlider;
class QTextEdit;

// A label a left click acts on: a file's name that opens its chooser, a mode's picture.
class ClickableLabel final : public QLabel {
public:
  ClickableLabel(std::function<void()> clicked, QWidget *parent);

protected:
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  std::function<void()> clicked_;
};

// What every tab shares: the dialog picture under its controls.
class PreferenceTab : public QWidget {
  Q_OBJECT
public:
  PreferenceTab(DialogHost &host, QWidget *parent) : QWidget(parent), host_(host) {}
  virtual void Refresh() = 0;
  // The controls that depend on others.
  virtual void UpdateControls() {}

protected:
  void paintEvent(QPaintEvent *event) override;
  DialogHost &host_;
};

class CPrefPage1 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage1(DialogHost &host, quorbel::GeneralPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void UpdateControls() override;

private:
  quorbel::GeneralPage &page_;
  std::array<QCheckBox *, 7> boxes_{};
  QLineEdit *attempts_ = nullptr;
  QLineEdit *printSize_ = nullptr;
  QComboBox *generation_ = nullptr;
  QComboBox *search_ = nullptr;
};

class CPrefPage2 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage2(DialogHost &host, quorbel::CellPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void UpdateControls() override;

private:
  quorbel::CellPage &page_;
  std::array<ClickableLabel *, 4> modes_{};
  std::array<QCheckBox *, 7> boxes_{};
};

class CPrefPage3 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage3(DialogHost &host, const quorbel::EngineContext &engine, quorbel::GridPage &page,
             quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void UpdateControls() override;

private:
  const quorbel::EngineContext &engine_;
  quorbel::GridPage &page_;
  std::array<QCheckBox *, 7> boxes_{};
  QCheckBox *random_ = nullptr;
  QSlider *transparency_ = nullptr;
  QSlider *delay_ = nullptr;
  QLabel *name_ = nullptr;
};

class CPrefPage4 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage4(DialogHost &host, quorbel::GeometryPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void UpdateControls() override;

private:
  quorbel::GeometryPage &page_;
  std::array<QLineEdit *, 9> edits_{};
};

class CPrefPage5 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage5(DialogHost &host, quorbel::ColourPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;

private:
  quorbel::ColourPage &page_;
  std::array<QWidget *, 14> swatches_{};
};

class CPrefPage6 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage6(DialogHost &host, const OutsideServices &services, quorbel::TextPage &page,
             quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void UpdateControls() override;
  void DrawSymbolPreview();

private:
  const OutsideServices &services_;
  quorbel::TextPage &page_;
  std::array<QRadioButton *, 4> modes_{};
  std::array<QCheckBox *, 5> boxes_{};
  QLabel *title_ = nullptr;
  QLabel *preview_ = nullptr;
};

class CPrefPage7 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage7(DialogHost &host, quorbel::VariantOptionsPage &page, quorbel::Language language,
             QWidget *parent);
  void Refresh() override;

private:
  quorbel::VariantOptionsPage &page_;
  std::array<QCheckBox *, 3> boxes_{};
};

class CPrefPage8 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage8(DialogHost &host, quorbel::MusicPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;

private:
  quorbel::MusicPage &page_;
  std::array<QCheckBox *, 3> boxes_{};
  QSlider *music_ = nullptr;
  QSlider *sound_ = nullptr;
  QLabel *file_ = nullptr;
};

// Grid property: what the grid is, and its comment in the player's language, taken at OK.
class CPrefPage9 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage9(CQuorbelApp &app, quorbel::Language language, QWidget *parent);
  void Refresh() override;
  void TakeComment();

private:
  CQuorbelApp &app_;
  quorbel::Language language_;
  QLabel *name_ = nullptr;
  QLabel *variants_ = nullptr;
  QLabel *level_ = nullptr;
  QTextEdit *comment_ = nullptr;
};

class CPrefPage10 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage10(DialogHost &host, quorbel::DirectoryPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;

private:
  quorbel::DirectoryPage &page_;
  std::array<QLineEdit *, quorbel::kFolderCount> edits_{};
};

// The challenge's port and switch, and how the scan reads a grid's variant.
class CPrefPage11 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage11(DialogHost &host, quorbel::ChallengePage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;

private:
  quorbel::ChallengePage &page_;
  QCheckBox *inhibit_ = nullptr;
  QLineEdit *port_ = nullptr;
};

class CPrefPage12 final : public PreferenceTab {
  Q_OBJECT
public:
  CPrefPage12(DialogHost &host, quorbel::ScanPage &page, quorbel::Language language, QWidget *parent);
  void Refresh() override;

private:
  quorbel::ScanPage &page_;
  std::array<QRadioButton *, 4> modes_{};
};
