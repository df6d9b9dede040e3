#include "app/qt/quellabo_dialog.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTime>
#include <QUrl>
#include <QVBoxLayout>

#include "app/message_format.h"
#include "app/qt/dialog_service.h"
#include "app/qt/dialog_text.h"
#include "app/qt/display_toggles.h"
#include "app/qt/grid_commands.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_record.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/update_possibles.h"
#include "files/quorbel_doc.h"
#include "net/connect_service.h"
#include "net/qt/page_reader.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

using namespace quorbel;

namespace {

constexpr int kShapeOf9 = 5;
constexpr int kShapeOf16 = 8;
constexpr int kLettersMode = 1;

// What the web challenge keeps between its load and its submission.
struct QuellaboState {
  std::vector<QuellaboSite> Sites;
  int Site = -1;
  int Level = 1;
  int Width = 9;
  int MinutesSpent = 0;
  std::string GridAddress;
  std::vector<FormInput> Inputs;
  std::string LastPage; // the Web Window shows it
  int Loads = 0;        // the loads started: a load overtaken by a newer one gives up
};

QuellaboState &State() {
  static QuellaboState state;
  return state;
}

WebSession &Session() {
  static WebSession *session = nullptr;
  if (!session)
    session = new WebSession; // lives as long as the program: its cookies hold the login
  return *session;
}

// The page's text as UTF-8, whatever its charset.
std::string PageText(const QByteArray &bytes) {
  const QString utf8 = QString::fromUtf8(bytes);
  return (utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : utf8).toStdString();
}

std::string ValueOf(const std::string &field) {
  const size_t equals = field.find('=');
  return equals == std::string::npos ? field : field.substr(equals + 1);
}

std::string WithValue(const std::string &field, const std::string &value) {
  const size_t equals = field.find('=');
  return equals == std::string::npos ? value : field.substr(0, equals + 1) + value;
}

// "name=value" with the value encoded for a form.
std::string FormField(const std::string &field) {
  const size_t equals = field.find('=');
  if (equals == std::string::npos)
    return EncodeServiceField(field);
  return field.substr(0, equals + 1) +
         QUrl::toPercentEncoding(QString::fromStdString(field.substr(equals + 1))).toStdString();
}

void FormatError(CQuorbelApp &app, const QuellaboSite &site) {
  app.PostMessage(FormatPanelText(French(app)
                                      ? OwnText("Erreur Format Site %s. Merci de !contacter!-3! l'author.")
                                      : OwnText("Error Format Site %s. Please !contact!-3! author."),
                                  {site.Name}));
}

void AccessError(CQuorbelApp &app) {
  app.PostMessage(French(app)
                      ? PanelText(OwnText("Erreur d'acces au Site Internet. Vérifier votre connection "
                                          "Internet."))
                      : PanelText(OwnText("Error accessing Site. Please Verify your Internet connection.")));
}

// A page dropped for its size is said to be so; true when it was.
bool SaidTooLarge(CQuorbelApp &app, const std::string &address) {
  if (!Session().LastPageTooLarge())
    return false;
  app.PostMessage(PanelText::Plain(PageTooLargeMessage(address, French(app))));
  return true;
}

} // namespace

