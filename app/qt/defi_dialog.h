// CDialogDefi: the challenge between players. A modeless window with the player list, the
// challenge's parameters and the chat; it owns the challenge's sockets and its turns, starts a
// challenge, and hears the board's moves and the game clock's ticks.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>
#include <memory>

#include "net/connect_service.h"
#include "net/defi_game.h"
#include "net/defi_players.h"
#include "net/qt/defi_sockets.h"

class CQuorbelApp;
namespace quorbel {
struct GridRecord;
}
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTcpSocket;

// What the board shows of a challenge: the banner between turns and the players' boxes.
struct ChallengeBoard {
  bool BannerShown = false;
  std::array<std::string, 4> Banner;
  struct Box {
    std::string Name;
    int Score = 0;
    bool Local = false; // the own player
    bool Turn = false;
    bool Marked = false; // the chat line goes to it
  };
  std::vector<Box> Players;
  int TurnMs = 0;
};

class CDialogDefi final : public QDialog, public quorbel::DefiSocketHost, public quorbel::DefiGameHost {
  Q_OBJECT
public:
  explicit CDialogDefi(CQuorbelApp &app, QWidget *parent = nullptr);
  ~CDialogDefi() override;

  // Listens on DEFIPORT unless challenges are turned off.
  bool StartListen(int port);
  // The start screen's challenge mode: the mode set, the dialog shown; a challenge in play goes on.
  void EnterChallengeMode();
  // Lance le Défi: a grid generated and sent, the turns begun.
  bool StartChallenge();
  void StopChallenge();
  bool Running() const { return game_.Running(); }
  // A challenge running in the challenge mode, not yet over.
  bool InPlay() const { return game_.InPlay() && ChallengeRunning(); }

  // From the board.
  void SendMove(int cell, int value, int action);
  // A player here about to change a cell in another's turn: said, and true.
  bool RefuseOutOfTurn();
  // A player here about to change a cell a player filled right: said, and true.
  bool RefuseSettledCell(int cell);
  // An undo, redo, cut or paste while the boards are shared: said, and true.
  bool RefuseUnsharedChange();
  void TurnTick(int elapsedMs);
  ChallengeBoard Board() const;
  // How much of its tile each grid takes while the board fades between turns.
  double BoardFade() const { return fadeLevel_; }
  // The board's strip: a player's box marks it for the chat line (the others unmarked unless
  // kept), the box after the last marks every player; the chat line goes to the marked ones.
  void MarkForChat(int index, bool keepOthers);
  // The connect service: queues or sends one command ("" sends the next one waiting).
  // `asked` says a player's button asked for it: an unset host is then said.
  void DefiConnectService(const std::string &command, bool asked = false);
  // How long a request waits for its whole reply (tests shorten it).
  void SetServiceTimeoutMs(int ms) { serviceTimeoutMs_ = ms; }
  bool ServiceAvailable() const { return serviceAvailable_; }
  const std::vector<quorbel::DefiChallenge> &Challenges() const { return challengeList_; }
  void SendBoardChat(const std::string &text);

  quorbel::DefiSockets &Sockets() { return sockets_; }
  const quorbel::DefiTurns &Turns() const { return game_.Turns(); }

  // DefiSocketHost.
  void Inform(const std::string &line) override;
  quorbel::DefiPlayerList &Players() override { return players_; }
  std::string OwnName() const override;
  bool Disabled() const override;
  bool ChallengeRunning() const override;
  bool Seated(const std::string &name) const override { return ChallengeRunning() && game_.Seated(name); }
  void PlayersChanged() override;
  // What peers send is taken after their socket's signal has returned, in the order it came.
  void ChatReceived(const std::string &line) override;
  void GridReceived(const std::string &from, const std::string &file) override;
  void MoveReceived(const std::string &from, const quorbel::DefiMove &move) override;
  void StartReceived(const std::string &from) override;
  void ReadyReceived() override;
  void StandingsReceived(const std::string &from, const quorbel::DefiStandings &standings) override;
  // The players of the challenge in play, in turn order (the list's players are not theirs).
  const quorbel::DefiPlayerList &Standings() const { return game_.Standings(); }

