cmdPlay_Click
set imgBall.Left 5760
set imgBall.Top 3720
set ballDirX 1
set ballDirY 2
set ballStepY -30
tmrBall_Timer
get imgBall.Left imgBall.Top
