#include "app/qt/variant_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/trio_symbol.h"
#include "app/static_texts.h"
#include "engine/cell_set_rules.h"

using namespace quorbel;

namespace {

constexpr int kValues = 16;
constexpr int kPresets = 7;
constexpr int kKeypadHindi = 16; // the Hindi words follow the keypad groups

QDialogButtonBox *OkCancel(QDialog *dialog) {
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

QPushButton *Button(const QString &text, const QString &name, QWidget *parent) {
  auto *button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

} // namespace

// ---- CDialogBlock ----

CDialogBlock::CDialogBlock(int highest, QWidget *parent) : QDialog(parent), highest_(highest) {
  setObjectName(QStringLiteral("CDialogBlock"));
  setWindowTitle(QStringLiteral("Block Definition"));
  auto *grid = new QGridLayout(this);
  for (int block = 1; block <= kValues; ++block) {
    QPushButton *button = Button(QString::number(block), QStringLiteral("block%1").arg(block), this);
    button->setEnabled(block <= std::max(highest, 4));
    connect(button, &QPushButton::clicked, this, [this, block] { Choose(block); });
    grid->addWidget(button, (block - 1) / 4, (block - 1) % 4);
  }
  QPushButton *clear = Button(QStringLiteral("Clear"), QStringLiteral("clear"), this);
  connect(clear, &QPushButton::clicked, this, [this] { Choose(0); });
  grid->addWidget(clear, 4, 0, 1, 4);
}

void CDialogBlock::Choose(int block) {
  result_ = block;
  accept();
}

void CDialogBlock::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  int block = -1;
  if (key >= Qt::Key_1 && key <= Qt::Key_9)
    block = key - Qt::Key_0;
  else if (key >= Qt::Key_A && key <= Qt::Key_G)
    block = key - Qt::Key_A + 10;
  else if (key == Qt::Key_Asterisk && (event->modifiers() & Qt::KeypadModifier))
    block = 10;
  if (block < 0) {
    QDialog::keyPressEvent(event);
    return;
  }
  // A number beyond the grid is kept but does not close the dialog.
  result_ = block;
  if (block <= highest_)
    accept();
}

// ---- CDialogTrioData ----

CDialogTrioData::CDialogTrioData(int width, const std::array<int8_t, 16> &classes, QWidget *parent)
    : QDialog(parent), width_(std::clamp(width, 1, kValues)) {
  setObjectName(QStringLiteral("CDialogTrioData"));
  setWindowTitle(QStringLiteral("Trio Data Definition"));
  for (int v = 0; v < width_; ++v)
    classes_[static_cast<size_t>(v)] = classes[static_cast<size_t>(v)];
  for (int v = 0; v < kValues; ++v)
    valueLabels_[static_cast<size_t>(v)] = QString::number(v + 1);
  auto *layout = new QVBoxLayout(this);
  auto *classesBox = new QGridLayout;
  for (int k = 0; k < 4; ++k) {
    auto *radio = new QRadioButton(QStringLiteral("%1").arg(k + 1), this);
    radio->setObjectName(QStringLiteral("class%1").arg(k + 1));
    connect(radio, &QRadioButton::clicked, this, [this, k] { SelectClass(k + 1); });
    classButtons_[static_cast<size_t>(k)] = radio;
    auto *label = new QLabel(this);
    label->setIndent(44); // room for the class's symbol, painted beside the radio
    label->setMinimumHeight(36);
    classLabels_[static_cast<size_t>(k)] = label;
    classesBox->addWidget(radio, k, 0);
    classesBox->addWidget(label, k, 1);
  }
  classesBox->setColumnStretch(1, 1);
  layout->addLayout(classesBox);
  auto *values = new QGridLayout;
  for (int v = 1; v <= kValues; ++v) {
    QPushButton *button = Button(QString::number(v), QStringLiteral("value%1").arg(v), this);
    button->setEnabled(v <= width_);
    connect(button, &QPushButton::clicked, this, [this, v] { GiveValue(v); });
    valueButtons_[static_cast<size_t>(v - 1)] = button;
    values->addWidget(button, (v - 1) / 8, (v - 1) % 8);
  }
  layout->addLayout(values);
  auto *tools = new QHBoxLayout;
  QPushButton *clear = Button(QStringLiteral("Clear"), QStringLiteral("clear"), this);
  QPushButton *byDefault = Button(QStringLiteral("Default"), QStringLiteral("default"), this);
  connect(clear, &QPushButton::clicked, this, &CDialogTrioData::Clear);
  connect(byDefault, &QPushButton::clicked, this, &CDialogTrioData::Default);
  tools->addWidget(clear);
  tools->addWidget(byDefault);
  tools->addStretch();
  layout->addLayout(tools);
  layout->addWidget(OkCancel(this));
  Refresh();
}

void CDialogTrioData::SetValueLabels(const std::array<QString, 16> &labels) {
  valueLabels_ = labels;
  for (int v = 0; v < kValues; ++v)
    valueButtons_[static_cast<size_t>(v)]->setText(labels[static_cast<size_t>(v)]);
  Refresh();
}

void CDialogTrioData::SelectClass(int cellClass) {
  current_ = std::clamp(cellClass, 0, 4);
  Refresh();
}

void CDialogTrioData::GiveValue(int value) {
  if (current_ >= 1 && value >= 1 && value <= width_)
    classes_[static_cast<size_t>(value - 1)] = static_cast<int8_t>(current_);
  Refresh();
}

void CDialogTrioData::Clear() {
  for (int v = 0; v < width_; ++v)
    if (current_ == 0 || classes_[static_cast<size_t>(v)] == current_)
      classes_[static_cast<size_t>(v)] = 0;
  Refresh();
}

void CDialogTrioData::Default() {
  DefaultValueClasses(width_, classes_);
  Refresh();
}

void CDialogTrioData::contextMenuEvent(QContextMenuEvent *event) {
  SelectClass(0);
  event->accept();
}

void CDialogTrioData::paintEvent(QPaintEvent *event) {
  QDialog::paintEvent(event);
  QPainter dc(this);
  for (int k = 0; k < 4; ++k) {
    const QRect label = classLabels_[static_cast<size_t>(k)]->geometry();
    DrawTrioSymbol(dc, k + 1, QRect(label.left(), label.center().y() - 18, 36, 36), false);
  }
}

void CDialogTrioData::Refresh() {
  for (int k = 0; k < 4; ++k) {
    QString values;
    for (int v = 1; v <= width_; ++v)
      if (classes_[static_cast<size_t>(v - 1)] == k + 1)
        values += valueLabels_[static_cast<size_t>(v - 1)] + QLatin1Char(' ');
    classLabels_[static_cast<size_t>(k)]->setText(values.trimmed());
    QRadioButton *radio = classButtons_[static_cast<size_t>(k)];
    radio->setAutoExclusive(false);
    radio->setChecked(current_ == k + 1);
    radio->setAutoExclusive(true);
  }
  update();
}

// ---- CDialogPan ----

CDialogPan::CDialogPan(const std::array<int, 4> &blocks, int position, int lines, QWidget *parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("CDialogPan"));
  setWindowTitle(QStringLiteral("Pan Definition"));
  blockCount_ = blocks[2] < 0 ? 2 : blocks[3] < 0 ? 3 : 4;
  // Remembered from one opening to the next.
  static std::array<int, 3> remembered{};
  auto *layout = new QVBoxLayout(this);
  auto *blockRow = new QHBoxLayout;
  for (int b : blocks)
    blockRow->addWidget(new QLabel(b >= 0 ? QStringLiteral("Block\n%1").arg(b + 1) : QString(), this));
  layout->addLayout(blockRow);
  static const std::array<const char *, 5> kArithmetic = {"+", "-", "*", "/", "%"};
  static const std::array<const char *, 5> kComparison = {"=", "!=", ">", "<", ""};
  auto *relationsRow = new QHBoxLayout;
  for (int g = 0; g < 3; ++g) {
    // Each group combines until the last one in use, which compares.
    const bool used = g < blockCount_ - 1;
    const bool compares = g == blockCount_ - 2;
    auto *box = new QGroupBox(QStringLiteral("Relation %1").arg(g + 1), this);
    auto *column = new QVBoxLayout(box);
    auto *group = new QButtonGroup(this);
    for (int k = 0; k < 5; ++k) {
      auto *radio =
          new QRadioButton(used ? QString::fromLatin1(compares ? kComparison[static_cast<size_t>(k)]
                                                               : kArithmetic[static_cast<size_t>(k)])
                                : QString(),
                           box);
      radio->setObjectName(QStringLiteral("relation%1_%2").arg(g + 1).arg(k));
      radio->setEnabled(used && !(compares && k == 4));
      group->addButton(radio, k);
      column->addWidget(radio);
    }
    const int start = remembered[static_cast<size_t>(g)];
    group->button(compares && start == 4 ? 0 : start)->setChecked(true);
    relations_[static_cast<size_t>(g)] = group;
    relationsRow->addWidget(box);
    connect(this, &QDialog::accepted, this,
            [group, g] { remembered[static_cast<size_t>(g)] = std::max(group->checkedId(), 0); });
  }
  layout->addLayout(relationsRow);
  auto *positionsRow = new QHBoxLayout;
  positions_ = new QButtonGroup(this);
  for (int p = 0; p <= 4; ++p) {
    auto *radio =
        new QRadioButton(p < 4 ? QStringLiteral("Pos %1").arg(p) : QStringLiteral("All lines/col"), this);
    radio->setObjectName(QStringLiteral("position%1").arg(p < 4 ? p : -1));
    radio->setEnabled(p < 2 || p == 4 || p < lines);
    positions_->addButton(radio, p);
    positionsRow->addWidget(radio);
  }
  positions_->button(position >= 0 && position < 4 ? position : 4)->setChecked(true);
  layout->addLayout(positionsRow);
  layout->addWidget(OkCancel(this));
}

