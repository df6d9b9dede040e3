#include "app/qt/defi_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTimer>
#include <QVBoxLayout>

#include "app/qt/dialog_text.h"

#include "app/app_random.h"
#include "app/message_format.h"
#include "app/parasites.h"
#include "app/qt/file_commands.h"
#include "app/qt/generate_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/outside_services.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/geometry.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/file_bytes.h"
#include "files/quorbel_doc.h"
#include "files/text_grid_reader.h"
#include "net/socket_errors.h"
#include "platform/help_contexts.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

using namespace quorbel;

static_assert(int{kDefiPlace} == int{kActionPlace} && int{kDefiPlaceNth} == int{kActionPlaceNth} &&
                  int{kDefiPlaceFixed} == int{kActionPlaceFixed} && int{kDefiClear} == int{kActionClear} &&
                  int{kDefiTogglePencil} == int{kActionTogglePencil} &&
                  int{kDefiRemovePencil} == int{kActionRemovePencil} &&
                  int{kDefiNextValue} == int{kActionNextValue} &&
                  int{kDefiPreviousValue} == int{kActionPreviousValue},
              "a move's kind is the board's cell action");

namespace {

CDialogDefi *gChallenge = nullptr; // owned by the main frame

constexpr std::string_view kDefiTempFile = "DefiTempFile";

QComboBox *Combo(QWidget *parent, int id, const QStringList &items) {
  auto *combo = new QComboBox(parent);
  combo->setObjectName(ControlName(id));
  combo->addItems(items);
  return combo;
}

QCheckBox *Check(QWidget *parent, int id, const QString &text) {
  auto *box = new QCheckBox(text, parent);
  box->setObjectName(ControlName(id));
  return box;
}

QPushButton *Button(QWidget *parent, int id, const QString &text) {
  auto *button = new QPushButton(text, parent);
  button->setObjectName(ControlName(id));
  button->setAutoDefault(false);
  return button;
}

// The list's marks: a socket bound to the player, or none.
QIcon BoundIcon(bool bound) {
  QPixmap pixmap(16, 14);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(bound ? QColor(32, 160, 32) : QColor(200, 200, 200));
  painter.setPen(Qt::black);
  painter.drawEllipse(3, 2, 10, 10);
  return QIcon(pixmap);
}

QColor StatusColour(int status) {
  switch (DefiStatusColour(status)) {
  case 0:
    return QColor(32, 255, 32);
  case 2:
    return QColor(255, 32, 32);
  default:
    return QColor(192, 192, 192);
  }
}

} // namespace

CDialogDefi::CDialogDefi(CQuorbelApp &app, QWidget *parent)
    : QDialog(parent), app_(app), sockets_(*this), game_(*this) {
  setObjectName(QStringLiteral("CDialogDefi"));
  setWindowTitle(QStringLiteral("Défi"));
  setModal(false);
  BuildControls();
  LoadPlayers();
  RefillPlayers();
}

CDialogDefi::~CDialogDefi() {
  if (gChallenge == this)
    gChallenge = nullptr;
  // A request in flight would otherwise end, as a child closed after our members, in a reply.
  DropServiceSocket();
}

