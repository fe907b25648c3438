<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BoardPreview</name>
    <message>
        <source>Board preview</source>
        <translation>Aperçu de la carte</translation>
    </message>
    <message>
        <source>Servo %1 at %2</source>
        <translation>Servo %1 à %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Send the settings in FILE to the board, without the window.</source>
        <translation>Envoyer les réglages de FILE à la carte, sans la fenêtre.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>The port for --upload: COM1 to COM%1, each the adapter it stands for in the window&apos;s menu, or a serial device such as %2.</source>
        <translation>Le port pour --upload&#xa0;: COM1 à COM%1, chacun l’adaptateur qu’il désigne dans le menu de la fenêtre, ou un périphérique série comme %2.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>List COM1 to COM%1: the device each stands for, and whether it can be opened.</source>
        <translation>Lister COM1 à COM%1&#xa0;: le périphérique que chacun désigne, et s’il peut être ouvert.</translation>
    </message>
    <message>
        <source>Play the sequence in FILE (.svseq) to the board on --port, at the rate and in the format the file gives, without the window.</source>
        <translation>Jouer la séquence de FILE (.svseq) sur la carte reliée à --port, au débit et dans le format que donne le fichier, sans la fenêtre.</translation>
    </message>
    <message>
        <source>With --play: go round N times, whatever the file says.</source>
        <translation>Avec --play&#xa0;: faire N tours, quoi que dise le fichier.</translation>
    </message>
    <message>
        <source>With --play: print each frame, its time in milliseconds and its bytes, and open no port.</source>
        <translation>Avec --play&#xa0;: afficher chaque trame, son instant en millisecondes et ses octets, sans ouvrir de port.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Affiche l’aide sur les options de la ligne de commande.</translation>
    </message>
    <message>
        <source>Displays help, including the window toolkit&apos;s options.</source>
        <translation>Affiche l’aide, y compris les options de la bibliothèque de fenêtres.</translation>
    </message>
    <message>
        <source>Sets up an eight-servo controller board over a serial port.</source>
        <translation>Configure une carte de commande à huit servos par un port série.</translation>
    </message>
    <message>
        <source>A settings file (.svo) to open in the window.</source>
        <translation>Un fichier de réglages (.svo) à ouvrir dans la fenêtre.</translation>
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
        <translation>Options de la bibliothèque de fenêtres, pour la fenêtre&#xa0;:
  -platform NAME     le système d’affichage (xcb, wayland, offscreen)
  -style NAME        le style des contrôles (Fusion, Windows)
  -stylesheet FILE   une feuille de style pour les contrôles
  -display DISPLAY   l’affichage X
  -reverse           disposition de droite à gauche
et les autres options de la bibliothèque (-platformtheme, -qwindowgeometry, -qwindowtitle, ...).
</translation>
    </message>
    <message>
        <source>Give one of FILE, --upload, --play and --list-ports.</source>
        <translation>Donnez un seul de FILE, --upload, --play et --list-ports.</translation>
    </message>
    <message>
        <source>--play needs --port, or --dry-run.</source>
        <translation>--play demande --port, ou --dry-run.</translation>
    </message>
    <message>
        <source>--upload and --port go together.</source>
        <translation>--upload et --port vont ensemble.</translation>
    </message>
    <message>
        <source>--loop and --dry-run go with --play.</source>
        <translation>--loop et --dry-run vont avec --play.</translation>
    </message>
    <message>
        <source>Give --%1 once.</source>
        <translation>Donnez --%1 une seule fois.</translation>
    </message>
    <message>
        <source>--loop takes a number of rounds from 1 to %1.</source>
        <translation>--loop prend un nombre de tours de 1 à %1.</translation>
    </message>
    <message>
        <source>%1: no such port; the ports are COM1 to COM%2.</source>
        <translation>%1&#xa0;: ce port n’existe pas&#xa0;; les ports sont COM1 à COM%2.</translation>
    </message>
    <message>
        <source>%1: interrupted; nothing was sent.</source>
        <translation>%1&#xa0;: interrompu&#xa0;; rien n’a été envoyé.</translation>
    </message>
    <message>
        <source>%1: interrupted; nothing was sent whole.</source>
        <translation>%1&#xa0;: interrompu&#xa0;; rien n’a été envoyé en entier.</translation>
    </message>
    <message>
        <source>%1 goes round for ever: give --loop N for --dry-run.</source>
        <translation>%1 tourne sans fin&#xa0;: donnez --loop N pour --dry-run.</translation>
    </message>
    <message>
        <source>%1: interrupted; the playback stopped and the port is free.</source>
        <translation>%1&#xa0;: interrompu&#xa0;; la lecture s’est arrêtée et le port est libre.</translation>
    </message>
    <message>
        <source>can be opened</source>
        <translation>peut être ouvert</translation>
    </message>
    <message>
        <source>corvantis-panel: the output could not be written.</source>
        <translation>corvantis-panel&#xa0;: la sortie n’a pas pu être écrite.</translation>
    </message>
    <message>
        <source>The port for --upload: COM1 to COM%1, the system&apos;s ports of those names, or a serial device such as %2.</source>
        <translation>Le port pour --upload&#xa0;: COM1 à COM%1, les ports du système portant ces noms, ou un périphérique série comme %2.</translation>
    </message>
