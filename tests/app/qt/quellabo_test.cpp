// The web challenge against a site served by a loopback server of ours: the site file, the
// selection dialog, the grid read onto the board, and the solution posted back.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/message_ring.h"
#include "app/qt/display_toggles.h"
#include "app/qt/quellabo_dialog.h"
#include "engine/grid_set.h"
#include "tests/net/qt/loopback_http.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

class QuellaboTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void aSitesGridComesOnTheBoardAndItsSolutionGoesBack() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    QByteArray posted;
    QStringList paths;
    LoopbackHttp server([&](const QByteArray &request) -> QByteArray {
      paths << QString::fromLatin1(request.left(request.indexOf(' ', 5)));
      if (request.startsWith("POST")) {
        posted = LoopbackHttp::Body(request);
        return "<p>Merci</p>";
      }
      QByteArray page = "<html><input name=\"iddeGrille\" value=\"9\"><table id=grid>";
      for (int cell = 0; cell < 81; ++cell)
        page += "<td>" + (cell % 10 == 0 ? QByteArray::number(cell % 9 + 1) : QByteArray()) + "</td>";
      return page + "</table></html>";
    });
    QVERIFY(server.Listening());
    WriteSites(server.Root().toLatin1());

    f.dialogs.AnswerDialog("CQuellabo", [](QDialog &d) {
      d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(StartQuellabo(*f.app));
    QCOMPARE(paths.last(), QStringLiteral("GET /grid?level=facile"));
    const GridRecord &grid = f.app->Engine().Grids.Main[0];
    QCOMPARE(grid.Cells[0].Value, 1);
    QCOMPARE(grid.Cells[10].Value, 2);
    QCOMPARE(grid.Cells[1].Value, 0);
    QCOMPARE(f.app->Settings().game.mode, kGameModeQuellabo);

    // The Web Window shows the page read, as text.
    QVERIFY(f.app->Commands().ExecuteCommand(Cmd::DisplayWebWindow));
    QWidget *web = f.app->Panels().Window(kWebWindowPanel);
    QVERIFY(web && web->isVisible());
    QVERIFY(web->findChild<QTextBrowser *>()->toPlainText().contains("iddeGrille"));

    const std::string reply = QuellaboSubmitSolution(*f.app);
    QCOMPARE(reply, std::string("Good, your Grid has been accepted on Internet Site Loop"));
    QVERIFY(posted.startsWith("iddeGrille=9&case[0][0]=1&case[0][1]=0"));
  }

  // A solution that reaches no site is never said to be accepted.
  void aPostWithoutReplyIsNotAccepted() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    auto server = std::make_unique<LoopbackHttp>([](const QByteArray &) -> QByteArray {
      QByteArray page = "<html><table id=grid>";
      for (int cell = 0; cell < 81; ++cell)
        page += "<td>" + (cell == 0 ? QByteArray("1") : QByteArray()) + "</td>";
      return page + "</table></html>";
    });
    WriteSites(server->Root().toLatin1());
    QVERIFY(LoadQuellaboSites(*f.app));
    QVERIFY(QuellaboLoadGrid(*f.app, 0, 1));
    QVERIFY2(f.Frame().windowTitle().contains(QStringLiteral("Loop-L1-")),
             qPrintable(f.Frame().windowTitle()));
    server.reset();
    QCOMPARE(QuellaboSubmitSolution(*f.app), std::string());
    const MessageRing &ring = f.app->Messages();
    QVERIFY(ring.Line(ring.NewestIndex()).Text.find("Error accessing Site") != std::string::npos);
  }

  // A second load started while the first waits for its page: the second's grid stays, with
  // its title, whatever the first's page brings after.
  void theNewerLoadWins() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    bool second = false;
    LoopbackHttp server([&](const QByteArray &request) -> QByteArray {
      const bool easy = request.contains("level=facile");
      if (easy && !second) {
        second = true;
        QTimer::singleShot(0, [&f] { QuellaboLoadGrid(*f.app, 0, 2); });
      }
      QByteArray page = "<html><table id=grid>";
      for (int cell = 0; cell < 81; ++cell)
        page += "<td>" + (cell == 0 ? QByteArray(easy ? "1" : "5") : QByteArray()) + "</td>";
      return page + "</table></html>";
    });
    WriteSites(server.Root().toLatin1());
    QVERIFY(LoadQuellaboSites(*f.app));
    QVERIFY(!QuellaboLoadGrid(*f.app, 0, 1));
    QVERIFY(second);
    QCOMPARE(f.app->Engine().Grids.Main[0].Cells[0].Value, 5);
    const QDate today = QDate::currentDate();
    QCOMPARE(f.app->GetCurrentDocument()->Title(),
             QStringLiteral("Loop-L2-%1").arg(today.toString(QStringLiteral("ddMMyyyy"))).toStdString());
  }

private:
  void WriteSites(const QByteArray &root) {
    QFile sites(home_.StartDirectory() + "/QuellaboSite.txt");
    QVERIFY(sites.open(QIODevice::WriteOnly));
    sites.write(
        "1\r\n--\r\nLoop\r\nA site of ours\r\nUn site a nous\r\nnone\r\nnone\r\nnone\r\n" + root +
        "/grid?level=%s\r\n1070\r\n1073\r\ncase\r\n0\r\n<table id=grid>\r\nline\r\n<td\r\nnone\r\n>\r\n"
        "none\r\nnone\r\n" +
        root + "/post\r\n" + root + "/rank\r\n" + root + "/info\r\n1\r\n");
  }

  AppTestHome home_;
};

QTEST_MAIN(QuellaboTest)
#include "quellabo_test.moc"
