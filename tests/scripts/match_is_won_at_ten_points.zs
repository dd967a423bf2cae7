# Player 1's tenth point wins the match: a box names the winner, the settings menus are
# enabled again and no serve follows, while the ball timer keeps ticking with the ball at rest.
cmdPlay_Click
click mnuNew
run 1000
set player1Score 9
set imgBall.Left 11450
set ballDirX 1
run 15.625
#> {"msgbox":{"title":"Zarb","text":"Player 1 Wins!"}}
get player1Score lblPlayer1.Caption lblWin.Caption tmrStart.Enabled tmrBall.Enabled ballDirX
#> {"player1Score":10,"lblPlayer1.Caption":"Player 1:  10","lblWin.Caption":"Player 1 Wins!","tmrStart.Enabled":false,"tmrBall.Enabled":true,"ballDirX":0}
get mnuSpeed.Enabled mnuPlayers.Enabled mnuLevel.Enabled
#> {"mnuSpeed.Enabled":true,"mnuPlayers.Enabled":true,"mnuLevel.Enabled":true}
run 5000
get ballDirX imgBall.Left player1Score
#> {"ballDirX":0,"imgBall.Left":5760,"player1Score":10}
click mnuLevel2
get level
#> {"level":2}
