#!/usr/bin/env python3
"""Writes the language files of the sample package.

For each of the ten setup languages this produces, in the ANSI code page
that Windows uses for that language and with CRLF line endings:
  package/kv-00001/kvsetlan.<code>   setup texts ([MSG] and [DLG])
  package/kv-00001/kvrem.<code>      uninstaller texts ([MSG])

The only '%' sequence allowed in the setup texts is the "%P" placeholder in
P31, PF1 and PF6, which the engine replaces with the product's display name.

Usage: make_language_files.py [package folder]   (default: <repo>/package)
"""

import os
import sys

# Language code -> Python codec of its ANSI code page.
CODE_PAGES = {
    'enu': 'cp1252',
    'cht': 'cp950',
    'deu': 'cp1252',
    'esn': 'cp1252',
    'fra': 'cp1252',
    'ita': 'cp1252',
    'jpn': 'cp932',
    'kor': 'cp949',
    'nld': 'cp1252',
    'chs': 'cp936',
}

MSG_KEYS = ['1', '2', '4', '7', '8', '10', '11', '12', '13', '20', '21', '22', '23', '24', '25',
            '301', '302', '303', '304', '306']
DLG_KEYS = ['P1T', 'P11', 'P12', 'P13', 'P14', 'P15', 'P16',
            'P3T', 'P31', 'P32', 'P33',
            'P4T', 'P41', 'P42', 'P43',
            'P5T', 'P51',
            'P7T', 'P71', 'ROLLER3', 'ROLLER5',
            'PFT', 'PF1', 'PF2', 'PF4', 'PF5',
            'PFS', 'PF6', 'PF7']
REM_KEYS = ['1', '2', '3', '4', '5', '6', '7', '8', '9', '10']

# Longest value in bytes that the engine's buffers take (one byte is kept
# for the terminating zero): 259 in general, 519 for the information page.
MAX_BYTES = 258
MAX_BYTES_LONG = 518
LONG_KEYS = {'P51'}
# Texts whose first %P the engine replaces with the product's display name.
PLACEHOLDER_KEYS = ('P31', 'PF1', 'PF6')

TEXTS = {}

TEXTS['enu'] = {
    'MSG': {
        '1': '< Back',
        '2': 'Next >',
        '4': 'Cancel',
        '7': 'Finish',
        '8': 'Browse...',
        '10': 'TarnWeld Mouse Setup',
        '11': 'Setup for',
        '12': 'TarnWeld Mouse',
        '13': 'Choose Setup Language',
        '20': 'Exit Setup',
        '21': 'Resume',
        '22': 'Exit Setup',
        '23': 'Setup is not complete. If you exit now, the mouse driver will not be installed.',
        '24': 'You can run Setup again at another time to complete the installation.',
        '25': 'Do you want to exit Setup?',
        '301': 'Copying files...',
        '302': 'Registering the mouse driver...',
        '303': 'Updating system settings...',
        '304': 'Creating shortcuts...',
        '306': 'Writing uninstall information...',
    },
    'DLG': {
        'P1T': 'Welcome',
        'P11': 'This program installs the TarnWeld mouse driver.',
        'P12': 'It adds wheel scrolling and extra button functions.',
        'P13': 'It is strongly recommended that you close all running programs before you continue.',
        'P14': 'Click Cancel to quit Setup now and close those programs, then run Setup again.',
        'P15': 'Warning: remove other mouse drivers first.',
        'P16': 'Click Next to continue.',
        'P3T': 'Choose Destination Folder',
        'P31': 'Setup will install %P in the following folder.',
        'P32': 'To install to a different folder, click Browse and select another folder.',
        'P33': 'Space Required:',
        'P4T': 'Select Program Folder',
        'P41': 'Setup will add program icons to the program folder listed below. You may type '
               'a new folder name or select one from the list of existing folders. '
               'Click Next to continue.',
        'P42': 'Program folder:',
        'P43': 'Existing folders:',
        'P5T': 'Before You Install',
        'P51': 'Read the following notes before Setup copies any files. The driver '
               'replaces the standard mouse driver of Windows. While files are being copied, '
               'the mouse pointer may stop responding for a few seconds; this is normal. If '
               'your mouse is connected through a switch box or a keyboard adapter, connect it '
               'directly to the computer first. After the installation, Windows must be '
               'restarted before the wheel and the extra buttons work. You can change all '
               'settings later under Mouse in the Control Panel.',
        'P7T': 'Select Mouse Type',
        'P71': 'Select your type of mouse, then click Next.',
        'ROLLER3': 'One wheel (3D)',
        'ROLLER5': 'Two wheels (4D)',
        'PFT': 'Setup Complete',
        'PF1': 'Setup has finished installing %P on your computer.',
        'PF2': 'Windows must be restarted before you can use the new mouse driver. '
               'Do you want to restart your computer now?',
        'PF4': 'Yes, I want to restart my computer now.',
        'PF5': 'No, I will restart my computer later.',
        'PFS': 'Setup Not Completed',
        'PF6': 'Setup could not install %P.',
        'PF7': ('Setup could not write to the destination disk, which may be full. Everything it had '
                'installed has been removed, so your computer is as it was before. Free some disk '
                'space, then run Setup again.'),
    },
    'REM': {
        '1': 'Uninstall TarnWeld Mouse',
        '2': 'Do you want to remove the TarnWeld mouse driver and all of its components?',
        '3': 'Removing files...',
        '4': 'Removing settings...',
        '5': 'The TarnWeld mouse driver has been removed. Restart Windows to complete the removal.',
        '6': 'Some files could not be removed. You can delete them after restarting Windows.',
        '7': 'The TarnWeld mouse driver has been removed.',
        '8': 'Do you want to restart Windows now?',
        '9': 'The TarnWeld mouse driver cannot be removed: its uninstall log is missing or damaged.',
        '10': 'Another setup or uninstall is running. Try again when it has finished.',
    },
}

