# During a rally the ball freezes while paused and goes on by case D after the resume, with
# the mode text in the status line.
cmdPlay_Click
click mnuTwo
set player1Score 4
set tmrBall.Enabled true
set ballDirX 1
set ballDirY 2
set ballStepY 30
Form_KeyDown 27
run 1000
get imgBall.Left imgBall.Top tmrBall.Enabled
#> {"imgBall.Left":5760,"imgBall.Top":3720,"tmrBall.Enabled":false}
Form_KeyDown 27
get tmrStart.Enabled tmrBall.Enabled mnuPause.Checked lblWin.Caption
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true,"mnuPause.Checked":false,"lblWin.Caption":"Two Player Mode"}
run 15.625
get imgBall.Left imgBall.Top
#> {"imgBall.Left":5920,"imgBall.Top":3750}
