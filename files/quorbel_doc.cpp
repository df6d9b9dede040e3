// The document's open, save and modified-state logic, and the current-document services.
#include "files/quorbel_doc.h"

#include <algorithm>
#include <span>
#include <unistd.h>

#include "engine/engine_context.h"
#include "files/file_bytes.h"
#include "files/macro_recorder.h"
#include "files/one_line_catalog.h"
#include "files/script_words.h"
#include "files/sud_file_format.h"
#include "files/sud_file_reader.h"
#include "files/sud_file_writer.h"
#include "files/text_grid_reader.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "solver/one_line_grid.h"

namespace quorbel {

namespace {

constexpr std::string_view kUntitled = "SudDoc";
constexpr std::string_view kUntitledMark = "NULL";
constexpr std::string_view kGridExtension = ".sud";
constexpr std::string_view kTextExtension = "txt";
constexpr std::string_view kNotInFileNames = "\\/:*?\"<>|";
constexpr size_t kHeaderBytes = 18;
constexpr size_t kLoggedErrorChars = 254;
// The prompt each failure names in its log line.
constexpr int kPromptOpenFailed = 1;
constexpr int kPromptSaveFailed = 2;

bool Exists(const std::string &path) { return ::access(path.c_str(), F_OK) == 0; }
bool ReadOnly(const std::string &path) { return Exists(path) && ::access(path.c_str(), W_OK) != 0; }

std::string_view HeaderOf(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char *>(bytes.data()), std::min(bytes.size(), kHeaderBytes)};
}

// A text grid's header tells at once that the file must be far smaller than a grid file, the
// largest of the formats opened here, can be.
uint64_t GridFileLimit(std::span<const uint8_t> head) {
  return HeaderOf(head) == kTextGridHeader ? kMaxTextGridFileBytes : kMaxSudFileBytes;
}

} // namespace

CQuorbelDoc::CQuorbelDoc(EngineContext &ctx, DocumentHost &host, AbstractProfileStore &profile)
    : ctx_(ctx), host_(host), profile_(profile), title_(kUntitled) {
  recent_.Load(profile_);
}

void CQuorbelDoc::MarkDocumentModified(std::string_view name) {
  if (name == kUntitledMark) {
    modified_ = false;
    path_.clear();
    title_ = kUntitled;
    return;
  }
  modified_ = true;
  if (name.empty())
    return;
  path_.clear();
  constexpr std::string_view kTextEnding = ".txt";
  if (name.ends_with(kTextEnding))
    name.remove_suffix(kTextEnding.size());
  title_ = name;
}

bool CQuorbelDoc::SaveModified() {
  const SaveQuestionRules rules = host_.QuestionRules();
  if (!modified_ || rules.Paused || !rules.AskToBeSaved || rules.MacroPlaying)
    return true;
  switch (host_.AskSaveChanges(title_)) {
  case DocumentHost::SaveAnswer::Save:
    return SaveDocumentAs(path_, false);
  case DocumentHost::SaveAnswer::Discard:
    return true;
  default:
    return false;
  }
}

bool CQuorbelDoc::OpenDocumentFile(const std::string &path) {
  if (!SaveModified())
    return false;
  const FileBytesResult file = ReadFileBytes(path, kMaxSudFileBytes, kHeaderBytes, GridFileLimit);
  if (!file.Ok) {
    Report(path, false, file.Failure, file.Message);
    return false;
  }
  const std::string_view header = HeaderOf(file.Bytes);
  if (IsOneLineHeader(header)) {
    const std::string_view text(reinterpret_cast<const char *>(file.Bytes.data()), file.Bytes.size());
    const size_t firstLineEnd = text.find('\n');
    return ImportOneLineFile(path,
                             firstLineEnd == std::string_view::npos ? "" : text.substr(firstLineEnd + 1));
  }
  if (header == kTextGridHeader) {
    TextGridInfo info;
    const TextGridResult result = OpenTextGrid(file.Bytes, ctx_, info);
    if (!result.Ok) {
      Report(path, false, result.Failure, result.Message);
      return false;
    }
    ForgetCarriedWords();
    host_.TextGridLoaded(info, false);
    Opened(path, result.Warnings);
    return true;
  }
  SudFileContent content;
  const SudReadResult result = ReadSudFile(file.Bytes, ctx_, content);
  if (!result.Ok) {
    Report(path, false, result.Failure, result.Message);
    return false;
  }
  carried_ = std::move(content.Carried);
  host_.GameStateLoaded(content.Game, content.Undo, result.Version);
  Opened(path, result.Warnings);
  return true;
}