void CDialogDefi::BuildControls() {
  const DefiSettings &defi = app_.Settings().defi;
  ownName_ = new QLineEdit(QString::fromStdString(defi.playerName), this);
  ownName_->setObjectName(ControlName(1677));
  connect(ownName_, &QLineEdit::returnPressed, this, [this] {
    ReadControls();
    DefiConnectService("G|A");
  });
  connect(ownName_, &QLineEdit::editingFinished, this, [this] {
    ReadControls();
    StartListen(app_.Settings().defi.defiPort);
    RefillPlayers();
  });

  playerList_ = new QListWidget(this);
  playerList_->setObjectName(ControlName(1686));
  connect(playerList_, &QListWidget::currentRowChanged, this, [this] {
    if (!refilling_)
      ShowSelectedPlayer();
  });
  connect(playerList_, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
    if (!refilling_)
      PlayerChecked(playerList_->row(item), item->checkState() == Qt::Checked);
  });
  playerFilter_ = Combo(this, 1701, {"Tous", "Nom", "Ville", "Langue", "Pays", "Connectés"});
  playerFilterText_ = new QLineEdit(this);
  playerFilterText_->setObjectName(ControlName(1680));
  connect(playerFilter_, &QComboBox::currentIndexChanged, this, [this] { RefillPlayers(); });
  connect(playerFilterText_, &QLineEdit::returnPressed, this, [this] { RefillPlayers(); });

  playerName_ = new QLineEdit(this);
  playerName_->setObjectName(ControlName(1662));
  remote_ = new QRadioButton(QStringLiteral("Joueur Réseau"), this);
  remote_->setObjectName(ControlName(1668));
  local_ = new QRadioButton(QStringLiteral("Joueur Local Ordi"), this);
  local_->setObjectName(ControlName(1669));
  remote_->setChecked(true);
  address_ = new QLineEdit(this);
  address_->setObjectName(ControlName(1682));
  port_ = new QSpinBox(this);
  port_->setObjectName(ControlName(1673));
  port_->setRange(0, 65535);
  port_->setValue(kDefaultDefiPort);
  handicap_ = new QSpinBox(this);
  handicap_->setObjectName(ControlName(1663));
  handicap_->setRange(-1000, 1000);
  town_ = new QLineEdit(this);
  town_->setObjectName(ControlName(1683));
  connect(town_, &QLineEdit::textEdited, this, &CDialogDefi::RewriteSelectedPlayer);
  ownHandicap_ = new QSpinBox(this);
  ownHandicap_->setObjectName(ControlName(1703));
  ownHandicap_->setRange(-1000, 1000);

  type_ = Combo(this, 1684, {"Défi libre", "Tour par tour", "Course"});
  type_->setCurrentIndex(1);
  connect(type_, &QComboBox::currentIndexChanged, this, [this] { EnableControls(); });
  difficulty_ = Combo(this, 1674, {"Facile", "Moyen", "Difficile", "Terrible"});
  difficulty_->setCurrentIndex(std::clamp(defi.defiGridDiff - 1, 0, 3));
  gridSize_ = Combo(this, 1672,
                    {"4x4", "6x6 (3x2)", "6x6 (2x3)", "8x8 (4x2)", "8x8 (2x4)", "9x9", "12x12 (4x3)",
                     "12x12 (3x4)", "16x16"});
  gridSize_->setCurrentIndex(std::clamp(defi.defiGridSize, 0, 8));
  maxTime_ = Combo(this, 1678, {"5 s", "10 s", "30 s", "1 mn", "5 mn", "Illimité"});
  maxTime_->setCurrentIndex(DefiMaxTimeIndexOfSetting(defi.defiMaxTime));
  cellsPerTurn_ = Combo(this, 1681, {"1", "2", "3", "5", "10"});
  cellsPerTurn_->setCurrentIndex(DefiCellsIndexOfSetting(defi.defiNbCells));
  possible_ = Check(this, 1666, QStringLiteral("Utilisation  Possible"));
  possible_->setChecked(defi.defiPossible == 1);
  bonus_ = Check(this, 1667, QStringLiteral("Bonus Ligne/col/block"));
  joker_ = Check(this, 1690, QStringLiteral("Joker"));
  surprise_ = Check(this, 1691, QStringLiteral("Surprise dans case"));
  hidden_ = Check(this, 1692, QStringLiteral("Grille adversaire masquée"));
  refuse_ = Check(this, 1694, QStringLiteral("Autres Joueurs Refusés"));

  chatInput_ = new QLineEdit(this);
  chatInput_->setObjectName(ControlName(1670));
  connect(chatInput_, &QLineEdit::returnPressed, this, &CDialogDefi::SendChat);
  chatText_ = new QPlainTextEdit(this);
  chatText_->setReadOnly(true);
  challenges_ = new QListWidget(this);
  challenges_->setObjectName(ControlName(1695));
  connect(challenges_, &QListWidget::currentRowChanged, this, &CDialogDefi::TakeOverChallenge);
  challengeFilter_ =
      Combo(this, 1697,
            {"Tous", "Créateur", "Type", "Difficulté", "Taille", "Temps", "Cases", "Possible", "Bonus"});
  challengeFilterText_ = new QLineEdit(this);
  challengeFilterText_->setObjectName(ControlName(1671));
  connect(challengeFilter_, &QComboBox::currentIndexChanged, this, [this] { RefillChallenges(); });
  connect(challengeFilterText_, &QLineEdit::returnPressed, this, [this] { RefillChallenges(); });

  auto *players = new QGroupBox(QStringLiteral("Joueurs"), this);
  auto *playersLayout = new QVBoxLayout(players);
  auto *filter = new QHBoxLayout;
  filter->addWidget(playerFilter_);
  filter->addWidget(playerFilterText_);
  playersLayout->addLayout(filter);
  playersLayout->addWidget(playerList_);
  auto *form = new QFormLayout;
  form->addRow(QStringLiteral("Nom:"), playerName_);
  auto *radios = new QHBoxLayout;
  radios->addWidget(remote_);
  radios->addWidget(local_);
  form->addRow(radios);
  form->addRow(QStringLiteral("Adresse IP:"), address_);
  form->addRow(QStringLiteral("Port:"), port_);
  form->addRow(QStringLiteral("Handicap:"), handicap_);
  form->addRow(QStringLiteral("Ville:"), town_);
  playersLayout->addLayout(form);
  auto *playerButtons = new QHBoxLayout;
  QPushButton *add = Button(this, 1665, QStringLiteral("Connect Joueur Local"));
  QPushButton *remove = Button(this, 1675, QStringLiteral("Supprime Joueur"));
  connect(add, &QPushButton::clicked, this, &CDialogDefi::AddPlayer);
  connect(remove, &QPushButton::clicked, this, &CDialogDefi::DeletePlayer);
  playerButtons->addWidget(add);
  playerButtons->addWidget(remove);
  playersLayout->addLayout(playerButtons);

  auto *parameters = new QGroupBox(QStringLiteral("Paramètres du Défi"), this);
  auto *parametersLayout = new QFormLayout(parameters);
  parametersLayout->addRow(QStringLiteral("Mon nom:"), ownName_);
  parametersLayout->addRow(QStringLiteral("Mon handicap:"), ownHandicap_);
  challengeEdit_ = new QLineEdit(QString::fromStdString(challengeName_), this);
  challengeEdit_->setObjectName(ControlName(1661));
  parametersLayout->addRow(QStringLiteral("Nom du Défi:"), challengeEdit_);
  parametersLayout->addRow(QStringLiteral("Type:"), type_);
  parametersLayout->addRow(QStringLiteral("Difficulté:"), difficulty_);
  parametersLayout->addRow(QStringLiteral("Taille Grille:"), gridSize_);
  parametersLayout->addRow(QStringLiteral("Temps Max:"), maxTime_);
  parametersLayout->addRow(QStringLiteral("Cases par tour:"), cellsPerTurn_);
  for (QCheckBox *box : {possible_, bonus_, joker_, surprise_, hidden_, refuse_})
    parametersLayout->addRow(box);
  auto *challengeFilter = new QHBoxLayout;
  challengeFilter->addWidget(challengeFilter_);
  challengeFilter->addWidget(challengeFilterText_);
  parametersLayout->addRow(QStringLiteral("Défis:"), challengeFilter);
  parametersLayout->addRow(challenges_);

  auto *chat = new QGroupBox(QStringLiteral("Chat"), this);
  auto *chatLayout = new QVBoxLayout(chat);
  chatLayout->addWidget(chatText_);
  auto *chatLine = new QHBoxLayout;
  chatLine->addWidget(chatInput_);
  QPushButton *send = Button(this, 1676, QStringLiteral("CHAT"));
  connect(send, &QPushButton::clicked, this, &CDialogDefi::SendChat);
  chatLine->addWidget(send);
  chatLayout->addLayout(chatLine);

  auto *buttons = new QGridLayout;
  QPushButton *launch = launch_ = Button(this, 1687, QStringLiteral("Lance le Défi"));
  connect(launch, &QPushButton::clicked, this, [this] {
    ReadControls();
    if (StartChallenge()) {
      state_ = state_ == 1 ? 3 : 2;
      DefiConnectService("G|A");
      hide();
    }
  });
  buttons->addWidget(launch, 0, 0);
  // The connect service's buttons.
  int at = 1;
  const auto serviceButton = [&](int id, const char *text, auto action) {
    QPushButton *button = Button(this, id, QString::fromUtf8(text));
    connect(button, &QPushButton::clicked, this, action);
    buttons->addWidget(button, at / 4, at % 4);
    ++at;
    return button;
  };
  create_ = serviceButton(1700, "Créer un\nNouveau Défi", [this] {
    ReadControls();
    const std::array<int, 11> parameters = {
        type_->currentIndex(),        difficulty_->currentIndex(),   gridSize_->currentIndex(),
        maxTime_->currentIndex(),     cellsPerTurn_->currentIndex(), possible_->isChecked() ? 1 : 0,
        bonus_->isChecked() ? 1 : 0,  joker_->isChecked() ? 1 : 0,   surprise_->isChecked() ? 1 : 0,
        hidden_->isChecked() ? 1 : 0, refuse_->isChecked() ? 1 : 0};
    DefiConnectService(CreateChallengeCommand(challengeName_, parameters), true);
    DefiConnectService("L|A");
    state_ = 1;
    DefiConnectService("G|A");
  });
  join_ = serviceButton(1699, "Joindre le Défi", [this] {
    state_ = 0;
    DefiConnectService("G|A", true);
  });
  serviceButton(1704, "CP", [this] {
    DefiConnectService(
        "W|" + std::to_string(app_.Settings().defi.defiPort) + "|" + std::to_string(state_) + "|N", true);
  });
  serviceButton(1705, "UP", [this] {
    for (int i = 0; i < players_.Count(); ++i)
      players_.At(i).Connected = 0;
    RefillPlayers();
    DefiConnectService("G|A", true);
  });
  serviceButton(1707, "UG", [this] { DefiConnectService("L|A", true); });
  serviceButton(1712, "Reset", [this] { DefiConnectService("R|tovilane|A", true); });
  // Buttons that do nothing are shown greyed.
  for (const auto &[id, text] : std::initializer_list<std::pair<int, const char *>>{
           {1706, "CG"}, {1711, "Charger Défi"}, {1702, "Sauvegarder Défi"}}) {
    QPushButton *idle = Button(this, id, QString::fromUtf8(text));
    idle->setEnabled(false);
    buttons->addWidget(idle, at / 4, at % 4);
    ++at;
  }
  QPushButton *qrb = Button(this, 1696, QStringLiteral("Set Play QRB18"));
  connect(qrb, &QPushButton::clicked, this, [this] {
    ownName_->setText(QStringLiteral("QRB18"));
    app_.Settings().defi.defiPort = 12078;
    ReadControls();
    StartListen(12078);
  });
  QPushButton *vek = Button(this, 1698, QStringLiteral("Set Play VEK123"));
  connect(vek, &QPushButton::clicked, this, [this] {
    ownName_->setText(QStringLiteral("VEK123"));
    app_.Settings().defi.defiPort = kDefaultDefiPort;
    ReadControls();
    StartListen(kDefaultDefiPort);
  });
  QPushButton *sock = Button(this, 1710, QStringLiteral("Sock"));
  connect(sock, &QPushButton::clicked, this, &CDialogDefi::DumpState);
  QPushButton *close = Button(this, 1688, QStringLiteral("Annuler"));
  connect(close, &QPushButton::clicked, this, [this] {
    ReadControls();
    hide();
    if (CMainFrame *frame = app_.MainFrame())
      frame->activateWindow();
  });
  QPushButton *help = Button(this, 1689, QStringLiteral("Aide"));
  connect(help, &QPushButton::clicked, this, [this] {
    ReadControls();
    if (CMainFrame *frame = app_.MainFrame())
      frame->activateWindow();
    app_.ShowHelp(HelpContext("mode challenge"));
  });
  for (QPushButton *button : {qrb, vek, sock, close, help}) {
    buttons->addWidget(button, at / 4, at % 4);
    ++at;
  }

  auto *columns = new QHBoxLayout;
  columns->addWidget(players);
  columns->addWidget(parameters);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(chat);
  layout->addLayout(buttons);
}

