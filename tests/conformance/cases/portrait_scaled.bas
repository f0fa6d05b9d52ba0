' A portrait A4 sheet at 1:100: pitches and text sizes are given in paper
' millimetres and written in drawing units. The same elements written a second
' time are converted a second time (portrait_scaled.atz).
Paper = ktpPaperTate
PaperSize = ktpA4
PaperScale = 100
Memo = "A4 縦"
Sen 0, 0, 1000, 0, vPen:=2, vStyl:=ktpdash, vPich:=3
En 500, 500, 100, vPen:=3, vStyl:=ktpdashdotdot, vPich:=2
Moji 0, 0, "A"
FileName = "portrait_scaled.plm"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "portrait_scaled.atz"
OutPutPlamor "M_G_L.KVD"
wait
