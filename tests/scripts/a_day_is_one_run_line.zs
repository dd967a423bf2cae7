# A day of simulated time is one run line, whatever is going on in it: the computer wins
# against an empty left paddle on level 5 at Supersonic and the ball rests after its box.
click cmdPlay
click mnuReallyfast
click mnuLevel5
Form_KeyDown 112
run 86400000
#> {"msgbox":{"title":"Zarb","text":"Player 2 Wins!"}}
get player2Score ballDirX ballDirY tmrBall.Enabled
#> {"player2Score":10,"ballDirX":0,"ballDirY":0,"tmrBall.Enabled":true}
# A day with the serve's timer at 1 ms, and ten million ball ticks in one line.
set tmrStart.Interval 1
mnuNew_Click
run 86400000
#> {"msgbox":{"title":"Zarb","text":"Player 2 Wins!"}}
tmrBall_Timer 10000000
get tmrStart.Interval ballDirX
#> {"tmrStart.Interval":1,"ballDirX":0}
# A day is the longest run.
run 86400000.001
#!
