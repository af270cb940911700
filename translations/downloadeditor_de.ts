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
</TS>
