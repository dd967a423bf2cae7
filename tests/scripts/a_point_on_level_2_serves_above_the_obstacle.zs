# Player 2 scores at the left edge. On level 2 the ball goes back to (5750, 875) above the
# obstacle and the hidden second picture stays where it was.
cmdPlay_Click
click mnuLevel2
set imgBall2.Left 100
set imgBall.Left 100
set imgBall.Top 6000
set ballDirX 2
tmrBall_Timer
get imgBall.Left imgBall.Top imgBall2.Left player2Score lblPlayer2.Caption lblWin.Caption tmrStart.Enabled
#> {"imgBall.Left":5750,"imgBall.Top":875,"imgBall2.Left":100,"player2Score":1,"lblPlayer2.Caption":"Player 2:  1","lblWin.Caption":"Player 2 Wins!","tmrStart.Enabled":true}
# Elsewhere a point puts both pictures back in the middle.
click mnuLevel1
set imgBall2.Left 100
set imgBall2.Top 6000
set imgBall.Left 100
set ballDirX 2
tmrBall_Timer
get imgBall.Left imgBall.Top imgBall2.Left imgBall2.Top
#> {"imgBall.Left":5760,"imgBall.Top":3720,"imgBall2.Left":5760,"imgBall2.Top":3720}
# The serve on a level with the obstacle watches the ball from the line beyond it, and shows
# the obstacle however it stood.
mnuLevel2_Click
set predictionLine 4000
set shpObstacle.Visible false
tmrStart_Timer
get predictionLine shpObstacle.Visible
#> {"predictionLine":6500,"shpObstacle.Visible":true}