CQuellabo::CQuellabo(CQuorbelApp &app, std::vector<QuellaboSite> &sites, QWidget *parent)
    : QDialog(parent), app_(app), sites_(sites) {
  const bool french = French(app);
  setObjectName(QStringLiteral("CQuellabo"));
  setWindowTitle(french ? QStringLiteral("Sélection Quellabo") : QStringLiteral("Quellabo Selection"));
  list_ = new QListWidget(this);
  list_->setObjectName(ControlName(1646));
  for (const QuellaboSite &site : sites_)
    list_->addItem(QString::fromStdString(site.Name));
  login_ = new QLineEdit(this);
  login_->setObjectName(ControlName(1648));
  password_ = new QLineEdit(this);
  password_->setObjectName(ControlName(1650));
  password_->setEchoMode(QLineEdit::Password);
  static constexpr std::array<int, 5> kIds = {1651, 1652, 1653, 1654, 1658};
  const std::array<QString, 5> names = {french ? QStringLiteral("Facile") : QStringLiteral("Easy"),
                                        french ? QStringLiteral("Moyen") : QStringLiteral("Medium"),
                                        french ? QStringLiteral("Difficile") : QStringLiteral("Difficult"),
                                        QStringLiteral("Expert"), QStringLiteral("Samouraï")};
  auto *levels = new QHBoxLayout;
  for (size_t l = 0; l < levels_.size(); ++l) {
    levels_[l] = new QRadioButton(names[l], this);
    levels_[l]->setObjectName(ControlName(kIds[l]));
    levels->addWidget(levels_[l]);
  }
  description_ = new QLabel(this);
  description_->setObjectName(ControlName(1655));
  description_->setWordWrap(true);
  description_->setTextFormat(Qt::PlainText);
  ranking_ = new QCheckBox(french ? QStringLiteral("Envoyer la grille pour classement")
                                  : QStringLiteral("Send grid for ranking"),
                           this);
  ranking_->setObjectName(ControlName(1656));
  auto *rankingPage =
      new QPushButton(french ? QStringLiteral("Classement Site") : QStringLiteral("Site Ranking"), this);
  rankingPage->setObjectName(ControlName(1659));
  connect(rankingPage, &QPushButton::clicked, this, [this] {
    if (site_ >= 0 && site_ < static_cast<int>(sites_.size()) &&
        sites_[static_cast<size_t>(site_)].Ranking != -1)
      app_.Dialogs().OpenExternal(
          QUrl(QString::fromStdString(sites_[static_cast<size_t>(site_)].RankingPage)));
  });
  auto *info = new QPushButton(QStringLiteral("?"), this);
  info->setObjectName(QStringLiteral("info"));
  connect(info, &QPushButton::clicked, this, [this] {
    if (site_ >= 0 && site_ < static_cast<int>(sites_.size()))
      app_.Dialogs().OpenExternal(QUrl(QString::fromStdString(sites_[static_cast<size_t>(site_)].InfoPage)));
  });
  connect(list_, &QListWidget::currentRowChanged, this, &CQuellabo::ShowSite);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CQuellabo::Accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto *form = new QFormLayout;
  form->addRow(french ? QStringLiteral("Nom:") : QStringLiteral("Login:"), login_);
  form->addRow(french ? QStringLiteral("Mot de passe:") : QStringLiteral("Password:"), password_);
  auto *side = new QVBoxLayout;
  side->addLayout(form);
  side->addLayout(levels);
  auto *descriptionLine = new QHBoxLayout;
  descriptionLine->addWidget(description_, 1);
  descriptionLine->addWidget(info);
  side->addLayout(descriptionLine);
  side->addWidget(ranking_);
  side->addWidget(rankingPage);
  auto *columns = new QHBoxLayout;
  columns->addWidget(list_);
  columns->addLayout(side);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addWidget(buttons);

  const int chosen = app.Settings().catalog.quellaboSite;
  level_ = std::clamp(app.Settings().catalog.quellaboDiff, 1, 5);
  list_->setCurrentRow(chosen >= 0 && chosen < static_cast<int>(sites_.size()) ? chosen : 0);
}

void CQuellabo::ShowSite(int index) {
  if (index < 0 || index >= static_cast<int>(sites_.size()))
    index = 0;
  if (sites_.empty())
    return;
  site_ = index;
  const QuellaboSite &site = sites_[static_cast<size_t>(index)];
  description_->setText(
      QString::fromStdString(French(app_) ? site.DescriptionFrench : site.DescriptionEnglish));
  login_->setText(site.LoginField == "none" ? QString() : QString::fromStdString(ValueOf(site.LoginField)));
  login_->setEnabled(site.LoginField != "none");
  password_->setText(site.PasswordField == "none" ? QString()
                                                  : QString::fromStdString(ValueOf(site.PasswordField)));
  password_->setEnabled(site.PasswordField != "none");
  ranking_->setEnabled(site.Ranking != -1);
  ranking_->setChecked(site.Ranking == 1);
  const int count = QuellaboLevelCount(site);
  for (int l = 0; l < 5; ++l)
    levels_[static_cast<size_t>(l)]->setEnabled(l == 0 || count >= l + 1);
  if (level_ > std::max(1, count))
    level_ = 1;
  levels_[static_cast<size_t>(level_ - 1)]->setChecked(true);
}

