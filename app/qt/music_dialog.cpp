#include "app/qt/music_dialog.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "app/message_format.h"
#include "app/message_line.h"
#include "app/music_folder.h"
#include "app/qt/display_toggles.h"
#include "app/qt/level_meter_widget.h"
#include "app/qt/main_frame.h"
#include "app/qt/preference_tabs.h"
#include "app/qt/preference_window.h"
#include "app/qt/quorbel_app.h"
#include "app/volume_table.h"
#include "files/file_failure.h"
#include "files/macro_recorder.h"
#include "files/script_words.h"
#include "media/mp3_player.h"
#include "platform/clock.h"
#include "platform/fallback_audio_output.h"
#include "platform/null_audio_output.h"
#include "platform/paths.h"
#include "platform/qt/qt_audio_output.h"

using namespace quorbel;

namespace {

constexpr int kSliderSteps = kMusicVolumeSteps;
enum Picture { kPlay, kPrevious, kNext, kPause, kStop, kSoundOn, kSoundOff };

// Our button pictures: dark shapes on a clear ground, 16 x 16.
QPixmap MusicPicture(Picture picture) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 50, 110));
  const auto triangle = [&](double left, double right) {
    QPainterPath path;
    path.moveTo(left, 3);
    path.lineTo(right, 8);
    path.lineTo(left, 13);
    path.closeSubpath();
    painter.drawPath(path);
  };
  switch (picture) {
  case kPlay:
    triangle(4, 13);
    break;
  case kPrevious:
    triangle(8, 1);
    triangle(15, 8);
    break;
  case kNext:
    triangle(1, 8);
    triangle(8, 15);
    break;
  case kPause:
    painter.drawRect(QRectF(4, 3, 3, 10));
    painter.drawRect(QRectF(9, 3, 3, 10));
    break;
  case kStop:
    painter.drawRect(QRectF(4, 4, 8, 8));
    break;
  case kSoundOn:
  case kSoundOff: {
    QPainterPath speaker;
    speaker.moveTo(2, 6);
    speaker.lineTo(5, 6);
    speaker.lineTo(9, 2);
    speaker.lineTo(9, 14);
    speaker.lineTo(5, 10);
    speaker.lineTo(2, 10);
    speaker.closeSubpath();
    painter.drawPath(speaker);
    painter.setBrush(Qt::NoBrush);
    if (picture == kSoundOn) {
      painter.setPen(QPen(QColor(30, 50, 110), 1.3));
      painter.drawArc(QRectF(7, 5, 5, 6), -60 * 16, 120 * 16);
      painter.drawArc(QRectF(7, 3, 8, 10), -60 * 16, 120 * 16);
    } else {
      painter.setPen(QPen(QColor(200, 30, 30), 1.8));
      painter.drawLine(QPointF(10.5, 5), QPointF(15, 11));
      painter.drawLine(QPointF(15, 5), QPointF(10.5, 11));
    }
    break;
  }
  }
  return pixmap;
}

std::unique_ptr<CMp3Player> gPlayer;

} // namespace

