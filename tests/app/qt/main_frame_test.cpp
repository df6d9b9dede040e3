#include <QtTest>

#include "app/qt/main_frame.h"

class MainFrameTest : public QObject {
  Q_OBJECT
private slots:
  void OpensTitledWindowThatPaints() {
    CMainFrame frame;
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Quorbel"));
    const QImage shot = frame.grab().toImage();
    QVERIFY(!shot.isNull());
    QCOMPARE(shot.width(), frame.width());
  }
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