void CQuellabo::Accept() {
  if (sites_.empty()) {
    reject();
    return;
  }
  for (int l = 0; l < 5; ++l)
    if (levels_[static_cast<size_t>(l)]->isChecked())
      level_ = l + 1;
  QuellaboSite &site = sites_[static_cast<size_t>(site_)];
  if (site.LoginField != "none")
    site.LoginField = WithValue(site.LoginField, login_->text().toStdString());
  if (site.PasswordField != "none")
    site.PasswordField = WithValue(site.PasswordField, password_->text().toStdString());
  if (site.Ranking != -1)
    site.Ranking = ranking_->isChecked() ? 1 : 0;
  app_.Settings().catalog.quellaboSite = site_;
  app_.Settings().catalog.quellaboDiff = level_;
  app_.SaveSettings();
  accept();
}

// A hundred sites of a few hundred bytes each, with room to spare.
constexpr uint64_t kMostSiteFileBytes = uint64_t{1} << 20;

bool LoadQuellaboSites(CQuorbelApp &app) {
  const std::string path = MakeAbsolutePath("QuellaboSite.txt");
  const RegularFileText file = ReadRegularFileText(path, kMostSiteFileBytes);
  if (!file.Ok) {
    // A missing list is usual; one that is there and cannot be read (a FIFO, say) is told.
    if (file.Failure != RegularFileFailure::CannotOpen)
      app.PostMessage(FormatPanelText(French(app)
                                          ? OwnText("Liste des sites Quellabo illisible : %s (%s)")
                                          : OwnText("The Quellabo site list could not be read: %s (%s)"),
                                      {FormatArg(path), FormatArg(file.Message)}));
    return false;
  }
  std::optional<std::vector<QuellaboSite>> sites = quorbel::LoadQuellaboSites(file.Text);
  if (!sites)
    return false;
  State().Sites = std::move(*sites);
  return true;
}

