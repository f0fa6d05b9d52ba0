' Named layers: only the named ones are listed in the DXF layer table, and an
' element on an unnamed layer gets an empty layer name.
PaperSize = ktpA3
LayerName(3) = "護岸"
LayerName(10) = "Text"
Sen 0, 0, 10, 0, vPen:=2, vLayer:=3
Sen 0, 0, 10, 0, vLayer:=5
Moji 1, 1, "護岸", vPen:=4, vLayer:=10
FileName = "layer_names.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "layer_names.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "layer_names.plm"
OutPutPlamor "M_G_L.KVD"
wait