void CDialogDefi::LoadPlayers() {
  for (const DefiPlayerSetting &setting : app_.Settings().defi.players) {
    DefiPlayerRecord player;
    player.Name = setting.name;
    player.Remote = setting.remote;
    player.Ip = setting.ipAddress;
    player.Address = QHostAddress(setting.ipAddress).toString().toStdString();
    player.Handicap = setting.handicap;
    player.Connected = setting.check;
    player.Port = kDefaultDefiPort;
    players_.Add(player);
  }
}

// Only the players at this computer are kept in the settings.
void CDialogDefi::SavePlayers() {
  std::vector<DefiPlayerSetting> &kept = app_.Settings().defi.players;
  kept.clear();
  for (int i = 0; i < players_.Count(); ++i) {
    const DefiPlayerRecord &player = players_.At(i);
    if (player.Remote == 0)
      kept.push_back({player.Remote, player.Ip, player.Name, player.Handicap, player.Connected});
  }
  app_.SaveSettings();
}

void CDialogDefi::ReadControls() {
  DefiSettings &defi = app_.Settings().defi;
  // A name that no message could carry stays out: the player keeps the one he had.
  const std::string typed = ownName_->text().toStdString();
  if (typed.empty() || IsDefiPlayerName(typed)) {
    defi.playerName = typed;
  } else {
    Inform("Defi: the player name refused: it " + DefiNameProblem(typed));
    ownName_->setText(QString::fromStdString(defi.playerName));
  }
  if (!challengeEdit_->text().trimmed().isEmpty())
    challengeName_ = challengeEdit_->text().trimmed().toStdString();
  defi.defiGridDiff = difficulty_->currentIndex() + 1;
  defi.defiGridSize = gridSize_->currentIndex();
  defi.defiMaxTime = DefiSecondsPerTurn(maxTime_->currentIndex());
  defi.defiNbCells = DefiCellsPerTurn(cellsPerTurn_->currentIndex());
  defi.defiPossible = possible_->isChecked() ? 1 : 0;
  if (const int own = players_.Find(defi.playerName); own >= 0)
    players_.At(own).Handicap = ownHandicap_->value();
  app_.SaveSettings();
}

void CDialogDefi::FillPlayerFromControls(DefiPlayerRecord &player) const {
  player.Remote = remote_->isChecked() ? 1 : 0;
  player.Address = address_->text().trimmed().toStdString();
  player.Ip = QHostAddress(address_->text().trimmed()).toIPv4Address();
  player.Port = port_->value();
  player.Handicap = handicap_->value();
  player.Fields[0] = town_->text().toStdString();
}

