# A decimal is kept as the nearest single-precision value and printed with the fewest digits
# that read back as that value; a value that is not finite prints as null.
cmdPlay_Click
set imgBall.Left 0.1
set imgBall.Top 16777217
set imgBall.Width -0.50
set imgBall.Height 1e-45
set travelY 1.5e5
set edgeDistance -1e-60
get imgBall.Left imgBall.Top imgBall.Width imgBall.Height travelY edgeDistance
#> {"imgBall.Left":0.1,"imgBall.Top":16777216,"imgBall.Width":-0.5,"imgBall.Height":1e-45,"travelY":150000,"edgeDistance":-0}
# Plain from 1e-6 up to below 1e21, with an exponent beyond.
set imgBall.Left 1e21
set imgBall.Top 1e20
set imgBall.Width 0.000001
set imgBall.Height 1e-7
set travelY 3.4028235e38
set edgeDistance 123456.7
set hitOffset 1e9
set deflectY 1.5e21
get imgBall.Left imgBall.Top imgBall.Width imgBall.Height travelY edgeDistance hitOffset deflectY
#> {"imgBall.Left":1e+21,"imgBall.Top":100000000000000000000,"imgBall.Width":0.000001,"imgBall.Height":1e-7,"travelY":3.4028235e+38,"edgeDistance":123456.7,"hitOffset":1000000000,"deflectY":1.5e+21}
cmdPlay_Click
#!
set speedSetting 0
set imgBall.Left 4000
set ballDirX 1
tmrBall_Timer
get speedSetting ticksToPaddle imgBall.Left
#> {"speedSetting":0,"ticksToPaddle":null,"imgBall.Left":4000}
# Too close to zero for single precision, a decimal reads as zero of its own sign.
set edgeDistance 1e-60
get edgeDistance
#> {"edgeDistance":0}