</context>
<context>
    <name>MotionWindow</name>
    <message>
        <source>%1[*] - Motion</source>
        <translation>%1[*] – Mouvement</translation>
    </message>
    <message>
        <source>The sliders edit &quot;%1&quot;.</source>
        <translation>Les curseurs modifient «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>No pose chosen: the sliders move the servos, and &quot;Add current&quot; keeps them as a pose.</source>
        <translation>Aucune pose choisie&#xa0;: les curseurs déplacent les servos, et «&#xa0;Ajouter l’actuelle&#xa0;» les garde comme pose.</translation>
    </message>
    <message>
        <source>In the Mini SSC format the servos are numbered from the address up and end at 254: the address must be from 0 to %1, not %2.</source>
        <translation>Dans le format Mini SSC, les servos sont numérotés à partir de l’adresse et s’arrêtent à 254&#xa0;: l’adresse doit aller de 0 à %1, pas %2.</translation>
    </message>
    <message numerus="yes">
        <source>A sequence holds at most %n poses.</source>
        <translation>
            <numerusform>Une séquence contient au plus %n pose.</numerusform>
            <numerusform>Une séquence contient au plus %n poses.</numerusform>
        </translation>
    </message>
    <message>
        <source>Pose %1</source>
        <translation>Pose %1</translation>
    </message>
    <message>
        <source>Added &quot;%1&quot;.</source>
        <translation>«&#xa0;%1&#xa0;» ajoutée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is the home pose: choose another home pose before deleting it.</source>
        <translation>«&#xa0;%1&#xa0;» est la position de repos&#xa0;: choisissez-en une autre avant de la supprimer.</translation>
    </message>
    <message>
        <source>Step %1 goes to &quot;%2&quot;: change or remove that step before deleting the pose.</source>
        <translation>L’étape %1 va à «&#xa0;%2&#xa0;»&#xa0;: modifiez ou retirez cette étape avant de supprimer la pose.</translation>
    </message>
    <message>
        <source>Deleted &quot;%1&quot;.</source>
        <translation>«&#xa0;%1&#xa0;» supprimée.</translation>
    </message>
    <message>
        <source>Sent &quot;%1&quot; to %2.</source>
        <translation>«&#xa0;%1&#xa0;» envoyée sur %2.</translation>
    </message>
    <message numerus="yes">
        <source>A sequence holds at most %n steps.</source>
        <translation>
            <numerusform>Une séquence contient au plus %n étape.</numerusform>
            <numerusform>Une séquence contient au plus %n étapes.</numerusform>
        </translation>
    </message>
    <message>
        <source>The board cannot run at %1 baud. Choose a higher rate in the main window.</source>
        <translation>La carte ne peut pas fonctionner à %1 bauds. Choisissez un débit plus élevé dans la fenêtre principale.</translation>
    </message>
    <message>
        <source>Sequence Files *.svseq|*.svseq</source>
        <translation>Fichiers de séquence *.svseq|*.svseq</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written: %2</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être écrit&#xa0;: %2</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Enregistrer les modifications de %1&#xa0;?</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>A sequence file records a rate from 300 to %1 baud and an address from 0 to 65535; the main window has %2 baud and address %3.</source>
        <translation>Un fichier de séquence enregistre un débit de 300 à %1 bauds et une adresse de 0 à 65535&#xa0;; la fenêtre principale a %2 bauds et l’adresse %3.</translation>
    </message>
    <message>
        <source>Save Sequence</source>
        <translation>Enregistrer la séquence</translation>
    </message>
    <message>
        <source>Saved %1.</source>
        <translation>%1 enregistré.</translation>
    </message>
    <message>
        <source>Open Sequence</source>
        <translation>Ouvrir une séquence</translation>
    </message>
    <message>
        <source>Opened %1.</source>
        <translation>%1 ouvert.</translation>
    </message>
    <message>
        <source>Opened %1. It was made for %2 at %3 baud, address %4; it plays in the main window&apos;s format, at its address and rate.</source>
        <translation>%1 ouvert. Il a été fait pour %2 à %3 bauds, adresse %4&#xa0;; il se joue dans le format de la fenêtre principale, à son adresse et à son débit.</translation>
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
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>%1 lasts %2 s; an export holds at most an hour of frames.</source>
        <translation>%1 dure %2&#xa0;s&#xa0;; un export contient au plus une heure de trames.</translation>
    </message>
    <message>
        <source>Export C Header</source>
        <translation>Exporter un en-tête C</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>C Header Files *.h|*.h</source>
        <translation>Fichiers d’en-tête C *.h|*.h</translation>
    </message>
    <message>
        <source>CSV Files *.csv|*.csv</source>
        <translation>Fichiers CSV *.csv|*.csv</translation>
    </message>
    <message numerus="yes">
        <source>Exported %n frames to %1.</source>
        <translation>
            <numerusform>%n trame exportée vers %1.</numerusform>
            <numerusform>%n trames exportées vers %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Export &amp;CSV...</source>
        <translation>Exporter en &amp;CSV...</translation>
    </message>
    <message>
        <source>Export C &amp;Header...</source>
        <translation>Exporter un en-&amp;tête C...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Rétablir</translation>
    </message>
    <message>
        <source>Poses</source>
        <translation>Poses</translation>
    </message>
    <message>
        <source>F2 renames the selected pose; Ctrl+click leaves it, and the sliders then only move the servos.</source>
        <translation>F2 renomme la pose choisie&#xa0;; Ctrl+clic la quitte, et les curseurs ne font alors que déplacer les servos.</translation>
    </message>
    <message>
        <source>Servo %1</source>
        <translation>Servo %1</translation>
    </message>
    <message>
        <source>Servo %1 position</source>
        <translation>Position du servo %1</translation>
    </message>
    <message>
        <source>&amp;Add current</source>
        <translation>Ajouter l’a&amp;ctuelle</translation>
    </message>
    <message>
        <source>Add current</source>
        <translation>Ajouter l’actuelle</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>&amp;Go to</source>
        <translation>&amp;Aller à</translation>
    </message>
    <message>
        <source>Go to</source>
        <translation>Aller à</translation>
    </message>
    <message>
        <source>Steps</source>
        <translation>Étapes</translation>
    </message>
    <message>
        <source>The arrow keys move between the cells; F2 or typing changes one.</source>
        <translation>Les flèches passent d’une cellule à l’autre&#xa0;; F2 ou la frappe en modifie une.</translation>
    </message>
    <message>
        <source>Add s&amp;tep</source>
        <translation>A&amp;jouter une étape</translation>
    </message>
    <message>
        <source>Add step</source>
        <translation>Ajouter une étape</translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation>Enle&amp;ver</translation>
    </message>
    <message>
        <source>Remove step</source>
        <translation>Enlever l’étape</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Monter</translation>
    </message>
    <message>
        <source>Move step up</source>
        <translation>Monter l’étape</translation>
    </message>
    <message>
        <source>Do&amp;wn</source>
        <translation>Desce&amp;ndre</translation>
    </message>
    <message>
        <source>Move step down</source>
        <translation>Descendre l’étape</translation>
    </message>
    <message>
        <source>Rounds:</source>
        <translation>Tours&#xa0;:</translation>
    </message>
    <message>
        <source>Rounds</source>
        <translation>Tours</translation>
    </message>
    <message>
        <source>For &amp;ever</source>
        <translation>Sans f&amp;in</translation>
    </message>
    <message>
        <source>For ever</source>
        <translation>Sans fin</translation>
    </message>
    <message>
        <source>Home pose:</source>
        <translation>Position de repos&#xa0;:</translation>
    </message>
    <message>
        <source>Home pose</source>
        <translation>Position de repos</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Lire</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>Arrê&amp;ter</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>Re&amp;pos</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Repos</translation>
    </message>
    <message>
        <source>F&amp;ollow</source>
        <translation>S&amp;uivre</translation>
    </message>
    <message>
        <source>Moving the playhead moves the servos</source>
        <translation>Déplacer la tête de lecture déplace les servos</translation>
    </message>
    <message>
        <source>Time played</source>
        <translation>Temps écoulé</translation>
    </message>
    <message>
        <source>Frames on the link</source>
        <translation>Trames sur la liaison</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>At %1 s of the show: the sliders show the targets there, and move the servos.</source>
        <translation>À %1&#xa0;s du spectacle&#xa0;: les curseurs montrent les cibles à cet instant et déplacent les servos.</translation>
    </message>
    <message>
        <source>%1 s of %2 s</source>
        <translation>%1&#xa0;s sur %2&#xa0;s</translation>
    </message>
    <message>
        <source>%1 s, for ever</source>
        <translation>%1&#xa0;s, sans fin</translation>
    </message>
    <message>
        <source>No frames: %1</source>
        <translation>Aucune trame&#xa0;: %1</translation>
    </message>
    <message>
        <source>No frames: the board cannot run at %1 baud.</source>
        <translation>Aucune trame&#xa0;: la carte ne peut pas fonctionner à %1 bauds.</translation>
    </message>
    <message numerus="yes">
        <source>%1 frames a second, up to %n servos a frame (%2, %3 baud)</source>
        <extracomment>%1 frames a second (may have a fraction), %2 the data format, %3 the baud rate.</extracomment>
        <translation>
            <numerusform>%1 trames par seconde, jusqu’à %n servo par trame (%2, %3 bauds)</numerusform>
            <numerusform>%1 trames par seconde, jusqu’à %n servos par trame (%2, %3 bauds)</numerusform>
        </translation>
    </message>
    <message>
        <source>Going home on %1...</source>
        <translation>Retour au repos sur %1...</translation>
    </message>
    <message>
        <source>Playing %1 on %2...</source>
        <translation>Lecture de %1 sur %2...</translation>
    </message>
    <message>
        <source>The servos are at the home pose (%1).</source>
        <translation>Les servos sont en position de repos (%1).</translation>
    </message>
    <message>
        <source>the move home</source>
        <extracomment>Stands for a sequence&apos;s name in &quot;Played %1 to %2: ...&quot;.</extracomment>
        <translation>le retour au repos</translation>
    </message>
    <message>
        <source>Stopped. %1</source>
        <extracomment>%1 is the sentence &quot;Played ... to ...: ...&quot; that says how far it went.</extracomment>
        <translation>Arrêté. %1</translation>
    </message>
    <message>
        <source>Untitled sequence</source>
        <translation>Séquence sans titre</translation>
    </message>
    <message>
        <source>add &quot;%1&quot;</source>
        <translation>ajouter «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>rename &quot;%1&quot;</source>
        <translation>renommer «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>delete &quot;%1&quot;</source>
        <translation>supprimer «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>move Servo %1</source>
        <translation>déplacer le servo %1</translation>
    </message>
    <message>
        <source>add step %1</source>
        <translation>ajouter l’étape %1</translation>
    </message>
    <message>
        <source>remove step %1</source>
        <translation>enlever l’étape %1</translation>
    </message>
    <message>
        <source>move step %1 up</source>
        <translation>monter l’étape %1</translation>
    </message>
    <message>
        <source>move step %1 down</source>
        <translation>descendre l’étape %1</translation>
    </message>
    <message>
        <source>change step %1</source>
        <translation>modifier l’étape %1</translation>
    </message>
    <message>
        <source>change the rounds</source>
        <translation>modifier les tours</translation>
    </message>
    <message>
        <source>change the home pose</source>
        <translation>modifier la position de repos</translation>
    </message>
    <message>
        <source>step</source>
        <extracomment>An easing: the servos jump to the pose at the end of the move.</extracomment>
        <translation>saut</translation>
    </message>
    <message>
        <source>linear</source>
        <translation>linéaire</translation>
    </message>
    <message>
        <source>ease-in-out</source>
        <translation>douce aux deux bouts</translation>
    </message>
    <message>
        <source>ease-out</source>
        <translation>douce à l’arrivée</translation>
    </message>
    <message>
        <source>A pose needs a name; it keeps the one it had.</source>
        <translation>Une pose a besoin d’un nom&#xa0;; elle garde celui qu’elle avait.</translation>
    </message>
    <message>
        <source>Pose</source>
        <translation>Pose</translation>
    </message>
    <message>
        <source>Move ms</source>
        <translation>Mouvement ms</translation>
    </message>
    <message>
        <source>Hold ms</source>
        <translation>Maintien ms</translation>
    </message>
    <message>
        <source>Easing</source>
        <translation>Progression</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 existe déjà.
