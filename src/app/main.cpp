// Start-up: options, the seams, the windows in their order, and the loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <exception>
#include <memory>

#include "link/lib_usb_api.h"
#include "app/app_context.h"
#include "ui/desktop_shell.h"
#include "ui/qt_prompts.h"
#include "app/screenshots.h"
#include "app/single_instance.h"
#include "ui/tfrm_main.h"

#include "sim/simulated_bus.h"
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
      ShowFatal(QStringLiteral("An unexpected error occurred."));
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  GuardedApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("wayrunner-track"));
  QApplication::setApplicationDisplayName(QStringLiteral("Wayrunner Track"));
  QApplication::setApplicationVersion(QString::fromLatin1(wr::kVersion));
  // The loop ends with the main window, not with the last window.
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Configure and watch a vehicle tracking unit attached by USB."));
  parser.addHelpOption();
  parser.addVersionOption();
  QCommandLineOption simulate(QStringLiteral("simulate"),
                              QStringLiteral("Use the built-in simulated unit instead of USB."));
  parser.addOption(simulate);
  // For the documentation: grabs the tabs and the terminal, then exits.
  QCommandLineOption screenshots(QStringLiteral("screenshot-dir"),
                                 QStringLiteral("Save screenshots into <dir> and exit."),
                                 QStringLiteral("dir"));
  screenshots.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(screenshots);
  QCommandLineOption newInstance(
      QStringLiteral("new-instance"),
      QStringLiteral("Start even when another copy is running, instead of bringing that copy's "
                     "window to the front."));
  parser.addOption(newInstance);
  // For the idle check: the status history window open from the start.
  QCommandLineOption showHistory(QStringLiteral("show-history"),
                                 QStringLiteral("Open the status history window."));
  showHistory.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOption(showHistory);
  parser.process(app);

  // A second copy hands over to the first and ends. Copies with the
  // simulated unit do not contend for a real one, so they are counted apart;
  // a screenshot run is a separate copy by nature.
  std::unique_ptr<wr::SingleInstance> instance;
  if (!parser.isSet(newInstance) && !parser.isSet(screenshots)) {
    instance = std::make_unique<wr::SingleInstance>(wr::SingleInstance::NameFor(parser.isSet(simulate)));
    if (instance->Claim() == wr::SingleInstance::Role::HandedOver) return 0;
  }

  try {
    std::unique_ptr<wr::UsbApi> api;
    if (parser.isSet(simulate)) {
      api = wr::SimulatedBus::Demo();
    } else {
      api = std::make_unique<wr::LibUsbApi>();
    }

    wr::QtPrompts prompts;
    wr::QtDesktopShell shell;
    int result = 0;
    {
      wr::AppContext context(*api, prompts, shell);
      prompts.SetParent(&context.Main());
      QObject::connect(&context.Main(), &wr::TfrmMain::closed, &app, &QApplication::quit);
      if (instance) {
        QObject::connect(instance.get(), &wr::SingleInstance::showRequested, &context.Main(),
                         [&context] { wr::BringToFront(context.Main()); });
      }
      context.Main().show();
      if (parser.isSet(showHistory)) context.Main().ShowStatusHistory();
      if (parser.isSet(screenshots))
        wr::TakeScreenshotsWhenReady(context, QDir(parser.value(screenshots)));
      result = app.exec();
      // The worker stops before any window it reports to goes away.
      context.Shutdown();
    }
    return result;
  } catch (const std::exception& e) {
    ShowFatal(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowFatal(QStringLiteral("An unexpected error occurred."));
  }
  return 1;
}
