// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's unit picker: shown while several units are attached (or
// the one chosen is not), it lists them from the roster and shows the one
// the user picks.
#include "ui/tfrm_main.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include <cstdio>

#include "session/unit_roster.h"
#include "session/unit_text.h"
#include "ui/settings_page.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

QString LocationText(const UsbLocation& location) {
  char text[32];
  std::snprintf(text, sizeof text, "bus %03d, address %03d", location.bus, location.address);
  return QString::fromLatin1(text);
}

}  // namespace

void TfrmMain::BuildUnitsPanel() {
  pnlUnits = Named(new QWidget, "pnlUnits");
  auto* layout = new QHBoxLayout(pnlUnits);
  layout->setContentsMargins(8, 4, 8, 4);
  lblUnits = Named(new QLabel, "lblUnits");
  cboxUnit = Named(new QComboBox, "cboxUnit");
  cboxUnit->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lblUnits->setBuddy(cboxUnit);
  cboxUnit->setAccessibleName(tr("Unit shown"));
  cboxUnit->view()->setAccessibleName(tr("Units attached"));
  layout->addWidget(lblUnits);
  layout->addWidget(cboxUnit, 1);
  // activated: the user's own pick, not the list being filled.
  connect(cboxUnit, &QComboBox::activated, this, &TfrmMain::cboxUnitChange);
  pnlUnits->setVisible(false);
}

void TfrmMain::SetUnitRoster(UnitRoster* roster) {
  roster_ = roster;
  if (roster_) connect(roster_, &UnitRoster::changed, this, &TfrmMain::ShowUnits);
  ShowUnits();
}

void TfrmMain::ShowUnits() {
  const std::vector<UnitRoster::Entry> none;
  const std::vector<UnitRoster::Entry>& units = roster_ ? roster_->Units() : none;
  const bool missing = roster_ && roster_->ChosenMissing();
  const bool show = units.size() > 1 || missing;
  if (show) {
    QSignalBlocker quiet(cboxUnit);
    cboxUnit->clear();
    int current = -1;
    for (const UnitRoster::Entry& unit : units) {
      QString who;
      switch (unit.idState) {
        case UnitRoster::IdState::Known:
          who = tr("Unit %1").arg(FromBytes(unit.deviceId));
          break;
        case UnitRoster::IdState::Asking:
          who = tr("Asking for its device id...");
          break;
        case UnitRoster::IdState::Unknown:
          who = tr("Device id unknown");
          break;
        case UnitRoster::IdState::CannotOpen:
          who = tr("Cannot be opened (in use, or no permission)");
          break;
      }
      cboxUnit->addItem(QStringLiteral("%1  (USB %2)").arg(who, LocationText(unit.location)));
      const bool chosen = roster_->Chosen() && *roster_->Chosen() == unit.location;
      if (unit.shown || (current < 0 && chosen)) current = cboxUnit->count() - 1;
    }
    if (missing) {
      const std::string& id = roster_->ChosenDeviceId();
      cboxUnit->insertItem(0, tr("Unit %1  (not attached now)")
                                  .arg(id.empty() ? LocationText(*roster_->Chosen())
                                                  : FromBytes(id)));
      current = 0;
    }
    cboxUnit->setCurrentIndex(current);
    const QString text =
        missing ? tr("The unit chosen is not attached. &Show:")
                : tr("%n units are attached. &Show:", nullptr, static_cast<int>(units.size()));
    if (lblUnits->text() != text) lblUnits->setText(text);
  }
  if (show != pnlUnits->isVisibleTo(this)) pnlUnits->setVisible(show);
}

void TfrmMain::cboxUnitChange(int index) {
  if (!roster_) return;
  // The list may start with the chosen unit that is not attached.
  if (roster_->ChosenMissing()) --index;
  const std::vector<UnitRoster::Entry>& units = roster_->Units();
  const bool other = index >= 0 && index < static_cast<int>(units.size()) &&
                     !units[static_cast<size_t>(index)].shown;
  if (other && tabSettings->ConfirmLosingEdits(
                   tr("Choose unit"),
                   tr("They are lost when the window shows another unit. "
                                  "Show it anyway?")))
    roster_->Choose(units[static_cast<size_t>(index)].location);
  // The box shows what the window shows, also when nothing changed.
  ShowUnits();
}

}  // namespace wr