std::array<int, 3> CDialogPan::Operators() const {
  std::array<int, 3> choices{};
  for (int g = 0; g < 3; ++g)
    choices[static_cast<size_t>(g)] = std::max(relations_[static_cast<size_t>(g)]->checkedId(), 0);
  return PanOperators(blockCount_, choices);
}

int CDialogPan::Position() const {
  const int checked = positions_->checkedId();
  return checked >= 0 && checked < 4 ? checked : -1;
}

// ---- CDialogMagicTable ----

CDialogMagicTable::CDialogMagicTable(int width, const std::array<int32_t, 26> &table, QWidget *parent)
    : QDialog(parent), width_(std::clamp(width, 1, kValues)), places_(LoadMagicTable(table)) {
  setObjectName(QStringLiteral("CDialogMagicTable"));
  setWindowTitle(QStringLiteral("Magic Sentence Definition"));
  auto *layout = new QVBoxLayout(this);
  auto *row = new QHBoxLayout;
  for (int p = 0; p < kValues; ++p) {
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    label->setMinimumWidth(24);
    label->setEnabled(p < width_);
    labels_[static_cast<size_t>(p)] = label;
    row->addWidget(label);
  }
  layout->addLayout(row);
  layout->addWidget(
      new QLabel(QStringLiteral("Space clears, Left and Right move, a letter places it"), this));
  auto *tools = new QHBoxLayout;
  QPushButton *reinit = Button(QStringLiteral("Reinit"), QStringLiteral("reinit"), this);
  reinit->setFocusPolicy(Qt::NoFocus);
  connect(reinit, &QPushButton::clicked, this, &CDialogMagicTable::Reinit);
  applyAll_ = new QCheckBox(QStringLiteral("Apply all Grids"), this);
  applyAll_->setChecked(true);
  applyAll_->setFocusPolicy(Qt::NoFocus);
  tools->addWidget(reinit);
  tools->addWidget(applyAll_);
  tools->addStretch();
  layout->addLayout(tools);
  QDialogButtonBox *buttons = OkCancel(this);
  for (QAbstractButton *button : buttons->buttons())
    button->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(buttons);
  Refresh();
}

