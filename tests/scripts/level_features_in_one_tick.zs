# Level 2: a ball moving left 80 twips inside the obstacle's right face still turns right.
cmdPlay_Click
mnuLevel2_Click
set imgBall.Left 6330
set imgBall.Top 3000
set ballDirX 2
set ballDirY 2
set ballStepY 40
tmrBall_Timer
get imgBall.Left ballDirX ballDirY
#> {"imgBall.Left":6170,"ballDirX":1,"ballDirY":2}
# Level 3: a ball at exactly 0 wraps through all four steps and ends where it began.
mnuLevel3_Click
set imgBall.Left 5000
set imgBall2.Left 5000
set imgBall.Top 40
set imgBall2.Top 40
set ballDirX 1
set ballDirY 1
tmrBall_Timer
get imgBall.Top imgBall2.Top imgBall.Visible imgBall2.Visible
#> {"imgBall.Top":0,"imgBall2.Top":0,"imgBall.Visible":true,"imgBall2.Visible":false}
# Rising on, it comes back at the score bar, shown by the second picture.
tmrBall_Timer
get imgBall.Top imgBall2.Top imgBall.Visible imgBall2.Visible
#> {"imgBall.Top":8465,"imgBall2.Top":8465,"imgBall.Visible":false,"imgBall2.Visible":true}
# Level 4: the band's edge at 2500 hides the ball, 2499.5 shows it.
mnuLevel4_Click
set ballDirX 0
set ballDirY 0
set imgBall.Left 2500
tmrBall_Timer
get imgBall.Visible
#> {"imgBall.Visible":false}
set imgBall.Left 2499.5
tmrBall_Timer
get imgBall.Visible
#> {"imgBall.Visible":true}
# Level 5: from 5750 the obstacle reaches 4000 in 35 ticks and turns on the 36th.
mnuLevel5_Click
tmrBall_Timer 35
get shpObstacle.Left obstacleDir
#> {"shpObstacle.Left":4000,"obstacleDir":0}
tmrBall_Timer
get shpObstacle.Left obstacleDir
#> {"shpObstacle.Left":4050,"obstacleDir":1}