TEXTS['deu'] = {
    'MSG': {
        '1': '< Zurück',
        '2': 'Weiter >',
        '4': 'Abbrechen',
        '7': 'Fertig stellen',
        '8': 'Durchsuchen...',
        '10': 'Installation der TarnWeld-Maus',
        '11': 'Installation von',
        '12': 'TarnWeld-Maus',
        '13': 'Setup-Sprache wählen',
        '20': 'Installation beenden',
        '21': 'Fortsetzen',
        '22': 'Beenden',
        '23': 'Die Installation ist noch nicht abgeschlossen. Wenn Sie jetzt beenden, '
              'wird der Maustreiber nicht installiert.',
        '24': 'Sie können das Setup später erneut ausführen, um die Installation abzuschließen.',
        '25': 'Möchten Sie das Setup jetzt beenden?',
        '301': 'Dateien werden kopiert...',
        '302': 'Der Maustreiber wird registriert...',
        '303': 'Systemeinstellungen werden aktualisiert...',
        '304': 'Verknüpfungen werden erstellt...',
        '306': 'Deinstallationsdaten werden geschrieben...',
    },
    'DLG': {
        'P1T': 'Willkommen',
        'P11': 'Dieses Programm installiert den TarnWeld-Maustreiber.',
        'P12': 'Er bietet Blättern mit dem Rad und Zusatztasten.',
        'P13': 'Es wird dringend empfohlen, alle laufenden Programme zu beenden, bevor Sie fortfahren.',
        'P14': 'Klicken Sie auf Abbrechen, schließen Sie diese Programme und starten Sie das Setup erneut.',
        'P15': 'Achtung: Erst andere Maustreiber entfernen!',
        'P16': 'Klicken Sie auf Weiter, um fortzufahren.',
        'P3T': 'Zielordner wählen',
        'P31': 'Das Setup installiert %P in folgendem Ordner.',
        'P32': 'Um in einen anderen Ordner zu installieren, klicken Sie auf Durchsuchen '
               'und wählen einen anderen Ordner aus.',
        'P33': 'Speicherbedarf:',
        'P4T': 'Programmordner wählen',
        'P41': 'Das Setup legt die Programmsymbole im unten angegebenen Programmordner ab. '
               'Sie können einen neuen Ordnernamen eingeben oder einen vorhandenen Ordner '
               'aus der Liste wählen. Klicken Sie auf Weiter, um fortzufahren.',
        'P42': 'Programmordner:',
        'P43': 'Vorhandene Ordner:',
        'P5T': 'Vor der Installation',
        'P51': 'Bitte lesen Sie diese Hinweise, bevor das Setup Dateien kopiert. Der Treiber '
               'ersetzt den Standard-Maustreiber von Windows. Während des Kopierens reagiert '
               'der Mauszeiger unter Umständen einige Sekunden lang nicht; das ist normal. '
               'Hängt Ihre Maus an einem Umschalter oder Tastaturadapter, schließen Sie sie '
               'zuerst direkt am Computer an. Nach der Installation muss Windows neu '
               'gestartet werden, damit Rad und Zusatztasten funktionieren.',
        'P7T': 'Maustyp wählen',
        'P71': 'Wählen Sie den Typ Ihrer Maus aus.',
        'ROLLER3': 'Ein Rad (3D)',
        'ROLLER5': 'Zwei Räder (4D)',
        'PFT': 'Installation abgeschlossen',
        'PF1': 'Das Setup hat %P erfolgreich auf Ihrem Computer installiert.',
        'PF2': 'Windows muss neu gestartet werden, bevor Sie den neuen Maustreiber verwenden '
               'können. Möchten Sie den Computer jetzt neu starten?',
        'PF4': 'Ja, den Computer jetzt neu starten.',
        'PF5': 'Nein, den Computer später neu starten.',
        'PFS': 'Installation nicht abgeschlossen',
        'PF6': 'Das Setup konnte %P nicht installieren.',
        'PF7': ('Das Setup konnte nicht auf das Ziellaufwerk schreiben; es ist möglicherweise voll. '
                'Alles bereits Installierte wurde wieder entfernt, Ihr Computer ist unverändert. '
                'Geben Sie Speicherplatz frei und starten Sie das Setup erneut.'),
    },
    'REM': {
        '1': 'TarnWeld-Maus deinstallieren',
        '2': 'Möchten Sie den TarnWeld-Maustreiber mit allen Komponenten entfernen?',
        '3': 'Dateien werden entfernt...',
        '4': 'Einstellungen werden entfernt...',
        '5': 'Der TarnWeld-Maustreiber wurde entfernt. Starten Sie Windows neu, '
             'um das Entfernen abzuschließen.',
        '6': 'Einige Dateien konnten nicht entfernt werden. Sie können sie nach einem '
             'Neustart von Windows löschen.',
        '7': 'Der TarnWeld-Maustreiber wurde entfernt.',
        '8': 'Möchten Sie Windows jetzt neu starten?',
        '9': 'Der TarnWeld-Maustreiber kann nicht entfernt werden: Das Deinstallationsprotokoll fehlt oder ist beschädigt.',
        '10': 'Ein anderes Setup oder eine andere Deinstallation läuft. Versuchen Sie es erneut, wenn sie beendet ist.',
    },
}

