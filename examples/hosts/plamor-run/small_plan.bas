' A small plan of the river 荒見川 at the bridge 荒見橋, on an A3 sheet at
' 1:100, written in all three file kinds of the drawing server: DXF, the
' standard drawing file (.plm, with its memo file .MET) and the standard text
' file (.atz). Run it in the folder that is to receive the files:
'   plamor-run --inproc examples/hosts/plamor-run/small_plan.bas
PaperSize = ktpA3
PaperScale = 100
Memo = "荒見川 荒見橋付近 平面図"
LayerName(2) = "河岸"
LayerName(3) = "護岸"
LayerName(4) = "文字"

' The banks and the revetment along them (millimetres on the ground at 1:100).
Sen 2000, 6000, 40000, 6000, vPen:=2, vLayer:=2
Sen 2000, 18000, 40000, 18000, vPen:=2, vLayer:=2
Sen 2000, 5000, 40000, 5000, vPen:=3, vStyl:=ktpdash, vPich:=2, vLayer:=3
Sen 2000, 19000, 40000, 19000, vPen:=3, vStyl:=ktpdash, vPich:=2, vLayer:=3
' The bridge: deck edges and its two piers.
Sen 20000, 3000, 20000, 21000, vPen:=4
Sen 22000, 3000, 22000, 21000, vPen:=4
En 21000, 10000, 500, vPen:=4
En 21000, 14000, 500, vPen:=4
' The survey line 24.0k, a bend of the low-water channel and the flow arrow.
Sen 30000, 2000, 30000, 22000, vStyl:=ktpdashdot, vPich:=3
Enko 10000, 12000, 3000, 270, 90, vPen:=5
Sen 34000, 12000, 38000, 12000, vPen:=6
Sen 38000, 12000, 37000, 12500, vPen:=6
Sen 38000, 12000, 37000, 11500, vPen:=6
Daen 8000, 24000, 2500, 1200, 0, vPen:=7

Moji 21000, 22000, "荒見橋", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom, vLayer:=4
Moji 30000, 23000, "24.0k", ktpYoko, 0, 0, vHeight:=3.5, vKiten:=ktpCenterBottom, vLayer:=4
Moji 42000, 8000, "荒見川", ktpTate, 0, 0, vHeight:=6, vLayer:=4
Moji 2000, 26000, "荒見川 荒見橋付近 平面図 S=1:100", ktpYoko, 0, 0, vHeight:=6, vLayer:=4
print Count

' The same elements, once in each kind of file.
FileName = "small_plan.dxf"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "small_plan.plm"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "small_plan.atz"
OutPutPlamor "M_G_L.KVD"
wait
Clear
