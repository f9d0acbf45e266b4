// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// One running copy per user: a copy started while another runs asks that
// one to bring its window to the front, and ends, rather than both
// contending for the unit. The first copy holds a lock file and listens on a
// local socket, both in the user's runtime folder, which only the user can
// reach; a copy that crashed leaves a lock nobody holds, which the next copy
// takes over.
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QWidget;

namespace wr {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class Role {
    // This is the first copy; it listens for later ones.
    First,
    // Another copy runs and was asked to show itself: end now.
    HandedOver,
    // Neither could be settled (no runtime folder, or the other copy does
    // not answer): run on, without listening.
    Alone,
  };

  // Copies with the same name are one; those that use the unit and those
  // that use the simulated unit have different names.
  static QString NameFor(bool simulated);

  explicit SingleInstance(const QString& name, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Decides which copy this is. waitMs bounds how long an answer from the
  // first copy is waited for.
  Role Claim(int waitMs = 3000);
  // Where the lock file and the socket are; empty without a runtime folder.
  QString LockPath() const { return lockPath_; }
  QString SocketPath() const { return socketPath_; }

 signals:
  // A later copy asked this one to show itself.
  void showRequested();

 private:
  void Serve();
  bool AskFirstCopy(int waitMs);

  QString lockPath_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};

// Shows the window in front of the others, restoring it when minimised.
void BringToFront(QWidget& window);

}  // namespace wr
