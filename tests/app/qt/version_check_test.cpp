// Check Version against a page served by a loopback server of ours: the newer version said, and
// the download page handed to the desktop after YES; no page gives the "bad attempt" message.
#include <QLabel>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/qt/version_dialog.h"
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
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QByteArray agent;
    connect(&server, &QTcpServer::newConnection, &server, [&] {
      QTcpSocket *client = server.nextPendingConnection();
      connect(client, &QTcpSocket::readyRead, client, [&, client] {
        const QByteArray request = client->readAll();
        const qsizetype at = request.indexOf("User-Agent: ");
        agent = request.mid(at + 12, request.indexOf('\r', at) - at - 12);
        const QByteArray body = "<html>\n<p>sudokuversion...........123456785.2</p>\n</html>\n";
        client->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\n\r\n" + body);
        client->disconnectFromHost();
      });
    });
    const QString site = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort());
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

private:
  AppTestHome home_;
};

QTEST_MAIN(VersionCheckTest)
#include "version_check_test.moc"