TEXTS['esn'] = {
    'MSG': {
        '1': '< Atrás',
        '2': 'Siguiente >',
        '4': 'Cancelar',
        '7': 'Finalizar',
        '8': 'Examinar...',
        '10': 'Instalación del ratón TarnWeld',
        '11': 'Instalación de',
        '12': 'Ratón TarnWeld',
        '13': 'Idioma de la instalación',
        '20': 'Salir de la instalación',
        '21': 'Continuar',
        '22': 'Salir',
        '23': 'La instalación no ha terminado. Si sale ahora, el controlador del ratón '
              'no quedará instalado.',
        '24': 'Puede volver a ejecutar el programa de instalación más adelante para completarla.',
        '25': '¿Desea salir de la instalación?',
        '301': 'Copiando archivos...',
        '302': 'Registrando el controlador del ratón...',
        '303': 'Actualizando la configuración del sistema...',
        '304': 'Creando accesos directos...',
        '306': 'Guardando la información de desinstalación...',
    },
    'DLG': {
        'P1T': 'Bienvenido',
        'P11': 'Este programa instala el controlador del ratón TarnWeld.',
        'P12': 'Permite desplazarse con la rueda y usar más botones.',
        'P13': 'Le recomendamos encarecidamente que cierre todos los programas abiertos '
               'antes de continuar.',
        'P14': 'Haga clic en Cancelar, cierre esos programas y vuelva a ejecutar la instalación.',
        'P15': 'Desinstale antes otros controladores de ratón.',
        'P16': 'Haga clic en Siguiente para continuar.',
        'P3T': 'Elegir la carpeta de destino',
        'P31': 'El programa de instalación instalará %P en la siguiente carpeta.',
        'P32': 'Para instalarlo en otra carpeta, haga clic en Examinar y seleccione la '
               'carpeta que prefiera.',
        'P33': 'Espacio necesario:',
        'P4T': 'Carpeta de programas',
        'P41': 'El programa de instalación agregará los iconos a la carpeta de programas '
               'indicada abajo. Puede escribir un nombre nuevo o elegir una de las carpetas '
               'existentes. Haga clic en Siguiente para continuar.',
        'P42': 'Carpeta de programas:',
        'P43': 'Carpetas existentes:',
        'P5T': 'Antes de instalar',
        'P51': 'Lea estas notas antes de que se copien los archivos. El controlador sustituye '
               'al controlador de ratón estándar de Windows. Durante la copia, el puntero '
               'puede dejar de responder unos segundos; es normal. Si el ratón está conectado '
               'a través de un conmutador o de un adaptador de teclado, conéctelo primero '
               'directamente al equipo. Al terminar, hay que reiniciar Windows para que la '
               'rueda y los botones adicionales funcionen.',
        'P7T': 'Seleccionar el tipo de ratón',
        'P71': 'Seleccione el tipo de ratón conectado.',
        'ROLLER3': 'Una rueda (3D)',
        'ROLLER5': 'Dos ruedas (4D)',
        'PFT': 'Instalación completada',
        'PF1': 'El programa de instalación ha terminado de instalar %P en su equipo.',
        'PF2': 'Debe reiniciar Windows para poder usar el nuevo controlador del ratón. '
               '¿Desea reiniciar el equipo ahora?',
        'PF4': 'Sí, deseo reiniciar el equipo ahora.',
        'PF5': 'No, reiniciaré el equipo más tarde.',
        'PFS': 'Instalación no completada',
        'PF6': 'El programa de instalación no pudo instalar %P.',
        'PF7': ('No se pudo escribir en el disco de destino, que puede estar lleno. Se ha quitado '
                'todo lo que se había instalado y el equipo ha quedado como estaba. Libere espacio en '
                'disco y vuelva a ejecutar la instalación.'),
    },
    'REM': {
        '1': 'Desinstalar el ratón TarnWeld',
        '2': '¿Desea quitar el controlador del ratón TarnWeld y todos sus componentes?',
        '3': 'Quitando archivos...',
        '4': 'Quitando la configuración...',
        '5': 'Se ha quitado el controlador del ratón TarnWeld. Reinicie Windows para '
             'terminar la desinstalación.',
        '6': 'No se han podido quitar algunos archivos. Puede eliminarlos después de '
             'reiniciar Windows.',
        '7': 'Se ha quitado el controlador del ratón TarnWeld.',
        '8': '¿Desea reiniciar Windows ahora?',
        '9': 'No se puede quitar el controlador del ratón TarnWeld: falta su registro de desinstalación o está dañado.',
        '10': 'Ya se está ejecutando otra instalación o desinstalación. Vuelva a intentarlo cuando haya terminado.',
    },
}

TEXTS['fra'] = {
    'MSG': {
        '1': '< Précédent',
        '2': 'Suivant >',
        '4': 'Annuler',
        '7': 'Terminer',
        '8': 'Parcourir...',
        '10': 'Installation de la souris TarnWeld',
        '11': 'Installation de',
        '12': 'Souris TarnWeld',
        '13': "Langue d'installation",
        '20': "Quitter l'installation",
        '21': 'Reprendre',
        '22': 'Quitter',
        '23': "L'installation n'est pas terminée. Si vous quittez maintenant, le pilote "
              "de la souris ne sera pas installé.",
        '24': "Vous pourrez relancer le programme d'installation plus tard pour la terminer.",
        '25': "Voulez-vous quitter l'installation ?",
        '301': 'Copie des fichiers...',
        '302': 'Enregistrement du pilote de la souris...',
        '303': 'Mise à jour des paramètres du système...',
        '304': 'Création des raccourcis...',
        '306': 'Enregistrement des informations de désinstallation...',
    },
    'DLG': {
        'P1T': 'Bienvenue',
        'P11': 'Ce programme installe le pilote de souris TarnWeld.',
        'P12': 'Il gère la molette et les boutons supplémentaires.',
        'P13': 'Nous vous recommandons vivement de fermer tous les programmes en cours '
               'avant de continuer.',
        'P14': "Cliquez sur Annuler pour quitter l'installation et fermer ces programmes, "
               "puis relancez l'installation.",
        'P15': "Retirez d'abord tout autre pilote de souris.",
        'P16': 'Cliquez sur Suivant pour continuer.',
        'P3T': 'Choix du dossier de destination',
        'P31': "Le programme d'installation va installer %P dans le dossier suivant.",
        'P32': "Pour l'installer dans un autre dossier, cliquez sur Parcourir et choisissez "
               "un autre dossier.",
        'P33': 'Espace nécessaire :',
        'P4T': 'Dossier de programmes',
        'P41': "Le programme d'installation va ajouter les icônes au dossier de programmes "
               "indiqué ci-dessous. Vous pouvez saisir un nouveau nom ou choisir un dossier "
               "existant dans la liste. Cliquez sur Suivant pour continuer.",
        'P42': 'Dossier de programmes :',
        'P43': 'Dossiers existants :',
        'P5T': "Avant l'installation",
        'P51': "Lisez les remarques suivantes avant la copie des fichiers. Le pilote remplace "
               "le pilote de souris standard de Windows. Pendant la copie, le pointeur peut "
               "ne plus répondre quelques secondes ; c'est normal. Si la souris passe par un "
               "boîtier de commutation ou un adaptateur clavier, branchez-la d'abord "
               "directement sur l'ordinateur. Après l'installation, redémarrez Windows pour "
               "que la molette et les boutons supplémentaires fonctionnent.",
        'P7T': 'Choix du type de souris',
        'P71': 'Sélectionnez le type de souris branchée.',
        'ROLLER3': 'Une molette (3D)',
        'ROLLER5': 'Deux molettes (4D)',
        'PFT': 'Installation terminée',
        'PF1': "Le programme d'installation a terminé l'installation de %P sur votre ordinateur.",
        'PF2': "Windows doit être redémarré avant que vous puissiez utiliser le nouveau "
               "pilote de souris. Voulez-vous redémarrer l'ordinateur maintenant ?",
        'PF4': "Oui, je veux redémarrer l'ordinateur maintenant.",
        'PF5': "Non, je redémarrerai l'ordinateur plus tard.",
        'PFS': 'Installation non terminée',
        'PF6': "Le programme d'installation n'a pas pu installer %P.",
        'PF7': ("Impossible d'écrire sur le disque de destination, qui est peut-être plein. Tout ce "
                'qui avait été installé a été supprimé : votre ordinateur est inchangé. Libérez de '
                "l'espace disque, puis relancez l'installation."),
    },
    'REM': {
        '1': 'Désinstaller la souris TarnWeld',
        '2': 'Voulez-vous supprimer le pilote de la souris TarnWeld et tous ses composants ?',
        '3': 'Suppression des fichiers...',
        '4': 'Suppression des réglages...',
        '5': 'Le pilote de la souris TarnWeld a été supprimé. Redémarrez Windows pour '
             'terminer la désinstallation.',
        '6': 'Certains fichiers n\'ont pas pu être supprimés. Vous pourrez les effacer '
             'après le redémarrage de Windows.',
        '7': 'Le pilote de la souris TarnWeld a été supprimé.',
        '8': 'Voulez-vous redémarrer Windows maintenant ?',
        '9': 'Impossible de supprimer le pilote de la souris TarnWeld : son journal de désinstallation est absent ou endommagé.',
        '10': "Une autre installation ou désinstallation est en cours. Réessayez lorsqu'elle sera terminée.",
    },
}

