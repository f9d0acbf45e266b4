// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace wr {
namespace {

const QString kLastFolderKey = QStringLiteral("files/lastFolder");

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

QString DefaultSaveFolder() {
  // The documents folder is named even on accounts that have none.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return IsFolder(documents) ? documents : QDir::homePath();
}

QString SaveFolder() {
  const QString last = QSettings().value(kLastFolderKey).toString();
  return IsFolder(last) ? last : DefaultSaveFolder();
}

void RememberSaveFolder(const QString& file) {
  QSettings().setValue(kLastFolderKey, QFileInfo(file).absolutePath());
}

}  // namespace wr
