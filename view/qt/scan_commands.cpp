// File > Import and Edit > Scan: a grid read from a picture on the clipboard, in a file or in
// every picture of a folder, and strips read into the current grid from the selected cell.
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "app/message_format.h"
#include "app/qt/dialog_service.h"
#include "app/qt/main_frame.h"
#include "app/qt/quorbel_app.h"
#include "app/qt/value_dialog.h"
#include "engine/cell_actions.h"
#include "engine/engine_context.h"
#include "engine/grid_set.h"
#include "engine/grid_shape.h"
#include "engine/undo_services.h"
#include "engine/update_possibles.h"
#include "files/file_bytes.h"
#include "files/quorbel_doc.h"
#include "files/text_grid_reader.h"
#include "media/grid_scan.h"
#include "media/picture.h"
#include "media/picture_set.h"
#include "media/qt/picture_from_image.h"
#include "platform/paths.h"
#include "platform/qt/image_file.h"
#include "view/qt/quorbel_view.h"

using namespace quorbel;

namespace {

constexpr std::string_view kDicoFile = "RefSkel.txt";
constexpr std::string_view kScanGridFile = "ScanGrid.txt";

// Every command starts from the dictionary as saved.
std::unique_ptr<ScanState> ResetScanState() {
  auto state = std::make_unique<ScanState>();
  LoadDico(state->Dictionary, MakeAbsolutePath(kDicoFile));
  return state;
}

ScanOptions OptionsOf(DialogHost &app) {
  return ScanOptions{app.Settings().scan.autoScan, app.Settings().scan.gridLevel};
}

bool ClipboardPicture(CPicture &picture) {
  const QImage image = QGuiApplication::clipboard()->image();
  return !image.isNull() && PictureFromImage(image, picture);
}

// Our codecs first; pictures they do not read (PNG, JPEG) through Qt's.
bool FilePicture(const std::string &path, CPicture &picture) {
  if (picture.Load(path, PictureTypeOfExtension(path)) && picture.IsValid())
    return true;
  const QImage image = ReadImageFile(path);
  return !image.isNull() && PictureFromImage(image, picture);
}

bool Detected(const ScanState &state) {
  return state.Across >= 4 && state.Across <= 16 && state.Across == state.Down;
}

// Only a text our own reader takes is written: a scan may read what makes no grid.
bool WriteScanGrid(const ScanState &state, const std::string &path) {
  const std::string text = ScanTextGrid(state);
  auto scratch = std::make_unique<EngineContext>();
  SetGridShape(*scratch, kDefaultShape, 1, 0);
  TextGridInfo info;
  const std::span bytes(reinterpret_cast<const uint8_t *>(text.data()), text.size());
  return OpenTextGrid(bytes, *scratch, info).Ok && WriteFileReplacing(path, text).Ok();
}

// ScanGrid.txt opened as the document, every cell drawn.
bool OpenScanGrid(CQuorbelApp &app, const ScanState &state) {
  const std::string path = MakeAbsolutePath(kScanGridFile);
  if (!WriteScanGrid(state, path) || !app.OpenDocumentFile(path))
    return false;
  EngineContext &ctx = app.Engine();
  for (CellRecord &cell : ctx.Grids.Main[static_cast<size_t>(CurrentGridSlot(ctx.Grids))].Cells)
    cell.NotDrawn = 0;
  app.RedrawViewNow();
  return true;
}

void SaveDictionary(ViewHost &app, const ScanState &state) {
  if (!SaveDico(state.Dictionary, MakeAbsolutePath(kDicoFile)))
    app.PostMessage(PanelText(OwnText("File RefSkel.txt not accessible")));
}

// The grid picture on the clipboard, scanned; none when the clipboard holds no picture, or
// (with the error shown) when no grid was read.
std::unique_ptr<ScanState> ScanClipboardPicture(ViewHost &app) {
  CPicture picture;
  if (!ClipboardPicture(picture))
    return nullptr;
  std::unique_ptr<ScanState> state = ResetScanState();
  ScanOptions options = OptionsOf(app);
  DialogValueAsker asker(app);
  const ScanResult result = ScanWholeGrid(*state, picture, options, asker);
  SaveDictionary(app, *state);
  if (result == ScanResult::NotAGrid || !Detected(*state)) {
    app.PostMessage(IsFrench(app.CurrentLanguage())
                        ? PanelText(OwnText("Erreur scan Presse Papier. Vérifier le contenu image ou "
                                            "améliorer la résolution."))
                        : PanelText(OwnText("Error scan Grid from Clipboard. Please verify if image or "
                                            "increase resolution")));
    return nullptr;
  }
  return state;
}

void ImportClipboard(CQuorbelApp &app) {
  const std::unique_ptr<ScanState> state = ScanClipboardPicture(app);
  if (!state || !OpenScanGrid(app, *state))
    return;
  app.PostMessage(FormatPanelText(French(app) ? OwnText("Nouvelle grille %dx%d scannée du Presse Papier.")
                                              : OwnText("New Grid %dx%d scanned from Clipboard."),
                                  {state->Across, state->Down}));
}

QString PickPicture(CQuorbelApp &app) {
  const std::string start = MakeAbsolutePath(app.Settings().directory.image);
  return app.Dialogs().OpenFileName(
      app.MainFrame(),
      FileDialogRequest{
          .caption = French(app) ? QStringLiteral("Ouvrir une image") : QStringLiteral("Open a picture"),
          .directory = QString::fromStdString(start),
          .filter =
              QStringLiteral("Supported Images (*.bmp *.gif *.jpg *.jpeg *.ppm *.pgm *.pnm *.png *.ico *.tif "
                             "*.tiff *.tga *.pcx *.wbmp *.wmf *.emf *.j2k *.jp2 *.jbg);;Jpeg (*.jpg);;Tiff "
                             "(*.tif);;Ppm (*.ppm);;All Files (*)")});
}

void ImportFile(CQuorbelApp &app) {
  std::unique_ptr<ScanState> state = ResetScanState();
  const QString chosen = PickPicture(app);
  if (chosen.isEmpty())
    return;
  const std::string path = chosen.toStdString();
  app.Settings().directory.image = MakeRelativePath(path);
  app.SaveSettings();
  CPicture picture;
  ScanResult result = ScanResult::NotAGrid;
  ScanOptions options = OptionsOf(app);
  DialogValueAsker asker(app);
  if (FilePicture(path, picture))
    result = ScanWholeGrid(*state, picture, options, asker);
  SaveDictionary(app, *state);
  // A picture whose grid was not found opens nothing.
  if (result == ScanResult::NotAGrid || !Detected(*state)) {
    app.PostMessage(French(app)
                        ? PanelText(OwnText("Erreur scan Fichier. Vérifier le contenu image ou améliorer la "
                                            "résolution."))
                        : PanelText(OwnText("Error scan Grid from File. Please verify if image or increase "
                                            "resolution")));
    return;
  }
  if (!OpenScanGrid(app, *state))
    return;
  // Named after the picture, with no path: a save asks where to put it.
  app.MarkDocumentModified(FileTitleOfPath(path));
  app.ClearDocumentModified();
  app.PostMessage(FormatPanelText(French(app) ? OwnText("Nouvelle grille %dx%d scannée du Fichier.")
                                              : OwnText("New Grid %dx%d scanned from File."),
                                  {state->Across, state->Down}));
}

void ImportDirectory(CQuorbelApp &app) {
  std::unique_ptr<ScanState> state = ResetScanState();
  app.PostMessage(French(app) ? PanelText(OwnText("Démarrage scan du répertoire..."))
                              : PanelText(OwnText("Start of directory scan...")));
  const QString chosen = PickPicture(app);
  if (chosen.isEmpty())
    return;
  const QFileInfo picked(chosen);
  app.Settings().directory.image = MakeRelativePath(chosen.toStdString());
  const QDir folder = picked.absoluteDir();
  // The picked picture's kind, whatever the case of its extension, in name order.
  const QStringList names =
      folder.entryList({QStringLiteral("*.") + picked.suffix()}, QDir::Files, QDir::Name | QDir::IgnoreCase);
  ScanOptions options = OptionsOf(app);
  DialogValueAsker asker(app);
  for (const QString &name : names) {
    if (app.Pump().PollUserAbortNow())
      break;
    app.Messages().ReplaceInfoMessageFormat(
        French(app) ? OwnText("Scan en cours: %s") : OwnText("Scanning: %s"), name.toStdString(), 0);
    const std::string path = folder.filePath(name).toStdString();
    CPicture picture;
    if (!FilePicture(path, picture))
      continue;
    const ScanResult result = ScanWholeGrid(*state, picture, options, asker);
    if (result == ScanResult::Cancelled)
      break;
    const std::string text = (folder.filePath(QFileInfo(name).completeBaseName()) + ".txt").toStdString();
    if (result == ScanResult::Read && WriteScanGrid(*state, text))
      ++state->Scanned;
  }
  SaveDictionary(app, *state);
  const std::string shown = folder.absolutePath().toStdString();
  app.Messages().ReplaceInfoMessage(
      FormatPanelText(French(app) ? OwnText("%d Nouvelles grilles scannées du Répertoire ")
                                  : OwnText("%d New Grids scanned from Directory "),
                      {state->Scanned}) +
          PanelText::FileLink(shown, -4) + PanelText(OwnText(".")),
      0);
}

void ResetDictionary(CQuorbelApp &app) {
  std::unique_ptr<ScanState> state = ResetScanState();
  ClearDico(state->Dictionary);
  app.Settings().scan.gridLevel = 50;
  app.SaveSettings();
  SaveDictionary(app, *state);
}

// The cell strips start from: the selection's first cell, else the focus cell.
bool AnchorCell(CQuorbelApp &app, int &slot, int &cell) {
  const GridSet &set = app.Engine().Grids;
  CQuorbelView *view = GetCurrentView(app);
  if (view && view->Selection().Count > 0) {
    slot = view->Selection().Pairs[0].Grid;
    cell = view->Selection().Pairs[0].Cell;
  } else {
    slot = set.FocusGrid;
    cell = set.FocusCell;
  }
  return slot >= 0 && slot < UsedMainCount(set) && cell >= 0 && cell < app.Engine().Geo.NCells;
}

void ScanStripCommand(CQuorbelApp &app, StripMode mode) {
  EngineContext &ctx = app.Engine();
  int slot = 0;
  int cell = 0;
  CPicture picture;
  if (!AnchorCell(app, slot, cell) || !ClipboardPicture(picture))
    return;
  std::unique_ptr<ScanState> state = ResetScanState();
  ScanOptions options = OptionsOf(app);
  DialogValueAsker asker(app);
  const ScanResult result = ScanStrip(*state, picture, mode, options, asker);
  SaveDictionary(app, *state);
  const bool read = result != ScanResult::NotAGrid && state->Across >= 1 && state->Across <= 16 &&
                    state->Down >= 1 && state->Down <= 16;
  if (read) {
    const int width = ctx.Geo.GridWidth;
    SaveUndoState(ctx);
    GridRecord &grid = ctx.Grids.Main[static_cast<size_t>(slot)];
    for (const StripPlacement &place : PlaceStrip(*state, mode, cell / width, cell % width, width))
      SetCellValue(ctx, grid, place.Row * width + place.Column, place.Value, kActionPlaceFixed);
    UpdatePossibles(ctx, -1, -1, -1, 1);
  }
  app.RedrawViewNow();
  const bool french = French(app);
  if (!read) {
    static constexpr OwnText kErrors[2][3] = {
        {"Error scan Ligne from Clipboard. Please verify if image or increase resolution",
         "Error scan Column from Clipboard. Please verify if image or increase resolution",
         "Error scan Area from Clipboard. Please verify if image or increase resolution"},
        {"Erreur scan Line Presse Papier. Vérifier le contenu image ou améliorer la résolution.",
         "Erreur scan Colonne Presse Papier. Vérifier le contenu image ou améliorer la résolution.",
         "Erreur scan Zone Presse Papier. Vérifier le contenu image ou améliorer la résolution."}};
    app.PostMessage(PanelText(kErrors[french][static_cast<int>(mode)]));
    return;
  }
  static constexpr OwnText kDone[2][3] = {
      {"Line %dx%d scanned from Clipboard.", "Column %dx%d scanned from Clipboard.",
       "Grid area %dx%d scanned from Clipboard."},
      {"Ligne %dx%d scannée du Presse Papier.", "Colonne %dx%d scannée du Presse Papier.",
       "Zone grille %dx%d scannée du Presse Papier."}};
  app.PostMessage(FormatPanelText(kDone[french][static_cast<int>(mode)], {state->Across, state->Down}));
}

// The expert's forwarders (D menu items and Alt+Shift+1 to 3) are for the expert alone.
constexpr bool IsExpertForwarder(CommandId id) {
  return id == 33311 || id == 33312 || id == 33313 || id == 33236 || id == 33237 || id == 33238;
}

} // namespace

