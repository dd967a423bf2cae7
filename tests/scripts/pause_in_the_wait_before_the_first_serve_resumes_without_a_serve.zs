# Paused in the second before the first serve, the resume is case A: the start timer is not
# started again, so no serve comes until the next New Game.
cmdPlay_Click
mnuNew_Click
run 500
Form_KeyDown 27
Form_KeyDown 27
run 3000
get tmrStart.Enabled tmrBall.Enabled ballDirX ballDirY imgBall.Left
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true,"ballDirX":0,"ballDirY":0,"imgBall.Left":5760}
