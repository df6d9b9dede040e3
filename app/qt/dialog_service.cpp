#include "app/qt/dialog_service.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <cstdio>

int WidgetDialogService::Exec(QDialog &dialog) { return dialog.exec(); }

QMessageBox::StandardButton WidgetDialogService::MessageBox(QWidget *parent,
                                                            const MessageBoxRequest &request) {
  QMessageBox box(request.icon, request.title, request.text, request.buttons, parent);
  box.setTextFormat(Qt::PlainText);
  if (request.defaultButton != QMessageBox::NoButton)
    box.setDefaultButton(request.defaultButton);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString WidgetDialogService::OpenFileName(QWidget *parent, const FileDialogRequest &request) {
  return QFileDialog::getOpenFileName(parent, request.caption, request.directory, request.filter);
}

QString WidgetDialogService::SaveFileName(QWidget *parent, const FileDialogRequest &request) {
  return QFileDialog::getSaveFileName(parent, request.caption, request.directory, request.filter);
}

QString WidgetDialogService::ChooseDirectory(QWidget *parent, const QString &caption,
                                             const QString &directory) {
  return QFileDialog::getExistingDirectory(parent, caption, directory);
}

QColor WidgetDialogService::ChooseColour(QWidget *parent, const QColor &start) {
  // QColorDialog keeps its custom colours for the life of the program.
  return QColorDialog::getColor(start, parent, QString(), QColorDialog::DontUseNativeDialog);
}

bool WidgetDialogService::OpenExternal(const QUrl &url) { return QDesktopServices::openUrl(url); }

void ScriptedDialogService::AnswerDialog(const QString &objectName, DialogAnswer answer) {
  dialogAnswers_[objectName].push_back(std::move(answer));
}

void ScriptedDialogService::AnswerMessageBox(QMessageBox::StandardButton button) {
  buttonAnswers_.push_back(button);
}

void ScriptedDialogService::AnswerFileName(const QString &path) { fileAnswers_.push_back(path); }

void ScriptedDialogService::Note(const QString &request, const QString &answer) {
  asked_.append(request);
  if (echo_)
    std::fprintf(stderr, "Quorbel: %s -> %s\n", qUtf8Printable(request), qUtf8Printable(answer));
}

int ScriptedDialogService::Exec(QDialog &dialog) {
  const QString request = QStringLiteral("dialog ") + dialog.objectName();
  auto queue = dialogAnswers_.find(dialog.objectName());
  dialog.setResult(QDialog::Rejected);
  if (queue == dialogAnswers_.end() || queue->second.empty()) {
    dialog.reject();
    Note(request, QStringLiteral("rejected"));
    return dialog.result();
  }
  const DialogAnswer answer = std::move(queue->second.front());
  queue->second.pop_front();
  answer(dialog);
  Note(request, QString::number(dialog.result()));
  return dialog.result();
}

QMessageBox::StandardButton ScriptedDialogService::MessageBox(QWidget *, const MessageBoxRequest &request) {
  QMessageBox::StandardButton answer;
  if (!buttonAnswers_.empty()) {
    answer = buttonAnswers_.front();
    buttonAnswers_.pop_front();
  } else if (request.buttons.testFlag(QMessageBox::Cancel)) {
    answer = QMessageBox::Cancel;
  } else if (request.buttons.testFlag(QMessageBox::No)) {
    answer = QMessageBox::No;
  } else if (request.defaultButton != QMessageBox::NoButton) {
    answer = request.defaultButton;
  } else {
    answer = QMessageBox::Ok;
  }
  Note(QStringLiteral("message ") + request.title + QStringLiteral(": ") + request.text,
       QString::number(answer));
  return answer;
}

QString ScriptedDialogService::NextFileName(const QString &request) {
  QString path;
  if (!fileAnswers_.empty()) {
    path = fileAnswers_.front();
    fileAnswers_.pop_front();
  }
  Note(request, path.isEmpty() ? QStringLiteral("cancelled") : path);
  return path;
}

QString ScriptedDialogService::OpenFileName(QWidget *, const FileDialogRequest &request) {
  return NextFileName(QStringLiteral("open ") + request.caption);
}

QString ScriptedDialogService::SaveFileName(QWidget *, const FileDialogRequest &request) {
  return NextFileName(QStringLiteral("save ") + request.caption);
}

QString ScriptedDialogService::ChooseDirectory(QWidget *, const QString &caption, const QString &) {
  return NextFileName(QStringLiteral("folder ") + caption);
}

void ScriptedDialogService::AnswerColour(const QColor &colour) { colourAnswers_.push_back(colour); }

QColor ScriptedDialogService::ChooseColour(QWidget *, const QColor &start) {
  QColor colour;
  if (!colourAnswers_.empty()) {
    colour = colourAnswers_.front();
    colourAnswers_.pop_front();
  }
  Note(QStringLiteral("colour ") + start.name(),
       colour.isValid() ? colour.name() : QStringLiteral("cancelled"));
  return colour;
}

bool WidgetDialogService::Print(QWidget *parent, QPrinter &printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, 1);
  return dialog.exec() == QDialog::Accepted;
}

void WidgetDialogService::PrintPreview(QWidget *parent, QPrinter &printer,
                                       const std::function<void(QPrinter &)> &paint) {
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&paint](QPrinter *pages) { paint(*pages); });
  dialog.exec();
}

bool WidgetDialogService::PageSetup(QWidget *parent, QPrinter &printer) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool ScriptedDialogService::Print(QWidget *, QPrinter &printer) {
  Note(QStringLiteral("print"),
       printer.outputFileName().isEmpty() ? QStringLiteral("printer") : printer.outputFileName());
  return true;
}

void ScriptedDialogService::PrintPreview(QWidget *, QPrinter &printer,
                                         const std::function<void(QPrinter &)> &paint) {
  Note(QStringLiteral("preview"), QStringLiteral("shown"));
  paint(printer);
}

bool ScriptedDialogService::PageSetup(QWidget *, QPrinter &) {
  Note(QStringLiteral("page setup"), QStringLiteral("accepted"));
  return true;
}

bool ScriptedDialogService::OpenExternal(const QUrl &url) {
  Note(QStringLiteral("external ") + url.toString(), QStringLiteral("noted"));
  return true;
}
