// The program's entry: the Qt application, then the application object that runs start-up, the
// event loop and shutdown.
#include <QApplication>

#include "app/qt/music_dialog.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/sound_effect_services.h"
#include "media/qt/metafile_painter.h"
#include "platform/memory_reuse.h"
#include "platform/qt/sound_server.h"
#include "view/qt/quorbel_view.h"

int main(int argc, char **argv) {
  quorbel::KeepFreedMemoryForReuse();
  QApplication application(argc, argv);
  InstallOutOfMemoryHandler();
  quorbel::InstallMetafilePlayer();
  const QString platform = QGuiApplication::platformName();
  const bool headless = platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
  int status = 0;
  // Asked from the start, so that a healthy server has answered before the window shows.
  quorbel::SoundServerCheck soundServer;
  {
    AppOptions options;
    options.headless = headless;
    CQuorbelApp app(options);
    InstallBoardView(app);
    InstallSoundEffects(app.Services(), app.Settings(), app.Messages());
    InstallMusic(app);
    app.Services().whenSoundServerKnown = [&soundServer, headless](QObject *context,
                                                                   std::function<void()> then) {
      // A headless run plays its macro at once and ends with it: the sound starts first, or is
      // told missing, as on a screen, once the server has answered or been given up.
      if (headless)
        soundServer.WaitUntilKnown();
      soundServer.WhenKnown(context, std::move(then));
    };
    if (app.InitInstance(QCoreApplication::arguments())) {
      status = QApplication::exec();
      app.ExitInstance();
    } else {
      status = 1;
    }
  }
  // The sound devices go before the Qt application does.
  ReleaseMusic();
  ReleaseSoundEffects(mySoundManager);
  return status;
}
