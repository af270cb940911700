<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CommissioningReport</name>
    <message>
        <source>none: the file cannot be read from disk (%1)</source>
        <translation>keine: die Datei lässt sich nicht vom Datenträger lesen (%1)</translation>
    </message>
    <message>
        <source>(the bytes on disk)</source>
        <translation>(die Bytes auf dem Datenträger)</translation>
    </message>
    <message>
        <source>from line %1 of the file (%2)</source>
        <translation>aus Zeile %1 der Datei (%2)</translation>
    </message>
    <message>
        <source>from the file</source>
        <translation>aus der Datei</translation>
    </message>
    <message>
        <source>as set in the editor&apos;s Scale Resolution field</source>
        <translation>wie im Feld Maßstabsauflösung des Editors eingestellt</translation>
    </message>
    <message>
        <source>as given with --resolution</source>
        <translation>wie mit --resolution angegeben</translation>
    </message>
    <message>
        <source>the default: the file has no scale resolution line</source>
        <translation>die Voreinstellung: Die Datei hat keine Maßstabszeile</translation>
    </message>
    <message>
        <source>%1 counts per millimetre, %2</source>
        <translation>%1 Inkremente je Millimeter, %2</translation>
    </message>
    <message>
        <source>; the file&apos;s own scale resolution line says %1</source>
        <translation>; die Maßstabszeile der Datei selbst nennt %1</translation>
    </message>
    <message>
        <source>The editor holds unsaved changes:</source>
        <translation>Der Editor enthält ungespeicherte Änderungen:</translation>
    </message>
    <message>
        <source>the lines below are those shown in the editor and differ from the file on disk.</source>
        <translation>Die Zeilen unten sind die im Editor gezeigten und weichen von der Datei auf dem Datenträger ab.</translation>
    </message>
    <message>
        <source>Commissioning record: %1</source>
        <translation>Inbetriebnahmeprotokoll: %1</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Full path</source>
        <translation>Vollständiger Pfad</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>Scale resolution</source>
        <translation>Maßstabsauflösung</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>not present</source>
        <translation>nicht vorhanden</translation>
    </message>
    <message>
        <source>Also on the line:</source>
        <translation>Außerdem in der Zeile:</translation>
    </message>
    <message>
        <source>Parameters</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>The file holds no described parameter line.</source>
        <translation>Die Datei enthält keine beschriebene Parameterzeile.</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>Zeile</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Integer</source>
        <translation>Ganzzahl</translation>
    </message>
    <message>
        <source>Hex</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>blank</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>scale resolution line</source>
        <translation>Maßstabszeile</translation>
    </message>
    <message>
        <source>parameter %1 (%2) is not described; edited as text</source>
        <translation>Parameter %1 (%2) ist nicht beschrieben; wird als Text bearbeitet</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Other lines</source>
        <translation>Andere Zeilen</translation>
    </message>
    <message>
        <source>Checks</source>
        <translation>Prüfungen</translation>
    </message>
    <message>
        <source>No findings: the editor reads every line as it looks, and a save keeps all of the file.</source>
        <translation>Keine Befunde: Der Editor liest jede Zeile so, wie sie aussieht, und beim Speichern bleibt die ganze Datei erhalten.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Befund</translation>
    </message>
    <message>
        <source>One finding, as %1 reports it:</source>
        <translation>Ein Befund, wie %1 ihn meldet:</translation>
    </message>
    <message>
        <source>%1 findings, as %2 reports them:</source>
        <translation>%1 Befunde, wie %2 sie meldet:</translation>
    </message>
    <message>
        <source>the parameter line, on one side only</source>
        <translation>die Parameterzeile, nur auf einer Seite</translation>
    </message>
    <message>
        <source>a line of other text, on one side only</source>
        <translation>eine Zeile mit anderem Text, nur auf einer Seite</translation>
    </message>
    <message>
        <source>other text on the line</source>
        <translation>anderer Text in der Zeile</translation>
    </message>
    <message>
        <source>the text before the S token</source>
        <translation>der Text vor dem S-Token</translation>
    </message>
    <message>
        <source>the scale resolution</source>
        <translation>die Maßstabsauflösung</translation>
    </message>
    <message>
        <source>text after a NUL byte, which the editor drops</source>
        <translation>Text nach einem NUL-Byte, den der Editor verwirft</translation>
    </message>
    <message>
        <source>the lines after line %1, which the editor drops</source>
        <translation>die Zeilen nach Zeile %1, die der Editor verwirft</translation>
    </message>
    <message>
        <source>hex %1</source>
        <translation>hex %1</translation>
    </message>
    <message>
        <source>%1 mm</source>
        <translation>%1 mm</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>Zeile %1</translation>
    </message>
    <message>
        <source>a field this parameter does not describe</source>
        <translation>ein Feld, das dieser Parameter nicht beschreibt</translation>
    </message>
    <message>
        <source>Comparison with the reference</source>
        <translation>Vergleich mit der Referenz</translation>
    </message>
    <message>
        <source>Reference</source>
        <translation>Referenz</translation>
    </message>
    <message>
        <source>%1, from its own scale resolution line</source>
        <translation>%1, aus ihrer eigenen Maßstabszeile</translation>
    </message>
    <message>
        <source>%1, as for this file: the reference has no scale resolution line</source>
        <translation>%1, wie für diese Datei: Die Referenz hat keine Maßstabszeile</translation>
    </message>
    <message>
        <source>No differences: the files are equal as the editor reads them.</source>
        <translation>Keine Unterschiede: Die Dateien sind gleich, so wie der Editor sie liest.</translation>
    </message>
    <message>
        <source>This file</source>
        <translation>Diese Datei</translation>
    </message>
    <message>
        <source>One difference:</source>
        <translation>Ein Unterschied:</translation>
    </message>
    <message>
        <source>%1 differences:</source>
        <translation>%1 Unterschiede:</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>Techniker/in</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Signature</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <source>Sign-off</source>
        <translation>Abnahme</translation>
    </message>
    <message>
        <source>%1 (parameter lines: %2, other lines: %3)</source>
        <translation>%1 (Parameterzeilen: %2, andere Zeilen: %3)</translation>
    </message>