TEXTS['ita'] = {
    'MSG': {
        '1': '< Indietro',
        '2': 'Avanti >',
        '4': 'Annulla',
        '7': 'Fine',
        '8': 'Sfoglia...',
        '10': 'Installazione del mouse TarnWeld',
        '11': 'Installazione di',
        '12': 'Mouse TarnWeld',
        '13': 'Lingua di installazione',
        '20': "Uscita dall'installazione",
        '21': 'Riprendi',
        '22': 'Esci',
        '23': "L'installazione non è completa. Uscendo ora, il driver del mouse non "
              "verrà installato.",
        '24': "È possibile eseguire di nuovo l'installazione in un secondo momento per completarla.",
        '25': "Uscire dall'installazione?",
        '301': 'Copia dei file in corso...',
        '302': 'Registrazione del driver del mouse...',
        '303': 'Aggiornamento delle impostazioni di sistema...',
        '304': 'Creazione dei collegamenti...',
        '306': 'Scrittura delle informazioni di disinstallazione...',
    },
    'DLG': {
        'P1T': 'Benvenuti',
        'P11': 'Questo programma installa il driver del mouse TarnWeld.',
        'P12': "Consente lo scorrimento e l'uso dei pulsanti extra.",
        'P13': 'Si consiglia vivamente di chiudere tutti i programmi in esecuzione prima '
               'di continuare.',
        'P14': "Fare clic su Annulla per uscire, chiudere tali programmi e poi riavviare l'installazione.",
        'P15': 'Rimuovere prima gli altri driver del mouse.',
        'P16': 'Fare clic su Avanti per continuare.',
        'P3T': 'Cartella di destinazione',
        'P31': 'Il programma di installazione installerà %P nella cartella seguente.',
        'P32': "Per installare in una cartella diversa, fare clic su Sfoglia e selezionare "
               "un'altra cartella.",
        'P33': 'Spazio richiesto:',
        'P4T': 'Cartella dei programmi',
        'P41': "Il programma di installazione aggiungerà le icone alla cartella dei programmi "
               "indicata sotto. È possibile digitare un nuovo nome oppure scegliere una delle "
               "cartelle esistenti. Fare clic su Avanti per continuare.",
        'P42': 'Cartella dei programmi:',
        'P43': 'Cartelle esistenti:',
        'P5T': "Prima dell'installazione",
        'P51': "Leggere queste note prima che vengano copiati i file. Il driver sostituisce "
               "il driver del mouse standard di Windows. Durante la copia il puntatore "
               "potrebbe non rispondere per alcuni secondi: è normale. Se il mouse è collegato "
               "tramite un commutatore o un adattatore per tastiera, collegarlo prima "
               "direttamente al computer. Al termine occorre riavviare Windows perché la "
               "rotellina e i pulsanti aggiuntivi funzionino.",
        'P7T': 'Scelta del tipo di mouse',
        'P71': 'Selezionare il tipo di mouse collegato.',
        'ROLLER3': 'Una rotellina (3D)',
        'ROLLER5': 'Due rotelline (4D)',
        'PFT': 'Installazione completata',
        'PF1': "Il programma di installazione ha completato l'installazione di %P nel computer.",
        'PF2': 'Prima di poter usare il nuovo driver del mouse è necessario riavviare Windows. '
               'Riavviare il computer adesso?',
        'PF4': 'Sì, riavvia il computer adesso.',
        'PF5': 'No, riavvierò il computer più tardi.',
        'PFS': 'Installazione non completata',
        'PF6': 'Il programma di installazione non è riuscito a installare %P.',
        'PF7': ('Impossibile scrivere sul disco di destinazione, che potrebbe essere pieno. Tutto ciò '
                "che era stato installato è stato rimosso e il computer è rimasto com'era. Liberare "
                "spazio su disco ed eseguire di nuovo l'installazione."),
    },
    'REM': {
        '1': 'Disinstallazione del mouse TarnWeld',
        '2': 'Rimuovere il driver del mouse TarnWeld e tutti i suoi componenti?',
        '3': 'Rimozione dei file...',
        '4': 'Rimozione delle impostazioni...',
        '5': 'Il driver del mouse TarnWeld è stato rimosso. Riavviare Windows per '
             'completare la disinstallazione.',
        '6': 'Non è stato possibile rimuovere alcuni file. Si potranno eliminare dopo '
             'il riavvio di Windows.',
        '7': 'Il driver del mouse TarnWeld è stato rimosso.',
        '8': 'Riavviare Windows ora?',
        '9': 'Impossibile rimuovere il driver del mouse TarnWeld: il registro di disinstallazione manca o è danneggiato.',
        '10': "È in corso un'altra installazione o disinstallazione. Riprovare al termine.",
    },
}

