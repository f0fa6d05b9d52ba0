' Texts: horizontal single-byte, vertical, horizontal with a double-byte
' character and its own sizes and angles, one anchored at its right bottom,
' and the two font types of the extended text calls.
PaperSize = ktpA3
Moji 10, 10, "ABC"
Moji 20, 30, "河川", ktpTate, 0, 0, vPen:=2
Moji 5, 5, "AB川", ktpYoko, 10, 45, vHeight:=5, vWidth:=4, vBetween:=0.5, vPen:=3, vLayer:=4
Moji 100, 50, "ABC", vKiten:=ktpRightBottom
MojiExtMsM 0, 0, "明", vPen:=5
MojiExtMsG 0, 0, "Go", vPen:=6
FileName = "texts.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "texts.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "texts.plm"
OutPutPlamor "M_G_L.KVD"
wait
