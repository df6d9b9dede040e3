#include "app/qt/icon_list_box.h"

namespace {

constexpr int kRowHeight = 16;
constexpr int kNoPicture = -1;
constexpr int kTextGap = 2; // between the picture and the text

} // namespace

CIconListBox::CIconListBox(QWidget *parent) : QListWidget(parent) {
  setIconSize(QSize(kRowHeight, kRowHeight));
}

void CIconListBox::SetImageList(std::vector<QPixmap> images) { images_ = std::move(images); }

int CIconListBox::AddListItemWithData(const QString &text, int data) {
  auto *item = new QListWidgetItem(text, this);
  item->setData(Qt::UserRole, data);
  item->setSizeHint(QSize(kRowHeight + kTextGap + fontMetrics().horizontalAdvance(text), kRowHeight));
  if (data != kNoPicture && data >= 0 && static_cast<size_t>(data) < images_.size())
    item->setIcon(QIcon(images_[static_cast<size_t>(data)]));
  return row(item);
}

int CIconListBox::ItemData(int at) const {
  const QListWidgetItem *entry = item(at);
  return entry ? entry->data(Qt::UserRole).toInt() : kNoPicture;
}
