# A whole-number setting beyond single precision's whole numbers is compared with a position as
# the number it is: 16777217 is not rounded to the position 16777216 first.
cmdPlay_Click
set speedSetting 16777217
set imgLeft.Top 16777216
Form_KeyDown 65
tmrLeft_Timer
get imgLeft.Top
#> {"imgLeft.Top":0}
# The computer makes no prediction for a ball short of its line at 16777217, and one for a
# ball past it.
set speedSetting 160
set predictionLine 16777217
set predictedTop 1
set ballDirX 1
set imgBall.Left 16777056
tmrBall_Timer
get predictedTop
#> {"predictedTop":1}
set ballDirX 1
set imgBall.Left 16777058
tmrBall_Timer
get predictedTop
#> {"predictedTop":8505}
