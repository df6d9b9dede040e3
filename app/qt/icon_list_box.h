// CIconListBox: a list of 16-pixel rows, each with a small picture from the list's images before
// its text, as the grid catalogue shows its grids.
#pragma once

#include <QListWidget>
#include <QPixmap>
#include <vector>

class CIconListBox final : public QListWidget {
  Q_OBJECT
public:
  explicit CIconListBox(QWidget *parent = nullptr);

  // The pictures the rows' data index; none: text alone.
  void SetImageList(std::vector<QPixmap> images);
  // Adds a row whose data is the index of its picture (-1 none); returns its index.
  int AddListItemWithData(const QString &text, int data);
  int ItemData(int row) const;

private:
  std::vector<QPixmap> images_;
};
