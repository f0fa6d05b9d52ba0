' Elements drawn with pen 0 never reach a file: every kind holds its header
' (and the DXF trailer) alone.
PaperSize = ktpA2
Sen 0, 0, 10, 10, vPen:=0
En 5, 5, 2, vPen:=0
Moji 1, 1, "A", vPen:=0
FileName = "pen_zero_only.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "pen_zero_only.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "pen_zero_only.plm"
OutPutPlamor "M_G_L.KVD"
wait