// The selected player as the controls now say.
void CDialogDefi::RewriteSelectedPlayer() {
  const int index = SelectedPlayer();
  const QString name = playerName_->text().trimmed();
  if (index < 0 || !IsDefiPlayerName(name.toStdString()))
    return;
  const int named = players_.Find(name.toStdString());
  if (named >= 0 && named != index)
    return; // two players of one name could not be told apart
  DefiPlayerRecord &player = players_.At(index);
  player.Name = name.toStdString();
  FillPlayerFromControls(player);
  if (QListWidgetItem *item = playerList_->currentItem()) {
    refilling_ = true;
    item->setData(Qt::UserRole, QString::fromStdString(player.Name));
    refilling_ = false;
  }
  SavePlayers();
}

// What may be changed: the challenge's parameters by its maker, the players and the launch
// once a challenge is made or joined. Without a connect service there is no challenge to make
// or join, and the players and the launch stay open.
void CDialogDefi::EnableControls() {
  const int type = type_->currentIndex();
  const bool mine = madeByMe_ != 0;
  const bool state = state_ != 0 || app_.Settings().defi.serviceHost.empty();
  for (QWidget *control : std::initializer_list<QWidget *>{type_, challengeEdit_, difficulty_, gridSize_,
                                                           possible_, bonus_, joker_, surprise_})
    control->setEnabled(mine);
  maxTime_->setEnabled(type == 1 && mine);
  cellsPerTurn_->setEnabled(type == 1 && mine);
  hidden_->setEnabled((type == 1 || type == 2) && mine);
  refuse_->setEnabled(type != 0 && mine);
  for (QWidget *control : std::initializer_list<QWidget *>{playerList_, playerFilter_, playerFilterText_,
                                                           challengeFilterText_, challengeFilter_, create_})
    control->setEnabled(type != 0 && state);
  join_->setEnabled(type != 0 && madeByMe_ == 0);
  launch_->setEnabled(state);
}

DefiTurnRules CDialogDefi::Rules() const {
  DefiTurnRules rules;
  rules.Type = type_->currentIndex();
  rules.CellsPerTurn = DefiCellsPerTurn(cellsPerTurn_->currentIndex());
  rules.SecondsPerTurn = DefiSecondsPerTurn(maxTime_->currentIndex());
  rules.Bonus = bonus_->isChecked();
  rules.Surprises = surprise_->isChecked();
  return rules;
}

std::string CDialogDefi::OwnName() const { return app_.Settings().defi.playerName; }

bool CDialogDefi::Disabled() const { return app_.Settings().defi.defiInhibit == 1; }

bool CDialogDefi::ChallengeRunning() const { return app_.Settings().game.mode == kGameModeDefi; }

void CDialogDefi::Inform(const std::string &line) { app_.PostMessage(PanelText::Plain(line)); }

bool CDialogDefi::StartListen(int port) {
  DropServiceSocket();
  service_.Reset();
  if (!sockets_.StartListen(port))
    return false;
  DefiConnectService("G|A");
  DefiConnectService("L|A");
  return true;
}

int CDialogDefi::SelectedPlayer() const {
  const QListWidgetItem *item = playerList_->currentItem();
  return item ? players_.Find(item->data(Qt::UserRole).toString().toStdString()) : -1;
}

void CDialogDefi::RefillPlayers() {
  refilling_ = true;
  const int selected = SelectedPlayer();
  playerList_->clear();
  const int filter = playerFilter_->currentIndex();
  const std::string text = playerFilterText_->text().toStdString();
  const std::string own = OwnName();
  for (int i = 0; i < players_.Count(); ++i) {
    const DefiPlayerRecord &player = players_.At(i);
    const bool passes = filter == 0 || (filter == 1 && player.Name.find(text) != std::string::npos) ||
                        (filter >= 2 && filter <= 4 &&
                         player.Fields[static_cast<size_t>(filter - 2)].find(text) != std::string::npos) ||
                        (filter == 5 && player.Connected == 1);
    if (!passes)
      continue;
    std::string line = player.Name;
    for (int f = 0; f < 2; ++f)
      if (!player.Fields[static_cast<size_t>(f)].empty())
        line += " - " + player.Fields[static_cast<size_t>(f)];
    auto *item =
        new QListWidgetItem(BoundIcon(sockets_.SlotOfName(player.Name) >= 0), QString::fromStdString(line));
    item->setData(Qt::UserRole, QString::fromStdString(player.Name));
    item->setForeground(StatusColour(player.Status));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(player.Name == own || player.Connected == 1 ? Qt::Checked : Qt::Unchecked);
    playerList_->addItem(item);
    if (i == selected)
      playerList_->setCurrentItem(item);
  }
  refilling_ = false;
}

void CDialogDefi::ShowSelectedPlayer() {
  const int index = SelectedPlayer();
  if (index < 0)
    return;
  const DefiPlayerRecord &player = players_.At(index);
  playerName_->setText(QString::fromStdString(player.Name));
  address_->setText(QString::fromStdString(player.Address));
  port_->setValue(player.Port);
  handicap_->setValue(player.Handicap);
  town_->setText(QString::fromStdString(player.Fields[0]));
  (player.Remote == 0 ? local_ : remote_)->setChecked(true);
  Inform("Player " + player.Name + " with Sock" + std::to_string(player.Slot) + " - Check:" +
         std::to_string(player.Connected) + " - Status:" + std::to_string(player.Status) + " Selected");
}

void CDialogDefi::AddPlayer() {
  ReadControls();
  const std::string name = playerName_->text().trimmed().toStdString();
  if (name.empty())
    return;
  if (!IsDefiPlayerName(name)) {
    Inform("Defi: the player name refused: it " + DefiNameProblem(name));
    return;
  }
  if (players_.Find(name) >= 0) {
    // Moves and hellos name their player: two of one name could not be told apart.
    Inform("Defi: a player named " + name + " is already in the list");
    return;
  }
  DefiPlayerRecord player;
  player.Name = name;
  FillPlayerFromControls(player);
  if (!players_.Add(player)) {
    Inform("Error - No more free player");
    return;
  }
  RefillPlayers();
  playerList_->setCurrentRow(playerList_->count() - 1);
  SavePlayers();
}