</context>
<context>
    <name>DownloadFile</name>
    <message>
        <source>Line %1 holds</source>
        <translation>Zeile %1 enthält</translation>
    </message>
    <message>
        <source>Line %1 and one other line hold</source>
        <translation>Zeile %1 und eine weitere Zeile enthalten</translation>
    </message>
    <message>
        <source>Line %1 and %2 other lines hold</source>
        <translation>Zeile %1 und %2 weitere Zeilen enthalten</translation>
    </message>
    <message>
        <source>The file has %1 lines; only the first %2 are kept, and a save drops the rest.</source>
        <translation>Die Datei hat %1 Zeilen; nur die ersten %2 bleiben erhalten, und beim Speichern entfällt der Rest.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MiB; reading stopped in line %2, and a save drops the rest.</source>
        <translation>Die Datei ist größer als %1 MiB; das Lesen endete in Zeile %2, und beim Speichern entfällt der Rest.</translation>
    </message>
    <message>
        <source>%1 a NUL byte; a save drops the rest of %2.</source>
        <translation>%1 ein NUL-Byte; beim Speichern entfällt der Rest %2.</translation>
    </message>
    <message>
        <source>each of those lines</source>
        <translation>jeder dieser Zeilen</translation>
    </message>
    <message>
        <source>that line</source>
        <translation>dieser Zeile</translation>
    </message>
    <message>
        <source>%1 line ends of CR alone; they are read as one line, and a save merges them.</source>
        <translation>%1 Zeilenenden aus einem einzelnen CR; sie werden als eine Zeile gelesen und beim Speichern zusammengefügt.</translation>
    </message>
    <message>
        <source>%1 control bytes; the file may not be text.</source>
        <translation>%1 Steuerzeichen; die Datei ist womöglich keine Textdatei.</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>Es ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>It is not a regular file but a device, FIFO or socket.</source>
        <translation>Es ist keine reguläre Datei, sondern ein Gerät, eine FIFO oder ein Socket.</translation>
    </message>
    <message>
        <source>It cannot be looked at: %1.</source>
        <translation>Die Datei lässt sich nicht abfragen: %1.</translation>
    </message>
    <message>
        <source>Another program changed it while it was being edited; nothing was written.</source>
        <translation>Ein anderes Programm hat die Datei während der Bearbeitung geändert; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Its lock file %1 cannot be read: %2.</source>
        <translation>Ihre Sperrdatei %1 lässt sich nicht lesen: %2.</translation>
    </message>
    <message>
        <source>Its lock file %1 cannot be made: %2.</source>
        <translation>Ihre Sperrdatei %1 lässt sich nicht anlegen: %2.</translation>
    </message>
    <message>
        <source>Its lock file %1 cannot be locked: %2.</source>
        <translation>Ihre Sperrdatei %1 lässt sich nicht sperren: %2.</translation>
    </message>
    <message>
        <source>It is being edited: its lock file %1 is held by a process that does not name itself.</source>
        <translation>Die Datei wird gerade bearbeitet: Ihre Sperrdatei %1 hält ein Prozess, der sich nicht nennt.</translation>
    </message>
    <message>
        <source>It is being edited by %1process %2, which holds its lock file %3.</source>
        <translation>Die Datei wird gerade von %1Prozess %2 bearbeitet, der ihre Sperrdatei %3 hält.</translation>
    </message>
    <message>
        <source>It cannot be opened for writing: %1.</source>
        <translation>Die Datei lässt sich nicht zum Schreiben öffnen: %1.</translation>
    </message>
    <message>
        <source>It cannot be written in place: %1.</source>
        <translation>Die Datei lässt sich nicht an Ort und Stelle schreiben: %1.</translation>
    </message>
    <message>
        <source>Its new copy cannot be written: %1.</source>
        <translation>Ihre neue Kopie lässt sich nicht schreiben: %1.</translation>
    </message>
    <message>
        <source>It cannot be replaced: %1.</source>
        <translation>Die Datei lässt sich nicht ersetzen: %1.</translation>
    </message>
    <message>
        <source>Its new copy cannot be made: %1.</source>
        <translation>Ihre neue Kopie lässt sich nicht anlegen: %1.</translation>
    </message>
