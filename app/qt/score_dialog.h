// CDialogScore, the best-score command's dialog: the best game of each level with its grid's
// size and rules, its time and its mark, read from the BESTSCORE settings.
#pragma once

#include <QDialog>
#include <array>

#include "app/best_scores.h"

class DialogHost;
class QLabel;

class CDialogScore final : public QDialog {
  Q_OBJECT
public:
  CDialogScore(const quorbel::BestScoreTexts &texts, QWidget *parent = nullptr);

  // The block of level 1..4 as shown.
  QString LevelBlock(int level) const;

private:
  std::array<QLabel *, quorbel::kBestScoreLevels> blocks_{};
};

// The best-score command: the dialog over the stored best scores, in the player's language; nothing
// without a settings store.
void OnBestScore(DialogHost &app, quorbel::AbstractProfileStore *profile);
