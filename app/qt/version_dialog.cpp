#include "app/qt/version_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt/command_dispatcher.h"
#include "app/qt/dialog_host.h"
#include "app/qt/dialog_service.h"
#include "app/qt/dialog_text.h"
#include "net/qt/page_reader.h"
#include "net/version_check.h"

using namespace quorbel;

CDialogVersion::CDialogVersion(const QString &message, Language language, QWidget *parent) : QDialog(parent) {
  const bool french = language != Language::English;
  setObjectName(QStringLiteral("CDialogVersion"));
  setWindowTitle(french ? QStringLiteral("Nouvelle version Disponible")
                        : QStringLiteral("New version Available"));
  auto *text = new QLabel(message, this);
  text->setObjectName(ControlName(1350));
  text->setTextFormat(Qt::PlainText);
  auto *buttons = new QDialogButtonBox(this);
  QPushButton *yes = buttons->addButton(french ? QStringLiteral("OUI") : QStringLiteral("YES"),
                                        QDialogButtonBox::AcceptRole);
  yes->setObjectName(QStringLiteral("yes"));
  QPushButton *cancel = buttons->addButton(french ? QStringLiteral("Annule") : QStringLiteral("Cancel"),
                                           QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(buttons);
}

void VersionCheck(DialogHost &app) {
  const Language language = app.CurrentLanguage();
  const QUrl page(QString::fromStdString(app.Settings().defi.versionPage));
  std::optional<double> version;
  bool tooLarge = false;
  if (const std::optional<QByteArray> bytes = ReadPage(page, kPageTimeoutMs, &tooLarge)) {
    const std::string published = ReadPublishedVersion(std::string_view(bytes->constData(), bytes->size()));
    version = PublishedVersionNumber(published);
  }
  if (tooLarge) {
    // Nothing to choose: the page was not read.
    app.Dialogs().MessageBox(app.DialogParent(),
                             {QStringLiteral("Quorbel"),
                              QString::fromStdString(PageTooLargeMessage(page.toDisplayString().toStdString(),
                                                                         language != Language::English)),
                              QMessageBox::Warning});
    return;
  }
  const QUrl site = page.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
  const std::string message =
      VersionMessage(version, site.toString().toStdString(), language == Language::English ? 1 : 0);
  CDialogVersion dialog(QString::fromStdString(message), language, app.DialogParent());
  if (app.Dialogs().Exec(dialog) != QDialog::Accepted || !site.isValid() || site.isEmpty())
    return;
  QUrl download = site;
  download.setPath(language == Language::English ? QStringLiteral("/Download_en.php")
                                                 : QStringLiteral("/Download.php"));
  app.Dialogs().OpenExternal(download);
}

void RegisterVersionCheck(CommandDispatcher &commands, DialogHost &app) {
  commands.SetHandler(Cmd::CheckVersion, [&app](CommandId) { VersionCheck(app); });
}
