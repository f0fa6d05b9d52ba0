' How a call becomes an element: coordinates rounded to six decimals, a
' reversed duplicate dropped while duplicates are searched, optional pens,
' layers and text sizes outside their ranges falling back to the current
' state, and the current style, pitch, layer, pen and text sizes.
PaperSize = ktpA3
Optimaze = ktpLevel1
Sen 0.1234567, 0, 1, 0
Sen 1, 0, 0.1234567, 0
Sen 0, 0, 5, 5, vPen:=8
Sen 0, 0, 5, 6, vLayer:=129
Moji 1, 1, "X", vHeight:=0, vWidth:=-1, vBetween:=-0.1
Style = ktpdash
pich = 2
Layer = 4
pen = 3
Sen 0, 0, 1, 1
En 0, 0, 1, vPich:=5
Style = ktpsolid
Sen 0, 0, 1, 2, vStyl:=ktpdash
TextHeight = 4
TextWidth = 3.5
TextBetween = 0
Moji 2, 2, "Y"
FileName = "registration_rules.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "registration_rules.plm"
OutPutPlamor "M_G_L.KVD"
wait
