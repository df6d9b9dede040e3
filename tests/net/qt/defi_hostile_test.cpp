// A hostile peer against a running challenge of three programs over 127.0.0.1, each its own
// sockets and DefiGame on a 4 x 4 board: Ann launches, Bob and Cy follow. Carol, listed by
// every program but not in the challenge, and Cy's program gone astray try one step each: a
// grid and a start mid-challenge, a second hello in a seated player's name, clears and wrong
// values over cells filled right (from a peer and at the board), a long chat line, standings
// from a stranger, moves after the end. Each is refused in words and no board changes.
#include <QHostAddress>
#include <QTcpSocket>
#include <QtTest>
#include <functional>
#include <memory>

#include "net/defi_game.h"
#include "net/qt/defi_sockets.h"

using namespace quorbel;

namespace {

constexpr std::array<int, 16> kSolution = {1, 2, 3, 4, 3, 4, 1, 2, 2, 1, 4, 3, 4, 3, 2, 1};
constexpr std::array<int, 4> kGivens = {0, 5, 10, 15};

class Program : public DefiSocketHost, public DefiGameHost {
public:
  explicit Program(std::string name) : name_(std::move(name)), sockets(*this), game(*this) {}

  int Knows(const std::string &name, int port, int connected = 0) {
    DefiPlayerRecord player;
    player.Name = name;
    player.Remote = 1;
    player.Address = "127.0.0.1";
    player.Port = port;
    player.Connected = connected;
    return *list.Add(player);
  }
  bool Said(std::string_view part) const { return Lines(part) > 0; }
  int Lines(std::string_view part) const {
    return static_cast<int>(std::count_if(said.begin(), said.end(), [&](const std::string &line) {
      return line.find(part) != std::string::npos;
    }));
  }
  // The board as the player sees it, and who plays with him.
  std::string Snapshot() const {
    std::string shown = "values";
    for (const int value : values)
      shown.append(" ").append(std::to_string(value));
    const DefiTurns &turns = game.Turns();
    for (const int index : turns.Order) {
      const DefiPlayerRecord &player = game.Standings().At(index);
      shown.append(" | ").append(player.Name).append(" ").append(std::to_string(player.Score));
      if (player.Name != name_)
        shown.append(sockets.Reachable(player.Name) ? " linked" : " gone");
    }
    shown.append(" | turn ").append(std::to_string(turns.Current));
    shown.append(" over ").append(std::to_string(turns.Over)).append(" follows ").append(game.Launcher());
    return shown;
  }
  // The player types a value: refused in another's turn and on a cell filled right.
  bool Type(int cell, int value) {
    if (game.TurnElsewhere() || IsGiven(cell) || game.SettledBy(cell))
      return false;
    values[static_cast<size_t>(cell)] = value;
    game.OwnMove(cell, value, kDefiPlace);
    return true;
  }
  bool MyTurn() const {
    const DefiTurns &turns = game.Turns();
    return turns.Running && !turns.Over && turns.OwnPosition >= 0 && turns.Current == turns.OwnPosition;
  }
  int OpenCell() const {
    for (int cell = 0; cell < 16; ++cell)
      if (values[static_cast<size_t>(cell)] == 0)
        return cell;
    return -1;
  }

  // DefiSocketHost.
  void Inform(const std::string &line) override { said.push_back(line); }
  DefiPlayerList &Players() override { return list; }
  std::string OwnName() const override { return name_; }
  bool Disabled() const override { return false; }
  bool ChallengeRunning() const override { return true; }
  bool Seated(const std::string &name) const override { return game.Seated(name); }
  void PlayersChanged() override { game.CheckDepartures(); }
  void ChatReceived(const std::string &line) override { Inform(line); }
  void GridReceived(const std::string &from, const std::string &file) override {
    game.TakeGrid(from, file, name_);
  }
  void MoveReceived(const std::string &from, const DefiMove &move) override { game.TakeMove(from, move); }
  void StartReceived(const std::string &from) override { starts += game.TakeStart(from); }
  void ReadyReceived() override {}
  void StandingsReceived(const std::string &from, const DefiStandings &standings) override {
    game.TakeStandings(from, standings);
  }

