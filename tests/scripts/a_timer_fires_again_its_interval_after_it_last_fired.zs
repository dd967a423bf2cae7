# A timer fires on the first clock tick at least its interval after it was enabled or last
# fired: the left paddle's timer at 100 ms steps a held A at 109.375 and 218.75 ms only. Once A
# is up the paddle stands still.
cmdPlay_Click
set tmrLeft.Interval 100
Form_KeyDown 65
run 250
get imgLeft.Top
#> {"imgLeft.Top":2800}
Form_KeyUp 65
run 250
get imgLeft.Top
#> {"imgLeft.Top":2800}