</context>
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
        <source>[FILE]</source>
        <translation>[DATEI]</translation>
    </message>
    <message>
        <source>The download file to open (.oad or .txt). Of several, the last one is opened; one that cannot be opened is reported.</source>
        <translation>Die zu öffnende Download-Datei (.oad oder .txt). Von mehreren wird die letzte geöffnet; eine, die sich nicht öffnen lässt, wird gemeldet.</translation>
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
    <message>
        <source>Reference file cannot be kept whole</source>
        <translation>Referenzdatei kann nicht vollständig erhalten bleiben</translation>
    </message>
    <message>
        <source>The editor cannot keep all of the reference file:</source>
        <translation>Der Editor kann die Referenzdatei nicht vollständig erhalten:</translation>
    </message>
    <message>
        <source>The reference is only read, never saved. A line that lost something in the reading is still compared, but its values are neither shown nor taken over.</source>
        <translation>Die Referenz wird nur gelesen, nie gespeichert. Eine Zeile, die beim Lesen etwas verloren hat, wird trotzdem verglichen, aber ihre Werte werden weder angezeigt noch übernommen.</translation>
    </message>
    <message>
        <source>Line %1: %2 → %3</source>
        <translation>Zeile %1: %2 → %3</translation>
    </message>
    <message>
        <source>Export commissioning record</source>
        <translation>Inbetriebnahmeprotokoll exportieren</translation>
    </message>
    <message>
        <source>Unable to write the PDF file</source>
        <translation>Die PDF-Datei lässt sich nicht schreiben</translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Commissioning record</source>
        <translation>Inbetriebnahmeprotokoll</translation>
    </message>
