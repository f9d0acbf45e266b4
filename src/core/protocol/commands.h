// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every command text the tool sends and every reply keyword it recognises.
#include <string_view>

namespace wr::cmd {

// Queries and actions without arguments.
inline constexpr std::string_view kInfo = "ATI";
inline constexpr std::string_view kStats = "AT+STATS";
inline constexpr std::string_view kIpQuery = "AT+IP?";
inline constexpr std::string_view kLowPowerQuery = "AT+LOWPOWER?";
inline constexpr std::string_view kTrackQuery = "AT+TRACK?";
inline constexpr std::string_view kUssdQuery = "AT+USSD?";
inline constexpr std::string_view kGprsQuery = "AT+GPRS?";
inline constexpr std::string_view kNumQuery = "AT+NUM?";
inline constexpr std::string_view kMsgQuery = "AT+MSG?";
inline constexpr std::string_view kIfQuery = "AT+IF?";
inline constexpr std::string_view kIgnitionQuery = "AT+IGNITION?";
inline constexpr std::string_view kFactory = "AT+FACTORY";
inline constexpr std::string_view kReset = "AT+RESET";
inline constexpr std::string_view kTrips = "AT+TRIPS";
inline constexpr std::string_view kDeleteAllTrips = "AT+DELETE_ALL_TRIPS";

// Setting commands: the prefix is followed by the arguments.
inline constexpr std::string_view kIpSet = "AT+IP=";
inline constexpr std::string_view kIpSetTail = ",80,0";  // port and third field after the host
inline constexpr std::string_view kLowPowerOn = "AT+LOWPOWER=1";
inline constexpr std::string_view kLowPowerOff = "AT+LOWPOWER=0";
inline constexpr std::string_view kTrackSet = "AT+TRACK=";
inline constexpr std::string_view kUssdSet = "AT+USSD=";
inline constexpr std::string_view kGprsSet = "AT+GPRS=";
inline constexpr std::string_view kIgnitionSet = "AT+IGNITION=";
inline constexpr std::string_view kFwUpgrade = "AT+FWUPGRADE=";
inline constexpr std::string_view kBlockPrefix = "^^";

// Output switching.
inline constexpr std::string_view kRelayClose = "AT+RELAY=1";
inline constexpr std::string_view kRelayOpen = "AT+RELAY=0";
inline constexpr std::string_view kOutputHigh = "AT+OUTPUT=1";
inline constexpr std::string_view kOutputLow = "AT+OUTPUT=0";
inline constexpr std::string_view kBuzzerOn = "AT+BUZZER=1";
inline constexpr std::string_view kBuzzerOff = "AT+BUZZER=0";
inline constexpr std::string_view k3V3On = "AT+3V3=1";
inline constexpr std::string_view k3V3Off = "AT+3V3=0";

// The fixed settings that "Send defaults" writes.
inline constexpr std::string_view kDefaultTrack = "AT+TRACK=21600,30,180,10000,20,";
inline constexpr std::string_view kDefaultLowPower = "AT+LOWPOWER=1";
inline constexpr std::string_view kDefaultIgnition = "AT+IGNITION=1";

// The debug terminal's initial command text.
inline constexpr std::string_view kDebugOn = "~DEBUG=1";

}  // namespace wr::cmd

namespace wr::reply {

// Completion marks; they end the unit's answer to a command.
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kError = "ERROR";
inline constexpr std::string_view kChargeBattery = "ERROR CHARGE BATTERY";

// Reply keywords, in the order the dispatcher tests them.
inline constexpr std::string_view kInfo = "+INFO:";
inline constexpr std::string_view kInfoVersion = "+INFO:Version:";
inline constexpr std::string_view kInfoId = "+INFO:ID:";
inline constexpr std::string_view kStats = "+STATS,";
inline constexpr std::string_view kIo = "+IO,";
inline constexpr std::string_view kIp = "+IP,";
inline constexpr std::string_view kTrack = "+TRACK,";
inline constexpr std::string_view kLowPower = "+LOWPOWER,";
inline constexpr std::string_view kUssd = "+USSD,";
inline constexpr std::string_view kGprs = "+GPRS,";
inline constexpr std::string_view kTrips = "+TRIPS,";
inline constexpr std::string_view kIgnition = "+IGNITION,";
// Unit debug output; shown in the terminal only.
inline constexpr std::string_view kDebugPrefix = "~";

inline bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

}  // namespace wr::reply

namespace wr::usbid {

struct IdPair {
  int vendor;
  int product;
};

// The unit's identifier pairs, tried in this order. The udev rule and the
// software-centre metadata are generated from this list when the program is
// built, so a pair added here is granted and announced with no other edit.
inline constexpr IdPair kUnitIds[] = {{0x16D0, 0x06AF}, {0xEB03, 0x0920}};

inline constexpr int kVendorFirst = kUnitIds[0].vendor;
inline constexpr int kProductFirst = kUnitIds[0].product;
inline constexpr int kVendorSecond = kUnitIds[1].vendor;
inline constexpr int kProductSecond = kUnitIds[1].product;

inline constexpr int kConfiguration = 1;
inline constexpr int kInterface = 0;
inline constexpr int kEndpointOut = 0x01;
inline constexpr int kEndpointIn = 0x82;
// Milliseconds a bulk write may take before the line counts as not sent.
inline constexpr int kWriteTimeoutMs = 500;
inline constexpr int kReadSize = 4096;
// SET_CONTROL_LINE_STATE with DTR asserted, RTS clear, to interface 0.
inline constexpr int kCtrlRequestType = 0x21;
inline constexpr int kCtrlRequest = 0x22;
inline constexpr int kCtrlValue = 1;
inline constexpr int kCtrlIndex = 0;
inline constexpr int kCtrlTimeoutMs = 1000;

}  // namespace wr::usbid
