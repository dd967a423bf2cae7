# A game-window handler run from the splash loads the game window first, running Form_Load,
# and the window stays hidden. Its timers tick all the same: the serve comes while hidden.
Form_KeyDown 65
get frmZarb.Loaded frmZarb.Visible frmSplash.Visible keyLeftUp lblWin.Caption
#> {"frmZarb.Loaded":true,"frmZarb.Visible":false,"frmSplash.Visible":true,"keyLeftUp":1,"lblWin.Caption":"One Player Mode"}
mnuNew_Click
run 1000
get tmrStart.Enabled tmrBall.Enabled mnuLevel.Enabled keyLeftUp
#> {"tmrStart.Enabled":false,"tmrBall.Enabled":true,"mnuLevel.Enabled":false,"keyLeftUp":0}
cmdPlay_Click
get frmZarb.Visible tmrBall.Enabled mnuLevel.Enabled
#> {"frmZarb.Visible":true,"tmrBall.Enabled":true,"mnuLevel.Enabled":false}