  // DefiGameHost.
  int CellCount() override;
  int GridWidth() override;
  int SolutionValue(int cell) override;
  int CellValue(int cell) override;
  bool IsGiven(int cell) override;
  bool InContradiction() override;
  bool Solved() override;
  void PlaceMove(int cell, int value, int kind) override;
  void PlaySound(int slot) override;
  void Redraw() override;
  bool Fade(bool out) override;
  bool SendTo(const std::string &name, const std::string &message) override;
  bool Present(const std::string &name) override;
  bool MakeGrid(quorbel::DefiBlocks blocks, int level) override;
  std::optional<std::string> GridText() override;
  std::string OpenGrid(const std::string &file, std::optional<quorbel::DefiBlocks> blocks) override;
  void PutBack(int cell, int value) override;

private:
  void BuildControls();
  void LoadPlayers();
  void SavePlayers();
  void ReadControls();
  void RefillPlayers();
  void ShowSelectedPlayer();
  void AddPlayer();
  void DeletePlayer();
  void PlayerChecked(int row, bool checked);
  void SendChat();
  void SendServiceRequest(const std::string &command);
  void ServiceReplied();
  void DropServiceSocket();
  void ServiceFailed();
  void RefillChallenges();
  void TakeOverChallenge(int row);
  void DumpState();
  int SelectedPlayer() const;
  quorbel::DefiTurnRules Rules() const;
  void Later(std::function<void()> work);
  // The grid of the challenge on the board.
  quorbel::GridRecord &PlayedGrid();
  void ForgetChallenge();
  // The board shows no banner and no fade of a challenge gone.
  void ClearBoardOfChallenge();
  void ShowChatLine(const std::string &line);
  void RewriteSelectedPlayer();
  // Everything of a player the controls hold but his name.
  void FillPlayerFromControls(quorbel::DefiPlayerRecord &player) const;
  void EnableControls();

  CQuorbelApp &app_;
  quorbel::DefiPlayerList players_;
  quorbel::DefiSockets sockets_;
  quorbel::DefiGame game_;
  std::deque<std::function<void()>> inbox_;
  std::deque<std::string> chatLines_;
  int madeByMe_ = -1; // the challenge taken from the list was made by this player (-1: none taken)
  std::string challengeName_ = "Defi";
  int state_ = 0; // 0 none, 1 created or start received, 2 or 3 playing
  quorbel::ServiceQueue service_;
  int serviceTimeoutMs_ = quorbel::kServiceTimeoutMs;
  QTcpSocket *serviceSocket_ = nullptr;
  quorbel::ServiceReplyReader serviceReply_;
  bool serviceAvailable_ = false;
  std::string groupName_;
  std::vector<quorbel::DefiChallenge> challengeList_;
  QComboBox *challengeFilter_ = nullptr;
  QLineEdit *challengeFilterText_ = nullptr;
  bool refilling_ = false;
  bool puttingBack_ = false; // a refused change undone: not the player's move
  double fadeLevel_ = 1.0;
  double fadeStep_ = 0;

  QLineEdit *ownName_ = nullptr;
  QLineEdit *challengeEdit_ = nullptr;
  QListWidget *playerList_ = nullptr;
  QComboBox *playerFilter_ = nullptr;
  QLineEdit *playerFilterText_ = nullptr;
  QLineEdit *playerName_ = nullptr;
  QRadioButton *remote_ = nullptr;
  QRadioButton *local_ = nullptr;
  QLineEdit *address_ = nullptr;
  QSpinBox *port_ = nullptr;
  QSpinBox *handicap_ = nullptr;
  QLineEdit *town_ = nullptr;
  QSpinBox *ownHandicap_ = nullptr;
  QPushButton *launch_ = nullptr;
  QPushButton *create_ = nullptr;
  QPushButton *join_ = nullptr;
  QComboBox *type_ = nullptr;
  QComboBox *difficulty_ = nullptr;
  QComboBox *gridSize_ = nullptr;
  QComboBox *maxTime_ = nullptr;
  QComboBox *cellsPerTurn_ = nullptr;
  QCheckBox *possible_ = nullptr;
  QCheckBox *bonus_ = nullptr;
  QCheckBox *joker_ = nullptr;
  QCheckBox *surprise_ = nullptr;
  QCheckBox *hidden_ = nullptr;
  QCheckBox *refuse_ = nullptr;
  QLineEdit *chatInput_ = nullptr;
  QPlainTextEdit *chatText_ = nullptr;
  QListWidget *challenges_ = nullptr;
};

// Plugs the challenge into the program: the listening at start-up and from the preferences, the
// board's moves, Stop Challenge. The dialog is made hidden when first needed.
void InstallChallenge(CQuorbelApp &app);
// The dialog, none before it is needed.
CDialogDefi *ChallengeDialog();
CDialogDefi *EnsureChallengeDialog(CQuorbelApp &app);
