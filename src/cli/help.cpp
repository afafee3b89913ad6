#include "cli/commands.h"
#include "files/codepages.h"

namespace {

const char kHelp[] = R"(qavo-ct - QAVO-Codetabellen auf der Kommandozeile

Aufruf:
  qavo-ct convert EIN AUS [--to FORMAT] [--export|--import] [--name NAME]
                [--workstation iso8859-1|cp1252]
  qavo-ct show DATEI [--export|--import] [--name NAME]
  qavo-ct check DATEI [--export|--import] [--name NAME]
  qavo-ct build --codepage NR [--workstation iso8859-1|cp1252] [--swap-nl]
                [--to FORMAT] [--export|--import] AUS
  qavo-ct build --ucm DATEI [--workstation iso8859-1|cp1252] [--to FORMAT]
                [--export|--import] AUS
  qavo-ct translate --table DATEI [--export|--import] EIN AUS
  qavo-ct identify PAAR [--workstation iso8859-1|cp1252] [--name NAME]
  qavo-ct compare PAAR --codepage NR [--workstation iso8859-1|cp1252]
                [--swap-nl] [--name NAME]
  qavo-ct --help

Befehle:
  convert    liest eine Tabellendatei und schreibt ihre Tabellen in einem
             anderen Format.
  show       zeigt jede Tabelle als Raster 16 x 16: Zeile = erste, Spalte =
             zweite Hex-Ziffer der Position, Zelle = Zielcode und Zustand:
             XX= bestätigt (die Partnertabelle übersetzt zurück),
             XX! mehrdeutig (der Code hat mehrere Quellen), XX  eindeutig,
             ..  nicht zugeordnet (wird 1:1 geschrieben).
  check      prüft das Tabellenpaar und nennt nicht zugeordnete Positionen,
             mehrdeutige Codes, Codes ohne Quelle und Positionen ohne
             Rückweg über die Partnertabelle. Exit-Code 0 nur für ein
             sauberes Paar: beide Tabellen vollständig, eindeutig und
             einander umgekehrt. Nennt das Zeilenende des Paars (wohin
             EBCDIC 15 und 25 gehen und zurück); sind EXPORT und IMPORT
             darüber uneinig, ist das ein Befund.
  build      baut EXPORT (Arbeitsplatz -> EBCDIC) und IMPORT (EBCDIC ->
             Arbeitsplatz) aus dem Zeichensatzkonverter des Systems (iconv).
             Zeichen ohne Gegenstück bleiben unzugeordnet. Namen wie
             ISO8859-1_CP1141 und CP1141_ISO8859-1.
             Mit --ucm aus einer ICU-Zeichensatztabelle (.ucm, Single-Byte,
             ohne Zustände): |0 gilt in beide Richtungen, |1 nur für EXPORT,
             |3 nur für IMPORT; beide Tabellen heißen wie <code_set_name>.
             Zeichen außerhalb des Arbeitsplatz-Zeichensatzes werden
             genannt und ausgelassen; ist ein solches Zeichen alles, was
             ein Byte zugeordnet hat, wird die Datei abgelehnt.
  translate  übersetzt jedes Byte von EIN mit einer Tabelle nach AUS,
             ohne Option mit der EXPORT-Tabelle. Nicht zugeordnete Bytes
             bleiben 1:1, wie der Editor sie schreibt. translate ist ein
             Filter: - liest die Standardeingabe und schreibt die
             Standardausgabe; in eine Pipe, eine FIFO oder ein Zeichengerät
             als AUS wird geschrieben, sie wird nicht ersetzt.
  identify   vergleicht ein Paar mit jeder EBCDIC-Codepage von iconv und
             ICU, wie build sie baut, und nennt die nächsten (höchstens
             fünf) mit den abweichenden Positionen, eine Zeile je Codepage:
             CP 1141 (ICU ibm-1141_P100-1997): 509 von 512 gleich;
             abweichend EXPORT 80, IMPORT 9F, IMPORT 15
             Bauen iconv und ICU eine Codepage gleich, nennt die Zeile
             beide. Zuletzt das Zeilenende des Paars. Eine Position, die
             die Codepage nicht belegt, gilt als gleich, wenn das Paar sie
             nicht belegt oder 1:1 schreibt.
  compare    nennt jede Position, an der das Paar von der Codepage abweicht,
             wie iconv und wie ICU sie bauen, oder an der iconv und ICU
             einander widersprechen: die Einträge von Paar, iconv und ICU
             mit den Unicode-Namen der Zeichen. Hat nur eine der beiden
             die Codepage, wird mit ihr verglichen. Exit-Code 0 nur, wenn
             das Paar beiden gleicht.

Tabellendateien werden wie im Editor erkannt: 256 Byte (UNIX, eine Tabelle:
Byte 32 = 40 heißt EXPORT, sonst Byte 64 = 20 IMPORT), 512 Byte (Windows
V3: IMPORT, dann EXPORT), 1088 Byte (Windows V5, eine Tabelle), 2176 Byte
(Windows V5, beide Tabellen).

Optionen:
  --to FORMAT       unix    256 Byte, eine Tabelle
                    v3      512 Byte, IMPORT und EXPORT (braucht beide)
                    v5      1088 Byte je Tabelle, beide: 2176 Byte, EXPORT zuerst
                    c       C-Deklarationen, EXPORT zuerst
                    pascal  Pascal-Deklarationen, EXPORT zuerst
                    ucm     ICU-Zeichensatztabelle (braucht beide): |0 in
                            beide Richtungen, |1 nur EXPORT, |3 nur IMPORT,
                            nicht zugeordnete Positionen fehlen
                    python  Python-Codec-Modul (braucht beide): nach dem
                            import heißt der Codec wie die Tabelle, von
                            Python normalisiert (ISO8859-1_CP273 ->
                            iso8859_1_cp273)
                    java    JAR mit Java-Zeichensatz (braucht beide), mit
                            der JAR im Klassenpfad findet Charset.forName
                            ihn unter x-NAME (x-ISO8859-1_CP273)
                    Ohne --to entscheidet die Endung von AUS: .tab (eine
                    Tabelle: unix, zwei: v3), .qct v5, .h c, .hpp und .pas
                    pascal, .ucm ucm, .py python, .jar java.
  --export, --import
                    nur diese Tabelle: ein 256-Byte-Abbild wird als diese
                    Tabelle gelesen, aus einem Paar wird nur sie genommen.
                    unix braucht eine davon, wenn zwei Tabellen da sind.
  --name NAME       Name der gelesenen Tabellen; ohne die Option wie im
                    Editor der volle Pfad der Datei, bei V5 der Name im Kopf.
                    Codec und Zeichensatz heißen nach seinem letzten
                    Pfadteil; Zeichen außer Buchstaben, Ziffern, _ - . werden
                    zu _.
  --codepage NR     EBCDIC-Codepage, auf diesem System: %PAGES%
                    compare nimmt jede Codepage von iconv oder ICU.
  --workstation ZS  iso8859-1 (Vorgabe) oder cp1252; in cp1252 nicht
                    belegte Bytes stehen für ihren Latin-1-Code. Gilt für
                    build und für die Unicode-Seite von ucm, python, java.
  --ucm DATEI       die ICU-Zeichensatztabelle für build.
  --swap-nl         tauscht EBCDIC 15 und 25: Zeilenende von z/OS UNIX.
  --table DATEI     die Tabellendatei für translate.

Ausgabe: AUS wird immer neu geschrieben, auch bei C- und Pascal-Deklarationen
(der Editor hängt diese an eine vorhandene Datei an). AUS entsteht erst,
wenn alles geschrieben ist; bis dahin bleibt eine vorhandene Datei, wie sie
war. Benannte Tabellendateien und AUS (außer bei translate) müssen
reguläre Dateien sein (oder Verknüpfungen auf solche): Geräte, Pipes und
Verzeichnisse werden abgelehnt. Nicht zugeordnete Positionen werden 1:1 geschrieben, außer in den
Formaten v5, ucm, python und java. - als Datei ist die Standardeingabe
oder -ausgabe; /dev/stdout und jeder andere Name der Standardausgabe wird in
sie geschrieben, so wie die Shell sie geöffnet hat (>> hängt an). Die Kopfzeile der Tabellen nennt die Schrift "Courier
New", wie nach dem Start des Editors.

Umgebung:
  QAVO_CT_KERNEL    der Kern, mit dem translate übersetzt: portable, avx2
                    oder avx512vbmi; ohne die Variable der schnellste, den
                    der Prozessor ausführen kann. Einen, den er nicht
                    ausführen kann, lehnt translate ab (Exit-Code 2).

Exit-Codes:
  0  erledigt (check: sauberes Paar)
  1  check hat Befunde, compare hat Abweichungen gefunden
  2  falscher Aufruf
  3  Eingabe nicht lesbar, nicht erkannt oder ohne die nötige Tabelle
  4  Ausgabe konnte nicht geschrieben werden
)";

}  // namespace

std::string CodePageList() {
  std::string list;
  for (const int page : AvailableCodePages()) list += (list.empty() ? "" : " ") + std::to_string(page);
  return list.empty() ? "(keine)" : list;
}

std::string HelpText() {
  std::string text = kHelp;
  const std::string marker = "%PAGES%";
  text.replace(text.find(marker), marker.size(), CodePageList());
  return text;
}