bool ScanClipboardGrid(ViewHost &app, std::string &text) {
  const std::unique_ptr<ScanState> state = ScanClipboardPicture(app);
  if (!state)
    return false;
  text = ScanTextGrid(*state);
  WriteScanGrid(*state, MakeAbsolutePath(kScanGridFile));
  return true;
}

void BindScanCommands(CQuorbelApp &app) {
  CommandDispatcher &commands = app.Commands();
  const auto onView = [&app] { return GetCurrentView(app) ? CommandState{} : CommandState::Disabled(); };
  const auto onGrid = [&app] {
    return GetCurrentView(app) && app.Engine().Geo.CellLimit > 0 ? CommandState{} : CommandState::Disabled();
  };
  commands.SetHandler(
      Cmd::ImportClipboard, [&app](CommandId) { ImportClipboard(app); }, onView);
  commands.SetHandler(
      Cmd::ImportFile, [&app](CommandId) { ImportFile(app); }, onView);
  commands.SetHandler(
      Cmd::ImportDirectory, [&app](CommandId) { ImportDirectory(app); }, onView);
  commands.SetHandler(Cmd::ResetDico, [&app](CommandId) { ResetDictionary(app); });
  const auto strip = [&app](StripMode mode) {
    return [&app, mode](CommandId id) {
      if (!IsExpertForwarder(id) || app.ExpertMode())
        ScanStripCommand(app, mode);
    };
  };
  commands.SetHandler(Cmd::ScanLine, strip(StripMode::Line), onGrid);
  commands.SetHandler(Cmd::ScanColumn, strip(StripMode::Column), onGrid);
  commands.SetHandler(Cmd::ScanGridArea, strip(StripMode::Area), onGrid);
}
