<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BoardPreview</name>
    <message>
        <source>Board preview</source>
        <translation>Platinenvorschau</translation>
    </message>
    <message>
        <source>Servo %1 at %2</source>
        <translation>Servo %1 auf %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Send the settings in FILE to the board, without the window.</source>
        <translation>Die Einstellungen aus FILE ohne Fenster an die Platine senden.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>The port for --upload: COM1 to COM%1, each the adapter it stands for in the window&apos;s menu, or a serial device such as %2.</source>
        <translation>Der Anschluss für --upload: COM1 bis COM%1, jeweils der Adapter, für den er im Menü des Fensters steht, oder ein serielles Gerät wie %2.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>List COM1 to COM%1: the device each stands for, and whether it can be opened.</source>
        <translation>COM1 bis COM%1 auflisten: das Gerät, für das jeder steht, und ob er sich öffnen lässt.</translation>
    </message>
    <message>
        <source>Play the sequence in FILE (.svseq) to the board on --port, at the rate and in the format the file gives, without the window.</source>
        <translation>Den Ablauf aus FILE (.svseq) ohne Fenster auf der Platine an --port abspielen, mit der Rate und im Format, die die Datei angibt.</translation>
    </message>
    <message>
        <source>With --play: go round N times, whatever the file says.</source>
        <translation>Mit --play: N Durchläufe, gleich was die Datei angibt.</translation>
    </message>
    <message>
        <source>With --play: print each frame, its time in milliseconds and its bytes, and open no port.</source>
        <translation>Mit --play: jeden Frame mit seiner Zeit in Millisekunden und seinen Bytes ausgeben und keinen Anschluss öffnen.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt die Hilfe zu den Befehlszeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays help, including the window toolkit&apos;s options.</source>
        <translation>Zeigt die Hilfe an, samt den Optionen des Fenster-Toolkits.</translation>
    </message>
    <message>
        <source>Sets up an eight-servo controller board over a serial port.</source>
        <translation>Richtet eine Steuerplatine für acht Servos über einen seriellen Anschluss ein.</translation>
    </message>
    <message>
        <source>A settings file (.svo) to open in the window.</source>
        <translation>Eine Einstellungsdatei (.svo), die im Fenster geöffnet wird.</translation>
    </message>
    <message>
        <source>[FILE]</source>
        <translation>[FILE]</translation>
    </message>
    <message>
        <source>Window toolkit options, for the window:
  -platform NAME     the display system (xcb, wayland, offscreen)
  -style NAME        the widget style (Fusion, Windows)
  -stylesheet FILE   a style sheet for the widgets
  -display DISPLAY   the X display
  -reverse           right-to-left layout
and the toolkit&apos;s other options (-platformtheme, -qwindowgeometry, -qwindowtitle, ...).
</source>
        <translation>Optionen des Fenster-Toolkits, für das Fenster:
  -platform NAME     das Anzeigesystem (xcb, wayland, offscreen)
  -style NAME        der Stil der Bedienelemente (Fusion, Windows)
  -stylesheet FILE   ein Stylesheet für die Bedienelemente
  -display DISPLAY   die X-Anzeige
  -reverse           Anordnung von rechts nach links
und die übrigen Optionen des Toolkits (-platformtheme, -qwindowgeometry, -qwindowtitle, ...).
</translation>
    </message>
    <message>
        <source>Give one of FILE, --upload, --play and --list-ports.</source>
        <translation>Geben Sie genau eines von FILE, --upload, --play und --list-ports an.</translation>
    </message>
    <message>
        <source>--play needs --port, or --dry-run.</source>
        <translation>--play braucht --port oder --dry-run.</translation>
    </message>
    <message>
        <source>--upload and --port go together.</source>
        <translation>--upload und --port gehören zusammen.</translation>
    </message>
    <message>
        <source>--loop and --dry-run go with --play.</source>
        <translation>--loop und --dry-run gehören zu --play.</translation>
    </message>
    <message>
        <source>Give --%1 once.</source>
        <translation>Geben Sie --%1 nur einmal an.</translation>
    </message>
    <message>
        <source>--loop takes a number of rounds from 1 to %1.</source>
        <translation>--loop nimmt eine Zahl von Durchläufen von 1 bis %1.</translation>
    </message>
    <message>
        <source>%1: no such port; the ports are COM1 to COM%2.</source>
        <translation>%1: diesen Anschluss gibt es nicht; die Anschlüsse sind COM1 bis COM%2.</translation>
    </message>
    <message>
        <source>%1: interrupted; nothing was sent.</source>
        <translation>%1: unterbrochen; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>%1: interrupted; nothing was sent whole.</source>
        <translation>%1: unterbrochen; nichts wurde vollständig gesendet.</translation>
    </message>
    <message>
        <source>%1 goes round for ever: give --loop N for --dry-run.</source>
        <translation>%1 läuft endlos: geben Sie für --dry-run --loop N an.</translation>
    </message>
    <message>
        <source>%1: interrupted; the playback stopped and the port is free.</source>
        <translation>%1: unterbrochen; die Wiedergabe ist angehalten und der Anschluss frei.</translation>
    </message>
    <message>
        <source>can be opened</source>
        <translation>lässt sich öffnen</translation>
    </message>
    <message>
        <source>corvantis-panel: the output could not be written.</source>
        <translation>corvantis-panel: die Ausgabe konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The port for --upload: COM1 to COM%1, the system&apos;s ports of those names, or a serial device such as %2.</source>
        <translation>Der Anschluss für --upload: COM1 bis COM%1, die Anschlüsse des Systems mit diesen Namen, oder ein serielles Gerät wie %2.</translation>
    </message>
