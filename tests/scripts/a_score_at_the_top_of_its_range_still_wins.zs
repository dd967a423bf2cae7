# A score is a whole number: one more point than the largest a script can set is one more, and
# it wins the match.
cmdPlay_Click
set player1Score 2147483647
set imgBall.Left 11600
set ballDirX 1
tmrBall_Timer
#> {"msgbox":{"title":"Zarb","text":"Player 1 Wins!"}}
get player1Score lblPlayer1.Caption tmrStart.Enabled
#> {"player1Score":2147483648,"lblPlayer1.Caption":"Player 1:  2147483648","tmrStart.Enabled":false}
