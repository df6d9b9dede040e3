// The Colour tab: the board's fourteen colours as swatches beside their names; a click opens the
// colour chooser; Default, Load and Save act on all of them.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"
#include "app/qt/preference_tabs.h"
#include "platform/qt/colour_ref.h"

using namespace quorbel;

namespace {

constexpr int kSwatchWidth = 40;

// One colour: framed in black, always drawn, a click opens the chooser.
class Swatch final : public QWidget {
public:
  Swatch(ColourPage &page, int slot, QWidget *parent) : QWidget(parent), page_(page), slot_(slot) {
    setFixedWidth(kSwatchWidth);
    setMinimumHeight(18);
    setCursor(Qt::PointingHandCursor);
  }
  std::function<void()> Changed;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(page_.Slots.*BoardColourKeys[static_cast<size_t>(slot_)].field));
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  void mouseReleaseEvent(QMouseEvent *event) override {
    if (event->button() != Qt::LeftButton)
      return;
    page_.ClickSwatch(slot_);
    if (Changed)
      Changed();
  }

private:
  ColourPage &page_;
  int slot_;
};

} // namespace

CPrefPage5::CPrefPage5(DialogHost &host, ColourPage &page, Language language, QWidget *parent)
    : PreferenceTab(host, parent), page_(page) {
  struct Text {
    std::string_view french, english;
  };
  const std::array<Text, kBoardColourCount> labels = {{
      {"Valeur Initiale", "Initial Value"},
      {"Valeur Entrée", "Input Value"},
      {"Valeur Possible", "Possible Value"},
      {"Valeur Proposée", "Proposed Value"},
      {"Valeur Trouvée", "Found Value"},
      {"Valeur Erronée", "Bad Value"},
      {"Fond Case", "Cell Background"},
      {"Fond si Unique", "Background if Single"},
      {"Fond si Mauvais", "Background if Bad"},
      {"Fond Commentaire", "Comment BackGround"},
      {"Fond Ecran", "Window BackGround"},
      {"Séparation Blocks", "Block Separation"},
      {"Fond Proposition", "Propose BackGround"},
      {"Bordure", "Border"},
  }};
  auto *layout = new QVBoxLayout(this);
  auto *grid = new QGridLayout;
  // Slots 0 to 5 and 13 on the left, 6 to 12 on the right.
  int left = 0;
  int right = 0;
  for (int slot = 0; slot < kBoardColourCount; ++slot) {
    const bool leftColumn = slot < 6 || slot == 13;
    const int row = leftColumn ? left++ : right++;
    const int column = leftColumn ? 0 : 2;
    grid->addWidget(new QLabel(DialogText(language, labels[static_cast<size_t>(slot)].french,
                                          labels[static_cast<size_t>(slot)].english),
                               this),
                    row, column);
    auto *swatch = new Swatch(page_, slot, this);
    swatch->Changed = [this] { Refresh(); };
    swatches_[static_cast<size_t>(slot)] = swatch;
    grid->addWidget(swatch, row, column + 1);
  }
  layout->addLayout(grid);
  auto *buttons = new QHBoxLayout;
  auto *defaults = new QPushButton(DialogText(language, "Défaut", "Default"), this);
  auto *load = new QPushButton(DialogText(language, "Charge", "Load"), this);
  auto *save = new QPushButton(DialogText(language, "Sauve", "Save"), this);
  connect(defaults, &QPushButton::clicked, this, [this] {
    page_.SetDefaultColours();
    Refresh();
  });
  connect(load, &QPushButton::clicked, this, [this] {
    page_.LoadColourFile();
    Refresh();
  });
  connect(save, &QPushButton::clicked, this, [this] { page_.SaveColourFile(); });
  buttons->addWidget(defaults);
  buttons->addWidget(load);
  buttons->addWidget(save);
  buttons->addStretch();
  layout->addLayout(buttons);
  layout->addStretch();
}

void CPrefPage5::Refresh() {
  for (QWidget *swatch : swatches_)
    swatch->update();
}
