#include "app/screenshots.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "app/app_context.h"
#include "ui/main_page.h"
#include "ui/settings_page.h"
#include "ui/status_page.h"
#include "ui/tfrm_comms.h"
#include "ui/tfrm_main.h"
#include "ui/trips_page.h"
#include "link/delay.h"

namespace wr {
namespace {

constexpr int kReadyLimitMs = 20000;

bool Ready(TfrmMain& main) {
  return main.LastConnectionState() == 1 && !main.PageStatus().edt_GSM_status->text().isEmpty() &&
         !main.PageMain().edtVersion->text().isEmpty() &&
         !main.PageSettings().edtAPN->text().isEmpty();
}

void Grab(QWidget& widget, const QDir& dir, const QString& name) {
  QApplication::processEvents();
  widget.grab().save(dir.filePath(name), "PNG");
}

void TakeAll(AppContext& context, const QDir& dir) {
  TfrmMain& main = context.Main();
  // Fetch the trip log so the Trip Meter picture shows rows, then let the
  // replies arrive.
  if (main.PageTrips().btnGetTrips->isEnabled()) main.PageTrips().btnGetTripsClick();
  Delay(1500);
  const char* names[] = {"main-main.png", "main-status.png", "main-settings.png",
                         "main-trips.png"};
  for (int i = 0; i < main.pageControl->count() && i < 4; ++i) {
    main.pageControl->setCurrentIndex(i);
    Grab(main, dir, QString::fromLatin1(names[i]));
  }
  main.pageControl->setCurrentIndex(0);
  context.Comms().show();
  Delay(300);
  Grab(context.Comms(), dir, QStringLiteral("terminal.png"));
  QApplication::quit();
}

}  // namespace

void TakeScreenshotsWhenReady(AppContext& context, const QDir& dir) {
  dir.mkpath(QStringLiteral("."));
  auto* poll = new QTimer(&context.Main());
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(poll, &QTimer::timeout, &context.Main(), [&context, dir, poll, clock] {
    if (!Ready(context.Main()) && clock->elapsed() < kReadyLimitMs) return;
    poll->stop();
    delete clock;
    TakeAll(context, dir);
  });
  poll->start(200);
}

}  // namespace wr
