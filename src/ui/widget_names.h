// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Small helpers for building controls that carry their names.
#include <QLineEdit>
#include <QString>

namespace wr {

// A control's name is also its objectName.
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

inline QLineEdit* ReadOnlyBox(const char* name) {
  auto* box = Named(new QLineEdit, name);
  box->setReadOnly(true);
  return box;
}

}  // namespace wr
