<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Device events are not available (%1): a unit plugged in is looked for once a second.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>A unit is attached but this user may not open it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A unit is attached but cannot be used: another program or driver holds it. Close other programs that use the unit, then unplug it and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>&quot;%1&quot; is no tracking server: enter the host name or address your units report to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tracking server cannot contain %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatsTexts</name>
    <message>
        <source>Modem switched off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not registered, searching for network...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registration Denied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No SIMcard detected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN on SIMcard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIMcard PUK locked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Registered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making a call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ringing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Talking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call terminated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending an SMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Incoming call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Very Weak)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Weak)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Average)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Good)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(Very Strong)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 V (%2%) Charging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 V (%2%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 dBm %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - Warning: Supply voltage too high!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2D Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3D Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switched Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 seconds ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 km/h</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>wayrunner-track: no display to open its window on; wayrunner-cli does the same work in a terminal.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::AboutDialog</name>
    <message>
        <source>Licences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Wayrunner Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;b&gt;Wayrunner Track %1&lt;/b&gt;&lt;br&gt;Configure and watch a vehicle tracking unit attached by USB.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Licences:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt %1 (built with %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(not built in)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::Core</name>
    <message>
        <source>Airtime USSD String</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Query Interval (hours)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPRS APN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPRS APN (usually internet)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username (usually blank)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password (usually blank)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time stationary before ending trip (minutes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time stationary before ending trip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low power mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Low power mode (switch off GSM if no movement detected)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ignition detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Smart detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage on Input1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking value 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking value 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking value 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking value 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Airtime USSD String and Query Interval (hours)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPRS APN, Username and Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a carriage return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a line feed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the byte %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the control character %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the character &apos;%1&apos; (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value contains %1, which cannot be sent to the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value is longer than %1 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the value is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; minutes is longer than the unit can store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not from %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2): %3. Nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2) has no value. Nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tracking server is set. Nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tracking server &quot;%1&quot; contains %2, which cannot be sent to the unit. Nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not KEY=VALUE (keys: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown key &apos;%1&apos; (keys: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an unknown value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 every %2 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN %1, user name %2, password %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>refused by the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit did not answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the unit reads back another value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not be read back; check it on the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>could not be sent to the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit did not take every setting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
- %1: %2. The unit holds %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
- %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USSD received on: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USSD received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inputs / Voltages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GSM Signal Strength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS Coordinates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>External Temperature</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>External Supply Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Internal Battery Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digital Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Input 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Input 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Input 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Input 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Digital Output Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give a description of each added values</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::LinuxHelpDialog</name>
    <message>
        <source>Device rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands to install the rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, else </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using a unit on Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The rule (%1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy rule</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands to install it:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy c&amp;ommands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;The unit is found by its USB identifiers (%1). An ordinary user needs permission to open it, which a udev rule grants to the user logged in at this computer&apos;s own screen.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;The rule is installed on this computer: &lt;tt&gt;%1&lt;/tt&gt;.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again: a rule acts when a device appears.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;Copy the rule that comes with this program, &lt;tt&gt;%1&lt;/tt&gt;, into &lt;tt&gt;/etc/udev/rules.d/&lt;/tt&gt; (as root; the commands are below).&lt;/li&gt;&lt;li&gt;Have udev read it again.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;Save the rule below as &lt;tt&gt;%1&lt;/tt&gt; (as root; the commands below do it).&lt;/li&gt;&lt;li&gt;Have udev read it again.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again.&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;The package installs the rule itself.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;p&gt;The rule does not serve remote logins (ssh): such a user needs a rule of their own, for example one with &lt;tt&gt;GROUP=&lt;/tt&gt; set to a group they belong to.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::MainPage</name>
    <message>
        <source>Sending the defaults overwrites these settings of the unit:
%1

Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3 V supply on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3 V supply off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit also clears its trip log.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit was not reset.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tracking server is set. Send defaults writes the server your units report to; enter its host name or address (it is kept in File &gt; Preferences):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset to Factory defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reboot unit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are lost when the unit restarts. Reboot anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You will lose all your settings!! Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset to Factory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are lost with the reset. Reset anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are lost when the defaults are sent. Send them anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set up your tracking unit, watch it live
and read its trip log.
Made by the Wayrunner Track developers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>High</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3 V supply</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tracking server that Send defaults writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>host name or address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tracking server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send defaults writes this server, port 80, to the unit. Without one it asks for one and sends nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left empty, %1 is used, from %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::ProfileCompareDialog</name>
    <message>
        <source>Settings of the unit and of the profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings from a profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in the profile file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile holds no settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit holds every setting of the profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 settings differ (shown in bold).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Only the ticked settings are taken.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::SettingsPage</name>
    <message>
        <source>Changed here and not saved to the unit yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time stationary before ending trip</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMS example...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows how the unit&apos;s SMS message looks with chosen values; sends nothing to the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMS example, a preview that sends nothing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A unit was connected while this tab had unsaved changes. They were kept in their fields instead of the unit&apos;s values, and Save writes them to this unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tracking values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the ignition detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIMcard setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Misc. Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare the unit with a settings profile and take its values into this tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the unit&apos;s settings to a profile file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare the unit with a settings profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM-card fields hold changes that are not saved to the unit: %1.

The wizard replaces them with the operator&apos;s values. Open it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile holds what the unit holds: the changes not saved on the Settings tab (%1) are not in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Settings tab has changes that are not saved to the unit: %1.

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unsaved changes: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From the profile, with no field on this tab: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save writes them to the unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>minutes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::SettingsProfiles</name>
    <message>
        <source>No unit is connected. Connect the unit and wait until it is shown, then try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings in %1, beside the unit&apos;s. The ticked ones go into the Settings tab; Save then writes them to the unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill the Settings tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings in %1, beside the unit&apos;s. Nothing is changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No profile was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile was not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left out of the profile, as the unit holds no valid value: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s settings were saved to %1.

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::StatusHistoryWindow</name>
    <message>
        <source>Time span shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal strength history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 10 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 24 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export to CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal (dBm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed (km/h)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup battery</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last update: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No status received yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no status history to export yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Status History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The status history was not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status history saved to %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::StatusPage</name>
    <message>
        <source>GSM status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GSM signal strength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS status</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n s</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (status asked for every %1, set by the debug terminal&apos;s Quick box)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GSM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USSD received</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal Strength</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time to next GPRS update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Movement Detected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Supply Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Battery Voltage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last update: none yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hi&amp;story...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last update: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none yet</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TerminalView</name>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TfrmComms</name>
    <message>
        <source>Line to send to the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often the main window asks the unit for its status. Ticked: every second (every half second until the box is first clicked). Unticked: every 30 seconds, until it is ticked again; the Status tab then says so beside its last update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick status polling of the main window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quick</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save log...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Time stamps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log files (*.log);;Text files (*.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The log was not saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TfrmMain</name>
    <message>
        <source>Waiting for a unit to be plugged in...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching for a unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units attached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The firmware was sent. Please wait for unit to restart: its version is checked when it is back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit upgraded to version %1: it has restarted and runs the version of the upgrade file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trip Meter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error: Please connect battery or wait for battery to charge!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching for USB device...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Compare with profile...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export trips...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reboot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Factory reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send &amp;defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Upgrade firmware...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay &amp;close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Relay &amp;open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output &amp;high</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output &amp;low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Buzzer on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B&amp;uzzer off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;3.3 V supply on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3.3 V supply o&amp;ff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Debug terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status &amp;history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Using a unit on Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Wayrunner Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The language you chose is used from the next start of Wayrunner Track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking for its device id...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device id unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot be opened (in use, or no permission)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unit %1  (not attached now)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit chosen is not attached. &amp;Show:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n units are attached. &amp;Show:</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Choose unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are lost when the window shows another unit. Show it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade Firmware</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to upgrade the Unit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit has restarted with firmware version %1, not version %2 of the upgrade file: the upgrade did not take effect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit has not come back within %1 seconds of the upgrade, so it is not known to run version %2. Check that it is plugged in and starts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are lost when the window closes. Close anyway?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TfrmNetworkWizard</name>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network Wizard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No operator presets were found. The wizard looked for %1 in:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lists no operators in its [%2] section.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer listed in %2. The SIM-card fields were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TfrmSMSExtra</name>
    <message>
        <source>Add to SMS: example only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A preview of how the unit&apos;s SMS message looks with the values ticked below, using sample values. Nothing is sent to the unit: closing this window changes nothing on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the SMS example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message Example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the following to the SMS message</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TfrmUpgrade</name>
    <message>
        <source>Upgrade progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrading Firmware, Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s settings are kept in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> version: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will take the unit from version %1 back to %2, an older version (a downgrade). Proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit already runs version %1. This will install %2 again. Proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will upgrade the unit from version %1 to %2. Proceed?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TripsPage</name>
    <message>
        <source>Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 trip</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n trips</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2 to %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A place name can only hold characters of this computer&apos;s character set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete All Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Trips...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open in Google Maps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Trip in Google Maps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name Coordinate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename Coordinate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Km/h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Km</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many trips the unit holds is not known: they have not been listed since it was connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit lists no trips.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s 1 trip will be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>All %n trips of the unit will be deleted.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Export the %1 before deleting %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the unit&apos;s trips before deleting them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trips could not be exported: the unit did not list them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit is no longer connected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure you want to delete all trips?

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No trip was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit has no trips to export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no trips to export. Connect the unit and press &quot;Show Trips&quot; first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Trips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trips were not exported.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This build of Wayrunner Track cannot write %1 files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The trips could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 exported to
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

1 trip was left out because its start or end position is missing or unreadable:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>

%n trips were left out because their start or end position is missing or unreadable:</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>
and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web browser could be started to show the trip. Open this address in a browser:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No web browser could be started to show the position. Open this address in a browser:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Coordinate Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name already Exists!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete coordinate name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>

%n places have this name; all %n will be removed.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Delete name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start coordinates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End coordinates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Max Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Distance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>them</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::UnitSession</name>
    <message>
        <source>the tracking values</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the ignition detection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::UpgradeSettingsBackup</name>
    <message>
        <source>Keep the unit&apos;s settings in a profile first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the unit&apos;s settings in a profile in %1 first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s settings could not be kept: %1.

Upgrade without keeping them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read from the unit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s settings could not be compared with the ones kept in %1 before the upgrade: %2 could not be read. Compare them with that profile once the unit answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings after the upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s settings differ from the ones kept in %1 before the upgrade. Restore writes the ticked ones to the unit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before the upgrade</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::XlsxAutomation</name>
    <message>
        <source>The trips were saved as
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

No program to show spreadsheets could be started; open the file from there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be created</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value could not be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this build cannot write spreadsheet files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
