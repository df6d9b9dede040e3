// The pictures the dialogs and the start screen paint under their controls, loaded once at start-up
// from the program's directory, each with the outcome of its load: a dialog stays readable without.
#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

class QPainter;
class QWidget;

struct DialogPictures {
  QImage Artist;         // under the methods panel and the new-grid dialogs
  QImage Artist1;        // under the start screen
  QImage Kids;           // under the children's game
  int ArtistStatus = -1; // 0 loaded
  int Artist1Status = -1;
  int KidsStatus = -1;
  // The pictures there but not read, each "<path> (<reason>)"; a missing one is no failure.
  std::vector<std::string> Failures;
};

DialogPictures LoadDialogPictures(const QString &startDirectory);

// Paints `picture` stretched over the widget when it was loaded.
void PaintDialogPicture(QPainter &painter, const QWidget &widget, const QImage &picture, int status);