  // DefiGameHost: the board.
  int CellCount() override { return 16; }
  int GridWidth() override { return 4; }
  int SolutionValue(int cell) override { return kSolution[static_cast<size_t>(cell)]; }
  int CellValue(int cell) override { return values[static_cast<size_t>(cell)]; }
  bool IsGiven(int cell) override { return std::find(kGivens.begin(), kGivens.end(), cell) != kGivens.end(); }
  bool InContradiction() override { return false; }
  bool Solved() override { return values == kSolution; }
  void PlaceMove(int cell, int value, int kind) override {
    values[static_cast<size_t>(cell)] = kind == kDefiClear ? 0 : value;
  }
  void PlaySound(int) override {}
  void Redraw() override {}
  bool Fade(bool) override { return true; }
  bool SendTo(const std::string &name, const std::string &message) override {
    return sockets.SendToName(name, message) >= 0;
  }
  bool Present(const std::string &name) override { return sockets.Reachable(name); }
  bool MakeGrid(DefiBlocks, int) override {
    Deal();
    return true;
  }
  std::optional<std::string> GridText() override {
    std::string text = "Quorbel Mode Texte\r\n4\r\n;Start Save Grid0\r\n";
    for (int cell = 0; cell < 16; ++cell)
      text.append(IsGiven(cell) ? "" : "R")
          .append(std::to_string(kSolution[static_cast<size_t>(cell)]))
          .append("\r\n");
    return text;
  }
  std::string OpenGrid(const std::string &file, std::optional<DefiBlocks>) override {
    if (!file.starts_with("Quorbel Mode Texte"))
      return "no text grid";
    Deal();
    return {};
  }
  void PutBack(int cell, int value) override { values[static_cast<size_t>(cell)] = value; }

  void Deal() {
    values = {};
    for (const int cell : kGivens)
      values[static_cast<size_t>(cell)] = kSolution[static_cast<size_t>(cell)];
  }

  std::string name_;
  DefiPlayerList list;
  std::array<int, 16> values{};
  std::vector<std::string> said;
  int starts = 0;
  DefiSockets sockets;
  DefiGame game;
};

} // namespace

