// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/system_usb.h"

#include "link/lib_usb_api.h"

namespace wr {

std::unique_ptr<UsbApi> MakeSystemUsbApi() { return std::make_unique<LibUsbApi>(); }

}  // namespace wr
