// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up: options, the seams, the windows in their order, and the loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "sim/simulated_units.h"
#include "link/device_events.h"
#include "session/system_usb.h"
#include "session/translations.h"
#include "app/app_context.h"
#include "ui/app_icon.h"
#include "ui/desktop_shell.h"
#include "ui/qt_prompts.h"
#include "app/screenshots.h"
#include "app/single_instance.h"
#include "ui/tfrm_main.h"

#include "sim/simulated_bus.h"
#include "install_layout.h"
#include "version.h"

namespace {

void ShowFatal(const QString& what) {
  QMessageBox::critical(nullptr, QStringLiteral("Wayrunner Track"), what);
}

// An exception that reaches the loop is shown, not lost in a silent exit.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      ShowFatal(QString::fromLocal8Bit(e.what()));
    } catch (...) {
      ShowFatal(QCoreApplication::translate("main", "An unexpected error occurred."));
    }
    return false;
  }
};

struct Options {
  // Simulated units instead of USB; 0 for USB.
  int simulate = 0;
  QString screenshotDir;
  bool newInstance = false;
  bool showHistory = false;
};

class CommandLine {
 public:
  // Deferred: not understood, but it may hold one of Qt's own options, which
  // only QApplication (and so a display) can take out.
  enum class Outcome { Run, Done, Wrong, Deferred };
  // The exit code of a command line that is not understood.
  static constexpr int kUsageError = 2;

  // Fills `options` and says whether to run. Help, version and mistakes are
  // printed here.
  static Outcome Parse(const QStringList& arguments, Options& options, bool qtOptionsTaken) {
    QCommandLineParser parser;
    QString description = QCoreApplication::translate(
        "CommandLine", "Configure and watch a vehicle tracking unit attached by USB.");
#ifdef __linux__
    // Said only when the tool falls back on searching: plugging in then
    // takes up to a second to be noticed, and the tool wakes while idle.
    std::string whyNot;
    if (!wr::StartUdevEvents(&whyNot)) {
      description += QLatin1Char('\n') +
                     QCoreApplication::translate(
                         "CommandLine",
                         "Device events are not available (%1): a unit plugged in is looked for "
                         "once a second.")
                         .arg(QString::fromStdString(whyNot));
    }
#endif
    parser.setApplicationDescription(description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QCoreApplication::translate("CommandLine",
                                    "Use N built-in simulated units (--simulate alone: one) "
                                    "instead of USB, each with its own device id."),
        QStringLiteral("N"));
    parser.addOption(simulate);
    // For the documentation: grabs the tabs and the terminal, then exits.
    QCommandLineOption screenshots(QStringLiteral("screenshot-dir"),
                                   QStringLiteral("Save screenshots into <dir> and exit."),
                                   QStringLiteral("dir"));
    screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(screenshots);
    const QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QCoreApplication::translate("CommandLine",
                                    "Start even when another copy is running, instead of "
                                    "bringing that copy's window to the front."));
    parser.addOption(newInstance);
    // For the idle check: the status history window open from the start.
    QCommandLineOption showHistory(QStringLiteral("show-history"),
                                   QStringLiteral("Open the status history window."));
    showHistory.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(showHistory);

