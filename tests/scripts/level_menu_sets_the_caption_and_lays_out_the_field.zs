# A level item sets level and lblLevel, moves the check, and lays the field out at once:
# levels 2 and 5 show the obstacle and lift the ball to 875, level 3 shows the second ball.
cmdPlay_Click
set shpObstacle.Left 1000
set imgBall.Left 3000
click mnuLevel2
get level lblLevel.Caption mnuLevel2.Checked mnuLevel1.Checked predictionLine shpObstacle.Visible shpObstacle.Left imgBall.Left imgBall.Top imgBall2.Visible
#> {"level":2,"lblLevel.Caption":"Level 2","mnuLevel2.Checked":true,"mnuLevel1.Checked":false,"predictionLine":6500,"shpObstacle.Visible":true,"shpObstacle.Left":5750,"imgBall.Left":3000,"imgBall.Top":875,"imgBall2.Visible":false}
set shpObstacle.Left 1000
click mnuLevel3
get level lblLevel.Caption mnuLevel3.Checked mnuLevel2.Checked predictionLine shpObstacle.Visible shpObstacle.Left imgBall.Top imgBall2.Visible
#> {"level":3,"lblLevel.Caption":"Level 3","mnuLevel3.Checked":true,"mnuLevel2.Checked":false,"predictionLine":4000,"shpObstacle.Visible":false,"shpObstacle.Left":1000,"imgBall.Top":3720,"imgBall2.Visible":true}
click mnuLevel5
get level lblLevel.Caption mnuLevel5.Checked mnuLevel3.Checked predictionLine shpObstacle.Visible shpObstacle.Left imgBall.Top imgBall2.Visible
#> {"level":5,"lblLevel.Caption":"Level 5","mnuLevel5.Checked":true,"mnuLevel3.Checked":false,"predictionLine":6500,"shpObstacle.Visible":true,"shpObstacle.Left":5750,"imgBall.Top":875,"imgBall2.Visible":false}
click mnuLevel4
get level lblLevel.Caption mnuLevel4.Checked mnuLevel5.Checked predictionLine shpObstacle.Visible imgBall.Top imgBall2.Visible
#> {"level":4,"lblLevel.Caption":"Level 4","mnuLevel4.Checked":true,"mnuLevel5.Checked":false,"predictionLine":4000,"shpObstacle.Visible":false,"imgBall.Top":3720,"imgBall2.Visible":false}
click mnuLevel1
get level lblLevel.Caption mnuLevel1.Checked mnuLevel4.Checked imgBall.Left
#> {"level":1,"lblLevel.Caption":"Level 1","mnuLevel1.Checked":true,"mnuLevel4.Checked":false,"imgBall.Left":3000}
