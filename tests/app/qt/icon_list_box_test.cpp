#include <QApplication>
#include <QtTest>

#include "app/qt/icon_list_box.h"

class IconListBoxTest : public QObject {
  Q_OBJECT

private slots:
  void RowsKeepTheirPictureIndexAndShowThatPicture() {
    CIconListBox list;
    QPixmap red(16, 16);
    red.fill(Qt::red);
    list.SetImageList({red});
    QCOMPARE(list.AddListItemWithData(QStringLiteral("Grille 1"), 0), 0);
    QCOMPARE(list.AddListItemWithData(QStringLiteral("Grille 2"), -1), 1);
    QCOMPARE(list.AddListItemWithData(QStringLiteral("Grille 3"), 7), 2); // no such picture
    QCOMPARE(list.ItemData(0), 0);
    QCOMPARE(list.ItemData(1), -1);
    QVERIFY(!list.item(0)->icon().isNull());
    QVERIFY(list.item(1)->icon().isNull());
    QVERIFY(list.item(2)->icon().isNull());
    QCOMPARE(list.item(0)->sizeHint().height(), 16);
    QCOMPARE(list.ItemData(9), -1);
  }
};

QTEST_MAIN(IconListBoxTest)
#include "icon_list_box_test.moc"