</context>
<context>
    <name>TChangeStepper</name>
    <message>
        <source>Next line that differs from the reference</source>
        <translation>Nächste Zeile, die von der Referenz abweicht</translation>
    </message>
    <message>
        <source>Next changed line</source>
        <translation>Nächste geänderte Zeile</translation>
    </message>
    <message>
        <source>Previous line that differs from the reference</source>
        <translation>Vorherige Zeile, die von der Referenz abweicht</translation>
    </message>
    <message>
        <source>Previous changed line</source>
        <translation>Vorherige geänderte Zeile</translation>
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
    <message>
        <source>Value in the reference file; millimetres at the reference&apos;s own scale resolution, %1 counts per mm (its line %2)</source>
        <translation>Wert in der Referenzdatei; Millimeter nach der eigenen Maßstabsauflösung der Referenz, %1 Inkremente pro mm (ihre Zeile %2)</translation>
    </message>
    <message>
        <source>Value in the reference file; millimetres at the download file&apos;s scale resolution, %1 counts per mm, as the reference has no scale resolution line</source>
        <translation>Wert in der Referenzdatei; Millimeter nach der Maßstabsauflösung der Download-Datei, %1 Inkremente pro mm, da die Referenz keine Zeile mit Maßstabsauflösung hat</translation>
    </message>
    <message>
        <source>not read whole</source>
        <translation>unvollständig</translation>
    </message>
    <message>
        <source>Line %1 of the reference could not be read whole: its values are neither shown nor taken over.</source>
        <translation>Zeile %1 der Referenz ließ sich nicht vollständig lesen: Ihre Werte werden weder angezeigt noch übernommen.</translation>
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
        <source>This file looks like UTF-8: accented letters may show as two characters. Its bytes are kept.</source>
        <translation>Diese Datei sieht nach UTF-8 aus: Umlaute und Akzente können als zwei Zeichen erscheinen. Ihre Bytes bleiben erhalten.</translation>
    </message>
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
        <translation>Vorherige Zeile</translation>
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
<context>
    <name>TFindBar</name>
    <message>
        <source>Find (%1)</source>
        <translation>Suchen (%1)</translation>
    </message>
    <message>
        <source>Parameter (S1B), field (S3.U), words of the help texts, a value in decimal or hexadecimal, or any text of a line</source>
        <translation>Parameter (S1B), Feld (S3.U), Wörter der Hilfetexte, ein Wert dezimal oder hexadezimal oder beliebiger Text einer Zeile</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Clear the search</source>
        <translation>Suche leeren</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message numerus="yes">
        <source>%n found</source>
        <translation>
            <numerusform>%n Treffer</numerusform>
            <numerusform>%n Treffer</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2, from the top</source>
        <translation>%1 von %2, wieder von oben</translation>
    </message>
    <message>
        <source>%1 of %2, from the bottom</source>
        <translation>%1 von %2, wieder von unten</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>TParameterTable</name>
    <message>
        <source>X axis maximum velocity</source>
        <translation>Maximalgeschwindigkeit X-Achse</translation>
    </message>
    <message>
        <source>Y axis maximum velocity</source>
        <translation>Maximalgeschwindigkeit Y-Achse</translation>
    </message>
    <message>
        <source>Z axis maximum velocity</source>
        <translation>Maximalgeschwindigkeit Z-Achse</translation>
    </message>
    <message>
        <source>W axis maximum velocity</source>
        <translation>Maximalgeschwindigkeit W-Achse</translation>
    </message>
    <message>
        <source>Maximum 3D acceleration</source>
        <translation>Maximale 3D-Beschleunigung</translation>
    </message>
    <message>
        <source>X axis system gain</source>
        <translation>Systemverstärkung X-Achse</translation>
    </message>
    <message>
        <source>Y axis system gain</source>
        <translation>Systemverstärkung Y-Achse</translation>
    </message>
    <message>
        <source>Z axis system gain</source>
        <translation>Systemverstärkung Z-Achse</translation>
    </message>
    <message>
        <source>W axis system gain</source>
        <translation>Systemverstärkung W-Achse</translation>
    </message>
    <message>
        <source>All axis system gain</source>
        <translation>Systemverstärkung aller Achsen</translation>
    </message>
    <message>
        <source>Feedforward multiplier</source>
        <translation>Vorsteuerfaktor</translation>
    </message>
    <message>
        <source>Probe maximum touch speed</source>
        <translation>Taster: maximale Antastgeschwindigkeit</translation>
    </message>
    <message>
        <source>Probe maximum overtravel limit</source>
        <translation>Taster: maximale Überlaufgrenze</translation>
    </message>
    <message>
        <source>Probe minimum overtravel limit</source>
        <translation>Taster: minimale Überlaufgrenze</translation>
    </message>
    <message>
        <source>DIGI lock gain</source>
        <translation>DIGI-Lock-Verstärkung</translation>
    </message>
    <message>
        <source>Sample zone around hardware checkpoint</source>
        <translation>Abtastzone um den Hardware-Kontrollpunkt</translation>
    </message>
    <message>
        <source>X axis positive hardware checkpoint</source>
        <translation>Positiver Hardware-Kontrollpunkt X-Achse</translation>
    </message>
    <message>
        <source>Y axis positive hardware checkpoint</source>
        <translation>Positiver Hardware-Kontrollpunkt Y-Achse</translation>
    </message>
    <message>
        <source>Z axis positive hardware checkpoint</source>
        <translation>Positiver Hardware-Kontrollpunkt Z-Achse</translation>
    </message>
    <message>
        <source>W axis positive hardware checkpoint</source>
        <translation>Positiver Hardware-Kontrollpunkt W-Achse</translation>
    </message>
    <message>
        <source>X axis acceleration feed-forward (Tackless Motor)</source>
        <translation>Beschleunigungsvorsteuerung X-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Y axis acceleration feed-forward (Tackless Motor)</source>
        <translation>Beschleunigungsvorsteuerung Y-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Z axis acceleration feed-forward (Tackless Motor)</source>
        <translation>Beschleunigungsvorsteuerung Z-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>W axis acceleration feed-forward (Tackless Motor)</source>
        <translation>Beschleunigungsvorsteuerung W-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>X axis PID derivitive gain (Tackless Motor)</source>
        <translation>PID-Differenzialverstärkung X-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Y axis PID derivitive gain (Tackless Motor)</source>
        <translation>PID-Differenzialverstärkung Y-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Z axis PID derivitive gain (Tackless Motor)</source>
        <translation>PID-Differenzialverstärkung Z-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>W axis PID derivitive gain (Tackless Motor)</source>
        <translation>PID-Differenzialverstärkung W-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>X axis PID integral gain (Tackless Motor)</source>
        <translation>PID-Integralverstärkung X-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Y axis PID integral gain (Tackless Motor)</source>
        <translation>PID-Integralverstärkung Y-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>Z axis PID integral gain (Tackless Motor)</source>
        <translation>PID-Integralverstärkung Z-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>W axis PID integral gain (Tackless Motor)</source>
        <translation>PID-Integralverstärkung W-Achse (Tackless Motor)</translation>
    </message>
    <message>
        <source>X axis negative hardware checkpoint</source>
        <translation>Negativer Hardware-Kontrollpunkt X-Achse</translation>
    </message>
    <message>
        <source>Y axis negative hardware checkpoint</source>
        <translation>Negativer Hardware-Kontrollpunkt Y-Achse</translation>
    </message>
    <message>
        <source>Z axis negative hardware checkpoint</source>
        <translation>Negativer Hardware-Kontrollpunkt Z-Achse</translation>
    </message>
    <message>
        <source>W axis negative hardware checkpoint</source>
        <translation>Negativer Hardware-Kontrollpunkt W-Achse</translation>
    </message>
    <message>
        <source>X axis positive software limit</source>
        <translation>Positiver Software-Endschalter X-Achse</translation>
    </message>
    <message>
        <source>Y axis positive software limit</source>
        <translation>Positiver Software-Endschalter Y-Achse</translation>
    </message>
    <message>
        <source>Z axis positive software limit</source>
        <translation>Positiver Software-Endschalter Z-Achse</translation>
    </message>
    <message>
        <source>W axis positive software limit</source>
        <translation>Positiver Software-Endschalter W-Achse</translation>
    </message>
    <message>
        <source>X axis negative software limit</source>
        <translation>Negativer Software-Endschalter X-Achse</translation>
    </message>
    <message>
        <source>Y axis negative software limit</source>
        <translation>Negativer Software-Endschalter Y-Achse</translation>
    </message>
    <message>
        <source>Z axis negative software limit</source>
        <translation>Negativer Software-Endschalter Z-Achse</translation>
    </message>
    <message>
        <source>W axis negative software limit</source>
        <translation>Negativer Software-Endschalter W-Achse</translation>
    </message>
    <message>
        <source>X axis in position zone</source>
        <translation>Positionierfenster X-Achse</translation>
    </message>
    <message>
        <source>Y axis in position zone</source>
        <translation>Positionierfenster Y-Achse</translation>
    </message>
    <message>
        <source>Z axis in position zone</source>
        <translation>Positionierfenster Z-Achse</translation>
    </message>
    <message>
        <source>W axis in position zone</source>
        <translation>Positionierfenster W-Achse</translation>
    </message>
    <message>
        <source>Slow continuous jog P1</source>
        <translation>Tippbetrieb kontinuierlich langsam P1</translation>
    </message>
    <message>
        <source>Slow continuous jog P2</source>
        <translation>Tippbetrieb kontinuierlich langsam P2</translation>
    </message>
    <message>
        <source>Fast continuous jog P1</source>
        <translation>Tippbetrieb kontinuierlich schnell P1</translation>
    </message>
    <message>
        <source>Fast continuous jog P2</source>
        <translation>Tippbetrieb kontinuierlich schnell P2</translation>
    </message>
    <message>
        <source>Fixed rate jog P1</source>
        <translation>Tippbetrieb mit fester Geschwindigkeit P1</translation>
    </message>
    <message>
        <source>Fixed rate jog P2</source>
        <translation>Tippbetrieb mit fester Geschwindigkeit P2</translation>
    </message>
    <message>
        <source>Slow incremental jog P1</source>
        <translation>Tippbetrieb inkrementell langsam P1</translation>
    </message>
    <message>
        <source>Slow incremental jog P2</source>
        <translation>Tippbetrieb inkrementell langsam P2</translation>
    </message>
    <message>
        <source>Slow incremental jog distance</source>
        <translation>Schrittweite Tippbetrieb inkrementell langsam</translation>
    </message>
    <message>
        <source>Fast incremental jog P1</source>
        <translation>Tippbetrieb inkrementell schnell P1</translation>
    </message>
    <message>
        <source>Fast incremental jog P2</source>
        <translation>Tippbetrieb inkrementell schnell P2</translation>
    </message>
    <message>
        <source>Fast incremental jog distance</source>
        <translation>Schrittweite Tippbetrieb inkrementell schnell</translation>
    </message>
    <message>
        <source>X axis DIGI lock zone</source>
        <translation>DIGI-Lock-Zone X-Achse</translation>
    </message>
    <message>
        <source>Y axis DIGI lock zone</source>
        <translation>DIGI-Lock-Zone Y-Achse</translation>
    </message>
    <message>
        <source>Z axis DIGI lock zone</source>
        <translation>DIGI-Lock-Zone Z-Achse</translation>
    </message>
    <message>
        <source>W axis DIGI lock zone</source>
        <translation>DIGI-Lock-Zone W-Achse</translation>
    </message>
    <message>
        <source>Jog acceleration multiplier (1000 = 100%)</source>
        <translation>Beschleunigungsfaktor Tippbetrieb (1000 = 100%)</translation>
    </message>
    <message>
        <source>X axis jog box polarity normal/reversed [0/FF]</source>
        <translation>Polarität Handbediengerät X-Achse normal/umgekehrt [0/FF]</translation>
    </message>
    <message>
        <source>Y axis jog box polarity normal/reversed [0/FF]</source>
        <translation>Polarität Handbediengerät Y-Achse normal/umgekehrt [0/FF]</translation>
    </message>
    <message>
        <source>Z axis jog box polarity normal/reversed [0/FF]</source>
        <translation>Polarität Handbediengerät Z-Achse normal/umgekehrt [0/FF]</translation>
    </message>
    <message>
        <source>X axis resolution [0 to disable]</source>
        <translation>Auflösung X-Achse [0 = deaktiviert]</translation>
    </message>
    <message>
        <source>Y axis resolution [0 to disable]</source>
        <translation>Auflösung Y-Achse [0 = deaktiviert]</translation>
    </message>
    <message>
        <source>Z axis resolution [0 to disable]</source>
        <translation>Auflösung Z-Achse [0 = deaktiviert]</translation>
    </message>
    <message>
        <source>W axis resolution [0 to disable]</source>
        <translation>Auflösung W-Achse [0 = deaktiviert]</translation>
    </message>
    <message>
        <source>Motorized probe [9 enable, 0 disable]</source>
        <translation>Motorisierter Taster [9 ein, 0 aus]</translation>
    </message>
    <message>
        <source>Rotary axis wrap count</source>
        <translation>Umlaufzählwert Rundachse</translation>
    </message>
    <message>
        <source>Homing interlock</source>
        <translation>Verriegelung Referenzfahrt</translation>
    </message>
    <message>
        <source>X axis home interlock</source>
        <translation>Verriegelung Referenzfahrt X-Achse</translation>
    </message>
    <message>
        <source>Y axis home interlock</source>
        <translation>Verriegelung Referenzfahrt Y-Achse</translation>
    </message>
    <message>
        <source>Z axis home interlock</source>
        <translation>Verriegelung Referenzfahrt Z-Achse</translation>
    </message>
    <message>
        <source>W axis home interlock</source>
        <translation>Verriegelung Referenzfahrt W-Achse</translation>
    </message>
    <message>
        <source>X axis homing velocity constant</source>
        <translation>Geschwindigkeitskonstante Referenzfahrt X-Achse</translation>
    </message>
    <message>
        <source>Y axis homing velocity constant</source>
        <translation>Geschwindigkeitskonstante Referenzfahrt Y-Achse</translation>
    </message>
    <message>
        <source>Z axis homing velocity constant</source>
        <translation>Geschwindigkeitskonstante Referenzfahrt Z-Achse</translation>
    </message>
    <message>
        <source>W axis homing velocity constant</source>
        <translation>Geschwindigkeitskonstante Referenzfahrt W-Achse</translation>
    </message>
    <message>
        <source>Status report mask</source>
        <translation>Maske der Statusmeldungen</translation>
    </message>
    <message>
        <source>Vector reporting enabled/disabled [0/FF]</source>
        <translation>Vektormeldung ein/aus [0/FF]</translation>
    </message>
    <message>
        <source>Flexible parameter 1A</source>
        <translation>Flexibler Parameter 1A</translation>
    </message>
    <message>
        <source>Flexible parameter 1B</source>
        <translation>Flexibler Parameter 1B</translation>
    </message>
    <message>
        <source>Flexible parameter 1C</source>
        <translation>Flexibler Parameter 1C</translation>
    </message>
    <message>
        <source>Flexible parameter 1D</source>
        <translation>Flexibler Parameter 1D</translation>
    </message>
    <message>
        <source>Flexible parameter 2A</source>
        <translation>Flexibler Parameter 2A</translation>
    </message>
    <message>
        <source>Flexible parameter 2B</source>
        <translation>Flexibler Parameter 2B</translation>
    </message>
    <message>
        <source>Flexible parameter 2C</source>
        <translation>Flexibler Parameter 2C</translation>
    </message>
    <message>
        <source>Flexible parameter 2D</source>
        <translation>Flexibler Parameter 2D</translation>
    </message>
    <message>
        <source>Flexible parameter 3A</source>
        <translation>Flexibler Parameter 3A</translation>
    </message>
    <message>
        <source>Flexible parameter 3B</source>
        <translation>Flexibler Parameter 3B</translation>
    </message>
    <message>
        <source>Flexible parameter 3C</source>
        <translation>Flexibler Parameter 3C</translation>
    </message>
    <message>
        <source>Flexible parameter 3D</source>
        <translation>Flexibler Parameter 3D</translation>
    </message>
    <message>
        <source>Flexible parameter 4A</source>
        <translation>Flexibler Parameter 4A</translation>
    </message>
    <message>
        <source>Flexible parameter 4B</source>
        <translation>Flexibler Parameter 4B</translation>
    </message>
    <message>
        <source>Flexible parameter 4C</source>
        <translation>Flexibler Parameter 4C</translation>
    </message>
    <message>
        <source>Flexible parameter 4D</source>
        <translation>Flexibler Parameter 4D</translation>
    </message>
    <message>
        <source>Flexible parameter 5A</source>
        <translation>Flexibler Parameter 5A</translation>
    </message>
    <message>
        <source>Flexible parameter 5B</source>
        <translation>Flexibler Parameter 5B</translation>
    </message>
    <message>
        <source>Flexible parameter 5C</source>
        <translation>Flexibler Parameter 5C</translation>
    </message>
    <message>
        <source>Flexible parameter 5D</source>
        <translation>Flexibler Parameter 5D</translation>
    </message>
    <message>
        <source>Flexible parameter 6A</source>
        <translation>Flexibler Parameter 6A</translation>
    </message>
    <message>
        <source>Flexible parameter 6B</source>
        <translation>Flexibler Parameter 6B</translation>
    </message>
    <message>
        <source>Flexible parameter 6C</source>
        <translation>Flexibler Parameter 6C</translation>
    </message>
    <message>
        <source>Flexible parameter 6D</source>
        <translation>Flexibler Parameter 6D</translation>
    </message>
    <message>
        <source>Flexible parameter 7A</source>
        <translation>Flexibler Parameter 7A</translation>
    </message>
    <message>
        <source>Flexible parameter 7B</source>
        <translation>Flexibler Parameter 7B</translation>
    </message>
    <message>
        <source>Flexible parameter 7C</source>
        <translation>Flexibler Parameter 7C</translation>
    </message>
    <message>
        <source>Flexible parameter 7D</source>
        <translation>Flexibler Parameter 7D</translation>
    </message>
    <message>
        <source>Flexible parameter 8A</source>
        <translation>Flexibler Parameter 8A</translation>
    </message>
    <message>
        <source>Flexible parameter 8B</source>
        <translation>Flexibler Parameter 8B</translation>
    </message>
    <message>
        <source>Flexible parameter 8C</source>
        <translation>Flexibler Parameter 8C</translation>
    </message>
    <message>
        <source>Flexible parameter 8D</source>
        <translation>Flexibler Parameter 8D</translation>
    </message>
    <message>
        <source>Flexible parameter 9A</source>
        <translation>Flexibler Parameter 9A</translation>
    </message>
    <message>
        <source>Flexible parameter 9B</source>
        <translation>Flexibler Parameter 9B</translation>
    </message>
    <message>
        <source>Flexible parameter 9C</source>
        <translation>Flexibler Parameter 9C</translation>
    </message>
    <message>
        <source>Flexible parameter 9D</source>
        <translation>Flexibler Parameter 9D</translation>
    </message>
    <message>
        <source>Flexible parameter 10A</source>
        <translation>Flexibler Parameter 10A</translation>
    </message>
    <message>
        <source>Flexible parameter 10B</source>
        <translation>Flexibler Parameter 10B</translation>
    </message>
    <message>
        <source>Flexible parameter 10C</source>
        <translation>Flexibler Parameter 10C</translation>
    </message>
    <message>
        <source>Flexible parameter 10D</source>
        <translation>Flexibler Parameter 10D</translation>
    </message>
    <message>
        <source>Flexible parameter 11A</source>
        <translation>Flexibler Parameter 11A</translation>
    </message>
    <message>
        <source>Flexible parameter 11B</source>
        <translation>Flexibler Parameter 11B</translation>
    </message>
    <message>
        <source>Flexible parameter 11C</source>
        <translation>Flexibler Parameter 11C</translation>
    </message>
    <message>
        <source>Flexible parameter 11D</source>
        <translation>Flexibler Parameter 11D</translation>
    </message>
    <message>
        <source>Flexible parameter 12A</source>
        <translation>Flexibler Parameter 12A</translation>
    </message>
    <message>
        <source>Flexible parameter 12B</source>
        <translation>Flexibler Parameter 12B</translation>
    </message>
    <message>
        <source>Flexible parameter 12C</source>
        <translation>Flexibler Parameter 12C</translation>
    </message>
    <message>
        <source>Flexible parameter 12D</source>
        <translation>Flexibler Parameter 12D</translation>
    </message>
    <message>
        <source>Flexible parameter 13A</source>
        <translation>Flexibler Parameter 13A</translation>
    </message>
    <message>
        <source>Flexible parameter 13B</source>
        <translation>Flexibler Parameter 13B</translation>
    </message>
    <message>
        <source>Flexible parameter 13C</source>
        <translation>Flexibler Parameter 13C</translation>
    </message>
    <message>
        <source>Flexible parameter 13D</source>
        <translation>Flexibler Parameter 13D</translation>
    </message>
    <message>
        <source>Flexible parameter 14A</source>
        <translation>Flexibler Parameter 14A</translation>
    </message>
    <message>
        <source>Flexible parameter 14B</source>
        <translation>Flexibler Parameter 14B</translation>
    </message>
    <message>
        <source>Flexible parameter 14C</source>
        <translation>Flexibler Parameter 14C</translation>
    </message>
    <message>
        <source>Flexible parameter 14D</source>
        <translation>Flexibler Parameter 14D</translation>
    </message>
    <message>
        <source>Flexible parameter 15A</source>
        <translation>Flexibler Parameter 15A</translation>
    </message>
    <message>
        <source>Flexible parameter 15B</source>
        <translation>Flexibler Parameter 15B</translation>
    </message>
    <message>
        <source>Flexible parameter 15C</source>
        <translation>Flexibler Parameter 15C</translation>
    </message>
    <message>
        <source>Flexible parameter 15D</source>
        <translation>Flexibler Parameter 15D</translation>
    </message>
    <message>
        <source>Flexible parameter 16A</source>
        <translation>Flexibler Parameter 16A</translation>
    </message>
    <message>
        <source>Flexible parameter 16B.
