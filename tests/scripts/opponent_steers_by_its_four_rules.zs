# At rest in the middle, the paddle at 3120 is 80 above home: it stays put (rule C).
cmdPlay_Click
tmrRight_Timer
get opponentHomeGap imgRight.Top
#> {"opponentHomeGap":-80,"imgRight.Top":3120}
# At Supersonic the step outruns the dead zone: the paddle swings about its home height.
mnuReallyfast_Click
set imgRight.Top 3305
set ballDirX 2
tmrRight_Timer
get opponentHomeGap imgRight.Top
#> {"opponentHomeGap":105,"imgRight.Top":3075}
tmrRight_Timer
get opponentHomeGap imgRight.Top
#> {"opponentHomeGap":-125,"imgRight.Top":3305}
# A ball of step exactly 100 coming right from 6000 on is neither shallow nor steep: rule D
# puts the paddle home at once.
set ballDirX 1
set ballStepY 100
set imgBall.Left 6200
tmrRight_Timer
get imgRight.Top
#> {"imgRight.Top":3200}
# A steep ball left of 6500 steers by the gap kept from before: up to the top and no further.
set ballStepY 150
set opponentGap 400
tmrRight_Timer 20
get imgRight.Top opponentGap
#> {"imgRight.Top":0,"opponentGap":400}
# A shallow ball close by is followed by its Top (rule A).
set ballStepY 40
set imgBall.Left 7000
set imgBall.Top 2000
tmrRight_Timer
get opponentGap imgRight.Top
#> {"opponentGap":-1200,"imgRight.Top":230}
