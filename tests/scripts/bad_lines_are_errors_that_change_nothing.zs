# A line that cannot be carried out is reported on standard error with its number, changes
# nothing, and the script goes on; the exit status is then 1.
get ballDirX
#!
set level 3
#!
cmdPlay_Click
no_such_handler
#!
get ballDirX noSuchName
#!
set ballDirX 2147483648
#!
set ballDirX 1.5
#!
set ballDirX +-5
#!
set ballStepY 1e39
#!
set ballStepY nan
#!
set imgBall.Left inf
#!
set imgBall.Visible yes
#!
set tmrStart.Interval 0
#!
set lblWin.Caption Paused
#!
set lblWin.Caption "Paused" again
#!
set frmZarb.Visible false
#!
set ballDirX
#!
set
#!
set lblWin.Caption
#!
set imgBall.Left 1000000000000000000000000000000000000000
#!
Form_KeyDown 256
#!
Form_KeyDown 65 8
#!
tmrBall_Timer 10000001
#!
run 86400001
#!
run -1
#!
seed 4294967296
#!
click mnuSpeed
#!
close frmOther
#!
tmrBall_Timer 1 2
#!
get
#!
state now
#!
seed 5 6
#!
run 1 2
#!
click mnuNew mnuEnd
#!
set ballDirX 1 2
#!
set tmrStart.Interval 65536
#!
# A key code of 0 is a key the game does not read: no error.
Form_KeyDown 0
Form_KeyUp 0
get ballDirX ballStepY level imgBall.Left imgBall.Visible tmrStart.Interval lblWin.Caption keyLeftUp
#> {"ballDirX":0,"ballStepY":160,"level":1,"imgBall.Left":5760,"imgBall.Visible":true,"tmrStart.Interval":1000,"lblWin.Caption":"One Player Mode","keyLeftUp":0}