Probe type (integer): PI6 [32], TTL [33], PICS [34]</source>
        <translation>Flexibler Parameter 16B.
Tastertyp (Ganzzahl): PI6 [32], TTL [33], PICS [34]</translation>
    </message>
    <message>
        <source>Flexible parameter 16C</source>
        <translation>Flexibler Parameter 16C</translation>
    </message>
    <message>
        <source>Flexible parameter 16D</source>
        <translation>Flexibler Parameter 16D</translation>
    </message>
</context>
<context>
    <name>TReferenceComparison</name>
    <message>
        <source>no parameters differ</source>
        <translation>kein Parameter weicht ab</translation>
    </message>
    <message>
        <source>1 parameter differs</source>
        <translation>1 Parameter weicht ab</translation>
    </message>
    <message>
        <source>%1 parameters differ</source>
        <translation>%1 Parameter weichen ab</translation>
    </message>
    <message>
        <source>only here: %1</source>
        <translation>nur hier: %1</translation>
    </message>
    <message>
        <source>only in the reference: %1</source>
        <translation>nur in der Referenz: %1</translation>
    </message>
    <message>
        <source>duplicated here: %1</source>
        <translation>hier mehrfach: %1</translation>
    </message>
    <message>
        <source>duplicated in the reference: %1</source>
        <translation>in der Referenz mehrfach: %1</translation>
    </message>
    <message>
        <source>scale resolution differs</source>
        <translation>Maßstabsauflösung weicht ab</translation>
    </message>
    <message>
        <source>1 other line differs</source>
        <translation>1 weitere Zeile weicht ab</translation>
    </message>
    <message>
        <source>%1 other lines differ</source>
        <translation>%1 weitere Zeilen weichen ab</translation>
    </message>
