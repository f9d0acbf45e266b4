// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where a unit sits on the USB, one attached unit of our identifier pairs,
// and why one could not be opened.
namespace wr {

// Why the last attempt to open an attached unit failed.
enum class UsbOpenFailure { None, Open, Configuration, Claim };

// Its bus number and its device address on that bus.
struct UsbLocation {
  int bus = 0;
  int address = 0;
  bool operator==(const UsbLocation& o) const { return bus == o.bus && address == o.address; }
  bool operator!=(const UsbLocation& o) const { return !(*this == o); }
};

struct UsbUnitListing {
  UsbLocation location;
  int vendorId = 0;
  int productId = 0;
};

}  // namespace wr
