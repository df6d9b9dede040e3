// Check Version: the maker's page read, the published version compared with ours, and the
// download page offered (CDialogVersion).
#pragma once

#include <QDialog>

#include "platform/language.h"

class CommandDispatcher;
class DialogHost;

class CDialogVersion final : public QDialog {
  Q_OBJECT
public:
  CDialogVersion(const QString &message, quorbel::Language language, QWidget *parent = nullptr);
};

void RegisterVersionCheck(CommandDispatcher &commands, DialogHost &app);
// The whole command: read, compare, ask, and open the download page unless cancelled.
void VersionCheck(DialogHost &app);
