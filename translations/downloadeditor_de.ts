<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>EditorCommandLine</name>
    <message>
        <source>Compare the download file with REFERENCE, another download file that is only read: differing lines are marked and the reference&apos;s values can be taken over.</source>
        <translation>Vergleicht die Download-Datei mit REFERENZ, einer weiteren Download-Datei, die nur gelesen wird: Abweichende Zeilen werden markiert, und die Werte der Referenz lassen sich übernehmen.</translation>
    </message>
    <message>
        <source>REFERENCE</source>
        <translation>REFERENZ</translation>
    </message>
    <message>
        <source>Editor for the parameter download files of the Vantor4-16 motion controller.</source>
        <translation>Editor für die Parameter-Download-Dateien der Bewegungssteuerung Vantor4-16.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>The download file to open (.oad or .txt). Of several, the last one is opened; one that does not exist opens nothing.</source>
        <translation>Die zu öffnende Download-Datei (.oad oder .txt). Von mehreren wird die letzte geöffnet; eine, die es nicht gibt, öffnet nichts.</translation>
    </message>
    <message>
        <source>[FILE]</source>
        <translation>[DATEI]</translation>
    </message>
</context>
<context>
    <name>FileLineAccessible</name>
    <message>
        <source>Lines of the download file</source>
        <translation>Zeilen der Download-Datei</translation>
    </message>
    <message>
        <source>Changed since the file was loaded or saved</source>
        <translation>Geändert seit dem Laden oder Speichern der Datei</translation>
    </message>
    <message>
        <source>Differs from the reference file</source>
        <translation>Weicht von der Referenzdatei ab</translation>
    </message>
</context>
<context>
    <name>MessageCatalogue</name>
    <message>
        <source>Open download file</source>
        <translation>Download-Datei öffnen</translation>
    </message>
    <message>
        <source>Unable to open the download file</source>
        <translation>Die Download-Datei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Write download file</source>
        <translation>Download-Datei schreiben</translation>
    </message>
    <message>
        <source>Unable to write the download file</source>
        <translation>Die Download-Datei lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>Open reference file</source>
        <translation>Referenzdatei öffnen</translation>
    </message>
    <message>
        <source>Unable to open the reference file</source>
        <translation>Die Referenzdatei lässt sich nicht öffnen</translation>
    </message>
    <message>
        <source>Data Not Saved</source>
        <translation>Daten nicht gespeichert</translation>
    </message>
    <message>
        <source>The download file has been modified.  Do you want to save the changes?</source>
        <translation>Die Download-Datei wurde geändert. Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Download file cannot be kept whole</source>
        <translation>Download-Datei kann nicht vollständig erhalten bleiben</translation>
    </message>
    <message>
        <source>The editor cannot keep all of the download file:</source>
        <translation>Der Editor kann die Download-Datei nicht vollständig erhalten:</translation>
    </message>
    <message>
        <source>Saving over this file will ask first.</source>
        <translation>Vor dem Überschreiben dieser Datei fragt der Editor nach.</translation>
    </message>
    <message>
        <source>Save over the original file</source>
        <translation>Originaldatei überschreiben</translation>
    </message>
    <message>
        <source>The editor could not keep all of the download file:</source>
        <translation>Der Editor konnte die Download-Datei nicht vollständig erhalten:</translation>
    </message>
    <message>
        <source>Do you want to save over it all the same and lose this?</source>
        <translation>Möchten Sie die Datei trotzdem überschreiben und dies verlieren?</translation>
    </message>
    <message>
        <source>Download file changed on disk</source>
        <translation>Download-Datei auf dem Datenträger geändert</translation>
    </message>
    <message>
        <source>Another program has changed the download file since it was opened or last saved here:</source>
        <translation>Ein anderes Programm hat die Download-Datei geändert, seit sie hier geöffnet oder zuletzt gespeichert wurde:</translation>
    </message>
    <message>
        <source>Do you want to overwrite those changes?</source>
        <translation>Möchten Sie diese Änderungen überschreiben?</translation>
    </message>
    <message>
        <source>Settings not saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Unable to write the settings file</source>
        <translation>Die Einstellungsdatei lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>The last download file and the scale resolution will not be remembered.</source>
        <translation>Die letzte Download-Datei und die Maßstabsauflösung werden beim nächsten Start nicht wiederhergestellt.</translation>
    </message>
