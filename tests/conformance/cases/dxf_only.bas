' DXFOnly writes DXF whatever the file name ends with.
PaperSize = ktpA3
DXFOnly = True
Sen 0, 0, 10, 0, vPen:=4
FileName = "dxf_only.atz"
OutPutPlamor "M_G_L.KVD"
wait
