// What start-up and the frame ask of the parts that join the program later: the board view, the
// game state's owners, the game-mode dialog, sound, music, the challenge, the web challenge and the macro
// player. An empty entry means that part is not available yet; the program then goes on without
// it and says so where the player would miss it.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "files/sud_file_state.h"

class QPainter;
namespace quorbel {
struct GridRecord;
}

struct OutsideServices {
  // The board view, as the frame's central widget. None: a placeholder stands there.
  std::function<std::unique_ptr<QWidget>(QWidget *parent)> createView;
  // The parts that own a piece of the game state a grid file carries (the game clock, the
  // score, the stopwatches, the methods panel) put it in before a save and take it back
  // after a grid file or a text grid was opened.
  std::function<void(quorbel::SudGameState &game)> gatherGameState;
  std::function<void(const quorbel::SudGameState &game)> gameStateLoaded;
  // The game-mode dialog shown when start-up opens no grid.
  std::function<void()> showGameModeDialog;
  // Runs its argument once it is known whether the sound server answers (at once, or later on
  // the user-interface thread while the window lives). Empty: the sound starts at once.
  std::function<void(QObject *context, std::function<void()> then)> whenSoundServerKnown;
  // False when no sound device could be opened.
  std::function<bool(QWidget *mainWindow)> initSoundEffects;
  // Opens and plays a music file at a volume of 0..100; false when it could not.
  std::function<bool(const std::string &file, int volume)> playMusic;
  std::function<void()> closeMusic;
  // The player takes MUSIC/MUSICVOLUME and SILENT again (and the music dialog its slider).
  std::function<void()> applyMusicVolume;
  // Listens for challenge players on the port; false when it could not.
  std::function<bool(int port)> startChallengeListen;
  std::function<bool()> loadQuellaboSites;
  // The value 1 as the board draws it in a symbol mode (a picture in pictures mode), over the
  // cell colour, for the preference sheet's sample.
  std::function<void(QPainter &painter, const QRect &box, int symbolMode)> drawSymbolSample;
  // Opens a file with the program the desktop gives it (the log, say); none: the desktop's own.
  std::function<void(const std::string &path)> openWithShell;
  // Plays a macro file (none: asks for one); how the play ended: 0 every step done, 1 the file
  // could not be read, 2 a step failed, 3 stopped by the player.
  std::function<int(const std::string &path)> runMacroFile;
  // The board view's part of the engine's host.
  std::function<void()> clearSelection;
  std::function<void(const quorbel::GridRecord &grid, int cell, int picture, int mode, int count)>
      startCellAnimation;
  std::function<void(int cell, int value, int action)> defiSendMove;
  // Plays one sound effect by its slot in the sound list.
  std::function<void(int slot)> playSoundEffect;
  // Draws the dragged values' cursors again in the symbols in use (the picture sets own them).
  std::function<void()> buildValueCursors;
  // The web challenge's reply to a solved grid, for the end of game.
  std::function<std::string()> quellaboSubmitSolution;
};