CDialogMus::CDialogMus(DialogHost &host, ModelessPanels &panels, OutsideServices &services,
                       CMp3Player &player, Language language, QWidget *parent)
    : QDialog(parent), host_(host), panels_(panels), services_(services), player_(player),
      language_(language) {
  const bool french = language != Language::English;
  setWindowTitle(french ? QStringLiteral("Musique") : QStringLiteral("Music"));
  setFixedSize(268, 46);
  Clock = [] { return TimeGetTime(); };

  const Picture pictures[5] = {kPlay, kPrevious, kNext, kPause, kStop};
  const char *tips[5][2] = {{"Jouer", "Play"},
                            {"Précédent", "Previous"},
                            {"Suivant", "Next"},
                            {"Pause", "Pause"},
                            {"Arrêt", "Stop"}};
  const std::function<void()> actions[5] = {[this] { OnPlay(); }, [this] { OnPrevious(); },
                                            [this] { OnNext(); }, [this] { OnPause(); },
                                            [this] { OnStop(); }};
  for (int i = 0; i < 5; ++i) {
    buttons_[i] = new QToolButton(this);
    buttons_[i]->setIcon(MusicPicture(pictures[i]));
    buttons_[i]->setToolTip(QString::fromUtf8(tips[i][french ? 0 : 1]));
    buttons_[i]->setGeometry(4 + 26 * i, 3, 24, 21);
    connect(buttons_[i], &QToolButton::clicked, this, actions[i]);
  }
  silence_ = new QToolButton(this);
  silence_->setGeometry(140, 3, 24, 21);
  silence_->setToolTip(french ? QStringLiteral("Silence") : QStringLiteral("Silence"));
  connect(silence_, &QToolButton::clicked, this, [this] { OnSilence(); });

  name_ = new ClickableLabel([this] { OnMusicName(); }, this);
  name_->setGeometry(6, 27, 210, 16);
  name_->setToolTip(french ? QStringLiteral("Choisir la musique") : QStringLiteral("Choose the music"));

  slider_ = new QSlider(Qt::Vertical, this);
  slider_->setRange(0, kSliderSteps);
  slider_->setInvertedAppearance(true); // 0, the loudest, at the top
  slider_->setGeometry(222, 3, 18, 40);
  connect(slider_, &QSlider::sliderReleased, this, [this] { OnSliderReleased(); });
  // The slider's own wheel would move it upside down and leave the volume as it was.
  slider_->installEventFilter(this);

  meters_[0] = new LevelMeterWidget(245, this);
  meters_[1] = new LevelMeterWidget(255, this);
  RefreshFromSettings();

  connect(&meterTimer_, &QTimer::timeout, this, [this] { OnMeterTick(); });
  connect(&walkTimer_, &QTimer::timeout, this, [this] { OnWalkTick(); });
  meterTimer_.start(50);
  walkTimer_.start(1000);
}

QString CDialogMus::ShownName() const { return name_->text(); }

void CDialogMus::RefreshFromSettings() {
  const MusicSettings &music = host_.Settings().music;
  silence_->setIcon(MusicPicture(music.silent != 0 ? kSoundOff : kSoundOn));
  silence_->setChecked(music.silent != 0);
  ShowVolume();
  name_->setText(QString::fromStdString(FileNameOfPath(music.musicFile)));
}

void CDialogMus::ShowVolume() {
  // The bar's slider is upside down: its top, position 0, is the loudest.
  slider_->setValue(kSliderSteps - MusicStepOfVolume(host_.Settings().music.musicVolume));
}

int MusicPlayerVolume(const MusicSettings &music) {
  return music.silent != 0 ? 0 : std::clamp(music.musicVolume, 0, 100);
}

bool CDialogMus::OpenMusic(const std::string &file) {
  MusicSettings &music = host_.Settings().music;
  if (player_.OpenMp3FileByName(MakeAbsolutePath(file)) == 1)
    return true;
  // One message is enough: the timer does not try the file again.
  music.musicStop = 1;
  return false;
}

void CDialogMus::PlayFile(const std::string &file) {
  MusicSettings &music = host_.Settings().music;
  player_.CloseMp3File();
  music.musicFile = MakeRelativePath(file);
  name_->setText(QString::fromStdString(FileNameOfPath(file)));
  if (!OpenMusic(file))
    return;
  const int volume = MusicPlayerVolume(music);
  player_.SetVolume(volume, volume);
  player_.Play();
  ShowVolume();
}

void CDialogMus::OnPlay() {
  MusicSettings &music = host_.Settings().music;
  if (!player_.IsOpen() && !music.musicFile.empty())
    OpenMusic(music.musicFile);
  if (player_.IsOpen())
    player_.Play();
  music.musicStop = 0;
}

void CDialogMus::OnPause() {
  if (player_.GetStatus() == CMp3Player::kPaused)
    player_.Resume();
  else if (player_.IsOpen())
    player_.Pause();
  host_.Settings().music.musicStop = 0;
}

void CDialogMus::OnStop() {
  if (player_.IsOpen())
    player_.Stop();
  host_.Settings().music.musicStop = 1;
}