TEXTS['nld'] = {
    'MSG': {
        '1': '< Vorige',
        '2': 'Volgende >',
        '4': 'Annuleren',
        '7': 'Voltooien',
        '8': 'Bladeren...',
        '10': 'Installatie van de TarnWeld-muis',
        '11': 'Installatie van',
        '12': 'TarnWeld-muis',
        '13': 'Installatietaal kiezen',
        '20': 'Installatie afsluiten',
        '21': 'Doorgaan',
        '22': 'Afsluiten',
        '23': 'De installatie is nog niet voltooid. Als u nu afsluit, wordt het '
              'muisstuurprogramma niet geïnstalleerd.',
        '24': 'U kunt het installatieprogramma later opnieuw starten om de installatie '
              'te voltooien.',
        '25': 'Wilt u de installatie afsluiten?',
        '301': 'Bestanden worden gekopieerd...',
        '302': 'Het muisstuurprogramma wordt geregistreerd...',
        '303': 'Systeeminstellingen worden bijgewerkt...',
        '304': 'Snelkoppelingen worden gemaakt...',
        '306': 'Verwijderingsgegevens worden opgeslagen...',
    },
    'DLG': {
        'P1T': 'Welkom',
        'P11': 'Dit programma installeert de TarnWeld-muisdriver.',
        'P12': 'Voor scrollen met het wieltje en extra knoppen.',
        'P13': "Het wordt sterk aangeraden alle geopende programma's te sluiten voordat u verdergaat.",
        'P14': "Klik op Annuleren, sluit deze programma's en start de installatie daarna opnieuw.",
        'P15': "Verwijder eerst andere muisstuurprogramma's!",
        'P16': 'Klik op Volgende om door te gaan.',
        'P3T': 'Doelmap kiezen',
        'P31': 'Het installatieprogramma installeert %P in de volgende map.',
        'P32': 'Als u in een andere map wilt installeren, klikt u op Bladeren en kiest u '
               'een andere map.',
        'P33': 'Benodigde ruimte:',
        'P4T': 'Programmamap kiezen',
        'P41': 'Het installatieprogramma plaatst de pictogrammen in de onderstaande '
               'programmamap. U kunt een nieuwe mapnaam typen of een bestaande map uit de '
               'lijst kiezen. Klik op Volgende om door te gaan.',
        'P42': 'Programmamap:',
        'P43': 'Bestaande mappen:',
        'P5T': 'Voordat u installeert',
        'P51': 'Lees de volgende opmerkingen voordat er bestanden worden gekopieerd. Het '
               'stuurprogramma vervangt het standaard muisstuurprogramma van Windows. Tijdens '
               'het kopiëren kan de muisaanwijzer enkele seconden niet reageren; dat is '
               'normaal. Is de muis aangesloten via een schakelkastje of een '
               'toetsenbordadapter, sluit hem dan eerst rechtstreeks op de computer aan. Na '
               'de installatie moet Windows opnieuw worden opgestart voordat het wieltje en '
               'de extra knoppen werken.',
        'P7T': 'Muistype kiezen',
        'P71': 'Kies het type muis dat is aangesloten.',
        'ROLLER3': 'Eén wieltje (3D)',
        'ROLLER5': 'Twee wieltjes (4D)',
        'PFT': 'Installatie voltooid',
        'PF1': 'Het installatieprogramma heeft %P op uw computer geïnstalleerd.',
        'PF2': 'Windows moet opnieuw worden opgestart voordat u het nieuwe '
               'muisstuurprogramma kunt gebruiken. Wilt u de computer nu opnieuw opstarten?',
        'PF4': 'Ja, de computer nu opnieuw opstarten.',
        'PF5': 'Nee, ik start de computer later opnieuw op.',
        'PFS': 'Installatie niet voltooid',
        'PF6': 'Het installatieprogramma kon %P niet installeren.',
        'PF7': ('Er kon niet naar de doelschijf worden geschreven; deze is mogelijk vol. Alles wat al '
                'was geïnstalleerd, is weer verwijderd: uw computer is ongewijzigd. Maak schijfruimte '
                'vrij en voer het installatieprogramma opnieuw uit.'),
    },
    'REM': {
        '1': 'TarnWeld-muis verwijderen',
        '2': 'Wilt u het stuurprogramma voor de TarnWeld-muis met alle onderdelen verwijderen?',
        '3': 'Bestanden worden verwijderd...',
        '4': 'Instellingen worden verwijderd...',
        '5': 'Het stuurprogramma voor de TarnWeld-muis is verwijderd. Start Windows opnieuw '
             'op om het verwijderen te voltooien.',
        '6': 'Sommige bestanden konden niet worden verwijderd. U kunt ze wissen nadat '
             'Windows opnieuw is opgestart.',
        '7': 'Het stuurprogramma voor de TarnWeld-muis is verwijderd.',
        '8': 'Wilt u Windows nu opnieuw opstarten?',
        '9': 'Het stuurprogramma voor de TarnWeld-muis kan niet worden verwijderd: het verwijderlogboek ontbreekt of is beschadigd.',
        '10': 'Er wordt al een andere installatie of verwijdering uitgevoerd. Probeer het opnieuw wanneer die klaar is.',
    },
}