</context>
<context>
    <name>MotionWindow</name>
    <message>
        <source>%1[*] - Motion</source>
        <translation>%1[*] – Bewegung</translation>
    </message>
    <message>
        <source>The sliders edit &quot;%1&quot;.</source>
        <translation>Die Schieberegler bearbeiten „%1“.</translation>
    </message>
    <message>
        <source>No pose chosen: the sliders move the servos, and &quot;Add current&quot; keeps them as a pose.</source>
        <translation>Keine Pose gewählt: Die Schieberegler bewegen die Servos, und „Aktuelle hinzufügen“ hält sie als Pose fest.</translation>
    </message>
    <message>
        <source>In the Mini SSC format the servos are numbered from the address up and end at 254: the address must be from 0 to %1, not %2.</source>
        <translation>Im Format Mini SSC werden die Servos ab der Adresse gezählt und enden bei 254: Die Adresse muss zwischen 0 und %1 liegen, nicht %2.</translation>
    </message>
    <message numerus="yes">
        <source>A sequence holds at most %n poses.</source>
        <translation>
            <numerusform>Ein Ablauf fasst höchstens %n Pose.</numerusform>
            <numerusform>Ein Ablauf fasst höchstens %n Posen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pose %1</source>
        <translation>Pose %1</translation>
    </message>
    <message>
        <source>Added &quot;%1&quot;.</source>
        <translation>„%1“ hinzugefügt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the home pose: choose another home pose before deleting it.</source>
        <translation>„%1“ ist die Grundstellung: Wählen Sie zuerst eine andere Grundstellung, bevor Sie sie löschen.</translation>
    </message>
    <message>
        <source>Step %1 goes to &quot;%2&quot;: change or remove that step before deleting the pose.</source>
        <translation>Schritt %1 fährt „%2“ an: Ändern oder entfernen Sie diesen Schritt, bevor Sie die Pose löschen.</translation>
    </message>
    <message>
        <source>Deleted &quot;%1&quot;.</source>
        <translation>„%1“ gelöscht.</translation>
    </message>
    <message>
        <source>Sent &quot;%1&quot; to %2.</source>
        <translation>„%1“ an %2 gesendet.</translation>
    </message>
    <message numerus="yes">
        <source>A sequence holds at most %n steps.</source>
        <translation>
            <numerusform>Ein Ablauf fasst höchstens %n Schritt.</numerusform>
            <numerusform>Ein Ablauf fasst höchstens %n Schritte.</numerusform>
        </translation>
    </message>
    <message>
        <source>The board cannot run at %1 baud. Choose a higher rate in the main window.</source>
        <translation>Die Platine kann nicht mit %1 Baud laufen. Wählen Sie im Hauptfenster eine höhere Rate.</translation>
    </message>
    <message>
        <source>Sequence Files *.svseq|*.svseq</source>
        <translation>Ablaufdateien *.svseq|*.svseq</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: %2</source>
        <translation>„%1“ konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>A sequence file records a rate from 300 to %1 baud and an address from 0 to 65535; the main window has %2 baud and address %3.</source>
        <translation>Eine Ablaufdatei hält eine Rate von 300 bis %1 Baud und eine Adresse von 0 bis 65535 fest; das Hauptfenster hat %2 Baud und Adresse %3.</translation>
    </message>
    <message>
        <source>Save Sequence</source>
        <translation>Ablauf speichern</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>%1 gespeichert.</translation>
    </message>
    <message>
        <source>Open Sequence</source>
        <translation>Ablauf öffnen</translation>
    </message>
    <message>
        <source>Opened %1.</source>
        <translation>%1 geöffnet.</translation>
    </message>
    <message>
        <source>Opened %1. It was made for %2 at %3 baud, address %4; it plays in the main window&apos;s format, at its address and rate.</source>
        <translation>%1 geöffnet. Er wurde für %2 mit %3 Baud, Adresse %4 erstellt; er läuft im Format des Hauptfensters, mit dessen Adresse und Rate.</translation>
    </message>
    <message>
        <source>Quorvel</source>
        <translation>Quorvel</translation>
    </message>
    <message>
        <source>Mini SSC</source>
        <translation>Mini SSC</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1 lasts %2 s; an export holds at most an hour of frames.</source>
        <translation>%1 dauert %2 s; ein Export fasst höchstens eine Stunde an Frames.</translation>
    </message>
    <message>
        <source>Export C Header</source>
        <translation>C-Header exportieren</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>C Header Files *.h|*.h</source>
        <translation>C-Header-Dateien *.h|*.h</translation>
    </message>
    <message>
        <source>CSV Files *.csv|*.csv</source>
        <translation>CSV-Dateien *.csv|*.csv</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n frames to %1.</source>
        <translation>
            <numerusform>%n Frame nach %1 exportiert.</numerusform>
            <numerusform>%n Frames nach %1 exportiert.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>&amp;CSV exportieren...</translation>
    </message>
    <message>
        <source>Export C &amp;Header...</source>
        <translation>C-&amp;Header exportieren...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Sch&amp;ließen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Poses</source>
        <translation>Posen</translation>
    </message>
    <message>
        <source>F2 renames the selected pose; Ctrl+click leaves it, and the sliders then only move the servos.</source>
        <translation>F2 benennt die gewählte Pose um; Strg+Klick verlässt sie, und die Schieberegler bewegen dann nur die Servos.</translation>
    </message>
    <message>
        <source>Servo %1</source>
        <translation>Servo %1</translation>
    </message>
    <message>
        <source>Servo %1 position</source>
        <translation>Stellung von Servo %1</translation>
    </message>
    <message>
        <source>&amp;Add current</source>
        <translation>Aktuelle &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add current</source>
        <translation>Aktuelle hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>&amp;Go to</source>
        <translation>&amp;Anfahren</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Anfahren</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Schritte</translation>
    </message>
    <message>
        <source>The arrow keys move between the cells; F2 or typing changes one.</source>
        <translation>Die Pfeiltasten wechseln zwischen den Zellen; F2 oder Tippen ändert eine.</translation>
    </message>
    <message>
        <source>Add s&amp;tep</source>
        <translation>Schri&amp;tt hinzufügen</translation>
    </message>
    <message>
        <source>Add step</source>
        <translation>Schritt hinzufügen</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>Ent&amp;fernen</translation>
    </message>
    <message>
        <source>Remove step</source>
        <translation>Schritt entfernen</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Nach &amp;oben</translation>
    </message>
    <message>
        <source>Move step up</source>
        <translation>Schritt nach oben</translation>
    </message>
    <message>
        <source>Do&amp;wn</source>
        <translation>Nach u&amp;nten</translation>
    </message>
    <message>
        <source>Move step down</source>
        <translation>Schritt nach unten</translation>
    </message>
    <message>
        <source>Rounds:</source>
        <translation>Durchläufe:</translation>
    </message>
    <message>
        <source>Rounds</source>
        <translation>Durchläufe</translation>
    </message>
    <message>
        <source>For &amp;ever</source>
        <translation>&amp;Endlos</translation>
    </message>
    <message>
        <source>For ever</source>
        <translation>Endlos</translation>
    </message>
    <message>
        <source>Home pose:</source>
        <translation>Grundstellung:</translation>
    </message>
    <message>
        <source>Home pose</source>
        <translation>Grundstellung</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>Abs&amp;pielen</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Stopp</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>&amp;Grundstellung</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Grundstellung</translation>
    </message>
    <message>
        <source>F&amp;ollow</source>
        <translation>&amp;Mitlaufen</translation>
    </message>
    <message>
        <source>Moving the playhead moves the servos</source>
        <translation>Das Verschieben der Abspielposition bewegt die Servos</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Abgespielte Zeit</translation>
    </message>
    <message>
        <source>Frames on the link</source>
        <translation>Frames auf der Leitung</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>At %1 s of the show: the sliders show the targets there, and move the servos.</source>
        <translation>Bei %1 s des Ablaufs: Die Schieberegler zeigen die Ziele dort und bewegen die Servos.</translation>
    </message>
    <message>
        <source>%1 s of %2 s</source>
        <translation>%1 s von %2 s</translation>
    </message>
    <message>
        <source>%1 s, for ever</source>
        <translation>%1 s, endlos</translation>
    </message>
    <message>
        <source>No frames: %1</source>
        <translation>Keine Frames: %1</translation>
    </message>
    <message>
        <source>No frames: the board cannot run at %1 baud.</source>
        <translation>Keine Frames: Die Platine kann nicht mit %1 Baud laufen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 frames a second, up to %n servos a frame (%2, %3 baud)</source>
        <extracomment>%1 frames a second (may have a fraction), %2 the data format, %3 the baud rate.</extracomment>
        <translation>
            <numerusform>%1 Frames pro Sekunde, bis zu %n Servo pro Frame (%2, %3 Baud)</numerusform>
            <numerusform>%1 Frames pro Sekunde, bis zu %n Servos pro Frame (%2, %3 Baud)</numerusform>
        </translation>
    </message>
    <message>
        <source>Going home on %1...</source>
        <translation>Fahre auf %1 in die Grundstellung...</translation>
    </message>
    <message>
        <source>Playing %1 on %2...</source>
        <translation>Spiele %1 auf %2 ab...</translation>
    </message>
    <message>
        <source>The servos are at the home pose (%1).</source>
        <translation>Die Servos stehen in der Grundstellung (%1).</translation>
    </message>
    <message>
        <source>the move home</source>
        <extracomment>Stands for a sequence&apos;s name in &quot;Played %1 to %2: ...&quot;.</extracomment>
        <translation>die Fahrt in die Grundstellung</translation>
    </message>
    <message>
        <source>Stopped. %1</source>
        <extracomment>%1 is the sentence &quot;Played ... to ...: ...&quot; that says how far it went.</extracomment>
        <translation>Angehalten. %1</translation>
    </message>
    <message>
        <source>Untitled sequence</source>
        <translation>Unbenannter Ablauf</translation>
    </message>
    <message>
        <source>add &quot;%1&quot;</source>
        <translation>„%1“ hinzufügen</translation>
    </message>
    <message>
        <source>rename &quot;%1&quot;</source>
        <translation>„%1“ umbenennen</translation>
    </message>
    <message>
        <source>delete &quot;%1&quot;</source>
        <translation>„%1“ löschen</translation>
    </message>
    <message>
        <source>move Servo %1</source>
        <translation>Servo %1 bewegen</translation>
    </message>
    <message>
        <source>add step %1</source>
        <translation>Schritt %1 hinzufügen</translation>
    </message>
    <message>
        <source>remove step %1</source>
        <translation>Schritt %1 entfernen</translation>
    </message>
    <message>
        <source>move step %1 up</source>
        <translation>Schritt %1 nach oben</translation>
    </message>
    <message>
        <source>move step %1 down</source>
        <translation>Schritt %1 nach unten</translation>
    </message>
    <message>
        <source>change step %1</source>
        <translation>Schritt %1 ändern</translation>
    </message>
    <message>
        <source>change the rounds</source>
        <translation>Durchläufe ändern</translation>
    </message>
    <message>
        <source>change the home pose</source>
        <translation>Grundstellung ändern</translation>
    </message>
    <message>
        <source>step</source>
        <extracomment>An easing: the servos jump to the pose at the end of the move.</extracomment>
        <translation>Sprung</translation>
    </message>
    <message>
        <source>linear</source>
        <translation>linear</translation>
    </message>
    <message>
        <source>ease-in-out</source>
        <translation>sanft an und aus</translation>
    </message>
    <message>
        <source>ease-out</source>
        <translation>sanft auslaufend</translation>
    </message>
    <message>
        <source>A pose needs a name; it keeps the one it had.</source>
        <translation>Eine Pose braucht einen Namen; sie behält ihren bisherigen.</translation>
    </message>
    <message>
        <source>Pose</source>
        <translation>Pose</translation>
    </message>
    <message>
        <source>Move ms</source>
        <translation>Fahrt ms</translation>
    </message>
    <message>
        <source>Hold ms</source>
        <translation>Halten ms</translation>
    </message>
    <message>
        <source>Easing</source>
        <translation>Verlauf</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existiert bereits.
