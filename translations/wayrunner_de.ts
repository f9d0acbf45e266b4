<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Device events are not available (%1): a unit plugged in is looked for once a second.</source>
        <translation>Geräteereignisse sind nicht verfügbar (%1): Nach einem eingesteckten Gerät wird einmal pro Sekunde gesucht.</translation>
    </message>
    <message>
        <source>Configure and watch a vehicle tracking unit attached by USB.</source>
        <translation>Ein per USB angeschlossenes Fahrzeug-Ortungsgerät einrichten und beobachten.</translation>
    </message>
    <message>
        <source>Use N built-in simulated units (--simulate alone: one) instead of USB, each with its own device id.</source>
        <translation>N eingebaute simulierte Geräte statt USB verwenden (--simulate allein: eines), jedes mit eigener Geräte-ID.</translation>
    </message>
    <message>
        <source>Start even when another copy is running, instead of bringing that copy&apos;s window to the front.</source>
        <translation>Auch starten, wenn schon eine andere Instanz läuft, statt deren Fenster in den Vordergrund zu holen.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>--simulate takes a number of units from 1 to %1, not &apos;%2&apos;.</source>
        <translation>--simulate erwartet eine Anzahl Geräte von 1 bis %1, nicht „%2“.</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>&quot;%1&quot; is no tracking server: enter the host name or address your units report to.</source>
        <translation>„%1“ ist kein Tracking-Server: Geben Sie den Hostnamen oder die Adresse ein, an die Ihre Geräte melden.</translation>
    </message>
    <message>
        <source>The tracking server cannot contain %1.</source>
        <translation>Der Tracking-Server darf %1 nicht enthalten.</translation>
    </message>
</context>
<context>
    <name>StatsTexts</name>
    <message>
        <source>Modem switched off</source>
        <translation>Modem ausgeschaltet</translation>
    </message>
    <message>
        <source>Not registered, searching for network...</source>
        <translation>Nicht angemeldet, Netzsuche...</translation>
    </message>
    <message>
        <source>Registration Denied</source>
        <translation>Anmeldung abgelehnt</translation>
    </message>
    <message>
        <source>No SIMcard detected</source>
        <translation>Keine SIM-Karte erkannt</translation>
    </message>
    <message>
        <source>PIN on SIMcard</source>
        <translation>PIN auf der SIM-Karte</translation>
    </message>
    <message>
        <source>SIMcard PUK locked</source>
        <translation>SIM-Karte durch PUK gesperrt</translation>
    </message>
    <message>
        <source>Registered</source>
        <translation>Angemeldet</translation>
    </message>
    <message>
        <source>Making a call</source>
        <translation>Ruft an</translation>
    </message>
    <message>
        <source>Ringing</source>
        <translation>Klingelt</translation>
    </message>
    <message>
        <source>Talking</source>
        <translation>Gespräch</translation>
    </message>
    <message>
        <source>Call terminated</source>
        <translation>Anruf beendet</translation>
    </message>
    <message>
        <source>Sending an SMS</source>
        <translation>Sendet eine SMS</translation>
    </message>
    <message>
        <source>Incoming call</source>
        <translation>Eingehender Anruf</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>(Very Weak)</source>
        <translation>(sehr schwach)</translation>
    </message>
    <message>
        <source>(Weak)</source>
        <translation>(schwach)</translation>
    </message>
    <message>
        <source>(Average)</source>
        <translation>(mittel)</translation>
    </message>
    <message>
        <source>(Good)</source>
        <translation>(gut)</translation>
    </message>
    <message>
        <source>(Very Strong)</source>
        <translation>(sehr stark)</translation>
    </message>
    <message>
        <source>%1 V (%2%) Charging</source>
        <translation>%1 V (%2 %) lädt</translation>
    </message>
    <message>
        <source>%1 V (%2%)</source>
        <translation>%1 V (%2 %)</translation>
    </message>
    <message>
        <source>%1 V</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>%1 dBm %2</source>
        <translation>%1 dBm %2</translation>
    </message>
    <message>
        <source>%1 - Warning: Supply voltage too high!</source>
        <translation>%1 – Warnung: Versorgungsspannung zu hoch!</translation>
    </message>
    <message>
        <source>2D Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation>2D-Fix (%1/%2 Satelliten, HDOP=%3)</translation>
    </message>
    <message>
        <source>3D Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation>3D-Fix (%1/%2 Satelliten, HDOP=%3)</translation>
    </message>
    <message>
        <source>No Fix (%1/%2 satellites, HDOP=%3)</source>
        <translation>Kein Fix (%1/%2 Satelliten, HDOP=%3)</translation>
    </message>
    <message>
        <source>Switched Off</source>
        <translation>Ausgeschaltet</translation>
    </message>
    <message>
        <source>%1 seconds ago</source>
        <translation>vor %1 Sekunden</translation>
    </message>
    <message>
        <source>%1 minutes ago</source>
        <translation>vor %1 Minuten</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1 Sekunden</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>%1 km/h</source>
        <translation>%1 km/h</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>wayrunner-track: no display to open its window on; wayrunner-cli does the same work in a terminal.</source>
        <translation>wayrunner-track: kein Bildschirm, auf dem sich das Fenster öffnen ließe; wayrunner-cli erledigt dieselbe Arbeit im Terminal.</translation>
    </message>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>wr::AboutDialog</name>
    <message>
        <source>Licences</source>
        <translation>Lizenzen</translation>
    </message>
    <message>
        <source>About Wayrunner Track</source>
        <translation>Über Wayrunner Track</translation>
    </message>
    <message>
        <source>&lt;b&gt;Wayrunner Track %1&lt;/b&gt;&lt;br&gt;Configure and watch a vehicle tracking unit attached by USB.</source>
        <translation>&lt;b&gt;Wayrunner Track %1&lt;/b&gt;&lt;br&gt;Ein per USB angeschlossenes Fahrzeug-Ortungsgerät einrichten und beobachten.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Licences:</source>
        <translation>Lizenzen:</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Qt %1 (built with %2)</source>
        <translation>Qt %1 (gebaut mit %2)</translation>
    </message>
    <message>
        <source>(not built in)</source>
        <translation>(nicht eingebaut)</translation>
    </message>
    <message>
        <source>Wayrunner Track is free software under the GNU General Public License, version 3 or later (GPL-3.0-or-later), with no warranty.

</source>
        <translation>Wayrunner Track ist freie Software unter der GNU General Public License, Version 3 oder später (GPL-3.0-or-later), ohne jede Gewährleistung.

</translation>
    </message>
    <message>
        <source>

Built on:
  Qt: LGPL 3 or GPL 2 (Qt Charts, which draws the status history: GPL 3 or later)
  libusb: LGPL 2 or later
  zlib: zlib licence
  libxlsxwriter: BSD 2-clause
</source>
        <translation>

Aufgebaut auf:
  Qt: LGPL 3 oder GPL 2 (Qt Charts, das den Statusverlauf zeichnet: GPL 3 oder später)
  libusb: LGPL 2 oder später
  zlib: zlib-Lizenz
  libxlsxwriter: BSD 2-clause
</translation>
    </message>
