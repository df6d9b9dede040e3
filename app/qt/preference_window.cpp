#include "app/qt/preference_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/picture_library.h"
#include "app/qt/board_window.h"
#include "app/qt/dialog_text.h"
#include "app/qt/display_toggles.h"
#include "app/qt/magic_profile_dialog.h"
#include "app/qt/preference_tabs.h"
#include "app/qt/quorbel_app.h"
#include "app/random_background.h"
#include "platform/paths.h"
#include "platform/qt/colour_ref.h"

using namespace quorbel;

// The sheet's pages reach the program through the application.
class CPreference::Effects final : public PreferenceEffects {
public:
  Effects(CQuorbelApp &app, CPreference &sheet) : app_(app), sheet_(sheet) {}

  void SettingsChanged() override { app_.SyncEngineSettings(); }
  void RedrawBoard(bool) override { app_.RedrawViewNow(); }
  void UpdatePreferenceControls() override { sheet_.UpdateControls(); }
  void ClearMagicSelection() override {
    if (auto *magic = static_cast<CPrefMagic *>(app_.Panels().Window(kMagicSelectPanel)))
      magic->ClearMagicSelection();
  }
  void FillMagicList() override {
    if (auto *magic = static_cast<CPrefMagic *>(app_.Panels().Window(kMagicSelectPanel)))
      magic->FillMagicList();
  }
  void RecordStep(const RecordedAction &step) override { app_.RecordMacroStep(step); }
  void SaveSettings() override { app_.SaveSettings(); }
  void SaveColours() override { app_.SaveSettings(); }
  void ClearLogFile() override { app_.Log().ClearLogFile(); }
  void OpenWithShell(const std::string &path) override {
    if (app_.Services().openWithShell)
      app_.Services().openWithShell(path);
    else
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
  }
  void PostMessage(const std::string &line) override { app_.AddInfoMessage(line); }
  void ReloadBackground() override {
    if (BoardWindow *board = app_.Board())
      board->ReloadBackground();
  }
  std::string PickRandomBackground() override {
    return quorbel::PickRandomBackground(app_.Settings().directory.background);
  }
  void RestartBackgroundRotation() override {
    if (BoardWindow *board = app_.Board())
      board->RotateBackgroundImage();
  }
  std::string ChooseBackgroundFile(const std::string &folder) override {
    const bool french = app_.CurrentLanguage() != Language::English;
    return app_.Dialogs()
        .OpenFileName(&sheet_, {french ? QStringLiteral("Image de Fond") : QStringLiteral("Background Image"),
                                QString::fromStdString(folder),
                                QStringLiteral(
                                    "Supported Images (*.bmp *.gif *.jpg *.jpeg *.png *.ico *.tif "
                                    "*.tiff *.tga *.pcx *.wbmp *.wmf *.emf *.j2k *.jp2 *.jbg);;Jpeg (*.jpg);;"
                                    "Tiff (*.tif);;All Files (*)")})
        .toStdString();
  }
  bool LoadPictureSet(const std::string &set, PictureOrderMode mode) override {
    return app_.LoadCellPictures(mode, set) > 0;
  }
  PictureOrder CurrentPictureOrder() override { return PictureOrderOf(app_.Engine().Settings.PictureOrder); }
  void SetPictureOrder(const PictureOrder &order) override {
    StorePictureOrder(order, app_.Engine().Settings.PictureOrder);
  }
  std::vector<std::string> PictureSetFiles() override {
    return FindPictureLists(MakeAbsolutePath(app_.Settings().directory.animated));
  }
  std::string ChoosePictureSetFile(const std::string &folder) override {
    return app_.Dialogs()
        .OpenFileName(&sheet_, {QStringLiteral("Sudoku Images"), QString::fromStdString(folder),
                                QStringLiteral("Sudoku Images (*.ani);;All Files (*)")})
        .toStdString();
  }
  void BuildValueCursors() override {
    if (app_.Services().buildValueCursors)
      app_.Services().buildValueCursors();
  }
  void DrawSymbolPreview() override { sheet_.DrawSymbolPreview(); }
  std::optional<ColorRef> ChooseColour(ColorRef start) override {
    const QColor chosen = app_.Dialogs().ChooseColour(&sheet_, ToQColor(start));
    if (!chosen.isValid())
      return std::nullopt;
    return MakeColorRef(static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                        static_cast<uint8_t>(chosen.blue()));
  }
  std::string ChooseColourFile(bool save) override {
    const FileDialogRequest request{QStringLiteral("Sudoku Color"), QString::fromStdString(StartDirectory()),
                                    QStringLiteral("Sudoku Color (*.col);;All Files (*)")};
    const QString path =
        save ? app_.Dialogs().SaveFileName(&sheet_, request) : app_.Dialogs().OpenFileName(&sheet_, request);
    std::string chosen = path.toStdString();
    if (save && !chosen.empty() && FileExtensionOfPath(chosen).empty())
      chosen += ".col";
    return chosen;
  }
  void HideSheet() override { app_.Panels().SetShown(kPreferencePanel, false); }
  void ApplyMusicVolume() override {
    if (app_.Services().applyMusicVolume)
      app_.Services().applyMusicVolume();
  }
  std::string ChooseMusicFile(const std::string &folder) override {
    return app_.Dialogs()
        .OpenFileName(&sheet_,
                      {QStringLiteral("Music"), QString::fromStdString(folder),
                       QStringLiteral("Music Files Mp3 (*.mp3);;Music Files Wav (*.wav);;All Files (*)")})
        .toStdString();
  }
  std::string ChooseFolder(const std::string &folder) override {
    return app_.Dialogs()
        .ChooseDirectory(&sheet_, QStringLiteral("Dir"), QString::fromStdString(folder))
        .toStdString();
  }
  void StartChallengeListen(int32_t port) override {
    if (app_.Services().startChallengeListen)
      app_.Services().startChallengeListen(port);
  }

private:
  CQuorbelApp &app_;
  CPreference &sheet_;
};