void CDialogDefi::DeletePlayer() {
  const int index = SelectedPlayer();
  if (index < 0)
    return;
  if (players_.At(index).Slot >= 0)
    sockets_.FreeSlot(players_.At(index).Slot);
  players_.Remove(index);
  RefillPlayers();
  SavePlayers();
}

void CDialogDefi::PlayerChecked(int row, bool checked) {
  QListWidgetItem *item = playerList_->item(row);
  if (!item)
    return;
  const int index = players_.Find(item->data(Qt::UserRole).toString().toStdString());
  if (index < 0)
    return;
  DefiPlayerRecord &player = players_.At(index);
  if (player.Name == OwnName()) {
    RefillPlayers(); // the own player stays checked
    return;
  }
  player.Connected = checked ? 1 : 0;
  if (checked) {
    if (player.Remote == 1)
      sockets_.ConnectPlayer(index);
  } else if (player.Slot >= 0) {
    sockets_.FreeSlot(player.Slot);
    player.Slot = -1;
  }
  RefillPlayers();
}

void CDialogDefi::SendChat() {
  const int index = SelectedPlayer();
  const std::string text = chatInput_->text().toStdString();
  if (index < 0 || text.empty())
    return;
  const int slot = sockets_.SendMessage(index, DefiChat(text));
  ShowChatLine("Sent on Sock" + std::to_string(slot) + " to " + players_.At(index).Name + ": " + text);
  chatInput_->clear();
}

void CDialogDefi::ChatReceived(const std::string &line) {
  ShowChatLine(line);
  Inform(DefiPanelLine(line));
}

// The newest first, and only the last lines: a chatty peer costs no more than they do.
void CDialogDefi::ShowChatLine(const std::string &line) {
  constexpr size_t kChatLinesKept = 100;
  chatLines_.push_front(line);
  if (chatLines_.size() > kChatLinesKept)
    chatLines_.pop_back();
  std::string text;
  for (const std::string &kept : chatLines_)
    text += kept + "\r\n";
  chatText_->setPlainText(QString::fromStdString(text));
}

void CDialogDefi::DumpState() {
  std::string line = "Cur=" + std::to_string(game_.Turns().Current) + " ";
  for (int i = 0; i < players_.Count(); ++i) {
    const DefiPlayerRecord &p = players_.At(i);
    line += "P(" + std::to_string(i) + ")->Name=" + p.Name + ";S=" + std::to_string(p.Slot) +
            ";Chk=" + std::to_string(p.Connected) + " ";
  }
  for (int slot = 0; slot < kDefiSlots; ++slot)
    if (!sockets_.PeerName(slot).empty())
      line += "S(" + std::to_string(slot) + ")->Play=" + sockets_.PeerName(slot) + " ";
  Inform(line);
}

void CDialogDefi::EnterChallengeMode() {
  // Opened to chat or to look at the players: the challenge in play goes on as it was.
  if (!InPlay()) {
    app_.Settings().game.mode = kGameModeDefi;
    app_.SyncEngineSettings();
    ForgetChallenge();
  }
  // The own player takes part at this computer, whatever the connect service lists.
  if (!OwnName().empty() && players_.Find(OwnName()) < 0) {
    DefiPlayerRecord own;
    own.Name = OwnName();
    own.Port = app_.Settings().defi.defiPort;
    players_.Add(own);
    SavePlayers();
  }
  if (const int own = players_.Find(OwnName()); own >= 0) {
    players_.At(own).Remote = 0;
    players_.At(own).Connected = 1;
  }
  if (const int own = players_.Find(OwnName()); own >= 0)
    ownHandicap_->setValue(players_.At(own).Handicap);
  RefillPlayers();
  show();
  raise();
}

bool CDialogDefi::StartChallenge() {
  if (IsDefiPlayerName(OwnName()) && players_.Find(OwnName()) < 0)
    EnterChallengeMode();
  const GridShape &shape =
      kGridShapes[static_cast<size_t>(std::clamp(app_.Settings().defi.defiGridSize, 0, kShapeCount - 1))];
  DefiLaunch launch;
  launch.Rules = Rules();
  launch.Blocks = {shape.BlockRows, shape.BlockCols};
  launch.Level = app_.Settings().defi.defiGridDiff;
  launch.Name = challengeName_;
  // The challenge's players are its own: the list may change under it, the scores may not.
  const bool launched = game_.Launch(players_, OwnName(), launch, [](int n) { return RandomBelow(n); });
  app_.RedrawViewNow();
  return launched;
}

bool CDialogDefi::MakeGrid(DefiBlocks blocks, int level) {
  const auto shape = std::find_if(kGridShapes.begin(), kGridShapes.end(), [&](const GridShape &s) {
    return s.BlockRows == blocks.Rows && s.BlockCols == blocks.Cols;
  });
  if (shape == kGridShapes.end())
    return false;
  AppSettings &settings = app_.Settings();
  settings.general.gridCurrSize = static_cast<int>(shape - kGridShapes.begin());
  settings.general.gridCurrVariant = 0;
  app_.SyncEngineSettings();
  if (GenerateAtLevel(app_, level) != 1)
    return false;
  ClearBoardOfChallenge();
  settings.game.mode = kGameModeDefi;
  app_.SyncEngineSettings();
  return true;
}

std::optional<std::string> CDialogDefi::GridText() {
  const std::string file =
      MakeFilePath(kDefiTempFile, EnsureDirectory(app_.Settings().directory.myGrids), ".txt");
  if (!SaveTextGrids(app_, file))
    return std::nullopt;
  const RegularFileBytes bytes = ReadRegularFile(file, kMostDefiMessage);
  if (!bytes.Ok)
    return std::nullopt;
  return std::string(bytes.Bytes.begin(), bytes.Bytes.end());
}

void CDialogDefi::PlayersChanged() {
  RefillPlayers();
  game_.CheckDepartures();
}

void CDialogDefi::ForgetChallenge() {
  game_.Forget();
  ClearBoardOfChallenge();
}

void CDialogDefi::ClearBoardOfChallenge() {
  fadeLevel_ = 1.0;
  fadeStep_ = 0;
  app_.State().EndChallenge();
}

void CDialogDefi::StopChallenge() {
  state_ = 0;
  ForgetChallenge();
  app_.RedrawViewNow();
}

