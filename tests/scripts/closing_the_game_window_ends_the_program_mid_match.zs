# Closing the game window ends the program at once, in the middle of a rally too; the
# unloaded splash cannot be closed any more.
close frmZarb
#> {"ignored":"frmZarb"}
cmdPlay_Click
close frmSplash
#> {"ignored":"frmSplash"}
mnuNew_Click
run 1500
get tmrBall.Enabled
#> {"tmrBall.Enabled":true}
close frmZarb
#> {"end":true}
run 86400000
