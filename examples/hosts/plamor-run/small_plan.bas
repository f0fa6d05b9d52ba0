' A small plan of the river 荒見川 at the bridge 荒見橋 at 1:100 on an A3 sheet,
' drawn in sheet millimetres, written in all three file kinds of the drawing
' server: DXF, the standard drawing file (.plm, with its memo file .MET) and
' the standard text file (.atz). Each output run turns pitches and text sizes
' into drawing units by PaperScale in the elements themselves, so one
' registration is written three times only at PaperScale 1. Run it in the
' folder that is to receive the files:
'   plamor-run --inproc examples/hosts/plamor-run/small_plan.bas
PaperSize = ktpA3
PaperScale = 1
Memo = "荒見川 荒見橋付近 平面図"
LayerName(2) = "河岸"
LayerName(3) = "護岸"
LayerName(4) = "文字"

' The banks and the revetment along them.
Sen 20, 60, 400, 60, vPen:=2, vLayer:=2
Sen 20, 180, 400, 180, vPen:=2, vLayer:=2
Sen 20, 50, 400, 50, vPen:=3, vStyl:=ktpdash, vPich:=2, vLayer:=3
Sen 20, 190, 400, 190, vPen:=3, vStyl:=ktpdash, vPich:=2, vLayer:=3
' The bridge: deck edges and its two piers.
Sen 200, 30, 200, 210, vPen:=4
Sen 220, 30, 220, 210, vPen:=4
En 210, 100, 5, vPen:=4
En 210, 140, 5, vPen:=4
' The survey line 24.0k, a bend of the low-water channel and the flow arrow.
Sen 300, 20, 300, 220, vStyl:=ktpdashdot, vPich:=3
Enko 100, 120, 30, 270, 90, vPen:=5
Sen 340, 120, 380, 120, vPen:=6
Sen 380, 120, 370, 125, vPen:=6
Sen 380, 120, 370, 115, vPen:=6
Daen 80, 240, 25, 12, 0, vPen:=7

Moji 210, 220, "荒見橋", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom, vLayer:=4
Moji 300, 230, "24.0k", ktpYoko, 0, 0, vHeight:=3.5, vKiten:=ktpCenterBottom, vLayer:=4
Moji 405, 80, "荒見川", ktpTate, 0, 0, vHeight:=6, vLayer:=4
Moji 20, 260, "荒見川 荒見橋付近 平面図 S=1:100", ktpYoko, 0, 0, vHeight:=6, vLayer:=4
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
