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
</context>
<context>
    <name>wr::TfrmNetworkWizard</name>
    <message>
        <source>Network</source>
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
</context>
<context>
    <name>wr::TfrmUpgrade</name>
    <message>
        <source>Upgrade progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>wr::TripsPage</name>
    <message>
        <source>Trips</source>
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
</TS>
