' The small example plan every host under examples/hosts draws; the
' in-process run of this script is what their files are compared with.
PaperSize = ktpA3
FileName = "plan.dxf"
LayerName(1) = "外枠"
LayerName(2) = "護岸"
Sen 0, 0, 400, 0
Sen 400, 0, 400, 280, vPen:=2
Sen 0, 280, 400, 280, vPen:=3, vStyl:=1
En 200, 140, 50, vLayer:=2
Enko 100, 100, 30, 0, 90
Moji 200, 20, "河川横断図", vHeight:=5, vKiten:=ktpCenterBottom
OutPutPlamor "M_G_L.KVD"
wait
