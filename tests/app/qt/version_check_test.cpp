// Check Version against a page served by a loopback server of ours: the newer version said, and
// the download page handed to the desktop after YES; no page gives the "bad attempt" message.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/qt/version_dialog.h"
#include "net/page_limit.h"
#include "tests/net/qt/loopback_http.h"
#include "tests/view/qt/view_test_support.h"

using namespace quorbel;
using namespace quorbel::testing;

class VersionCheckTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

  void aNewerVersionOffersTheDownloadPage() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    QByteArray agent;
    LoopbackHttp server([&](const QByteArray &request) -> QByteArray {
      const qsizetype at = request.indexOf("User-Agent: ");
      agent = request.mid(at + 12, request.indexOf('\r', at) - at - 12);
      return "<html>\n<p>sudokuversion...........123456785.2</p>\n</html>\n";
    });
    QVERIFY(server.Listening());
    const QString site = server.Root();
    f.app->Settings().defi.versionPage = (site + "/index.html").toStdString();
    QString shown;
    f.dialogs.AnswerDialog("CDialogVersion", [&](QDialog &d) {
      shown = d.findChild<QLabel *>("control1350")->text();
      d.findChild<QPushButton *>("yes")->click();
    });
    VersionCheck(*f.app);
    QCOMPARE(agent, QByteArray("Quorbel"));
    QVERIFY2(shown.startsWith("A new version of Quorbel is available on web site " + site),
             qPrintable(shown));
    QVERIFY(f.dialogs.Asked().contains("external " + site + "/Download_en.php"));

    f.app->Settings().defi.versionPage.clear();
    f.dialogs.AnswerDialog("CDialogVersion", [&](QDialog &d) {
      shown = d.findChild<QLabel *>("control1350")->text();
      d.reject();
    });
    VersionCheck(*f.app);
    QCOMPARE(shown, QStringLiteral("Bad attempt to read version. Please verify your Internet connection."));
  }

  // Announced or not, a page larger than any site serves is dropped and the check says why, with
  // nothing offered to choose.
  void aPageTooLargeIsRefusedInWords() {
    FrameWithBoard f(home_);
    QVERIFY(f.started);
    const QByteArray huge(kMostPageBytes + 1, 'x');
    LoopbackHttp announced([&](const QByteArray &) { return huge; });
    QTcpServer streaming;
    QVERIFY(streaming.listen(QHostAddress::LocalHost));
    connect(&streaming, &QTcpServer::newConnection, &streaming, [&] {
      QTcpSocket *client = streaming.nextPendingConnection();
      connect(client, &QTcpSocket::readyRead, client, [client, &huge] {
        client->readAll();
        client->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + huge);
        client->disconnectFromHost();
      });
    });
    for (const QString &root :
         {announced.Root(), QStringLiteral("http://127.0.0.1:%1").arg(streaming.serverPort())}) {
      f.app->Settings().defi.versionPage = (root + "/index.html").toStdString();
      bool offered = false;
      f.dialogs.AnswerDialog("CDialogVersion", [&](QDialog &d) {
        offered = true;
        d.reject();
      });
      VersionCheck(*f.app);
      // Said in a plain box: with nothing read there is nothing to choose.
      QVERIFY(!offered);
      QVERIFY2(f.dialogs.Asked()
                       .filter("The page " + root + "/index.html is larger than 16 MB: it was not read.")
                       .size() == 1,
               qPrintable(f.dialogs.Asked().join('\n')));
    }
  }

private:
  AppTestHome home_;
};

QTEST_MAIN(VersionCheckTest)
#include "version_check_test.moc"
