bogus
set imgBall.Left nan
set level 2147483648
run -1
click mnuFile
close frmzarb
Form_KeyDown 256 8
get

   # only a comment
mnuExit_Click
state
