// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/screenshots.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QEventLoop>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

#include "app/app_context.h"
#include "session/unit_operations.h"
#include "session/unit_roster.h"
#include "sim/simulated_bus.h"
#include "ui/help_dialogs.h"
#include "ui/layout_check.h"
#include "ui/main_page.h"
#include "ui/operation_bar.h"
#include "ui/profile_compare_dialog.h"
#include "session/unit_session.h"
#include "ui/settings_page.h"
#include "ui/settings_profiles.h"
#include "ui/status_history_window.h"
#include "ui/status_page.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/tfrm_network_wizard.h"
#include "ui/tfrm_sms_extra.h"
#include "ui/tfrm_upgrade.h"
#include "ui/trips_page.h"

namespace wr {
namespace {

constexpr int kReadyLimitMs = 20000;
constexpr int kStateLimitMs = 15000;

struct Picture;

struct Scene {
  AppContext& app;
  SimulatedBus* bus;
  // Looks at a modal dialog while it runs (the pictures do not need it).
  std::function<void(const Picture&)> lookAtModal;
  TfrmMain& Main() { return app.Main(); }
};

// What a picture shows: a window, and a menu open over it.
struct Picture {
  explicit Picture(QWidget* shown = nullptr, QWidget* menu = nullptr, bool drawnOnly = false,
                   QWidget* submenu = nullptr)
      : window(shown), popup(menu), hidden(drawnOnly), popup2(submenu) {}
  QWidget* window = nullptr;
  QWidget* popup = nullptr;
  // Drawn without being shown: showing it would start what it does.
  bool hidden = false;
  // A second popup: a submenu.
  QWidget* popup2 = nullptr;
  // A modal dialog is drawn while it runs; its picture and what is wrong
  // with it come back here.
  std::optional<QPixmap> taken;
  // Laid out by Qt (the file dialog): only whether it fits is checked.
  bool qtsOwn = false;
  QStringList takenProblems;
};

struct Shot {
  const char* name;
  const char* caption;
  std::function<Picture(Scene&)> show;
  std::function<void(Scene&)> hide;
};

// Runs the event loop for ms milliseconds: the pictures wait for the
// window to settle.
void Delay(int ms) {
  if (ms <= 0) return;
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

// Runs the event loop until cond holds or the limit passes.
bool WaitUntil(const std::function<bool()>& cond, int limitMs = kStateLimitMs) {
  QElapsedTimer clock;
  clock.start();
  while (!cond()) {
    if (clock.elapsed() > limitMs) return false;
    Delay(50);
  }
  return true;
}

Shot Tab(const char* name, const char* caption, int index) {
  return {name, caption, [index](Scene& s) {
            s.Main().pageControl->setCurrentIndex(index);
            return Picture{&s.Main()};
          },
          nullptr};
}

// A menu of the menu bar open over the Main tab, and one of its submenus
// open beside it when given.
Shot Menu(const char* name, const char* caption, QMenu* TfrmMain::*menu,
          QMenu* TfrmMain::*submenu = nullptr) {
  return {name, caption,
          [menu, submenu](Scene& s) {
            TfrmMain& main = s.Main();
            main.pageControl->setCurrentIndex(0);
            QMenu* open = main.*menu;
            const QRect item = main.mnuMain->actionGeometry(open->menuAction());
            open->popup(main.mnuMain->mapToGlobal(item.bottomLeft()));
            Delay(100);
            if (!submenu) return Picture{&main, open};
            QMenu* sub = main.*submenu;
            open->setActiveAction(sub->menuAction());
            const QRect subItem = open->actionGeometry(sub->menuAction());
            sub->popup(open->mapToGlobal(subItem.topRight()));
            return Picture{&main, open, false, sub};
          },
          [menu, submenu](Scene& s) {
            if (submenu) (s.Main().*submenu)->hide();
            (s.Main().*menu)->hide();
          }};
}

Shot Window(const char* name, const char* caption, std::function<QWidget*(Scene&)> window) {
  return {name, caption,
          [window](Scene& s) {
            QWidget* w = window(s);
            w->show();
            w->raise();
            return Picture{w};
          },
          [window](Scene& s) { window(s)->hide(); }};
}

QPixmap Grab(const Picture& picture);
QStringList Problems(const Picture& picture);

// A dialog that runs modally from an action: it is drawn from within its
// own event loop, then cancelled.
Shot Modal(const char* name, const char* caption, QAction* TfrmMain::*action) {
  return {name, caption,
          [action](Scene& s) {
            Picture result;
            // Owned here, so that it cannot fire after this picture when the
            // action showed no dialog.
            QTimer draw;
            draw.setSingleShot(true);
            QObject::connect(&draw, &QTimer::timeout, [&result, &s] {
              QWidget* dialog = QApplication::activeModalWidget();
              if (!dialog) return;
              Picture own{dialog};
              own.qtsOwn = dialog->inherits("QFileDialog");
              if (s.lookAtModal) s.lookAtModal(own);
              result.taken = Grab(own);
              result.takenProblems = Problems(own);
              result.window = dialog;
              if (auto* d = qobject_cast<QDialog*>(dialog)) d->reject();
            });
            draw.start(800);
            (s.Main().*action)->trigger();
            if (!result.taken) result.takenProblems << QStringLiteral("no dialog was shown");
            result.window = &s.Main();
            return result;
          },
          nullptr};
}

// Every picture, in order: a new window or dialog is one line here.
std::vector<Shot> Shots() {
  return {
      Tab("main-main", "Main tab: the unit's identity, its buttons and outputs", 0),
      Tab("main-status", "Status tab", 1),
      Tab("main-settings", "Settings tab", 2),
      {"main-settings-marked", "Settings tab: a changed value, and one the check refuses",
       [](Scene& s) {
         SettingsPage& page = s.Main().PageSettings();
         s.Main().pageControl->setCurrentIndex(2);
         const std::pair<QLineEdit*, const char*> typed[] = {{page.edtAPN, "fleet.apn"},
                                                              {page.edtUSSDinterval, "12h"}};
         for (const auto& [box, text] : typed) {
           box->setText(QString::fromLatin1(text));
           emit box->textEdited(box->text());
         }
         return Picture{&s.Main()};
       },
       [](Scene& s) { s.Main().PageSettings().DiscardEdits(); }},
      Tab("main-trips", "Trip Meter", 3),
      {"main-trips-fetching", "Unit work in progress: trips being fetched, with Cancel",
       [](Scene& s) {
         // A slow unit keeps the fetch running while the picture is taken.
         if (s.bus) s.bus->SetWriteDelay(std::chrono::milliseconds(2000));
         s.Main().pageControl->setCurrentIndex(3);
         auto* fetch = new FetchTripsOperation(s.app.Session(), kStateLimitMs, &s.Main());
         QObject::connect(fetch, &Operation::finished, fetch, &QObject::deleteLater);
         fetch->Start();
         return Picture{&s.Main()};
       },
       [](Scene& s) {
         OperationBar& bar = *s.Main().pnlOperation;
         if (bar.btnCancelOperation->isVisible()) bar.btnCancelOperation->click();
         if (s.bus) s.bus->SetWriteDelay(std::chrono::milliseconds(0));
         // The line in flight is written, and the unit lists its trips.
         WaitUntil([&s] {
           return !s.app.Session().OperationsRunning() && !s.app.Session().WritesPending();
         });
         bar.setVisible(false);
       }},
      Menu("menu-file", "File menu", &TfrmMain::mnuFile),
      Menu("menu-unit", "Unit menu, with the outputs", &TfrmMain::mnuUnit, &TfrmMain::mnuOutputs),
      Menu("menu-view", "View menu", &TfrmMain::mnuView),
      Menu("menu-help", "Help menu", &TfrmMain::mnuHelp),
      {"question-send-defaults", "The question before the defaults are sent",
       [](Scene& s) {
         auto* box = new QMessageBox(QMessageBox::NoIcon, MainPage::tr(MainPage::kDefaultsCaption),
                                     MainPage::DefaultsQuestion(QStringLiteral("track.example.net")),
                                     QMessageBox::Yes | QMessageBox::No, &s.Main());
         box->setObjectName(QStringLiteral("screenshotQuestion"));
         box->setDefaultButton(QMessageBox::No);
         box->setAttribute(Qt::WA_DeleteOnClose);
         box->show();
         return Picture{box};
       },
       [](Scene& s) {
         if (auto* box = s.Main().findChild<QMessageBox*>(QStringLiteral("screenshotQuestion")))
           box->close();
       }},
      {"terminal", "Debug terminal, with time stamps",
       [](Scene& s) {
         TfrmComms& terminal = s.app.Comms();
         if (!terminal.chkTimestamps->isChecked()) terminal.chkTimestamps->click();
         terminal.show();
         return Picture{&terminal};
       },
       [](Scene& s) { s.app.Comms().hide(); }},
      Window("status-history", "Status history",
             [](Scene& s) -> QWidget* { return &s.app.StatusHistoryView(); }),
      {"upgrade", "Firmware upgrade in progress",
       [](Scene& s) {
         TfrmUpgrade& upgrade = s.app.Upgrade();
         upgrade.pbarUpgrade->setRange(0, 100);
         upgrade.pbarUpgrade->setValue(40);
         if (upgrade.layout()) upgrade.layout()->activate();
         return Picture{&upgrade, nullptr, true};
       },
       [](Scene& s) { s.app.Upgrade().pbarUpgrade->setValue(0); }},
      Window("network-wizard", "Network Wizard",
             [](Scene& s) -> QWidget* { return &s.app.NetworkWizard(); }),
      Window("sms-content", "SMS content",
             [](Scene& s) -> QWidget* { return &s.app.SmsExtra(); }),
      {"profile-comparison", "File > Open profile...: the profile beside the unit's settings",
       [](Scene& s) {
         auto* dialog = new ProfileCompareDialog(ProfileCompareDialog::Mode::Choose, &s.Main());
         dialog->setObjectName(QStringLiteral("screenshotComparison"));
         dialog->setAttribute(Qt::WA_DeleteOnClose);
         const SettingsValues unit = SettingsValuesFromUnit(s.app.Session().Model().Settings());
         SettingsValues profile = unit;
         profile.Set(SettingKey::kApn, "fleet.apn");
         profile.Set(SettingKey::kApnUser, "driver");
         profile.Set(SettingKey::kTripStopMinutes, "10");
         dialog->SetComparison(
             SettingsProfiles::tr("The settings in %1, beside the unit's. The ticked ones go into the Settings "
                     "tab; Save then writes them to the unit.")
                 .arg(QStringLiteral("/home/fitter/profiles/fleet.ini")),
             unit, profile);
         dialog->SetAcceptText(SettingsProfiles::tr("Fill the Settings tab"));
         dialog->show();
         return Picture{dialog};
       },
       [](Scene& s) {
         if (auto* d = s.Main().findChild<QDialog*>(QStringLiteral("screenshotComparison")))
           d->close();
       }},
      Modal("trip-export", "File > Export trips...: where, and in which format",
            &TfrmMain::actExportTrips),
      Modal("preferences", "File > Preferences...: the tracking server Send defaults writes",
            &TfrmMain::actPreferences),
      Window("linux-help", "Help > Using a unit on Linux",
             [](Scene& s) -> QWidget* { return &s.Main().LinuxHelp(); }),
      Window("about", "Help > About", [](Scene& s) -> QWidget* { return &s.Main().About(); }),
      {"main-units", "Several units attached: the choice of the one shown",
       [](Scene& s) {
         if (s.bus) s.bus->Replug(1);
         WaitUntil([&s] {
           const auto& units = s.app.Roster().Units();
           return units.size() > 1 && units.back().idState == UnitRoster::IdState::Known;
         });
         TfrmMain& main = s.Main();
         main.pageControl->setCurrentIndex(0);
         main.cboxUnit->showPopup();
         return Picture{&main, main.cboxUnit->view()->window()};
       },
       [](Scene& s) {
         s.Main().cboxUnit->hidePopup();
         if (!s.bus) return;
         s.bus->Unplug(1);
         WaitUntil([&s] { return s.Main().pnlUnits->isHidden(); });
       }},
      {"main-searching", "No unit attached: searching",
       [](Scene& s) {
         if (s.bus) s.bus->Unplug(0);
         WaitUntil([&s] { return s.Main().LastConnectionState() == 0; });
         return Picture{&s.Main()};
       },
       nullptr},
  };
}

bool Ready(TfrmMain& main) {
  return main.LastConnectionState() == 1 && !main.PageStatus().edt_GSM_status->text().isEmpty() &&
         !main.PageMain().edtVersion->text().isEmpty() &&
         !main.PageSettings().edtAPN->text().isEmpty();
}

QPixmap Grab(const Picture& picture) {
  if (picture.taken) return *picture.taken;
  QApplication::processEvents();
  if (!picture.popup) return picture.window->grab();
  // A menu is a window of its own: the part of the screen under them all.
  QRect area = picture.window->frameGeometry().united(picture.popup->frameGeometry());
  if (picture.popup2) area = area.united(picture.popup2->frameGeometry());
  QScreen* screen = picture.window->screen();
  return screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

// What a user would see wrong in the picture.
QStringList Problems(const Picture& picture) {
  if (picture.taken || !picture.takenProblems.isEmpty()) return picture.takenProblems;
  QStringList problems;
  for (QWidget* w : {picture.window, picture.popup, picture.popup2}) {
    if (!w) continue;
    if (!picture.hidden) {
      const QRect screen = w->screen()->availableGeometry();
      if (!screen.contains(w->frameGeometry()))
        problems << QStringLiteral("%1 (%2x%3) does not fit the screen (%4x%5)")
                        .arg(w->objectName())
                        .arg(w->frameGeometry().width())
                        .arg(w->frameGeometry().height())
                        .arg(screen.width())
                        .arg(screen.height());
    }
    if (!picture.qtsOwn)
      for (const QString& cut : CutControls(*w)) problems << cut;
  }
  return problems;
}

void TakeAll(AppContext& context, const QDir& dir, SimulatedBus* bus) {
  Scene scene{context, bus, nullptr};
  TfrmMain& main = context.Main();
  // Fetch the trip log so the Trip Meter picture shows rows, then let the
  // replies arrive.
  if (main.PageTrips().btnGetTrips->isEnabled()) main.PageTrips().btnGetTripsClick();
  Delay(1500);
  const QString suffix = main.devicePixelRatioF() > 1.5 ? QStringLiteral("@2x") : QString();
  int faults = 0;
  for (const Shot& shot : Shots()) {
    // How earlier work ended is no part of the next picture.
    if (!context.Session().OperationsRunning()) main.pnlOperation->setVisible(false);
    const Picture picture = shot.show(scene);
    Delay(300);
    const QString file = dir.filePath(QString::fromLatin1(shot.name) + suffix + QStringLiteral(".png"));
    if (!Grab(picture).save(file, "PNG")) {
      std::fprintf(stderr, "screenshots: %s could not be written\n", qPrintable(file));
      ++faults;
    }
    for (const QString& problem : Problems(picture)) {
      std::fprintf(stderr, "screenshots: %s: %s\n", shot.name, qPrintable(problem));
      ++faults;
    }
    std::printf("%s\t%s\n", shot.name, shot.caption);
    if (shot.hide) shot.hide(scene);
  }
  std::fflush(stdout);
  main.pageControl->setCurrentIndex(0);
  QCoreApplication::exit(faults ? 1 : 0);
}

}  // namespace

void VisitPictureWindows(AppContext& context, SimulatedBus* bus, const WindowVisitor& look) {
  Scene scene{context, bus, [&look](const Picture& p) { look(p.window, nullptr, nullptr); }};
  for (const Shot& shot : Shots()) {
    const Picture picture = shot.show(scene);
    QApplication::processEvents();
    // A modal dialog was looked at while it ran.
    if (!picture.taken) look(picture.window, picture.popup, picture.popup2);
    if (shot.hide) shot.hide(scene);
  }
  context.Main().pageControl->setCurrentIndex(0);
}

void TakeScreenshotsWhenReady(AppContext& context, const QDir& dir, SimulatedBus* bus) {
  dir.mkpath(QStringLiteral("."));
  auto* poll = new QTimer(&context.Main());
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, &context.Main(), [&context, dir, poll, clock, bus] {
    if (!Ready(context.Main()) && clock->elapsed() < kReadyLimitMs) return;
    poll->stop();
    delete clock;
    TakeAll(context, dir, bus);
  });
  poll->start(200);
}

}  // namespace wr
