// The one door through which the program opens every modal dialog, message box and file dialog.
// On screen they run as usual; tests and headless runs answer them from a script instead, so
// nothing ever waits for a person who is not there.
#pragma once

#include <QColor>
#include <QDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <map>

struct MessageBoxRequest {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

struct FileDialogRequest {
  QString caption;
  QString directory;
  QString filter; // Qt's form: "Quorbel Files (*.sud);;All Files (*)"
};

class DialogService {
public:
  virtual ~DialogService() = default;

  // Runs `dialog` modally; the result is what the dialog ended with (QDialog::Accepted, Rejected
  // or the value given to done()).
  virtual int Exec(QDialog &dialog) = 0;
  virtual QMessageBox::StandardButton MessageBox(QWidget *parent, const MessageBoxRequest &request) = 0;
  // The chosen path, empty when cancelled.
  virtual QString OpenFileName(QWidget *parent, const FileDialogRequest &request) = 0;
  virtual QString SaveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
  // The colour chooser from `start`; an invalid colour when cancelled.
  virtual QColor ChooseColour(QWidget *parent, const QColor &start) = 0;
  // A folder, from `directory`; empty when cancelled.
  virtual QString ChooseDirectory(QWidget *parent, const QString &caption, const QString &directory) = 0;
  // The print dialog on `printer`; false when cancelled.
  virtual bool Print(QWidget *parent, QPrinter &printer) = 0;
  // The preview of what `paint` draws on the printer's pages, until the player closes it.
  virtual void PrintPreview(QWidget *parent, QPrinter &printer,
                            const std::function<void(QPrinter &)> &paint) = 0;
  // The page set-up of `printer`; false when cancelled.
  virtual bool PageSetup(QWidget *parent, QPrinter &printer) = 0;
  // A file or page handed to the desktop's own program for it; false when none took it.
  virtual bool OpenExternal(const QUrl &url) = 0;
};

// The dialogs on screen, waiting for the player.
class WidgetDialogService final : public DialogService {
public:
  int Exec(QDialog &dialog) override;
  QMessageBox::StandardButton MessageBox(QWidget *parent, const MessageBoxRequest &request) override;
  QString OpenFileName(QWidget *parent, const FileDialogRequest &request) override;
  QString SaveFileName(QWidget *parent, const FileDialogRequest &request) override;
  // The chooser's sixteen custom colours stay as the player left them while the program runs.
  QColor ChooseColour(QWidget *parent, const QColor &start) override;
  QString ChooseDirectory(QWidget *parent, const QString &caption, const QString &directory) override;
  bool Print(QWidget *parent, QPrinter &printer) override;
  void PrintPreview(QWidget *parent, QPrinter &printer,
                    const std::function<void(QPrinter &)> &paint) override;
  bool PageSetup(QWidget *parent, QPrinter &printer) override;
  bool OpenExternal(const QUrl &url) override;
};

// Answers from a script: each dialog (by object name), message box and file dialog takes the
// next answer queued for it. Without one, a dialog is rejected, a message box takes Cancel, No
// or its default button, and a file dialog is cancelled. Every request is noted in Asked().
class ScriptedDialogService final : public DialogService {
public:
  // Acts on the dialog as a player would (clicks its buttons, fills its fields); the dialog's
  // own result then stands.
  using DialogAnswer = std::function<void(QDialog &)>;

  void AnswerDialog(const QString &objectName, DialogAnswer answer);
  void AnswerMessageBox(QMessageBox::StandardButton button);
  void AnswerFileName(const QString &path);
  void AnswerColour(const QColor &colour);
  // Headless runs print every request and its answer on the error stream.
  void SetEcho(bool echo) { echo_ = echo; }

  // "dialog <name>", "message <title>: <text>", "open <caption>", "save <caption>", in order.
  const QStringList &Asked() const { return asked_; }

  int Exec(QDialog &dialog) override;
  QMessageBox::StandardButton MessageBox(QWidget *parent, const MessageBoxRequest &request) override;
  QString OpenFileName(QWidget *parent, const FileDialogRequest &request) override;
  QString SaveFileName(QWidget *parent, const FileDialogRequest &request) override;
  QColor ChooseColour(QWidget *parent, const QColor &start) override;
  // Takes the next file-name answer ("folder <caption>" in Asked()).
  QString ChooseDirectory(QWidget *parent, const QString &caption, const QString &directory) override;
  // "print": accepted, the printer as it is set ("print" in Asked()). "preview": the pages are
  // painted once onto the printer. "page setup": accepted unchanged.
  bool Print(QWidget *parent, QPrinter &printer) override;
  void PrintPreview(QWidget *parent, QPrinter &printer,
                    const std::function<void(QPrinter &)> &paint) override;
  bool PageSetup(QWidget *parent, QPrinter &printer) override;
  // "external <url>": noted, never opened.
  bool OpenExternal(const QUrl &url) override;

private:
  void Note(const QString &request, const QString &answer);
  QString NextFileName(const QString &request);

  std::map<QString, std::deque<DialogAnswer>> dialogAnswers_;
  std::deque<QMessageBox::StandardButton> buttonAnswers_;
  std::deque<QString> fileAnswers_;
  std::deque<QColor> colourAnswers_;
  QStringList asked_;
  bool echo_ = false;
};
