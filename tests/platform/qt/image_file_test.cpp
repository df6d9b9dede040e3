// Pictures Qt reads from files, held to the pixels one of our pictures may hold before Qt makes
// them: a larger photograph is read at half its size, a larger picture of another format refused.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/qt/image_file.h"

using namespace quorbel;

class ImageFileTest : public QObject {
  Q_OBJECT

private:
  QTemporaryDir dir_;

  // A grey picture of that size written as `format`; its path.
  std::string Written(const QString &name, QSize size, const char *format) {
    QImage grey(size, QImage::Format_Grayscale8);
    grey.fill(128);
    const QString path = dir_.path() + "/" + name;
    return grey.save(path, format) ? path.toStdString() : std::string();
  }

private slots:
  void aPictureAtTheBoundIsReadWhole() {
    const std::string path = Written("bound.png", {4096, 4096}, "PNG");
    QCOMPARE(ReadImageFile(path).size(), QSize(4096, 4096));
  }

  void aLargerPhotographIsReadAtHalfItsSize() {
    const std::string path = Written("large.jpg", {4200, 4100}, "JPEG");
    QCOMPARE(ReadImageFile(path).size(), QSize(2100, 2050));
  }

  void aLargerPictureOfAnotherFormatIsRefusedInWords() {
    const std::string path = Written("large.png", {4097, 4096}, "PNG");
    std::string reason;
    QVERIFY(ReadImageFile(path, &reason).isNull());
    QCOMPARE(reason, std::string("a picture of 4097 x 4096 pixels, more than this program holds"));
  }
};

int main(int argc, char **argv) {
  QGuiApplication app(argc, argv);
  ImageFileTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "image_file_test.moc"
