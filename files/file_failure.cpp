// The player's sentences for the failures of grid files, in both languages.
#include "files/file_failure.h"

#include "app/message_format.h"

namespace quorbel {

namespace {

struct FailureText {
  OwnText French;
  OwnText English;
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
    return {"Le fichier %s est un catalogue de grilles : ouvrez-le depuis le catalogue.",
            "The file %s is a grid catalogue: open it from the grid catalogue."};
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
  case FileFailure::None:
    break;
  }
  return {"Le fichier %s a posé un problème.", "The file %s gave a problem."};
}

} // namespace

std::string FileFailureSentence(FileFailure failure, std::string_view path, Language language) {
  const FailureText text = TextOf(failure);
  return FormatText(IsEnglish(language) ? text.English : text.French, {FormatArg(path)});
}

std::string FileFailureMessage(FileFailure failure, std::string_view path, std::string_view detail,
                               Language language) {
  std::string message = FileFailureSentence(failure, path, language);
  if (!detail.empty())
    message.append("\n").append(detail);
  return message;
}

} // namespace quorbel
