#include "app/qt/init_grid_dialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <span>
#include <string_view>

#include "app/game_start.h"
#include "app/qt/dialog_host.h"
#include "app/qt/dialog_text.h"
#include "app/qt/start_button_pictures.h"

using namespace quorbel;

namespace {

struct AreaButton {
  int Area;
  std::string_view Picture;
  std::string_view French;
  std::string_view English;
};

// The games played through a series of grids, then the free games.
constexpr std::array<AreaButton, 6> kGames{{
    {kAreaChampion, "BM_RAND", "Mode Champion", "Champion Mode"},
    {kAreaKids, "BM_KIDS", "Petits Enfants", "Little Kids"},
    {kAreaQuick, "BM_QUICK", "Partie Rapide", "Quick Game"},
    {kAreaTriple, "BM_TRIP", "Double Triple", "Double Triple"},
    {kAreaQuellabo, "BM_QUEL", "Quellabo", "Quellabo"},
    {kAreaDefi, "BM_DEFI", "Défi", "Challenge"},
}};
constexpr std::array<AreaButton, 4> kFreeGames{{
    {kAreaGenerate, "BM_GENERE", "Génère", "Generate"},
    {kAreaLoad, "BM_LOAD", "Charge", "Load"},
    {kAreaCatalog, "BM_CATALOG", "Catalogue", "Catalog"},
    {kAreaNew, "BM_NEW", "Nouvelle", "New"},
}};

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CInitGrid::CInitGrid(DialogHost &app, Language language, QWidget *parent)
    : QDialog(parent), app_(app), language_(language) {
  setObjectName(QStringLiteral("CInitGrid"));
  setWindowTitle(DialogText(language, "Sélection Jeu", "Game Selection"));

  const auto addGroup = [this, language](const QString &title, std::span<const AreaButton> areas) {
    auto *box = new QGroupBox(title, this);
    box->setFlat(true);
    auto *grid = new QGridLayout(box);
    for (size_t i = 0; i < areas.size(); ++i) {
      const AreaButton &area = areas[i];
      auto *button = new CPictureButton(StartButtonPictures(area.Picture), box);
      button->setObjectName(Utf8(area.Picture));
      button->installEventFilter(this);
      buttons_[static_cast<size_t>(area.Area - 1)] = button;
      connect(button, &CPictureButton::clicked, this, [this, a = area.Area] { Choose(a); });
      auto *label = new QLabel(DialogText(language, area.French, area.English), box);
      label->setAlignment(Qt::AlignHCenter);
      grid->addWidget(button, 0, static_cast<int>(i), Qt::AlignHCenter);
      grid->addWidget(label, 1, static_cast<int>(i), Qt::AlignHCenter);
    }
    return box;
  };
  QGroupBox *games = addGroup(DialogText(language, "Normal", "Normal"), kGames);
  QGroupBox *freeGames = addGroup(DialogText(language, "Jeu Libre", "Free Game"), kFreeGames);

  help_ = new QPushButton(DialogText(language, "Aide", "Help"), this);
  help_->setObjectName(QStringLiteral("Help"));
  // Enter on Help is the screen's own Enter, which opens the help too.
  help_->setAutoDefault(false);
  help_->installEventFilter(this);
  connect(help_, &QPushButton::clicked, this, [this] { app_.ShowHelp(kStartScreenHelp); });

  areaText_ = new QLabel(this);
  areaText_->setObjectName(QStringLiteral("AreaText"));
  areaText_->setWordWrap(true);
  areaText_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  areaText_->setMinimumHeight(5 * fontMetrics().height());
  areaText_->setMargin(6);
  areaText_->setFrameShape(QFrame::StyledPanel);
  // The description is read over the picture: it keeps a plain ground.
  areaText_->setAutoFillBackground(true);

  auto *lower = new QHBoxLayout;
  lower->addWidget(freeGames, 1);
  lower->addWidget(help_, 0, Qt::AlignBottom);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(games);
  layout->addLayout(lower);
  layout->addWidget(areaText_);
  ShowAreaText(kAreaNone);
}

QString CInitGrid::AreaText() const { return areaText_->text(); }

CPictureButton *CInitGrid::Button(int area) const {
  if (area < kAreaCatalog || area > kAreaDefi)
    return nullptr;
  return buttons_[static_cast<size_t>(area - 1)];
}

void CInitGrid::ShowAreaText(int area) {
  selectedArea_ = area;
  areaText_->setText(Utf8(StartScreenText(area, language_)));
}

void CInitGrid::Choose(int area) {
  // The challenge starts from Enter alone, where its description has been read.
  if (area == kAreaDefi)
    return;
  chosen_ = area;
  accept();
}

void CInitGrid::OnOK() {
  switch (selectedArea_) {
  case kAreaHelp:
    app_.ShowHelp(kStartScreenHelp);
    return;
  case kAreaDefi:
    if (app_.Settings().defi.defiInhibit != 0) {
      // Challenges open a network port: the player turns them on in the preferences first.
      const bool french = app_.CurrentLanguage() != quorbel::Language::English;
      app_.Dialogs().MessageBox(
          this,
          MessageBoxRequest{
              .title = QStringLiteral("Quorbel"),
              .text = french
                          ? QStringLiteral("Le défi entre joueurs est désactivé : décochez « Inhibe Défi » "
                                           "dans la page Défi des préférences.")
                          : QStringLiteral("The challenge between players is turned off: uncheck \"Inhibit "
                                           "Defi\" on the Challenge page of the preferences.")});
      return;
    }
    chosen_ = kAreaDefi;
    accept();
    return;
  default:
    chosen_ = selectedArea_;
    accept();
    return;
  }
}

void CInitGrid::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    OnOK();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool CInitGrid::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == help_)
      ShowAreaText(kAreaHelp);
    for (size_t i = 0; i < buttons_.size(); ++i)
      if (watched == buttons_[i])
        ShowAreaText(static_cast<int>(i) + 1);
  }
  return QDialog::eventFilter(watched, event);
}

void CInitGrid::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = app_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist1, pictures.Artist1Status);
  QDialog::paintEvent(event);
}
