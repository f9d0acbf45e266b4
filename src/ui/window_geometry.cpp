// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace wr {
namespace {

qint64 Area(const QRect& r) { return r.isValid() ? qint64(r.width()) * r.height() : 0; }

const QString kGeometryKey = QStringLiteral("geometry");
const QString kMaximizedKey = QStringLiteral("maximized");

}  // namespace

QRect FitWindowRect(const QRect& saved, const QSize& minimum, const QList<QRect>& screens,
                    const QRect& primary) {
  QSize size = (saved.isValid() ? saved.size() : minimum).expandedTo(minimum);
  // The screen that holds most of the remembered rectangle.
  QRect screen;
  qint64 best = 0;
  for (const QRect& s : screens) {
    const qint64 shared = Area(s.intersected(saved));
    if (shared > best) {
      best = shared;
      screen = s;
    }
  }
  const bool onScreen = best > 0;
  if (!onScreen) screen = primary;
  if (!screen.isValid()) return QRect(saved.isValid() ? saved.topLeft() : QPoint(), size);

  size = size.boundedTo(screen.size()).expandedTo(minimum);
  QRect placed(onScreen ? saved.topLeft() : QPoint(), size);
  if (!onScreen) placed.moveCenter(screen.center());
  // Onto the screen, the top left corner first: the title bar stays reachable.
  placed.moveLeft(std::max(screen.left(), std::min(placed.left(), screen.right() - size.width() + 1)));
  placed.moveTop(std::max(screen.top(), std::min(placed.top(), screen.bottom() - size.height() + 1)));
  return placed;
}

void SaveWindowGeometry(const QWidget& window, const QString& group) {
  QSettings settings;
  settings.beginGroup(group);
  const bool maximized = window.isMaximized();
  const QRect normal =
      (maximized || window.isMinimized() || window.isFullScreen()) ? window.normalGeometry()
                                                                    : window.geometry();
  settings.setValue(kGeometryKey, normal);
  settings.setValue(kMaximizedKey, maximized);
}

bool RestoreWindowGeometry(QWidget& window, const QString& group) {
  QSettings settings;
  settings.beginGroup(group);
  const QRect saved = settings.value(kGeometryKey).toRect();
  if (!saved.isValid()) return false;
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->availableGeometry());
  const QScreen* primary = QGuiApplication::primaryScreen();
  window.setGeometry(FitWindowRect(saved, window.minimumSizeHint().expandedTo(window.minimumSize()),
                                   screens, primary ? primary->availableGeometry() : QRect()));
  if (settings.value(kMaximizedKey).toBool())
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}

void ShowInFront(QWidget& window) {
  if (window.isMinimized()) window.showNormal();
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace wr