</context>
<context>
    <name>wr::Core</name>
    <message>
        <source>Airtime USSD String</source>
        <translation>Guthaben-USSD-Code</translation>
    </message>
    <message>
        <source>Query Interval (hours)</source>
        <translation>Abfrageintervall (Stunden)</translation>
    </message>
    <message>
        <source>GPRS APN</source>
        <translation>GPRS-APN</translation>
    </message>
    <message>
        <source>GPRS APN (usually internet)</source>
        <translation>GPRS-APN (meist internet)</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Username (usually blank)</source>
        <translation>Benutzername (meist leer)</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Password (usually blank)</source>
        <translation>Passwort (meist leer)</translation>
    </message>
    <message>
        <source>Time stationary before ending trip (minutes)</source>
        <translation>Standzeit bis Fahrtende (Minuten)</translation>
    </message>
    <message>
        <source>Time stationary before ending trip</source>
        <translation>Standzeit bis Fahrtende</translation>
    </message>
    <message>
        <source>Low power mode</source>
        <translation>Energiesparmodus</translation>
    </message>
    <message>
        <source>Enable Low power mode (switch off GSM if no movement detected)</source>
        <translation>Energiesparmodus einschalten (GSM aus, wenn keine Bewegung erkannt wird)</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Ignition detection</source>
        <translation>Zündungserkennung</translation>
    </message>
    <message>
        <source>Disabled</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Smart detection</source>
        <translation>Intelligente Erkennung</translation>
    </message>
    <message>
        <source>Voltage on Input1</source>
        <translation>Spannung an Eingang 1</translation>
    </message>
    <message>
        <source>Tracking value 1</source>
        <translation>Tracking-Wert 1</translation>
    </message>
    <message>
        <source>Tracking value 2</source>
        <translation>Tracking-Wert 2</translation>
    </message>
    <message>
        <source>Tracking value 4</source>
        <translation>Tracking-Wert 4</translation>
    </message>
    <message>
        <source>Tracking value 5</source>
        <translation>Tracking-Wert 5</translation>
    </message>
    <message>
        <source>Airtime USSD String and Query Interval (hours)</source>
        <translation>Guthaben-USSD-Code und Abfrageintervall (Stunden)</translation>
    </message>
    <message>
        <source>GPRS APN, Username and Password</source>
        <translation>GPRS-APN, Benutzername und Passwort</translation>
    </message>
    <message>
        <source>a comma</source>
        <translation>ein Komma</translation>
    </message>
    <message>
        <source>a carriage return</source>
        <translation>ein Wagenrücklauf</translation>
    </message>
    <message>
        <source>a line feed</source>
        <translation>ein Zeilenvorschub</translation>
    </message>
    <message>
        <source>the byte %1</source>
        <translation>das Byte %1</translation>
    </message>
    <message>
        <source>the control character %1</source>
        <translation>das Steuerzeichen %1</translation>
    </message>
    <message>
        <source>the character &apos;%1&apos; (%2)</source>
        <translation>das Zeichen „%1“ (%2)</translation>
    </message>
    <message>
        <source>the value contains %1, which cannot be sent to the unit</source>
        <translation>der Wert enthält %1, was nicht an das Gerät gesendet werden kann</translation>
    </message>
    <message>
        <source>the value is longer than %1 characters</source>
        <translation>der Wert ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>the value is empty</source>
        <translation>der Wert ist leer</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; minutes is longer than the unit can store</source>
        <translation>%1 Minuten sind länger, als das Gerät speichern kann</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not from %2 to %3</source>
        <translation>„%1“ liegt nicht zwischen %2 und %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2): %3. Nothing was sent.</source>
        <translation>„%1“ (%2): %3. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(leer)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2) has no value. Nothing was sent.</source>
        <translation>„%1“ (%2) hat keinen Wert. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>No tracking server is set. Nothing was sent.</source>
        <translation>Es ist kein Tracking-Server eingestellt. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The tracking server &quot;%1&quot; contains %2, which cannot be sent to the unit. Nothing was sent.</source>
        <translation>Der Tracking-Server „%1“ enthält %2, was nicht an das Gerät gesendet werden kann. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not KEY=VALUE (keys: %2)</source>
        <translation>„%1“ hat nicht die Form SCHLÜSSEL=WERT (Schlüssel: %2)</translation>
    </message>
    <message>
        <source>unknown key &apos;%1&apos; (keys: %2)</source>
        <translation>unbekannter Schlüssel „%1“ (Schlüssel: %2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is given twice</source>
        <translation>„%1“ ist doppelt angegeben</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 Minuten</translation>
    </message>
    <message>
        <source>an unknown value</source>
        <translation>einen unbekannten Wert</translation>
    </message>
    <message>
        <source>on</source>
        <translation>ein</translation>
    </message>
    <message>
        <source>off</source>
        <translation>aus</translation>
    </message>
    <message>
        <source>%1 every %2 hours</source>
        <translation>%1 alle %2 Stunden</translation>
    </message>
    <message>
        <source>APN %1, user name %2, password %3</source>
        <translation>APN %1, Benutzername %2, Passwort %3</translation>
    </message>
    <message>
        <source>refused by the unit</source>
        <translation>vom Gerät abgelehnt</translation>
    </message>
    <message>
        <source>the unit did not answer</source>
        <translation>das Gerät hat nicht geantwortet</translation>
    </message>
    <message>
        <source>the unit reads back another value</source>
        <translation>das Gerät meldet einen anderen Wert zurück</translation>
    </message>
    <message>
        <source>could not be read back; check it on the unit</source>
        <translation>konnte nicht zurückgelesen werden; prüfen Sie es am Gerät</translation>
    </message>
    <message>
        <source>could not be sent to the unit</source>
        <translation>konnte nicht an das Gerät gesendet werden</translation>
    </message>
    <message>
        <source>The unit did not take every setting:</source>
        <translation>Das Gerät hat nicht alle Einstellungen übernommen:</translation>
    </message>
    <message>
        <source>
- %1: %2. The unit holds %3.</source>
        <translation>
- %1: %2. Das Gerät enthält %3.</translation>
    </message>
    <message>
        <source>
- %1: %2.</source>
        <translation>
- %1: %2.</translation>
    </message>
    <message>
        <source>USSD received on: %1</source>
        <translation>USSD empfangen am: %1</translation>
    </message>
    <message>
        <source>USSD received</source>
        <translation>USSD empfangen</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Verschiedenes</translation>
    </message>
    <message>
        <source>Inputs / Voltages</source>
        <translation>Eingänge / Spannungen</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>Unit ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Firmware Version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>GSM Signal Strength</source>
        <translation>GSM-Signalstärke</translation>
    </message>
    <message>
        <source>GPS Coordinates</source>
        <translation>GPS-Koordinaten</translation>
    </message>
    <message>
        <source>GPS Status</source>
        <translation>GPS-Status</translation>
    </message>
    <message>
        <source>Internal Temperature</source>
        <translation>Innentemperatur</translation>
    </message>
    <message>
        <source>External Temperature</source>
        <translation>Außentemperatur</translation>
    </message>
    <message>
        <source>External Supply Voltage</source>
        <translation>Externe Versorgungsspannung</translation>
    </message>
    <message>
        <source>Internal Battery Voltage</source>
        <translation>Spannung der internen Batterie</translation>
    </message>
    <message>
        <source>Digital Input</source>
        <translation>Digitaleingang</translation>
    </message>
    <message>
        <source>Analog Input 1</source>
        <translation>Analogeingang 1</translation>
    </message>
    <message>
        <source>Analog Input 2</source>
        <translation>Analogeingang 2</translation>
    </message>
    <message>
        <source>Analog Input 3</source>
        <translation>Analogeingang 3</translation>
    </message>
    <message>
        <source>Analog Input 4</source>
        <translation>Analogeingang 4</translation>
    </message>
    <message>
        <source>Relay Status</source>
        <translation>Relaisstatus</translation>
    </message>
    <message>
        <source>Digital Output Status</source>
        <translation>Status des Digitalausgangs</translation>
    </message>
    <message>
        <source>Buzzer Status</source>
        <translation>Summerstatus</translation>
    </message>
    <message>
        <source>Give a description of each added values</source>
        <translation>Jeden hinzugefügten Wert beschriften</translation>
    </message>
    <message>
        <source>the unit at %1 cannot be opened: %2</source>
        <translation>das Gerät an %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>it did not respond in time</source>
        <translation>es hat nicht rechtzeitig reagiert</translation>
    </message>
    <message>
        <source>the unit at %1 does not answer</source>
        <translation>das Gerät an %1 antwortet nicht</translation>
    </message>
    <message>
        <source>the unit at %1 was disconnected</source>
        <translation>die Verbindung zum Gerät an %1 wurde getrennt</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>the unit did not take every setting</source>
        <translation>das Gerät hat nicht jede Einstellung übernommen</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message>
        <source>interrupted before anything was sent</source>
        <translation>unterbrochen, bevor etwas gesendet wurde</translation>
    </message>
    <message>
        <source>nothing was sent: %1 could not be read from the unit</source>
        <translation>es wurde nichts gesendet: %1 konnte nicht vom Gerät gelesen werden</translation>
    </message>
    <message>
        <source>interrupted while saving: every setting was sent to the unit, but none was read back</source>
        <translation>beim Speichern unterbrochen: Jede Einstellung wurde an das Gerät gesendet, aber keine wurde zurückgelesen</translation>
    </message>
    <message>
        <source>sent %1, %2</source>
        <translation>gesendet %1, %2</translation>
    </message>
    <message>
        <source>sent %1, the unit holds %2</source>
        <translation>gesendet %1, das Gerät enthält %2</translation>
    </message>
    <message>
        <source>This build of Wayrunner Track cannot write xlsx files.</source>
        <translation>Diese Ausgabe von Wayrunner Track kann keine xlsx-Dateien schreiben.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2.</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>cell %1: %2</source>
        <translation>Zelle %1: %2</translation>
    </message>
    <message>
        <source>no free name for its temporary file</source>
        <translation>kein freier Name für ihre temporäre Datei</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>it could not be put in place</source>
        <translation>sie konnte nicht an ihren Platz gebracht werden</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be read: %2.</source>
        <translation>Die Datei „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes</source>
        <translation>sie ist größer als %1 Byte</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>No folder for the place names could be found.</source>
        <translation>Es wurde kein Ordner für die Ortsnamen gefunden.</translation>
    </message>
    <message>
        <source>The place names could not be saved: %1.</source>
        <translation>Die Ortsnamen konnten nicht gespeichert werden: %1.</translation>
    </message>
    <message>
        <source>A place name cannot be empty.</source>
        <translation>Ein Ortsname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>A place name cannot contain a comma.</source>
        <translation>Ein Ortsname darf kein Komma enthalten.</translation>
    </message>
    <message>
        <source>A place name cannot contain line breaks or other control characters.</source>
        <translation>Ein Ortsname darf keine Zeilenumbrüche oder anderen Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>The place names could not be read.</source>
        <translation>Die Ortsnamen konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>This position cannot be named: it is not a latitude and longitude.</source>
        <translation>Diese Position kann nicht benannt werden: Sie ist keine Angabe aus Breite und Länge.</translation>
    </message>
    <message>
        <source>No place is named &quot;%1&quot;.</source>
        <translation>Kein Ort heißt „%1“.</translation>
    </message>
    <message>
        <source>there is no data folder for the settings backup</source>
        <translation>es gibt keinen Datenordner für die Sicherung der Einstellungen</translation>
    </message>
    <message>
        <source>cannot create the backup folder %1: %2</source>
        <translation>der Sicherungsordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Line %1: a section heading must end with &apos;]&apos;.</source>
        <translation>Zeile %1: Eine Abschnittsüberschrift muss mit ‚]‘ enden.</translation>
    </message>
    <message>
        <source>Line %1: [%2] is not a section of a settings profile; only [settings] is.</source>
        <translation>Zeile %1: [%2] ist kein Abschnitt eines Einstellungsprofils; nur [settings] ist einer.</translation>
    </message>
    <message>
        <source>Line %1: expected &quot;key = value&quot; or a section heading.</source>
        <translation>Zeile %1: „Schlüssel = Wert“ oder eine Abschnittsüberschrift erwartet.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; is not a setting; the settings are %3.</source>
        <translation>Zeile %1: „%2“ ist keine Einstellung; die Einstellungen sind %3.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; comes before the [settings] section.</source>
        <translation>Zeile %1: „%2“ steht vor dem Abschnitt [settings].</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot; is given a second time (first on line %3).</source>
        <translation>Zeile %1: „%2“ wird ein zweites Mal angegeben (zuerst in Zeile %3).</translation>
    </message>
    <message>
        <source>Line %1: the value of &quot;%2&quot; holds &quot;%3&quot;, which other readers take for the start of a comment; a comment goes on a line of its own.</source>
        <translation>Zeile %1: Der Wert von „%2“ enthält „%3“, was andere Leseprogramme für den Beginn eines Kommentars halten; ein Kommentar steht in einer eigenen Zeile.</translation>
    </message>
    <message>
        <source>Line %1: &quot;%2&quot;: %3.</source>
        <translation>Zeile %1: „%2“: %3.</translation>
    </message>
    <message>
        <source>The profile has no [settings] section.</source>
        <translation>Das Profil hat keinen Abschnitt [settings].</translation>
    </message>
    <message>
        <source>The profile &quot;%1&quot; was refused. %2</source>
        <translation>Das Profil „%1“ wurde abgelehnt. %2</translation>
    </message>
    <message>
        <source>The value of &quot;%1&quot; holds &quot;%2&quot;, which a profile cannot hold: it reads as the start of a comment. &quot;%3&quot; was not written.</source>
        <translation>Der Wert von „%1“ enthält „%2“, was ein Profil nicht enthalten kann: Es wird als Beginn eines Kommentars gelesen. „%3“ wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Tracking server: %1, port 80</source>
        <translation>Tracking-Server: %1, Port 80</translation>
    </message>
    <message>
        <source>Trip stop time: 3 minutes</source>
        <translation>Standzeit bis Fahrtende: 3 Minuten</translation>
    </message>
    <message>
        <source>Tracking values: 21600, 30, 10000 and 20</source>
        <translation>Tracking-Werte: 21600, 30, 10000 und 20</translation>
    </message>
    <message>
        <source>Low power mode: on</source>
        <translation>Energiesparmodus: ein</translation>
    </message>
    <message>
        <source>Ignition detection: Smart detection</source>
        <translation>Zündungserkennung: Intelligente Erkennung</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file names no product; a unit takes &quot;%1&quot; or &quot;%2&quot;.</source>
        <translation>Ungültige Update-Datei!
Die Datei nennt kein Produkt; ein Gerät nimmt „%1“ oder „%2“ an.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file names the product &quot;%1&quot;; a unit takes &quot;%2&quot; or &quot;%3&quot;.</source>
        <translation>Ungültige Update-Datei!
Die Datei nennt das Produkt „%1“; ein Gerät nimmt „%2“ oder „%3“ an.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file holds version %1 and the unit runs version %2: their first characters differ, so the unit cannot take it.</source>
        <translation>Ungültige Update-Datei!
Die Datei enthält Version %1 und das Gerät läuft mit Version %2: Ihre ersten Zeichen unterscheiden sich, daher kann das Gerät sie nicht annehmen.</translation>
    </message>
    <message>
        <source>File doesn&apos;t exist!</source>
        <translation>Datei ist nicht vorhanden!</translation>
    </message>
    <message>
        <source>Error opening File!</source>
        <translation>Fehler beim Öffnen der Datei!</translation>
    </message>
    <message>
        <source>Error reading File!</source>
        <translation>Fehler beim Lesen der Datei!</translation>
    </message>
    <message>
        <source>Error reading file!</source>
        <translation>Fehler beim Lesen der Datei!</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file is too large to be an upgrade file.</source>
        <translation>Ungültige Update-Datei!
Die Datei ist zu groß für eine Update-Datei.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file is shorter than its 256-byte header.</source>
        <translation>Ungültige Update-Datei!
Die Datei ist kürzer als ihr 256 Byte langer Kopf.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The file holds no firmware image after its header.</source>
        <translation>Ungültige Update-Datei!
Die Datei enthält nach ihrem Kopf kein Firmware-Abbild.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The header names no version.</source>
        <translation>Ungültige Update-Datei!
Der Kopf nennt keine Version.</translation>
    </message>
    <message>
        <source>Invalid upgrade file!
The header does not end within its 256 bytes.</source>
        <translation>Ungültige Update-Datei!
Der Kopf endet nicht innerhalb seiner 256 Byte.</translation>
    </message>
    <message>
        <source>The unit has not reported its firmware version yet. Please wait a moment and try again.</source>
        <translation>Das Gerät hat seine Firmware-Version noch nicht gemeldet. Bitte warten Sie einen Moment und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>A unit is attached but this user may not open it (permission missing). </source>
        <translation>Ein Gerät ist angeschlossen, aber dieser Benutzer darf es nicht öffnen (Berechtigung fehlt). </translation>
    </message>
    <message>
        <source>The rule %1 is installed: unplug the unit and plug it in again. It grants access to the user logged in at this computer&apos;s screen, not to remote logins.</source>
        <translation>Die Regel %1 ist installiert: Stecken Sie das Gerät aus und wieder ein. Sie gewährt dem direkt an diesem Computer angemeldeten Benutzer Zugriff, nicht aber Fernanmeldungen.</translation>
    </message>
    <message>
        <source>Install the rule that comes with this program and plug the unit in again:%1sudo cp %2 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules</source>
        <translation>Installieren Sie die mitgelieferte Regel und stecken Sie das Gerät wieder ein:%1sudo cp %2 /etc/udev/rules.d/ &amp;&amp; sudo udevadm control --reload-rules</translation>
    </message>
    <message>
        <source>A unit is attached but this user may not open it.</source>
        <translation>Ein Gerät ist angeschlossen, aber dieser Benutzer darf es nicht öffnen.</translation>
    </message>
    <message>
        <source>A unit is attached but cannot be used: another program or driver holds it. Close other programs that use the unit, then unplug it and plug it in again.</source>
        <translation>Ein Gerät ist angeschlossen, kann aber nicht benutzt werden: Ein anderes Programm oder ein Treiber belegt es. Schließen Sie andere Programme, die das Gerät benutzen, und stecken Sie es dann aus und wieder ein.</translation>
    </message>
    <message>
        <source>Install the udev rule %1 that comes with this program into /etc/udev/rules.d/ and plug the unit in again (the package installs it itself; a build from source has it in the packaging folder of its build folder, build/default/packaging/%1).</source>
        <translation>Installieren Sie die mitgelieferte udev-Regel %1 nach /etc/udev/rules.d/ und stecken Sie das Gerät wieder ein (das Paket installiert sie selbst; ein aus den Quellen gebautes Programm hat sie im Ordner packaging seines Build-Ordners, build/default/packaging/%1).</translation>
    </message>
