#pragma once

#include <QByteArray>
#include <QList>

// A full download file of realistic lines: the parameter lines of a calibrated machine,
// repeated up to 127 lines, and a scale resolution line, CR LF after each: 128 lines.
inline QByteArray Bench_File_Bytes()
{
    const QList<QByteArray> lines{"; Machine 4711 - calibrated 2026-11-20",
                                  "S1 X2DC6C0 Y2DC6C0 Z16E360 WF4240",
                                  "S2 Q4C4B40",
                                  "S3 X60 Y60 Z50 W40 U100",
                                  "S4 U200",
                                  "S5 V4E20",
                                  "S6 U186A0 LFFFE7960",
                                  "S8 U1388",
                                  "S9 X5B8D80 Y3D0900 Z1E8480 W0",
                                  "S10 XFFFF3CB0 YFFFF3CB0 ZFFFF3CB0 W0",
                                  "S11 X5ACA30 Y3C45B0 Z1DC130 W0",
                                  "S12 XFFFFD8F0 YFFFFD8F0 ZFFFFD8F0 W0",
                                  "S13 X32 Y32 Z1E W64",
                                  "S15 Q2710 V4E20",
                                  "S16 Q186A0 V30D40",
                                  "S17 QC350 V186A0",
                                  "S18 Q2710 V4E20 X3E8",
                                  "S19 Q186A0 V30D40 X2710",
                                  "S1B Q3E8",
                                  "S1D X0 YFF Z0",
                                  "S25 X2710 Y2710 Z2710 W0 U0",
                                  "S29 V1 X1 Y1 Z1 W0",
                                  "S2D UFFFF",
                                  "S30 X1F4 Y0",
                                  "S60 X20 Y0 Z0 W0",
                                  "S61 X1 Y2 Z0 W0",
                                  "S6F X0 Y21 Z0 W0",
                                  ""};
    QByteArray bytes;
    for (int i = 0; i < 127; ++i)
        bytes += lines.at(i % lines.size()) + "\r\n";
    return bytes + "N10000\r\n";
}
