' Lines in every pen class and line style on an A3 sheet: a plain line, a
' dash, a dash-dot on layer 2, a pen-7 line (always solid), a pen-0 line (never
' written), a dash-dot-dot on layer 9, and a style 2 that falls back to solid.
PaperSize = ktpA3
Memo = "線"
Sen 0, 0, 100, 0
Sen 10, 20, 110.5, -20.25, vPen:=2, vStyl:=ktpdash, vPich:=3
Sen 0, 0, 0, 50, vPen:=3, vStyl:=ktpdashdot, vPich:=2.5, vLayer:=2
Sen 1, 2, 3, 4, vPen:=7, vStyl:=ktpdash, vPich:=2
Sen 5, 5, 6, 6, vPen:=0
Sen 0, 0, 10, 10, vPen:=5, vStyl:=ktpdashdotdot, vPich:=1, vLayer:=9
Sen 0, 0, 10, 10, vPen:=6, vStyl:=2, vPich:=4
FileName = "line_pens_styles.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "line_pens_styles.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "line_pens_styles.plm"
OutPutPlamor "M_G_L.KVD"
wait
