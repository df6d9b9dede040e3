#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include "app/qt/variant_dialogs.h"

class VariantDialogsTest : public QObject {
  Q_OBJECT

private slots:
  void TheBlockDialogClosesOnlyOnANumberTheGridHas() {
    CDialogBlock escaped(9);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    QCOMPARE(escaped.Result(), -1);
    QVERIFY(!escaped.isVisible());

    CDialogBlock dialog(9);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_A); // 10: beyond a 9-wide grid
    QCOMPARE(dialog.Result(), 10);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_7);
    QCOMPARE(dialog.Result(), 7);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void TrioDataDefaultsToRunsOfValuesAndClearsTheChosenClass() {
    CDialogTrioData dialog(9, {});
    dialog.Default();
    const std::array<int8_t, 16> runs = {1, 1, 1, 2, 2, 2, 3, 3, 3};
    QVERIFY(dialog.Classes() == runs);
    dialog.SelectClass(2);
    dialog.GiveValue(9);
    dialog.Clear(); // class 2 only
    const std::array<int8_t, 16> cleared = {1, 1, 1, 0, 0, 0, 3, 3, 0};
    QVERIFY(dialog.Classes() == cleared);
  }

  void ANumeralPresetFillsTheWords() {
    CDialogNumeral dialog(4, {});
    dialog.UsePreset(1);
    QCOMPARE(dialog.Words()[0], std::string("ONE"));
    QCOMPARE(dialog.Words()[15], std::string("SIXTEEN"));
    dialog.UsePreset(5); // the phone keypad
    QCOMPARE(dialog.Words()[1], std::string("ABC"));
    dialog.Clear();
    QVERIFY(dialog.Words()[0].empty());
  }
};

QTEST_MAIN(VariantDialogsTest)
#include "variant_dialogs_test.moc"