void CDialogMus::Step(bool forward) {
  MusicSettings &music = host_.Settings().music;
  if (music.musicFile.empty())
    return;
  if (!player_.IsOpen()) {
    if (OpenMusic(music.musicFile)) {
      player_.Play();
      music.musicStop = 0;
    }
    return;
  }
  if (music.useDirectory == 1) {
    const std::string next = NextMusicFile(MakeAbsolutePath(music.musicFile), forward);
    if (!next.empty())
      PlayFile(next);
  } else {
    const int position = player_.GetPosition();
    if (!forward)
      player_.SeekPosition(position <= 20 ? 0 : position - 20);
    else if (player_.GetStatus() == CMp3Player::kPlaying || position != 0)
      player_.SeekPosition(position + 20);
    player_.Play();
  }
  music.musicStop = 0;
}

void CDialogMus::OnMusicName() {
  const QString path = host_.Dialogs().OpenFileName(
      this, {windowTitle(), QString::fromStdString(MakeAbsolutePath(host_.Settings().directory.music)),
             QStringLiteral("Music Files Mp3 (*.mp3);;Music Files Wav (*.wav);;All Files (*)")});
  if (path.isEmpty())
    return;
  const std::string relative = MakeRelativePath(path.toStdString());
  host_.Settings().music.musicFile = relative;
  name_->setText(QString::fromStdString(FileNameOfPath(relative)));
  host_.SaveSettings();
  RecordMacroStep(kMacroMusFile, relative);
}

void CDialogMus::OnSilence() {
  MusicSettings &music = host_.Settings().music;
  music.silent = 1 - music.silent;
  if (services_.applyMusicVolume)
    services_.applyMusicVolume();
  RefreshFromSettings();
  if (auto *sheet = dynamic_cast<CPreference *>(panels_.Window(kPreferencePanel));
      sheet && sheet->isVisible())
    sheet->RefreshPages();
}

void CDialogMus::TakeVolume(int position) {
  MusicSettings &music = host_.Settings().music;
  if (music.silent == 1) {
    music.silent = 0;
    RefreshFromSettings();
  }
  const int volume = MusicVolumeOfStep(kSliderSteps - position);
  player_.SetVolume(volume, volume);
  music.musicVolume = volume;
  slider_->setValue(position);
}

void CDialogMus::OnSliderReleased() { TakeVolume(slider_->value()); }

void CDialogMus::wheelEvent(QWheelEvent *event) {
  event->accept();
  if (event->angleDelta().y() == 0)
    return;
  // Turned towards the player: quieter.
  const int step = event->angleDelta().y() < 0 ? 1 : -1;
  TakeVolume(std::clamp(slider_->value() + step, 0, kSliderSteps));
}

bool CDialogMus::eventFilter(QObject *watched, QEvent *event) {
  if (watched == slider_ && event->type() == QEvent::Wheel) {
    wheelEvent(static_cast<QWheelEvent *>(event));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CDialogMus::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() == Qt::RightButton) {
    host_.SaveSettings();
    panels_.SetShown(kPreferencePanel, true);
    return;
  }
  QDialog::mouseReleaseEvent(event);
}

void CDialogMus::OnMeterTick() {
  int left = 0;
  int right = 0;
  if (player_.GetStatus() == CMp3Player::kPlaying)
    player_.GetVuLevels(left, right);
  const uint32_t now = Clock();
  meters_[0]->SetLevelMeterValue(MeterCurve(left), now);
  meters_[1]->SetLevelMeterValue(MeterCurve(right), now);
}

void CDialogMus::OnWalkTick() {
  MusicSettings &music = host_.Settings().music;
  if (walking_ || music.musicStop != 0 || player_.GetStatus() != CMp3Player::kStopped)
    return;
  walking_ = true;
  if (music.useDirectory == 1) {
    player_.CloseMp3File();
    const std::string current = MakeAbsolutePath(music.musicFile);
    std::string next = NextMusicFile(current, true);
    if (next.empty() && music.autoLoop == 1) {
      const std::vector<std::string> files = MusicFilesLike(current);
      if (!files.empty())
        next = files.front();
    }
    if (!next.empty())
      PlayFile(next);
  } else if (music.autoLoop == 1 && player_.Replay() == 0) {
    music.musicStop = 1;
  }
  walking_ = false;
}