class DefiHostileTest : public QObject {
  Q_OBJECT

private slots:
  void aHostilePeerChangesNoBoard() {
    Program ann("Ann"), bob("Bob"), cy("Cy");
    std::vector<Program *> programs = {&ann, &bob, &cy};
    for (Program *program : programs)
      QVERIFY(program->sockets.StartListen(0));
    const int bobAtAnn = ann.Knows("Bob", bob.sockets.ListenPort(), 1);
    const int cyAtAnn = ann.Knows("Cy", cy.sockets.ListenPort(), 1);
    for (Program *program : programs) {
      if (program != &ann)
        program->Knows("Ann", ann.sockets.ListenPort());
      program->Knows("Carol", 1);
    }
    QVERIFY(ann.sockets.ConnectPlayer(bobAtAnn) >= 0);
    QVERIFY(ann.sockets.ConnectPlayer(cyAtAnn) >= 0);
    QTRY_VERIFY(bob.sockets.Reachable("Ann") && cy.sockets.Reachable("Ann"));

    DefiLaunch launch;
    launch.Rules.CellsPerTurn = 1;
    launch.Rules.SecondsPerTurn = -1; // no turn runs out while the steps are tried
    launch.Blocks = {2, 2};
    QVERIFY(ann.game.Launch(ann.list, "Ann", launch, [](int) { return 0; }));
    QTRY_VERIFY(bob.game.Launcher() == "Ann" && cy.game.Launcher() == "Ann");
    ann.game.Tick(40);
    // Ann fills cell 1 right, then Bob cell 2: Cy's turn.
    for (Program *player : {&ann, &bob}) {
      QTRY_VERIFY(player->MyTurn());
      const int cell = player->OpenCell();
      QVERIFY(player->Type(cell, kSolution[static_cast<size_t>(cell)]));
    }
    QTRY_VERIFY2(
        cy.MyTurn() && cy.values == ann.values && bob.values == ann.values,
        qPrintable(QString::fromStdString(ann.Snapshot() + "\n" + bob.Snapshot() + "\n" + cy.Snapshot())));

    std::vector<std::unique_ptr<QTcpSocket>> strangers;
    // Carol calls `to` and says her hello, or the one given, then the bytes.
    const auto carol = [&](Program &to, const std::string &bytes, std::string hello = {}) {
      return [&to, &strangers, bytes, hello] {
        auto socket = std::make_unique<QTcpSocket>();
        socket->connectToHost(QHostAddress::LocalHost, static_cast<quint16>(to.sockets.ListenPort()));
        QVERIFY(socket->waitForConnected(5000));
        socket->write(QByteArray::fromStdString(hello.empty() ? DefiHello("Carol", to.name_) : hello));
        socket->flush();
        if (!bytes.empty()) {
          QTRY_VERIFY(to.sockets.Reachable("Carol"));
          socket->write(QByteArray::fromStdString(bytes));
        }
        strangers.push_back(std::move(socket));
      };
    };
    // Cy's program, gone astray, sends what a board may not.
    const auto astray = [&](const std::string &bytes) {
      return [&cy, bytes] { cy.sockets.SendToName("Ann", bytes); };
    };
    const std::string grid = "G" + *ann.GridText() + "S|Evil";
    const std::string longLine = "C" + std::string(8000, 'x');
    struct Step {
      const char *what;
      std::function<void()> act;
      Program *hears;
      std::string words;
    };
    const std::vector<Step> steps = {
        {"a grid mid-challenge to the launcher", carol(ann, grid), &ann, "grid from Carol refused"},
        {"its start", [] {}, &ann, "start from Carol refused"},
        {"a grid mid-challenge to a follower", carol(bob, grid), &bob,
         "grid from Carol refused: the challenge in play is Ann's"},
        {"a seated player's grid", astray(grid), &ann, "grid from Cy refused"},
        {"a second hello as a seated player", carol(ann, "", DefiHello("Bob", "Ann")), &ann,
         "a second hello as Bob"},
        {"a second hello as the launcher", carol(bob, "", DefiHello("Ann", "Bob")), &bob,
         "a second hello as Ann"},
        {"a hello in the launcher's own name", carol(ann, "", DefiHello("Ann", "Ann")), &ann,
         "a hello in your own name"},
        {"a clear of another's cell", astray(DefiMoveMessage("Cy", 1, 0, kDefiClear)), &ann,
         "cell 1 is Ann's: filled right, it stays"},
        {"a wrong value over another's", astray(DefiMoveMessage("Cy", 2, 1, kDefiPlace)), &ann,
         "cell 2 is Bob's: filled right, it stays"},
        {"a pencil mark over another's", astray(DefiMoveMessage("Cy", 2, 1, kDefiTogglePencil)), &ann,
         "cell 2 is Bob's"},
        {"the same at the player's own board",
         [&cy] {
           cy.values[1] = 4;
           cy.game.OwnMove(1, 4, kDefiPlace);
         },
         &cy, "cell 1 is Ann's: filled right, it stays"},
        {"a move passed on by a follower", carol(bob, DefiMoveMessage("Carol", 3, 4, kDefiPlace)), &bob,
         "move of Carol refused: Ann runs the challenge"},
        {"standings from a stranger", carol(bob, "T|0|0|-1|0|Carol|99|\n"), &bob,
         "standings of Carol refused"},
        {"a long chat line", carol(ann, longLine), &ann, "from Carol: xxxx"},
    };
    const std::vector<std::string> before = {ann.Snapshot(), bob.Snapshot(), cy.Snapshot()};
    for (const Step &step : steps) {
      step.act();
      QTRY_VERIFY2(step.hears->Said(step.words), step.what);
      QTest::qWait(kDefiQuietMs * 3); // what the step set off has arrived, a message the quiet ends too
      for (size_t p = 0; p < programs.size(); ++p)
        QVERIFY2(
            programs[p]->Snapshot() == before[p],
            qPrintable(QString("%1: %2").arg(step.what, QString::fromStdString(programs[p]->Snapshot()))));
    }

    // The grid played to its end; what Cy's program sends after it is said once.
    for (int turn = 0; !ann.game.Turns().Over && turn < 16; ++turn) {
      const DefiTurns &turns = ann.game.Turns();
      const std::string name = ann.game.Standings().At(turns.Order[static_cast<size_t>(turns.Current)]).Name;
      Program *player =
          *std::find_if(programs.begin(), programs.end(), [&](Program *p) { return p->name_ == name; });
      QTRY_VERIFY(player->MyTurn());
      const int cell = player->OpenCell();
      QVERIFY(player->Type(cell, kSolution[static_cast<size_t>(cell)]));
      QTRY_VERIFY(bob.values == ann.values && cy.values == ann.values);
    }
    QTRY_VERIFY(bob.game.Turns().Over && cy.game.Turns().Over);
    const std::vector<std::string> end = {ann.Snapshot(), bob.Snapshot(), cy.Snapshot()};
    for (int again = 0; again < 2; ++again)
      cy.sockets.SendToName("Ann", DefiMoveMessage("Cy", 3, 2, kDefiPlace));
    QTRY_VERIFY(ann.Said("what Cy sent after its end is not played"));
    QTest::qWait(kDefiQuietMs * 4); // the second, whose end only the quiet shows
    QCOMPARE(ann.Lines("after its end"), 1);
    for (size_t p = 0; p < programs.size(); ++p)
      QCOMPARE(programs[p]->Snapshot(), end[p]);
  }
};

QTEST_MAIN(DefiHostileTest)
#include "defi_hostile_test.moc"
