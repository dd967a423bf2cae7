# Player 1 scores on the first tick: the ball rests at the serve position, the status line
# names the rally's winner, and the serve follows 64 ticks later with the mode text.
cmdPlay_Click
set tmrBall.Enabled true
set imgBall.Left 11450
set ballDirX 1
run 15.625
get ballDirX ballDirY imgBall.Left imgBall.Top player1Score lblPlayer1.Caption lblWin.Caption
#> {"ballDirX":0,"ballDirY":0,"imgBall.Left":5760,"imgBall.Top":3720,"player1Score":1,"lblPlayer1.Caption":"Player 1:  1","lblWin.Caption":"Player 1 Wins!"}
run 984.375
get tmrStart.Enabled ballDirX ballDirY
#> {"tmrStart.Enabled":true,"ballDirX":0,"ballDirY":0}
run 15.625
get tmrStart.Enabled lblWin.Caption
#> {"tmrStart.Enabled":false,"lblWin.Caption":"One Player Mode"}
