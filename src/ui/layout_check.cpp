#include "ui/layout_check.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QWidget>

namespace wr {
namespace {

bool Checked(const QWidget& w) {
  if (const auto* label = qobject_cast<const QLabel*>(&w))
    return !label->wordWrap() && !label->text().isEmpty();
  return qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QComboBox*>(&w) ||
         qobject_cast<const QGroupBox*>(&w) || qobject_cast<const QTabBar*>(&w);
}

QString NameOf(const QWidget& w) {
  if (!w.objectName().isEmpty()) return w.objectName();
  if (const auto* label = qobject_cast<const QLabel*>(&w)) return QStringLiteral("label \"%1\"").arg(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(&w))
    return QStringLiteral("button \"%1\"").arg(button->text());
  return QString::fromLatin1(w.metaObject()->className());
}

void Check(const QWidget& w, QStringList& cut) {
  if (Checked(w)) {
    // A tab bar shows every tab whole, not scroll arrows.
    const QSize need = qobject_cast<const QTabBar*>(&w) ? w.sizeHint() : w.minimumSizeHint();
    if (w.width() < need.width() || w.height() < need.height())
      cut << QStringLiteral("%1: %2x%3, needs %4x%5")
                 .arg(NameOf(w))
                 .arg(w.width())
                 .arg(w.height())
                 .arg(need.width())
                 .arg(need.height());
  }
  for (const QObject* child : w.children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget && !widget->isWindow() && widget->isVisibleTo(&w)) Check(*widget, cut);
  }
}

}  // namespace

QStringList CutControls(const QWidget& top) {
  QStringList cut;
  Check(top, cut);
  return cut;
}

}  // namespace wr