void CDialogDefi::Later(std::function<void()> work) {
  inbox_.push_back(std::move(work));
  if (inbox_.size() > 1)
    return; // already on its way
  QTimer::singleShot(0, this, [this] {
    while (!inbox_.empty()) {
      const std::function<void()> next = inbox_.front();
      next();
      inbox_.pop_front();
    }
  });
}

void CDialogDefi::GridReceived(const std::string &from, const std::string &file) {
  Later([this, from, file] {
    if (game_.TakeGrid(from, file, OwnName()))
      app_.RedrawViewNow();
  });
}

void CDialogDefi::MoveReceived(const std::string &from, const DefiMove &move) {
  Later([this, from, move] { game_.TakeMove(from, move); });
}

void CDialogDefi::StandingsReceived(const std::string &from, const DefiStandings &standings) {
  Later([this, from, standings] { game_.TakeStandings(from, standings); });
}

void CDialogDefi::StartReceived(const std::string &from) {
  Later([this, from] {
    if (!game_.TakeStart(from))
      return;
    state_ = 1;
    hide();
  });
}

void CDialogDefi::ReadyReceived() {
  Later([this] { state_ = 1; });
}

// A launcher's grid: read whole before anything changes, then played at once on the blocks it
// names, whatever was on the board (the others play it already).
std::string CDialogDefi::OpenGrid(const std::string &file, std::optional<DefiBlocks> blocks) {
  const auto bytes = std::span(reinterpret_cast<const uint8_t *>(file.data()), file.size());
  if (const TextGridResult check = CheckTextGrid(bytes); !check.Ok)
    return check.Message;
  const int size = TextGridSize(bytes);
  int shape = ShapeCodeOfSize(size);
  if (blocks) {
    const auto named = std::find_if(kGridShapes.begin(), kGridShapes.end(), [&](const GridShape &s) {
      return s.Size == size && s.BlockRows == blocks->Rows && s.BlockCols == blocks->Cols;
    });
    if (named == kGridShapes.end())
      return "blocks of " + std::to_string(blocks->Rows) + "x" + std::to_string(blocks->Cols) +
             " do not make a grid of " + std::to_string(size) + "x" + std::to_string(size);
    shape = static_cast<int>(named - kGridShapes.begin());
  }
  const std::string path =
      MakeFilePath(kDefiTempFile, EnsureDirectory(app_.Settings().directory.myGrids), ".txt");
  if (const FileWriteResult written = WriteFileReplacing(path, file); !written.Ok())
    return "not written: " + written.Message;
  if (const CQuorbelDoc *document = app_.GetCurrentDocument(); document && document->IsModified())
    Inform("Defi: a launcher's grid replaces the game in play");
  ClearBoardOfChallenge();
  app_.ClearDocumentModified();
  if (!app_.OpenDocumentFile(path))
    return "it could not be opened";
  // A text grid is read on its size's usual blocks: the launcher's may be the others.
  EngineContext &ctx = app_.Engine();
  if (ShapeCodeOfGeometry(ctx.Geo) != shape) {
    SetGridShape(ctx, shape, 0, 0);
    StoreGridCurrSize(ctx);
    UpdatePossibles(ctx, -1, -1, -1, 1);
  }
  app_.Settings().game.mode = kGameModeDefi;
  app_.SyncEngineSettings();
  return {};
}

void CDialogDefi::PutBack(int cell, int value) {
  Later([this, cell, value] {
    puttingBack_ = true;
    PlaceMove(cell, value, value == 0 ? kActionClear : kActionPlace);
    puttingBack_ = false;
  });
}

void CDialogDefi::SendMove(int cell, int value, int action) {
  if (ChallengeRunning() && !puttingBack_)
    game_.OwnMove(cell, value, action);
}

bool CDialogDefi::RefuseSettledCell(int cell) {
  if (!ChallengeRunning())
    return false;
  const std::optional<std::string> owner = game_.SettledBy(cell);
  if (!owner || !game_.InPlay())
    return false;
  const bool french = French(app_);
  app_.Messages().AddInfoMessageUnrepeated(
      FormatPanelText(french ? OwnText("%s a rempli cette case juste : elle reste.")
                             : OwnText("%s filled this cell right: it stays."),
                      {FormatArg(*owner == OwnName() ? std::string(french ? "Vous" : "You") : *owner)}));
  return true;
}

bool CDialogDefi::RefuseOutOfTurn() {
  if (!ChallengeRunning())
    return false;
  const std::optional<std::string> holder = game_.TurnElsewhere();
  if (!holder)
    return false;
  const bool french = French(app_);
  if (holder->empty())
    app_.Messages().AddInfoMessageUnrepeated(french ? OwnText("Ce n'est pas encore votre tour.")
                                                    : OwnText("It is not your turn yet."));
  else
    app_.Messages().AddInfoMessageUnrepeated(
        FormatPanelText(french ? OwnText("Ce n'est pas votre tour : %s joue.")
                               : OwnText("It is not your turn: %s is playing."),
                        {FormatArg(*holder)}));
  return true;
}

bool CDialogDefi::RefuseUnsharedChange() {
  if (!ChallengeRunning() || !game_.BoardsShared())
    return false;
  app_.Messages().AddInfoMessageUnrepeated(
      French(app_) ? OwnText("Annuler, rétablir, couper et coller attendent la fin du défi.")
                   : OwnText("Undo, redo, cut and paste wait for the end of the challenge."));
  return true;
}

void CDialogDefi::TurnTick(int elapsedMs) {
  if (!ChallengeRunning())
    return;
  game_.Tick(elapsedMs);
}

ChallengeBoard CDialogDefi::Board() const {
  const DefiTurns &turns = game_.Turns();
  const DefiPlayerList &standings = game_.Standings();
  ChallengeBoard board;
  board.BannerShown = turns.Running && turns.Banner.Shown;
  board.Banner = turns.Banner.Lines;
  board.TurnMs = turns.RemainingMs;
  for (size_t position = 0; position < turns.Order.size(); ++position) {
    const DefiPlayerRecord &player = standings.At(turns.Order[position]);
    board.Players.push_back({player.Name, player.Score, player.Remote == 0,
                             !turns.Over && static_cast<int>(position) == turns.Current});
  }
  return board;
}

