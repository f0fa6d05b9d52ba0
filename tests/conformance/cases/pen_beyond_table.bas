' The current pen set beyond the pen table: elements keep it and are written
' as pen 7 (white, always solid for lines and DXF entities).
PaperSize = ktpA3
pen = 9
Sen 0, 0, 10, 0, vStyl:=ktpdash, vPich:=2
En 0, 0, 5, vStyl:=ktpdash, vPich:=2
Moji 0, 0, "P"
FileName = "pen_beyond_table.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "pen_beyond_table.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "pen_beyond_table.plm"
OutPutPlamor "M_G_L.KVD"
wait
