// The timed web challenge: the sites of QuellaboSite.txt, the selection dialog (CQuellabo), the
// grid read from a site's page onto the board, and the solution posted back for ranking.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "net/quellabo.h"
#include "platform/language.h"

class CQuorbelApp;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

class CQuellabo final : public QDialog {
  Q_OBJECT
public:
  CQuellabo(CQuorbelApp &app, std::vector<quorbel::QuellaboSite> &sites, QWidget *parent = nullptr);
  int Site() const { return site_; }
  int Level() const { return level_; } // 1..5

private:
  void ShowSite(int index);
  void Accept();

  CQuorbelApp &app_;
  std::vector<quorbel::QuellaboSite> &sites_;
  int site_ = 0;
  int level_ = 1;
  QListWidget *list_ = nullptr;
  QLineEdit *login_ = nullptr;
  QLineEdit *password_ = nullptr;
  std::array<QRadioButton *, 5> levels_{};
  QLabel *description_ = nullptr;
  QCheckBox *ranking_ = nullptr;
};

// Reads QuellaboSite.txt beside the program; false when it is missing.
bool LoadQuellaboSites(CQuorbelApp &app);
// The site's grid of level 1..5 on the board; false, with the reason said, when none was read.
bool QuellaboLoadGrid(CQuorbelApp &app, int site, int level);
// The solved grid posted to the site; the reply's message, empty when nothing was sent.
std::string QuellaboSubmitSolution(CQuorbelApp &app);
// The start screen's Quellabo: the dialog, then the grid of the site chosen.
bool StartQuellabo(CQuorbelApp &app);
// The sites at start-up, the submit command and the end of game's submission.
void InstallQuellabo(CQuorbelApp &app);