</context>
<context>
    <name>wr::FetchTripsOperation</name>
    <message>
        <source>The unit refused to list its trips.</source>
        <translation>Das Gerät hat das Auflisten seiner Fahrten abgelehnt.</translation>
    </message>
    <message>
        <source>The unit did not finish listing its trips in time.</source>
        <translation>Das Gerät hat das Auflisten seiner Fahrten nicht rechtzeitig abgeschlossen.</translation>
    </message>
    <message>
        <source>Listing the trips was interrupted.</source>
        <translation>Das Auflisten der Fahrten wurde unterbrochen.</translation>
    </message>
    <message>
        <source>The unit was disconnected while listing its trips.</source>
        <translation>Die Verbindung zum Gerät wurde beim Auflisten seiner Fahrten getrennt.</translation>
    </message>
    <message>
        <source>Fetching trips</source>
        <translation>Fahrten werden abgerufen</translation>
    </message>
    <message>
        <source>1 trip</source>
        <translation>1 Fahrt</translation>
    </message>
    <message numerus="yes">
        <source>%n trips</source>
        <translation>
            <numerusform>%n Fahrt</numerusform>
            <numerusform>%n Fahrten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>wr::LinuxHelpDialog</name>
    <message>
        <source>Device rule</source>
        <translation>Geräteregel</translation>
    </message>
    <message>
        <source>Commands to install the rule</source>
        <translation>Befehle zum Installieren der Regel</translation>
    </message>
    <message>
        <source>, else </source>
        <translation>, sonst </translation>
    </message>
    <message>
        <source>Using a unit on Linux</source>
        <translation>Gerät unter Linux verwenden</translation>
    </message>
    <message>
        <source>The rule (%1):</source>
        <translation>Die Regel (%1):</translation>
    </message>
    <message>
        <source>&amp;Copy rule</source>
        <translation>Regel &amp;kopieren</translation>
    </message>
    <message>
        <source>Commands to install it:</source>
        <translation>Befehle zum Installieren:</translation>
    </message>
    <message>
        <source>Copy c&amp;ommands</source>
        <translation>&amp;Befehle kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&lt;p&gt;The unit is found by its USB identifiers (%1). An ordinary user needs permission to open it, which a udev rule grants to the user logged in at this computer&apos;s own screen.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Das Gerät wird an seinen USB-Kennungen erkannt (%1). Ein gewöhnlicher Benutzer braucht die Berechtigung, es zu öffnen; eine udev-Regel erteilt sie dem Benutzer, der an diesem Computer direkt angemeldet ist.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;The rule is installed on this computer: &lt;tt&gt;%1&lt;/tt&gt;.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again: a rule acts when a device appears.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;Die Regel ist auf diesem Computer installiert: &lt;tt&gt;%1&lt;/tt&gt;.&lt;/li&gt;&lt;li&gt;Stecken Sie das Gerät aus und wieder ein: Eine Regel greift, wenn ein Gerät erscheint.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;Copy the rule that comes with this program, &lt;tt&gt;%1&lt;/tt&gt;, into &lt;tt&gt;/etc/udev/rules.d/&lt;/tt&gt; (as root; the commands are below).&lt;/li&gt;&lt;li&gt;Have udev read it again.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again.&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;Kopieren Sie die mitgelieferte Regel &lt;tt&gt;%1&lt;/tt&gt; nach &lt;tt&gt;/etc/udev/rules.d/&lt;/tt&gt; (als root; die Befehle stehen unten).&lt;/li&gt;&lt;li&gt;Lassen Sie udev die Regeln neu einlesen.&lt;/li&gt;&lt;li&gt;Stecken Sie das Gerät aus und wieder ein.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>&lt;ol&gt;&lt;li&gt;Save the rule below as &lt;tt&gt;%1&lt;/tt&gt; (as root; the commands below do it).&lt;/li&gt;&lt;li&gt;Have udev read it again.&lt;/li&gt;&lt;li&gt;Unplug the unit and plug it in again.&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;The package installs the rule itself.&lt;/p&gt;</source>
        <translation>&lt;ol&gt;&lt;li&gt;Speichern Sie die Regel unten als &lt;tt&gt;%1&lt;/tt&gt; (als root; die Befehle unten erledigen das).&lt;/li&gt;&lt;li&gt;Lassen Sie udev die Regeln neu einlesen.&lt;/li&gt;&lt;li&gt;Stecken Sie das Gerät aus und wieder ein.&lt;/li&gt;&lt;/ol&gt;&lt;p&gt;Das Paket installiert die Regel selbst.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The rule does not serve remote logins (ssh): such a user needs a rule of their own, for example one with &lt;tt&gt;GROUP=&lt;/tt&gt; set to a group they belong to.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Regel gilt nicht für Fernanmeldungen (ssh): Ein solcher Benutzer braucht eine eigene Regel, zum Beispiel eine mit &lt;tt&gt;GROUP=&lt;/tt&gt; für eine Gruppe, der er angehört.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>wr::MainPage</name>
    <message>
        <source>Sending the defaults overwrites these settings of the unit:
%1

Are you sure?</source>
        <translation>Das Senden der Standardwerte überschreibt diese Einstellungen des Geräts:
%1

Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Relay close</source>
        <translation>Relais schließen</translation>
    </message>
    <message>
        <source>Relay open</source>
        <translation>Relais öffnen</translation>
    </message>
    <message>
        <source>Output high</source>
        <translation>Ausgang high</translation>
    </message>
    <message>
        <source>Output low</source>
        <translation>Ausgang low</translation>
    </message>
    <message>
        <source>Buzzer on</source>
        <translation>Summer ein</translation>
    </message>
    <message>
        <source>Buzzer off</source>
        <translation>Summer aus</translation>
    </message>
    <message>
        <source>3.3 V supply on</source>
        <translation>3,3-V-Versorgung ein</translation>
    </message>
    <message>
        <source>3.3 V supply off</source>
        <translation>3,3-V-Versorgung aus</translation>
    </message>
    <message>
        <source>The unit also clears its trip log.</source>
        <translation>Das Gerät löscht auch sein Fahrtenbuch.</translation>
    </message>
    <message>
        <source>The unit was not reset.</source>
        <translation>Das Gerät wurde nicht zurückgesetzt.</translation>
    </message>
    <message>
        <source>No tracking server is set. Send defaults writes the server your units report to; enter its host name or address (it is kept in File &gt; Preferences):</source>
        <translation>Es ist kein Tracking-Server eingestellt. „Standardwerte senden“ schreibt den Server, an den Ihre Geräte melden; geben Sie seinen Hostnamen oder seine Adresse ein (sie wird unter Datei &gt; Einstellungen gespeichert):</translation>
    </message>
    <message>
        <source>Nothing was sent.</source>
        <translation>Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>Send defaults</source>
        <translation>Standardwerte senden</translation>
    </message>
    <message>
        <source>Version: </source>
        <translation>Version: </translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Firmware Version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>Device ID</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Reboot Unit</source>
        <translation>Gerät neu starten</translation>
    </message>
    <message>
        <source>Upgrade Unit</source>
        <translation>Gerät aktualisieren</translation>
    </message>
    <message>
        <source>Reset to Factory defaults</source>
        <translation>Auf Werkseinstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Ausgänge</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Reboot unit?</source>
        <translation>Gerät neu starten?</translation>
    </message>
    <message>
        <source>They are lost when the unit restarts. Reboot anyway?</source>
        <translation>Sie gehen beim Neustart des Geräts verloren. Trotzdem neu starten?</translation>
    </message>
    <message>
        <source>You will lose all your settings!! Are you sure?</source>
        <translation>Alle Ihre Einstellungen gehen verloren!! Sind Sie sicher?</translation>
    </message>
    <message>
        <source>Reset to Factory</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <source>They are lost with the reset. Reset anyway?</source>
        <translation>Sie gehen beim Zurücksetzen verloren. Trotzdem zurücksetzen?</translation>
    </message>
    <message>
        <source>They are lost when the defaults are sent. Send them anyway?</source>
        <translation>Sie gehen beim Senden der Standardwerte verloren. Trotzdem senden?</translation>
    </message>
    <message>
        <source>Set up your tracking unit, watch it live
and read its trip log.
Made by the Wayrunner Track developers.</source>
        <translation>Ortungsgerät einrichten, live beobachten
und Fahrtenbuch auslesen.
Von den Entwicklern von Wayrunner Track.</translation>
    </message>
    <message>
        <source>Relay</source>
        <translation>Relais</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>High</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>3.3 V supply</source>
        <translation>3,3-V-Versorgung</translation>
    </message>
</context>
<context>
    <name>wr::Operation</name>
    <message>
        <source>Cancelled.</source>
        <translation>Abgebrochen.</translation>
    </message>
</context>
<context>
    <name>wr::OperationBar</name>
    <message>
        <source>Unit work</source>
        <translation>Arbeit am Gerät</translation>
    </message>
    <message>
        <source>Progress of the unit work</source>
        <translation>Fortschritt der Arbeit am Gerät</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel the unit work</source>
        <translation>Arbeit am Gerät abbrechen</translation>
    </message>
    <message>
        <source>%1: cancelled.</source>
        <translation>%1: abgebrochen.</translation>
    </message>
    <message>
        <source>%1: done.</source>
        <translation>%1: erledigt.</translation>
    </message>
    <message>
        <source>%1: failed.</source>
        <translation>%1: fehlgeschlagen.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Cancel: %1</source>
        <translation>Abbrechen: %1</translation>
    </message>
</context>
<context>
    <name>wr::PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Tracking server that Send defaults writes</source>
        <translation>Tracking-Server, den „Standardwerte senden“ schreibt</translation>
    </message>
    <message>
        <source>host name or address</source>
        <translation>Hostname oder Adresse</translation>
    </message>
    <message>
        <source>&amp;Tracking server:</source>
        <translation>&amp;Tracking-Server:</translation>
    </message>
    <message>
        <source>Send defaults writes this server, port 80, to the unit. Without one it asks for one and sends nothing.</source>
        <translation>„Standardwerte senden“ schreibt diesen Server mit Port 80 in das Gerät. Ist keiner eingestellt, wird danach gefragt und nichts gesendet.</translation>
    </message>
    <message>
        <source>Left empty, %1 is used, from %2.</source>
        <translation>Leer gelassen wird %1 verwendet, aus %2.</translation>
    </message>
</context>
<context>
    <name>wr::ProfileCompareDialog</name>
    <message>
        <source>Settings of the unit and of the profile</source>
        <translation>Einstellungen des Geräts und des Profils</translation>
    </message>
    <message>
        <source>Settings from a profile</source>
        <translation>Einstellungen aus einem Profil</translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation>Mit Profil vergleichen</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>%1 in the profile file</source>
        <translation>%1 in der Profildatei</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(nicht gelesen)</translation>
    </message>
    <message>
        <source>The profile holds no settings.</source>
        <translation>Das Profil enthält keine Einstellungen.</translation>
    </message>
    <message>
        <source>The unit holds every setting of the profile.</source>
        <translation>Das Gerät enthält alle Einstellungen des Profils.</translation>
    </message>
    <message>
        <source>%1 of %2 settings differ (shown in bold).</source>
        <translation>%1 von %2 Einstellungen weichen ab (fett dargestellt).</translation>
    </message>
    <message>
        <source> Only the ticked settings are taken.</source>
        <translation> Nur die angekreuzten Einstellungen werden übernommen.</translation>
    </message>
    <message>
        <source>The unit holds another value</source>
        <translation>Das Gerät enthält einen anderen Wert</translation>
    </message>
</context>
<context>
    <name>wr::ProvisionOperation</name>
    <message>
        <source>Opening the unit</source>
        <translation>Das Gerät wird geöffnet</translation>
    </message>
    <message>
        <source>Writing the settings</source>
        <translation>Die Einstellungen werden geschrieben</translation>
    </message>
</context>
<context>
    <name>wr::QueryOperation</name>
    <message>
        <source>The unit was disconnected.</source>
        <translation>Die Verbindung zum Gerät wurde getrennt.</translation>
    </message>
    <message>
        <source>Reading the unit</source>
        <translation>Gerät wird abgefragt</translation>
    </message>
</context>
<context>
    <name>wr::ReadSettingsOperation</name>
    <message>
        <source>Reading the settings</source>
        <translation>Einstellungen werden gelesen</translation>
    </message>
    <message>
        <source>%1 could not be read from the unit.</source>
        <translation>%1 konnte nicht vom Gerät gelesen werden.</translation>
    </message>
</context>
<context>
    <name>wr::SaveOperation</name>
    <message>
        <source>the tracking values</source>
        <translation>die Tracking-Werte</translation>
    </message>
    <message>
        <source>the ignition detection</source>
        <translation>die Zündungserkennung</translation>
    </message>
    <message>
        <source>Nothing was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation>Es wurde nichts gespeichert: %1 konnte nicht vom Gerät gelesen werden. Prüfen Sie, ob es verbunden ist, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>Saving the settings</source>
        <translation>Einstellungen werden gespeichert</translation>
    </message>