</context>
<context>
    <name>TReportPrinter</name>
    <message>
        <source>Print the commissioning record</source>
        <translation>Inbetriebnahmeprotokoll drucken</translation>
    </message>
    <message>
        <source>Export the commissioning record as PDF</source>
        <translation>Inbetriebnahmeprotokoll als PDF exportieren</translation>
    </message>
    <message>
        <source>Export Commissioning Record</source>
        <translation>Inbetriebnahmeprotokoll exportieren</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
</context>
<context>
    <name>ValueFormat</name>
    <message>
        <source>Outside -2147483648 to 4294967295</source>
        <translation>Außerhalb von -2147483648 bis 4294967295</translation>
    </message>
    <message>
        <source>Not a whole number: digits with an optional sign</source>
        <translation>Keine ganze Zahl: Ziffern mit optionalem Vorzeichen</translation>
    </message>
    <message>
        <source>Not a number of millimetres: digits with one decimal point or comma</source>
        <translation>Keine Millimeterangabe: Ziffern mit einem Dezimalpunkt oder -komma</translation>
    </message>
    <message>
        <source>Empty: type a whole number</source>
        <translation>Leer: Geben Sie eine ganze Zahl ein</translation>
    </message>
    <message>
        <source>No digits after 0x</source>
        <translation>Keine Ziffern nach 0x</translation>
    </message>
    <message>
        <source>Empty: type one to eight hexadecimal digits</source>
        <translation>Leer: Geben Sie ein bis acht Hexadezimalziffern ein</translation>
    </message>
    <message>
        <source>Not a hexadecimal number: digits 0-9 and A-F, optionally after 0x</source>
        <translation>Keine Hexadezimalzahl: Ziffern 0-9 und A-F, wahlweise nach 0x</translation>
    </message>
    <message>
        <source>More than eight hexadecimal digits</source>
        <translation>Mehr als acht Hexadezimalziffern</translation>
    </message>
    <message>
        <source>No scale resolution: millimetres cannot be converted</source>
        <translation>Keine Maßstabsauflösung: Millimeter lassen sich nicht umrechnen</translation>
    </message>
    <message>
        <source>Empty: type a length in millimetres</source>
        <translation>Leer: Geben Sie eine Länge in Millimetern ein</translation>
    </message>
</context>
</TS>
