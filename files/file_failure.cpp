// The player's sentences for the failures of grid files, in both languages.
#include "files/file_failure.h"

#include <string_view>
#include <utility>

namespace quorbel {

namespace {

struct FailureText {
  std::string_view French; // "%s" stands for the file
  std::string_view English;
};

FailureText TextOf(FileFailure failure) {
  switch (failure) {
  case FileFailure::CannotOpen:
    return {"Le fichier %s ne peut pas être ouvert.", "The file %s cannot be opened."};
  case FileFailure::NotAFile:
    return {"%s n'est pas un fichier.", "%s is not a file."};
  case FileFailure::TooLarge:
    return {"Le fichier %s est trop grand pour être une grille.", "The file %s is too large to be a grid."};
  case FileFailure::CannotRead:
    return {"Le fichier %s n'a pas pu être lu jusqu'au bout.", "The file %s could not be read to its end."};
  case FileFailure::NotAGridFile:
    return {"Le fichier %s n'est pas une grille de Quorbel.", "The file %s is not a Quorbel grid."};
  case FileFailure::Damaged:
    return {"Le fichier %s est abîmé ou incomplet : il n'a pas été lu et rien n'a changé.",
            "The file %s is damaged or incomplete: it was not read and nothing has changed."};
  case FileFailure::UnplayableSize:
    return {"Le fichier %s contient une grille d'une taille que Quorbel ne joue pas.",
            "The file %s holds a grid of a size Quorbel does not play."};
  case FileFailure::Catalogue:
    return {"Le catalogue %s ne contient aucune grille lisible : rien n'a été importé.",
            "The catalogue %s holds no grid that could be read: nothing was imported."};
  case FileFailure::SizeMismatch:
    return {"Error: Grids must have same size", "Error: Grids must have same size"};
  case FileFailure::LinkedGrids:
    return {"Les grilles de %s ne peuvent pas être ajoutées : la partie contient des grilles liées.",
            "The grids of %s cannot be added: the set holds linked grids."};
  case FileFailure::CannotCreate:
    return {"Le fichier %s ne peut pas être créé : vérifiez son dossier et vos droits.",
            "The file %s cannot be created: check its folder and your rights."};
  case FileFailure::CannotWrite:
    return {"Le fichier %s n'a pas pu être écrit ; l'ancien fichier est intact.",
            "The file %s could not be written; the old file is untouched."};
  case FileFailure::CannotReplace:
    return {"Le fichier %s n'a pas pu être remplacé ; l'ancien fichier est intact.",
            "The file %s could not be replaced; the old file is untouched."};
  case FileFailure::TooLargeToRead:
    return {
        "Le fichier %s deviendrait trop grand pour être relu : il n'a pas été écrit, l'ancien fichier est "
        "intact.",
        "The file %s would grow too large to be read back: it was not written, and the old file is "
        "untouched."};
  case FileFailure::None:
    break;
  }
  return {"Le fichier %s a posé un problème.", "The file %s gave a problem."};
}

// The generic words of the readers' and the system's details in French; the names of fields
// and lists stay as the file format names them.
constexpr std::pair<std::string_view, std::string_view> kFrenchDetailWords[] = {
    {"line ", "ligne "},
    {" at byte ", " à l'octet "},
    {"the file ends ", "le fichier s'arrête "},
    {" bytes too early", " octets trop tôt"},
    {"the file ends before its ", "le fichier s'arrête avant ses "},
    {" is outside ", " est hors de "},
    {"not a regular file", "pas un fichier ordinaire"},
    {"a symbolic link to nothing", "un lien symbolique vers rien"},
    {"the file became shorter while it was read", "le fichier a raccourci pendant sa lecture"},
    {"geometry: a grid of ", "géométrie : une grille de "},
    {" cells with blocks of ", " cases avec des blocs de "},
    {" values is not a grid this program plays", " valeurs n'est pas une grille que Quorbel joue"},
    {"No such file or directory", "aucun fichier ni dossier de ce nom"},
    {"Permission denied", "permission refusée"},
    {"Is a directory", "c'est un dossier"},
    {"Not a directory", "ce n'est pas un dossier"},
    {"No space left on device", "plus de place sur le disque"},
    {"Read-only file system", "système de fichiers en lecture seule"},
    {" bytes, at most ", " octets, au plus "},
    {" expected", " attendus"},
};

} // namespace

std::string LocalisedFileDetail(std::string_view detail, Language language) {
  std::string text(detail);
  if (IsEnglish(language))
    return text;
  for (const auto &[english, french] : kFrenchDetailWords)
    for (size_t at = text.find(english); at != std::string::npos; at = text.find(english, at + french.size()))
      text.replace(at, english.size(), french);
  return text;
}

std::string FileFailureSentence(FileFailure failure, std::string_view path, Language language) {
  const FailureText text = TextOf(failure);
  std::string sentence(IsEnglish(language) ? text.English : text.French);
  if (const size_t at = sentence.find("%s"); at != std::string::npos)
    sentence.replace(at, 2, path);
  return sentence;
}

std::string FileFailureMessage(FileFailure failure, std::string_view path, std::string_view detail,
                               Language language) {
  std::string message = FileFailureSentence(failure, path, language);
  if (!detail.empty())
    message.append("\n").append(LocalisedFileDetail(detail, language));
  return message;
}

} // namespace quorbel
