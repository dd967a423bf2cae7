# Esc with no match under way pauses: all four timers stop, the check and the big text show.
# A second Esc resumes by case A: the paddle and ball timers run, the ball stays at rest.
cmdPlay_Click
Form_KeyDown 27
get tmrBall.Enabled tmrLeft.Enabled tmrRight.Enabled tmrStart.Enabled mnuPause.Checked lblPause.Visible lblWin.Caption
#> {"tmrBall.Enabled":false,"tmrLeft.Enabled":false,"tmrRight.Enabled":false,"tmrStart.Enabled":false,"mnuPause.Checked":true,"lblPause.Visible":true,"lblWin.Caption":"Paused"}
Form_KeyDown 27
get tmrBall.Enabled tmrLeft.Enabled tmrRight.Enabled tmrStart.Enabled mnuPause.Checked lblPause.Visible lblWin.Caption
#> {"tmrBall.Enabled":true,"tmrLeft.Enabled":true,"tmrRight.Enabled":true,"tmrStart.Enabled":false,"mnuPause.Checked":false,"lblPause.Visible":false,"lblWin.Caption":"One Player Mode"}