Voulez-vous le remplacer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>SequenceFile</name>
    <message>
        <source>%1 or %2</source>
        <extracomment>The last of a list of choices: %1 the others, separated by commas, %2 the last one.</extracomment>
        <translation>%1 ou %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sequence this program can play: %2 %3.</source>
        <extracomment>%2 names the field as the file spells it (&quot;steps[3].move&quot;), %3 says what it must be (&quot;must be a whole number from 0 to 60000&quot;).</extracomment>
        <translation>«&#xa0;%1&#xa0;» n’est pas une séquence que ce programme peut jouer&#xa0;: %2 %3.</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2 in the Mini SSC format, whose servo numbers end at 254</source>
        <translation>doit être un nombre entier de %1 à %2 dans le format Mini SSC, dont les numéros de servo s’arrêtent à 254</translation>
    </message>
    <message>
        <source>must be a whole number from %1 to %2</source>
        <translation>doit être un nombre entier de %1 à %2</translation>
    </message>
    <message>
        <source>must be a list of %1</source>
        <translation>doit être une liste de %1</translation>
    </message>
    <message>
        <source>must be a list of %1 to %2</source>
        <translation>doit être une liste de %1 à %2</translation>
    </message>
    <message>
        <source>is missing or not an object</source>
        <translation>manque ou n’est pas un objet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than a sequence file may be (%2 bytes).</source>
        <translation>«&#xa0;%1&#xa0;» est plus grand que ne peut l’être un fichier de séquence (%2 octets).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged or cut short: %2 at byte %3.</source>
        <translation>«&#xa0;%1&#xa0;» est endommagé ou tronqué&#xa0;: %2 à l’octet %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a sequence file.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier de séquence.</translation>
    </message>
    <message>
        <source>is given twice</source>
        <translation>est donné deux fois</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a sequence file of version %2, newer than this program reads (%3).</source>
        <translation>«&#xa0;%1&#xa0;» est un fichier de séquence de version %2, plus récente que ce que lit ce programme (%3).</translation>
    </message>
    <message>
        <source>must be &quot;Quorvel&quot; or &quot;Mini SSC&quot;</source>
        <translation>doit être &quot;Quorvel&quot; ou &quot;Mini SSC&quot;</translation>
    </message>
    <message>
        <source>must be a text of at most 200 characters</source>
        <translation>doit être un texte d’au plus 200 caractères</translation>
    </message>
    <message>
        <source>must be %1</source>
        <translation>doit être %1</translation>
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
        <translation>Débit en bauds</translation>
    </message>
    <message>
        <source>Actual Baud rate:</source>
        <extracomment>The rate the board really runs at, shown below this caption.</extracomment>
        <translation>Débit réel&#xa0;:</translation>
    </message>
    <message>
        <source>Max real time servos:</source>
        <extracomment>How many servos the board can drive in real time at that rate; the number is shown below.</extracomment>
        <translation>Servos en temps réel&#xa0;:</translation>
    </message>
    <message>
        <source>Data Format</source>
        <translation>Format de données</translation>
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
        <translation>Fonction</translation>
    </message>
    <message>
        <source>Servo Controller</source>
        <translation>Servomoteurs</translation>
    </message>
    <message>
        <source>Digital Controller</source>
        <translation>Sorties logiques</translation>
    </message>
    <message>
        <source>Board Address</source>
        <translation>Adresse de la carte</translation>
    </message>
    <message>
        <source>Servo travel</source>
        <extracomment>Accessible name of the pie-shaped travel dial.</extracomment>
        <translation>Course du servo</translation>
    </message>
    <message>
        <source>Servo travel will be similar</source>
        <extracomment>First of two lines under the dial that read as one sentence: &quot;Servo travel will be similar / to range shown.&quot;</extracomment>
        <translation>La course du servo sera proche</translation>
    </message>
    <message>
        <source>to range shown. </source>
        <extracomment>Second line of the sentence under the dial; the first is &quot;Servo travel will be similar&quot;.</extracomment>
        <translation>de la plage affichée. </translation>
    </message>
    <message>
        <source>Servo</source>
        <extracomment>Accessible name of the servo selector (a slider from 0 to 7).</extracomment>
        <translation>Servo</translation>
    </message>
    <message>
        <source>Upload settings</source>
        <translation>Envoyer les réglages</translation>
    </message>
    <message>
        <source>Start of sweep</source>
        <translation>Début de course</translation>
    </message>
    <message>
        <source>End of sweep:</source>
        <translation>Fin de course&#xa0;:</translation>
    </message>
    <message>
        <source>End of sweep</source>
        <translation>Fin de course</translation>
    </message>
    <message>
        <source>Slide to test servo range after uploading settings</source>
        <translation>Glisser pour tester la course après l’envoi des réglages</translation>
    </message>
    <message>
        <source>Can only test servos 0-7</source>
        <extracomment>Shown on the test panel when the board address makes servos above 7 possible.</extracomment>
        <translation>Test des servos 0-7 seulement</translation>
    </message>
    <message>
        <source>Test position</source>
        <extracomment>Accessible name of the test slider.</extracomment>
        <translation>Position de test</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Serial Port</source>
        <translation>&amp;Port série</translation>
    </message>
    <message>
        <source>Load Settings...</source>
        <translation>Charger les réglages...</translation>
    </message>
    <message>
        <source>Save Settings...</source>
        <translation>Enregistrer les réglages...</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Servo Setup Files *.svo|*.svo</source>
        <extracomment>A file dialog&apos;s filter: the words the user reads, then after the bar the pattern, kept.</extracomment>
        <translation>Fichiers de réglage des servos *.svo|*.svo</translation>
    </message>
    <message>
        <source>Servo Setup Files  *.svo|*.svo</source>
        <translation>Fichiers de réglage des servos  *.svo|*.svo</translation>
    </message>
    <message>
        <source>&amp;Motion</source>
        <translation>&amp;Mouvement</translation>
    </message>
    <message>
        <source>Poses and Sequences...</source>
        <translation>Poses et séquences...</translation>
    </message>
    <message>
        <source>Tab moves between the baud rate, the data format, the function and the board address. F6 and Shift+F6 move through the servo selector, the start and end of sweep, the test slider and Upload settings; the arrow keys then move the one that has the focus, Space presses Upload settings, and Escape returns to the board address.</source>
        <translation>Tab passe du débit au format des données, à la fonction et à l’adresse de la carte. F6 et Maj+F6 parcourent le choix du servo, le début et la fin de course, le curseur de test et «&#xa0;Envoyer les réglages&#xa0;»&#xa0;; les flèches déplacent alors celui qui a le focus, Espace appuie sur «&#xa0;Envoyer les réglages&#xa0;», et Échap revient à l’adresse de la carte.</translation>
    </message>
    <message>
        <source>Servo %1</source>
        <translation>Servo %1</translation>
    </message>
    <message>
        <source>Not Achievable</source>
        <translation>Impossible</translation>
    </message>
    <message>
        <source>Max real time outputs:</source>
        <translation>Sorties en temps réel&#xa0;:</translation>
    </message>
    <message>
        <source>Save Servo Settings</source>
        <translation>Enregistrer les réglages des servos</translation>
    </message>
    <message>
        <source>Open Servo Settings</source>
        <translation>Ouvrir des réglages de servos</translation>
    </message>
    <message>
        <source>Alt+U</source>
        <extracomment>The key that presses Upload settings, in the portable form (Alt+letter).</extracomment>
        <translation>Alt+U</translation>
    </message>
    <message>
        <source>Start of sweep at %1 degrees, end of sweep at %2 degrees</source>
        <translation>Début de course à %1 degrés, fin de course à %2 degrés</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>no device</source>
        <translation>aucun périphérique</translation>
    </message>
    <message>
        <source>permission denied: %1</source>
        <translation>accès refusé&#xa0;: %1</translation>
    </message>
    <message>
        <source>a stale lock file names pid %1</source>
        <translation>un fichier de verrou périmé désigne le pid %1</translation>
    </message>
    <message>
        <source>in use by %1 (pid %2)</source>
        <translation>utilisé par %1 (pid %2)</translation>
    </message>
    <message>
        <source>in use by another program (pid %1)</source>
        <translation>utilisé par un autre programme (pid %1)</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>utilisé par un autre programme</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>pas un périphérique série</translation>
    </message>
    <message>
        <source>a terminal, not a serial device</source>
        <translation>un terminal, pas un périphérique série</translation>
    </message>
    <message>
        <source>the port would not take the line settings; nothing was sent</source>
        <translation>le port a refusé les réglages de ligne&#xa0;; rien n’a été envoyé</translation>
    </message>
    <message>
        <source>two adapters look alike; plug them back as they were or choose by path</source>
        <translation>deux adaptateurs se ressemblent&#xa0;; rebranchez-les comme avant ou choisissez par chemin</translation>
    </message>
    <message>
        <source>changed while being opened; nothing was sent</source>
        <translation>a changé pendant l’ouverture&#xa0;; rien n’a été envoyé</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>ne peut pas être ouvert&#xa0;: %1</translation>
    </message>
    <message>
        <source>cannot be opened</source>
        <translation>ne peut pas être ouvert</translation>
    </message>
    <message>
        <source>already in group %1: log out and in again</source>
        <translation>déjà dans le groupe %1&#xa0;: fermez la session et rouvrez-la</translation>
    </message>
    <message>
        <source>add your user to the %1 group, then log out and in again</source>
        <translation>ajoutez votre utilisateur au groupe %1, puis fermez la session et rouvrez-la</translation>
    </message>
    <message>
        <source>owned by %1:%2, mode %3</source>
        <translation>appartient à %1:%2, mode %3</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>serial port</source>
        <translation>port série</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A port, or the device it stands for, then why it cannot be used: &quot;COM1: no device&quot;.</extracomment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: not connected</source>
        <translation>%1&#xa0;: non branché</translation>
    </message>
    <message>
        <source>%1 (%2) is not connected</source>
        <translation>%1 (%2) n’est pas branché</translation>
    </message>
    <message>
        <source>%1: two adapters look alike (%2); plug them back as they were or choose by path</source>
        <translation>%1&#xa0;: deux adaptateurs se ressemblent (%2)&#xa0;; rebranchez-les comme avant ou choisissez par chemin</translation>
    </message>
    <message numerus="yes">
        <source>%1: the port did not take the bytes within %n seconds; nothing was sent whole.</source>
        <translation>
            <numerusform>%1&#xa0;: le port n’a pas pris les octets en %n seconde&#xa0;; rien n’a été envoyé en entier.</numerusform>
            <numerusform>%1&#xa0;: le port n’a pas pris les octets en %n secondes&#xa0;; rien n’a été envoyé en entier.</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be opened: %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être ouvert&#xa0;: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, device or pipe, not a sequence file.</source>
        <translation>«&#xa0;%1&#xa0;» est un dossier, un périphérique ou un tube, pas un fichier de séquence.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder, device or pipe, not a settings file.</source>
        <translation>«&#xa0;%1&#xa0;» est un dossier, un périphérique ou un tube, pas un fichier de réglages.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file: Windows reserves that name for a device, whatever its folder or extension.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier&#xa0;: Windows réserve ce nom à un périphérique, quels que soient son dossier et son extension.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is in use by another program.</source>
        <translation>«&#xa0;%1&#xa0;» est utilisé par un autre programme.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be read: %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’a pas pu être lu&#xa0;: %2.</translation>
    </message>
    <message>
        <source>it is a folder, device or pipe, not a file</source>
        <translation>c’est un dossier, un périphérique ou un tube, pas un fichier</translation>
    </message>
    <message>
        <source>Windows reserves that name for a device, whatever its folder or extension</source>
        <translation>Windows réserve ce nom à un périphérique, quels que soient son dossier et son extension</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a servo settings file.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un fichier de réglages de servos.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is cut short: a servo settings file has %2 bytes, this one %3.</source>
        <translation>«&#xa0;%1&#xa0;» est tronqué&#xa0;: un fichier de réglages de servos a %2 octets, celui-ci %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives servo %2 a sweep outside 0 to %3.</source>
        <translation>«&#xa0;%1&#xa0;» donne au servo %2 une course hors de 0 à %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; gives servo %2 a start of sweep above its end.</source>
        <translation>«&#xa0;%1&#xa0;» donne au servo %2 un début de course au-dessus de sa fin.</translation>
    </message>
    <message>
        <source>The settings could not be saved to &quot;%1&quot;: %2</source>
        <translation>Les réglages n’ont pas pu être enregistrés dans «&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <source>the folder &quot;%1&quot; may not be written (%2)</source>
        <translation>le dossier «&#xa0;%1&#xa0;» n’est pas accessible en écriture (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no poses.</source>
        <translation>«&#xa0;%1&#xa0;» n’a aucune pose.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: home names a pose there is not.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: home désigne une pose qui n’existe pas.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: steps[%2].pose names a pose there is not.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: steps[%2].pose désigne une pose qui n’existe pas.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: steps[%2] has a move or hold outside 0 to %3 ms.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: steps[%2] a un mouvement ou un maintien hors de 0 à %3&#xa0;ms.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: loop is outside 1 to %2.</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: loop est hors de 1 à %2.</translation>
    </message>
    <message numerus="yes">
        <source>Played %1 to %2: %3 s, %n frames, none left out.</source>
        <extracomment>%1 the sequence, %2 the port, %3 the seconds played (with one decimal).</extracomment>
        <translation>
            <numerusform>%1 joué sur %2&#xa0;: %3&#xa0;s, %n trame, aucune omise.</numerusform>
            <numerusform>%1 joué sur %2&#xa0;: %3&#xa0;s, %n trames, aucune omise.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Played %1 to %2: %3 s, %4 frames, %n left out, late.</source>
        <extracomment>%1 the sequence, %2 the port, %3 the seconds played, %4 the frames sent; %n frames were left out because they were late.</extracomment>
        <translation>
            <numerusform>%1 joué sur %2&#xa0;: %3&#xa0;s, trames&#xa0;: %4, dont %n omise car en retard.</numerusform>
            <numerusform>%1 joué sur %2&#xa0;: %3&#xa0;s, trames&#xa0;: %4, dont %n omises car en retard.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: the port took no bytes for %n seconds; the playback stopped.</source>
        <translation>
            <numerusform>%1&#xa0;: le port n’a pris aucun octet pendant %n seconde&#xa0;; la lecture s’est arrêtée.</numerusform>
            <numerusform>%1&#xa0;: le port n’a pris aucun octet pendant %n secondes&#xa0;; la lecture s’est arrêtée.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: the adapter went away; the playback stopped.</source>
        <translation>%1&#xa0;: l’adaptateur a disparu&#xa0;; la lecture s’est arrêtée.</translation>
    </message>
    <message>
        <source>%1: interrupted; the playback stopped.</source>
        <translation>%1&#xa0;: interrompu&#xa0;; la lecture s’est arrêtée.</translation>
    </message>
    <message>
        <source>No motion under &quot;Digital Controller&quot;: the board drives outputs, not servos. Choose &quot;Servo Controller&quot; in the main window.</source>
        <translation>Pas de mouvement en «&#xa0;Sorties logiques&#xa0;»&#xa0;: la carte pilote des sorties, pas des servos. Choisissez «&#xa0;Servomoteurs&#xa0;» dans la fenêtre principale.</translation>
    </message>
    <message>
        <source>a sequence is playing on it; stop it first</source>
        <translation>une séquence y est jouée&#xa0;; arrêtez-la d’abord</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is made for %2 baud, a rate the board cannot run at.</source>
        <translation>«&#xa0;%1&#xa0;» est fait pour %2 bauds, un débit auquel la carte ne peut pas fonctionner.</translation>
    </message>
    <message>
        <source>Please select a COM port.</source>
        <translation>Veuillez choisir un port COM.</translation>
    </message>
    <message>
        <source>No COM port Selected</source>
        <translation>Aucun port COM choisi</translation>
    </message>
    <message>
        <source>The board cannot run at the chosen baud rate. Choose a higher rate before uploading.</source>
        <translation>La carte ne peut pas fonctionner au débit choisi. Choisissez un débit plus élevé avant l’envoi.</translation>
    </message>
    <message>
        <source>Upload settings</source>
        <translation>Envoyer les réglages</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number between -2147483648 and 2147483647.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un nombre entier entre -2147483648 et 2147483647.</translation>
    </message>
    <message>
        <source>Corvantis utility</source>
        <translation>Utilitaire Corvantis</translation>
    </message>
    <message>
        <source>another program is writing it</source>
        <translation>un autre programme est en train de l’écrire</translation>
    </message>
    <message>
        <source>%1; to use an adapter on a higher number here, give it %2 in the Device Manager: Ports (COM &amp; LPT), the adapter&apos;s Properties, Port Settings, Advanced, COM Port Number</source>
        <translation>%1&#xa0;; pour utiliser ici un adaptateur de numéro plus élevé, donnez-lui %2 dans le Gestionnaire de périphériques&#xa0;: Ports (COM et LPT), Propriétés de l’adaptateur, Paramètres du port, Avancé, Numéro de port COM</translation>
    </message>
</context>
<context>
    <name>TimelineView</name>
    <message>
        <source>Timeline</source>
        <translation>Ligne de temps</translation>
    </message>
    <message>
        <source>Left and Right move the playhead by a frame, Page Up and Page Down by a second; Ctrl and the wheel, + or - zoom.</source>
        <translation>Gauche et Droite déplacent la tête de lecture d’une trame, Page précédente et Page suivante d’une seconde&#xa0;; Ctrl et la molette, + ou - zooment.</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>Round %1</source>
        <translation>Tour %1</translation>
    </message>
</context>
</TS>