</context>
<context>
    <name>wr::SettingsPage</name>
    <message>
        <source>Changed here and not saved to the unit yet</source>
        <translation>Hier geändert und noch nicht im Gerät gespeichert</translation>
    </message>
    <message>
        <source>Time stationary before ending trip</source>
        <translation>Standzeit bis Fahrtende</translation>
    </message>
    <message>
        <source>SMS example...</source>
        <translation>SMS-Beispiel...</translation>
    </message>
    <message>
        <source>Shows how the unit&apos;s SMS message looks with chosen values; sends nothing to the unit</source>
        <translation>Zeigt, wie die SMS des Geräts mit den gewählten Werten aussieht; sendet nichts an das Gerät</translation>
    </message>
    <message>
        <source>SMS example, a preview that sends nothing</source>
        <translation>SMS-Beispiel, eine Vorschau, die nichts sendet</translation>
    </message>
    <message>
        <source>A unit was connected while this tab had unsaved changes. They were kept in their fields instead of the unit&apos;s values, and Save writes them to this unit.</source>
        <translation>Ein Gerät wurde verbunden, während diese Seite ungespeicherte Änderungen hatte. Sie wurden statt der Werte des Geräts in ihren Feldern behalten; „Speichern“ schreibt sie in dieses Gerät.</translation>
    </message>
    <message>
        <source>the tracking values</source>
        <translation>die Tracking-Werte</translation>
    </message>
    <message>
        <source>the ignition detection</source>
        <translation>die Zündungserkennung</translation>
    </message>
    <message>
        <source>Nothing was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation>Es wurde nichts gespeichert: %1 konnte nicht vom Gerät gelesen werden. Prüfen Sie, ob es verbunden ist, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>SIMcard setup</source>
        <translation>SIM-Karte</translation>
    </message>
    <message>
        <source>Network Wizard</source>
        <translation>Netz-Assistent</translation>
    </message>
    <message>
        <source>Misc. Settings</source>
        <translation>Weitere Einstellungen</translation>
    </message>
    <message>
        <source>Open profile...</source>
        <translation>Profil öffnen...</translation>
    </message>
    <message>
        <source>Compare the unit with a settings profile and take its values into this tab</source>
        <translation>Das Gerät mit einem Einstellungsprofil vergleichen und dessen Werte in diese Seite übernehmen</translation>
    </message>
    <message>
        <source>Save profile...</source>
        <translation>Profil speichern...</translation>
    </message>
    <message>
        <source>Save the unit&apos;s settings to a profile file</source>
        <translation>Die Einstellungen des Geräts in einer Profildatei speichern</translation>
    </message>
    <message>
        <source>Compare...</source>
        <translation>Vergleichen...</translation>
    </message>
    <message>
        <source>Compare the unit with a settings profile</source>
        <translation>Das Gerät mit einem Einstellungsprofil vergleichen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>The SIM-card fields hold changes that are not saved to the unit: %1.

The wizard replaces them with the operator&apos;s values. Open it anyway?</source>
        <translation>Die SIM-Karten-Felder enthalten Änderungen, die nicht im Gerät gespeichert sind: %1.

Der Assistent ersetzt sie durch die Werte des Netzbetreibers. Trotzdem öffnen?</translation>
    </message>
    <message>
        <source>The profile holds what the unit holds: the changes not saved on the Settings tab (%1) are not in it.</source>
        <translation>Das Profil enthält, was das Gerät enthält: Die nicht gespeicherten Änderungen der Seite „Einstellungen“ (%1) sind nicht darin.</translation>
    </message>
    <message>
        <source>The Settings tab has changes that are not saved to the unit: %1.

%2</source>
        <translation>Die Seite „Einstellungen“ hat Änderungen, die nicht im Gerät gespeichert sind: %1.

%2</translation>
    </message>
    <message>
        <source>Unsaved changes: %1.</source>
        <translation>Ungespeicherte Änderungen: %1.</translation>
    </message>
    <message>
        <source>From the profile, with no field on this tab: %1.</source>
        <translation>Aus dem Profil, ohne Feld auf dieser Seite: %1.</translation>
    </message>
    <message>
        <source>Save writes them to the unit.</source>
        <translation>„Speichern“ schreibt sie in das Gerät.</translation>
    </message>
    <message>
        <source>minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>&amp;Revert</source>
        <translation>&amp;Verwerfen</translation>
    </message>
    <message>
        <source>Puts the unit&apos;s values back in the fields, in place of the changes not saved</source>
        <translation>Setzt die Werte des Geräts wieder in die Felder, anstelle der nicht gespeicherten Änderungen</translation>
    </message>
    <message>
        <source>Revert the changes not saved to the unit&apos;s values</source>
        <translation>Nicht gespeicherte Änderungen auf die Werte des Geräts zurücksetzen</translation>
    </message>
</context>
<context>
    <name>wr::SettingsProfiles</name>
    <message>
        <source>No unit is connected. Connect the unit and wait until it is shown, then try again.</source>
        <translation>Kein Gerät verbunden. Verbinden Sie das Gerät, warten Sie, bis es angezeigt wird, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source> Nothing was changed.</source>
        <translation> Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Open profile</source>
        <translation>Profil öffnen</translation>
    </message>
    <message>
        <source>The settings in %1, beside the unit&apos;s. The ticked ones go into the Settings tab; Save then writes them to the unit.</source>
        <translation>Die Einstellungen in %1 neben denen des Geräts. Die angekreuzten kommen in die Seite „Einstellungen“; „Speichern“ schreibt sie dann in das Gerät.</translation>
    </message>
    <message>
        <source>Fill the Settings tab</source>
        <translation>In „Einstellungen“ übernehmen</translation>
    </message>
    <message>
        <source>Compare with profile</source>
        <translation>Mit Profil vergleichen</translation>
    </message>
    <message>
        <source>The settings in %1, beside the unit&apos;s. Nothing is changed.</source>
        <translation>Die Einstellungen in %1 neben denen des Geräts. Es wird nichts geändert.</translation>
    </message>
    <message>
        <source>No profile was saved: %1 could not be read from the unit. Check that it is connected and try again.</source>
        <translation>Es wurde kein Profil gespeichert: %1 konnte nicht vom Gerät gelesen werden. Prüfen Sie, ob es verbunden ist, und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation>Profil speichern</translation>
    </message>
    <message>
        <source>The profile was not saved.
%1</source>
        <translation>Das Profil wurde nicht gespeichert.
%1</translation>
    </message>
    <message>
        <source>Left out of the profile, as the unit holds no valid value: %1.</source>
        <translation>Nicht im Profil, da das Gerät keinen gültigen Wert hat: %1.</translation>
    </message>
    <message>
        <source>The unit&apos;s settings were saved to %1.

%2</source>
        <translation>Die Einstellungen des Geräts wurden in %1 gespeichert.

%2</translation>
    </message>
</context>
<context>
    <name>wr::StatusHistoryWindow</name>
    <message>
        <source>Time span shown</source>
        <translation>Angezeigter Zeitraum</translation>
    </message>
    <message>
        <source>Voltage history</source>
        <translation>Verlauf der Spannungen</translation>
    </message>
    <message>
        <source>Signal strength history</source>
        <translation>Verlauf der Signalstärke</translation>
    </message>
    <message>
        <source>Speed history</source>
        <translation>Verlauf der Geschwindigkeit</translation>
    </message>
    <message>
        <source>Status History</source>
        <translation>Statusverlauf</translation>
    </message>
    <message>
        <source>Last 10 minutes</source>
        <translation>Letzte 10 Minuten</translation>
    </message>
    <message>
        <source>Last hour</source>
        <translation>Letzte Stunde</translation>
    </message>
    <message>
        <source>Last 24 hours</source>
        <translation>Letzte 24 Stunden</translation>
    </message>
    <message>
        <source>&amp;Show:</source>
        <translation>An&amp;zeigen:</translation>
    </message>
    <message>
        <source>&amp;Export to CSV...</source>
        <translation>Als CSV e&amp;xportieren...</translation>
    </message>
    <message>
        <source>Volts</source>
        <translation>Volt</translation>
    </message>
    <message>
        <source>Signal (dBm)</source>
        <translation>Signal (dBm)</translation>
    </message>
    <message>
        <source>Speed (km/h)</source>
        <translation>Geschwindigkeit (km/h)</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Versorgung</translation>
    </message>
    <message>
        <source>Backup battery</source>
        <translation>Pufferbatterie</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Signal</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Last update: %1</source>
        <translation>Letzte Aktualisierung: %1</translation>
    </message>
    <message>
        <source>No status received yet</source>
        <translation>Noch kein Status empfangen</translation>
    </message>
    <message>
        <source>There is no status history to export yet.</source>
        <translation>Es gibt noch keinen Statusverlauf zum Exportieren.</translation>
    </message>
    <message>
        <source>Export Status History</source>
        <translation>Statusverlauf exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The status history was not saved.
%1</source>
        <translation>Der Statusverlauf wurde nicht gespeichert.
%1</translation>
    </message>
    <message>
        <source>Status history saved to %1</source>
        <translation>Statusverlauf gespeichert in %1</translation>
    </message>
</context>
<context>
    <name>wr::StatusPage</name>
    <message>
        <source>GSM status</source>
        <translation>GSM-Status</translation>
    </message>
    <message>
        <source>GSM signal strength</source>
        <translation>GSM-Signalstärke</translation>
    </message>
    <message>
        <source>GPS status</source>
        <translation>GPS-Status</translation>
    </message>
    <message numerus="yes">
        <source>%n s</source>
        <translation>
            <numerusform>%n s</numerusform>
            <numerusform>%n s</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
    <message>
        <source> (status asked for every %1, set by the debug terminal&apos;s Quick box)</source>
        <translation> (Status wird alle %1 abgefragt, eingestellt mit dem Kästchen „Schnell“ des Debug-Terminals)</translation>
    </message>
    <message>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <source>USSD received</source>
        <translation>USSD empfangen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Signal Strength</source>
        <translation>Signalstärke</translation>
    </message>
    <message>
        <source>Time to next GPRS update</source>
        <translation>Zeit bis zur nächsten GPRS-Meldung</translation>
    </message>
    <message>
        <source>GPS</source>
        <translation>GPS</translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <source>Last Movement Detected</source>
        <translation>Letzte erkannte Bewegung</translation>
    </message>
    <message>
        <source>Trip Status</source>
        <translation>Fahrtstatus</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Supply</source>
        <translation>Versorgung</translation>
    </message>
    <message>
        <source>Supply Voltage</source>
        <translation>Versorgungsspannung</translation>
    </message>
    <message>
        <source>Backup Battery Voltage</source>
        <translation>Spannung der Pufferbatterie</translation>
    </message>
    <message>
        <source>Last update: none yet</source>
        <translation>Letzte Aktualisierung: noch keine</translation>
    </message>
    <message>
        <source>Hi&amp;story...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>Last update: </source>
        <translation>Letzte Aktualisierung: </translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>noch keine</translation>
    </message>
</context>
<context>
    <name>wr::StepsOperation</name>
    <message>
        <source>Rebooting the unit</source>
        <translation>Gerät wird neu gestartet</translation>
    </message>
    <message>
        <source>Resetting the unit</source>
        <translation>Gerät wird zurückgesetzt</translation>
    </message>
    <message>
        <source>Setting an output</source>
        <translation>Ausgang wird geschaltet</translation>
    </message>
    <message>
        <source>Sending the defaults</source>
        <translation>Standardwerte werden gesendet</translation>
    </message>
    <message>
        <source>Deleting trips</source>
        <translation>Fahrten werden gelöscht</translation>
    </message>
    <message>
        <source>Asking for the trips</source>
        <translation>Fahrten werden angefordert</translation>
    </message>
</context>
<context>
    <name>wr::TerminalView</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
</context>
<context>
    <name>wr::TfrmComms</name>
    <message>
        <source>Line to send to the unit</source>
        <translation>Zeile, die an das Gerät gesendet wird</translation>
    </message>
    <message>
        <source>How often the main window asks the unit for its status. Ticked: every second (every half second until the box is first clicked). Unticked: every 30 seconds, until it is ticked again; the Status tab then says so beside its last update.</source>
        <translation>Wie oft das Hauptfenster das Gerät nach seinem Status fragt. Angekreuzt: jede Sekunde (jede halbe Sekunde, bis das Kästchen zum ersten Mal angeklickt wird). Nicht angekreuzt: alle 30 Sekunden, bis es wieder angekreuzt wird; die Seite „Status“ sagt das dann neben der letzten Aktualisierung.</translation>
    </message>
    <message>
        <source>Quick status polling of the main window</source>
        <translation>Schnelle Statusabfrage des Hauptfensters</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Quick</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message>
        <source>&amp;Save log...</source>
        <translation>Protokoll &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Time stamps</source>
        <translation>&amp;Zeitstempel</translation>
    </message>
    <message>
        <source>Save log</source>
        <translation>Protokoll speichern</translation>
    </message>
    <message>
        <source>Log files (*.log);;Text files (*.txt);;All files (*)</source>
        <translation>Protokolldateien (*.log);;Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The log was not saved.
%1</source>
        <translation>Das Protokoll wurde nicht gespeichert.
%1</translation>
    </message>
