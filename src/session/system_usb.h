// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The computer's own USB library behind the UsbApi seam, for the front ends,
// which do not reach into the link layer themselves.
#include <memory>

#include "usb/usb_api.h"

namespace wr {

std::unique_ptr<UsbApi> MakeSystemUsbApi();

}  // namespace wr
