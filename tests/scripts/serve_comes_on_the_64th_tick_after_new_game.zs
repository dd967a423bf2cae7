# The start timer's 1000 ms are 64 clock ticks of 15.625 ms: after New Game the ball is still
# at rest on the 63rd tick and served on the 64th, which starts the ball timer, disables the
# settings menus and stops the start timer. On level 1 the serve leaves the obstacle hidden and
# the computer's prediction line at 4000.
cmdPlay_Click
click mnuNew
run 984.375
get tmrStart.Enabled ballDirX ballDirY tmrBall.Enabled mnuSpeed.Enabled
#> {"tmrStart.Enabled":true,"ballDirX":0,"ballDirY":0,"tmrBall.Enabled":false,"mnuSpeed.Enabled":true}
# On level 1 the serve hides the obstacle, even one a script has shown.
set shpObstacle.Visible true
run 15.625
get tmrStart.Enabled tmrBall.Enabled mnuSpeed.Enabled mnuPlayers.Enabled mnuLevel.Enabled
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true,"mnuSpeed.Enabled":false,"mnuPlayers.Enabled":false,"mnuLevel.Enabled":false}
get shpObstacle.Visible predictionLine
#> {"shpObstacle.Visible":false,"predictionLine":4000}
