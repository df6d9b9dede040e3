#include "app/qt/magic_profile_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/magic_profile.h"
#include "app/qt/dialog_pictures.h"
#include "app/qt/dialog_text.h"
#include "app/qt/display_toggles.h"
#include "app/qt/preference_window.h"
#include "app/qt/quorbel_app.h"
#include "files/file_bytes.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "platform/paths.h"

using namespace quorbel;

namespace {

constexpr std::string_view kOpeningProfile = "temp.magic";
constexpr uint64_t kLargestProfile = 64 * 1024;

bool WriteProfile(CQuorbelApp &app, const std::string &path) {
  return WriteFileReplacing(path, WriteMagicProfile(app.Settings(), app.Colours(),
                                                    PictureOrderOf(app.Engine().Settings.PictureOrder)))
      .Ok();
}

} // namespace

CPrefMagic::CPrefMagic(CQuorbelApp &app, Language language, QWidget *parent)
    : QDialog(parent, Qt::Tool), app_(app) {
  setObjectName(QStringLiteral("MagicSelect"));
  setWindowTitle(DialogText(language, "Sélection Affichage Rapide", "Quick Display Select"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(DialogText(language, "Magique Selection", "Magic Selection"), this));
  auto *row = new QHBoxLayout;
  auto *previous = new QPushButton(QStringLiteral("◀"), this);
  auto *next = new QPushButton(QStringLiteral("▶"), this);
  list_ = new QComboBox(this);
  list_->setMinimumWidth(180);
  row->addWidget(previous);
  row->addWidget(list_, 1);
  row->addWidget(next);
  layout->addLayout(row);
  auto *buttons = new QHBoxLayout;
  auto *save = new QPushButton(DialogText(language, "Sauve Courant", "Save Current"), this);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_ = new QPushButton(DialogText(language, "Annule", "Cancel"), this);
  buttons->addWidget(save);
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(previous, &QPushButton::clicked, this, [this] { Step(false); });
  connect(next, &QPushButton::clicked, this, [this] { Step(true); });
  connect(list_, &QComboBox::activated, this, [this](int index) {
    if (const QString title = list_->itemText(index); !title.isEmpty())
      Apply(ProfilePath(title.toStdString()), true);
  });
  connect(save, &QPushButton::clicked, this, [this] { ChooseAndSave(); });
  connect(ok_, &QPushButton::clicked, this, [this] { Ok(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

std::string CPrefMagic::ProfilePath(const std::string &title) const {
  return MakeFilePath(title, MakeAbsolutePath(app_.Settings().directory.magic), ".magic");
}

void CPrefMagic::FillMagicList() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const std::string &title : MagicProfileTitles(MakeAbsolutePath(app_.Settings().directory.magic)))
    list_->addItem(QString::fromStdString(title));
  list_->setCurrentIndex(list_->findText(QString::fromStdString(title_)));
}

void CPrefMagic::ClearMagicSelection() {
  title_.clear();
  list_->setCurrentIndex(-1);
}

void CPrefMagic::Step(bool next) {
  const int index = StepProfileIndex(list_->currentIndex(), list_->count(), next);
  if (index < 0)
    return;
  list_->setCurrentIndex(index);
  if (const QString title = list_->itemText(index); !title.isEmpty())
    Apply(ProfilePath(title.toStdString()), true);
}

void CPrefMagic::Apply(const std::string &path, bool record) {
  if (ApplyMagicProfile(app_, path) && record)
    RecordMacroStep(kMacroMagic, MakeRelativePath(path));
}

void CPrefMagic::Ok() {
  app_.Panels().SetShown(kMagicSelectPanel, false);
  app_.SaveSettings();
  app_.RedrawViewNow();
  saveOnShow_ = true;
  RecordMacroStep(kMacroArea, "MAGIC", {}, "N");
}

void CPrefMagic::reject() {
  Apply(MakeAbsolutePath(kOpeningProfile), false);
  saveOnShow_ = true;
  app_.Panels().SetShown(kMagicSelectPanel, false);
  RecordMacroStep(kMacroArea, "MAGIC", {}, "N");
}

bool CPrefMagic::SaveCurrent(const std::string &title) {
  if (title.empty())
    return false;
  // A fresh install has no profile folder yet.
  EnsureDirectory(MakeAbsolutePath(app_.Settings().directory.magic));
  const std::string path = ProfilePath(title);
  if (!WriteProfile(app_, path)) {
    app_.Dialogs().MessageBox(
        this,
        MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                          .text = DialogText(app_.CurrentLanguage(), "Le profil n'a pas pu être écrit : ",
                                             "The profile could not be written: ") +
                                  QString::fromStdString(path),
                          .icon = QMessageBox::Warning,
                          .buttons = QMessageBox::Ok,
                          .defaultButton = QMessageBox::Ok});
    return false;
  }
  // Grids may now bring the preferences the player keeps in profiles.
  app_.Settings().general.prefLoad = 1;
  // Written first, then listed, so the new profile is in the list.
  title_ = title;
  FillMagicList();
  return true;
}

void CPrefMagic::ChooseAndSave() {
  const std::string folder = MakeAbsolutePath(app_.Settings().directory.magic);
  // A file dialog shown a folder that does not exist yet opens in the working folder instead.
  EnsureDirectory(folder);
  const std::string chosen = app_.Dialogs()
                                 .SaveFileName(this, {QStringLiteral("Magic"), QString::fromStdString(folder),
                                                      QStringLiteral("Magic for Sudoku (*.magic)")})
                                 .toStdString();
  if (chosen.empty())
    return;
  if (app_.Settings().general.standarDir == 0)
    app_.Settings().directory.magic = DirectoryOfPath(chosen);
  SaveCurrent(FileTitleOfPath(chosen));
}

void CPrefMagic::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (saveOnShow_) {
    WriteProfile(app_, MakeAbsolutePath(kOpeningProfile));
    saveOnShow_ = false;
  }
  FillMagicList();
}

void CPrefMagic::closeEvent(QCloseEvent *event) {
  event->ignore();
  reject();
}

void CPrefMagic::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = app_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QDialog::paintEvent(event);
}

bool ApplyMagicProfile(CQuorbelApp &app, const std::string &path) {
  const FileBytesResult read = ReadFileBytes(path, kLargestProfile);
  if (!read.Ok)
    return false;
  PictureOrder order = PictureOrderOf(app.Engine().Settings.PictureOrder);
  ReadMagicProfile(std::string_view(reinterpret_cast<const char *>(read.Bytes.data()), read.Bytes.size()),
                   app.Settings(), app.Colours(), order, app.Messages().Muted());
  StorePictureOrder(order, app.Engine().Settings.PictureOrder);
  app.SyncEngineSettings();
  app.LoadCellPictures(PictureOrderMode::Keep);
  if (app.Services().buildValueCursors)
    app.Services().buildValueCursors();
  if (auto *sheet = static_cast<CPreference *>(app.Panels().Window(kPreferencePanel)))
    sheet->RefreshPages();
  app.RedrawViewNow();
  return true;
}

void RegisterMagicProfileDialog(CQuorbelApp &app) {
  app.Panels().Register(std::string(kMagicSelectPanel), [&app](Language language, QWidget *parent) {
    return std::make_unique<CPrefMagic>(app, language, parent);
  });
}