</context>
<context>
    <name>wr::TfrmMain</name>
    <message>
        <source>Waiting for a unit to be plugged in...</source>
        <translation>Warten auf ein eingestecktes Gerät...</translation>
    </message>
    <message>
        <source>Searching for a unit</source>
        <translation>Gerät wird gesucht</translation>
    </message>
    <message>
        <source>Unit shown</source>
        <translation>Angezeigtes Gerät</translation>
    </message>
    <message>
        <source>Units attached</source>
        <translation>Angeschlossene Geräte</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Main</source>
        <translation>Übersicht</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Trip Meter</source>
        <translation>Fahrtenbuch</translation>
    </message>
    <message>
        <source>Error: Please connect battery or wait for battery to charge!</source>
        <translation>Fehler: Bitte Batterie anschließen oder warten, bis sie geladen ist!</translation>
    </message>
    <message>
        <source>Searching for USB device...</source>
        <translation>USB-Gerät wird gesucht...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open profile...</source>
        <translation>Profil ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save profile...</source>
        <translation>Profil &amp;speichern...</translation>
    </message>
    <message>
        <source>&amp;Compare with profile...</source>
        <translation>Mit Profil &amp;vergleichen...</translation>
    </message>
    <message>
        <source>&amp;Export trips...</source>
        <translation>Fahrten e&amp;xportieren...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Unit</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;Reboot</source>
        <translation>&amp;Neu starten</translation>
    </message>
    <message>
        <source>&amp;Factory reset</source>
        <translation>&amp;Werkseinstellungen</translation>
    </message>
    <message>
        <source>Send &amp;defaults</source>
        <translation>&amp;Standardwerte senden</translation>
    </message>
    <message>
        <source>&amp;Upgrade firmware...</source>
        <translation>&amp;Firmware aktualisieren...</translation>
    </message>
    <message>
        <source>&amp;Outputs</source>
        <translation>&amp;Ausgänge</translation>
    </message>
    <message>
        <source>Relay &amp;close</source>
        <translation>Relais &amp;schließen</translation>
    </message>
    <message>
        <source>Relay &amp;open</source>
        <translation>Relais ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Output &amp;high</source>
        <translation>Ausgang &amp;high</translation>
    </message>
    <message>
        <source>Output &amp;low</source>
        <translation>Ausgang &amp;low</translation>
    </message>
    <message>
        <source>&amp;Buzzer on</source>
        <translation>Su&amp;mmer ein</translation>
    </message>
    <message>
        <source>B&amp;uzzer off</source>
        <translation>Summe&amp;r aus</translation>
    </message>
    <message>
        <source>&amp;3.3 V supply on</source>
        <translation>&amp;3,3-V-Versorgung ein</translation>
    </message>
    <message>
        <source>3.3 V supply o&amp;ff</source>
        <translation>3,3-V-Versorgung &amp;aus</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Debug terminal</source>
        <translation>&amp;Debug-Terminal</translation>
    </message>
    <message>
        <source>Status &amp;history</source>
        <translation>Status&amp;verlauf</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Using a unit on Linux</source>
        <translation>&amp;Gerät unter Linux verwenden</translation>
    </message>
    <message>
        <source>&amp;About Wayrunner Track</source>
        <translation>Ü&amp;ber Wayrunner Track</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>The language you chose is used from the next start of Wayrunner Track.</source>
        <translation>Die gewählte Sprache gilt ab dem nächsten Start von Wayrunner Track.</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>Unit %1</source>
        <translation>Gerät %1</translation>
    </message>
    <message>
        <source>Asking for its device id...</source>
        <translation>Geräte-ID wird abgefragt...</translation>
    </message>
    <message>
        <source>Device id unknown</source>
        <translation>Geräte-ID unbekannt</translation>
    </message>
    <message>
        <source>Cannot be opened (in use, or no permission)</source>
        <translation>Kann nicht geöffnet werden (belegt oder keine Berechtigung)</translation>
    </message>
    <message>
        <source>Unit %1  (not attached now)</source>
        <translation>Gerät %1  (derzeit nicht angeschlossen)</translation>
    </message>
    <message>
        <source>The unit chosen is not attached. &amp;Show:</source>
        <translation>Das gewählte Gerät ist nicht angeschlossen. An&amp;zeigen:</translation>
    </message>
    <message numerus="yes">
        <source>%n units are attached. &amp;Show:</source>
        <translation>
            <numerusform>%n Gerät ist angeschlossen. An&amp;zeigen:</numerusform>
            <numerusform>%n Geräte sind angeschlossen. An&amp;zeigen:</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose unit</source>
        <translation>Gerät wählen</translation>
    </message>
    <message>
        <source>They are lost when the window shows another unit. Show it anyway?</source>
        <translation>Sie gehen verloren, wenn das Fenster ein anderes Gerät zeigt. Trotzdem anzeigen?</translation>
    </message>
    <message>
        <source>Upgrade Firmware</source>
        <translation>Firmware aktualisieren</translation>
    </message>
    <message>
        <source>Do you want to upgrade the Unit?</source>
        <translation>Möchten Sie das Gerät aktualisieren?</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>They are lost when the window closes. Close anyway?</source>
        <translation>Sie gehen beim Schließen des Fensters verloren. Trotzdem schließen?</translation>
    </message>
    <message>
        <source>No unit has been found yet. Plug the unit into a USB port of this computer, check that it has power, and use a cable that carries data (some cables only charge).</source>
        <translation>Noch kein Gerät gefunden. Stecken Sie das Gerät an einen USB-Anschluss dieses Computers, prüfen Sie die Stromversorgung und verwenden Sie ein Datenkabel (manche Kabel laden nur).</translation>
    </message>
</context>
<context>
    <name>wr::TfrmNetworkWizard</name>
    <message>
        <source>Network</source>
        <translation>Netz</translation>
    </message>
    <message>
        <source>Network Wizard</source>
        <translation>Netz-Assistent</translation>
    </message>
    <message>
        <source>Select Network</source>
        <translation>Netz wählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No operator presets were found. The wizard looked for %1 in:
%2</source>
        <translation>Keine Netzbetreiber-Vorgaben gefunden. Der Assistent hat %1 gesucht in:
%2</translation>
    </message>
    <message>
        <source>%1 lists no operators in its [%2] section.</source>
        <translation>%1 führt in seinem Abschnitt [%2] keine Netzbetreiber auf.</translation>
    </message>
    <message>
        <source>%1 is no longer listed in %2. The SIM-card fields were not changed.</source>
        <translation>%1 ist nicht mehr in %2 aufgeführt. Die SIM-Karten-Felder wurden nicht geändert.</translation>
    </message>
</context>
<context>
    <name>wr::TfrmSMSExtra</name>
    <message>
        <source>Add to SMS: example only</source>
        <translation>Zur SMS hinzufügen: nur Beispiel</translation>
    </message>
    <message>
        <source>A preview of how the unit&apos;s SMS message looks with the values ticked below, using sample values. Nothing is sent to the unit: closing this window changes nothing on it.</source>
        <translation>Eine Vorschau der SMS des Geräts mit den unten angekreuzten Werten, mit Beispielwerten. Nichts wird an das Gerät gesendet: Das Schließen dieses Fensters ändert nichts daran.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the SMS example</source>
        <translation>SMS-Beispiel schließen</translation>
    </message>
    <message>
        <source>Message Example</source>
        <translation>Beispiel-SMS</translation>
    </message>
    <message>
        <source>Add the following to the SMS message</source>
        <translation>Folgendes zur SMS hinzufügen</translation>
    </message>
</context>
<context>
    <name>wr::TfrmUpgrade</name>
    <message>
        <source>Upgrade progress</source>
        <translation>Fortschritt des Updates</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Upgrading Firmware, Please wait...</source>
        <translation>Firmware wird aktualisiert, bitte warten...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The unit&apos;s settings are kept in %1</source>
        <translation>Die Einstellungen des Geräts werden in %1 gesichert</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source> version: </source>
        <translation> Version: </translation>
    </message>
    <message>
        <source>This will take the unit from version %1 back to %2, an older version (a downgrade). Proceed?</source>
        <translation>Damit wird das Gerät von Version %1 auf die ältere Version %2 zurückgesetzt (Downgrade). Fortfahren?</translation>
    </message>
    <message>
        <source>The unit already runs version %1. This will install %2 again. Proceed?</source>
        <translation>Das Gerät hat bereits Version %1. Damit wird %2 erneut installiert. Fortfahren?</translation>
    </message>
    <message>
        <source>This will upgrade the unit from version %1 to %2. Proceed?</source>
        <translation>Damit wird das Gerät von Version %1 auf %2 aktualisiert. Fortfahren?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The firmware was sent. Please wait for unit to restart: its version is checked when it is back.</source>
        <translation>Die Firmware wurde gesendet. Bitte warten Sie, bis das Gerät neu gestartet ist: Seine Version wird geprüft, sobald es wieder da ist.</translation>
    </message>
</context>
<context>
    <name>wr::TripsPage</name>
    <message>
        <source>Trips</source>
        <translation>Fahrten</translation>
    </message>
    <message>
        <source>1 trip</source>
        <translation>1 Fahrt</translation>
    </message>
    <message numerus="yes">
        <source>%n trips</source>
        <translation>
            <numerusform>%n Fahrt</numerusform>
            <numerusform>%n Fahrten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2 to %3</source>
        <translation>%1 %2 bis %3</translation>
    </message>
    <message>
        <source>A place name can only hold characters of this computer&apos;s character set.</source>
        <translation>Ein Ortsname darf nur Zeichen aus dem Zeichensatz dieses Computers enthalten.</translation>
    </message>
    <message>
        <source>&amp;Delete All Trips</source>
        <translation>Alle Fahrten &amp;löschen</translation>
    </message>
    <message>
        <source>Export to Excel</source>
        <translation>Nach Excel exportieren</translation>
    </message>
    <message>
        <source>Export Trips...</source>
        <translation>Fahrten exportieren...</translation>
    </message>
    <message>
        <source>Show Trips</source>
        <translation>Fahrten abrufen</translation>
    </message>
    <message>
        <source>Open in Google Maps</source>
        <translation>In Google Maps öffnen</translation>
    </message>
    <message>
        <source>Open Trip in Google Maps</source>
        <translation>Fahrt in Google Maps öffnen</translation>
    </message>
    <message>
        <source>Name Coordinate</source>
        <translation>Ort benennen</translation>
    </message>
    <message>
        <source>Rename Coordinate</source>
        <translation>Ort umbenennen</translation>
    </message>
    <message>
        <source>Delete Name</source>
        <translation>Namen löschen</translation>
    </message>
    <message>
        <source> Km/h</source>
        <translation> km/h</translation>
    </message>
    <message>
        <source> Km</source>
        <translation> km</translation>
    </message>
    <message>
        <source>How many trips the unit holds is not known: they have not been listed since it was connected.</source>
        <translation>Wie viele Fahrten das Gerät gespeichert hat, ist unbekannt: Sie wurden seit dem Verbinden nicht abgerufen.</translation>
    </message>
    <message>
        <source>The unit lists no trips.</source>
        <translation>Das Gerät listet keine Fahrten auf.</translation>
    </message>
    <message>
        <source>The unit&apos;s 1 trip will be deleted.</source>
        <translation>Die eine Fahrt des Geräts wird gelöscht.</translation>
    </message>
    <message numerus="yes">
        <source>All %n trips of the unit will be deleted.</source>
        <translation>
            <numerusform>Die %n Fahrt des Geräts wird gelöscht.</numerusform>
            <numerusform>Alle %n Fahrten des Geräts werden gelöscht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export the %1 before deleting %2?</source>
        <translation>Erst %1 exportieren und %2 dann löschen?</translation>
    </message>
    <message>
        <source>Export the unit&apos;s trips before deleting them?</source>
        <translation>Die Fahrten des Geräts vor dem Löschen exportieren?</translation>
    </message>
    <message>
        <source>The trips could not be exported: the unit did not list them.</source>
        <translation>Die Fahrten konnten nicht exportiert werden: Das Gerät hat sie nicht aufgelistet.</translation>
    </message>
    <message>
        <source>The unit is no longer connected.</source>
        <translation>Das Gerät ist nicht mehr verbunden.</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete all trips?

</source>
        <translation>Möchten Sie wirklich alle Fahrten löschen?

</translation>
    </message>
    <message>
        <source>No trip was deleted.</source>
        <translation>Es wurde keine Fahrt gelöscht.</translation>
    </message>
    <message>
        <source>The unit has no trips to export.</source>
        <translation>Das Gerät hat keine Fahrten zum Exportieren.</translation>
    </message>
    <message>
        <source>There are no trips to export. Connect the unit and press &quot;Show Trips&quot; first.</source>
        <translation>Es gibt keine Fahrten zum Exportieren. Verbinden Sie das Gerät und klicken Sie zuerst auf „Fahrten abrufen“.</translation>
    </message>
    <message>
        <source>Export Trips</source>
        <translation>Fahrten exportieren</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ist bereits vorhanden.
Möchten Sie die Datei ersetzen?</translation>
    </message>
    <message>
        <source>The trips were not exported.
</source>
        <translation>Die Fahrten wurden nicht exportiert.
</translation>
    </message>
    <message>
        <source>This build of Wayrunner Track cannot write %1 files.</source>
        <translation>Diese Ausgabe von Wayrunner Track kann keine %1-Dateien schreiben.</translation>
    </message>
    <message>
        <source>The trips could not be written to %1.</source>
        <translation>Die Fahrten konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 exported to
%2</source>
        <translation>%1 exportiert nach
%2</translation>
    </message>
    <message>
        <source>

1 trip was left out because its start or end position is missing or unreadable:</source>
        <translation>

1 Fahrt wurde ausgelassen, weil ihre Start- oder Endposition fehlt oder unlesbar ist:</translation>
    </message>
    <message>
        <source>
and %1 more</source>
        <translation>
und %1 weitere</translation>
    </message>
    <message>
        <source>No web browser could be started to show the trip. Open this address in a browser:
%1</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um die Fahrt zu zeigen. Öffnen Sie diese Adresse in einem Browser:
%1</translation>
    </message>
    <message>
        <source>No web browser could be started to show the position. Open this address in a browser:
%1</source>
        <translation>Es konnte kein Webbrowser gestartet werden, um die Position zu zeigen. Öffnen Sie diese Adresse in einem Browser:
%1</translation>
    </message>
    <message>
        <source>Coordinate Name:</source>
        <translation>Name des Orts:</translation>
    </message>
    <message>
        <source>Name already Exists!</source>
        <translation>Name ist bereits vorhanden!</translation>
    </message>
    <message>
        <source>Delete coordinate name: </source>
        <translation>Ortsnamen löschen: </translation>
    </message>
    <message>
        <source>Delete name</source>
        <translation>Namen löschen</translation>
    </message>
    <message>
        <source>it</source>
        <translation>sie</translation>
    </message>
    <message>
        <source>them</source>
        <translation>sie</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Start coordinates</source>
        <translation>Startkoordinaten</translation>
    </message>
    <message>
        <source>End coordinates</source>
        <translation>Endkoordinaten</translation>
    </message>
    <message>
        <source>Max Speed</source>
        <translation>Höchstgeschwindigkeit</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Strecke</translation>
    </message>
    <message numerus="yes">
        <source>