    QString error;
    if (!parser.parse(WithSimulateCount(arguments))) {
      error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
      error = QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    }
    if (!error.isEmpty()) {
      if (!qtOptionsTaken && HasQtOption(arguments)) return Outcome::Deferred;
      std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(QCoreApplication::applicationName()),
                   qPrintable(error), qPrintable(parser.helpText()));
      return Outcome::Wrong;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
      // Qt's window-system options are known to QApplication only.
      if (!qtOptionsTaken) return Outcome::Deferred;
      parser.process(arguments);  // prints that help and exits with 0
    }
    if (parser.isSet(help)) {
      std::fputs(qPrintable(parser.helpText()), stdout);
      return Outcome::Done;
    }
    if (parser.isSet(version)) {
      std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                  qPrintable(QCoreApplication::applicationVersion()));
      return Outcome::Done;
    }
    if (parser.isSet(simulate)) {
      bool number = false;
      const int units = parser.value(simulate).toInt(&number);
      if (!number || units < 1 || units > wr::kMaxSimulatedUnits) {
        std::fprintf(stderr, "%s: %s\n\n%s", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(QCoreApplication::translate(
                                    "CommandLine",
                                    "--simulate takes a number of units from 1 to %1, not '%2'.")
                                    .arg(wr::kMaxSimulatedUnits)
                                    .arg(parser.value(simulate))),
                     qPrintable(parser.helpText()));
        return Outcome::Wrong;
      }
      options.simulate = units;
    }
    options.screenshotDir = parser.value(screenshots);
    options.newInstance = parser.isSet(newInstance);
    options.showHistory = parser.isSet(showHistory);
    return Outcome::Run;
  }

 private:
  // "--simulate" alone stands for one unit; the parser knows the option only
  // with its number.
  static QStringList WithSimulateCount(QStringList arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
      if (arguments[i] == QStringLiteral("--")) break;
      if (arguments[i] == QStringLiteral("--simulate")) arguments[i] = QStringLiteral("--simulate=1");
    }
    return arguments;
  }

  // The options QGuiApplication and QApplication take for themselves, with
  // one dash or two.
  static bool HasQtOption(const QStringList& arguments) {
    static const QStringList qtOptions = {
        QStringLiteral("platform"),   QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"), QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"), QStringLiteral("reverse"),
        QStringLiteral("session"),    QStringLiteral("display"),
        QStringLiteral("geometry"),   QStringLiteral("name"),
        QStringLiteral("title"),      QStringLiteral("visual"),
        QStringLiteral("ncols"),      QStringLiteral("cmap"),
        QStringLiteral("style"),      QStringLiteral("stylesheet"),
        QStringLiteral("widgetcount"), QStringLiteral("nograb"),
        QStringLiteral("dograb"),     QStringLiteral("sync"),
        QStringLiteral("qmljsdebugger")};
    for (QString argument : arguments.mid(1)) {
      if (!argument.startsWith(QLatin1Char('-'))) continue;
      while (argument.startsWith(QLatin1Char('-'))) argument.remove(0, 1);
      if (qtOptions.contains(argument.section(QLatin1Char('='), 0, 0))) return true;
    }
    return false;
  }
};

// Qt ends the program with an abort when no window system can be reached
// (no display, a display that does not answer, no platform plugin). While
// the application is being made, its messages are held back: a fatal one is
// answered with one line and exit status 1, the others are passed on once
// the window system is there.
class WindowSystemGuard {
 public:
  WindowSystemGuard() { previous_ = qInstallMessageHandler(&WindowSystemGuard::Hold); }
  ~WindowSystemGuard() {
    qInstallMessageHandler(previous_);
    for (const Held& message : held_) previous_(message.type, message.context(), message.text);
    held_.clear();
  }
  WindowSystemGuard(const WindowSystemGuard&) = delete;
  WindowSystemGuard& operator=(const WindowSystemGuard&) = delete;

  static constexpr int kNoDisplay = 1;

 private:
  struct Held {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
    QMessageLogContext context() const {
      return QMessageLogContext(file.constData(), line, function.constData(), category.constData());
    }
  };

