# A line that cannot be carried out is reported on standard error with its number, changes
# nothing, and the script goes on; the exit status is then 1.
get ballDirX
#! 3
set level 3
#! 5
cmdPlay_Click
no_such_handler
#! 8
get ballDirX noSuchName
#! 10
set ballDirX 2147483648
#! 12
set ballDirX 1.5
#! 14
set ballDirX +-5
#! 16
set ballStepY 1e39
#! 18
set ballStepY nan
#! 20
set imgBall.Left inf
#! 22
set imgBall.Visible yes
#! 24
set tmrStart.Interval 0
#! 26
set lblWin.Caption Paused
#! 28
set lblWin.Caption "Paused" again
#! 30
set frmZarb.Visible false
#! 32
set ballDirX
#! 34
Form_KeyDown 256
#! 36
Form_KeyDown 65 8
#! 38
tmrBall_Timer 10000001
#! 40
run 86400001
#! 42
run -1
#! 44
seed 4294967296
#! 46
click mnuSpeed
#! 48
close frmOther
#! 50
tmrBall_Timer 1 2
#! 52
get
#! 54
seed 5 6
#! 56
run 1 2
#! 58
click mnuNew mnuEnd
#! 60
set ballDirX 1 2
#! 62
set tmrStart.Interval 65536
#! 64
# A key code of 0 is a key the game does not read: no error.
Form_KeyDown 0
Form_KeyUp 0
get ballDirX ballStepY level imgBall.Left imgBall.Visible tmrStart.Interval lblWin.Caption keyLeftUp
#> {"ballDirX":0,"ballStepY":160,"level":1,"imgBall.Left":5760,"imgBall.Visible":true,"tmrStart.Interval":1000,"lblWin.Caption":"One Player Mode","keyLeftUp":0}
