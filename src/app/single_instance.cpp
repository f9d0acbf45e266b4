// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>

namespace wr {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "wayrunner.instance", QtInfoMsg)

const QByteArray kShowRequest = "show\n";
const QByteArray kShowAnswer = "ok\n";
// A request is one short line; anything longer is not from a copy of ours.
constexpr qint64 kMaxRequest = 64;
// Between two attempts to reach a first copy that has its lock but is not
// listening yet (it is between the two steps, or its socket was removed).
constexpr int kConnectRetryMs = 25;

}  // namespace

QString SingleInstance::NameFor(bool simulated) {
  return simulated ? QStringLiteral("wayrunner-track-simulated")
                   : QStringLiteral("wayrunner-track");
}

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) return;
  lockPath_ = QDir(folder).filePath(name + QStringLiteral(".lock"));
  socketPath_ = QDir(folder).filePath(name + QStringLiteral(".socket"));
  lock_ = std::make_unique<QLockFile>(lockPath_);
  // Held for as long as the copy runs: stale only when its holder is gone,
  // never by age.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
  if (server_) server_->close();
}

SingleInstance::Role SingleInstance::Claim(int waitMs) {
  if (!lock_) {
    qCWarning(lcInstance) << "no runtime folder: not checking for another running copy";
    return Role::Alone;
  }
  if (lock_->tryLock(0)) {
    // A socket left by a copy that crashed would stop listen().
    QLocalServer::removeServer(socketPath_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(socketPath_)) {
      qCWarning(lcInstance) << "cannot listen on" << socketPath_ << server_->errorString();
      return Role::Alone;
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::Serve);
    qCDebug(lcInstance) << "first copy, listening on" << socketPath_;
    return Role::First;
  }
  if (lock_->error() != QLockFile::LockFailedError) {
    qCWarning(lcInstance) << "cannot use the lock file" << lockPath_;
    return Role::Alone;
  }
  if (AskFirstCopy(waitMs)) {
    qCInfo(lcInstance) << "Wayrunner Track is already running; its window was brought to the front.";
    return Role::HandedOver;
  }
  qCWarning(lcInstance) << "another copy holds" << lockPath_ << "but does not answer; starting anyway";
  return Role::Alone;
}

bool SingleInstance::AskFirstCopy(int waitMs) {
  const QDeadlineTimer deadline(waitMs);
  QLocalSocket socket;
  for (;;) {
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
    if (deadline.hasExpired()) return false;
    QThread::msleep(kConnectRetryMs);
  }
  socket.write(kShowRequest);
  if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
  QByteArray answer;
  while (!answer.contains('\n')) {
    if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return false;
    answer += socket.read(kMaxRequest);
  }
  return answer == kShowAnswer;
}

void SingleInstance::Serve() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest) socket->abort();
        return;
      }
      const QByteArray request = socket->readLine(kMaxRequest);
      if (request != kShowRequest) {
        socket->abort();
        return;
      }
      qCDebug(lcInstance) << "another copy asked this one to show itself";
      emit showRequested();
      socket->write(kShowAnswer);
      socket->disconnectFromServer();
    });
  }
}

void BringToFront(QWidget& window) {
  if (window.isMinimized()) window.showNormal();
  window.show();
  window.raise();
  window.activateWindow();
  qCDebug(lcInstance) << "window brought to the front, visible:" << window.isVisible();
}

}  // namespace wr