CMp3Player *MusicPlayer() { return gPlayer.get(); }

void ReleaseMusic() { gPlayer.reset(); }

namespace {

// The player's own words name its functions, in English, for the log: the player is told which
// music could not be played and, when the file could not be opened, why, in his language.
QString MusicFailureText(CQuorbelApp &app, const std::string &report) {
  const Language language = app.CurrentLanguage();
  const bool english = language == Language::English;
  const std::string file = FileNameOfPath(app.Settings().music.musicFile);
  // An open's failure ends with its reason in brackets: "...\n<file> (<reason>)".
  const size_t open = report.rfind(" (");
  std::string reason;
  if (open != std::string::npos && report.ends_with(')') && report.find('\n', open) == std::string::npos)
    reason = LocalisedFileDetail(report.substr(open + 2, report.size() - open - 3), language);
  const PanelText said =
      reason.empty() ? FormatPanelText(english ? OwnText("The music %s cannot be played.")
                                               : OwnText("La musique %s ne peut pas être jouée."),
                                       {FormatArg(file)})
                     : FormatPanelText(english ? OwnText("The music %s cannot be played (%s).")
                                               : OwnText("La musique %s ne peut pas être jouée (%s)."),
                                       {FormatArg(file), FormatArg(reason)});
  return QString::fromStdString(StripLinkMarkers(said));
}

} // namespace

void InstallMusic(CQuorbelApp &app, std::function<std::unique_ptr<AudioOutput>()> makeOutput) {
  const auto noDevice = [&app] {
    static bool told = false;
    if (told)
      return;
    told = true;
    app.PostMessage(PanelText(app.CurrentLanguage() == Language::English
                                  ? OwnText("No sound output here: the music plays in silence.")
                                  : OwnText("Pas de sortie son ici : la musique joue en silence.")));
  };
  // The player's failures may come from its own thread: they are shown on the window's, and
  // logged as the other load failures are, on one line.
  const auto report = [&app](const std::string &text) {
    QMetaObject::invokeMethod(
        qApp,
        [&app, text] {
          std::string line;
          for (const char c : text)
            if (c != '\n')
              line += c;
            else if (!line.empty() && line.back() != ' ')
              line += ' ';
          app.Log().AppendLogLine(PanelText::Plain(line));
          app.Dialogs().MessageBox(app.MainFrame(), {QStringLiteral("Quorbel"), MusicFailureText(app, text),
                                                     QMessageBox::Warning});
        },
        Qt::QueuedConnection);
  };
  if (!makeOutput)
    makeOutput = [noDevice]() -> std::unique_ptr<AudioOutput> {
      return std::make_unique<FallbackAudioOutput>(std::make_unique<QtAudioOutput>(),
                                                   std::make_unique<NullAudioOutput>(), noDevice);
    };
  gPlayer = std::make_unique<CMp3Player>(std::move(makeOutput), report);

  OutsideServices &services = app.Services();
  services.playMusic = [&app](const std::string &file, int volume) {
    if (!gPlayer)
      return false;
    gPlayer->CloseMp3File();
    if (gPlayer->OpenMp3FileByName(file) != 1) {
      // Told once: the bar's walk through the folder does not try again.
      app.Settings().music.musicStop = 1;
      return false;
    }
    gPlayer->SetVolume(volume, volume);
    return gPlayer->Play() == 1;
  };
  services.closeMusic = [] {
    if (gPlayer)
      gPlayer->CloseMp3File();
  };
  services.applyMusicVolume = [&app] {
    const MusicSettings &music = app.Settings().music;
    const int volume = MusicPlayerVolume(music);
    if (gPlayer)
      gPlayer->SetVolume(volume, volume);
    app.SaveSettings();
    if (auto *bar = dynamic_cast<CDialogMus *>(app.Panels().Window(kMusicPanel)))
      bar->RefreshFromSettings();
  };
  app.Panels().Register(std::string(kMusicPanel), [&app](Language language, QWidget *parent) {
    return std::make_unique<CDialogMus>(app, app.Panels(), app.Services(), *gPlayer, language, parent);
  });
}
