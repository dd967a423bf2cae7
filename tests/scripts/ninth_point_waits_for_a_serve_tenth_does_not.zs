# Player 2's ninth point starts the start timer; the tenth shows the box and starts nothing.
cmdPlay_Click
set player2Score 8
set imgBall.Left 100
set ballDirX 2
tmrBall_Timer
get player2Score tmrStart.Enabled
#> {"player2Score":9,"tmrStart.Enabled":true}
set tmrStart.Enabled false
set imgBall.Left 100
set ballDirX 2
tmrBall_Timer
#> {"msgbox":{"title":"Zarb","text":"Player 2 Wins!"}}
get player2Score lblPlayer2.Caption lblWin.Caption tmrStart.Enabled
#> {"player2Score":10,"lblPlayer2.Caption":"Player 2:  10","lblWin.Caption":"Player 2 Wins!","tmrStart.Enabled":false}