TEXTS['jpn'] = {
    'MSG': {
        '1': '< 戻る',
        '2': '次へ >',
        '4': 'キャンセル',
        '7': '完了',
        '8': '参照...',
        '10': 'TarnWeld マウス セットアップ',
        '11': 'セットアップ：',
        '12': 'TarnWeld マウス',
        '13': 'セットアップ言語の選択',
        '20': 'セットアップの終了',
        '21': '続行',
        '22': '終了',
        '23': 'セットアップはまだ完了していません。ここで終了すると、マウス ドライバは'
              'インストールされません。',
        '24': 'あとでセットアップをもう一度実行して、インストールを完了することができます。',
        '25': 'セットアップを終了しますか?',
        '301': 'ファイルをコピーしています...',
        '302': 'マウス ドライバを登録しています...',
        '303': 'システムの設定を更新しています...',
        '304': 'ショートカットを作成しています...',
        '306': 'アンインストール情報を書き込んでいます...',
    },
    'DLG': {
        'P1T': 'ようこそ',
        'P11': 'TarnWeld マウス ドライバをインストールします。',
        'P12': 'ホイール スクロールと追加ボタンが使えます。',
        'P13': '続行する前に、実行中のプログラムをすべて終了することを強くお勧めします。',
        'P14': '[キャンセル] で中止し、それらのプログラムを閉じてから再実行してください。',
        'P15': 'ほかのマウス ドライバを先に削除してください。',
        'P16': '続行するには [次へ] をクリックしてください。',
        'P3T': 'インストール先フォルダの選択',
        'P31': '%P を次のフォルダにインストールします。',
        'P32': '別のフォルダにインストールするには、[参照] をクリックしてフォルダを'
               '選択してください。',
        'P33': '必要なディスク領域:',
        'P4T': 'プログラム フォルダの選択',
        'P41': '下のプログラム フォルダにアイコンを追加します。新しいフォルダ名を入力するか、'
               '既存のフォルダを一覧から選択してください。続行するには [次へ] を'
               'クリックしてください。',
        'P42': 'プログラム フォルダ:',
        'P43': '既存のフォルダ:',
        'P5T': 'インストールの前に',
        'P51': 'ファイルのコピーを始める前に、次の注意事項をお読みください。このドライバは '
               'Windows 標準のマウス ドライバと置き換わります。コピー中は数秒間マウス '
               'ポインタが反応しなくなることがありますが、異常ではありません。切替器や'
               'キーボード用アダプタを経由してマウスを接続している場合は、先にコンピュータへ'
               '直接接続してください。インストール後、ホイールと追加ボタンを使うには '
               'Windows の再起動が必要です。',
        'P7T': 'マウスの種類の選択',
        'P71': 'マウスの種類を選んでください。',
        'ROLLER3': 'ホイール 1 つ (3D)',
        'ROLLER5': 'ホイール 2 つ (4D)',
        'PFT': 'セットアップの完了',
        'PF1': '%P のインストールが完了しました。',
        'PF2': '新しいマウス ドライバを使用するには、Windows を再起動する必要があります。'
               '今すぐコンピュータを再起動しますか?',
        'PF4': 'はい、今すぐコンピュータを再起動します。',
        'PF5': 'いいえ、あとでコンピュータを再起動します。',
        'PFS': 'セットアップは完了しませんでした',
        'PF6': '%P をインストールできませんでした。',
        'PF7': ('インストール先のディスクに書き込めませんでした。ディスクがいっぱいの可能性があり'
                'ます。インストールした項目はすべて削除され、コンピュータは元の状態に戻りました。'
                '空き容量を増やしてから、もう一度セットアップを実行してください。'),
    },
    'REM': {
        '1': 'TarnWeld マウスのアンインストール',
        '2': 'TarnWeld マウス ドライバとそのすべてのコンポーネントを削除しますか?',
        '3': 'ファイルを削除しています...',
        '4': '設定を削除しています...',
        '5': 'TarnWeld マウス ドライバを削除しました。削除を完了するには Windows を'
             '再起動してください。',
        '6': '一部のファイルを削除できませんでした。Windows の再起動後に削除してください。',
        '7': 'TarnWeld マウス ドライバを削除しました。',
        '8': '今すぐ Windows を再起動しますか?',
        '9': 'TarnWeld マウス ドライバを削除できません。アンインストール ログがないか、壊れています。',
        '10': '別のセットアップまたはアンインストールが実行中です。終了してからもう一度実行してください。',
    },
}

TEXTS['cht'] = {
    'MSG': {
        '1': '< 上一步',
        '2': '下一步 >',
        '4': '取消',
        '7': '完成',
        '8': '瀏覽...',
        '10': 'TarnWeld 滑鼠安裝程式',
        '11': '安裝',
        '12': 'TarnWeld 滑鼠',
        '13': '選擇安裝語言',
        '20': '結束安裝',
        '21': '繼續安裝',
        '22': '結束',
        '23': '安裝尚未完成。如果現在結束，將不會安裝滑鼠驅動程式。',
        '24': '您可以稍後再次執行安裝程式，以完成安裝。',
        '25': '確定要結束安裝嗎？',
        '301': '正在複製檔案...',
        '302': '正在登錄滑鼠驅動程式...',
        '303': '正在更新系統設定...',
        '304': '正在建立捷徑...',
        '306': '正在寫入解除安裝資訊...',
    },
    'DLG': {
        'P1T': '歡迎使用',
        'P11': '本程式會安裝 TarnWeld 滑鼠驅動程式。',
        'P12': '可使用滾輪捲動畫面及額外按鈕功能。',
        'P13': '強烈建議您在繼續之前，先關閉所有執行中的程式。',
        'P14': '請按「取消」離開安裝程式並關閉這些程式，然後再重新執行安裝程式。',
        'P15': '警告：繼續之前，請先移除其他所有滑鼠驅動程式。',
        'P16': '請按「下一步」繼續。',
        'P3T': '選擇目的資料夾',
        'P31': '安裝程式會將 %P 安裝到下列資料夾。',
        'P32': '若要安裝到其他資料夾，請按「瀏覽」並選擇其他資料夾。',
        'P33': '所需空間：',
        'P4T': '選擇程式資料夾',
        'P41': '安裝程式會將程式圖示加入下列程式資料夾。您可以輸入新的資料夾名稱，'
               '或從現有資料夾清單中選擇一個。請按「下一步」繼續。',
        'P42': '程式資料夾：',
        'P43': '現有資料夾：',
        'P5T': '安裝前須知',
        'P51': '在安裝程式複製檔案之前，請先閱讀下列說明。本驅動程式將取代 Windows '
               '內建的標準滑鼠驅動程式。複製檔案期間，滑鼠指標可能有幾秒鐘沒有反應，'
               '這是正常現象。如果滑鼠是透過切換器或鍵盤轉接器連接，請先將滑鼠直接'
               '連接到電腦。安裝完成後必須重新啟動 Windows，滾輪與額外按鈕才能正常運作。'
               '日後您可以隨時在控制台的「滑鼠」中變更所有設定。',
        'P7T': '選擇滑鼠類型',
        'P71': '請選擇連接到電腦的滑鼠類型，然後按「下一步」。',
        'ROLLER3': '單滾輪 (3D)',
        'ROLLER5': '雙滾輪 (4D)',
        'PFT': '安裝完成',
        'PF1': '安裝程式已完成 %P 的安裝。',
        'PF2': '必須重新啟動 Windows 才能使用新的滑鼠驅動程式。要立即重新啟動電腦嗎？',
        'PF4': '是，立即重新啟動電腦。',
        'PF5': '否，稍後再重新啟動電腦。',
        'PFS': '安裝未完成',
        'PF6': '安裝程式無法安裝 %P。',
        'PF7': ('安裝程式無法寫入目的磁碟，磁碟可能已滿。已安裝的所有項目均已移除，您的電腦已恢復'
                '原狀。請釋放磁碟空間，然後重新執行安裝程式。'),
    },
    'REM': {
        '1': '解除安裝 TarnWeld 滑鼠',
        '2': '確定要移除 TarnWeld 滑鼠驅動程式及其所有元件嗎？',
        '3': '正在移除檔案...',
        '4': '正在移除設定...',
        '5': '已移除 TarnWeld 滑鼠驅動程式。請重新啟動 Windows 以完成移除。',
        '6': '有些檔案無法移除。您可以在重新啟動 Windows 後再刪除這些檔案。',
        '7': '已移除 TarnWeld 滑鼠驅動程式。',
        '8': '要立即重新啟動 Windows 嗎？',
        '9': '無法移除 TarnWeld 滑鼠驅動程式：解除安裝記錄遺失或已損毀。',
        '10': '另一個安裝或解除安裝正在執行。請在其完成後再試一次。',
    },
}

