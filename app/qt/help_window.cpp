#include "app/qt/help_window.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/dialog_text.h"

using namespace quorbel;

namespace {

constexpr int kWidth = 620;
constexpr int kHeight = 640;

} // namespace

CHelpWindow::CHelpWindow(QWidget *home) : QWidget(home, Qt::Window), home_(home) {
  setObjectName(QStringLiteral("CHelpWindow"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Our pages link to each other; anything outside them opens in the desktop's programs.
  browser_->setOpenExternalLinks(true);
  back_ = new QPushButton(this);
  forward_ = new QPushButton(this);
  contents_ = new QPushButton(this);
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents_, &QPushButton::clicked, this, [this] {
    if (index_.isValid())
      browser_->setSource(index_);
  });
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);

  auto *buttons = new QHBoxLayout;
  buttons->addWidget(back_);
  buttons->addWidget(forward_);
  buttons->addWidget(contents_);
  buttons->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(browser_, 1);
  resize(kWidth, kHeight);
}

void CHelpWindow::SetLanguage(Language language) {
  setWindowTitle(DialogText(language, "Aide de Quorbel", "Quorbel Help"));
  back_->setText(DialogText(language, "< Précédent", "< Back"));
  forward_->setText(DialogText(language, "Suivant >", "Forward >"));
  contents_->setText(DialogText(language, "Sommaire", "Contents"));
}

void CHelpWindow::ShowPage(const QString &path, Language language, QWidget *owner) {
  SetLanguage(language);
  const QUrl page = QUrl::fromLocalFile(path);
  index_ = page.resolved(QUrl(QStringLiteral("index.html")));
  if (owner != parentWidget())
    MoveTo(owner);
  browser_->setSource(page);
  if (!placed_ && owner)
    PlaceBeside(owner->window());
  show();
  raise();
  activateWindow();
}

void CHelpWindow::PlaceBeside(const QWidget *window) {
  // Beside the window it explains rather than over it, as far as the screen allows.
  placed_ = true;
  const QRect screen = window->screen() ? window->screen()->availableGeometry() : QRect();
  const QRect beside = window->frameGeometry();
  QPoint at(beside.right() + 1, beside.top());
  if (screen.isValid()) {
    at.setX(std::max(screen.left(), std::min(at.x(), screen.right() + 1 - width())));
    at.setY(std::max(screen.top(), std::min(at.y(), screen.bottom() + 1 - height())));
  }
  move(at);
}

void CHelpWindow::FollowLanguage(Language language) {
  SetLanguage(language);
  if (!isVisible())
    return;
  // help/<fr|en>/<page>.html: the page of the same name in the other language's folder.
  const QFileInfo shown(CurrentPage().toLocalFile());
  QDir folder = shown.dir();
  if (folder.cdUp() && folder.cd(IsFrench(language) ? QStringLiteral("fr") : QStringLiteral("en")) &&
      folder.exists(shown.fileName()))
    ShowPage(folder.filePath(shown.fileName()), language, parentWidget());
}

QUrl CHelpWindow::CurrentPage() const { return browser_->source(); }

void CHelpWindow::MoveTo(QWidget *owner) {
  // A window of its own is blocked by a modal dialog unless that dialog is its parent.
  if (QWidget *previous = parentWidget(); previous && previous != home_)
    previous->removeEventFilter(this);
  const QRect place = geometry();
  const bool shown = isVisible();
  setParent(owner, Qt::Window);
  setGeometry(place);
  if (owner && owner != home_)
    owner->installEventFilter(this);
  if (shown) {
    // Still in sight, but the keys go back to the window the player returns to.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
  }
}

bool CHelpWindow::eventFilter(QObject *watched, QEvent *event) {
  // The dialog it stood over closes: the page stays open over the home window.
  if (watched == parentWidget() && event->type() == QEvent::Hide)
    MoveTo(home_);
  return QWidget::eventFilter(watched, event);
}
