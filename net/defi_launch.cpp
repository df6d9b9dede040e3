// A challenge begun: the launcher's grid made on the shape chosen and sent with its blocks to the
// players drawn into the turns, and a peer's grid and start taken only where no challenge in play
// forbids them.
#include <algorithm>

#include "net/defi_game.h"

namespace quorbel {

bool DefiGame::Launch(const DefiPlayerList &list, const std::string &ownName, const DefiLaunch &launch,
                      const std::function<int(int)> &random) {
  if (const std::string problem = DefiNameProblem(ownName); !problem.empty()) {
    host_.Inform(ownName.empty() ? std::string("Defi: enter your player name first")
                                 : "Defi: your player name " + problem);
    return false;
  }
  if (!host_.MakeGrid(launch.Blocks, launch.Level))
    return false;
  Begin(list, DefiTurnOrder(list, list.Find(ownName), false, random), ownName, launch.Rules);
  if (launch.Rules.Surprises)
    PlaceSurprises(random);
  const std::optional<std::string> file = host_.GridText();
  const std::optional<std::string> grid = file ? DefiGridMessage(*file, launch.Blocks) : std::nullopt;
  if (!grid) {
    host_.Inform(file ? "Defi: the grid is larger than a message may carry: the challenge does not start"
                      : "Defi: the grid could not be written: the challenge does not start");
    Forget();
    return false;
  }
  // A "|" would cut the start's fields.
  std::string name = launch.Name;
  std::replace(name.begin(), name.end(), '|', ' ');
  // Only the players linked here get the grid; the others are left out once it is out.
  for (int i = 0; i < standings_.Count(); ++i) {
    const DefiPlayerRecord &player = standings_.At(i);
    if (player.Remote == 1 && player.Name != own_ && host_.Present(player.Name))
      host_.SendTo(player.Name, *grid);
  }
  SendToPlayers(DefiStart(name), {});
  Launched();
  return true;
}

bool DefiGame::TakeGrid(const std::string &from, const std::string &file, const std::string &ownName) {
  // In play, the launcher's grid is the game: another's would set this board apart from the others.
  if (InPlay() && !(turns_.Mirror && from == launcher_)) {
    host_.Inform("Defi: grid from " + from + " refused: " +
                 (turns_.Mirror ? "the challenge in play is " + launcher_ + "'s"
                                : std::string("the challenge in play goes on")));
    return false;
  }
  // The board that opens the grid reports no move of the player.
  const bool applying = turns_.ApplyingPeerMove;
  turns_.ApplyingPeerMove = true;
  const std::string problem = host_.OpenGrid(file, DefiGridBlocks(file));
  turns_.ApplyingPeerMove = applying;
  if (!problem.empty()) {
    host_.Inform("Defi: grid from " + from + " refused: " + problem);
    return false;
  }
  Follow(from, ownName);
  return true;
}

bool DefiGame::TakeStart(const std::string &from) {
  if (!InPlay() || (turns_.Mirror && from == launcher_))
    return true;
  host_.Inform("Defi: start from " + from + " refused: " +
               (turns_.Mirror ? "the challenge in play is " + launcher_ + "'s"
                              : std::string("the challenge in play goes on")));
  return false;
}

} // namespace quorbel
