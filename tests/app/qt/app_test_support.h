// Shared by the frame's Qt tests: a configuration home and a start directory of their own, and
// an application started with every dialog answered by script.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "files/macro_recorder.h"
#include "platform/qt/profile_store.h"

namespace quorbel::testing {

inline QByteArray ReadAll(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

class AppTestHome {
public:
  AppTestHome() {
    // Before the first QSettings: it reads the configuration home once.
    qputenv("XDG_CONFIG_HOME", home_.path().toUtf8());
    QDir(home_.path()).mkpath(QStringLiteral("game"));
  }

  QString StartDirectory() const { return home_.path() + QStringLiteral("/game"); }
  QString IniPath() const { return home_.path() + QStringLiteral("/QRB/Quorbel.ini"); }

  // A first start: no settings at all, and no log.
  void Clear() const {
    QFile::remove(IniPath());
    QFile::remove(StartDirectory() + QStringLiteral("/Quorbel.sudlog"));
  }
  void WriteInt(std::string_view section, std::string_view key, int32_t value) const {
    ProfileStore store;
    store.WriteInt(section, key, value);
    store.Flush();
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) const {
    ProfileStore store;
    store.WriteString(section, key, value);
    store.Flush();
  }
  int32_t ReadInt(std::string_view section, std::string_view key) const {
    ProfileStore store;
    return store.GetInt(section, key, -99);
  }

private:
  QTemporaryDir home_;
};

// The steps between the start and the end of a recording, as written (without their help texts).
inline QStringList RecordedSteps(const AppTestHome &home, const QString &name) {
  quorbel::StopMacroRecording(false);
  const QByteArray bytes = ReadAll(home.StartDirectory() + "/" + name + ".macro");
  QStringList steps;
  for (const QByteArray &line : bytes.split('\n')) {
    // The recorder follows each step with its help text after a TAB.
    const QString step = QString::fromLatin1(line).section('\t', 0, 0).trimmed();
    if (!step.isEmpty() && !step.startsWith(';'))
      steps << step;
  }
  return steps;
}

// An application started in `language` (written to the settings first), its dialogs answered by
// `dialogs`.
struct StartedApp {
  StartedApp(const AppTestHome &home, Language language, bool expert = false,
             const QStringList &arguments = {QStringLiteral("quorbel")}) {
    home.Clear();
    home.WriteInt("GENERAL", "LANGUAGE", static_cast<int32_t>(language));
    home.WriteInt("PARAMETER", "QRBDebug", expert ? 1 : 0);
    app = std::make_unique<CQuorbelApp>(AppOptions{
        .dialogs = &dialogs, .headless = false, .startDirectory = home.StartDirectory().toStdString()});
    started = app->InitInstance(arguments);
  }
  ~StartedApp() {
    if (app && app->MainFrame())
      app->MainFrame()->hide();
  }

  CMainFrame &Frame() const { return *app->MainFrame(); }

  ScriptedDialogService dialogs;
  std::unique_ptr<CQuorbelApp> app;
  bool started = false;
};

} // namespace quorbel::testing
