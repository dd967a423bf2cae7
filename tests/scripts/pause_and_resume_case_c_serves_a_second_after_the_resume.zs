# Paused between two points, the resume is case C: the start timer starts afresh and the
# serve comes 64 ticks after the resume, however long the pause lasted.
cmdPlay_Click
set tmrBall.Enabled true
set imgBall.Left 11450
set ballDirX 1
run 500
Form_KeyDown 27
run 5000
get tmrStart.Enabled player1Score lblWin.Caption
#> {"tmrStart.Enabled":false,"player1Score":1,"lblWin.Caption":"Paused"}
Form_KeyDown 27
get tmrStart.Enabled tmrBall.Enabled mnuPause.Checked lblPause.Visible lblWin.Caption
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":true,"mnuPause.Checked":false,"lblPause.Visible":false,"lblWin.Caption":"One Player Mode"}
run 984.375
get tmrStart.Enabled ballDirX
#> {"tmrStart.Enabled":true,"ballDirX":0}
run 15.625
get tmrStart.Enabled
#> {"tmrStart.Enabled":false}