CPreference::CPreference(CQuorbelApp &app, Language language, QWidget *parent)
    : QDialog(parent, Qt::Tool), app_(app), effects_(std::make_unique<Effects>(app, *this)),
      sheet_(std::make_unique<PreferenceSheet>(app.Settings(), app.Colours(), *effects_)) {
  setObjectName(QStringLiteral("Preference"));
  setWindowTitle(QStringLiteral("Preference"));
  auto *layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->setUsesScrollButtons(false); // every tab in sight: the sheet takes the width
  auto add = [&](PreferenceTab *tab, std::string_view french, std::string_view english) {
    pages_.push_back(tab);
    tabs_->addTab(tab, DialogText(language, french, english));
  };
  PreferenceSheet &s = *sheet_;
  add(new CPrefPage1(app, s.General, language, tabs_), "Général", "General");
  add(new CPrefPage6(app, app.Services(), s.Text, language, tabs_), "Texte", "Text");
  add(new CPrefPage2(app, s.Cell, language, tabs_), "Case", "Cell");
  add(new CPrefPage3(app, app.Engine(), s.Grid, language, tabs_), "Grille", "Grid");
  add(new CPrefPage4(app, s.Geometry, language, tabs_), "Géométrie", "Geometry");
  add(new CPrefPage5(app, s.Colour, language, tabs_), "Couleurs", "Colors Code");
  add(new CPrefPage7(app, s.Variants, language, tabs_), "Variante", "Varient");
  add(new CPrefPage8(app, s.Music, language, tabs_), "Musique", "Music");
  property_ = new CPrefPage9(app, language, tabs_);
  add(property_, "Propriété", "Property");
  add(new CPrefPage10(app, s.Directories, language, tabs_), "Répertoire", "Dir");
  add(new CPrefPage11(app, s.Challenge, language, tabs_), "Défi", "Challenge");
  add(new CPrefPage12(app, s.Scan, language, tabs_), "Scan", "Scan");
  layout->addWidget(tabs_);
  auto *buttons = new QHBoxLayout;
  ok_ = new QPushButton(QStringLiteral("Ok"), this);
  cancel_ = new QPushButton(DialogText(language, "Annuler", "Cancel"), this);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] {
    property_->TakeComment();
    sheet_->Ok();
  });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

CPreference::~CPreference() = default;

void CPreference::RefreshPages() {
  sheet_->RefreshPages();
  for (PreferenceTab *page : pages_)
    page->Refresh();
}

void CPreference::UpdateControls() {
  for (PreferenceTab *page : pages_)
    page->UpdateControls();
  if (app_.Services().buildValueCursors)
    app_.Services().buildValueCursors();
  app_.RedrawViewNow();
}

void CPreference::DrawSymbolPreview() {
  for (PreferenceTab *page : pages_)
    page->update();
}

void CPreference::showEvent(QShowEvent *event) {
  sheet_->Open();
  for (PreferenceTab *page : pages_)
    page->Refresh();
  QDialog::showEvent(event);
}

bool CPreference::OpenedBySheet(const QWidget *window) const {
  for (const QWidget *w = window; w; w = w->parentWidget())
    if (w == this)
      return true;
  return false;
}

void CPreference::changeEvent(QEvent *event) {
  if (event->type() == QEvent::ActivationChange && isVisible()) {
    if (isActiveWindow())
      sheet_->Activated();
    else if (!OpenedBySheet(QApplication::activeWindow()))
      sheet_->Deactivated();
  }
  QDialog::changeEvent(event);
}

void CPreference::closeEvent(QCloseEvent *event) {
  event->ignore();
  reject();
}

void CPreference::reject() {
  sheet_->Cancel();
  for (PreferenceTab *page : pages_)
    page->Refresh();
}

void RegisterPreferenceSheet(CQuorbelApp &app) {
  app.Panels().Register(std::string(kPreferencePanel), [&app](Language language, QWidget *parent) {
    return std::make_unique<CPreference>(app, language, parent);
  });
}
