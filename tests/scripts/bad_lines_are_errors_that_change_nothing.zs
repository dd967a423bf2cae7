# A line that cannot be carried out is reported on standard error with its number, changes
# nothing, and the script goes on; the exit status is then 1.
get ballDirX
#!
set level 3
#!
cmdPlay_Click
no_such_handler
#! unknown command 'no_such_handler'
get ballDirX noSuchName
#!
set ballDirX 2147483648
#! ballDirX must be a whole number from -2147483648 to 2147483647, not '2147483648'
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
#! an Interval must be a whole number from 1 to 65535, not '0'
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
#! the key code must be a whole number from 0 to 255, not '256'
Form_KeyDown 65 8
#! the shift mask must be a whole number from 0 to 7, not '8'
tmrBall_Timer 10000001
#! the count must be a whole number from 0 to 10000000, not '10000001'
run 86400001
#! run takes milliseconds from 0 to 86400000, not '86400001'
run -1
#!
seed 4294967296
#! the seed must be a whole number from 0 to 4294967295, not '4294967296'
click mnuSpeed
#! 'mnuSpeed' is a menu heading or separator: it has no handler
close frmOther
#!
tmrBall_Timer 1 2
#! tmrBall_Timer: extra argument '2'
get
#! get: missing argument
state now
#!
seed 5 6
#!
run 1 2
#!
click mnuNew mnuEnd
#!
close frmZarb frmSplash
#! close: extra argument 'frmSplash'
set ballDirX 1 2
#!
set tmrStart.Interval 65536
#!
# A key code of 0 is a key the game does not read: no error.
Form_KeyDown 0
Form_KeyUp 0
get ballDirX ballStepY level imgBall.Left imgBall.Visible tmrStart.Interval lblWin.Caption keyLeftUp
#> {"ballDirX":0,"ballStepY":160,"level":1,"imgBall.Left":5760,"imgBall.Visible":true,"tmrStart.Interval":1000,"lblWin.Caption":"One Player Mode","keyLeftUp":0}
# a quoted word shows its first 60 bytes, and a ? for each byte outside printable ASCII
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
#! unknown command 'xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx'
yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy
#! unknown command 'yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy...'
café
#! unknown command 'caf??'
