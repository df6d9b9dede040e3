// CAboutDlg, Help > About: the program's name and version, its two pictures, whether expert mode
// is on, and a link to the help.
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>

#include "platform/language.h"

class CAboutDlg final : public QDialog {
  Q_OBJECT
public:
  // `artist` is the dialogs' picture (shown when not null); `openHelp` opens the help's index.
  CAboutDlg(quorbel::Language language, bool expert, const QImage &artist, std::function<void()> openHelp,
            QWidget *parent = nullptr);
};

// The program's emblem: a small grid of four by four with its values, drawn here.
QImage QuorbelEmblem(int side);