</context>
<context>
    <name>TComparisonControls</name>
    <message>
        <source>Compare with a reference file</source>
        <translation>Mit einer Referenzdatei vergleichen</translation>
    </message>
    <message>
        <source>Take over the reference values</source>
        <translation>Referenzwerte übernehmen</translation>
    </message>
    <message>
        <source>End the comparison</source>
        <translation>Vergleich beenden</translation>
    </message>
    <message>
        <source>Open Reference Download File</source>
        <translation>Referenz-Download-Datei öffnen</translation>
    </message>
    <message>
        <source>Vantor Download Files (*.oad *.txt)</source>
        <translation>Vantor-Download-Dateien (*.oad *.txt)</translation>
    </message>
    <message>
        <source>Reference %1: %2</source>
        <translation>Referenz %1: %2</translation>
    </message>
</context>
<context>
    <name>TDataEditorWidget</name>
    <message>
        <source>none</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>Line text</source>
        <translation>Zeilentext</translation>
    </message>
</context>
<context>
    <name>TDataItemWidget</name>
    <message>
        <source>Reference: %1</source>
        <translation>Referenz: %1</translation>
    </message>
    <message>
        <source>Value in the reference file</source>
        <translation>Wert in der Referenzdatei</translation>
    </message>
    <message>
        <source>Integer:</source>
        <translation>Ganzzahl:</translation>
    </message>
    <message>
        <source>Value (mm):</source>
        <translation>Wert (mm):</translation>
    </message>
    <message>
        <source>Help Text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Hexadecimal:</source>
        <translation>Hexadezimal:</translation>
    </message>
    <message>
        <source>%1 integer</source>
        <translation>%1 Ganzzahl</translation>
    </message>
    <message>
        <source>%1 hexadecimal</source>
        <translation>%1 hexadezimal</translation>
    </message>
    <message>
        <source>%1 millimetres</source>
        <translation>%1 Millimeter</translation>
    </message>
</context>
<context>
    <name>TDownloadEditor</name>
    <message>
        <source>Vantor Download Files (*.oad *.txt)</source>
        <translation>Vantor-Download-Dateien (*.oad *.txt)</translation>
    </message>
    <message>
        <source>Active Download File:</source>
        <translation>Aktive Download-Datei:</translation>
    </message>
    <message>
        <source>Vantor4-16 Download Editor - Version 3.0</source>
        <translation>Vantor4-16 Download-Editor - Version 3.0</translation>
    </message>
    <message>
        <source>Recent Download File:</source>
        <translation>Letzte Download-Datei:</translation>
    </message>
    <message>
        <source>Load download file</source>
        <translation>Download-Datei laden</translation>
    </message>
    <message>
        <source>Save download file</source>
        <translation>Download-Datei speichern</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Vantor4-16 parameter download editor - for service use by trained technicians</source>
        <translation>Vantor4-16 Parameter-Download-Editor - für den Service-Einsatz durch geschultes Fachpersonal</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Open Vantor4-16 Download File</source>
        <translation>Vantor4-16-Download-Datei öffnen</translation>
    </message>
    <message>
        <source>Line %1: %2 → %3</source>
        <translation>Zeile %1: %2 → %3</translation>
    </message>
    <message>
        <source>Write Vantor4-16 Download File</source>
        <translation>Vantor4-16-Download-Datei speichern</translation>
    </message>
</context>
<context>
    <name>TFileLineWidget</name>
    <message>
        <source>Scale Resolution:</source>
        <translation>Maßstabsauflösung:</translation>
    </message>
    <message>
        <source>Previous line</source>
        <translation>Vorige Zeile</translation>
    </message>
    <message>
        <source>Next line</source>
        <translation>Nächste Zeile</translation>
    </message>
    <message>
        <source>Scale Resolution</source>
        <translation>Maßstabsauflösung</translation>
    </message>
    <message>
        <source>Counts per millimetre</source>
        <translation>Inkremente pro Millimeter</translation>
    </message>
</context>
</TS>
