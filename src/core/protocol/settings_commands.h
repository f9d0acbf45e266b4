#pragma once
// The command lines that write the Settings tab to the unit, and the checks
// that keep a typed value from breaking a command line apart.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wr {

// What the Settings tab holds when Save is pressed, as bytes.
struct SettingsForm {
  std::string tripStopText;  // minutes, as typed
  int32_t trackField1 = 0;
  int32_t trackField2 = 0;
  int32_t trackField4 = 0;
  int32_t trackField5 = 0;
  bool lowPower = false;
  std::string ussd;
  std::string ussdInterval;
  std::string apn;
  std::string apnUsername;
  std::string apnPassword;
  int ignitionIndex = -1;  // -1: nothing selected
};

struct SettingsSave {
  // The five set commands in sending order; empty when refused.
  std::vector<std::string> commands;
  // Why nothing may be sent, for the user; empty when accepted.
  std::string refusal;
};

// Builds the set commands, or refuses: a trip-stop time that is not a whole
// number of minutes or whose seconds do not fit 32 bits, or a field holding a
// character that would split or end the command line on the unit's side.
SettingsSave BuildSettingsCommands(const SettingsForm& form);

// The queries that read the settings back after a save, in order.
const std::vector<std::string_view>& SettingsQueries();

// Minutes as typed (blanks around the number allowed) to seconds. NotInteger
// also covers numbers outside int32; TooLarge is a number whose seconds are.
enum class TripStopParse { Ok, NotInteger, TooLarge };
TripStopParse ParseTripStopMinutes(std::string_view text, int32_t& seconds);

// Empty when every byte of value may go into a command argument (printable
// ASCII other than the comma); otherwise a short description of the first
// offending character, e.g. "a comma" or "the character 'é' (U+00E9)".
// value is UTF-8.
std::string DescribeUnsafeCharacter(std::string_view value);

// The tracking server that "Send defaults" writes is the user's to choose:
// the tool ships none. The placeholder below was written in its place once
// and can never resolve; it counts as no server at all.
inline constexpr std::string_view kPlaceholderTrackingHost = "track.wayrunner.example";
inline constexpr const char* kTrackingHostVariable = "WAYRUNNER_TRACKING_HOST";
// The server chosen (a preference, an option) when not empty, else
// WAYRUNNER_TRACKING_HOST when set; empty when neither names one.
std::string TrackingHost(std::string_view chosen = {});
// False for no server: empty, blanks only, or the placeholder.
bool TrackingHostIsSet(std::string_view host);

// The lines of "Send defaults" for the given host ("AT+IP=" line first), or a
// refusal when no host is set or it cannot be sent safely.
SettingsSave BuildDefaultsCommands(std::string_view host);

// What "Send defaults" writes, one setting a line ("Tracking server: HOST,
// port 80"), for the question asked before anything is sent.
std::vector<std::string> DescribeDefaults(std::string_view host);

}  // namespace wr