bool CQuorbelDoc::ImportOneLineFile(const std::string &path, std::string_view text) {
  const std::vector<std::string> targets = OneLineImportTargets(path, text);
  if (targets.size() > kManyImportFiles && !host_.ConfirmManyFiles(targets.size(), DirectoryOfPath(path)))
    return false;
  std::vector<std::string> existing;
  for (const std::string &target : targets)
    if (Exists(target))
      existing.push_back(target);
  if (!existing.empty() && !host_.ConfirmReplaceFiles(existing))
    return false;
  const OneLineImport result = ImportOneLineCatalog(ctx_, path, text);
  if (result.GridNames.empty()) {
    Report(path, false, result.WroteFiles ? FileFailure::Catalogue : FileFailure::CannotCreate,
           result.Stopped);
    return false;
  }
  // The board holds the last grid made; a save must not write over the catalogue file.
  ForgetCarriedWords();
  path_.clear();
  title_ = result.GridNames.back();
  modified_ = false;
  host_.TextGridLoaded(TextGridInfo{}, false);
  host_.OneLineCatalogImported(result.GridNames, result.Stopped);
  return true;
}

void CQuorbelDoc::Opened(const std::string &path, const std::vector<std::string> &warnings) {
  path_ = path;
  title_ = FileNameOfPath(path);
  modified_ = false;
  RememberGridFile(profile_, recent_, path, false);
  if (!warnings.empty())
    host_.ReportWarnings(path, warnings);
}

bool CQuorbelDoc::OnFileSave() { return ctx_.Geo.CellLimit >= 1 && SaveDocumentAs(path_, false); }

bool CQuorbelDoc::OnFileSaveAs() { return ctx_.Geo.CellLimit >= 1 && SaveDocumentAs(path_, true); }

bool CQuorbelDoc::SaveDocumentAs(std::string path, bool replace) {
  // A text grid is saved as a grid file of the same title among the player's grids.
  if (FileExtensionOfPath(path_) == kTextExtension)
    path = MakeFilePath(FileTitleOfPath(path_), host_.GridDirectory(), kGridExtension);
  if (path.empty() || ReadOnly(path) || replace) {
    std::string suggested = path;
    if (suggested.empty())
      suggested = title_.substr(0, title_.find_first_of(kNotInFileNames)) + std::string(kGridExtension);
    const std::optional<std::string> chosen = host_.AskSaveFileName(suggested, host_.GridDirectory());
    if (!chosen || chosen->empty())
      return false;
    path = *chosen;
    // The dialog asked about the name it was given, not about the one we make of it.
    if (!path.ends_with(kGridExtension)) {
      path += kGridExtension;
      if (Exists(path) && !host_.ConfirmReplace(path))
        return false;
    }
  }

  SudFileContent content;
  host_.GatherGameState(content.Game, content.Undo);
  content.Game.SaveTick = TimeGetTime();
  content.Carried = carried_;
  const FileWriteResult written = WriteFileReplacing(path, WriteSudFile(ctx_, content));
  if (!written.Ok()) {
    Report(path, true, written.Failure, written.Message);
    return false;
  }
  path_ = path;
  title_ = FileNameOfPath(path);
  modified_ = false;
  RememberGridFile(profile_, recent_, path, true);
  RecordMacroStep(kMacroSave, MakeRelativePath(path));
  host_.DocumentSaved(path);
  return true;
}

bool CQuorbelDoc::ImportTextGridFile(const std::string &path) {
  const FileBytesResult file = ReadFileBytes(path, kMaxTextGridFileBytes);
  if (!file.Ok) {
    Report(path, false, file.Failure, file.Message);
    return false;
  }
  TextGridInfo info;
  const TextGridResult result = ImportTextGrid(file.Bytes, ctx_, info);
  if (!result.Ok) {
    Report(path, false, result.Failure, result.Message);
    return false;
  }
  modified_ = true;
  host_.TextGridLoaded(info, true);
  if (!result.Warnings.empty())
    host_.ReportWarnings(path, result.Warnings);
  return true;
}

void CQuorbelDoc::Report(const std::string &path, bool saving, FileFailure failure,
                         const std::string &detail) {
  const std::string message =
      FileFailureMessage(failure, path, detail, LanguageFromStored(ctx_.Settings.Language));
  const std::string logLine = "Report Save-Load Exception: Error=" + detail.substr(0, kLoggedErrorChars) +
                              " bSave=" + std::to_string(saving ? 1 : 0) +
                              " IPdef=" + std::to_string(saving ? kPromptSaveFailed : kPromptOpenFailed) +
                              " File=" + path + " ";
  host_.ReportFileError(message, logLine);
}

} // namespace quorbel