void CDialogDefi::MarkForChat(int index, bool keepOthers) {
  if (index >= players_.Count()) { // the box after the last: everybody
    for (int i = 0; i < players_.Count(); ++i)
      players_.At(i).Chat = 1;
  } else if (index >= 0) {
    const int was = players_.At(index).Chat;
    if (!keepOthers)
      for (int i = 0; i < players_.Count(); ++i)
        players_.At(i).Chat = 0;
    players_.At(index).Chat = was == 1 ? 0 : 1;
  }
  app_.RedrawViewNow();
}

void CDialogDefi::SendBoardChat(const std::string &text) {
  if (text.empty())
    return;
  const std::string own = OwnName();
  for (int i = 0; i < players_.Count(); ++i) {
    const DefiPlayerRecord &player = players_.At(i);
    if (player.Name == own || player.Chat != 1)
      continue;
    const int slot = sockets_.SendMessage(i, DefiChat(text));
    Inform("Sent on Sock" + std::to_string(slot) + " to " + player.Name + ": " + text);
  }
}

GridRecord &CDialogDefi::PlayedGrid() {
  GridSet &set = app_.Engine().Grids;
  return set.Main[static_cast<size_t>(CurrentGridSlot(set))];
}

int CDialogDefi::CellCount() { return app_.Engine().Geo.NCells; }

int CDialogDefi::GridWidth() { return app_.Engine().Geo.GridWidth; }

int CDialogDefi::SolutionValue(int cell) {
  const GridSet &set = app_.Engine().Grids;
  const GridRecord &reference = set.RefTab[static_cast<size_t>(CurrentGridSlot(set))];
  return cell >= 0 && cell < static_cast<int>(reference.Cells.size())
             ? reference.Cells[static_cast<size_t>(cell)].Value
             : 0;
}

int CDialogDefi::CellValue(int cell) {
  const GridRecord &grid = PlayedGrid();
  return cell >= 0 && cell < static_cast<int>(grid.Cells.size()) ? grid.Cells[static_cast<size_t>(cell)].Value
                                                                 : 0;
}

bool CDialogDefi::IsGiven(int cell) {
  const GridRecord &grid = PlayedGrid();
  if (cell < 0 || cell >= static_cast<int>(grid.Cells.size()))
    return false;
  const int status = grid.Cells[static_cast<size_t>(cell)].Status;
  return status == kStatusGiven || status == kStatusFixed;
}

bool CDialogDefi::InContradiction() { return PlayedGrid().State == kGridContradiction; }

bool CDialogDefi::Solved() {
  for (int cell = 0; cell < CellCount(); ++cell) {
    const int value = CellValue(cell);
    if (value == 0 || value != SolutionValue(cell))
      return false;
  }
  return true;
}

void CDialogDefi::PlaceMove(int cell, int value, int kind) {
  EngineContext &ctx = app_.Engine();
  SetCellValue(ctx, PlayedGrid(), cell, value, kind);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app_.RedrawViewNow();
  // A peer's value that fills the grid ends this board's game, as the player's own last one does.
  if (ctx.GridSetState == kGridConsistent)
    app_.GridSetSolved();
}

bool CDialogDefi::SendTo(const std::string &name, const std::string &message) {
  return sockets_.SendToName(name, message) >= 0;
}

bool CDialogDefi::Present(const std::string &name) { return sockets_.Reachable(name); }

void CDialogDefi::PlaySound(int slot) {
  if (app_.Services().playSoundEffect)
    app_.Services().playSoundEffect(slot);
}

void CDialogDefi::Redraw() {
  // A banner cut short (its challenge left alone) must not leave the board faded out.
  if (game_.Turns().Banner.Countdown == -2) {
    fadeLevel_ = 1.0;
    fadeStep_ = 0;
  }
  // The board gives way to the banner's lines while they are shown.
  if (game_.Turns().Banner.Shown)
    app_.State().StartChallenge();
  else
    app_.State().EndChallenge();
  app_.RedrawViewNow();
}

bool CDialogDefi::Fade(bool out) {
  constexpr double kFadeStep = 0.07;
  if (fadeStep_ == 0 && (out ? fadeLevel_ > 0.9 : fadeLevel_ < 0.1))
    fadeStep_ = out ? -kFadeStep : kFadeStep;
  if (StepBoardFade(fadeLevel_, fadeStep_) == 1)
    return false;
  if (!out)
    fadeLevel_ = 1.0;
  return true;
}

void CDialogDefi::DefiConnectService(const std::string &command, bool asked) {
  if (Disabled())
    return;
  if (app_.Settings().defi.serviceHost.empty()) {
    if (asked)
      app_.PostMessage(
          app_.CurrentLanguage() == Language::English
              ? PanelText(OwnText("The challenge connect service has no host: set DEFI/SERVICEHOST."))
              : PanelText(OwnText("Le service de connexion des défis n'a pas d'hôte : "
                                  "réglez DEFI/SERVICEHOST.")));
    return;
  }
  if (const std::optional<std::string> now = service_.Submit(command, sockets_.Listening()))
    SendServiceRequest(*now);
}

// The last request's socket goes; its closing is no reply to the next request.
void CDialogDefi::DropServiceSocket() {
  if (!serviceSocket_)
    return;
  serviceSocket_->disconnect(this);
  serviceSocket_->abort();
  serviceSocket_->deleteLater();
  serviceSocket_ = nullptr;
}