TEXTS['chs'] = {
    'MSG': {
        '1': '< 上一步',
        '2': '下一步 >',
        '4': '取消',
        '7': '完成',
        '8': '浏览...',
        '10': 'TarnWeld 鼠标安装程序',
        '11': '安装',
        '12': 'TarnWeld 鼠标',
        '13': '选择安装语言',
        '20': '退出安装',
        '21': '继续安装',
        '22': '退出',
        '23': '安装尚未完成。如果现在退出，鼠标驱动程序将不会被安装。',
        '24': '您可以稍后再次运行安装程序来完成安装。',
        '25': '确实要退出安装吗？',
        '301': '正在复制文件...',
        '302': '正在注册鼠标驱动程序...',
        '303': '正在更新系统设置...',
        '304': '正在创建快捷方式...',
        '306': '正在写入卸载信息...',
    },
    'DLG': {
        'P1T': '欢迎',
        'P11': '本程序将安装 TarnWeld 鼠标驱动程序。',
        'P12': '可用滚轮滚动页面并使用附加按键功能。',
        'P13': '强烈建议您在继续之前关闭所有正在运行的程序。',
        'P14': '请单击“取消”退出安装程序并关闭这些程序，然后重新运行安装程序。',
        'P15': '警告：继续之前，请先卸载其他所有鼠标驱动程序。',
        'P16': '请单击“下一步”继续。',
        'P3T': '选择目标文件夹',
        'P31': '安装程序将把 %P 安装到以下文件夹中。',
        'P32': '要安装到其他文件夹，请单击“浏览”并选择其他文件夹。',
        'P33': '所需空间：',
        'P4T': '选择程序文件夹',
        'P41': '安装程序将把程序图标添加到下面列出的程序文件夹中。您可以输入新的文件夹名称，'
               '也可以从现有文件夹列表中选择一个。请单击“下一步”继续。',
        'P42': '程序文件夹：',
        'P43': '现有文件夹：',
        'P5T': '安装须知',
        'P51': '在安装程序复制文件之前，请阅读以下说明。本驱动程序将替换 Windows '
               '自带的标准鼠标驱动程序。复制文件期间，鼠标指针可能有几秒钟没有反应，'
               '这属于正常现象。如果鼠标是通过切换器或键盘转接头连接的，请先将鼠标直接'
               '连接到计算机。安装完成后必须重新启动 Windows，滚轮和附加按键才能正常工作。'
               '以后您可以随时在控制面板的“鼠标”中更改所有设置。',
        'P7T': '选择鼠标类型',
        'P71': '请选择连接到计算机的鼠标类型，然后单击“下一步”。',
        'ROLLER3': '单滚轮 (3D)',
        'ROLLER5': '双滚轮 (4D)',
        'PFT': '安装完成',
        'PF1': '安装程序已成功地将 %P 安装到您的计算机上。',
        'PF2': '必须重新启动 Windows 才能使用新的鼠标驱动程序。是否立即重新启动计算机？',
        'PF4': '是，立即重新启动计算机。',
        'PF5': '否，稍后再重新启动计算机。',
        'PFS': '安装未完成',
        'PF6': '安装程序无法安装 %P。',
        'PF7': ('安装程序无法写入目标磁盘，磁盘可能已满。已安装的所有内容均已删除，您的计算机已恢'
                '复原状。请释放磁盘空间，然后重新运行安装程序。'),
    },
    'REM': {
        '1': '卸载 TarnWeld 鼠标',
        '2': '确实要删除 TarnWeld 鼠标驱动程序及其所有组件吗？',
        '3': '正在删除文件...',
        '4': '正在删除设置...',
        '5': 'TarnWeld 鼠标驱动程序已被删除。请重新启动 Windows 以完成卸载。',
        '6': '有些文件无法删除。您可以在重新启动 Windows 后手动删除它们。',
        '7': 'TarnWeld 鼠标驱动程序已被删除。',
        '8': '要立即重新启动 Windows 吗？',
        '9': '无法删除 TarnWeld 鼠标驱动程序：卸载日志丢失或已损坏。',
        '10': '另一个安装或卸载程序正在运行。请在其结束后重试。',
    },
}

