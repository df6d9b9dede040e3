// The help window: the program's own pages, read offline in a text browser with Back, Forward
// and Contents. It stays above whatever window asked for it, a modal dialog included, and goes
// back to its home window when that dialog closes.
#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/language.h"

class QPushButton;
class QTextBrowser;

class CHelpWindow final : public QWidget {
  Q_OBJECT
public:
  // `home` is the window it returns to (the main frame); none leaves it on its own.
  explicit CHelpWindow(QWidget *home);

  // Shows the page file over `owner` (a modal dialog in front, or the home window), in front.
  void ShowPage(const QString &path, quorbel::Language language, QWidget *owner);
  // The same page in the other language, when the window is open.
  void FollowLanguage(quorbel::Language language);
  QUrl CurrentPage() const;
  QTextBrowser *Browser() const { return browser_; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void MoveTo(QWidget *owner);
  void SetLanguage(quorbel::Language language);
  void PlaceBeside(const QWidget *window);

  QPointer<QWidget> home_;
  QTextBrowser *browser_ = nullptr;
  QPushButton *back_ = nullptr;
  QPushButton *forward_ = nullptr;
  QPushButton *contents_ = nullptr;
  QUrl index_;
  bool placed_ = false;
};
