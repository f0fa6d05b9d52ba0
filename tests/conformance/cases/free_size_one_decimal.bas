' A free sheet of 400 x 500 mm and a standard text file with one decimal.
PaperTate = 400
PaperYoko = 500
AtzKeta = 1
Sen 12.26, -3.04, 0, 0
Sen 1, 1, 2, 2, vPen:=7, vStyl:=ktpdashdot, vPich:=2, vLayer:=2
Enko 1.04, 2.06, 3.15, 10, -30, vPen:=4, vStyl:=ktpdash, vPich:=1.5
Moji 7.77, 8.88, "AB川", vPen:=3, vLayer:=12
FileName = "free_size_one_decimal.atz"
OutPutPlamor "M_G_L.KVD"
wait
FileName = "free_size_one_decimal.plm"
OutPutPlamor "M_G_L.KVD"
wait