bool CDialogMagicTable::ApplyToAllGrids() const { return applyAll_->isChecked(); }

void CDialogMagicTable::Reinit() {
  const int current = places_.Current;
  places_ = IdentityMagicTable(width_);
  places_.Current = current;
  Refresh();
}

void CDialogMagicTable::keyPressEvent(QKeyEvent *event) {
  const int key = event->key();
  if (key == Qt::Key_Space)
    places_.Letters[static_cast<size_t>(places_.Current)] = 0;
  else if (key == Qt::Key_Left)
    places_.Current = (places_.Current + width_ - 1) % width_;
  else if (key == Qt::Key_Right)
    places_.Current = (places_.Current + 1) % width_;
  else if (key >= Qt::Key_A && key <= Qt::Key_Z)
    PlaceMagicLetter(places_, key - Qt::Key_A + 1, width_);
  else {
    QDialog::keyPressEvent(event);
    return;
  }
  Refresh();
}

void CDialogMagicTable::Refresh() {
  for (int p = 0; p < kValues; ++p)
    labels_[static_cast<size_t>(p)]->setText(QString::fromStdString(MagicTableLabel(places_, p)));
}

// ---- CDialogNumeral ----

CDialogNumeral::CDialogNumeral(int width, const std::array<std::string, 16> &words, QWidget *parent)
    : QDialog(parent), width_(std::clamp(width, 1, kValues)) {
  setObjectName(QStringLiteral("CDialogNumeral"));
  setWindowTitle(QStringLiteral("Numeral String Definition"));
  auto *layout = new QHBoxLayout(this);
  auto *left = new QVBoxLayout;
  auto *presets = new QComboBox(this);
  presets->setObjectName(QStringLiteral("presets"));
  for (const char *name :
       {"1-French", "2-English", "3-Italian", "4-Spanish", "5-Deutch", "6-Phone Dial", "7-Indi"})
    presets->addItem(QString::fromLatin1(name));
  presets->setCurrentIndex(-1);
  connect(presets, &QComboBox::activated, this, &CDialogNumeral::UsePreset);
  left->addWidget(presets);
  auto *edits = new QGridLayout;
  for (int v = 1; v <= kValues; ++v) {
    auto *edit = new QLineEdit(QString::fromStdString(words[static_cast<size_t>(v - 1)]), this);
    edit->setObjectName(QStringLiteral("word%1").arg(v));
    edit->setEnabled(v <= width_);
    connect(edit, &QLineEdit::textChanged, this, &CDialogNumeral::Refresh);
    edits_[static_cast<size_t>(v - 1)] = edit;
    edits->addWidget(new QLabel(QStringLiteral("%1").arg(v), this), v - 1, 0);
    edits->addWidget(edit, v - 1, 1);
  }
  left->addLayout(edits);
  QPushButton *clear = Button(QStringLiteral("Clear"), QStringLiteral("clear"), this);
  connect(clear, &QPushButton::clicked, this, &CDialogNumeral::Clear);
  left->addWidget(clear);
  left->addWidget(OkCancel(this));
  layout->addLayout(left);
  statistics_ = new QLabel(this);
  statistics_->setObjectName(QStringLiteral("statistics"));
  statistics_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  statistics_->setMinimumWidth(90);
  layout->addWidget(statistics_);
  Refresh();
}