TEXTS['kor'] = {
    'MSG': {
        '1': '< 뒤로',
        '2': '다음 >',
        '4': '취소',
        '7': '마침',
        '8': '찾아보기...',
        '10': 'TarnWeld 마우스 설치',
        '11': '설치 프로그램:',
        '12': 'TarnWeld 마우스',
        '13': '설치 언어 선택',
        '20': '설치 종료',
        '21': '계속',
        '22': '종료',
        '23': '설치가 아직 끝나지 않았습니다. 지금 종료하면 마우스 드라이버가 '
              '설치되지 않습니다.',
        '24': '나중에 설치 프로그램을 다시 실행하여 설치를 마칠 수 있습니다.',
        '25': '설치를 종료하시겠습니까?',
        '301': '파일을 복사하는 중...',
        '302': '마우스 드라이버를 등록하는 중...',
        '303': '시스템 설정을 업데이트하는 중...',
        '304': '바로 가기를 만드는 중...',
        '306': '제거 정보를 기록하는 중...',
    },
    'DLG': {
        'P1T': '환영합니다',
        'P11': '이 프로그램은 TarnWeld 마우스 드라이버를 설치합니다.',
        'P12': '휠 스크롤과 추가 버튼 기능을 사용할 수 있습니다.',
        'P13': '계속하기 전에 실행 중인 모든 프로그램을 닫는 것이 좋습니다.',
        'P14': '[취소]를 눌러 설치를 끝내고 해당 프로그램을 닫은 다음 설치 프로그램을 '
               '다시 실행하십시오.',
        'P15': '경고: 다른 마우스 드라이버를 먼저 제거하십시오.',
        'P16': '계속하려면 [다음]을 누르십시오.',
        'P3T': '대상 폴더 선택',
        'P31': '설치 프로그램이 %P을(를) 다음 폴더에 설치합니다.',
        'P32': '다른 폴더에 설치하려면 [찾아보기]를 눌러 다른 폴더를 선택하십시오.',
        'P33': '필요한 공간:',
        'P4T': '프로그램 폴더 선택',
        'P41': '설치 프로그램이 아래 프로그램 폴더에 아이콘을 추가합니다. 새 폴더 이름을 '
               '입력하거나 기존 폴더 목록에서 하나를 선택할 수 있습니다. 계속하려면 '
               '[다음]을 누르십시오.',
        'P42': '프로그램 폴더:',
        'P43': '기존 폴더:',
        'P5T': '설치하기 전에',
        'P51': '설치 프로그램이 파일을 복사하기 전에 다음 안내를 읽어 주십시오. 이 '
               '드라이버는 Windows 기본 마우스 드라이버를 대신합니다. 파일을 복사하는 '
               '동안 몇 초간 마우스 포인터가 반응하지 않을 수 있으나 이는 정상입니다. '
               '마우스를 전환기나 키보드 어댑터를 통해 연결한 경우에는 먼저 컴퓨터에 '
               '직접 연결하십시오. 설치가 끝나면 휠과 추가 버튼을 쓰기 위해 Windows를 '
               '다시 시작해야 합니다.',
        'P7T': '마우스 종류 선택',
        'P71': '연결된 마우스의 종류를 선택하십시오.',
        'ROLLER3': '3D 휠 마우스 (휠 1개)',
        'ROLLER5': '4D 휠 마우스 (휠 2개)',
        'PFT': '설치 완료',
        'PF1': '설치 프로그램이 %P 설치를 마쳤습니다.',
        'PF2': '새 마우스 드라이버를 사용하려면 Windows를 다시 시작해야 합니다. '
               '지금 컴퓨터를 다시 시작하시겠습니까?',
        'PF4': '예, 지금 컴퓨터를 다시 시작합니다.',
        'PF5': '아니요, 나중에 컴퓨터를 다시 시작합니다.',
        'PFS': '설치를 완료하지 못했습니다',
        'PF6': '설치 프로그램이 %P을(를) 설치하지 못했습니다.',
        'PF7': ('대상 디스크에 쓸 수 없습니다. 디스크가 가득 찼을 수 있습니다. 이미 '
                '설치된 항목은 모두 제거되어 컴퓨터가 이전 상태로 돌아갔습니다. 디스크 '
                '공간을 확보한 다음 설치를 다시 실행하십시오.'),
    },
    'REM': {
        '1': 'TarnWeld 마우스 제거',
        '2': 'TarnWeld 마우스 드라이버와 모든 구성 요소를 제거하시겠습니까?',
        '3': '파일을 제거하는 중...',
        '4': '설정을 제거하는 중...',
        '5': 'TarnWeld 마우스 드라이버를 제거했습니다. 제거를 마치려면 Windows를 '
             '다시 시작하십시오.',
        '6': '일부 파일을 제거하지 못했습니다. Windows를 다시 시작한 후 삭제하십시오.',
        '7': 'TarnWeld 마우스 드라이버를 제거했습니다.',
        '8': '지금 Windows를 다시 시작하시겠습니까?',
        '9': 'TarnWeld 마우스 드라이버를 제거할 수 없습니다. 제거 로그가 없거나 손상되었습니다.',
        '10': '다른 설치 또는 제거 프로그램이 실행 중입니다. 끝난 후에 다시 시도하십시오.',
    },
}


class TextError(ValueError):
    pass


def check_language(code):
    """Raises TextError when a language's texts break a rule of the engine."""
    texts = TEXTS[code]
    codec = CODE_PAGES[code]
    for section, keys in (('MSG', MSG_KEYS), ('DLG', DLG_KEYS), ('REM', REM_KEYS)):
        got = texts[section]
        if sorted(got) != sorted(keys):
            raise TextError('%s [%s]: keys %s, expected %s' % (code, section, sorted(got), sorted(keys)))
        for key, value in got.items():
            where = '%s [%s] %s' % (code, section, key)
            if not value or value != value.strip():
                raise TextError(where + ': empty or padded with spaces')
            if any(c in value for c in '\r\n\t'):
                raise TextError(where + ': control character')
            data = value.encode(codec)  # raises UnicodeEncodeError if unfit
            limit = MAX_BYTES_LONG if key in LONG_KEYS and section == 'DLG' else MAX_BYTES
            if len(data) > limit:
                raise TextError('%s: %d bytes, at most %d' % (where, len(data), limit))
            wants_placeholder = section == 'DLG' and key in PLACEHOLDER_KEYS
            if wants_placeholder:
                if data.count(b'%') != 1 or b'%P' not in data:
                    raise TextError(where + ': needs exactly one %P and no other %')
            elif b'%' in data:
                raise TextError(where + ': % is only allowed as the %P placeholder')
    p51 = len(texts['DLG']['P51'].encode(codec))
    if not 300 <= p51 <= MAX_BYTES_LONG:
        raise TextError('%s P51: %d bytes, want 300 to %d' % (code, p51, MAX_BYTES_LONG))


def ini_bytes(sections, codec):
    """INI text with CRLF line endings in the given code page."""
    lines = []
    for name, keys, values in sections:
        if lines:
            lines.append('')
        lines.append('[%s]' % name)
        for key in keys:
            lines.append('%s=%s' % (key, values[key]))
    return ('\r\n'.join(lines) + '\r\n').encode(codec)


def setup_text_file(code):
    t = TEXTS[code]
    return ini_bytes([('MSG', MSG_KEYS, t['MSG']), ('DLG', DLG_KEYS, t['DLG'])], CODE_PAGES[code])


def uninstall_text_file(code):
    return ini_bytes([('MSG', REM_KEYS, TEXTS[code]['REM'])], CODE_PAGES[code])


def write_all(package_dir):
    folder = os.path.join(package_dir, 'kv-00001')
    os.makedirs(folder, exist_ok=True)
    written = []
    for code in CODE_PAGES:
        check_language(code)
        for name, data in (('kvsetlan.' + code, setup_text_file(code)),
                           ('kvrem.' + code, uninstall_text_file(code))):
            path = os.path.join(folder, name)
            with open(path, 'wb') as f:
                f.write(data)
            written.append(path)
    return written


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    package_dir = argv[1] if len(argv) > 1 else os.path.join(here, '..', '..', 'package')
    try:
        write_all(package_dir)
    except (TextError, UnicodeEncodeError) as e:
        print('error: %s' % e, file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