void CDialogDefi::SendServiceRequest(const std::string &command) {
  DropServiceSocket();
  const ServiceHost service = ParseServiceHost(app_.Settings().defi.serviceHost);
  const QString host = QString::fromStdString(service.Name);
  const auto port = static_cast<quint16>(service.Port);
  const std::string at = service.Name + ":" + std::to_string(service.Port);
  serviceReply_ = ServiceReplyReader{};
  serviceSocket_ = new QTcpSocket(this);
  QTcpSocket *socket = serviceSocket_;
  // A service that never answers whole frees the queue after a while.
  auto *timeout = new QTimer(socket);
  timeout->setSingleShot(true);
  connect(timeout, &QTimer::timeout, this, [this, socket, at] {
    if (socket != serviceSocket_ || service_.State() != 1)
      return;
    Inform("Error Connect SockM on " + at + " : " +
           SocketErrorText(SocketErrorCodeOf(QAbstractSocket::SocketTimeoutError)));
    ServiceFailed();
  });
  timeout->start(serviceTimeoutMs_);
  // The "CP" command goes out at once under a throw-away name.
  const std::string name = command.starts_with("W|") ? "VEK" + std::to_string(RandomBelow(500)) : OwnName();
  const QByteArray request = QByteArray::fromStdString(ConnectRequest(service.HostLine(), name, command));
  connect(socket, &QTcpSocket::connected, this, [this, socket, request] {
    if (socket->write(request) != request.size()) {
      Inform("Error write on Server Socket: " + SocketErrorText(kSocketConnectionReset));
      ServiceFailed();
    }
  });
  connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
    const QByteArray piece = socket->readAll();
    switch (serviceReply_.Append(std::string_view(piece.constData(), static_cast<size_t>(piece.size())))) {
    case ServiceReplyReader::State::Whole:
      ServiceReplied();
      break;
    case ServiceReplyReader::State::TooLarge:
      Inform("The connect service's reply is larger than " + std::to_string(kMostServiceReplyBytes >> 20) +
             " MB: it was dropped.");
      ServiceFailed();
      break;
    case ServiceReplyReader::State::Partial:
      break;
    }
  });
  connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
    if (socket == serviceSocket_)
      ServiceReplied(); // without a length the reply ends with the connection
  });
  connect(socket, &QTcpSocket::errorOccurred, this,
          [this, socket, host, at](QAbstractSocket::SocketError error) {
            if (socket != serviceSocket_ || service_.State() != 1 ||
                error == QAbstractSocket::RemoteHostClosedError)
              return;
            if (error == QAbstractSocket::HostNotFoundError)
              Inform("Internet Connection Error - Host not recognise: " + host.toStdString());
            else
              Inform("Error Connect SockM on " + at + " : " + SocketErrorText(SocketErrorCodeOf(error)));
            ServiceFailed();
          });
  socket->connectToHost(host, port);
}

// The request went wrong: its socket goes, and the commands waiting behind it go on.
void CDialogDefi::ServiceFailed() {
  DropServiceSocket();
  if (const std::optional<std::string> next = service_.Failed())
    SendServiceRequest(*next);
}

// A whole reply: the players, the challenges, a new name; then the next command waiting.
void CDialogDefi::ServiceReplied() {
  if (service_.State() != 1)
    return;
  ServiceReply reply = ParseServiceReply(serviceReply_.Text());
  serviceAvailable_ = reply.Available;
  if (reply.RefusedName)
    Inform("Defi: the name the connect service gave is refused: it " + DefiNameProblem(*reply.RefusedName));
  if (reply.NewName) {
    ownName_->setText(QString::fromStdString(*reply.NewName));
    ReadControls();
  }
  if (reply.NewGroup)
    groupName_ = *reply.NewGroup;
  if (reply.Kind == 'G' && reply.Available) {
    // The own player is the one at this computer, whatever the list marks him.
    for (DefiPlayerRecord &player : reply.Players) {
      player.Connected = player.Name == OwnName() ? 1 : 0;
      if (player.Name == OwnName())
        player.Remote = 0;
    }
    MergeServicePlayers(players_, std::move(reply.Players));
    RefillPlayers();
  }
  if (reply.Kind == 'L' && reply.Available) {
    challengeList_ = std::move(reply.Challenges);
    RefillChallenges();
  }
  if (const std::optional<std::string> next = service_.ReplyHandled())
    SendServiceRequest(*next);
}

void CDialogDefi::RefillChallenges() {
  challenges_->clear();
  const int filter = challengeFilter_->currentIndex();
  const std::string text = challengeFilterText_->text().toStdString();
  for (const DefiChallenge &challenge : challengeList_) {
    const bool passes = filter <= 0 || (filter == 1 && challenge.Creator == text) ||
                        (filter >= 2 && filter <= 8 &&
                         std::to_string(challenge.Parameters[static_cast<size_t>(filter - 2)]).find(text) !=
                             std::string::npos);
    if (passes)
      challenges_->addItem(QString::fromStdString(challenge.Name));
  }
}

// A challenge of the list: its name and parameters come into the controls.
void CDialogDefi::TakeOverChallenge(int row) {
  const QListWidgetItem *item = challenges_->item(row);
  if (!item)
    return;
  for (const DefiChallenge &challenge : challengeList_) {
    if (challenge.Name != item->text().toStdString())
      continue;
    challengeName_ = challenge.Name;
    madeByMe_ = challenge.Creator == OwnName() ? 1 : 0;
    challengeEdit_->setText(QString::fromStdString(challenge.Name));
    const auto &p = challenge.Parameters;
    type_->setCurrentIndex(std::clamp(p[0], 0, type_->count() - 1));
    difficulty_->setCurrentIndex(std::clamp(p[1], 0, difficulty_->count() - 1));
    gridSize_->setCurrentIndex(std::clamp(p[2], 0, gridSize_->count() - 1));
    maxTime_->setCurrentIndex(std::clamp(p[3], 0, maxTime_->count() - 1));
    cellsPerTurn_->setCurrentIndex(std::clamp(p[4], 0, cellsPerTurn_->count() - 1));
    QCheckBox *const flags[] = {possible_, bonus_, joker_, surprise_, hidden_, refuse_};
    for (size_t f = 0; f < std::size(flags); ++f)
      flags[f]->setChecked(p[5 + f] != 0);
    EnableControls();
    return;
  }
  madeByMe_ = -1;
  EnableControls();
}

CDialogDefi *ChallengeDialog() { return gChallenge; }

CDialogDefi *EnsureChallengeDialog(CQuorbelApp &app) {
  // Made with the main frame, which owns it.
  if (!gChallenge && app.MainFrame())
    gChallenge = new CDialogDefi(app, app.MainFrame());
  return gChallenge;
}

void InstallChallenge(CQuorbelApp &app) {
  OutsideServices &services = app.Services();
  services.startChallengeListen = [&app](int port) {
    CDialogDefi *dialog = EnsureChallengeDialog(app);
    // The preferences' OK on the port already listened on: the players keep their links.
    if (dialog && dialog->Sockets().Listening() && dialog->Sockets().ListenPort() == port)
      return true;
    return dialog && dialog->StartListen(port);
  };
  services.defiSendMove = [](int cell, int value, int action) {
    if (gChallenge)
      gChallenge->SendMove(cell, value, action);
  };
  app.Commands().SetHandler(
      Cmd::StopChallenge,
      [](CommandId) {
        if (gChallenge)
          gChallenge->StopChallenge();
      },
      [] { return gChallenge && gChallenge->Running() ? CommandState{} : CommandState::Disabled(); });
}