std::array<std::string, 16> CDialogNumeral::Words() const {
  std::array<std::string, 16> words;
  for (int v = 0; v < kValues; ++v)
    words[static_cast<size_t>(v)] = edits_[static_cast<size_t>(v)]->text().toStdString();
  return words;
}

void CDialogNumeral::UsePreset(int preset) {
  if (preset < 0 || preset >= kPresets)
    return;
  for (int v = 0; v < kValues; ++v) {
    std::string_view word;
    if (preset < kNumberWordLanguages)
      word = (*NumberWords[static_cast<size_t>(preset)])[static_cast<size_t>(v)];
    else
      word = KeypadLetters[static_cast<size_t>(v + (preset == kPresets - 1 ? kKeypadHindi : 0))];
    edits_[static_cast<size_t>(v)]->setText(
        QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
  }
}

void CDialogNumeral::Clear() {
  for (QLineEdit *edit : edits_)
    edit->clear();
}

void CDialogNumeral::Refresh() {
  NumeralCharCounts counts{};
  statistics_->setText(QString::fromStdString(CharProbabilityText(Words(), width_, counts)));
}

// ---- CDialogAddObject ----

CDialogAddObject::CDialogAddObject(bool french, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("CDialogAddObject"));
  setWindowTitle(french ? QStringLiteral("Ajout Nouvel Objet") : QStringLiteral("Add New Object"));
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      french ? QStringLiteral("Pour ajouter cette fonction, téléchargez-la depuis le site de Quorbel,\n"
                              "décompressez-la dans le dossier \"Custom\" et relancez le programme.")
             : QStringLiteral("To add this function, download it from the Quorbel web site,\n"
                              "unzip it into the \"Custom\" folder and start the program again."),
      this));
  layout->addWidget(OkCancel(this));
}