Soll sie ersetzt werden?</translation>
    </message>
</context>
<context>
    <name>SequenceFile</name>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last of a list of choices: %1 the others, separated by commas, %2 the last one.</extracomment>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sequence this program can play: %2 %3.</source>
        <extracomment>%2 names the field as the file spells it (&quot;steps[3].move&quot;), %3 says what it must be (&quot;must be a whole number from 0 to 60000&quot;).</extracomment>
        <translation>„%1“ ist kein Ablauf, den dieses Programm abspielen kann: %2 %3.</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2 in the Mini SSC format, whose servo numbers end at 254</source>
        <translation>muss im Format Mini SSC, dessen Servonummern bei 254 enden, eine ganze Zahl von %1 bis %2 sein</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>muss eine ganze Zahl von %1 bis %2 sein</translation>
    </message>
    <message>
        <source>must be a list of %1</source>
        <translation>muss eine Liste von %1 sein</translation>
    </message>
    <message>
        <source>must be a list of %1 to %2</source>
        <translation>muss eine Liste von %1 bis %2 sein</translation>
    </message>
    <message>
        <source>is missing or not an object</source>
        <translation>fehlt oder ist kein Objekt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than a sequence file may be (%2 bytes).</source>
        <translation>„%1“ ist größer, als eine Ablaufdatei sein darf (%2 Bytes).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged or cut short: %2 at byte %3.</source>
        <translation>„%1“ ist beschädigt oder abgeschnitten: %2 bei Byte %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sequence file.</source>
        <translation>„%1“ ist keine Ablaufdatei.</translation>
    </message>
    <message>
        <source>is given twice</source>
        <translation>ist doppelt angegeben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a sequence file of version %2, newer than this program reads (%3).</source>
        <translation>„%1“ ist eine Ablaufdatei der Version %2, neuer als dieses Programm lesen kann (%3).</translation>
    </message>
    <message>
        <source>must be &quot;Quorvel&quot; or &quot;Mini SSC&quot;</source>
        <translation>muss &quot;Quorvel&quot; oder &quot;Mini SSC&quot; sein</translation>
    </message>
    <message>
        <source>must be a text of at most 200 characters</source>
        <translation>muss ein Text mit höchstens 200 Zeichen sein</translation>
    </message>
    <message>
        <source>must be %1</source>
        <translation>muss %1 sein</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Corvantis Panel</source>
        <translation>Corvantis Panel</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Actual Baud rate:</source>
        <extracomment>The rate the board really runs at, shown below this caption.</extracomment>
        <translation>Tatsächliche Baudrate:</translation>
    </message>
    <message>
        <source>Max real time servos:</source>
        <extracomment>How many servos the board can drive in real time at that rate; the number is shown below.</extracomment>
        <translation>Max. Servos in Echtzeit:</translation>
    </message>
    <message>
        <source>Data Format</source>
        <translation>Datenformat</translation>
    </message>
    <message>
        <source>Quorvel</source>
        <extracomment>The board&apos;s own data format: a name, usually kept as it is.</extracomment>
        <translation>Quorvel</translation>
    </message>
    <message>
        <source>Mini SSC</source>
        <extracomment>A data format named after a product: usually kept as it is.</extracomment>
        <translation>Mini SSC</translation>
    </message>
    <message>
        <source>Function</source>
        <translation>Funktion</translation>
    </message>
    <message>
        <source>Servo Controller</source>
        <translation>Servo-Steuerung</translation>
    </message>
    <message>
        <source>Digital Controller</source>
        <translation>Digital-Steuerung</translation>
    </message>
    <message>
        <source>Board Address</source>
        <translation>Platinenadresse</translation>
    </message>
    <message>
        <source>Servo travel</source>
        <extracomment>Accessible name of the pie-shaped travel dial.</extracomment>
        <translation>Servoweg</translation>
    </message>
    <message>
        <source>Servo travel will be similar</source>
        <extracomment>First of two lines under the dial that read as one sentence: &quot;Servo travel will be similar / to range shown.&quot;</extracomment>
        <translation>Der Servoweg entspricht etwa</translation>
    </message>
    <message>
        <source>to range shown. </source>
        <extracomment>Second line of the sentence under the dial; the first is &quot;Servo travel will be similar&quot;.</extracomment>
        <translation>dem gezeigten Bereich. </translation>
    </message>
    <message>
        <source>Servo</source>
        <extracomment>Accessible name of the servo selector (a slider from 0 to 7).</extracomment>
        <translation>Servo</translation>
    </message>
    <message>
        <source>Upload settings</source>
        <translation>Einstellungen übertragen</translation>
    </message>
    <message>
        <source>Start of sweep</source>
        <translation>Anfang des Stellwegs</translation>
    </message>
    <message>
        <source>End of sweep:</source>
        <translation>Ende des Stellwegs:</translation>
    </message>
    <message>
        <source>End of sweep</source>
        <translation>Ende des Stellwegs</translation>
    </message>
    <message>
        <source>Slide to test servo range after uploading settings</source>
        <translation>Nach dem Übertragen hier schieben, um den Servoweg zu testen</translation>
    </message>
    <message>
        <source>Can only test servos 0-7</source>
        <extracomment>Shown on the test panel when the board address makes servos above 7 possible.</extracomment>
        <translation>Nur Servos 0-7 testbar</translation>
    </message>
    <message>
        <source>Test position</source>
        <extracomment>Accessible name of the test slider.</extracomment>
        <translation>Testposition</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Serial Port</source>
        <translation>&amp;Serieller Anschluss</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Einstellungen laden...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Einstellungen speichern...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Servo Setup Files *.svo|*.svo</source>
        <extracomment>A file dialog&apos;s filter: the words the user reads, then after the bar the pattern, kept.</extracomment>
        <translation>Servo-Einstellungsdateien *.svo|*.svo</translation>
    </message>
    <message>
        <source>Servo Setup Files  *.svo|*.svo</source>
        <translation>Servo-Einstellungsdateien  *.svo|*.svo</translation>
    </message>
    <message>
        <source>&amp;Motion</source>
        <translation>&amp;Bewegung</translation>
    </message>
    <message>
        <source>Poses and Sequences...</source>
        <translation>Posen und Abläufe...</translation>
    </message>
    <message>
        <source>Tab moves between the baud rate, the data format, the function and the board address. F6 and Shift+F6 move through the servo selector, the start and end of sweep, the test slider and Upload settings; the arrow keys then move the one that has the focus, Space presses Upload settings, and Escape returns to the board address.</source>
        <translation>Tab wechselt zwischen Baudrate, Datenformat, Funktion und Platinenadresse. F6 und Umschalt+F6 gehen durch die Servoauswahl, Anfang und Ende des Stellwegs, den Testregler und „Einstellungen übertragen“; die Pfeiltasten bewegen dann das Element mit dem Fokus, die Leertaste drückt „Einstellungen übertragen“, und Escape kehrt zur Platinenadresse zurück.</translation>
    </message>
    <message>
        <source>Servo %1</source>
        <translation>Servo %1</translation>
    </message>
    <message>
        <source>Not Achievable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>Max real time outputs:</source>
        <translation>Max. Ausgänge in Echtzeit:</translation>
    </message>
    <message>
        <source>Save Servo Settings</source>
        <translation>Servo-Einstellungen speichern</translation>
    </message>
    <message>
        <source>Open Servo Settings</source>
        <translation>Servo-Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Alt+U</source>
        <extracomment>The key that presses Upload settings, in the portable form (Alt+letter).</extracomment>
        <translation>Alt+U</translation>
    </message>
    <message>
        <source>Start of sweep at %1 degrees, end of sweep at %2 degrees</source>
        <translation>Anfang des Stellwegs bei %1 Grad, Ende bei %2 Grad</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>no device</source>
        <translation>kein Gerät</translation>
    </message>
    <message>
        <source>permission denied: %1</source>
        <translation>Zugriff verweigert: %1</translation>
    </message>
    <message>
        <source>a stale lock file names pid %1</source>
        <translation>eine verwaiste Sperrdatei nennt PID %1</translation>
    </message>
    <message>
        <source>in use by %1 (pid %2)</source>
        <translation>belegt von %1 (PID %2)</translation>
    </message>
    <message>
        <source>in use by another program (pid %1)</source>
        <translation>von einem anderen Programm belegt (PID %1)</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>kein serielles Gerät</translation>
    </message>
    <message>
        <source>a terminal, not a serial device</source>
        <translation>ein Terminal, kein serielles Gerät</translation>
    </message>
    <message>
        <source>the port would not take the line settings; nothing was sent</source>
        <translation>der Anschluss nahm die Leitungseinstellungen nicht an; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>two adapters look alike; plug them back as they were or choose by path</source>
        <translation>zwei Adapter gleichen sich; stecken Sie sie wieder wie vorher ein oder wählen Sie nach Pfad</translation>
    </message>
    <message>
        <source>changed while being opened; nothing was sent</source>
        <translation>hat sich beim Öffnen geändert; nichts wurde gesendet</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>lässt sich nicht öffnen: %1</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>already in group %1: log out and in again</source>
        <translation>bereits in der Gruppe %1: ab- und wieder anmelden</translation>
    </message>
    <message>
        <source>add your user to the %1 group, then log out and in again</source>
        <translation>Ihren Benutzer zur Gruppe %1 hinzufügen, dann ab- und wieder anmelden</translation>
    </message>
    <message>
        <source>owned by %1:%2, mode %3</source>
        <translation>gehört %1:%2, Modus %3</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>serieller Anschluss</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A port, or the device it stands for, then why it cannot be used: &quot;COM1: no device&quot;.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: not connected</source>
        <translation>%1: nicht angeschlossen</translation>
    </message>
    <message>
        <source>%1 (%2) is not connected</source>
        <translation>%1 (%2) ist nicht angeschlossen</translation>
    </message>
    <message>
        <source>%1: two adapters look alike (%2); plug them back as they were or choose by path</source>
        <translation>%1: zwei Adapter gleichen sich (%2); stecken Sie sie wieder wie vorher ein oder wählen Sie nach Pfad</translation>
    </message>
    <message numerus="yes">
        <source>%1: the port did not take the bytes within %n seconds; nothing was sent whole.</source>
        <translation>
            <numerusform>%1: der Anschluss nahm die Bytes nicht innerhalb von %n Sekunde an; nichts wurde vollständig gesendet.</numerusform>
            <numerusform>%1: der Anschluss nahm die Bytes nicht innerhalb von %n Sekunden an; nichts wurde vollständig gesendet.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be opened: %2.</source>
        <translation>„%1“ konnte nicht geöffnet werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, device or pipe, not a sequence file.</source>
        <translation>„%1“ ist ein Ordner, Gerät oder eine Pipe, keine Ablaufdatei.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, device or pipe, not a settings file.</source>
        <translation>„%1“ ist ein Ordner, Gerät oder eine Pipe, keine Einstellungsdatei.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file: Windows reserves that name for a device, whatever its folder or extension.</source>
        <translation>„%1“ ist keine Datei: Windows behält diesen Namen einem Gerät vor, gleich in welchem Ordner und mit welcher Endung.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in use by another program.</source>
        <translation>„%1“ wird von einem anderen Programm verwendet.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read: %2.</source>
        <translation>„%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>it is a folder, device or pipe, not a file</source>
        <translation>es ist ein Ordner, Gerät oder eine Pipe, keine Datei</translation>
    </message>
    <message>
        <source>Windows reserves that name for a device, whatever its folder or extension</source>
        <translation>Windows behält diesen Namen einem Gerät vor, gleich in welchem Ordner und mit welcher Endung</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a servo settings file.</source>
        <translation>„%1“ ist keine Servo-Einstellungsdatei.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is cut short: a servo settings file has %2 bytes, this one %3.</source>
        <translation>„%1“ ist abgeschnitten: Eine Servo-Einstellungsdatei hat %2 Bytes, diese %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives servo %2 a sweep outside 0 to %3.</source>
        <translation>„%1“ gibt Servo %2 einen Stellweg außerhalb von 0 bis %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives servo %2 a start of sweep above its end.</source>
        <translation>„%1“ gibt Servo %2 einen Anfang des Stellwegs über dessen Ende.</translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;%1&quot;: %2</source>
        <translation>Die Einstellungen konnten nicht in „%1“ gespeichert werden: %2</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; may not be written (%2)</source>
        <translation>in den Ordner „%1“ darf nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no poses.</source>
        <translation>„%1“ hat keine Posen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: home names a pose there is not.</source>
        <translation>„%1“: home nennt eine Pose, die es nicht gibt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: steps[%2].pose names a pose there is not.</source>
        <translation>„%1“: steps[%2].pose nennt eine Pose, die es nicht gibt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: steps[%2] has a move or hold outside 0 to %3 ms.</source>
        <translation>„%1“: steps[%2] hat eine Fahrt- oder Haltezeit außerhalb von 0 bis %3 ms.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: loop is outside 1 to %2.</source>
        <translation>„%1“: loop liegt außerhalb von 1 bis %2.</translation>
    </message>
    <message numerus="yes">
        <source>Played %1 to %2: %3 s, %n frames, none left out.</source>
        <extracomment>%1 the sequence, %2 the port, %3 the seconds played (with one decimal).</extracomment>
        <translation>
            <numerusform>%1 auf %2 abgespielt: %3 s, %n Frame, keiner ausgelassen.</numerusform>
            <numerusform>%1 auf %2 abgespielt: %3 s, %n Frames, keiner ausgelassen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Played %1 to %2: %3 s, %4 frames, %n left out, late.</source>
        <extracomment>%1 the sequence, %2 the port, %3 the seconds played, %4 the frames sent; %n frames were left out because they were late.</extracomment>
        <translation>
            <numerusform>%1 auf %2 abgespielt: %3 s, Frames: %4, davon %n verspätet ausgelassen.</numerusform>
            <numerusform>%1 auf %2 abgespielt: %3 s, Frames: %4, davon %n verspätet ausgelassen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the port took no bytes for %n seconds; the playback stopped.</source>
        <translation>
            <numerusform>%1: der Anschluss nahm %n Sekunde lang keine Bytes an; die Wiedergabe ist angehalten.</numerusform>
            <numerusform>%1: der Anschluss nahm %n Sekunden lang keine Bytes an; die Wiedergabe ist angehalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the adapter went away; the playback stopped.</source>
        <translation>%1: der Adapter ist weg; die Wiedergabe ist angehalten.</translation>
    </message>
    <message>
        <source>%1: interrupted; the playback stopped.</source>
        <translation>%1: unterbrochen; die Wiedergabe ist angehalten.</translation>
    </message>
    <message>
        <source>No motion under &quot;Digital Controller&quot;: the board drives outputs, not servos. Choose &quot;Servo Controller&quot; in the main window.</source>
        <translation>Keine Bewegung unter „Digital-Steuerung“: Die Platine schaltet Ausgänge, keine Servos. Wählen Sie im Hauptfenster „Servo-Steuerung“.</translation>
    </message>
    <message>
        <source>a sequence is playing on it; stop it first</source>
        <translation>darauf läuft ein Ablauf; halten Sie ihn zuerst an</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is made for %2 baud, a rate the board cannot run at.</source>
        <translation>„%1“ ist für %2 Baud gemacht, eine Rate, mit der die Platine nicht laufen kann.</translation>
    </message>
    <message>
        <source>Please select a COM port.</source>
        <translation>Bitte wählen Sie einen COM-Anschluss.</translation>
    </message>
    <message>
        <source>No COM port Selected</source>
        <translation>Kein COM-Anschluss gewählt</translation>
    </message>
    <message>
        <source>The board cannot run at the chosen baud rate. Choose a higher rate before uploading.</source>
        <translation>Die Platine kann nicht mit der gewählten Baudrate laufen. Wählen Sie vor dem Übertragen eine höhere Rate.</translation>
    </message>
    <message>
        <source>Upload settings</source>
        <translation>Einstellungen übertragen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number between -2147483648 and 2147483647.</source>
        <translation>„%1“ ist keine ganze Zahl zwischen -2147483648 und 2147483647.</translation>
    </message>
    <message>
        <source>Corvantis utility</source>
        <translation>Corvantis-Hilfsprogramm</translation>
    </message>
    <message>
        <source>another program is writing it</source>
        <translation>ein anderes Programm schreibt sie gerade</translation>
    </message>
    <message>
        <source>%1; to use an adapter on a higher number here, give it %2 in the Device Manager: Ports (COM &amp; LPT), the adapter&apos;s Properties, Port Settings, Advanced, COM Port Number</source>
        <translation>%1; um hier einen Adapter mit einer höheren Nummer zu verwenden, geben Sie ihm im Geräte-Manager %2: Anschlüsse (COM &amp; LPT), Eigenschaften des Adapters, Anschlusseinstellungen, Erweitert, COM-Anschlussnummer</translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Timeline</source>
        <translation>Zeitleiste</translation>
    </message>
    <message>
        <source>Left and Right move the playhead by a frame, Page Up and Page Down by a second; Ctrl and the wheel, + or - zoom.</source>
        <translation>Links und Rechts verschieben die Abspielposition um einen Frame, Bild auf und Bild ab um eine Sekunde; Strg und das Mausrad, + oder - zoomen.</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Round %1</source>
        <translation>Durchlauf %1</translation>
    </message>
</context>
</TS>
