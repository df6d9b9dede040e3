// CAboutDlg, Help > About: the program's name and version, and whether expert mode is on.
#pragma once

#include <QDialog>

#include "platform/language.h"

class CAboutDlg final : public QDialog {
  Q_OBJECT
public:
  CAboutDlg(quorbel::Language language, bool expert, QWidget *parent = nullptr);
};