%n trips were left out because their start or end position is missing or unreadable:</source>
        <translation>
            <numerusform>

%n Fahrt wurde ausgelassen, weil ihre Start- oder Endposition fehlt oder unlesbar ist:</numerusform>
            <numerusform>

%n Fahrten wurden ausgelassen, weil ihre Start- oder Endposition fehlt oder unlesbar ist:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>wr::UpgradeOperation</name>
    <message>
        <source>Sending the firmware</source>
        <translation>Firmware wird gesendet</translation>
    </message>
    <message>
        <source>Waiting for the unit to restart</source>
        <translation>Warten auf den Neustart des Geräts</translation>
    </message>
    <message>
        <source>Unit upgraded to version %1: it has restarted and runs the version of the upgrade file.</source>
        <translation>Gerät auf Version %1 aktualisiert: Es ist neu gestartet und läuft mit der Version der Update-Datei.</translation>
    </message>
    <message>
        <source>The unit has restarted with firmware version %1, not version %2 of the upgrade file: the upgrade did not take effect.</source>
        <translation>Das Gerät ist mit Firmware-Version %1 neu gestartet, nicht mit Version %2 der Update-Datei: Das Update wurde nicht wirksam.</translation>
    </message>
    <message>
        <source>The unit has not come back within %1 seconds of the upgrade, so it is not known to run version %2. Check that it is plugged in and starts.</source>
        <translation>Das Gerät hat sich nicht innerhalb von %1 Sekunden nach dem Update zurückgemeldet; daher ist nicht bekannt, ob es mit Version %2 läuft. Prüfen Sie, ob es eingesteckt ist und startet.</translation>
    </message>
    <message>
        <source>The unit did not restart after the install command and does not report its version.</source>
        <translation>Das Gerät ist nach dem Installationsbefehl nicht neu gestartet und meldet seine Version nicht.</translation>
    </message>
    <message>
        <source>Firmware upgrade stopped!</source>
        <translation>Firmware-Update abgebrochen!</translation>
    </message>
    <message>
        <source>Error sending upgrade file!</source>
        <translation>Fehler beim Senden der Update-Datei!</translation>
    </message>
    <message>
        <source>Firmware upgrade not supported!</source>
        <translation>Firmware-Update wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>Error sending upgrade command! The unit was not told to install the firmware.</source>
        <translation>Fehler beim Senden des Update-Befehls! Das Gerät wurde nicht angewiesen, die Firmware zu installieren.</translation>
    </message>
    <message>
        <source>Upgrading Firmware, Please wait...</source>
        <translation>Firmware wird aktualisiert, bitte warten...</translation>
    </message>
</context>
<context>
    <name>wr::UpgradeSettingsBackup</name>
    <message>
        <source>Keep the unit&apos;s settings in a profile first</source>
        <translation>Die Einstellungen des Geräts vorher in einem Profil sichern</translation>
    </message>
    <message>
        <source>Keep the unit&apos;s settings in a profile in %1 first</source>
        <translation>Die Einstellungen des Geräts vorher in einem Profil in %1 sichern</translation>
    </message>
    <message>
        <source>The unit&apos;s settings could not be kept: %1.

Upgrade without keeping them?</source>
        <translation>Die Einstellungen des Geräts konnten nicht gesichert werden: %1.

Ohne Sicherung aktualisieren?</translation>
    </message>
    <message>
        <source>%1 could not be read from the unit</source>
        <translation>%1 konnte nicht vom Gerät gelesen werden</translation>
    </message>
    <message>
        <source>The unit&apos;s settings could not be compared with the ones kept in %1 before the upgrade: %2 could not be read. Compare them with that profile once the unit answers.</source>
        <translation>Die Einstellungen des Geräts konnten nicht mit den vor dem Update in %1 gesicherten verglichen werden: %2 konnte nicht gelesen werden. Vergleichen Sie sie mit diesem Profil, sobald das Gerät antwortet.</translation>
    </message>
    <message>
        <source>Settings after the upgrade</source>
        <translation>Einstellungen nach dem Update</translation>
    </message>
    <message>
        <source>The unit&apos;s settings differ from the ones kept in %1 before the upgrade. Restore writes the ticked ones to the unit.</source>
        <translation>Die Einstellungen des Geräts weichen von den vor dem Update in %1 gesicherten ab. „Wiederherstellen“ schreibt die angekreuzten in das Gerät.</translation>
    </message>
    <message>
        <source>Before the upgrade</source>
        <translation>Vor dem Update</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
</context>
<context>
    <name>wr::WriteSettingsOperation</name>
    <message>
        <source>Reading the settings</source>
        <translation>Die Einstellungen werden gelesen</translation>
    </message>
    <message>
        <source>Writing the settings</source>
        <translation>Die Einstellungen werden geschrieben</translation>
    </message>
</context>
<context>
    <name>wr::XlsxAutomation</name>
    <message>
        <source>The trips were saved as
</source>
        <translation>Die Fahrten wurden gespeichert als
</translation>
    </message>
    <message>
        <source>

No program to show spreadsheets could be started; open the file from there.</source>
        <translation>

Es konnte kein Tabellenprogramm gestartet werden; öffnen Sie die Datei von dort.</translation>
    </message>
    <message>
        <source>the file could not be created</source>
        <translation>die Datei konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>a value could not be stored</source>
        <translation>ein Wert konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>this build cannot write spreadsheet files</source>
        <translation>diese Ausgabe kann keine Tabellendateien schreiben</translation>
    </message>
</context>
<context>
    <name>wr::cli</name>
    <message>
        <source>use N simulated units (default 1) instead of USB, each with its own device id and bus address</source>
        <translation>N simulierte Geräte (Vorgabe 1) statt USB verwenden, jedes mit eigener Geräte-ID und Busadresse</translation>
    </message>
    <message>
        <source>the unit at this bus and device address, as &apos;list&apos; shows them; without it the only unit attached is used</source>
        <translation>das Gerät an dieser Bus- und Geräteadresse, wie „list“ sie zeigt; ohne diese Option wird das einzige angeschlossene Gerät verwendet</translation>
    </message>
    <message>
        <source>machine-readable output: one JSON object, also on failure</source>
        <translation>maschinenlesbare Ausgabe: ein JSON-Objekt, auch bei einem Fehler</translation>
    </message>
    <message>
        <source>how long to wait for a unit to appear (default 5)</source>
        <translation>wie lange auf ein Gerät gewartet wird (Vorgabe 5)</translation>
    </message>
    <message>
        <source>no progress output and no notes</source>
        <translation>keine Fortschrittsanzeige und keine Hinweise</translation>
    </message>
    <message>
        <source>show this help (or a command&apos;s: COMMAND --help) and exit</source>
        <translation>diese Hilfe (oder die eines Befehls: BEFEHL --help) zeigen und beenden</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>Usage:</source>
        <translation>Aufruf:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[Optionen]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Global options:</source>
        <translation>Allgemeine Optionen:</translation>
    </message>
    <message>
        <source>[options] COMMAND [arguments]</source>
        <translation>[Optionen] BEFEHL [Argumente]</translation>
    </message>
    <message>
        <source>Configure, watch and provision vehicle tracking units attached by USB: settings, profiles, trips, firmware.</source>
        <translation>Per USB angeschlossene Fahrzeug-Ortungsgeräte einrichten, beobachten und in Serie konfigurieren: Einstellungen, Profile, Fahrten, Firmware.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>GSM status</source>
        <translation>GSM-Status</translation>
    </message>
    <message>
        <source>GSM signal</source>
        <translation>GSM-Signal</translation>
    </message>
    <message>
        <source>Next GSM update</source>
        <translation>Nächste GSM-Meldung</translation>
    </message>
    <message>
        <source>Coordinates</source>
        <translation>Koordinaten</translation>
    </message>
    <message>
        <source>GPS signal</source>
        <translation>GPS-Signal</translation>
    </message>
    <message>
        <source>Movement</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>Trip status</source>
        <translation>Fahrtstatus</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>External voltage</source>
        <translation>Externe Spannung</translation>
    </message>
    <message>
        <source>Battery voltage</source>
        <translation>Batteriespannung</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Device id</source>
        <translation>Geräte-ID</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>Settings keys (in profiles, settings get and set, diffs): ussd, ussd_interval, apn, apn_user, apn_password, trip_stop_minutes, low_power (0 or 1), ignition (0 disabled, 1 smart detection, 2 voltage on input 1), track1, track2, track4, track5.
</source>
        <translation>Einstellungsschlüssel (in Profilen, settings get und set, Vergleichen): ussd, ussd_interval, apn, apn_user, apn_password, trip_stop_minutes, low_power (0 oder 1), ignition (0 aus, 1 intelligente Erkennung, 2 Spannung an Eingang 1), track1, track2, track4, track5.
</translation>
    </message>
    <message>
        <source>Exit status:
  0  done
  1  the unit refused, a read-back differs, or (profile diff) there are differences
  2  usage error
  3  no unit found, several and none chosen, or the unit cannot be opened
  4  a file cannot be read or written, or is invalid
  5  interrupted or cancelled
</source>
        <translation>Rückgabewert:
  0  erledigt
  1  das Gerät hat abgelehnt, ein Rücklesen weicht ab, oder (profile diff) es gibt Unterschiede
  2  Aufruffehler
  3  kein Gerät gefunden, mehrere und keines gewählt, oder das Gerät kann nicht geöffnet werden
  4  eine Datei kann nicht gelesen oder geschrieben werden oder ist ungültig
  5  unterbrochen oder abgebrochen
</translation>
    </message>
    <message>
        <source>JSON output (--json):
  Standard output holds one JSON object (status --watch: one per line). Each has
  &quot;schema&quot;: 1, the version of its layout: no member is renamed, removed or given
  another type without a new number. On failure the object holds error (the
  message) and exit_code, and where they apply key (the setting concerned),
  device (the unit&apos;s bus:address) and device_id. A JSON Schema for each
  command&apos;s output is installed in share/wayrunner-track/schemas.
</source>
        <translation>JSON-Ausgabe (--json):
  Die Standardausgabe enthält ein JSON-Objekt (status --watch: eines je Zeile). Jedes hat
  &quot;schema&quot;: 1, die Version seines Aufbaus: Kein Element wird ohne neue Nummer
  umbenannt, entfernt oder erhält einen anderen Typ. Bei einem Fehler enthält das
  Objekt error (die Meldung) und exit_code, und wo zutreffend key (die betroffene
  Einstellung), device (Bus:Adresse des Geräts) und device_id. Ein JSON-Schema für
  die Ausgabe jedes Befehls ist in share/wayrunner-track/schemas installiert.
</translation>
    </message>
    <message>
        <source>Environment:
  WAYRUNNER_DATA_DIR       the folder of the place-names file coords.txt and of the
                           settings backups written before a firmware upgrade
  WAYRUNNER_TRACKING_HOST  the tracking server &apos;defaults&apos; writes when --host is not given
</source>
        <translation>Umgebung:
  WAYRUNNER_DATA_DIR       der Ordner der Ortsnamendatei coords.txt und der vor einem
                           Firmware-Update gespeicherten Einstellungssicherungen
  WAYRUNNER_TRACKING_HOST  der Tracking-Server, den „defaults“ schreibt, wenn --host fehlt
</translation>
    </message>
    <message>
        <source>Run &apos;%1 COMMAND --help&apos; for a command&apos;s options.
</source>
        <translation>„%1 BEFEHL --help“ zeigt die Optionen eines Befehls.