bool QuellaboLoadGrid(CQuorbelApp &app, int siteIndex, int level) {
  QuellaboState &state = State();
  if (siteIndex < 0 || siteIndex >= static_cast<int>(state.Sites.size()))
    siteIndex = 0;
  if (state.Sites.empty())
    return false;
  const QuellaboSite &site = state.Sites[static_cast<size_t>(siteIndex)];
  const bool french = French(app);
  // Pages are waited for with events running: another load may start meanwhile, and the
  // player's last choice must be the grid that stays.
  const int load = ++state.Loads;
  const auto overtaken = [&state, load] { return state.Loads != load; };
  app.PostMessage(FormatPanelText(french ? OwnText("Chargement Grille sur Site Internet %s en cours...")
                                         : OwnText("Loading Grid on Internet Site %s running..."),
                                  {site.Name}));
  WebSession &session = Session();
  if (site.LoginPage != "none")
    session.Post(QUrl(QString::fromStdString(site.LoginPage)),
                 QByteArray::fromStdString(FormField(site.LoginField) + "&" + FormField(site.PasswordField)));

  if (overtaken())
    return false;

  int width = 9;
  std::optional<std::string> address;
  std::optional<int> number = QuellaboFormulaNumber(site, level);
  if (site.Kind == 1010 || site.Kind == 1020) {
    const std::optional<QByteArray> start = session.Get(QUrl(QString::fromStdString(site.GridAddress)));
    if (overtaken())
      return false;
    if (!start) {
      if (!SaidTooLarge(app, site.GridAddress))
        AccessError(app);
      return false;
    }
    address = QuellaboNumberedAddress(site, level, PageText(*start));
    number = QuellaboDayNumber(site, level, PageText(*start));
    if (!address) {
      if (site.Kind == 1020)
        app.PostMessage(french
                            ? PanelText(OwnText("Tournoi non démarré. Merci de patienter jusqu'à 10H."))
                            : PanelText(OwnText("Tournoi not started. Please wait until 10H French time.")));
      else
        FormatError(app, site);
      return false;
    }
  } else if (site.Kind == 1040) {
    const std::optional<QByteArray> list = session.Get(QUrl(QString::fromStdString(site.GridAddress)));
    if (overtaken())
      return false;
    if (!list) {
      if (!SaidTooLarge(app, site.GridAddress))
        AccessError(app);
      return false;
    }
    address = QuellaboListedAddress(site, level, PageText(*list), french);
    number = QuellaboListedNumber(level, PageText(*list));
  } else {
    address = QuellaboGridAddress(site, level);
  }
  if (!address) {
    FormatError(app, site);
    return false;
  }
  if (level == 5 && (site.Kind == 1000 || site.Kind == 1010 || site.Kind == 1020))
    width = 16;

  EngineContext &ctx = app.Engine();
  ResetGridSet(ctx, 1);
  SetGridShape(ctx, width == 16 ? kShapeOf16 : kShapeOf9, 1, 0);
  if (width == 16)
    app.Settings().general.gridCurrDisp = kLettersMode;
  GridRecord &grid = ctx.Grids.Main[0];
  grid.GridVar = {};
  ClearGrid(ctx, grid, kResetAll);
  ResetGridState(grid);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();

  const std::optional<QByteArray> page = session.Get(QUrl(QString::fromStdString(*address)));
  if (overtaken() || (!page && SaidTooLarge(app, *address)))
    return false;
  std::string text = page ? PageText(*page) : std::string();
  if (!page || text.find("can not display the webpage") != std::string::npos ||
      text.find("ne peut pas afficher la page Web") != std::string::npos) {
    app.PostMessage(french ? PanelText(OwnText("Erreur d'acces au Site. Site Indisponible ?"))
                           : PanelText(OwnText("Error accessing Site. Site not available ?")));
    return false;
  }
  state.Inputs = ReadFormInputs(text);
  state.LastPage = text;
  if (site.Kind == 1050) {
    std::string unsolved;
    for (const FormInput &input : state.Inputs)
      if (input.Name == "sUnsolvedSudoku")
        unsolved = input.Value;
    if (unsolved.empty()) {
      FormatError(app, site);
      return false;
    }
    text = site.GridStart + unsolved;
  }
  if (site.Kind == 1010 || site.Kind == 1020) {
    if (text.find("Vous avez déjà participé") != std::string::npos) {
      app.PostMessage(
          site.Kind == 1010
              ? (french ? PanelText(OwnText("Quellabo déjà fait. Choisir une autre difficulté."))
                        : PanelText(OwnText("Quellabo already done. Please select another difficulty.")))
              : (french ? PanelText(OwnText("Tournoi déjà fait. Choisir une autre difficulté."))
                        : PanelText(OwnText("Tournoi already done. Please select another difficulty."))));
      return false;
    }
    const QTime now = QTime::currentTime();
    state.MinutesSpent = QuellaboMinutesSpent(text, site.Kind, now.hour() * 60 + now.minute()).value_or(0);
  }
  const QuellaboGrid read = ReadQuellaboGrid(text, site, width, width == 16 ? 4 : 3);
  for (int cell = 0; cell < width * width; ++cell)
    if (const int v = read.Values[static_cast<size_t>(cell)]; v > 0)
      SetCellValue(ctx, grid, cell, v, kActionPlaceFixed);
  if (read.FormatError) {
    FormatError(app, site);
    return false;
  }
  state.Site = siteIndex;
  state.Level = level;
  state.Width = width;
  state.GridAddress = *address;
  app.Settings().game.mode = kGameModeQuellabo;
  app.SyncEngineSettings();
  const QDate today = QDate::currentDate();
  const std::string name =
      QuellaboGridName(site.Name, level, number, today.day(), today.month(), today.year());
  // Through the application, so that the window's title shows the grid's name at once.
  app.MarkDocumentModified(name);
  app.ClearDocumentModified();
  StartNewGridGame(app, std::min(level, 4));
  app.Messages().ReplaceInfoMessage(FormatPanelText(french ? OwnText("Grille Quellabo du site %s chargée.")
                                                           : OwnText("Quellabo Grid from site %s loaded."),
                                                    {site.Name + "-L" + std::to_string(level)}),
                                    0);
  UpdatePossibles(ctx, -1, -1, -1, 1);
  app.RedrawViewNow();
  return true;
}

