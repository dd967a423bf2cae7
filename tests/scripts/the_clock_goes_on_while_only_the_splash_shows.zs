# Nothing ticks while only the splash shows, but the clock goes on: a New Game five seconds in
# is served 64 ticks later, with no burst of the ticks the splash let pass. A run of minus zero
# milliseconds is no time at all. The serve starts the ball timer, stops the start timer and
# disables the settings menus; on level 1 it hides the obstacle, even one a script has shown,
# and watches the ball from the prediction line at 4000.
run 5000
cmdPlay_Click
mnuNew_Click
run 983.375
run -0
run 1
get tmrStart.Enabled tmrBall.Enabled ballDirX ballDirY mnuSpeed.Enabled
#> {"tmrStart.Enabled":true,"tmrBall.Enabled":false,"ballDirX":0,"ballDirY":0,"mnuSpeed.Enabled":true}
set shpObstacle.Visible true
run 15.625
get tmrStart.Enabled tmrBall.Enabled mnuSpeed.Enabled mnuPlayers.Enabled mnuLevel.Enabled
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true,"mnuSpeed.Enabled":false,"mnuPlayers.Enabled":false,"mnuLevel.Enabled":false}
get shpObstacle.Visible predictionLine
#> {"shpObstacle.Visible":false,"predictionLine":4000}
