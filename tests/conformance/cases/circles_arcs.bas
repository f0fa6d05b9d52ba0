' The circle family: a full circle, a dashed arc, a clockwise arc (negative
' sweep), an ellipse, a pen-7 dash-dot elliptical arc and a circle whose
' coordinates need rounding to four decimals in DXF.
PaperSize = ktpA3
En 10, 20, 5
Enko 0, 0, 10, 30, 90, vPen:=2, vStyl:=ktpdash, vPich:=2
Enko 0, 0, 10, 10, -30, vPen:=4
Daen 50, 50, 5, 2, 15, vPen:=3
Daenko 0, 0, 8, 4, 0, 359.9, 0, vPen:=7, vStyl:=ktpdashdot, vPich:=1
En -0.5, 1234.56789, 3, vPen:=6
FileName = "circles_arcs.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "circles_arcs.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "circles_arcs.plm"
OutPutPlamor "M_G_L.KVD"
wait
