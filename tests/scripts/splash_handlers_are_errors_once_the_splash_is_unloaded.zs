# PLAY! unloads the splash: its handlers are gone, so running one is an error that changes
# nothing, while a click on its buttons is merely ignored. The script goes on.
cmdPlay_Click
cmdInfo_Click
#!
cmdPlay_Click
#!
cmdExit_Click
#!
click cmdExit
#> {"ignored":"cmdExit"}
click cmdPlay
#> {"ignored":"cmdPlay"}
get frmSplash.Loaded frmZarb.Visible
#> {"frmSplash.Loaded":false,"frmZarb.Visible":true}
