#include "app/qt/method_panel.h"
#include "app/qt/dialog_pictures.h"
#include "app/qt/dialog_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>
#include <string_view>

#include "engine/grid_set.h"

using namespace quorbel;

namespace {

constexpr int kRefreshMs = 1000;
constexpr int kFallbackWidth = 9; // no grid yet: every size is offered

struct BoxText {
  MethodMask bit;
  std::string_view french;
  std::string_view english;
};

// The boxes whose change alters the candidates the board shows.
constexpr MethodMask kRecomputingBits =
    kMaskLinColBlk | kMaskProbables | kMaskVariant | kMaskColouring | kMaskForcingChain;

} // namespace

CMethod::CMethod(DialogHost &host, const EngineContext &engine, MethodPanelActions actions, Language language,
                 QWidget *parent)
    : QDialog(parent, Qt::Tool), host_(host), engine_(engine), actions_(std::move(actions)) {
  setWindowTitle(DialogText(language, "Méthode", "Method"));
  auto box = [&](MethodMask bit, std::string_view french, std::string_view english) {
    auto *check = new QCheckBox(DialogText(language, french, english), this);
    boxes_.emplace_back(bit, check);
    connect(check, &QCheckBox::clicked, this, [this, bit] {
      Change(ToggleMethodBit(static_cast<MethodMask>(host_.Settings().method.method), bit),
             (bit & kRecomputingBits) != 0);
    });
    return check;
  };
  auto sizeRow = [&](MethodMask (*bitOf)(int)) {
    auto *row = new QHBoxLayout;
    for (int size = kMinSubsetSize; size <= kMaxSubsetSizeBit; ++size) {
      const std::string text = size == kMaxSubsetSizeBit ? "7..." : std::to_string(size);
      row->addWidget(box(bitOf(size), text, text));
    }
    row->addStretch();
    return row;
  };

  auto *methods = new QGroupBox(DialogText(language, "Méthode résolution", "Solve Method"), this);
  auto *methodLayout = new QVBoxLayout(methods);
  methodLayout->addWidget(box(kMaskLinColBlk, "LinColBlk", "LinColBlk"));
  methodLayout->addWidget(box(kMaskSingle, "Single", "Single"));
  methodLayout->addWidget(box(kMaskGroup, "Group XXX", "Group XXX"));
  methodLayout->addLayout(sizeRow(GroupSizeBit));
  methodLayout->addWidget(box(kMaskBurma, "Burma", "Burma"));
  methodLayout->addLayout(sizeRow(BurmaSizeBit));
  methodLayout->addWidget(box(kMaskColouring, "Colouring", "Colouring"));
  methodLayout->addWidget(box(kMaskForcingChain, "ForcingChain", "ForcingChain"));
  methodLayout->addWidget(box(kMaskRandom, "Aléatoire", "Random"));

  auto *filters = new QGroupBox(DialogText(language, "Filtres", "Filters"), this);
  auto *filterLayout = new QVBoxLayout(filters);
  filterLayout->addWidget(box(kMaskProbables, "Probables", "Probables"));
  filterLayout->addWidget(box(kMaskVariant, "Variante", "Variant"));

  auto *select = new QGroupBox(DialogText(language, "Sélectionne", "Select"), this);
  auto *selectLayout = new QVBoxLayout(select);
  all_ = new QPushButton(DialogText(language, "Toutes", "All"), select);
  none_ = new QPushButton(DialogText(language, "Aucune", "None"), select);
  default_ = new QPushButton(DialogText(language, "Défaut", "Default"), select);
  for (auto [button, mask] : std::array<std::pair<QPushButton *, MethodMask>, 3>{
           {{all_, kMaskAllMethods}, {none_, kMaskNoMethod}, {default_, kMaskPanelDefault}}}) {
    selectLayout->addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, chosen = mask] { Change(chosen, false); });
  }
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  connect(ok_, &QPushButton::clicked, this, [this] { Close(true); });

  auto *right = new QVBoxLayout;
  right->addWidget(filters);
  right->addWidget(select);
  right->addStretch();
  right->addWidget(ok_);
  auto *layout = new QHBoxLayout(this);
  layout->addWidget(methods);
  layout->addLayout(right);

  refresh_.setInterval(kRefreshMs);
  connect(&refresh_, &QTimer::timeout, this, &CMethod::RefreshMethodChecks);
  RefreshMethodChecks();
}

QCheckBox *CMethod::Box(MethodMask bit) const {
  for (const auto &[boxBit, check] : boxes_)
    if (boxBit == bit)
      return check;
  return nullptr;
}

void CMethod::RefreshMethodChecks() {
  const MethodMask mask = static_cast<MethodMask>(host_.Settings().method.method);
  const EngineContext &ctx = engine_;
  const int width = ctx.Geo.GridWidth > 0 ? ctx.Geo.GridWidth : kFallbackWidth;
  const MethodMask sizes = EnabledSizeBits(width);
  const bool rules = ctx.Geo.GridWidth > 0 && CombinedGridVar(ctx.Grids, 0) != 0;
  for (const auto &[bit, check] : boxes_) {
    check->setChecked((mask & bit) != 0);
    if ((bit & (kMaskGroupSizes | kMaskBurmaSizes)) != 0)
      check->setEnabled((sizes & bit) != 0);
    else if (bit == kMaskVariant)
      check->setEnabled(rules);
  }
}

void CMethod::Change(MethodMask mask, bool recomputeCandidates) {
  actions_.change(mask, recomputeCandidates);
  RefreshMethodChecks();
}

void CMethod::showEvent(QShowEvent *event) {
  RefreshMethodChecks();
  refresh_.start();
  QDialog::showEvent(event);
}

void CMethod::hideEvent(QHideEvent *event) {
  refresh_.stop();
  QDialog::hideEvent(event);
}

void CMethod::closeEvent(QCloseEvent *event) {
  event->accept();
  Close(false);
}

void CMethod::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  const DialogPictures &pictures = host_.Pictures();
  PaintDialogPicture(painter, *this, pictures.Artist, pictures.ArtistStatus);
  QDialog::paintEvent(event);
}
