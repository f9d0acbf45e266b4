#include "link/send_command.h"

#include <QEventLoop>
#include <QTimer>

#include <string>

#include "link/link_client.h"
#include "link/tfrm_usb.h"
#include "link/usb_comms.h"

namespace wr {
namespace {

// Runs a loop for ms milliseconds. False when the loop would not run at all:
// once the application has been told to quit, every new loop returns at once
// until the outermost one has ended, so a wait that goes round again would
// spin without ever seeing a timer or a drain step.
bool RunLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  return loop.exec() >= 0;
}

}  // namespace

LinkContext& Link() {
  static LinkContext context;
  return context;
}

void SendCommand(std::string_view text) {
  LinkContext& link = Link();
  if (link.usb) link.usb->SendLine(text);
  if (link.terminal) {
    std::string echo;
    echo.reserve(text.size() + 2);
    echo.append("->").append(text);
    link.terminal->AppendLine(echo);
  }
}

void Delay(int ms) {
  if (ms <= 0) return;
  RunLoopFor(ms);
}

CommandOutcome SendLineAndWait(std::string_view line, int timeoutMs,
                               const std::function<bool()>& stop) {
  LinkContext& link = Link();
  if (!link.comms || !link.usb) return CommandOutcome::Disconnected;
  link.comms->okFlag = false;
  link.comms->errorFlag = false;
  link.usb->SendLine(line);
  return WaitForOutcome(timeoutMs, stop);
}

CommandOutcome WaitForOutcome(int timeoutMs, const std::function<bool()>& stop) {
  LinkContext& link = Link();
  USBcomms* comms = link.comms;
  if (!comms || !link.usb) return CommandOutcome::Disconnected;
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  limit.setTimerType(Qt::PreciseTimer);
  bool timedOut = false;
  QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  QObject::connect(comms, &USBcomms::drained, &loop, &QEventLoop::quit);
  QObject::connect(comms, &USBcomms::waitersWoken, &loop, &QEventLoop::quit);
  limit.start(timeoutMs > 0 ? timeoutMs : 0);
  for (;;) {
    if (comms->okFlag) return CommandOutcome::Ok;
    if (comms->errorFlag) return CommandOutcome::Error;
    if (!link.usb->IsConnected()) return CommandOutcome::Disconnected;
    if (stop && stop()) return CommandOutcome::Stopped;
    if (timedOut) return CommandOutcome::TimedOut;
    // The application is quitting: nothing will answer this wait any more.
    if (loop.exec() < 0) return CommandOutcome::Stopped;
  }
}

void WaitForQuiet() {
  if (!RunLoopFor(1000)) return;
  while (Link().comms && Link().comms->quietTime < 250)
    if (!RunLoopFor(250)) return;
}

}  // namespace wr