std::string QuellaboSubmitSolution(CQuorbelApp &app) {
  QuellaboState &state = State();
  if (state.Site < 0 || state.Site >= static_cast<int>(state.Sites.size()))
    return {};
  const QuellaboSite &site = state.Sites[static_cast<size_t>(state.Site)];
  if (site.Ranking != 1)
    return {};
  const bool french = French(app);
  app.PostMessage(FormatPanelText(french ? OwnText("Propose Solution Grille sur Site Internet %s en cours...")
                                         : OwnText("Propose Grid Solution on Internet Site %s running..."),
                                  {site.Name}));
  const EngineContext &ctx = app.Engine();
  std::vector<int> values;
  for (int cell = 0; cell < state.Width * state.Width; ++cell)
    values.push_back(ctx.Grids.Main[0].Cells[static_cast<size_t>(cell)].Value);
  const int seconds =
      static_cast<int>(std::max<int64_t>(app.Session().Clock.Elapsed, 0) / 1000) + state.MinutesSpent * 60;
  const std::string body = QuellaboSubmitBody(site, state.Inputs, values, state.Width, seconds);
  std::string target = QuellaboSubmitTarget(site, state.Inputs, state.GridAddress);
  if (!target.starts_with("http"))
    target = "file://" + MakeAbsolutePath(target);
  const std::optional<QByteArray> reply =
      Session().Post(QUrl(QString::fromStdString(target)), QByteArray::fromStdString(body));
  // No reply is no acceptance: the site never read the solution.
  if (!reply) {
    if (!SaidTooLarge(app, target))
      AccessError(app);
    return {};
  }
  const std::string message = QuellaboReplyMessage(PageText(*reply), site, ValueOf(site.LoginField), french);
  app.PostMessage(PanelText::Plain(message));
  return message;
}

bool StartQuellabo(CQuorbelApp &app) {
  if (State().Sites.empty())
    LoadQuellaboSites(app);
  if (State().Sites.empty()) {
    app.Dialogs().MessageBox(
        app.MainFrame(),
        MessageBoxRequest{.title = QStringLiteral("Quorbel"),
                          .text = French(app) ? QStringLiteral("Aucun site Quellabo : le fichier "
                                                               "QuellaboSite.txt manque ou est vide.")
                                              : QStringLiteral("No Quellabo site: the file "
                                                               "QuellaboSite.txt is missing or empty.")});
    return false;
  }
  CQuellabo dialog(app, State().Sites, app.MainFrame());
  if (app.Dialogs().Exec(dialog) != QDialog::Accepted)
    return false;
  return QuellaboLoadGrid(app, dialog.Site(), dialog.Level());
}

namespace {

// The Web Window: the last page the web challenge read, as text, never as links.
class CDialogHtml final : public QWidget {
public:
  CDialogHtml(Language language, QWidget *parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("CDialogHtml"));
    setWindowTitle(language == Language::English ? QStringLiteral("Web page") : QStringLiteral("Page Web"));
    page_ = new QTextBrowser(this);
    page_->setOpenLinks(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    resize(640, 480);
  }

protected:
  void showEvent(QShowEvent *event) override {
    page_->setPlainText(QString::fromStdString(State().LastPage));
    QWidget::showEvent(event);
  }

private:
  QTextBrowser *page_ = nullptr;
};

} // namespace

void InstallQuellabo(CQuorbelApp &app) {
  app.Panels().Register(std::string(kWebWindowPanel), [](Language language, QWidget *parent) {
    return std::make_unique<CDialogHtml>(language, parent);
  });
  OutsideServices &services = app.Services();
  services.loadQuellaboSites = [&app] { return LoadQuellaboSites(app); };
  services.quellaboSubmitSolution = [&app] { return QuellaboSubmitSolution(app); };
  app.Commands().SetHandler(
      Cmd::QuellaboSubmit, [&app](CommandId) { QuellaboSubmitSolution(app); },
      [&app] {
        const QuellaboState &state = State();
        const bool ready = app.Settings().game.mode == kGameModeQuellabo && state.Site >= 0 &&
                           state.Site < static_cast<int>(state.Sites.size()) &&
                           state.Sites[static_cast<size_t>(state.Site)].Ranking == 1;
        return ready ? CommandState{} : CommandState::Disabled();
      });
}