</translation>
    </message>
    <message>
        <source>restart the unit</source>
        <translation>das Gerät neu starten</translation>
    </message>
    <message>
        <source>the unit forgets its settings and trips</source>
        <translation>das Gerät vergisst seine Einstellungen und Fahrten</translation>
    </message>
    <message>
        <source>reset without asking</source>
        <translation>ohne Rückfrage zurücksetzen</translation>
    </message>
    <message>
        <source>send the default settings, with the tracking server given</source>
        <translation>die Standardeinstellungen mit dem angegebenen Tracking-Server senden</translation>
    </message>
    <message>
        <source>Writes the tracking server (port 80), a trip stop time of 3 minutes, the tracking values 21600, 30, 10000 and 20, low power mode on and smart ignition detection. The server is --host, else WAYRUNNER_TRACKING_HOST; without either nothing is sent (exit 2).</source>
        <translation>Schreibt den Tracking-Server (Port 80), eine Standzeit bis Fahrtende von 3 Minuten, die Tracking-Werte 21600, 30, 10000 und 20, den Stromsparmodus ein und die intelligente Zündungserkennung. Der Server ist --host, sonst WAYRUNNER_TRACKING_HOST; ohne beides wird nichts gesendet (Rückgabewert 2).</translation>
    </message>
    <message>
        <source>the tracking server to write</source>
        <translation>der zu schreibende Tracking-Server</translation>
    </message>
    <message>
        <source>send without asking</source>
        <translation>ohne Rückfrage senden</translation>
    </message>
    <message>
        <source>switch an output (relay on = closed, output on = high)</source>
        <translation>einen Ausgang schalten (Relais ein = geschlossen, Ausgang ein = high)</translation>
    </message>
    <message>
        <source>attached units: bus:address, identifiers, firmware, device id</source>
        <translation>angeschlossene Geräte: Bus:Adresse, Kennungen, Firmware, Geräte-ID</translation>
    </message>
    <message>
        <source>Each unit is opened briefly to ask for its firmware version and device id; a unit that another program holds is listed with the reason it cannot be opened.</source>
        <translation>Jedes Gerät wird kurz geöffnet, um seine Firmware-Version und Geräte-ID zu erfragen; ein Gerät, das ein anderes Programm belegt, wird mit dem Grund aufgeführt, warum es nicht geöffnet werden kann.</translation>
    </message>
    <message>
        <source>the unit&apos;s settings to a profile file</source>
        <translation>die Einstellungen des Geräts in eine Profildatei</translation>
    </message>
    <message>
        <source>The profile is an INI file in UTF-8 with a [settings] section; it holds the APN password and is written readable by its owner only.</source>
        <translation>Das Profil ist eine INI-Datei in UTF-8 mit einem Abschnitt [settings]; es enthält das APN-Passwort und wird nur für seinen Eigentümer lesbar geschrieben.</translation>
    </message>
    <message>
        <source>the differences between the unit and FILE</source>
        <translation>die Unterschiede zwischen dem Gerät und DATEI</translation>
    </message>
    <message>
        <source>Exit 1 when there are differences, 0 when the unit holds the profile.</source>
        <translation>Rückgabewert 1, wenn es Unterschiede gibt, 0, wenn das Gerät das Profil enthält.</translation>
    </message>
    <message>
        <source>write FILE&apos;s settings to the unit and verify by read-back</source>
        <translation>die Einstellungen aus DATEI ins Gerät schreiben und durch Rücklesen prüfen</translation>
    </message>
    <message>
        <source>Settings the profile leaves out keep the unit&apos;s values. A profile with an unknown key or a value the unit cannot be sent is refused before anything is sent (exit 4).</source>
        <translation>Einstellungen, die das Profil auslässt, behalten die Werte des Geräts. Ein Profil mit einem unbekannten Schlüssel oder einem Wert, der nicht an das Gerät gesendet werden kann, wird abgelehnt, bevor etwas gesendet wird (Rückgabewert 4).</translation>
    </message>
    <message>
        <source>print what would change and send nothing</source>
        <translation>ausgeben, was sich ändern würde, und nichts senden</translation>
    </message>
    <message>
        <source>apply PROFILE to every unit plugged in, several at once, verify and log each</source>
        <translation>PROFIL auf jedes eingesteckte Gerät anwenden, mehrere gleichzeitig, jedes prüfen und protokollieren</translation>
    </message>
    <message>
        <source>Every unit attached now or plugged in later is given the profile, each on its own while the others go on, and is verified by read-back. A unit is done once; plug it in again to have it done again. With --log, one CSV row per unit is appended: time (UTC), bus address, device id, firmware, result (ok, unchanged, differs, failed, interrupted), the keys that differed, and a message. Runs until Ctrl+C, or until --count units are provisioned.</source>
        <translation>Jedes jetzt angeschlossene oder später eingesteckte Gerät erhält das Profil, jedes für sich, während die anderen weiterlaufen, und wird durch Rücklesen geprüft. Ein Gerät wird einmal bearbeitet; stecken Sie es erneut ein, um es noch einmal bearbeiten zu lassen. Mit --log wird je Gerät eine CSV-Zeile angehängt: Zeit (UTC), Busadresse, Geräte-ID, Firmware, Ergebnis (ok, unchanged, differs, failed, interrupted), die abweichenden Schlüssel und eine Meldung. Läuft bis Strg+C oder bis --count Geräte eingerichtet sind.</translation>
    </message>
    <message>
        <source>append one row per unit to this CSV file</source>
        <translation>je Gerät eine Zeile an diese CSV-Datei anhängen</translation>
    </message>
    <message>
        <source>stop once N units are provisioned</source>
        <translation>beenden, sobald N Geräte eingerichtet sind</translation>
    </message>
    <message>
        <source>one raw command; prints the unit&apos;s lines until OK or ERROR</source>
        <translation>ein Rohbefehl; gibt die Zeilen des Geräts bis OK oder ERROR aus</translation>
    </message>
    <message>
        <source>Exit 0 on OK, 1 on ERROR or when no answer comes within the waiting time. Put &apos;--&apos; before a line that starts with &apos;-&apos;.</source>
        <translation>Rückgabewert 0 bei OK, 1 bei ERROR oder wenn innerhalb der Wartezeit keine Antwort kommt. Setzen Sie „--“ vor eine Zeile, die mit „-“ beginnt.</translation>
    </message>
    <message>
        <source>how long to wait for OK or ERROR (default 10)</source>
        <translation>wie lange auf OK oder ERROR gewartet wird (Vorgabe 10)</translation>
    </message>
    <message>
        <source>the unit&apos;s settings</source>
        <translation>die Einstellungen des Geräts</translation>
    </message>
    <message>
        <source>One KEY=VALUE line per setting, as &apos;settings set&apos; takes them; with --json, one object with a member per key (numbers as numbers, texts as strings). The keys:
</source>
        <translation>Eine Zeile SCHLÜSSEL=WERT je Einstellung, wie „settings set“ sie annimmt; mit --json ein Objekt mit einem Element je Schlüssel (Zahlen als Zahlen, Texte als Zeichenketten). Die Schlüssel:
</translation>
    </message>
    <message>
        <source>change some settings, keep the rest as read, verify by read-back</source>
        <translation>einige Einstellungen ändern, die übrigen wie gelesen behalten, durch Rücklesen prüfen</translation>
    </message>
    <message>
        <source>The unit&apos;s settings are read first; the keys given replace their values and every other setting is written back as the unit holds it. Afterwards the settings are read back and every one the unit did not take is named (exit 1). A value the unit cannot be sent is refused before anything is sent (exit 2), with the same message as the window&apos;s. The keys:
</source>
        <translation>Zuerst werden die Einstellungen des Geräts gelesen; die angegebenen Schlüssel ersetzen ihre Werte, und jede andere Einstellung wird so zurückgeschrieben, wie das Gerät sie enthält. Danach werden die Einstellungen zurückgelesen, und jede, die das Gerät nicht übernommen hat, wird genannt (Rückgabewert 1). Ein Wert, der nicht an das Gerät gesendet werden kann, wird abgelehnt, bevor etwas gesendet wird (Rückgabewert 2), mit derselben Meldung wie im Fenster. Die Schlüssel:
</translation>
    </message>
    <message>
        <source>identity and live status, once, or on every poll until Ctrl+C</source>
        <translation>Kennung und aktueller Status, einmal oder bei jeder Abfrage bis Strg+C</translation>
    </message>
    <message>
        <source>With --json: one JSON document with firmware, device_id, connected, the eleven status texts and the status values as numbers, null when the unit did not tell them (signal_dbm, next_update_s, latitude, longitude, satellites_used, satellites_visible, hdop, last_movement_s, speed_kmh, supply_v, battery_v, battery_percent; unit_time as the unit sends it, hhmmss); with --watch, one such document per line for every poll.</source>
        <translation>Mit --json: ein JSON-Dokument mit firmware, device_id, connected, den elf Statustexten und den Statuswerten als Zahlen, null, wenn das Gerät sie nicht gemeldet hat (signal_dbm, next_update_s, latitude, longitude, satellites_used, satellites_visible, hdop, last_movement_s, speed_kmh, supply_v, battery_v, battery_percent; unit_time so, wie das Gerät es sendet, hhmmss); mit --watch ein solches Dokument je Zeile für jede Abfrage.</translation>
    </message>
    <message>
        <source>show the status on every poll until Ctrl+C</source>
        <translation>den Status bei jeder Abfrage bis Strg+C zeigen</translation>
    </message>
    <message>
        <source>the trip log with place names (default csv to standard output)</source>
        <translation>das Fahrtenbuch mit Ortsnamen (Vorgabe: csv auf die Standardausgabe)</translation>
    </message>
    <message>
        <source>Formats: csv (RFC 4180, a heading row), gpx (GPX 1.1, one track per trip), kml (KML 2.2, one placemark per trip with named start and end points) and xlsx (needs -o). Without --format the extension of -o chooses, else csv; a --format that another format&apos;s extension contradicts is refused. Place names come from the same place file the window uses. The unit&apos;s dates and times are taken as UTC.</source>
        <translation>Formate: csv (RFC 4180, eine Kopfzeile), gpx (GPX 1.1, ein Track je Fahrt), kml (KML 2.2, eine Ortsmarke je Fahrt mit benannten Start- und Endpunkten) und xlsx (braucht -o). Ohne --format entscheidet die Endung von -o, sonst csv; ein --format, dem die Endung eines anderen Formats widerspricht, wird abgelehnt. Die Ortsnamen stammen aus derselben Ortsdatei wie im Fenster. Datum und Uhrzeit des Geräts gelten als UTC.</translation>
    </message>
    <message>
        <source>the export format</source>
        <translation>das Exportformat</translation>
    </message>
    <message>
        <source>write to FILE (whole or not at all) instead of standard output</source>
        <translation>in DATEI (ganz oder gar nicht) statt auf die Standardausgabe schreiben</translation>
    </message>
    <message>
        <source>delete every trip the unit has logged</source>
        <translation>alle Fahrten löschen, die das Gerät aufgezeichnet hat</translation>
    </message>
    <message>
        <source>delete without asking</source>
        <translation>ohne Rückfrage löschen</translation>
    </message>
    <message>
        <source>the firmware transfer, with the settings saved first</source>
        <translation>die Übertragung der Firmware, nachdem die Einstellungen gesichert wurden</translation>
    </message>
    <message>
        <source>The unit&apos;s settings are saved to a profile first (to --backup FILE, else to backups/settings-DEVICEID-TIME.ini in the data folder), then the firmware is sent block by block and the unit is told to install it. When it is back, its version is compared with the file&apos;s. Ctrl+C before the install command stops the transfer and the unit keeps its firmware.</source>
        <translation>Die Einstellungen des Geräts werden zuerst in einem Profil gesichert (in --backup DATEI, sonst in backups/settings-DEVICEID-TIME.ini im Datenordner), dann wird die Firmware blockweise gesendet und das Gerät angewiesen, sie zu installieren. Wenn es wieder da ist, wird seine Version mit der der Datei verglichen. Strg+C vor dem Installationsbefehl bricht die Übertragung ab, und das Gerät behält seine Firmware.</translation>
    </message>
    <message>
        <source>upgrade without asking</source>
        <translation>ohne Rückfrage aktualisieren</translation>
    </message>
    <message>
        <source>where to save the settings first</source>
        <translation>wohin die Einstellungen zuerst gesichert werden</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>option %1 takes no value</source>
        <translation>Option %1 nimmt keinen Wert</translation>
    </message>
    <message>
        <source>option %1 needs a value (%2)</source>
        <translation>Option %1 braucht einen Wert (%2)</translation>
    </message>
    <message>
        <source>Try &apos;%1 %2&apos;.</source>
        <translation>Siehe „%1 %2“.</translation>
    </message>
    <message>
        <source>--simulate takes a number of units from 1 to %1, not &apos;%2&apos;</source>
        <translation>--simulate nimmt eine Anzahl Geräte von 1 bis %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--device takes BUS:ADDR as &apos;list&apos; shows it (e.g. 001:004), not &apos;%1&apos;</source>
        <translation>--device nimmt BUS:ADRESSE, wie „list“ sie zeigt (z. B. 001:004), nicht „%1“</translation>
    </message>
    <message>
        <source>--timeout takes a number of seconds from 0 to 86400, not &apos;%1&apos;</source>
        <translation>--timeout nimmt eine Anzahl Sekunden von 0 bis 86400, nicht „%1“</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>kein Befehl angegeben</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs one of: %2</source>
        <translation>„%1“ braucht einen von: %2</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs %2</source>
        <translation>„%1“ braucht %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; does not take &apos;%2&apos;</source>
        <translation>„%1“ nimmt „%2“ nicht an</translation>
    </message>
    <message>
        <source>cancelled; nothing was sent</source>
        <translation>abgebrochen; es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>interrupted while sending to the unit</source>
        <translation>beim Senden an das Gerät unterbrochen</translation>
    </message>
    <message>
        <source>the unit was disconnected</source>
        <translation>die Verbindung zum Gerät wurde getrennt</translation>
    </message>
    <message>
        <source>The unit restarts.</source>
        <translation>Das Gerät startet neu.</translation>
    </message>
    <message>
        <source>Reset the unit %1 to its factory settings? Its settings and trips are lost.</source>
        <translation>Das Gerät %1 auf Werkseinstellungen zurücksetzen? Seine Einstellungen und Fahrten gehen verloren.</translation>
    </message>
    <message>
        <source>a factory reset needs --yes when no one can answer the question</source>
        <translation>das Zurücksetzen auf Werkseinstellungen braucht --yes, wenn niemand die Frage beantworten kann</translation>
    </message>
    <message>
        <source>The unit was reset to its factory settings; its trips are gone.</source>
        <translation>Das Gerät wurde auf Werkseinstellungen zurückgesetzt; seine Fahrten sind gelöscht.</translation>
    </message>
    <message>
        <source>no tracking server is set: give it with --host HOST or in %1; nothing was sent</source>
        <translation>kein Tracking-Server festgelegt: Geben Sie ihn mit --host HOST oder in %1 an; es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>Send these default settings to the unit %1?</source>
        <translation>Diese Standardeinstellungen an das Gerät %1 senden?</translation>
    </message>
    <message>
        <source>sending the defaults needs --yes when no one can answer the question</source>
        <translation>das Senden der Standardeinstellungen braucht --yes, wenn niemand die Frage beantworten kann</translation>
    </message>
    <message>
        <source>The default settings were sent to the unit (tracking server %1).</source>
        <translation>Die Standardeinstellungen wurden an das Gerät gesendet (Tracking-Server %1).</translation>
    </message>
    <message>
        <source>the outputs are relay, output, buzzer and 3v3, not &apos;%1&apos;</source>
        <translation>die Ausgänge sind relay, output, buzzer und 3v3, nicht „%1“</translation>
    </message>
    <message>
        <source>an output is switched on or off, not &apos;%1&apos;</source>
        <translation>ein Ausgang wird on oder off geschaltet, nicht „%1“</translation>
    </message>
    <message>
        <source>Switched %1 %2.</source>
        <translation>%1 auf %2 geschaltet.</translation>
    </message>
    <message>
        <source>firmware %1  device id %2</source>
        <translation>Firmware %1  Geräte-ID %2</translation>
    </message>
    <message>
        <source>did not answer</source>
        <translation>hat nicht geantwortet</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>no unit found: plug the unit in and check the cable</source>
        <translation>kein Gerät gefunden: Stecken Sie das Gerät ein und prüfen Sie das Kabel</translation>
    </message>
    <message>
        <source>some rows could not be written to the log</source>
        <translation>einige Zeilen konnten nicht ins Protokoll geschrieben werden</translation>
    </message>
    <message>
        <source>the line holds a control character or a character beyond ASCII; the unit reads printable ASCII only</source>
        <translation>die Zeile enthält ein Steuerzeichen oder ein Zeichen außerhalb von ASCII; das Gerät liest nur druckbares ASCII</translation>
    </message>
    <message>
        <source>the line is empty</source>
        <translation>die Zeile ist leer</translation>
    </message>
    <message>
        <source>--wait takes a number of seconds from 0 to 3600, not &apos;%1&apos;</source>
        <translation>--wait nimmt eine Anzahl Sekunden von 0 bis 3600, nicht „%1“</translation>
    </message>
    <message>
        <source>the unit answered ERROR</source>
        <translation>das Gerät hat ERROR geantwortet</translation>
    </message>
    <message>
        <source>the unit did not answer OK or ERROR in time</source>
        <translation>das Gerät hat nicht rechtzeitig OK oder ERROR geantwortet</translation>
    </message>
    <message>
        <source>the unit did not report its status</source>
        <translation>das Gerät hat seinen Status nicht gemeldet</translation>
    </message>
    <message>
        <source>stopped watching</source>
        <translation>Beobachtung beendet</translation>
    </message>
    <message>
        <source>an xlsx export needs a file: add -o FILE.xlsx</source>
        <translation>ein xlsx-Export braucht eine Datei: Geben Sie -o DATEI.xlsx an</translation>
    </message>
    <message>
        <source>deleting the trips needs --yes when no one can answer the question</source>
        <translation>das Löschen der Fahrten braucht --yes, wenn niemand die Frage beantworten kann</translation>
    </message>
    <message>
        <source>cancelled; nothing was deleted</source>
        <translation>abgebrochen; es wurde nichts gelöscht</translation>
    </message>
    <message>
        <source>%1 units are attached (%2); choose one with --device BUS:ADDR</source>
        <translation>%1 Geräte sind angeschlossen (%2); wählen Sie eines mit --device BUS:ADRESSE</translation>
    </message>
    <message>
        <source>no unit at %1 (&apos;wayrunner-cli list&apos; shows the units attached)</source>
        <translation>kein Gerät an %1 („wayrunner-cli list“ zeigt die angeschlossenen Geräte)</translation>
    </message>
    <message>
        <source>interrupted after the install command: the unit is installing the firmware. Do not unplug it; check its version with &apos;wayrunner-cli status&apos; when it is back</source>
        <translation>nach dem Installationsbefehl unterbrochen: Das Gerät installiert die Firmware. Ziehen Sie es nicht ab; prüfen Sie seine Version mit „wayrunner-cli status“, wenn es wieder da ist</translation>
    </message>
    <message>
        <source>the unit did not restart after the install command and does not report its version</source>
        <translation>das Gerät ist nach dem Installationsbefehl nicht neu gestartet und meldet seine Version nicht</translation>
    </message>
    <message>
        <source>an upgrade needs --yes when no one can answer the question</source>
        <translation>ein Update braucht --yes, wenn niemand die Frage beantworten kann</translation>
    </message>
    <message>
        <source>interrupted; nothing was sent</source>
        <translation>unterbrochen; es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>Firmware upgrade not supported!</source>
        <translation>Firmware-Update wird nicht unterstützt!</translation>
    </message>
    <message>
        <source>%1 could not be read from the unit</source>
        <translation>%1 konnte nicht vom Gerät gelesen werden</translation>
    </message>
    <message>
        <source>left out: %1</source>
        <translation>ausgelassen: %1</translation>
    </message>
    <message>
        <source>Saved %1 settings of the unit %2 to %3</source>
        <translation>%1 Einstellungen des Geräts %2 in %3 gespeichert</translation>
    </message>
    <message>
        <source>unit</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>The unit already holds these settings; applying would send nothing.</source>
        <translation>Das Gerät enthält diese Einstellungen bereits; beim Anwenden würde nichts gesendet.</translation>
    </message>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>Dry run: nothing was sent.</source>
        <translation>Probelauf: Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>not shown: %1</source>
        <translation>nicht gezeigt: %1</translation>
    </message>
    <message>
        <source>The unit already holds these settings; nothing was sent.</source>
        <translation>Das Gerät enthält diese Einstellungen bereits; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>Saved: %1 setting changed, and the unit reads every setting back as sent.</source>
        <translation>Gespeichert: %1 Einstellung geändert, und das Gerät liest jede Einstellung so zurück, wie sie gesendet wurde.</translation>
    </message>
    <message>
        <source>Saved: %1 settings changed, and the unit reads every setting back as sent.</source>
        <translation>Gespeichert: %1 Einstellungen geändert, und das Gerät liest jede Einstellung so zurück, wie sie gesendet wurde.</translation>
    </message>
    <message>
        <source>--format takes %1, not &apos;%2&apos;</source>
        <translation>--format nimmt %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--format %1 does not match the extension of %2 (%3); use one or make them agree</source>
        <translation>--format %1 passt nicht zur Endung von %2 (%3); verwenden Sie eines von beiden oder bringen Sie sie in Einklang</translation>
    </message>
    <message>
        <source>this build cannot write %1 files</source>
        <translation>diese Version kann keine %1-Dateien schreiben</translation>
    </message>
    <message>
        <source>Wrote %1 trips to %2</source>
        <translation>%1 Fahrten in %2 geschrieben</translation>
    </message>
    <message>
        <source>Left out (their positions do not read as latitude and longitude): trips %1</source>
        <translation>Ausgelassen (ihre Positionen lassen sich nicht als Breite und Länge lesen): Fahrten %1</translation>
    </message>
    <message>
        <source>Delete every trip logged by the unit %1?</source>
        <translation>Alle vom Gerät %1 aufgezeichneten Fahrten löschen?</translation>
    </message>
    <message>
        <source>the unit still lists %1 trips</source>
        <translation>das Gerät listet noch %1 Fahrten</translation>
    </message>
    <message>
        <source>Deleted every trip; the unit lists none.</source>
        <translation>Alle Fahrten gelöscht; das Gerät listet keine mehr.</translation>
    </message>
    <message>
        <source>give a file with --backup FILE</source>
        <translation>geben Sie eine Datei mit --backup DATEI an</translation>
    </message>
    <message>
        <source>the unit did not come back within %1 seconds after the install command; check it, and its version with &apos;wayrunner-cli status&apos;</source>
        <translation>das Gerät hat sich nicht innerhalb von %1 Sekunden nach dem Installationsbefehl zurückgemeldet; prüfen Sie es und seine Version mit „wayrunner-cli status“</translation>
    </message>
    <message>
        <source>another unit (device id %1) appeared instead of %2; check the upgraded unit with &apos;wayrunner-cli status&apos;</source>
        <translation>ein anderes Gerät (Geräte-ID %1) ist statt %2 erschienen; prüfen Sie das aktualisierte Gerät mit „wayrunner-cli status“</translation>
    </message>
    <message>
        <source>the unit reports firmware %1, not the file&apos;s version %2: the upgrade did not take</source>
        <translation>das Gerät meldet Firmware %1, nicht die Version %2 der Datei: Das Update wurde nicht wirksam</translation>
    </message>
    <message>
        <source>The unit %1 now runs firmware %2, the file&apos;s version.</source>
        <translation>Das Gerät %1 läuft jetzt mit Firmware %2, der Version der Datei.</translation>
    </message>
    <message>
        <source>The unit %1 runs firmware %2. This will upgrade the unit to %3 version: %4.</source>
        <translation>Das Gerät %1 läuft mit Firmware %2. Das Gerät wird auf %3 Version %4 aktualisiert.</translation>
    </message>
    <message>
        <source>The file&apos;s version is older than the unit&apos;s: this is a downgrade.</source>
        <translation>Die Version der Datei ist älter als die des Geräts: Dies ist ein Downgrade.</translation>
    </message>
    <message>
        <source>The unit already runs this version.</source>
        <translation>Das Gerät läuft bereits mit dieser Version.</translation>
    </message>
    <message>
        <source>Proceed?</source>
        <translation>Fortfahren?</translation>
    </message>
    <message>
        <source>the settings could not be saved first (%1 could not be read); nothing was sent</source>
        <translation>die Einstellungen konnten nicht zuerst gesichert werden (%1 konnte nicht gelesen werden); es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>nothing was sent</source>
        <translation>es wurde nichts gesendet</translation>
    </message>
    <message>
        <source>Settings saved to %1</source>
        <translation>Einstellungen in %1 gesichert</translation>
    </message>
    <message>
        <source>Sending firmware</source>
        <translation>Firmware wird gesendet</translation>
    </message>
    <message>
        <source>The unit installs the firmware and restarts; waiting for it to come back.</source>
        <translation>Das Gerät installiert die Firmware und startet neu; es wird gewartet, bis es wieder da ist.</translation>
    </message>
    <message>
        <source>the unit was not told to install the firmware and keeps its own</source>
        <translation>das Gerät wurde nicht angewiesen, die Firmware zu installieren, und behält seine eigene</translation>
    </message>
    <message>
        <source>Firmware upgrade stopped! %1</source>
        <translation>Firmware-Update abgebrochen! %1</translation>
    </message>
    <message>
        <source>Error sending upgrade file! The unit was disconnected; %1</source>
        <translation>Fehler beim Senden der Update-Datei! Die Verbindung zum Gerät wurde getrennt; %1</translation>
    </message>
    <message>
        <source>Error sending upgrade file! %1</source>
        <translation>Fehler beim Senden der Update-Datei! %1</translation>
    </message>
    <message>
        <source>Error sending upgrade command! The unit was not told to install the firmware.</source>
        <translation>Fehler beim Senden des Update-Befehls! Das Gerät wurde nicht angewiesen, die Firmware zu installieren.</translation>
    </message>
    <message>
        <source>cannot write the log %1</source>
        <translation>das Protokoll %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>not taken:</source>
        <translation>nicht übernommen:</translation>
    </message>
    <message>
        <source>changed:</source>
        <translation>geändert:</translation>
    </message>
    <message>
        <source>--count takes a number of units from 1, not &apos;%1&apos;</source>
        <translation>--count nimmt eine Anzahl Geräte ab 1, nicht „%1“</translation>
    </message>
    <message>
        <source>Provisioned</source>
        <translation>Eingerichtet</translation>
    </message>
    <message>
        <source>%1: applying the profile</source>
        <translation>%1: Profil wird angewendet</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>beendet</translation>
    </message>
    <message>
        <source>stopped; %1 unit(s) were being written and are logged as interrupted: apply the profile to them again</source>
        <translation>beendet; %1 Gerät(e) wurden gerade beschrieben und sind als unterbrochen protokolliert: Wenden Sie das Profil erneut auf sie an</translation>
    </message>
    <message>
        <source>%1 unit(s) were not provisioned</source>
        <translation>%1 Gerät(e) wurden nicht eingerichtet</translation>
    </message>
    <message>
        <source>[y/N]</source>
        <translation>[j/N]</translation>
    </message>
    <message>
        <source>y</source>
        <translation>j</translation>
    </message>
    <message>
        <source>unchanged</source>
        <translation>unverändert</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>ok</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>abweichend</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>wr::cli::Settings</name>
    <message>
        <source>text of printable ASCII without commas, at most %1 characters</source>
        <translation>Text aus druckbaren ASCII-Zeichen ohne Komma, höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>text of printable ASCII without commas</source>
        <translation>Text aus druckbaren ASCII-Zeichen ohne Komma</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation>eine ganze Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>whole minutes from %1 to %2</source>
        <translation>ganze Minuten von %1 bis %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source> (secret: kept in profiles readable by their owner only)</source>
        <translation> (geheim: nur in Profilen gespeichert, die allein ihr Eigentümer lesen kann)</translation>
    </message>
</context>
</TS>
