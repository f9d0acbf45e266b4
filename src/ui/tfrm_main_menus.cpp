// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's menus: File, Unit (each action mirrors its button on the
// Main tab), View with the language choice, and Help.
#include "ui/tfrm_main.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "session/translations.h"
#include "ui/help_dialogs.h"
#include "ui/main_page.h"
#include "ui/prompts.h"
#include "ui/widget_names.h"
#include "ui/window_geometry.h"

namespace wr {

QAction* TfrmMain::UnitAction(QMenu* menu, const char* name, const QString& caption,
                              QPushButton* button, std::function<void()> handler) {
  QAction* action = Named(menu->addAction(caption), name);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
  action->setEnabled(button->isEnabled());
  // Enabled-change events reach the button also when its group is switched.
  button->installEventFilter(this);
  mirrored_.emplace_back(button, action);
  return action;
}

void TfrmMain::BuildMenus() {
  mnuMain = Named(new QMenuBar(this), "mnuMain");

  mnuFile = Named(mnuMain->addMenu(tr("&File")), "mnuFile");
  actOpenProfile = Named(mnuFile->addAction(tr("&Open profile...")), "actOpenProfile");
  actOpenProfile->setShortcut(QKeySequence::Open);
  actSaveProfile = Named(mnuFile->addAction(tr("&Save profile...")), "actSaveProfile");
  actSaveProfile->setShortcut(QKeySequence::Save);
  actCompareProfile =
      Named(mnuFile->addAction(tr("&Compare with profile...")), "actCompareProfile");
  mnuFile->addSeparator();
  actExportTrips = Named(mnuFile->addAction(tr("&Export trips...")), "actExportTrips");
  actExportTrips->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  mnuFile->addSeparator();
  actPreferences = Named(mnuFile->addAction(tr("&Preferences...")), "actPreferences");
  actPreferences->setShortcuts(QKeySequence::keyBindings(QKeySequence::Preferences));
  actPreferences->setMenuRole(QAction::PreferencesRole);
  connect(actPreferences, &QAction::triggered, this, &TfrmMain::ShowPreferences);
  mnuFile->addSeparator();
  actQuit = Named(mnuFile->addAction(tr("&Quit")), "actQuit");
  // The desktop's own keys where it names them, else those of most desktops.
  actQuit->setShortcuts(QKeySequence::keyBindings(QKeySequence::Quit));
  if (actQuit->shortcuts().isEmpty()) actQuit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  actQuit->setMenuRole(QAction::QuitRole);
  connect(actOpenProfile, &QAction::triggered, this, &TfrmMain::openProfileRequested);
  connect(actSaveProfile, &QAction::triggered, this, &TfrmMain::saveProfileRequested);
  connect(actCompareProfile, &QAction::triggered, this, &TfrmMain::compareProfileRequested);
  connect(actExportTrips, &QAction::triggered, this, &TfrmMain::exportTripsRequested);
  // Through closeEvent, as the window's own close button.
  connect(actQuit, &QAction::triggered, this, &QWidget::close);

  // The same handlers as the buttons, so the questions are the same; none
  // has a shortcut, as each changes the unit.
  mnuUnit = Named(mnuMain->addMenu(tr("&Unit")), "mnuUnit");
  MainPage* page = tabMain;
  actReboot = UnitAction(mnuUnit, "actReboot", tr("&Reboot"), page->btnReboot,
                         [page] { page->btnRebootClick(); });
  actFactoryReset = UnitAction(mnuUnit, "actFactoryReset", tr("&Factory reset"),
                               page->btnFactory, [page] { page->btnFactoryClick(); });
  actSendDefaults = UnitAction(mnuUnit, "actSendDefaults", tr("Send &defaults"),
                               page->btnDefaults, [page] { page->btnDefaultsClick(); });
  mnuUnit->addSeparator();
  actUpgrade = UnitAction(mnuUnit, "actUpgrade", tr("&Upgrade firmware..."),
                          page->btnUpgrade, [this] { btnUpgradeClick(); });
  mnuUnit->addSeparator();
  mnuOutputs = Named(mnuUnit->addMenu(tr("&Outputs")), "mnuOutputs");
  actRelayClose = UnitAction(mnuOutputs, "actRelayClose", tr("Relay &close"),
                             page->btnRelayClose, [page] { page->btnRelayCloseClick(); });
  actRelayOpen = UnitAction(mnuOutputs, "actRelayOpen", tr("Relay &open"),
                            page->btnRelayOpen, [page] { page->btnRelayOpenClick(); });
  mnuOutputs->addSeparator();
  actOutputHigh = UnitAction(mnuOutputs, "actOutputHigh", tr("Output &high"),
                             page->btnOutputHigh, [page] { page->btnOutputHighClick(); });
  actOutputLow = UnitAction(mnuOutputs, "actOutputLow", tr("Output &low"),
                            page->btnOutputLow, [page] { page->btnOutputLowClick(); });
  mnuOutputs->addSeparator();
  actBuzzerOn = UnitAction(mnuOutputs, "actBuzzerOn", tr("&Buzzer on"),
                           page->btnBuzzerOn, [page] { page->btnBuzzerOnClick(); });
  actBuzzerOff = UnitAction(mnuOutputs, "actBuzzerOff", tr("B&uzzer off"),
                            page->btnBuzzerOff, [page] { page->btnBuzzerOffClick(); });
  mnuOutputs->addSeparator();
  act3V3On = UnitAction(mnuOutputs, "act3V3On", tr("&3.3 V supply on"),
                        page->btn3V3On, [page] { page->btn3V3OnClick(); });
  act3V3Off = UnitAction(mnuOutputs, "act3V3Off", tr("3.3 V supply o&ff"),
                         page->btn3V3Off, [page] { page->btn3V3OffClick(); });

  mnuView = Named(mnuMain->addMenu(tr("&View")), "mnuView");
  actDebugTerminal = Named(mnuView->addAction(tr("&Debug terminal")), "actDebugTerminal");
  actDebugTerminal->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  connect(actDebugTerminal, &QAction::triggered, this, &TfrmMain::ShowTerminal);
  actStatusHistory = Named(mnuView->addAction(tr("Status &history")), "actStatusHistory");
  actStatusHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  connect(actStatusHistory, &QAction::triggered, this, &TfrmMain::ShowStatusHistory);
  mnuView->addSeparator();
  BuildLanguageMenu();

  mnuHelp = Named(mnuMain->addMenu(tr("&Help")), "mnuHelp");
  actLinuxHelp = Named(mnuHelp->addAction(tr("&Using a unit on Linux")), "actLinuxHelp");
  actLinuxHelp->setShortcut(QKeySequence::HelpContents);
  connect(actLinuxHelp, &QAction::triggered, this, [this] { ShowInFront(LinuxHelp()); });
  actAbout = Named(mnuHelp->addAction(tr("&About Wayrunner Track")), "actAbout");
  actAbout->setMenuRole(QAction::AboutRole);
  connect(actAbout, &QAction::triggered, this, [this] { ShowInFront(About()); });
}

void TfrmMain::BuildLanguageMenu() {
  mnuLanguage = Named(mnuView->addMenu(tr("&Language")), "mnuLanguage");
  auto* group = new QActionGroup(mnuLanguage);
  const QString chosen = ChosenLanguage();
  auto add = [this, group, &chosen](const QString& caption, const QString& code) {
    QAction* action = mnuLanguage->addAction(caption);
    action->setObjectName(QStringLiteral("actLanguage_") +
                          (code.isEmpty() ? QStringLiteral("system") : code));
    action->setCheckable(true);
    action->setChecked(code == chosen);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, code] {
      if (code == ChosenLanguage()) return;
      SetChosenLanguage(code);
      prompts_.ShowMessage(
          tr("The language you chose is used from the next start of Wayrunner Track."));
    });
    return action;
  };
  actLanguageSystem = add(tr("&System language"), QString());
  mnuLanguage->addSeparator();
  // Each language by its own name, so that a user finds theirs in any.
  add(QStringLiteral("English"), QStringLiteral("en"));
  for (const QString& code : AvailableLanguages()) {
    const QLocale locale(code);
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    add(name.isEmpty() ? code : name, code);
  }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    for (const auto& [button, action] : mirrored_)
      if (button == watched) action->setEnabled(button->isEnabled());
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wr