  static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
      std::fprintf(stderr, "%s\n",
                   qPrintable(QCoreApplication::translate(
                       "main", "wayrunner-track: no display to open its window on; "
                               "wayrunner-cli does the same work in a terminal.")));
      std::fflush(stderr);
      std::_Exit(kNoDisplay);
    }
    held_.push_back({type, context.file, context.function, context.category, context.line, text});
  }

  static inline QtMessageHandler previous_ = nullptr;
  static inline std::vector<Held> held_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("wayrunner-track"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(wr::kVersion));

  // Help, version and a mistyped option are answered before there is a
  // window system to connect to, so they work over ssh and in scripts.
  Options options;
  CommandLine::Outcome outcome;
  {
    QCoreApplication probe(argc, argv);
    wr::InstallTranslations(wr::ChosenLanguage());
    outcome = CommandLine::Parse(probe.arguments(), options, /*qtOptionsTaken=*/false);
  }
  if (outcome == CommandLine::Outcome::Done) return 0;
  if (outcome == CommandLine::Outcome::Wrong) return CommandLine::kUsageError;

  std::unique_ptr<WindowSystemGuard> guard = std::make_unique<WindowSystemGuard>();
  GuardedApplication app(argc, argv);
  guard.reset();
  // The language chosen in View > Language, else the desktop's; pictures
  // are taken in the desktop's.
  wr::InstallTranslations(options.screenshotDir.isEmpty() ? wr::ChosenLanguage() : QString());
  if (outcome == CommandLine::Outcome::Deferred) {
    outcome = CommandLine::Parse(app.arguments(), options, /*qtOptionsTaken=*/true);
    if (outcome == CommandLine::Outcome::Done) return 0;
    if (outcome == CommandLine::Outcome::Wrong) return CommandLine::kUsageError;
  }
  QApplication::setApplicationDisplayName(QStringLiteral("Wayrunner Track"));
  // The window's size and place are kept under this name.
  QCoreApplication::setOrganizationName(QStringLiteral("Wayrunner"));
  // Ties the windows to the desktop entry (its icon and name in docks).
  QGuiApplication::setDesktopFileName(QString::fromLatin1(wr::install::kAppId));
  QApplication::setWindowIcon(wr::AppIcon());
  // The loop ends with the main window, not with the last window.
  QApplication::setQuitOnLastWindowClosed(false);

  // A second copy hands over to the first and ends. Copies with the
  // simulated unit do not contend for a real one, so they are counted apart;
  // a screenshot run is a separate copy by nature.
  std::unique_ptr<wr::SingleInstance> instance;
  if (!options.newInstance && options.screenshotDir.isEmpty()) {
    instance = std::make_unique<wr::SingleInstance>(wr::SingleInstance::NameFor(options.simulate > 0));
    if (instance->Claim() == wr::SingleInstance::Role::HandedOver) return 0;
  }

  try {
    std::unique_ptr<wr::UsbApi> api;
    wr::SimulatedBus* screenshotBus = nullptr;
    // Pictures are taken of the simulated units, in a window that neither
    // reads nor keeps the user's remembered size.
    QTemporaryDir screenshotSettings;
    if (!options.screenshotDir.isEmpty()) {
      QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, screenshotSettings.path());
      auto bus = wr::MakeSimulatedBus(2);
      bus->Unplug(1);  // plugged in for the picture of several units
      screenshotBus = bus.get();
      api = std::move(bus);
    } else if (options.simulate == 1) {
      api = wr::SimulatedBus::Demo();
    } else if (options.simulate > 1) {
      api = wr::MakeSimulatedBus(options.simulate);
    } else {
      api = wr::MakeSystemUsbApi();
    }

    wr::QtPrompts prompts;
    wr::QtDesktopShell shell;
    int result = 0;
    {
      // The real bus is watched through the desktop's device events where
      // there are any; the simulated one has none.
      wr::UnitSession::Options sessionOptions;
      sessionOptions.deviceEvents = options.simulate == 0 && options.screenshotDir.isEmpty();
      wr::AppContext context(*api, prompts, shell, sessionOptions);
      prompts.SetParent(&context.Main());
      QObject::connect(&context.Main(), &wr::TfrmMain::closed, &app, &QApplication::quit);
      if (instance) {
        QObject::connect(instance.get(), &wr::SingleInstance::showRequested, &context.Main(),
                         [&context] { wr::BringToFront(context.Main()); });
      }
      context.Main().show();
      if (options.showHistory) context.Main().ShowStatusHistory();
      if (!options.screenshotDir.isEmpty())
        wr::TakeScreenshotsWhenReady(context, QDir(options.screenshotDir), screenshotBus);
      result = app.exec();
      // The worker stops before any window it reports to goes away.
      context.Shutdown();
    }
    return result;
  } catch (const std::exception& e) {
    ShowFatal(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowFatal(QCoreApplication::translate("main", "An unexpected error occurred."));
  }
  return 1;
}
