#pragma once
// Shared pieces of the link tests: recording sinks, scripted prompts, and a
// bounded wait that keeps the Qt event loop (and so the drain step) running.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "link/link_client.h"
#include "link/prompts.h"

namespace wr::test {

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

struct RecordingClient : LinkClient {
  void SetConnectionState(int connected) override { states.push_back(connected); }
  void DispatchReplyLine(const std::string& line) override { lines.push_back(line); }
  int LastState() const { return states.empty() ? -1 : states.back(); }
  std::vector<int> states;
  std::vector<std::string> lines;
};

struct RecordingTerminal : TerminalSink {
  void AppendLine(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

struct RecordingPrompts : Prompts {
  void ShowMessage(const QString& text) override { messages.push_back(text); }
  bool AskYesNo(const QString&, const QString& text) override {
    messages.push_back(text);
    return yes;
  }
  bool InputBox(const QString&, const QString& prompt, QString&) override {
    messages.push_back(prompt);
    return false;
  }
  QString OpenFile(const QString&, const QString&) override { return QString(); }
  std::vector<QString> messages;
  bool yes = true;
};

}  // namespace wr::test
