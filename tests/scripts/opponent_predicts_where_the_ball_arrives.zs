# The computer works out the arrival height as the ball crosses the prediction line, folding its
# path at the score bar: 9931.25 twips of travel, 1505 to the floor, 78.75 from it.
cmdPlay_Click
set imgBall.Left 3840
set imgBall.Top 6800
set ballDirX 1
set ballDirY 2
set ballStepY 200
tmrBall_Timer
get imgBall.Left ticksToPaddle travelY edgeDistance aimDir predictedTop
#> {"imgBall.Left":4000,"ticksToPaddle":49.65625,"travelY":0,"edgeDistance":1505,"aimDir":2,"predictedTop":78.75}
# One twip past the line's far end the ball is not predicted again.
set predictedTop 0
set imgBall.Left 4001
set ballDirX 1
tmrBall_Timer
get imgBall.Left predictedTop
#> {"imgBall.Left":4161,"predictedTop":0}
